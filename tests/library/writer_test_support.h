// Helpers of the DXF writer tests: a fixture that points the drawing run at a
// temporary folder, and the reading of DXF text as group code / value pairs.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "drawing/dxf_writer.h"
#include "params/design_record.h"
#include "test_support.h"

namespace writer_testing {

inline void setPath(char (&buffer)[korvane::kPathCapacity], const std::string &path) {
    std::snprintf(buffer, sizeof buffer, "%s", path.c_str());
}

// Output and temporary file in a fresh folder, scale 250, messages recorded,
// every stream closed afterwards.
class DrawingRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        korvane::closeAllStreams();
        korvane::resetWriteFailures();
        korvane::design.scale = 250.0;
        korvane::design.iaRadians = 0.5;
        std::snprintf(korvane::design.stationDirection, sizeof korvane::design.stationDirection, "L");
        outputPath = dir.file("out.dxf");
        tempPath = dir.file("temp.dxf");
        setPath(korvane::design.outputPath, outputPath);
        setPath(korvane::design.tempPath, tempPath);
    }
    void TearDown() override {
        korvane::closeAllStreams();
        korvane::resetWriteFailures();
    }

    // The output opened for appending, empty.
    void openEmptyOutput() {
        testing_support::writeFile(outputPath, "");
        ASSERT_EQ(korvane::openOutputForAppend(), 1);
    }
    // Closes the output and returns its content.
    std::string closeAndReadOutput() {
        korvane::closeAllStreams();
        return testing_support::readFile(outputPath);
    }
    std::vector<std::string> messages() const { return recorder.utf8(); }

    testing_support::TempDir dir;
    testing_support::MessageRecorder recorder;
    std::string outputPath;
    std::string tempPath;
};

inline std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

using Pair = std::pair<std::string, std::string>;

inline std::vector<Pair> groupPairs(const std::string &text) {
    std::vector<std::string> lines = splitLines(text);
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) pairs.emplace_back(lines[i], lines[i + 1]);
    return pairs;
}

// The value of every group code 5 in order.
inline std::vector<std::string> handlesOf(const std::string &text) {
    std::vector<std::string> handles;
    bool inHeader = false;
    for (const Pair &pair : groupPairs(text)) {
        if (pair.first == "2" && pair.second == "HEADER") inHeader = true;
        if (pair.first == "0" && pair.second == "ENDSEC") inHeader = false;
        if (pair.first == "5" && !inHeader) handles.push_back(pair.second);
    }
    return handles;
}

inline std::string hexUpper(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%llX", value);
    return text;
}

} // namespace writer_testing
