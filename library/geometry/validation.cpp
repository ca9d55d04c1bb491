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

// Two tangents meet at an angle below a half turn; at 180° and beyond they are
// parallel or cross the other way, and the tangent lengths lose all meaning.
bool belowHalfTurn(double angle) { return std::fabs(angle) < kPi; }

// The clothoid parameters and the radius, and the angles derived from them and
// IA: a design whose angles are not finite numbers, whose IA is a half turn or
// more, or whose clothoids turn by more than the series can follow, cannot be
// drawn.
bool parametersAreValid(const DesignRecord &design, const CurveAngles &angles) {
    return positive(design.a1) && positive(design.a2) && positive(design.radius) &&
           finite(angles.iaRadians) && belowHalfTurn(angles.iaRadians) &&
           finite(angles.tau1) && finite(angles.tau2) &&
           finite(angles.arcAngle) && finite(angles.arcAngle * design.radius) &&
           angles.tau1 <= kMaxClothoidAngle && angles.tau2 <= kMaxClothoidAngle;
}

bool stepCountIsBearable(const DesignRecord &design, double a) {
    return a * a / design.radius / design.centerPitch <= kMaxClothoidSteps;
}

// The clothoids need more deflection than IA gives: accepted only when the
// resulting negative arc is shorter than the tolerance. The two warnings of an
// accepted arc are left out when the caller has asked for refusals only.
int checkArc(const DesignRecord &design, const CurveAngles &angles, ToleranceWarnings warnings) {
    if (std::fabs(angles.iaRadians) - (angles.tau1 + angles.tau2) >= 0) return 1;

    const double arcLength = angles.arcAngle * design.radius;
    const bool withinTolerance = std::fabs(arcLength) < kArcTolerance;
    if (withinTolerance && warnings == ToleranceWarnings::onlyWhenRefused) return 1;

    showError("データが不正です a=IA-(t1+t2)<0 ");
    if (withinTolerance) {
        showErrorFormatted("\n円曲線長=｜%f｜<0.0005m（許容誤差） 誤差範囲内なので計算続行", arcLength);
        return 1;
    }
    showErrorFormatted("\n円曲線長=｜%f｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
                       "又はＩ.Ａ.の精度を上げてください。",
                       arcLength);
    return 0;
}

} // namespace

int validateDesign(const DesignRecord &design, const CurveAngles &angles, ToleranceWarnings warnings) {
    if (!positive(design.scale)) {
        showError("縮尺が不正です。");
        return 0;
    }
    if (!parametersAreValid(design, angles)) {
        showError("パラメータが不正です。");
        return 0;
    }
    if (!positive(design.stationPitch)) {
        showError("測点ピッチが不正です。");
        return 0;
    }
    if (!positive(design.centerPitch)) {
        showError("計算ピッチが不正です。");
        return 0;
    }
    if (!stepCountIsBearable(design, design.a1) || !stepCountIsBearable(design, design.a2)) {
        showError("計算ピッチが小さすぎます。");
        return 0;
    }
    if (!laneDataIsDrawable(design, angles) || !stationingIsDrawable(design, angles)) {
        showError("パラメータが不正です。");
        return 0;
    }
    return checkArc(design, angles, warnings);
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
