#include "world/world_alignment.h"

#include <cmath>
#include <cstdio>

#include "geometry/stationing.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

namespace {

// The elements in running order. With stations from the design's second KA,
// the line runs from that KA: its clothoid is met first.
void takeElements(WorldAlignment &w) {
    w.stationsFromEp = stationsFromRight(design);
    w.radius = design.radius;
    w.aIn = w.stationsFromEp ? design.a2 : design.a1;
    w.aOut = w.stationsFromEp ? design.a1 : design.a2;
    w.origin = design.kaStationNo * design.stationPitch + design.kaStationPlus;
}

bool legHoldsTangent(double leg, double tangent, const char *what) {
    if (leg >= tangent) return true;
    char text[256];
    std::snprintf(text, sizeof text,
                  "配置ファイル: %sの距離 %.3f m が接線長 %.3f m より短く、曲線が収まりません。", what,
                  leg, tangent);
    showError(text);
    return false;
}

// BP, the IP with the design's curve as the line meets it, and EP.
route::Route oneIpRoute(const WorldAlignment &w) {
    route::IpInput ip{"IP", w.placement.ip, {}};
    ip.curve.a1 = w.aIn;
    ip.curve.r = w.radius;
    ip.curve.a2 = w.aOut;
    return route::computeRoute({{"BP", w.placement.bp, {}}, ip, {"EP", w.placement.ep, {}}});
}

// The main points, the arc's centre and the clothoids' PIs from the
// segments of the curve: clothoid, arc (when it has a length), clothoid.
void takeMainPoints(WorldAlignment &w) {
    const std::vector<route::Segment> &segments = w.route.alignment.segments;
    std::size_t first = 0;
    while (segments[first].kind != route::SegmentKind::Clothoid) ++first;
    std::size_t second = first + 1;
    while (segments[second].kind != route::SegmentKind::Clothoid) ++second;
    const route::Pose ke1 = route::segmentEnd(segments[first]);
    w.ka1 = segments[first].start;
    w.ke1 = ke1.point;
    w.ke2 = segments[second].start;
    w.ka2 = route::along(w.placement.ip, w.turn.outDirection, w.tangentOut);
    w.centre = second > first + 1 ? route::arcCentre(segments[first + 1])
                                  : route::offsetFrom(ke1.point, ke1.direction, w.side * w.radius);
    w.piIn = route::tangentIntersection(segments[first]);
    w.piOut = route::tangentIntersection(segments[second]);
}

} // namespace

LinePoint WorldAlignment::at(double u) const {
    const route::Pose p = route::poseAt(route.alignment, ka1Along + u);
    return LinePoint{p.point, p.direction};
}

int placeAlignment(const Placement &placement, const TurnAngle &turn, WorldAlignment &w) {
    w = WorldAlignment{};
    w.placement = placement;
    w.turn = turn;
    w.side = turn.right ? 1.0 : -1.0;
    takeElements(w);
    const double inLeg = std::hypot(placement.ip.x - placement.bp.x, placement.ip.y - placement.bp.y);
    const double outLeg = std::hypot(placement.ep.x - placement.ip.x, placement.ep.y - placement.ip.y);
    const double tangentIn = w.stationsFromEp ? design.elements.tangent2 : design.elements.tangent1;
    const double tangentOut = w.stationsFromEp ? design.elements.tangent1 : design.elements.tangent2;
    if (!legHoldsTangent(inLeg, tangentIn, "BP から IP まで") || !legHoldsTangent(outLeg, tangentOut, "IP から EP まで"))
        return 0;
    w.route = oneIpRoute(w);
    for (const route::Message &m : w.route.messages) {
        if (m.severity != route::Severity::Refusal) continue;
        showError(m.text);
        return 0;
    }
    const route::RouteIp &ip = w.route.ips[1];
    w.lengthIn = ip.curve.l1;
    w.arcLength = ip.curve.lc;
    w.lengthOut = ip.curve.l2;
    w.tangentIn = ip.curve.t1;
    w.tangentOut = ip.curve.t2;
    w.ka1Along = ip.curveStart;
    takeMainPoints(w);
    w.bpDistance = w.origin - (inLeg - w.tangentIn);
    w.epDistance = w.origin + w.curveLength() + (outLeg - w.tangentOut);
    return 1;
}

} // namespace korvane
