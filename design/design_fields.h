// The fields of a design in one table: for every text box of the form its
// key in a design file, its label on the form, whether it must be filled in
// and the values it may take. The design file, the form's checks and the
// focus on a refused box all walk this table.
#pragma once

#include <optional>
#include <string>

#include "design/design_limits.h"
#include "design/design_texts.h"

namespace design_model {

// The boxes of the form, in the order in which they are read.
enum class Field {
    Scale,
    A1,
    Radius,
    A2,
    IaDegrees,
    IaMinutes,
    IaSeconds,
    StationPitch,
    CenterPitch,
    KaStationNo,
    KaStationPlus,
    RightWidth,
    RightWidening,
    LeftWidth,
    LeftWidening,
    Intervals,
};

// One end of the values a box may take.
struct Bound {
    double value;
    bool inclusive;
};

// A box holding one text of the design.
struct TextField {
    Field field;
    const char *key;   // in a design file's [design] section
    const char *label; // as the form labels it
    std::string DesignTexts::*text;
    bool required;
    std::optional<Bound> lower;
    std::optional<Bound> upper;
    bool whole = false; // only whole numbers: the drawing prints the value without decimals
};

inline constexpr Bound kFromZero{0, true};
inline constexpr Bound kBelowSixty{60, false};

// The single boxes in reading order, which is also their order in a design
// file. The upper end of ka.plus is the station pitch, and the three IA boxes
// together stay below 180° (field_check.cpp).
inline constexpr TextField kTextFields[] = {
    {Field::Scale, "scale", "縮尺", &DesignTexts::scale, true, {}, {}},
    {Field::A1, "a1", "パラメータ 左側Ａ", &DesignTexts::a1, true, {}, {}},
    {Field::Radius, "radius", "パラメータ 単曲線部Ｒ", &DesignTexts::radius, true, {}, {}},
    {Field::A2, "a2", "パラメータ 右側Ａ", &DesignTexts::a2, true, {}, {}},
    {Field::IaDegrees, "ia.degrees", "交角ＩＡ 度", &DesignTexts::iaDegrees, false, {}, {}, true},
    {Field::IaMinutes, "ia.minutes", "交角ＩＡ 分", &DesignTexts::iaMinutes, false, kFromZero, kBelowSixty, true},
    {Field::IaSeconds, "ia.seconds", "交角ＩＡ 秒", &DesignTexts::iaSeconds, false, kFromZero, kBelowSixty},
    {Field::StationPitch, "station.pitch", "測点ピッチ", &DesignTexts::stationPitch, true, {}, {}},
    {Field::CenterPitch, "center.pitch", "センター計算ピッチ", &DesignTexts::centerPitch, true, {}, {}},
    {Field::KaStationNo, "ka.no", "KA位置 NO", &DesignTexts::kaStationNo, false, {}, {}, true},
    {Field::KaStationPlus, "ka.plus", "KA位置 ＋", &DesignTexts::kaStationPlus, true, kFromZero, {}},
};

// The lane boxes: a width is never negative, a widening amount any number.
inline constexpr Bound kLaneWidthLower = kFromZero;

// A normal-line interval lies between 0 and the end mark, both excluded.
inline constexpr Bound kIntervalLower{0, false};
inline constexpr Bound kIntervalUpper{kIntervalEndMark, false};

// The two option groups are written after these keys in a design file.
inline constexpr Field kCurveDirectionAfter = Field::IaSeconds;
inline constexpr Field kStationDirectionAfter = Field::CenterPitch;

// Widening method m (0, 1, 2) in a design file.
inline constexpr const char *kMethodNames[] = {"none", "linear", "higher"};

// The label of a box as the form shows it, e.g. "右側データ 車線幅 2 列目";
// index is the column of a lane box (0..10) or the line of Intervals (0-based).
std::string fieldLabel(Field field, int index);

} // namespace design_model
