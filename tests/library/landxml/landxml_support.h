// Helpers for the LandXML reader's tests: LandXML text written from element
// data the test computes itself (by the independent integration of
// route_support.h, not by the library).
#pragma once

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "route/route_support.h"
#include "test_support.h"

namespace landxml_support {

using route_support::Integrator;
using route_support::Piece;
using route_support::Xy;

// One element as a file writes it.
struct Element {
    enum Kind { Line, Arc, Spiral } kind = Line;
    Xy start{}, end{};
    Xy centre{};      // an arc's
    Xy pi{};          // a spiral's
    double radius = 0;                                  // an arc's
    double radiusStart = 0, radiusEnd = 0;              // a spiral's; infinity for INF
    double length = 0;
    bool cw = true;
    std::string startName, endName;
};

inline std::string number(double v, int decimals) {
    if (std::isinf(v)) return "INF";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

inline std::string point(const char *tag, Xy p, int decimals, const std::string &name = {}) {
    const std::string attribute = name.empty() ? "" : " name=\"" + name + "\"";
    return std::string("<") + tag + attribute + ">" + number(p.x, decimals) + " " + number(p.y, decimals) + "</" + tag +
           ">";
}

inline std::string elementXml(const Element &e, int d) {
    const std::string rot = e.cw ? "cw" : "ccw";
    switch (e.kind) {
    case Element::Line:
        return "<Line length=\"" + number(e.length, d) + "\">" + point("Start", e.start, d, e.startName) +
               point("End", e.end, d, e.endName) + "</Line>\n";
    case Element::Arc:
        return "<Curve rot=\"" + rot + "\" crvType=\"arc\" radius=\"" + number(e.radius, d) + "\" length=\"" +
               number(e.length, d) + "\">" + point("Start", e.start, d, e.startName) + point("Center", e.centre, d) +
               point("End", e.end, d, e.endName) + "</Curve>\n";
    case Element::Spiral:
        return "<Spiral length=\"" + number(e.length, d) + "\" radiusStart=\"" + number(e.radiusStart, d) +
               "\" radiusEnd=\"" + number(e.radiusEnd, d) + "\" rot=\"" + rot + "\" spiType=\"clothoid\">" +
               point("Start", e.start, d, e.startName) + point("PI", e.pi, d) + point("End", e.end, d, e.endName) +
               "</Spiral>\n";
    }
    return {};
}

// A whole file of one alignment; `extra` goes after its CoordGeom.
inline std::string landXml(const std::vector<Element> &elements, int decimals, const std::string &name = "本線",
                           double staStart = 0, const std::string &extra = {}) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">\n"
                       "<Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\"/></Units>\n"
                       "<Alignments>\n<Alignment name=\"" + name + "\" staStart=\"" + number(staStart, decimals) +
                       "\">\n<CoordGeom>\n";
    for (const Element &e : elements) text += elementXml(e, decimals);
    return text + "</CoordGeom>\n" + extra + "</Alignment>\n</Alignments>\n</LandXML>\n";
}

// AlignPIs of the given points and names.
inline std::string alignPis(const std::vector<Xy> &points, const std::vector<std::string> &names, int decimals) {
    std::string text = "<AlignPIs>\n";
    for (std::size_t i = 0; i < points.size(); ++i)
        text += "<AlignPI>" + point("PI", points[i], decimals, names[i]) + "</AlignPI>\n";
    return text + "</AlignPIs>\n";
}

// Where the tangents at a and b (directions da, db) meet.
inline Xy tangentsMeet(Xy a, double da, Xy b, double db) {
    const double det = std::cos(da) * std::sin(db) - std::sin(da) * std::cos(db);
    const double t = ((b.x - a.x) * std::sin(db) - (b.y - a.y) * std::cos(db)) / det;
    return Xy{a.x + t * std::cos(da), a.y + t * std::sin(da)};
}

// The elements of a line given by its curvature pieces, their points from the
// integration: arcs with their centres, clothoids with their PIs.
inline std::vector<Element> integratedElements(const Integrator &line, const std::vector<Piece> &pieces) {
    std::vector<Element> out;
    double s = 0;
    for (const Piece &p : pieces) {
        if (p.length == 0) continue; // a bend point: the integration turns there
        Element e;
        e.start = line.at(s);
        e.end = line.at(s + p.length);
        e.length = p.length;
        const double d0 = line.direction(s), d1 = line.direction(s + p.length);
        const double k = p.k0 != 0 ? p.k0 : p.k1;
        e.cw = k > 0;
        if (p.k0 == 0 && p.k1 == 0) {
            e.kind = Element::Line;
        } else if (p.k0 == p.k1) {
            e.kind = Element::Arc;
            e.radius = 1 / std::fabs(p.k0);
            const double side = e.cw ? 1 : -1; // the centre lies to the side the line turns
            e.centre = Xy{e.start.x - side * e.radius * std::sin(d0), e.start.y + side * e.radius * std::cos(d0)};
        } else {
            e.kind = Element::Spiral;
            e.radiusStart = p.k0 == 0 ? std::numeric_limits<double>::infinity() : 1 / std::fabs(p.k0);
            e.radiusEnd = p.k1 == 0 ? std::numeric_limits<double>::infinity() : 1 / std::fabs(p.k1);
            e.pi = tangentsMeet(e.start, d0, e.end, d1);
        }
        out.push_back(e);
        s += p.length;
    }
    return out;
}

// Curves of every kind turning both ways: a basic curve meeting an
// asymmetric one in an S joint, a convex curve, an egg curve meeting a simple
// curve directly, a bend point, the two one-sided kinds, an egg curve from
// the small circle to the large one.
inline route_support::BuiltRoute everyKind() {
    using route_support::CurveSpec;
    const std::vector<route_support::Leg> legs = {{10, 120}, {50, 0},   {15, 80},  {45, 60},  {115, 0},
                                                  {135, 50}, {128, 70}, {80, 40},  {100, 90}, {20, 150}};
    const std::vector<CurveSpec> curves = {
        {100, 250, 100}, {120, 300, 90}, {80, 0, 110}, {90, 400, 100, 200, 150, 40}, {0, 500, 0},
        {},              {100, 200, 0},  {0, 200, 100}, {60, 150, 120, 350, 100, 30},
    };
    return route_support::buildRoute(Xy{-41234.5678, 15678.9012}, legs, curves);
}

// The content written to a file of the folder; its path.
inline std::string fileWith(const testing_support::TempDir &dir, const std::string &name, const std::string &content) {
    testing_support::writeFile(dir.file(name), content);
    return dir.file(name);
}

} // namespace landxml_support
