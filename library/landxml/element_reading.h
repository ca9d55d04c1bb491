// One element of a LandXML CoordGeom (Line, Curve, Spiral) as a segment of
// the route model, from its own data only: its own Start point and the start
// direction its own data give (Start→End for a line, the centre for an arc,
// Start→PI for a spiral), so that the rounding of one element never carries
// into the next. Its data are checked against each other.
#pragma once

#include <numbers>
#include <string>
#include <unordered_map>
#include <vector>

#include "landxml/landxml_document.h"
#include "route/message.h"
#include "route/segment.h"

namespace korvane::landxml {

// Disagreements within an element or between two elements beyond these are
// reported.
constexpr double kGapTolerance = 0.001;                                // metres
constexpr double kKinkTolerance = std::numbers::pi / (180.0 * 3600.0); // one second of arc

struct ElementContext {
    std::string alignmentName;
    int number = 0;     // 1-based position in the CoordGeom
    double metres = 1;  // metres per length unit of the file
    const CgPointsByName *cgPoints = nullptr;
};

struct ReadElement {
    route::Segment segment;
    int number = 0;
    int line = 0;
    std::string startName, endName; // the names the file gives its ends
    double radius = 0;              // an arc's radius as the file gives it
    double parameterA = 0;          // a clothoid's A as the file gives it; 0 when it does not
};

// Where an element stands, for messages: 線形「name」の要素 n（tag、l 行目）.
std::string elementPlace(const ElementContext &context, const RawElement &raw);

// Reads the element; false after a refusal (added to messages), which names
// the element and what is wrong. Data that disagree with each other beyond
// the tolerances are warnings.
bool readElement(const RawElement &raw, const ElementContext &context, ReadElement &out,
                 std::vector<route::Message> &messages);

} // namespace korvane::landxml
