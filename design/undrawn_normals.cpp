#include "design/undrawn_normals.h"

#include <cmath>
#include <cstdio>

#include "design/ascii_form.h"
#include "design/design_limits.h"
#include "design/field_check.h"
#include "design/leading_number.h"
#include "design/number_text.h"
#include "design/parameter_lines.h"

namespace design_model {

namespace {

double number(const std::string &typed) { return leadingNumber(asciiForm(typed)); }

std::string metres(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f m", value);
    return text;
}

} // namespace

double curveLength(const DesignTexts &d) {
    const double a1 = number(d.a1), a2 = number(d.a2), r = number(d.radius);
    const double ia = writtenAngleDegrees(d) / 180 * kLibraryPi;
    const double tau1 = a1 * a1 / (r * (r * 2));
    const double tau2 = a2 * a2 / (r * (r * 2));
    // Clothoids that need more than IA meet without an arc.
    const double arc = ia - (tau1 + tau2) < 0 ? 0 : r * (ia - (tau1 + tau2));
    return a1 * a1 / r + arc + a2 * a2 / r;
}

std::optional<UndrawnNormals> undrawnNormals(const DesignTexts &d) {
    const std::vector<IntervalValue> values = intervalValues(d.intervals);
    const double curve = curveLength(d);
    double position = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double next = position + values[i].value;
        std::optional<UndrawnReason> reason;
        if (!(next < curve)) reason = UndrawnReason::BeyondCurve;
        else if (next > kIntervalEndMark) reason = UndrawnReason::BeyondReach;
        else if (i > 0 && next == position) reason = UndrawnReason::NoAdvance;
        if (reason) return UndrawnNormals{values[i].line, static_cast<int>(values.size() - i), next, *reason, curve};
        position = next;
    }
    return std::nullopt;
}

std::string undrawnNormalsNote(const UndrawnNormals &u) {
    const std::string line = std::to_string(u.line + 1) + " 行目";
    std::string note = "法線設置位置 " + line +
                       (u.count > 1 ? "から先の " + std::to_string(u.count) + " 本" : "") + "は作図されていません：";
    switch (u.reason) {
    case UndrawnReason::BeyondCurve:
        return note + "KA から " + metres(u.position) + " が曲線長 CL " + metres(u.curveLength) + " 以上です。";
    case UndrawnReason::BeyondReach:
        return note + "KA から " + metres(u.position) + " が " + numberText(kIntervalEndMark) + " m を超えています。";
    case UndrawnReason::NoAdvance: return note + line + "の間隔が小さすぎて位置が進みません。";
    }
    return note;
}

} // namespace design_model
