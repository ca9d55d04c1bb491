#include "plan/ip_marks.h"

#include <algorithm>
#include <cmath>

#include "plan/plan_frame.h"
#include "plan/plan_text.h"
#include "route/number_text.h"
#include "world/output_file.h"

namespace korvane::plan {

namespace {

using route::RouteIp;

// Base lines of the table this many scales apart; the table this far from the IP.
constexpr double kTableLinePitch = 2.5;
constexpr double kTableGap = 2.0;

std::string value(const char *name, double v) { return std::string(name) + " = " + route::fixedText(v, 3); }

Point unit(Point v) {
    const double length = std::hypot(v.x, v.y);
    return length > 0 ? Point{v.x / length, v.y / length} : Point{0, 0};
}

// Outside the bend: along the bisector away from the curve; to the left of
// the leg where the line goes straight on.
Point outward(const RouteIp &previous, const RouteIp &ip, const RouteIp &next) {
    const Point here = toDrawing(ip.point);
    const Point in = unit(Point{here.x - toDrawing(previous.point).x, here.y - toDrawing(previous.point).y});
    const Point out = unit(Point{toDrawing(next.point).x - here.x, toDrawing(next.point).y - here.y});
    const Point away = unit(Point{in.x - out.x, in.y - out.y});
    return std::hypot(away.x, away.y) > 0.5 ? away : leftOf(in);
}

// The table in the quarter of the sheet that the outward direction points
// into, its nearest corner kTableGap scales from the IP: left-justified when
// it lies to the right, justified on its right end when it lies to the left.
void addTable(const std::vector<std::string> &lines, Point ip, Point away, PlanDrawing &plan) {
    const double scale = plan.scale, height = textHeight(scale), pitch = kTableLinePitch * scale;
    std::vector<std::string> texts;
    for (const std::string &line : lines) texts.push_back(toCp932Text(line));
    const Point corner = plus(ip, away, kTableGap * scale);
    const double tableHeight = static_cast<double>(texts.size() - 1) * pitch + height;
    const bool rightSide = away.x >= 0;
    const double top = away.y >= 0 ? corner.y + tableHeight : corner.y;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const double base = top - height - static_cast<double>(i) * pitch;
        if (rightSide) {
            plan.texts.push_back(PlanText{{corner.x, base}, std::nullopt, height, 0, texts[i]});
        } else {
            const Point end{corner.x, base};
            plan.texts.push_back(
                PlanText{{corner.x - estimatedLength(texts[i], height), base}, end, height, 0, texts[i]});
        }
    }
}

} // namespace

std::vector<std::string> ipTableLines(const RouteIp &ip) {
    std::vector<std::string> lines{ip.name};
    std::string ia = "IA = " + route::angleText(ip.ia);
    if (ip.turn != 0) ia += std::string(" ") + route::turnName(ip.turn);
    lines.push_back(ia);
    if (!ip.planned) return lines;
    const route::CurveElements &e = ip.curve;
    if (e.r > 0) lines.push_back(value("R", e.r));
    if (e.r2 > 0) lines.push_back(value("R2", e.r2));
    if (e.a1 > 0) lines.push_back(value("A1", e.a1));
    if (e.a2 > 0) lines.push_back(value("A2", e.a2));
    lines.push_back(value("TL1", e.t1));
    lines.push_back(value("TL2", e.t2));
    lines.push_back(value("CL", e.cl));
    return lines;
}

void addIpMarks(const std::vector<RouteIp> &ips, PlanDrawing &plan) {
    for (std::size_t i = 0; i + 1 < ips.size(); ++i)
        plan.ipPolygon.push_back(PlanLine{toDrawing(ips[i].point), toDrawing(ips[i + 1].point)});
    for (std::size_t i = 1; i + 1 < ips.size(); ++i)
        addTable(ipTableLines(ips[i]), toDrawing(ips[i].point), outward(ips[i - 1], ips[i], ips[i + 1]), plan);
}

} // namespace korvane::plan
