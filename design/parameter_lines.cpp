#include "design/parameter_lines.h"

#include <cmath>

#include "design/field_check.h"
#include "design/leading_number.h"
#include "design/number_text.h"
#include "design/text_encoding.h"
#include "design/utf8_text.h"

namespace design_model {

namespace {

using Pieces = std::vector<std::string>;

std::string magnitude(const std::string &text) { return numberText(std::fabs(leadingNumber(text))); }

// D M S, the curve direction carried as the sign of the degrees.
std::string intersectionAngle(const DesignTexts &d) {
    const double degrees = std::fabs(leadingNumber(d.iaDegrees));
    return numberText(d.directionUp ? degrees : -degrees) + " " + magnitude(d.iaMinutes) + " " +
           magnitude(d.iaSeconds);
}

std::string widthLine(const LaneTexts &side) {
    std::string line;
    for (int j = 0; j < laneCount(side); ++j) line += numberText(leadingNumber(side.width[j])) + " ";
    return line + "0.0";
}

std::string methodLine(const LaneTexts &side) {
    std::string line;
    for (int j = 0; j < laneCount(side); ++j)
        if (side.method[j] >= 0) line += std::to_string(side.method[j]) + " ";
    return line;
}

std::string wideningLine(const LaneTexts &side) {
    std::string line;
    for (int j = 0; j < laneCount(side); ++j) line += numberText(leadingNumber(side.widening[j])) + " ";
    return line;
}

// An empty station number is station 0; written empty, the reader would take
// the next value of the file for it and every later value would shift.
std::string stationNumber(const std::string &text) { return isAllSpace(text) ? "0" : text; }

Pieces intervalLine(const std::string &text) {
    const std::string normalised = normalisedIntervals(text);
    if (normalised.find_first_not_of(' ') == std::string::npos) return {"0.0 1000."};
    return {normalised, " 1000."};
}

} // namespace

double writtenAngleDegrees(const DesignTexts &design) {
    const DesignTexts d = asciiTexts(design);
    const auto written = [](const std::string &text) { return leadingNumber(magnitude(text)); };
    return written(d.iaDegrees) + written(d.iaMinutes) / 60 + written(d.iaSeconds) / 60 / 60;
}

std::string normalisedIntervals(std::string_view text) {
    std::string result = replacedAll(text, " ", "");
    result = replacedAll(result, "\xE3\x80\x80", ""); // ideographic space
    // Each line break the user sees between two lines stands for CR LF.
    result = replacedAll(result, "\r\n", "\n");
    return replacedAll(result, "\n", " ");
}

std::vector<Pieces> parameterLines(const DesignTexts &design) {
    const DesignTexts d = asciiTexts(design);
    return {
        {d.scale},
        {"DXF dxf"},
        {d.a1},
        {d.a2},
        {d.radius},
        {intersectionAngle(d)},
        {widthLine(d.right)},
        {methodLine(d.right)},
        {wideningLine(d.right)},
        {widthLine(d.left)},
        {methodLine(d.left)},
        {wideningLine(d.left)},
        {d.centerPitch},
        {d.stationLeft ? "L" : "R"},
        {d.stationPitch},
        {stationNumber(d.kaStationNo)},
        {d.kaStationPlus},
        intervalLine(d.intervals),
        {"CENTER2 1"},
        {"DOT 1"},
        {"CONTINUOUS 1"},
        {"E"},
    };
}

bool sendParameterPieces(const DesignTexts &design, const std::function<bool(const std::string &)> &send) {
    for (const Pieces &line : parameterLines(design)) {
        for (const std::string &piece : line)
            if (!send(utf8ToSystemText(piece))) return false;
        if (!send("?")) return false;
    }
    return true;
}

} // namespace design_model
