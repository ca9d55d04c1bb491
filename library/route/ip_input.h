// The IP table as the engineer fills it: BP, IP1 … IPn, EP with their
// coordinates, and at each IP the curve values that are given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "route/plane.h"

namespace korvane::route {

// The values of one IP's curve; an empty one is not used.
struct CurveInput {
    std::optional<double> a1; // clothoid before the arc
    std::optional<double> r;  // the arc (an egg curve's first arc)
    std::optional<double> a2; // clothoid after the arc
    std::optional<double> r2; // an egg curve's second arc
    std::optional<double> am; // the clothoid joining an egg curve's two arcs
    std::optional<double> lc; // the length of an egg curve's first arc

    bool operator==(const CurveInput &) const = default;
};

struct IpInput {
    std::string name;  // 点名; empty: BP, IPk, EP by position
    PlanePoint point{};
    CurveInput curve;

    bool operator==(const IpInput &) const = default;
};

// The kind of curve at an IP, as its filled values make it.
enum class CurveKind {
    None,        // 折点: no curve, the line bends at the IP
    Simple,      // 単曲線: R
    Basic,       // 基本型: A1, R, A2
    ClothoidArc, // クロソイド＋円: A1, R
    ArcClothoid, // 円＋クロソイド: R, A2
    Convex,      // 凸型: A1, A2; R follows from IA
    Egg,         // 卵型: (A1), R, LC, AM, R2, (A2)
    Invalid,     // values that make no curve
};

CurveKind curveKind(const CurveInput &curve);

// 折点, 単曲線, 基本型, クロソイド＋円, 円＋クロソイド, 凸型, 卵型; 不正 for Invalid.
const char *curveKindName(CurveKind kind);

// The name of point i of the table: its own, or BP, IPi, EP by position.
std::string pointName(const std::vector<IpInput> &points, std::size_t i);

} // namespace korvane::route
