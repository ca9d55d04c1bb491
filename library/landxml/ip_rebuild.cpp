#include "landxml/ip_rebuild.h"

#include <algorithm>
#include <cmath>

#include "landxml/place_messages.h"
#include "route/number_text.h"

namespace korvane::landxml {

using route::SegmentKind;

namespace {

constexpr double kTurnTolerance = 1e-5;      // radians: the elements' turn against the IA of the PIs
constexpr double kCurvatureTolerance = 1e-6; // relative: two radii are the same

bool sameCurvature(double a, double b) {
    return std::fabs(a - b) <= kCurvatureTolerance * std::max(std::fabs(a), std::fabs(b));
}

// A clothoid's A: the file's own value, else from its length and curvatures.
double parameterA(const ReadElement &e) {
    if (e.parameterA > 0) return e.parameterA;
    return std::sqrt(e.segment.length / std::fabs(e.segment.endCurvature - e.segment.startCurvature));
}

// A group of elements as the curve of an IP: 単曲線 (arc), 基本型 and the
// one-sided curves (clothoid from a straight, arc, clothoid to a straight),
// 凸型 (two clothoids), 卵型 (arc, clothoid, arc, with the outer clothoids
// or without); nothing for any other chain.
std::optional<route::CurveInput> curveOf(const std::vector<const ReadElement *> &group) {
    std::string shape;
    for (std::size_t i = 0; i < group.size(); ++i) {
        const route::Segment &g = group[i]->segment;
        shape += g.kind == SegmentKind::Arc ? 'R' : 'A';
        if (g.kind == SegmentKind::Line || g.startCurvature * g.endCurvature < 0) return std::nullopt;
        if (i > 0 && !sameCurvature(group[i - 1]->segment.endCurvature, g.startCurvature)) return std::nullopt;
        if (i > 0 && g.startCurvature * group[0]->segment.endCurvature <= 0) return std::nullopt;
    }
    const route::Segment &first = group.front()->segment, &last = group.back()->segment;
    const bool entering = shape.front() == 'A', leaving = shape.back() == 'A';
    if ((entering && first.startCurvature != 0) || (leaving && last.endCurvature != 0)) return std::nullopt;
    const std::string inner = shape.substr(entering ? 1 : 0, shape.size() - (entering ? 1 : 0) - (leaving ? 1 : 0));
    route::CurveInput c;
    if (entering) c.a1 = parameterA(*group.front());
    if (leaving) c.a2 = parameterA(*group.back());
    const std::size_t arc = entering ? 1 : 0;
    if (inner == "R") {
        c.r = group[arc]->radius;
    } else if (inner == "RAR") {
        c.r = group[arc]->radius;
        c.lc = group[arc]->segment.length;
        c.am = parameterA(*group[arc + 1]);
        c.r2 = group[arc + 2]->radius;
    } else if (!(inner.empty() && entering && leaving && group.size() == 2)) {
        return std::nullopt; // a convex curve is two clothoids and nothing else
    }
    return c;
}

class Rebuilder {
public:
    Rebuilder(const ReadAlignment &a, std::vector<route::Message> &messages) : a_(a), messages_(messages) {}

    std::optional<RebuiltRoute> rebuild() {
        const std::vector<route::PlanePoint> &p = a_.pis;
        if (p.empty()) return std::nullopt;
        if (p.size() < 2 ||
            route::distanceBetween(p.front(), a_.alignment.segments.front().start) > kGapTolerance ||
            route::distanceBetween(p.back(), route::segmentEnd(a_.alignment.segments.back()).point) > kGapTolerance) {
            reject("最初と最後の PI が線形の始点と終点にありません");
            return std::nullopt;
        }
        RebuiltRoute out;
        out.ips.push_back(route::IpInput{a_.piNames.front(), p.front(), {}});
        std::size_t j = 0;
        for (std::size_t k = 1; k + 1 < p.size(); ++k) {
            route::IpInput ip{a_.piNames[k], p[k], {}};
            if (!curveAt(k, j, ip.curve)) return std::nullopt;
            out.ips.push_back(ip);
        }
        skipStraights(j, p.size() - 1);
        if (j != a_.elements.size()) {
            reject("要素 " + std::to_string(a_.elements[j].number) + " からの曲線に当たる PI がありません");
            return std::nullopt;
        }
        out.ips.push_back(route::IpInput{a_.piNames.back(), p.back(), {}});
        out.route = route::computeRoute(out.ips);
        const auto refusal = std::find_if(out.route.messages.begin(), out.route.messages.end(),
                                          [](const route::Message &m) { return m.severity == route::Severity::Refusal; });
        if (refusal != out.route.messages.end()) {
            reject(refusal->text);
            return std::nullopt;
        }
        if (!sameLine(out.route.alignment)) return std::nullopt;
        return out;
    }

private:
    // Says why the table cannot be given back; false.
    bool reject(const std::string &why) {
        messages_.push_back(route::Message{route::Severity::Warning, -1,
                                           "線形「" + a_.name + "」: AlignPIs から IP 表を組み立てられません（" + why +
                                               "）。座標表などは要素から作りますが、IP 表としては保存・編集できません。"});
        return false;
    }

    std::string ipName(std::size_t k) const {
        return !a_.piNames[k].empty() ? a_.piNames[k] : "IP" + std::to_string(k);
    }

    // Passes the straights before IP k; true when they end at it with a bend.
    bool skipStraights(std::size_t &j, std::size_t k) const {
        const std::vector<ReadElement> &e = a_.elements;
        while (j < e.size() && e[j].segment.kind == SegmentKind::Line) {
            ++j;
            const bool atIp = route::distanceBetween(route::segmentEnd(e[j - 1].segment).point, a_.pis[k]) <= kGapTolerance;
            if (atIp && (j == e.size() || e[j].segment.kind == SegmentKind::Line)) return true;
        }
        return false;
    }

    // The elements of IP k's curve, from element j on, as its values.
    bool curveAt(std::size_t k, std::size_t &j, route::CurveInput &curve) {
        const std::vector<route::PlanePoint> &p = a_.pis;
        const double turn =
            route::turnBetween(route::directionAngle(p[k - 1], p[k]), route::directionAngle(p[k], p[k + 1]));
        if (std::fabs(turn) <= kTurnTolerance) return true; // the line runs straight through the PI
        if (skipStraights(j, k)) return true;                  // a bend point
        std::vector<const ReadElement *> group;
        double turned = 0;
        while (j < a_.elements.size() && a_.elements[j].segment.kind != SegmentKind::Line &&
               std::fabs(turned) < std::fabs(turn) - kTurnTolerance) {
            turned += route::segmentTurn(a_.elements[j].segment);
            group.push_back(&a_.elements[j++]);
        }
        if (group.empty()) return reject(ipName(k) + " に曲線の要素がありません");
        const std::string elements = "要素 " + std::to_string(group.front()->number) + "〜" +
                                     std::to_string(group.back()->number);
        if (std::fabs(turned - turn) > kTurnTolerance)
            return reject(ipName(k) + ": " + elements + " の曲がり " + route::angleText(turned) + " が PI の交角 " +
                          route::angleText(turn) + " と合いません");
        const std::optional<route::CurveInput> c = curveOf(group);
        if (!c) return reject(ipName(k) + ": " + elements + " は IP 法の曲線の形ではありません");
        curve = *c;
        return true;
    }

    // The computed route lies on the read elements: as long, and at the
    // start, middle and end of every element of either line, the two lines
    // within the tolerance (a straight the file does not split at a PI on
    // it is the same line as one split there).
    bool sameLine(const route::Alignment &computed) {
        const route::Alignment &read = a_.alignment;
        if (std::fabs(computed.length() - read.length()) > kGapTolerance)
            return reject("IP 表から計算した線形の長さが " + millimetres(computed.length() - read.length()) + " 違います");
        for (const route::Alignment *line : {&read, &computed})
            for (std::size_t i = 0; i < line->segments.size(); ++i)
                for (const double part : {0.0, 0.5, 1.0}) {
                    const double s = line->starts[i] + part * line->segments[i].length;
                    const double off = route::distanceBetween(route::poseAt(read, s).point, route::poseAt(computed, s).point);
                    if (off > kGapTolerance)
                        return reject("IP 表から計算した線形が要素 " +
                                      std::to_string(a_.elements[route::segmentIndexAt(read, s)].number) + " で " +
                                      millimetres(off) + " 離れています");
                }
        return true;
    }

    const ReadAlignment &a_;
    std::vector<route::Message> &messages_;
};

} // namespace

std::optional<RebuiltRoute> rebuildIpTable(const ReadAlignment &alignment, std::vector<route::Message> &messages) {
    return Rebuilder(alignment, messages).rebuild();
}

} // namespace korvane::landxml
