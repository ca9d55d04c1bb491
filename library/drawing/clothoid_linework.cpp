// The two clothoids: the centre line with its normals and labels, then one
// polyline per lane line. Every polyline is collected in the temporary file
// and appended to the output as one block, so the normals and labels written
// while the centre line is stepped stand before its polyline in the output.
#include <cstddef>

#include "drawing/clothoid_stepping.h"
#include "drawing/curve_points.h"
#include "drawing/drawing_frame.h"
#include "drawing/dxf_writer.h"
#include "drawing/linework.h"
#include "drawing/normals.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

namespace {

constexpr const char *kKaLabel = "K.A.";
constexpr const char *kKeLabel = "K.E.";

double tangentAngle(double A, double s) { return s * s / (2.0 * A * A); }

// Ends a polyline: its SEQEND, then the whole temporary file onto the output.
int finishPolyline() {
    if (!writeSeqend()) {
        showError(kMessageWriteFailed);
        return 0;
    }
    if (!closeTempFile()) return 0;
    return appendTempBody();
}

// One polyline through the temporary file: from start, one vertex per step of
// the stepping rule. pointAt(s) gives the drawing point at s; atNormal(point,
// s, k) runs at the k-th normal position before its segment is written.
template <typename PointAt, typename AtNormal>
Point stepPolyline(Point start, double length, const double *normals, const char *layer,
                   PointAt pointAt, AtNormal atNormal) {
    Point previous = start;
    int count = 0;
    stepAlongClothoid(length, design.centerPitch, normals, [&](double s, int k) {
        const Point current = pointAt(s);
        if (k >= 0) atNormal(current, s, static_cast<std::size_t>(k));
        writePolylineSegment(previous.x, previous.y, current.x, current.y, ++count, layer);
        previous = current;
    });
    return previous;
}

// A full polyline cycle for a lane line: create the temporary file, step,
// finish; pointAt(s) gives the lane's drawing point at s.
template <typename LanePoint>
int laneCycle(Point start, double length, const double *normals, LanePoint pointAt) {
    if (!createTempFile()) return 0;
    stepPolyline(start, length, normals, kLayerLane, pointAt, [](Point, double, std::size_t) {});
    return finishPolyline();
}

// Lane lines of both sides, left first, innermost first. lanePointAt(w, m,
// amount, s) and startAt(w) give drawing points.
template <typename LanePointAt, typename StartAt>
int drawLaneLines(double length, const double *normals, LanePointAt lanePointAt, StartAt startAt) {
    nLeft = countLaneLines(design.leftWidth);
    nRight = countLaneLines(design.rightWidth);
    for (std::size_t i = 0; i < nLeft + nRight; ++i) {
        const bool left = i < nLeft;
        const std::size_t n = left ? i : i - nLeft;
        const double w = left ? design.leftWidth[n] : -design.rightWidth[n];
        const double method = left ? design.leftMethod[n] : design.rightMethod[n];
        const double amount = left ? design.leftWidening[n] : design.rightWidening[n];
        if (!laneCycle(startAt(w), length, normals,
                       [&](double s) { return lanePointAt(w, method, amount, s); }))
            return 0;
    }
    return 1;
}

// A normal line computed in the second-clothoid frame, both ends mapped into
// the drawing.
void writeSecondFrameLine(const NormalLine &line) {
    const Point p = secondFrameToDrawing(line.from);
    const Point q = secondFrameToDrawing(line.to);
    writeLine(p.x, p.y, q.x, q.y);
}

void writeSecondFrameNormal(Point p, double tau) { writeSecondFrameLine(normalLineEnds(p, tau)); }

void writeSecondFrameKaNormal(Point p) { writeSecondFrameLine(kaNormalLineEnds(p)); }

// A frame angle of the second clothoid turned into the drawing.
double turnedIntoDrawing(double frameAngle) {
    return design.iaRadians > 0 ? frameAngle + design.iaRadians : frameAngle - design.iaRadians;
}

void writeSecondFrameLabel(Point p, double frameAngle, const char *text) {
    writeLabel(secondFrameToDrawing(p), turnedIntoDrawing(frameAngle), text);
}

} // namespace

int writeFirstClothoid() {
    if (!openOutputForAppend()) return 0;
    if (!createTempFile()) return 0;

    const Point ka{0.0, baseY()};
    writeKaNormalLine(ka);
    writeLabel(ka, 0.0, kKaLabel);

    const double a = design.a1;
    const Point ke = stepPolyline(ka, design.length1, design.clothoid1Normals, kLayerCentre,
                                  firstCentrePoint, [a](Point p, double s, std::size_t k) {
                                      const double tau = tangentAngle(a, s);
                                      writeNormalLine(p, tau);
                                      writeLabel(p, tau, design.clothoid1Labels[k]);
                                  });
    if (!finishPolyline()) return 0;
    setFirstClothoidEnd(ke);

    const double tauKe = tangentAngle(a, design.length1);
    writeNormalLine(ke, tauKe);
    writeLabel(ke, tauKe, kKeLabel);

    return drawLaneLines(
        design.length1, design.clothoid1Normals,
        [a](double w, double method, double amount, double s) {
            return lanePoint(a, s, w, method, amount);
        },
        [](double w) { return Point{0.0, baseY() + w * 1000.0}; });
}

int writeSecondClothoid() {
    if (!createTempFile()) return 0;

    const Point ka{0.0, baseY()};
    writeSecondFrameKaNormal(ka);
    writeSecondFrameLabel(ka, 0.0, kKaLabel);

    const double a = design.a2;
    stepPolyline(
        secondFrameToDrawing(ka), design.length2, design.clothoid2Normals, kLayerCentre,
        [](double s) { return secondFrameToDrawing(secondCentrePoint(s)); },
        [a](Point, double s, std::size_t k) {
            const Point p = secondCentrePoint(s);
            const double tau = -tangentAngle(a, s);
            writeSecondFrameNormal(p, tau);
            writeSecondFrameLabel(p, tau, design.clothoid2Labels[k]);
        });
    if (!finishPolyline()) return 0;

    const Point keFrame = secondCentrePoint(design.length2);
    const double tauKe = -tangentAngle(a, design.length2);
    writeSecondFrameNormal(keFrame, tauKe);
    writeSecondFrameLabel(keFrame, tauKe, kKeLabel);

    return drawLaneLines(
        design.length2, design.clothoid2Normals,
        [a](double w, double method, double amount, double s) {
            const Point p = lanePoint(a, s, w, method, amount);
            return secondFrameToDrawing(Point{-p.x, p.y});
        },
        [](double w) { return secondFrameToDrawing(Point{0.0, baseY() + w * 1000.0}); });
}

} // namespace korvane
