// Arbitrary bytes as a parameter file; when data_chekvb accepts it, the design
// is drawn, and the drawing must either be complete (ending with the end of
// file marker) or be reported as failed.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "fuzz_support.h"
#include "params/design_record.h"

namespace {

// The harness skips designs whose drawing would take long: the library must
// draw them, but a fuzzing run needs many small inputs per second.
bool drawingIsSmall() {
    const korvane::DesignRecord &d = korvane::design;
    double lanes = 1;
    for (double w : d.rightWidth) { if (w == 0) break; lanes += 1; }
    for (double w : d.leftWidth) { if (w == 0) break; lanes += 1; }
    double clothoids = (d.a1 * d.a1 + d.a2 * d.a2) / d.radius;
    double vertices = lanes * (clothoids / d.centerPitch + 400);
    return std::isfinite(vertices) && vertices < 20000;
}

bool endsWithEof(const std::string &path) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char tail[16] = {};
    bool ok = std::fseek(f, -7, SEEK_END) == 0 && std::fread(tail, 1, 7, f) == 7;
    std::fclose(f);
    return ok && std::memcmp(tail, "\n0\nEOF\n", 7) == 0;
}

// Every coordinate, size and angle (group codes 10 to 59) of a drawing
// reported as written is a finite number.
bool numbersAreFinite(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::string code;
    std::string value;
    while (std::getline(in, code) && std::getline(in, value)) {
        const int group = std::atoi(code.c_str());
        if (group < 10 || group > 59) continue;
        char *end = nullptr;
        const double number = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || !std::isfinite(number)) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string path = fuzz_support::writeParameterFile(data, size);
    if (data_chekvb(path.c_str()) == 0) return 0;
    if (!drawingIsSmall()) return 0;
    std::string output = fuzz_support::workFile("out.dxf");
    std::remove(output.c_str());
    int result = save_DXF(output.c_str(), path.c_str(), KORVANE_TEMPLATE_PATH,
                          fuzz_support::workFile("temp.dxf").c_str());
    if (result != 0 && result != 1) std::abort();
    if (result == 1 && !endsWithEof(output)) std::abort();
    if (result == 1 && !numbersAreFinite(output)) std::abort();
    return 0;
}
