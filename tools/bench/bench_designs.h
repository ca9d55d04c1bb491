// The designs the benchmark draws, as the form would hold them: their
// parameter files are written with the design model, as Rovena writes them.
#pragma once

#include <string>

#include "design/design_texts.h"

namespace bench {

struct BenchDesign {
    std::string name;
    std::string description;
    design_model::DesignTexts texts;
};

// A1 = A2 = R = 300 m, IA 60°, 11 widened lane lines a side, 30 normal lines,
// computed every pitch metres (0.01 m gives about 1.4 million vertices).
BenchDesign heavyDesign(const std::string &name, double pitch);

// The sample design of the program's form: A1 40, A2 35, R 40,
// IA 66°55'44.444", 2 + 2 lane lines, pitch 0.1 m.
BenchDesign sampleDesign();

} // namespace bench
