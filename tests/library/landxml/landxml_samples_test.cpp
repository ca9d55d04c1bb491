// Public LandXML sample alignments (data/README.md names their source),
// read element by element: each element's station and the alignment's
// length as the file states them (staStart, length attributes, found here by
// a regular expression, not by the reader), no joint beyond 1 mm or 1″.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "landxml/landxml_reader.h"
#include "platform_skip.h"
#include "test_support.h"

using korvane::landxml::readLandXml;
using korvane::route::LoadedRoute;

namespace {

std::string samplePath(const std::string &name) {
    return std::string(KORVANE_SOURCE_DIR) + "/tests/library/landxml/data/" + name;
}

// The staStart of every element of the CoordGeom, and the alignment's length.
struct Stated {
    std::vector<double> starts;
    double length = 0;
};

Stated stated(const std::string &text) {
    Stated s;
    const std::regex element("<(Line|Curve|Spiral) [^>]*staStart=\"([0-9.]+)\"");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), element); it != std::sregex_iterator(); ++it)
        s.starts.push_back(std::stod((*it)[2]));
    std::smatch length;
    if (std::regex_search(text, length, std::regex("<Alignment [^>]*length=\"([0-9.]+)\""))) s.length = std::stod(length[1]);
    return s;
}

} // namespace

TEST(LandXmlSamples, InframodelAlignmentsReadWithTheirStatedStationsAndNoJointsReported) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    const struct {
        const char *file, *name;
        std::size_t elements;
    } samples[] = {
        {"M3_RS-CL.tg.xml", "M3_RS - CL", 15},
        {"Y10_RS-CL.tg.xml", "Y10_RS - CL", 3},
        {"Y11_RS-CL.tg.xml", "Y11_RS - CL", 5},
    };
    for (const auto &sample : samples) {
        SCOPED_TRACE(sample.file);
        const LoadedRoute r = readLandXml(samplePath(sample.file), "");
        EXPECT_TRUE(r.messages.empty()) << r.messages.front().text;
        EXPECT_EQ(r.settings.name, sample.name);
        ASSERT_EQ(r.alignment.segments.size(), sample.elements);
        const Stated s = stated(testing_support::readBytes(samplePath(sample.file)));
        ASSERT_EQ(s.starts.size(), sample.elements);
        // The files round to the micrometre; their stations add rounded lengths.
        for (std::size_t i = 0; i < s.starts.size(); ++i) EXPECT_NEAR(r.alignment.starts[i], s.starts[i], 1e-5) << i;
        EXPECT_NEAR(r.alignment.length(), s.length, 1e-5);
        EXPECT_TRUE(r.ips.empty()); // no AlignPIs
        EXPECT_EQ(r.mainPoints.front().name, "BP");
    }
}
