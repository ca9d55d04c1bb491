#include "route/ip_method.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "route/number_text.h"

namespace korvane::route {

namespace {

constexpr double kMinimumLeg = 0.001;        // metres: closer points coincide
constexpr double kNoTurn = 1e-12;            // radians: IA below this is 0
constexpr double kHalfMicrosecond = 2.4e-12; // radians: IA this close to 180° is 180°
constexpr double kSamePlace = 1e-6;          // metres along the line

void refuse(Route &route, int ip, const std::string &text) {
    route.messages.push_back(Message{Severity::Refusal, ip, text});
}

bool hasCurve(const RouteIp &ip) { return ip.kind != CurveKind::None; }

bool coordinatesInRange(PlanePoint p) {
    return std::fabs(p.x) <= kMaxValue && std::fabs(p.y) <= kMaxValue;
}

bool anyCurveValue(const CurveInput &c) { return c.a1 || c.r || c.a2 || c.r2 || c.am || c.lc; }

void takePoints(const std::vector<IpInput> &points, Route &route) {
    const std::size_t n = points.size();
    route.ips.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        RouteIp &ip = route.ips[i];
        ip.name = pointName(points, i);
        ip.point = points[i].point;
        const bool end = i == 0 || i + 1 == n;
        ip.kind = end ? CurveKind::None : curveKind(points[i].curve);
        const int index = static_cast<int>(i);
        if (!coordinatesInRange(ip.point))
            refuse(route, index,
                   ip.name + ": 座標 " + valueText(ip.point.x) + " " + valueText(ip.point.y) +
                       " は数値でないか、大きすぎます（±10000 km まで）。");
        if (end && anyCurveValue(points[i].curve))
            refuse(route, index, ip.name + ": 起点・終点には曲線を設けられません（A1, R, A2, R2, AM, LC は空にしてください）。");
    }
}

// Legs, and the coincident points that leave a leg without direction.
std::vector<bool> measureLegs(Route &route) {
    std::vector<bool> usable(route.ips.size(), false);
    for (std::size_t i = 0; i + 1 < route.ips.size(); ++i) {
        RouteIp &a = route.ips[i];
        const RouteIp &b = route.ips[i + 1];
        a.legLength = distanceBetween(a.point, b.point);
        a.legDirection = directionAngle(a.point, b.point);
        usable[i] = a.legLength >= kMinimumLeg && coordinatesInRange(a.point) && coordinatesInRange(b.point);
        if (!usable[i] && a.legLength < kMinimumLeg)
            refuse(route, static_cast<int>(i + 1),
                   a.name + " と " + b.name + " が同じ点です（距離 " + fixedText(a.legLength, 4) + " m、1 mm 未満）。");
    }
    return usable;
}

// IA and the turn at each IP, and its curve in its own frame.
void planCurves(const std::vector<IpInput> &points, const std::vector<bool> &legs, Route &route,
                std::vector<CurvePlan> &plans) {
    plans.resize(route.ips.size());
    for (std::size_t i = 1; i + 1 < route.ips.size(); ++i) {
        RouteIp &ip = route.ips[i];
        if (!legs[i - 1] || !legs[i]) continue;
        const double change = turnBetween(route.ips[i - 1].legDirection, ip.legDirection);
        ip.ia = std::fabs(change);
        ip.turn = ip.ia < kNoTurn ? 0 : change > 0 ? 1 : -1;
        const int index = static_cast<int>(i);
        if (ip.ia >= std::numbers::pi - kHalfMicrosecond) {
            refuse(route, index, ip.name + ": 進行方向が逆向きに戻り、IA が " + angleText(ip.ia) + " で 180° 以上になります。");
            continue;
        }
        if (!hasCurve(ip)) continue;
        if (ip.turn == 0) {
            refuse(route, index, ip.name + ": IA が " + angleText(ip.ia) + " で、曲線を入れる折れがありません。");
            continue;
        }
        ip.planned = planCurve(points[i].curve, ip.kind, ip.ia, index, ip.name, index, plans[i], route.messages);
        if (ip.planned) ip.curve = plans[i].elements;
    }
}

// A curve reaching past its neighbour on a leg by more than the tolerance.
void checkLegs(Route &route) {
    const std::size_t n = route.ips.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const RouteIp &a = route.ips[i];
        const RouteIp &b = route.ips[i + 1];
        const bool aCurve = hasCurve(a), bCurve = hasCurve(b);
        if ((aCurve && !a.planned) || (bCurve && !b.planned) || (!aCurve && !bCurve)) continue;
        const double left = a.legLength - a.curve.t2 - b.curve.t1;
        if (left >= -kJointTolerance) continue;
        const std::string leg = "（" + a.name + " から " + b.name + " まで " + fixedText(a.legLength, 3) + " m、";
        const std::string over = fixedText(-left, 4) + " m ";
        if (aCurve && bCurve)
            refuse(route, static_cast<int>(i),
                   a.name + " と " + b.name + " の曲線が " + over + "重なっています" + leg + "TL2 " +
                       fixedText(a.curve.t2, 3) + " m + TL1 " + fixedText(b.curve.t1, 3) + " m）。");
        else if (bCurve)
            refuse(route, static_cast<int>(i + 1),
                   b.name + " の曲線が " + a.name + " を " + over + "越えています" + leg + "TL1 " +
                       fixedText(b.curve.t1, 3) + " m）。");
        else
            refuse(route, static_cast<int>(i),
                   a.name + " の曲線が " + b.name + " を " + over + "越えています" + leg + "TL2 " +
                       fixedText(a.curve.t2, 3) + " m）。");
    }
}

// The segments and main points, walking the line from BP.
class Assembly {
public:
    explicit Assembly(Route &route) : route_(route) {}

    void mainPoint(const std::string &name, int ip) {
        std::vector<MainPoint> &points = route_.mainPoints;
        if (!points.empty() && std::fabs(points.back().distance - distance_) < kSamePlace)
            points.back().name += "=" + name; // one place, listed once
        else
            points.push_back(MainPoint{name, distance_, ip});
    }

    void add(const Segment &segment) {
        if (segment.length > 0) segments_.push_back(segment);
        distance_ += segment.length;
    }

    // The straight of a leg between the tangent points of its two curves;
    // none where they meet within the tolerance.
    void leg(std::size_t i) {
        const RouteIp &a = route_.ips[i];
        const double left = a.legLength - a.curve.t2 - route_.ips[i + 1].curve.t1;
        if (left > kJointTolerance) add(lineSegment(along(a.point, a.legDirection, a.curve.t2), a.legDirection, left));
    }

    void curve(std::size_t i, const CurvePlan &plan) {
        RouteIp &ip = route_.ips[i];
        const int index = static_cast<int>(i);
        const double in = route_.ips[i - 1].legDirection, out = ip.legDirection;
        const double sign = ip.turn;
        ip.curveStart = distance_;
        auto name = plan.names.begin();
        mainPoint(*name++, index);
        Pose at{along(ip.point, in, -ip.curve.t1), in, 0};
        for (const CurvePart &part : plan.forward) {
            const Segment s = partSegment(part, at.point, at.direction, sign);
            add(s);
            at = segmentEnd(s);
            mainPoint(*name++, index);
        }
        const std::vector<Segment> back = backwardSegments(plan, along(ip.point, out, ip.curve.t2), out, sign);
        if (plan.hasArc) {
            const double arc = ip.curve.r2 > 0 ? ip.curve.lc2 : ip.curve.lc;
            add(arcSegment(at.point, at.direction, sign / plan.radius, arc));
            mainPoint(*name++, index);
        }
        for (const Segment &s : back) {
            add(s);
            mainPoint(*name++, index);
        }
        ip.curveEnd = distance_;
    }

    void bend(std::size_t i) {
        RouteIp &ip = route_.ips[i];
        ip.curveStart = ip.curveEnd = distance_;
        mainPoint(ip.name, static_cast<int>(i));
    }

    void finish() { route_.alignment = makeAlignment(std::move(segments_)); }

private:
    // The parts after the arc, placed back from the curve's end so that its
    // tangent point stays exactly on the leg; returned in running order.
    static std::vector<Segment> backwardSegments(const CurvePlan &plan, PlanePoint end, double direction, double sign) {
        std::vector<Segment> out(plan.backward.size());
        Pose at{end, direction, 0};
        for (std::size_t k = plan.backward.size(); k-- > 0;) {
            const CurvePart &p = plan.backward[k];
            const CurvePart reverse{p.kind, p.endCurvature, p.startCurvature, p.length};
            const Pose start = segmentEnd(partSegment(reverse, at.point, at.direction + std::numbers::pi, -sign));
            at = Pose{start.point, start.direction - std::numbers::pi, 0};
            out[k] = partSegment(p, at.point, normalisedAngle(at.direction), sign);
        }
        return out;
    }

    Route &route_;
    std::vector<Segment> segments_;
    double distance_ = 0;
};

void assemble(Route &route, const std::vector<CurvePlan> &plans) {
    Assembly assembly(route);
    const std::size_t n = route.ips.size();
    assembly.mainPoint(route.ips[0].name, 0);
    for (std::size_t i = 1; i < n; ++i) {
        assembly.leg(i - 1);
        if (i + 1 == n) {
            route.ips[i].curveStart = route.ips[i].curveEnd = 0;
            assembly.mainPoint(route.ips[i].name, static_cast<int>(i));
        } else if (hasCurve(route.ips[i])) {
            assembly.curve(i, plans[i]);
        } else {
            assembly.bend(i);
        }
    }
    assembly.finish();
    route.ips.back().curveStart = route.ips.back().curveEnd = route.alignment.length();
}

} // namespace

const char *turnName(int turn) { return turn > 0 ? "右" : turn < 0 ? "左" : ""; }

Route computeRoute(const std::vector<IpInput> &points) {
    Route route;
    if (points.size() < 2) {
        refuse(route, -1, "路線には BP と EP の少なくとも 2 点が必要です。");
        return route;
    }
    takePoints(points, route);
    const std::vector<bool> legs = measureLegs(route);
    std::vector<CurvePlan> plans;
    planCurves(points, legs, route, plans);
    checkLegs(route);
    if (!hasRefusal(route.messages)) assemble(route, plans);
    // In the order of the table; those that concern no point last.
    std::stable_sort(route.messages.begin(), route.messages.end(), [](const Message &a, const Message &b) {
        return static_cast<unsigned>(a.ip) < static_cast<unsigned>(b.ip);
    });
    return route;
}

} // namespace korvane::route
