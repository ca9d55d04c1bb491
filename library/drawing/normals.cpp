#include "drawing/normals.h"

#include <cmath>

#include "geometry/stationing.h"

namespace korvane {

namespace {

// Half the length of a normal line: 10 m on either side of the centre line.
constexpr double kNormalHalfLength = 10000.0;

} // namespace

NormalLine normalLineEnds(Point p, double tau, bool turnsLeft) {
    const double sn = kNormalHalfLength * std::sin(tau);
    const double cs = kNormalHalfLength * std::cos(tau);
    if (turnsLeft) return NormalLine{{p.x + sn, p.y - cs}, {p.x - sn, p.y + cs}};
    return NormalLine{{p.x + sn, p.y + cs}, {p.x - sn, p.y - cs}};
}

NormalLine kaNormalLineEnds(Point p) {
    return NormalLine{{p.x, p.y - kNormalHalfLength}, {p.x, p.y + kNormalHalfLength}};
}

namespace {

void writeNormal(DrawingRun &run, const NormalLine &line) {
    run.dxf().writeLine(line.from.x, line.from.y, line.to.x, line.to.y);
}

} // namespace

void writeNormalLine(DrawingRun &run, Point p, double tau) {
    writeNormal(run, normalLineEnds(p, tau, run.frame().turnsLeft()));
}

void writeKaNormalLine(DrawingRun &run, Point p) { writeNormal(run, kaNormalLineEnds(p)); }

void writeLabel(DrawingRun &run, Point p, double angle, const char *text) {
    const double scale = run.frame().scale();
    const double height = 1.5 * scale;
    const bool leftTurn = run.frame().turnsLeft();
    const bool fromRight = stationsFromRight(run.design());

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

    run.dxf().writeText(p.x + turnedX, p.y + turnedY, height, rotation, text);
}

} // namespace korvane
