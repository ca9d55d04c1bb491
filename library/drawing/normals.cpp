#include "drawing/normals.h"

#include <cmath>

#include "drawing/dxf_writer.h"
#include "geometry/stationing.h"
#include "params/design_record.h"

namespace korvane {

namespace {

// Half the length of a normal line: 10 m on either side of the centre line.
constexpr double kNormalHalfLength = 10000.0;

} // namespace

NormalLine normalLineEnds(Point p, double tau) {
    const double sn = kNormalHalfLength * std::sin(tau);
    const double cs = kNormalHalfLength * std::cos(tau);
    if (design.iaRadians > 0) return NormalLine{{p.x + sn, p.y - cs}, {p.x - sn, p.y + cs}};
    return NormalLine{{p.x + sn, p.y + cs}, {p.x - sn, p.y - cs}};
}

NormalLine kaNormalLineEnds(Point p) {
    return NormalLine{{p.x, p.y - kNormalHalfLength}, {p.x, p.y + kNormalHalfLength}};
}

namespace {

void writeNormal(const NormalLine &line) { writeLine(line.from.x, line.from.y, line.to.x, line.to.y); }

} // namespace

void writeNormalLine(Point p, double tau) { writeNormal(normalLineEnds(p, tau)); }

void writeKaNormalLine(Point p) { writeNormal(kaNormalLineEnds(p)); }

void writeLabel(Point p, double angle, const char *text) {
    const double scale = design.scale;
    const double height = 1.5 * scale;
    const bool leftTurn = design.iaRadians > 0;
    const bool fromRight = stationsFromRight();

    // The offset, one scale along the tangent and one across it, turned with
    // the centre line.
    const double a = leftTurn ? -angle : angle;
    const double dx = fromRight ? -scale : scale;
    const double dy = fromRight ? scale : -scale;
    const double turnedX = dx * std::cos(a) + dy * std::sin(a);
    const double turnedY = -dx * std::sin(a) + dy * std::cos(a);

    // The text runs along the normal line, away from the centre line.
    double rotation;
    if (fromRight)
        rotation = leftTurn ? kQuarterTurn + angle : kQuarterTurn - angle;
    else
        rotation = leftTurn ? -(kQuarterTurn - angle) : -(kQuarterTurn + angle);

    writeText(p.x + turnedX, p.y + turnedY, height, rotation, text);
}

} // namespace korvane
