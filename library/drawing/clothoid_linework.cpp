// The two clothoids: the centre line with its normals and labels, then one
// polyline per lane line. Every polyline is collected in the temporary file
// and appended to the output as one block, so the normals and labels written
// while the centre line is stepped stand before its polyline in the output.
#include <cstddef>

#include "drawing/clothoid_stepping.h"
#include "drawing/linework.h"
#include "drawing/normals.h"

namespace korvane {

namespace {

constexpr const char *kKaLabel = "K.A.";
constexpr const char *kKeLabel = "K.E.";

double tangentAngle(double A, double s) { return s * s / (2.0 * A * A); }

// Ends a polyline: its SEQEND, then the whole temporary file onto the output.
int finishPolyline(DrawingRun &run) { return korvane::finishPolyline(run.dxf(), run.streams()); }

// One polyline through the temporary file: from start, one vertex per step of
// the stepping rule. pointAt(s) gives the drawing point at s; atNormal(point,
// s, k) runs at the k-th normal position before its segment is written.
template <typename PointAt, typename AtNormal>
Point stepPolyline(DrawingRun &run, Point start, double length, const double *normals, const char *layer,
                   PointAt pointAt, AtNormal atNormal) {
    Point previous = start;
    int count = 0;
    stepAlongClothoid(length, run.design().centerPitch, normals, [&](double s, int k) {
        const Point current = pointAt(s);
        if (k >= 0) atNormal(current, s, static_cast<std::size_t>(k));
        run.dxf().writePolylineSegment(previous.x, previous.y, current.x, current.y, ++count, layer);
        previous = current;
    });
    return previous;
}

// A full polyline cycle for a lane line: create the temporary file, step,
// finish; pointAt(s) gives the lane's drawing point at s.
template <typename LanePoint>
int laneCycle(DrawingRun &run, Point start, double length, const double *normals, LanePoint pointAt) {
    if (!createTempFile(run.streams())) return 0;
    stepPolyline(run, start, length, normals, kLayerLane, pointAt, [](Point, double, std::size_t) {});
    return finishPolyline(run);
}

// Lane lines of both sides, left first, innermost first. lanePointAt(w, m,
// amount, s) and startAt(w) give drawing points.
template <typename LanePointAt, typename StartAt>
int drawLaneLines(DrawingRun &run, double length, const double *normals, LanePointAt lanePointAt,
                  StartAt startAt) {
    const DesignRecord &design = run.design();
    const std::size_t nLeft = countLaneLines(design.leftWidth);
    const std::size_t nRight = countLaneLines(design.rightWidth);
    for (std::size_t i = 0; i < nLeft + nRight; ++i) {
        const bool left = i < nLeft;
        const std::size_t n = left ? i : i - nLeft;
        const double w = left ? design.leftWidth[n] : -design.rightWidth[n];
        const double method = left ? design.leftMethod[n] : design.rightMethod[n];
        const double amount = left ? design.leftWidening[n] : design.rightWidening[n];
        if (!laneCycle(run, startAt(w), length, normals,
                       [&](double s) { return lanePointAt(w, method, amount, s); }))
            return 0;
    }
    return 1;
}

// A normal line computed in the second-clothoid frame, both ends mapped into
// the drawing.
void writeSecondFrameLine(DrawingRun &run, const NormalLine &line) {
    const Point p = run.frame().secondFrameToDrawing(line.from);
    const Point q = run.frame().secondFrameToDrawing(line.to);
    run.dxf().writeLine(p.x, p.y, q.x, q.y);
}

void writeSecondFrameNormal(DrawingRun &run, Point p, double tau) {
    writeSecondFrameLine(run, normalLineEnds(p, tau, run.frame().turnsLeft()));
}

void writeSecondFrameKaNormal(DrawingRun &run, Point p) { writeSecondFrameLine(run, kaNormalLineEnds(p)); }

// A frame angle of the second clothoid turned into the drawing.
double turnedIntoDrawing(const DrawingFrame &frame, double frameAngle) {
    const double ia = frame.iaRadians();
    return ia > 0 ? frameAngle + ia : frameAngle - ia;
}

void writeSecondFrameLabel(DrawingRun &run, Point p, double frameAngle, const char *text) {
    writeLabel(run, run.frame().secondFrameToDrawing(p), turnedIntoDrawing(run.frame(), frameAngle), text);
}

} // namespace

std::optional<Point> writeFirstClothoid(DrawingRun &run) {
    if (!openOutputForAppend(run.streams())) return std::nullopt;
    if (!createTempFile(run.streams())) return std::nullopt;

    const DesignRecord &design = run.design();
    const DrawingFrame &frame = run.frame();
    const NormalLists &normals = design.normals;
    const Point ka{0.0, frame.baseY()};
    writeKaNormalLine(run, ka);
    writeLabel(run, ka, 0.0, kKaLabel);

    const double a = design.a1;
    const double length = design.elements.length1;
    const Point ke = stepPolyline(
        run, ka, length, normals.clothoid1Normals, kLayerCentre,
        [&frame](double s) { return frame.firstCentrePoint(s); },
        [&run, &normals, a](Point p, double s, std::size_t k) {
            const double tau = tangentAngle(a, s);
            writeNormalLine(run, p, tau);
            writeLabel(run, p, tau, normals.clothoid1Labels[k]);
        });
    if (!finishPolyline(run)) return std::nullopt;

    const double tauKe = tangentAngle(a, length);
    writeNormalLine(run, ke, tauKe);
    writeLabel(run, ke, tauKe, kKeLabel);

    LanePoints &lanes = run.lanePoints();
    if (!drawLaneLines(
            run, length, normals.clothoid1Normals,
            [&lanes, a](double w, double method, double amount, double s) {
                return lanes.at(a, s, w, method, amount);
            },
            [&frame](double w) { return Point{0.0, frame.baseY() + w * 1000.0}; }))
        return std::nullopt;
    return ke;
}

int writeSecondClothoid(DrawingRun &run) {
    if (!createTempFile(run.streams())) return 0;

    const DesignRecord &design = run.design();
    const DrawingFrame &frame = run.frame();
    const NormalLists &normals = design.normals;
    const Point ka{0.0, frame.baseY()};
    writeSecondFrameKaNormal(run, ka);
    writeSecondFrameLabel(run, ka, 0.0, kKaLabel);

    const double a = design.a2;
    const double length = design.elements.length2;
    stepPolyline(
        run, frame.secondFrameToDrawing(ka), length, normals.clothoid2Normals, kLayerCentre,
        [&frame](double s) { return frame.secondFrameToDrawing(frame.secondCentrePoint(s)); },
        [&run, &frame, &normals, a](Point, double s, std::size_t k) {
            const Point p = frame.secondCentrePoint(s);
            const double tau = -tangentAngle(a, s);
            writeSecondFrameNormal(run, p, tau);
            writeSecondFrameLabel(run, p, tau, normals.clothoid2Labels[k]);
        });
    if (!finishPolyline(run)) return 0;

    const Point keFrame = frame.secondCentrePoint(length);
    const double tauKe = -tangentAngle(a, length);
    writeSecondFrameNormal(run, keFrame, tauKe);
    writeSecondFrameLabel(run, keFrame, tauKe, kKeLabel);

    LanePoints &lanes = run.lanePoints();
    return drawLaneLines(
        run, length, normals.clothoid2Normals,
        [&lanes, &frame, a](double w, double method, double amount, double s) {
            const Point p = lanes.at(a, s, w, method, amount);
            return frame.secondFrameToDrawing(Point{-p.x, p.y});
        },
        [&frame](double w) { return frame.secondFrameToDrawing(Point{0.0, frame.baseY() + w * 1000.0}); });
}

} // namespace korvane
