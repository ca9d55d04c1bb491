#include "landxml/element_reading.h"

#include <cmath>
#include <optional>
#include <utility>

#include "landxml/place_messages.h"
#include "landxml/raw_numbers.h"
#include "route/number_text.h"

namespace korvane::landxml {

using route::PlanePoint;
using route::Segment;

namespace {

constexpr double kTiny = 1e-9; // metres: points closer than this give no direction

// Reads one element, adding refusals and warnings to the messages.
class ElementReader : private PlaceMessages {
public:
    ElementReader(const RawElement &raw, const ElementContext &context, std::vector<route::Message> &messages)
        : PlaceMessages(messages, elementPlace(context, raw)), raw_(raw), context_(context) {}

    bool read(ReadElement &out) {
        out.number = context_.number;
        out.line = raw_.line;
        out.startName = pointName(raw_.start);
        out.endName = pointName(raw_.end);
        bool ok = false;
        if (raw_.tag == "Line") ok = line(out);
        else if (raw_.tag == "Curve") ok = curve(out);
        else if (raw_.tag == "Spiral") ok = spiral(out);
        else return refuse("は " + raw_.tag + " です。読めるのは Line、Curve（円弧）、Spiral（クロソイド）だけです。");
        if (!ok) return false;
        if (!route::segmentInRange(out.segment))
            return refuse("は曲率と長さが扱える範囲を超えています（長さ " + route::valueText(out.segment.length) + " m）。");
        return true;
    }

private:
    // The point's coordinates (its text, or the CgPoint it refers to), in metres.
    std::optional<PlanePoint> point(const RawPoint &p, const char *tag, bool required) {
        if (!p.given) {
            if (required) refuse("に " + std::string(tag) + " がありません。");
            return std::nullopt;
        }
        const RawPoint *source = coordinatesOf(p, *context_.cgPoints);
        if (source == nullptr) {
            refuse("の " + std::string(tag) + " が参照する点 " + p.pntRef + " が CgPoints にありません。");
            return std::nullopt;
        }
        const std::optional<PlanePoint> xy = pointNumbers(source->text);
        if (!xy) {
            refuse("の " + std::string(tag) + " が座標（北 東）として読めません（\"" + source->text.substr(0, 80) + "\"）。");
            return std::nullopt;
        }
        return PlanePoint{xy->x * context_.metres, xy->y * context_.metres};
    }

    // A length attribute in metres; nothing when absent (required: refused)
    // or not a number (refused).
    std::optional<double> lengthAttribute(const char *name, bool required, bool &bad) {
        const std::string *text = attributeValue(raw_.attributes, name);
        if (text == nullptr) {
            if (required) {
                refuse("に " + std::string(name) + " がありません。");
                bad = true;
            }
            return std::nullopt;
        }
        const std::optional<double> value = finiteNumber(*text);
        if (!value || *value < 0) {
            refuse("の " + std::string(name) + " が長さとして読めません（\"" + text->substr(0, 40) + "\"）。");
            bad = true;
            return std::nullopt;
        }
        return *value * context_.metres;
    }

    // +1 for cw (a right turn), −1 for ccw; 0 after a refusal.
    double side() {
        const std::string *rot = attributeValue(raw_.attributes, "rot");
        if (rot != nullptr && *rot == "cw") return 1;
        if (rot != nullptr && *rot == "ccw") return -1;
        refuse(rot == nullptr ? std::string("に rot がありません。") : "の rot が cw でも ccw でもありません（\"" + rot->substr(0, 40) + "\"）。");
        return 0;
    }

    void checkLength(double length, const std::optional<double> &given) {
        if (given && std::fabs(*given - length) > kGapTolerance)
            warn(": length=" + route::valueText(*given) + " m が位置から求めた長さ " + route::fixedText(length, 4) +
                 " m と " + millimetres(*given - length) + " 違います。");
    }

    void checkEnd(const Segment &segment, PlanePoint end) {
        const double gap = route::distanceBetween(route::segmentEnd(segment).point, end);
        if (gap > kGapTolerance) warn(": 要素のデータから求めた終点が End と " + millimetres(gap) + " 離れています。");
    }

    bool line(ReadElement &out) {
        const auto start = point(raw_.start, "Start", true);
        if (!start) return false;
        const auto end = point(raw_.end, "End", true);
        if (!end) return false;
        bool bad = false;
        const auto given = lengthAttribute("length", false, bad);
        if (bad) return false;
        const double length = route::distanceBetween(*start, *end);
        out.segment = route::lineSegment(*start, length > kTiny ? route::directionAngle(*start, *end) : 0, length);
        checkLength(length, given);
        return true;
    }

    bool curve(ReadElement &out) {
        const std::string *type = attributeValue(raw_.attributes, "crvType");
        if (type != nullptr && *type != "arc")
            return refuse("は crvType=\"" + type->substr(0, 40) + "\" です。読めるのは円弧（arc）だけです。");
        const double sign = side();
        if (sign == 0) return false;
        const auto start = point(raw_.start, "Start", true);
        if (!start) return false;
        const auto end = point(raw_.end, "End", true);
        if (!end) return false;
        const auto centre = point(raw_.center, "Center", false);
        if (!centre && raw_.center.given) return false;
        const auto pi = centre ? std::nullopt : point(raw_.pi, "PI", false);
        if (!centre && !pi) return raw_.pi.given ? false : refuse("に Center も PI もありません。");
        bool bad = false;
        const auto givenRadius = lengthAttribute("radius", false, bad);
        const auto givenLength = lengthAttribute("length", false, bad);
        if (bad) return false;
        double radius = givenRadius.value_or(centre ? route::distanceBetween(*start, *centre) : 0);
        if (!(radius > kTiny)) return refuse("の半径が 0 です。");
        double direction = 0, turn = 0;
        if (centre) {
            const double from = route::directionAngle(*centre, *start);
            direction = route::normalisedAngle(from + sign * std::numbers::pi / 2);
            turn = route::normalisedAngle(sign * (route::directionAngle(*centre, *end) - from));
            // A turn of a full circle or more is told by the length the file gives.
            if (givenLength)
                turn += route::kFullTurn * std::max(0.0, std::round((*givenLength / radius - turn) / route::kFullTurn));
            for (const auto &[tag, p] : {std::pair{"Start", *start}, std::pair{"End", *end}}) {
                const double off = route::distanceBetween(p, *centre) - radius;
                if (std::fabs(off) > kGapTolerance)
                    warn(": " + std::string(tag) + " が Center から " + route::fixedText(radius + off, 4) +
                         " m にあり、半径 " + route::valueText(radius) + " m と " + millimetres(off) + " 違います。");
            }
        } else {
            direction = route::directionAngle(*start, *pi);
            const double change = route::turnBetween(direction, route::directionAngle(*pi, *end));
            if (change * sign < 0) return refuse("の rot と PI の曲がる向きが合いません。");
            turn = std::fabs(change);
        }
        out.radius = radius;
        out.segment = route::arcSegment(*start, direction, sign / radius, radius * turn);
        checkLength(out.segment.length, givenLength);
        // With a centre the end lies on the ray to End: only the radius can differ, checked above.
        if (!centre) checkEnd(out.segment, *end);
        return true;
    }

    // A radius attribute as a curvature (0 for INF; 0 is read as INF, as
    // some programs write it, with a warning); nothing after a refusal.
    std::optional<double> curvatureOf(const char *name) {
        const std::string *text = attributeValue(raw_.attributes, name);
        if (text == nullptr) {
            refuse("に " + std::string(name) + " がありません。");
            return std::nullopt;
        }
        if (finiteNumber(*text) == 0.0) {
            warn(": " + std::string(name) + "=\"" + *text + "\" を INF（直線）として読みました。");
            return 0.0;
        }
        const std::optional<double> radius = radiusNumber(*text);
        if (!radius) {
            refuse("の " + std::string(name) + " が半径として読めません（\"" + text->substr(0, 40) + "\"）。");
            return std::nullopt;
        }
        return std::isinf(*radius) ? 0.0 : 1 / (*radius * context_.metres);
    }

    // The start direction of a clothoid with no usable PI: the direction of
    // its chord, less the angle its own shape puts between chord and tangent.
    static double chordDirection(const Segment &shape, PlanePoint start, PlanePoint end) {
        const PlanePoint local = route::segmentEnd(shape).point;
        return route::normalisedAngle(route::directionAngle(start, end) - std::atan2(local.y, local.x));
    }

    bool spiral(ReadElement &out) {
        const std::string *type = attributeValue(raw_.attributes, "spiType");
        if (type != nullptr && *type != "clothoid")
            return refuse("は spiType=\"" + type->substr(0, 40) + "\" です。読めるのはクロソイド（clothoid）だけです。");
        if (type == nullptr) warn(": spiType がないのでクロソイドとして読みました。");
        const double sign = side();
        if (sign == 0) return false;
        const auto k0 = curvatureOf("radiusStart");
        if (!k0) return false;
        const auto k1 = curvatureOf("radiusEnd");
        if (!k1) return false;
        bool bad = false;
        const auto length = lengthAttribute("length", true, bad);
        if (bad || !length) return false;
        const auto start = point(raw_.start, "Start", true);
        if (!start) return false;
        const auto end = point(raw_.end, "End", true);
        if (!end) return false;
        const auto pi = point(raw_.pi, "PI", false);
        if (!pi && raw_.pi.given) return false;
        const double startCurvature = sign * *k0, endCurvature = sign * *k1;
        const Segment shape = route::clothoidSegment(PlanePoint{0, 0}, 0, startCurvature, endCurvature, *length);
        const bool usablePi = pi && route::distanceBetween(*start, *pi) > kTiny && route::distanceBetween(*pi, *end) > kTiny;
        const double direction = usablePi ? route::directionAngle(*start, *pi) : chordDirection(shape, *start, *end);
        out.segment = route::clothoidSegment(*start, direction, startCurvature, endCurvature, *length);
        checkEnd(out.segment, *end);
        if (usablePi) {
            const double kink = route::turnBetween(route::segmentEnd(out.segment).direction, route::directionAngle(*pi, *end));
            if (std::fabs(kink) > kKinkTolerance)
                warn(": 要素のデータから求めた終点の向きが PI→End と " + route::angleText(std::fabs(kink)) + " 違います。");
        }
        readParameterA(out);
        return true;
    }

    // A clothoid's A as the file gives it: the constant attribute, or a
    // Property labelled A.
    void readParameterA(ReadElement &out) {
        const std::string *constant = attributeValue(raw_.attributes, "constant");
        const std::optional<double> a = finiteNumber(constant != nullptr ? *constant : raw_.parameterA);
        if (a && *a > 0) out.parameterA = *a * context_.metres;
    }

    const RawElement &raw_;
    const ElementContext &context_;
};

} // namespace

std::string elementPlace(const ElementContext &context, const RawElement &raw) {
    return "線形「" + context.alignmentName + "」の要素 " + std::to_string(context.number) + "（" + raw.tag + "、" +
           std::to_string(raw.line) + " 行目）";
}

bool readElement(const RawElement &raw, const ElementContext &context, ReadElement &out,
                 std::vector<route::Message> &messages) {
    return ElementReader(raw, context, messages).read(out);
}

} // namespace korvane::landxml
