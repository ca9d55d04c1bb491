// The [placement] section: the curve placed in the national plane
// rectangular coordinate system (JGD2011, X north, Y east, metres).
//
//   [placement]
//   zone = 9                      the coordinate-system zone, 1..19
//   route = 国道1号                the route's name (quoted when it must be)
//   bp = -1234.5678 5678.9012     a point on the first tangent: X Y
//   ip = -1100.0000 5800.0000     the intersection point
//   ep = -1000.0000 5700.0000     a point on the second tangent
//
// One reader and one writer for Rovena's dialog, korvane-draw's options and
// the library, which reads the section from a design file or a file of the
// same shape.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "design/key_value_text.h"

namespace design_model {

// The zones of the plane rectangular coordinate system.
inline constexpr int kZoneCount = 19;
// Plane rectangular coordinates stay well within a few thousand kilometres;
// the bound also keeps every length of the computation finite.
inline constexpr double kCoordinateLimit = 10000000.0;

// The section's texts as typed (UTF-8).
struct PlacementTexts {
    std::string zone;
    std::string route;
    std::array<std::string, 2> bp, ip, ep; // X (north), Y (east)

    bool given() const { return !zone.empty() || !bp[0].empty() || !ip[0].empty() || !ep[0].empty(); }
    bool operator==(const PlacementTexts &) const = default;
};

// The lines of the section without its header: zone, route, bp, ip, ep. A
// line break typed into a value becomes a space; the route is quoted when it
// must be.
std::vector<std::string> placementLines(const PlacementTexts &texts);

// "[placement]" and its lines, each ended by "\n".
std::string placementSectionText(const PlacementTexts &texts);

// The texts of a section's lines as a design file keeps them: lines that are
// no "key = value" and keys this program does not know are skipped, a later
// line of a key wins, a point is its first word and the rest.
PlacementTexts placementTextsOf(const std::vector<std::string> &lines);

// The placement with its numbers, as the library computes with it.
struct PlacementValues {
    int zone = 0;
    std::string route;
    std::array<double, 2> bp{}, ip{}, ep{};
};

// Reads the [placement] sections of a whole UTF-8 text strictly: every line
// of them "key = value", zone, bp, ip and ep each once, route at most once
// and free of control characters, a zone of 1..19, points of two finite
// numbers within kCoordinateLimit (full-width digits read as ASCII). Other
// sections and unknown keys are skipped. On failure problem says what and
// where, in Japanese.
bool readPlacement(std::string_view text, PlacementValues &values, std::string &problem);

} // namespace design_model
