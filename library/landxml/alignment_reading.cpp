#include "landxml/alignment_reading.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "landxml/place_messages.h"
#include "landxml/raw_numbers.h"
#include "route/number_text.h"

namespace korvane::landxml {

namespace {

constexpr double kNoLength = 1e-6; // metres: an element this short is a point, left out

class AlignmentReader : private PlaceMessages {
public:
    AlignmentReader(const RawAlignment &raw, const LandXmlDocument &document, double metres,
                    std::vector<route::Message> &messages)
        : PlaceMessages(messages, "線形「" + raw.name + "」"), raw_(raw), document_(document), metres_(metres) {}

    bool read(ReadAlignment &out) {
        out.name = raw_.name;
        const bool elementsRead = readElements(out);
        const bool stationsRead = readStations(out.stationing);
        if (!elementsRead || !stationsRead) return false;
        if (out.elements.empty()) return refuse("（" + std::to_string(raw_.line) + " 行目）に長さのある要素がありません。");
        std::vector<route::Segment> segments;
        for (const ReadElement &e : out.elements) segments.push_back(e.segment);
        out.alignment = route::makeAlignment(std::move(segments));
        readPis(out);
        checkJoints(out);
        checkLength(out.alignment.length());
        checkEquations(out);
        return true;
    }

private:
    // Every element is read, so that every one the reader cannot take is named.
    bool readElements(ReadAlignment &out) {
        bool ok = true;
        std::string pendingName; // the start name of an element left out
        for (std::size_t i = 0; i < raw_.elements.size(); ++i) {
            const ElementContext context{raw_.name, static_cast<int>(i + 1), metres_, &document_.cgPoints};
            ReadElement element;
            if (!readElement(raw_.elements[i], context, element, messages_)) {
                ok = false;
                continue;
            }
            if (element.segment.length < kNoLength) {
                if (pendingName.empty()) pendingName = element.startName;
                continue;
            }
            if (element.startName.empty()) element.startName = pendingName;
            pendingName.clear();
            out.elements.push_back(std::move(element));
        }
        if (ok && raw_.elements.empty()) return refuse("（" + std::to_string(raw_.line) + " 行目）に要素（CoordGeom）がありません。");
        // A boundary takes the name of the element that begins there, else
        // that of the element that ends there.
        const std::vector<ReadElement> &e = out.elements;
        for (std::size_t i = 0; i <= e.size() && !e.empty(); ++i) {
            const std::string &begins = i < e.size() ? e[i].startName : pendingName;
            out.boundaryNames.push_back(!begins.empty() ? begins : i > 0 ? e[i - 1].endName : std::string());
        }
        return ok;
    }

    std::optional<double> number(const RawAttributes &attributes, const char *name, int line, bool required) {
        const std::string *text = attributeValue(attributes, name);
        if (text == nullptr) {
            if (required) refuse("の " + std::to_string(line) + " 行目に " + name + " がありません。");
            return std::nullopt;
        }
        const std::optional<double> value = finiteNumber(*text);
        if (!value) refuse("の " + std::to_string(line) + " 行目の " + name + " が数として読めません（\"" + text->substr(0, 40) + "\"）。");
        return value;
    }

    bool readStations(route::Stationing &stationing) {
        const std::string *start = attributeValue(raw_.attributes, "staStart");
        if (start != nullptr) {
            const std::optional<double> value = number(raw_.attributes, "staStart", raw_.line, true);
            if (!value) return false;
            stationing.bpStation = *value * metres_;
        }
        bool ok = true;
        for (const RawEquation &q : raw_.equations) {
            const std::string *increment = attributeValue(q.attributes, "staIncrement");
            if (increment != nullptr && *increment == "decreasing") {
                ok = refuse("の " + std::to_string(q.line) + " 行目の StaEquation は測点が減っていく向き（decreasing）です。読めるのは増えていく測点だけです。");
                continue;
            }
            const std::optional<double> back = number(q.attributes, "staBack", q.line, true);
            const std::optional<double> ahead = number(q.attributes, "staAhead", q.line, true);
            if (!back || !ahead) {
                ok = false;
                continue;
            }
            const std::optional<double> internal = number(q.attributes, "staInternal", q.line, false);
            if (attributeValue(q.attributes, "staInternal") != nullptr && !internal) ok = false;
            stationing.equations.push_back(route::StationEquation{*back * metres_, *ahead * metres_});
            internals_.push_back(internal ? *internal * metres_ : std::nan(""));
        }
        return ok;
    }

    // The PIs are kept only when every one can be read: they serve to give
    // the IP table back, which a missing PI would make wrong.
    void readPis(ReadAlignment &out) {
        for (const RawPoint &p : raw_.pis) {
            const RawPoint *source = coordinatesOf(p, document_.cgPoints);
            const std::optional<route::PlanePoint> xy = source != nullptr ? pointNumbers(source->text) : std::nullopt;
            if (!xy) {
                warn("の " + std::to_string(p.line) + " 行目の PI（AlignPIs）が読めないので、IP 表は組み立てません。");
                out.pis.clear();
                out.piNames.clear();
                return;
            }
            out.pis.push_back(route::PlanePoint{xy->x * metres_, xy->y * metres_});
            out.piNames.push_back(pointName(p));
        }
    }

    // A bend of two straights at a PI is designed, not a fault.
    static bool bendAtPi(const ReadAlignment &out, std::size_t i) {
        if (out.elements[i].segment.kind != route::SegmentKind::Line ||
            out.elements[i + 1].segment.kind != route::SegmentKind::Line)
            return false;
        const route::PlanePoint at = out.elements[i + 1].segment.start;
        return std::any_of(out.pis.begin(), out.pis.end(),
                           [&](route::PlanePoint p) { return route::distanceBetween(p, at) <= kGapTolerance; });
    }

    void checkJoints(const ReadAlignment &out) {
        for (std::size_t i = 0; i + 1 < out.elements.size(); ++i) {
            const route::Joint joint = route::jointAfter(out.alignment, i);
            const bool gap = joint.gap > kGapTolerance;
            const bool kink = std::fabs(joint.kink) > kKinkTolerance && !bendAtPi(out, i);
            if (!gap && !kink) continue;
            std::string what = "の要素 " + std::to_string(out.elements[i].number) + " と " +
                               std::to_string(out.elements[i + 1].number) + " の間に";
            if (gap) what += " " + millimetres(joint.gap) + " のずれ";
            if (gap && kink) what += "と";
            if (kink) what += " " + route::angleText(std::fabs(joint.kink)) + " の折れ";
            warn(what + "があります。");
        }
    }

    void checkLength(double length) {
        const std::string *text = attributeValue(raw_.attributes, "length");
        const std::optional<double> given = text != nullptr ? finiteNumber(*text) : std::nullopt;
        if (given && std::fabs(*given * metres_ - length) > kGapTolerance)
            warn(": length=" + *text + " が要素の長さの和 " + route::fixedText(length, 4) + " m と " +
                 millimetres(*given * metres_ - length) + " 違います。");
    }

    // Where each equation falls by its stations, against the running
    // station (staInternal) the file gives.
    void checkEquations(const ReadAlignment &out) {
        std::vector<route::Message> ignored; // a refused stationing is reported with the table
        const route::StationMap map = route::mapStations(out.stationing, out.alignment.length(), ignored);
        if (map.pieces.size() != internals_.size() + 1) return;
        for (std::size_t j = 0; j < internals_.size(); ++j) {
            const double expected = internals_[j] - out.stationing.bpStation;
            if (std::isnan(expected)) continue;
            const double off = map.pieces[j + 1].from - expected;
            if (std::fabs(off) > kGapTolerance)
                warn("の StaEquation " + std::to_string(j + 1) + " は staBack の位置が staInternal と " + millimetres(off) +
                     " 違います（staBack の位置で読みます）。");
        }
    }

    const RawAlignment &raw_;
    const LandXmlDocument &document_;
    double metres_;
    std::vector<double> internals_;
};

} // namespace

bool readAlignment(const RawAlignment &raw, const LandXmlDocument &document, double metres, ReadAlignment &out,
                   std::vector<route::Message> &messages) {
    return AlignmentReader(raw, document, metres, messages).read(out);
}

} // namespace korvane::landxml
