#include "landxml/boundary_names.h"

namespace korvane::landxml {

using route::Segment;
using route::SegmentKind;

namespace {

bool curved(const Segment *g) { return g != nullptr && g->kind != SegmentKind::Line; }

std::string joined(const std::string &a, const std::string &b) {
    if (a.empty()) return b;
    return b.empty() ? a : a + "=" + b;
}

} // namespace

std::vector<std::string> boundaryNames(const route::Alignment &alignment) {
    const std::vector<Segment> &s = alignment.segments;
    std::vector<std::string> names;
    int curve = 0, inner = 0, bends = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        const Segment *before = i > 0 ? &s[i - 1] : nullptr;
        const Segment *after = i < s.size() ? &s[i] : nullptr;
        // A curve goes on through a boundary of the same, non-zero curvature side.
        const bool goesOn = curved(before) && curved(after) && before->endCurvature * after->startCurvature > 0;
        std::string name;
        if (goesOn) {
            name = "KE" + std::to_string(curve) + "-" + std::to_string(++inner);
        } else {
            if (curved(before))
                name = before->kind == SegmentKind::Clothoid ? "KA" + std::to_string(curve) + "-2" : "EC" + std::to_string(curve);
            if (curved(after)) {
                ++curve;
                inner = 0;
                name = joined(name, after->kind == SegmentKind::Clothoid ? "KA" + std::to_string(curve) + "-1"
                                                                         : "BC" + std::to_string(curve));
            }
            if (i == 0) name = joined("BP", name);
            else if (i == s.size()) name = joined(name, "EP");
            else if (name.empty()) name = "折点" + std::to_string(++bends);
        }
        names.push_back(name);
    }
    return names;
}

} // namespace korvane::landxml
