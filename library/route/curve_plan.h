// One IP's curve in its own frame, before it is placed: the elements in
// order, the main point names, and the values of the calculation sheet.
#pragma once

#include <string>
#include <vector>

#include "route/ip_input.h"
#include "route/message.h"
#include "route/segment.h"

namespace korvane::route {

// Lengths in metres, angles in radians; 0 where the kind has no such value.
struct CurveElements {
    double r = 0;                          // R (a convex curve's follows from IA)
    double a1 = 0, a2 = 0;
    double l1 = 0, l2 = 0;                 // clothoid lengths A²/R
    double tau1 = 0, tau2 = 0;             // their tangent angles τ = L/(2R)
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // their ends in their own frames (KA at the origin)
    double shift1 = 0, shift2 = 0;         // ΔR
    double xm1 = 0, xm2 = 0;               // XM
    double t1 = 0, t2 = 0;                 // TL1 (curve start to IP), TL2 (IP to curve end)
    double lc = 0;                         // the arc (an egg curve's first arc, LC)
    double cl = 0;                         // the whole curve
    // An egg curve: the second arc R2 of length lc2 (from IA), joined to the
    // first by the clothoid AM of length lm turning by tauM. A2 ends on R2.
    double r2 = 0, am = 0, lm = 0, tauM = 0, lc2 = 0;
};

// A piece of the curve; curvatures towards the side it turns (≥ 0).
struct CurvePart {
    SegmentKind kind;
    double startCurvature;
    double endCurvature;
    double length;
};

// The curve in its own frame runs from the origin along the x axis and turns
// towards +y. The parts before the arc are placed forwards from the curve's
// start, those after it backwards from its end, and the arc (of `radius`)
// between them: so both tangent points stay exact on their legs.
struct CurvePlan {
    std::vector<CurvePart> forward;
    bool hasArc = true;  // not in a convex curve
    double radius = 0;   // the arc's: R, an egg curve's R2
    std::vector<CurvePart> backward;
    std::vector<std::string> names; // start, the end of each forward part, the arc's end, each backward part's end
    CurveElements elements;
};

// The allowed gap or overlap on a leg, and the arc below 0 that is taken as 0.
constexpr double kJointTolerance = 0.0005;
// Values and coordinates stay within this many metres.
constexpr double kMaxValue = 1e7;

// Plans the curve of the given kind at IP number k for the intersection
// angle ia (0 < ia < π). Refusals and warnings are added to messages (naming
// ipName, for the point index ip); false after a refusal.
bool planCurve(const CurveInput &input, CurveKind kind, double ia, int k, const std::string &ipName, int ip,
               CurvePlan &plan, std::vector<Message> &messages);

// The curve's tangent lengths from the two parts and the arc between them:
// the centre of the arc seen from both ends must be the same point.
void tangentLengths(const CurvePlan &plan, double ia, double &t1, double &t2);

// The segments of a part in a frame (sign −1 mirrors a curve turning left).
Segment partSegment(const CurvePart &part, PlanePoint start, double direction, double sign);

} // namespace korvane::route
