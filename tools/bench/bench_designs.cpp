#include "bench_designs.h"

#include "design/number_text.h"

namespace bench {

namespace {

// Eleven lines of 3.5 m, each widened by 0.5 m, the methods alternating
// linear and higher order.
void elevenLanes(design_model::LaneTexts &side) {
    for (int i = 0; i < design_model::kLaneRows; ++i) {
        side.width[i] = "3.5";
        side.widening[i] = "0.5";
        side.method[i] = i % 2 == 0 ? 1 : 2;
    }
}

} // namespace

BenchDesign heavyDesign(const std::string &name, double pitch) {
    design_model::DesignTexts d = design_model::clearedDesignTexts();
    d.a1 = d.a2 = d.radius = "300";
    d.iaDegrees = "60";
    elevenLanes(d.right);
    elevenLanes(d.left);
    d.centerPitch = design_model::numberText(pitch);
    d.kaStationNo = "10";
    for (int i = 0; i < 30; ++i) d.intervals += i == 0 ? "20" : "\n20";
    return {name, "A1=A2=R=300 m, IA 60 deg, 11+11 widened lanes, pitch " + d.centerPitch + " m", d};
}

BenchDesign sampleDesign() {
    return {"sample", "A1 40, R 40, A2 35, IA 66d55'44.444\", 2+2 lanes, pitch 0.1 m",
            design_model::sampleDesignTexts()};
}

} // namespace bench
