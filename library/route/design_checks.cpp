#include "route/design_checks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "route/number_text.h"

namespace korvane::route {

namespace {

struct Limits {
    int speed;
    double radius;        // 最小曲線半径
    double radiusSpecial; // 特例値; 0 where the ordinance gives none
    double transition;    // 緩和区間長
    double curveLength;   // 最小曲線長, IA ≥ 7°
    double curveFactor;   // IA < 7°: this over θ in degrees
};

constexpr Limits kLimits[] = {
    {120, 710, 570, 100, 200, 1400}, {100, 460, 380, 85, 170, 1200}, {80, 280, 230, 70, 140, 1000},
    {60, 150, 120, 50, 100, 700},    {50, 100, 80, 40, 80, 600},     {40, 60, 50, 35, 70, 500},
    {30, 30, 0, 25, 50, 350},        {20, 15, 0, 20, 40, 280},
};

constexpr double kSevenDegrees = 7 * std::numbers::pi / 180;
constexpr double kSJointRatio = 1.5;
constexpr double kSJointOuterRatio = 2.0;

class Checker {
public:
    Checker(const Limits &limits, std::vector<Message> &out) : l_(limits), out_(out) {}

    void curve(const RouteIp &ip, int index) {
        const CurveElements &e = ip.curve;
        radius(ip, index, "R", e.r);
        if (e.r2 > 0) radius(ip, index, "R2", e.r2);
        if (e.a1 > 0) clothoid(ip, index, "A1", e.a1, "L1", e.l1, e.r, "R");
        if (e.a2 > 0) clothoid(ip, index, "A2", e.a2, "L2", e.l2, e.r2 > 0 ? e.r2 : e.r, e.r2 > 0 ? "R2" : "R");
        curveLength(ip, index);
        if (e.r2 > 0) eggClothoid(ip, index);
    }

    // Reverse curves meeting without a straight: their clothoids at the joint.
    void sJoint(const RouteIp &a, const RouteIp &b, int index) {
        const double first = a.curve.a2, second = b.curve.a1;
        if (!(first > 0 && second > 0)) return;
        const double ratio = std::max(first, second) / std::min(first, second);
        if (ratio <= kSJointRatio) return;
        warn(index, a.name + "–" + b.name + ": S 型の接続のクロソイド A2=" + valueText(first) + " と A1=" +
                        valueText(second) + " の比 " + fixedText(ratio, 3) +
                        (ratio > kSJointOuterRatio ? " が実用上の限度 2.0" : " が 1.5") + " を超えています。");
    }

private:
    std::string speedText() const { return "（設計速度 " + std::to_string(l_.speed) + " km/h）"; }

    void warn(int index, const std::string &text) { out_.push_back(Message{Severity::Warning, index, text}); }

    void radius(const RouteIp &ip, int index, const char *label, double r) {
        const std::string given = ip.name + ": 曲線半径 " + label + "=" + valueText(r) + " m が";
        if (l_.radiusSpecial > 0 && r < l_.radiusSpecial)
            warn(index, given + "最小曲線半径の特例値 " + valueText(l_.radiusSpecial) + " m" + speedText() + "を下回っています。");
        else if (r < l_.radius)
            warn(index, given + "最小曲線半径 " + valueText(l_.radius) + " m" + speedText() + "を下回っています。");
    }

    void clothoid(const RouteIp &ip, int index, const char *aLabel, double a, const char *lLabel, double length,
                  double r, const char *rLabel) {
        const std::string given = ip.name + ": クロソイド " + aLabel + "=" + valueText(a);
        if (length < l_.transition)
            warn(index, given + " の長さ " + lLabel + "=" + fixedText(length, 3) + " m が緩和区間長 " +
                            valueText(l_.transition) + " m" + speedText() + "より短くなっています。");
        if (a < r / 3)
            warn(index, given + " が " + rLabel + "/3 = " + fixedText(r / 3, 3) + " m を下回っています（" + rLabel +
                            "=" + valueText(r) + " m、" + rLabel + "/3 ≦ A ≦ " + rLabel + "）。");
        else if (a > r)
            warn(index, given + " が " + rLabel + "=" + valueText(r) + " m を上回っています（" + rLabel + "/3 ≦ A ≦ " +
                            rLabel + "）。");
    }

    void curveLength(const RouteIp &ip, int index) {
        const double cl = ip.curve.cl;
        const std::string given = ip.name + ": 曲線長 CL=" + fixedText(cl, 3) + " m が最小曲線長 ";
        if (ip.ia >= kSevenDegrees) {
            if (cl < l_.curveLength)
                warn(index, given + valueText(l_.curveLength) + " m" + speedText() + "より短くなっています。");
            return;
        }
        const double theta = ip.ia * 180 / std::numbers::pi;
        const double limit = l_.curveFactor / theta;
        if (cl < limit)
            warn(index, given + valueText(l_.curveFactor) + "/θ = " + fixedText(limit, 3) + " m（IA " +
                            angleText(ip.ia) + " < 7°、設計速度 " + std::to_string(l_.speed) +
                            " km/h）より短くなっています。");
    }

    // The clothoid joining an egg curve's circles, against the smaller one.
    void eggClothoid(const RouteIp &ip, int index) {
        const double am = ip.curve.am, small = std::min(ip.curve.r, ip.curve.r2);
        const std::string given = ip.name + ": 卵型のクロソイド AM=" + valueText(am) + " が";
        const std::string rule = "（小円の半径 " + valueText(small) + " m、R/2 ≦ AM ≦ R）。";
        if (am < small / 2)
            warn(index, given + "小円の半径の 1/2 = " + fixedText(small / 2, 3) + " m を下回っています" + rule);
        else if (am > small)
            warn(index, given + "小円の半径 " + valueText(small) + " m を上回っています" + rule);
    }

    const Limits &l_;
    std::vector<Message> &out_;
};

const Limits *limitsFor(int speed) {
    for (const Limits &l : kLimits)
        if (l.speed == speed) return &l;
    return nullptr;
}

} // namespace

bool knownDesignSpeed(int speed) { return limitsFor(speed) != nullptr; }

std::vector<Message> designChecks(const Route &route, int speed) {
    std::vector<Message> out;
    if (speed == 0) return out;
    const Limits *limits = limitsFor(speed);
    if (limits == nullptr) {
        out.push_back(Message{Severity::Refusal, -1,
                              "設計速度 " + std::to_string(speed) +
                                  " km/h の基準値はありません（120, 100, 80, 60, 50, 40, 30, 20 km/h のいずれか）。"});
        return out;
    }
    Checker checker(*limits, out);
    for (std::size_t i = 1; i + 1 < route.ips.size(); ++i) {
        const RouteIp &ip = route.ips[i];
        if (!ip.planned) continue;
        checker.curve(ip, static_cast<int>(i));
        const RouteIp &next = route.ips[i + 1];
        const bool joint = std::fabs(ip.legLength - ip.curve.t2 - next.curve.t1) <= kJointTolerance;
        if (next.planned && joint && next.turn == -ip.turn) checker.sJoint(ip, next, static_cast<int>(i));
    }
    return out;
}

} // namespace korvane::route
