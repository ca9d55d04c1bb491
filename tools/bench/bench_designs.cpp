#include "bench_designs.h"

#include <cstdio>

namespace bench {

namespace {

// The lines of one side's lane lists: widths ended by "0.0", then the methods
// and the widening amounts, each value followed by a space.
void appendSide(std::vector<std::string> &lines, int count, const char *width) {
    std::string widths, methods, amounts;
    for (int i = 0; i < count; ++i) {
        widths += width;
        widths += ' ';
        methods += (i % 2 == 0) ? "1 " : "2 ";
        amounts += "0.5 ";
    }
    widths += "0.0";
    lines.push_back(widths);
    lines.push_back(methods);
    lines.push_back(amounts);
}

std::string numberText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

} // namespace

BenchDesign heavyDesign(const std::string &name, double pitch) {
    BenchDesign design;
    design.name = name;
    design.description = "A1=A2=R=300 m, IA 60 deg, 11+11 widened lanes, pitch " +
                         numberText(pitch) + " m";
    auto &l = design.lines;
    l = {"250", "DXF dxf", "300", "300", "300", "60 0 0"};
    appendSide(l, 11, "3.5");
    appendSide(l, 11, "3.5");
    l.push_back(numberText(pitch));
    l.insert(l.end(), {"L", "20", "10", "0"});
    std::string intervals;
    for (int i = 0; i < 30; ++i) intervals += "20 ";
    l.push_back(intervals + "1000.");
    l.insert(l.end(), {"CENTER2 1", "DOT 1", "CONTINUOUS 1", "E"});
    return design;
}

BenchDesign sampleDesign() {
    BenchDesign design;
    design.name = "sample";
    design.description = "A1 40, R 40, A2 35, IA 66d55'44.444\", 2+2 lanes, pitch 0.1 m";
    design.lines = {"250",      "DXF dxf",   "40",          "35",
                    "40",       "66 55 44.444", "2.75 1 0.0", "1 1 ",
                    "0.5 0.5 ", "2.75 0.5 0.0", "1 1 ",       "0.5 0.5 ",
                    "0.1",      "L",         "20",          "10",
                    "10.111",   "9.889 20 20 20 1000.", "CENTER2 1", "DOT 1",
                    "CONTINUOUS 1", "E"};
    return design;
}

} // namespace bench
