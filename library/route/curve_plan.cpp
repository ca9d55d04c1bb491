#include "route/curve_plan.h"

#include <cmath>
#include <numbers>

#include "route/number_text.h"

namespace korvane::route {

namespace {

struct Value {
    const char *label;
    const std::optional<double> &value;
    bool zeroAllowed;
};

void refuse(std::vector<Message> &messages, int ip, const std::string &text) {
    messages.push_back(Message{Severity::Refusal, ip, text});
}

bool valuesInRange(const CurveInput &c, const std::string &name, int ip, std::vector<Message> &messages) {
    const Value values[] = {{"A1", c.a1, false}, {"R", c.r, false},   {"A2", c.a2, false},
                            {"R2", c.r2, false}, {"AM", c.am, false}, {"LC", c.lc, true}};
    bool ok = true;
    for (const Value &v : values) {
        if (!v.value) continue;
        const double x = *v.value;
        const std::string given = name + ": " + v.label + "=" + valueText(x);
        if (v.zeroAllowed ? !(x >= 0) : !(x > 0)) {
            refuse(messages, ip, given + (v.zeroAllowed ? " は 0 以上でなければなりません。" : " は正の数でなければなりません。"));
            ok = false;
        } else if (x > kMaxValue) {
            refuse(messages, ip, given + " が大きすぎます（10000 km まで）。");
            ok = false;
        }
    }
    return ok;
}

std::string filledNames(const CurveInput &c) {
    std::string names;
    for (const auto &[label, value] : {std::pair{"A1", c.a1}, std::pair{"R", c.r}, std::pair{"A2", c.a2},
                                       std::pair{"R2", c.r2}, std::pair{"AM", c.am}, std::pair{"LC", c.lc}})
        if (value) names += (names.empty() ? "" : ",") + std::string(label);
    return names;
}

CurvePart clothoid(double from, double to, double length) {
    return CurvePart{SegmentKind::Clothoid, from, to, length};
}

double turnOf(const CurvePart &p) { return 0.5 * (p.startCurvature + p.endCurvature) * p.length; }

double turnOf(const std::vector<CurvePart> &parts) {
    double turn = 0;
    for (const CurvePart &p : parts) turn += turnOf(p);
    return turn;
}

// The end of a clothoid of parameter a from a straight onto an arc of the
// given radius: its length, tangent angle, end point, XM and ΔR.
struct ClothoidEnd {
    double length = 0, tau = 0, x = 0, y = 0, xm = 0, shift = 0;
};

ClothoidEnd clothoidEnd(double a, double radius) {
    ClothoidEnd e;
    e.length = a * a / radius;
    e.tau = e.length / (2 * radius);
    const Pose end = segmentEnd(clothoidSegment(PlanePoint{0, 0}, 0, 0, 1 / radius, e.length));
    e.x = end.point.x;
    e.y = end.point.y;
    e.xm = e.x - radius * std::sin(e.tau);
    e.shift = e.y + radius * std::cos(e.tau) - radius;
    return e;
}

std::string numbered(const char *name, int k, const char *suffix = "") {
    return name + std::to_string(k) + suffix;
}

// The parts and names of each kind, and the values that do not depend on IA.
void layParts(const CurveInput &c, CurveKind kind, double ia, int k, CurvePlan &plan) {
    CurveElements &e = plan.elements;
    const double a1 = c.a1.value_or(0), a2 = c.a2.value_or(0);
    double r = c.r.value_or(0);
    if (kind == CurveKind::Convex) r = std::sqrt((a1 * a1 + a2 * a2) / (2 * ia));
    const double last = kind == CurveKind::Egg ? *c.r2 : r; // the radius A2 ends on
    e.r = r;
    e.a1 = a1;
    e.a2 = a2;
    plan.radius = last;
    plan.hasArc = kind != CurveKind::Convex;
    if (a1 > 0) {
        const ClothoidEnd first = clothoidEnd(a1, r);
        e.l1 = first.length, e.tau1 = first.tau, e.x1 = first.x, e.y1 = first.y;
        e.xm1 = first.xm, e.shift1 = first.shift;
        plan.forward.push_back(clothoid(0, 1 / r, e.l1));
    }
    if (a2 > 0) {
        const ClothoidEnd second = clothoidEnd(a2, last);
        e.l2 = second.length, e.tau2 = second.tau, e.x2 = second.x, e.y2 = second.y;
        e.xm2 = second.xm, e.shift2 = second.shift;
        plan.backward.push_back(clothoid(1 / last, 0, e.l2));
    }
    std::vector<std::string> &n = plan.names;
    n.push_back(a1 > 0 ? numbered("KA", k, "-1") : numbered("BC", k));
    switch (kind) {
    case CurveKind::Convex: n.push_back(numbered("KE", k)); break;
    case CurveKind::Egg: {
        e.r2 = *c.r2;
        e.am = *c.am;
        e.lc = *c.lc;
        e.lm = e.am * e.am * std::fabs(1 / e.r2 - 1 / r);
        e.tauM = 0.5 * (1 / r + 1 / e.r2) * e.lm;
        plan.forward.push_back(CurvePart{SegmentKind::Arc, 1 / r, 1 / r, e.lc});
        plan.forward.push_back(clothoid(1 / r, 1 / e.r2, e.lm));
        if (a1 > 0) n.push_back(numbered("KE", k, "-1"));
        n.push_back(numbered("KEE", k));
        n.push_back(numbered("KAE", k));
        n.push_back(a2 > 0 ? numbered("KE", k, "-2") : numbered("EC", k));
        break;
    }
    default:
        if (a1 > 0) n.push_back(numbered("KE", k, "-1"));
        n.push_back(a2 > 0 ? numbered("KE", k, "-2") : numbered("EC", k));
    }
    if (a2 > 0) n.push_back(numbered("KA", k, "-2"));
}

// The arc's length from IA: refused when the other elements turn by more
// than IA beyond the tolerance, taken as 0 (with a warning) within it.
bool fitArc(CurvePlan &plan, double ia, const std::string &name, int ip, std::vector<Message> &messages) {
    if (!plan.hasArc) return true;
    const double others = turnOf(plan.forward) + turnOf(plan.backward);
    double length = plan.radius * (ia - others);
    const bool egg = plan.elements.r2 > 0;
    const std::string arc = egg ? "R2 の円弧長" : "円弧長";
    if (length < -kJointTolerance) {
        refuse(messages, ip,
               name + ": IA " + angleText(ia) + " が" + (egg ? " R2 の円弧の前後の要素" : "緩和曲線") +
                   "の曲がる角の和 " + angleText(others) + " より小さく、" + arc + "が " + fixedText(length, 3) +
                   " m になります。");
        return false;
    }
    if (length < 0) {
        messages.push_back(Message{Severity::Warning, ip,
                                   name + ": " + arc + " " + fixedText(length, 4) +
                                       " m を 0 として計算しました（0.5 mm 以内の不足）。"});
        length = 0;
    }
    (egg ? plan.elements.lc2 : plan.elements.lc) = length;
    return true;
}

// The end of a chain of parts placed from a start pose.
Pose chainEnd(const std::vector<CurvePart> &parts, Pose at, double sign) {
    for (const CurvePart &p : parts) at = segmentEnd(partSegment(p, at.point, at.direction, sign));
    return at;
}

// The centre of curvature at a pose, for a curve turning towards +y.
PlanePoint centreAt(const Pose &p, double radius) { return offsetFrom(p.point, p.direction, radius); }

} // namespace

Segment partSegment(const CurvePart &p, PlanePoint start, double direction, double sign) {
    return Segment{p.kind, start, direction, sign * p.startCurvature, sign * p.endCurvature, p.length};
}

void tangentLengths(const CurvePlan &plan, double ia, double &t1, double &t2) {
    // From the start: the centre after the forward parts.
    const Pose forward = chainEnd(plan.forward, Pose{PlanePoint{0, 0}, 0, 0}, 1);
    const PlanePoint fromStart = centreAt(forward, plan.radius);
    // From the end, in the end's own frame (end tangent along +x): the
    // backward parts run in reverse from the end, turning the other way.
    std::vector<CurvePart> reverse;
    for (auto it = plan.backward.rbegin(); it != plan.backward.rend(); ++it)
        reverse.push_back(CurvePart{it->kind, it->endCurvature, it->startCurvature, it->length});
    const Pose back = chainEnd(reverse, Pose{PlanePoint{0, 0}, std::numbers::pi, 0}, -1);
    const PlanePoint local = centreAt(Pose{back.point, back.direction - std::numbers::pi, 0}, plan.radius);
    // That centre seen from the start: the end frame is turned by IA and
    // stands at IP + T2 along it, with the IP at (T1, 0).
    const double c = std::cos(ia), s = std::sin(ia);
    const PlanePoint turned{local.x * c - local.y * s, local.x * s + local.y * c};
    const double dx = fromStart.x - turned.x, dy = fromStart.y - turned.y;
    t2 = dy / s;
    t1 = dx - t2 * c;
}

bool planCurve(const CurveInput &c, CurveKind kind, double ia, int k, const std::string &name, int ip,
               CurvePlan &plan, std::vector<Message> &messages) {
    plan = CurvePlan{};
    if (!valuesInRange(c, name, ip, messages)) return false;
    if (kind == CurveKind::Invalid) {
        refuse(messages, ip,
               name + ": 曲線の値 " + filledNames(c) +
                   " では曲線の型が決まりません（R / A1,R,A2 / A1,R / R,A2 / A1,A2 / A1,R,LC,AM,R2,A2 のいずれか）。");
        return false;
    }
    if (kind == CurveKind::Egg && *c.r == *c.r2) {
        refuse(messages, ip,
               name + ": 卵型の R と R2 が同じ " + valueText(*c.r) + " m で、二つの円をつなぐクロソイド AM がありません。");
        return false;
    }
    layParts(c, kind, ia, k, plan);
    if (!fitArc(plan, ia, name, ip, messages)) return false;
    CurveElements &e = plan.elements;
    tangentLengths(plan, ia, e.t1, e.t2);
    for (const auto &[label, t] : {std::pair{"TL1", e.t1}, std::pair{"TL2", e.t2}}) {
        if (t >= 0) continue;
        refuse(messages, ip,
               name + ": 接線長 " + label + " が " + fixedText(t, 3) + " m になり、曲線が IP の先から" +
                   (std::string(label) == "TL1" ? "始まります。" : "戻ります。"));
        return false;
    }
    e.cl = e.l1 + e.lc + e.lm + e.lc2 + e.l2;
    return true;
}

} // namespace korvane::route
