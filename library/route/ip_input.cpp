#include "route/ip_input.h"

namespace korvane::route {

CurveKind curveKind(const CurveInput &c) {
    if (c.r2 || c.am || c.lc) return c.r && c.r2 && c.am && c.lc ? CurveKind::Egg : CurveKind::Invalid;
    const int filled = (c.a1 ? 1 : 0) | (c.r ? 2 : 0) | (c.a2 ? 4 : 0);
    switch (filled) {
    case 0: return CurveKind::None;
    case 2: return CurveKind::Simple;
    case 1 | 2 | 4: return CurveKind::Basic;
    case 1 | 2: return CurveKind::ClothoidArc;
    case 2 | 4: return CurveKind::ArcClothoid;
    case 1 | 4: return CurveKind::Convex;
    default: return CurveKind::Invalid;
    }
}

const char *curveKindName(CurveKind kind) {
    switch (kind) {
    case CurveKind::None: return "折点";
    case CurveKind::Simple: return "単曲線";
    case CurveKind::Basic: return "基本型";
    case CurveKind::ClothoidArc: return "クロソイド＋円";
    case CurveKind::ArcClothoid: return "円＋クロソイド";
    case CurveKind::Convex: return "凸型";
    case CurveKind::Egg: return "卵型";
    case CurveKind::Invalid: break;
    }
    return "不正";
}

std::string pointName(const std::vector<IpInput> &points, std::size_t i) {
    if (i < points.size() && !points[i].name.empty()) return points[i].name;
    if (i == 0) return "BP";
    if (i + 1 == points.size()) return "EP";
    return "IP" + std::to_string(i);
}

} // namespace korvane::route
