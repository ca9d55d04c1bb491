// The keys of the [design] section that hold a text of the form, in the
// order they are written, and the words of the widening methods. Shared by
// the writer and the reader of design files.
#pragma once

#include <QString>

#include "parameter_serialiser.h"

namespace rovena::design_keys {

struct TextKey {
    const char *key;
    QString DesignTexts::*field;
};

inline constexpr TextKey kTextKeys[] = {
    {"scale", &DesignTexts::scale},
    {"a1", &DesignTexts::a1},
    {"radius", &DesignTexts::radius},
    {"a2", &DesignTexts::a2},
    {"ia.degrees", &DesignTexts::iaDegrees},
    {"ia.minutes", &DesignTexts::iaMinutes},
    {"ia.seconds", &DesignTexts::iaSeconds},
    {"station.pitch", &DesignTexts::stationPitch},
    {"center.pitch", &DesignTexts::centerPitch},
    {"ka.no", &DesignTexts::kaStationNo},
    {"ka.plus", &DesignTexts::kaStationPlus},
};

// The two direction choices are written after these keys.
inline constexpr const char *kCurveDirectionAfter = "ia.seconds";
inline constexpr const char *kStationDirectionAfter = "center.pitch";

// Widening method m (0, 1, 2) is written as kMethodNames[m].
inline constexpr const char *kMethodNames[] = {"none", "linear", "higher"};

} // namespace rovena::design_keys
