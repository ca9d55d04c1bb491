#include "geometry/validation.h"

#include <cmath>

#include "geometry/curve_elements.h"
#include "geometry/design_limits.h"
#include "params/message_box.h"
#include "params/parameter_file.h"

namespace korvane {

namespace {

// A clothoid is drawn point by point at the computation pitch; beyond this
// many steps the drawing would run practically forever.
constexpr double kMaxClothoidSteps = 1000000;

// The ten terms of the clothoid series give its points to a ten-thousandth
// of the length up to a full turn of the tangent; beyond it they diverge, and
// the drawing would be far off the curve.
constexpr double kMaxClothoidAngle = 2 * kPi;

// Below this magnitude a negative arc length is a rounding of IA: the curve is
// drawn with the two clothoids meeting directly.
constexpr double kArcTolerance = 0.0005;

// Strictly greater than 0 and finite: 0, negative values, NaN and infinity fail.
bool positive(double value) { return value > 0 && std::isfinite(value); }

bool finite(double value) { return std::isfinite(value); }

bool whole(double value) { return std::floor(value) == value; }

// The clothoid parameters and the radius, and the angles derived from them and
// IA: angles that are not finite numbers leave nothing to check or draw.
bool parametersAreValid(const DesignRecord &design, const CurveAngles &angles) {
    return positive(design.a1) && positive(design.a2) && positive(design.radius) &&
           finite(angles.iaRadians) && finite(angles.tau1) && finite(angles.tau2) &&
           finite(angles.arcAngle) && finite(angles.arcAngle * design.radius);
}

// The scale, the parameters and the two pitches, in this order; the first
// that fails is reported.
bool inputsAreValid(const DesignRecord &design, const CurveAngles &angles) {
    if (!positive(design.scale)) {
        showError("縮尺が不正です。");
        return false;
    }
    if (!parametersAreValid(design, angles)) {
        showError("パラメータが不正です。");
        return false;
    }
    if (!positive(design.stationPitch)) {
        showError("測点ピッチが不正です。");
        return false;
    }
    if (!positive(design.centerPitch)) {
        showError("計算ピッチが不正です。");
        return false;
    }
    return true;
}

// The clothoids need more deflection than IA gives: accepted only when the
// resulting negative arc is shorter than the tolerance. The two warnings of an
// accepted arc are left out when the caller has asked for refusals only.
bool arcIsAcceptable(const DesignRecord &design, const CurveAngles &angles, ToleranceWarnings warnings) {
    if (std::fabs(angles.iaRadians) - (angles.tau1 + angles.tau2) >= 0) return true;

    const double arcLength = angles.arcAngle * design.radius;
    const bool withinTolerance = std::fabs(arcLength) < kArcTolerance;
    if (withinTolerance && warnings == ToleranceWarnings::onlyWhenRefused) return true;

    showError("データが不正です a=IA-(t1+t2)<0 ");
    if (withinTolerance) {
        showErrorFormatted("\n円曲線長=｜%f｜<0.0005m（許容誤差） 誤差範囲内なので計算続行", arcLength);
        return true;
    }
    showErrorFormatted("\n円曲線長=｜%f｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
                       "又はＩ.Ａ.の精度を上げてください。",
                       arcLength);
    return false;
}

// IA and the clothoids as the drawing can show them. Two tangents meet at an
// angle below a half turn; at 180° and beyond they are parallel or cross the
// other way, and the tangent lengths lose all meaning. The element table
// prints IA in whole degrees and minutes (the seconds with decimals), so a
// fraction of a degree or a minute would be drawn with an angle the table
// does not show. Beyond a full turn of a clothoid the series no longer follows
// it.
bool angleIsDrawable(const DesignRecord &design, const CurveAngles &angles) {
    return std::fabs(angles.iaRadians) < kPi && whole(design.iaDegrees) && whole(design.iaMinutes) &&
           angles.tau1 <= kMaxClothoidAngle && angles.tau2 <= kMaxClothoidAngle;
}

bool stepCountIsBearable(const DesignRecord &design, double a) {
    return a * a / design.radius / design.centerPitch <= kMaxClothoidSteps;
}

// What the drawing needs of a design that the checks of its inputs and its
// arc have accepted.
bool designIsDrawable(const DesignRecord &design, const CurveAngles &angles) {
    if (!angleIsDrawable(design, angles)) {
        showError("パラメータが不正です。");
        return false;
    }
    if (!stepCountIsBearable(design, design.a1) || !stepCountIsBearable(design, design.a2)) {
        showError("計算ピッチが小さすぎます。");
        return false;
    }
    if (!laneDataIsDrawable(design, angles) || !stationingIsDrawable(design, angles)) {
        showError("パラメータが不正です。");
        return false;
    }
    return true;
}

} // namespace

int validateDesign(const DesignRecord &design, const CurveAngles &angles, ToleranceWarnings warnings) {
    const bool valid = inputsAreValid(design, angles) && arcIsAcceptable(design, angles, warnings) &&
                       designIsDrawable(design, angles);
    return valid ? 1 : 0;
}

int checkDesign(DesignRecord &design, ToleranceWarnings warnings) {
    design.angles = deriveAngles(design);
    return validateDesign(design, design.angles, warnings);
}

int checkDesignFile(const char *path, DesignRecord &design) {
    if (!readParameterFile(path, design)) return 0;
    return checkDesign(design);
}

} // namespace korvane
