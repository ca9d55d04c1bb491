#include "design/design_texts.h"

#include "design/ascii_form.h"
#include "design/leading_number.h"

namespace design_model {

namespace {

constexpr int kClearedMethod = 1;

void setSampleRows(LaneTexts &side, const char *first, const char *second) {
    side.width[0] = first;
    side.width[1] = second;
    side.widening[0] = side.widening[1] = "0.5";
}

} // namespace

DesignTexts clearedDesignTexts() {
    DesignTexts d;
    d.scale = "250";
    d.a1 = d.radius = d.a2 = "0";
    d.iaDegrees = d.iaMinutes = d.iaSeconds = "0";
    d.stationPitch = "20";
    d.centerPitch = "0.1";
    d.kaStationNo = d.kaStationPlus = "0";
    for (LaneTexts *side : {&d.right, &d.left}) {
        side->width.fill("0");
        side->widening.fill("0");
        side->method.fill(kClearedMethod);
    }
    return d;
}

DesignTexts sampleDesignTexts() {
    DesignTexts d = clearedDesignTexts();
    d.a1 = "40";
    d.radius = "40";
    d.a2 = "35";
    d.iaDegrees = "66";
    d.iaMinutes = "55";
    d.iaSeconds = "44.444";
    d.kaStationNo = "10";
    d.kaStationPlus = "10.111";
    setSampleRows(d.right, "2.75", "1");
    setSampleRows(d.left, "2.75", "0.5");
    d.intervals = "9.889\n20\n20\n20";
    return d;
}

int laneCount(const LaneTexts &side) {
    for (int i = 0; i < kLaneRows; ++i) {
        const std::string width = asciiForm(side.width[i]);
        if (width.empty() || leadingNumber(width) == 0.0) return i;
    }
    return kLaneRows;
}

} // namespace design_model
