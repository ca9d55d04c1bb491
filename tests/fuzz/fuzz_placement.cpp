// Arbitrary bytes as a placement file, with the sample design: the IA, the
// coordinate table and the J-LandXML file are derived or refused, never more.
#include "fuzz_support.h"

namespace {

const char kSampleDesign[] = "250\nDXF dxf\n40\n35\n40\n66 55 44.444\n2.75 1 0.0\n1 1 \n0.5 0.5 \n"
                             "2.75 0.5 0.0\n1 1 \n0.5 0.5 \n0.1\nL\n20\n10\n10.111\n9.889 20 20 20 1000.\n"
                             "CENTER2 1\nDOT 1\nCONTINUOUS 1\nE\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string placement = fuzz_support::workFile("placement.rvd");
    const std::string parameters =
        fuzz_support::writeParameterFile(reinterpret_cast<const std::uint8_t *>(kSampleDesign), sizeof kSampleDesign - 1);
    std::FILE *f = std::fopen(placement.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    const int results[] = {
        korvane_placement_angle(parameters.c_str(), placement.c_str(), fuzz_support::workFile("ia.txt").c_str()),
        korvane_coordinate_table(parameters.c_str(), placement.c_str(), fuzz_support::workFile("t.csv").c_str(), 0),
        korvane_landxml(parameters.c_str(), placement.c_str(), fuzz_support::workFile("a.xml").c_str())};
    for (const int result : results)
        if (result != 0 && result != 1) std::abort();
    return 0;
}
