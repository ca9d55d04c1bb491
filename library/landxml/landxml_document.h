// The parts of a LandXML file that make its alignments, as the file writes
// them (texts not yet read as numbers): the alignments with their elements,
// station equations and PIs, the length unit, the coordinate system, and the
// CgPoints that a Start, End, Center or PI refers to by pntRef.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace korvane::landxml {

struct RawPoint {
    bool given = false;
    std::string text;   // "north east [elevation]"
    std::string name;   // its name attribute
    std::string pntRef; // the CgPoint it stands for
    int line = 0;
};

using CgPointsByName = std::unordered_map<std::string, RawPoint>;

// The point whose text gives p's coordinates: p itself, or the CgPoint its
// pntRef names when p has no text of its own; null when that CgPoint is not
// in points.
const RawPoint *coordinatesOf(const RawPoint &p, const CgPointsByName &points);

// The name p gives its point: its name, else the CgPoint it refers to.
inline const std::string &pointName(const RawPoint &p) { return !p.name.empty() ? p.name : p.pntRef; }

using RawAttributes = std::vector<std::pair<std::string, std::string>>;

// The value of an attribute, or null.
const std::string *attributeValue(const RawAttributes &attributes, std::string_view name);

struct RawElement {
    std::string tag; // Line, Curve, Spiral, or what else the file has
    int line = 0;
    RawAttributes attributes;
    RawPoint start, end, center, pi;
    std::string parameterA; // <Feature><Property label="A" value="…"/></Feature>
};

struct RawEquation {
    RawAttributes attributes; // staBack, staAhead, staInternal, staIncrement
    int line = 0;
};

struct RawAlignment {
    std::string name;
    int line = 0;
    RawAttributes attributes; // staStart, length
    std::vector<RawElement> elements;
    std::vector<RawEquation> equations;
    std::vector<RawPoint> pis; // AlignPIs, in order
};

struct LandXmlDocument {
    std::vector<RawAlignment> alignments;
    std::string linearUnit;       // of Units; empty: metres
    std::string coordinateSystem; // horizontalCoordinateSystemName, e.g. "9(X,Y)"
    CgPointsByName cgPoints; // those referred to
};

// Bounds that keep a hostile file from taking the memory.
constexpr std::size_t kMaxAlignments = 10000;
constexpr std::size_t kMaxElements = 100000; // per alignment, and PIs
constexpr std::size_t kMaxPointText = 1024;

// Reads the document; false with the reason (Japanese) in message.
bool readLandXmlDocument(std::string_view content, LandXmlDocument &document, std::string &message);

} // namespace korvane::landxml
