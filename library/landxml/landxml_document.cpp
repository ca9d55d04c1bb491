#include "landxml/landxml_document.h"

#include <set>

#include "landxml/xml_events.h"

namespace korvane::landxml {

const RawPoint *coordinatesOf(const RawPoint &p, const CgPointsByName &points) {
    if (p.text.find_first_not_of(" \t\r\n") != std::string::npos || p.pntRef.empty()) return &p;
    const auto found = points.find(p.pntRef);
    return found == points.end() ? nullptr : &found->second;
}

const std::string *attributeValue(const RawAttributes &attributes, std::string_view name) {
    for (const auto &[key, value] : attributes)
        if (key == name) return &value;
    return nullptr;
}

namespace {

RawAttributes copied(const std::vector<XmlAttribute> &attributes) {
    RawAttributes out;
    for (const XmlAttribute &a : attributes) out.emplace_back(a.name, a.value);
    return out;
}

std::string valueOf(const std::vector<XmlAttribute> &attributes, std::string_view name) {
    for (const XmlAttribute &a : attributes)
        if (a.name == name) return std::string(a.value);
    return {};
}

bool isPointTag(std::string_view tag) { return tag == "Start" || tag == "End" || tag == "Center" || tag == "PI"; }

// Collects the document from the events. The first pass takes the
// alignments and notes the CgPoints they refer to; a second pass, only when
// there are such references, takes exactly those CgPoints.
class Collector : public XmlHandler {
public:
    Collector(LandXmlDocument &document, const std::set<std::string> *wanted) : document_(document), wanted_(wanted) {}

    std::set<std::string> references;
    std::string refusal;

    bool startElement(std::string_view name, const std::vector<XmlAttribute> &attributes, int line) override {
        stack_.emplace_back(name);
        const std::size_t depth = stack_.size();
        const std::string_view parent = depth >= 2 ? std::string_view(stack_[depth - 2]) : std::string_view();
        if (depth == 1 && name != "LandXML") {
            refusal = "このファイルは LandXML ではありません（最上位の要素が " + std::string(name) + " です）。";
            return false;
        }
        if (point_ != nullptr) return true; // nothing inside a point is collected
        if (wanted_ != nullptr) return startInSecondPass(name, parent, attributes, line);
        // LandXML / Units / Metric, LandXML / CoordinateSystem
        if (depth == 3 && parent == "Units" && (name == "Metric" || name == "Imperial"))
            document_.linearUnit = valueOf(attributes, "linearUnit");
        else if (depth == 2 && name == "CoordinateSystem")
            document_.coordinateSystem = valueOf(attributes, "horizontalCoordinateSystemName");
        // LandXML / Alignments / Alignment / …
        else if (depth == 3 && parent == "Alignments" && name == "Alignment") return beginAlignment(attributes, line);
        else if (depth > 3 && inAlignment_) return startInAlignment(name, parent, attributes, line);
        return true;
    }

    bool endElement(std::string_view) override {
        if (stack_.size() == pointDepth_) {
            pointDepth_ = 0;
            point_ = nullptr;
        }
        if (stack_.size() == 3) inAlignment_ = false;
        stack_.pop_back();
        return true;
    }

    bool text(std::string_view characters) override {
        if (point_ == nullptr) return true;
        if (point_->text.size() + characters.size() > kMaxPointText) {
            refusal = "LandXML ファイルの " + std::to_string(point_->line) + " 行目の座標の文字列が長すぎます。";
            return false;
        }
        point_->text.append(characters);
        return true;
    }

private:
    bool beginAlignment(const std::vector<XmlAttribute> &attributes, int line) {
        if (document_.alignments.size() >= kMaxAlignments) return tooMany("線形（Alignment）", line);
        document_.alignments.push_back(RawAlignment{valueOf(attributes, "name"), line, copied(attributes), {}, {}, {}});
        inAlignment_ = true;
        return true;
    }

    // Alignment / CoordGeom / element / point or Feature / Property,
    // Alignment / StaEquation, Alignment / AlignPIs / AlignPI / PI.
    bool startInAlignment(std::string_view name, std::string_view parent, const std::vector<XmlAttribute> &attributes,
                          int line) {
        RawAlignment &alignment = document_.alignments.back();
        const std::size_t depth = stack_.size();
        const bool inCoordGeom = stack_[3] == "CoordGeom";
        if (depth == 4 && name == "StaEquation") {
            alignment.equations.push_back(RawEquation{copied(attributes), line});
        } else if (depth == 5 && inCoordGeom && name != "Feature") {
            if (alignment.elements.size() >= kMaxElements) return tooMany("要素", line);
            alignment.elements.push_back(RawElement{std::string(name), line, copied(attributes), {}, {}, {}, {}, {}});
        } else if (depth == 6 && inCoordGeom && stack_[4] != "Feature" && isPointTag(name)) {
            RawElement &e = alignment.elements.back();
            beginPoint(name == "Start" ? e.start : name == "End" ? e.end : name == "Center" ? e.center : e.pi,
                       attributes, line);
        } else if (depth == 7 && inCoordGeom && stack_[4] != "Feature" && parent == "Feature" && name == "Property" &&
                   valueOf(attributes, "label") == "A") {
            alignment.elements.back().parameterA = valueOf(attributes, "value");
        } else if (depth == 6 && stack_[3] == "AlignPIs" && parent == "AlignPI" && name == "PI") {
            if (alignment.pis.size() >= kMaxElements) return tooMany("PI", line);
            alignment.pis.emplace_back();
            beginPoint(alignment.pis.back(), attributes, line);
        }
        return true;
    }

    void beginPoint(RawPoint &point, const std::vector<XmlAttribute> &attributes, int line) {
        point = RawPoint{true, {}, valueOf(attributes, "name"), valueOf(attributes, "pntRef"), line};
        if (!point.pntRef.empty()) references.insert(point.pntRef);
        point_ = &point;
        pointDepth_ = stack_.size();
    }

    bool startInSecondPass(std::string_view name, std::string_view parent, const std::vector<XmlAttribute> &attributes,
                           int line) {
        if (name != "CgPoint" || parent != "CgPoints") return true;
        const std::string pointName = valueOf(attributes, "name");
        if (wanted_->count(pointName) == 0 || document_.cgPoints.count(pointName) != 0) return true;
        beginPoint(document_.cgPoints[pointName], attributes, line);
        return true;
    }

    bool tooMany(const char *what, int line) {
        refusal = "LandXML ファイルの " + std::to_string(line) + " 行目: " + what + "が多すぎます。";
        return false;
    }

    LandXmlDocument &document_;
    const std::set<std::string> *wanted_;
    std::vector<std::string> stack_;
    bool inAlignment_ = false;
    std::size_t pointDepth_ = 0;
    RawPoint *point_ = nullptr;
};

bool runPass(std::string_view content, Collector &collector, std::string &message) {
    const XmlReadResult result = readXmlText(content, collector);
    if (result.ok) return true;
    message = result.stoppedByHandler ? collector.refusal : result.message;
    return false;
}

} // namespace

bool readLandXmlDocument(std::string_view content, LandXmlDocument &document, std::string &message) {
    document = LandXmlDocument{};
    Collector first(document, nullptr);
    if (!runPass(content, first, message)) return false;
    if (first.references.empty()) return true;
    Collector second(document, &first.references);
    return runPass(content, second, message);
}

} // namespace korvane::landxml
