// Helpers of the DXF writer tests: a fixture that points the drawing run at a
// temporary folder, and the reading of DXF text as group code / value pairs.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "drawing/drawing_run.h"
#include "drawing/dxf_writer.h"
#include "params/design_record.h"
#include "test_support.h"

namespace writer_testing {

inline void setPath(char (&buffer)[korvane::kPathCapacity], const std::string &path) {
    std::snprintf(buffer, sizeof buffer, "%s", path.c_str());
}

// A drawing run of a record of the test's own: output and temporary file in a
// fresh folder, scale 250, a left turn, stations from the left, a handle
// counter as the library has it at load and buffers of its own, messages
// recorded. The run is made
// when first used, from the record as it then stands; newRun() makes the
// next one from the record as changed.
class DrawingRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        design.scale = 250.0;
        design.angles.iaRadians = 0.5;
        std::snprintf(design.stationDirection, sizeof design.stationDirection, "L");
        outputPath = dir.file("out.dxf");
        tempPath = dir.file("temp.dxf");
        setPath(design.outputPath, outputPath);
        setPath(design.tempPath, tempPath);
    }

    korvane::DrawingRun &run() {
        if (!run_) run_.emplace(design, handles, buffers);
        return *run_;
    }
    korvane::DrawingRun &newRun() {
        run_.reset();
        return run();
    }
    korvane::DxfWriter &dxf() { return run().dxf(); }
    korvane::DrawingStreams &streams() { return run().streams(); }

    // The output opened for appending, empty.
    void openEmptyOutput() {
        testing_support::writeFile(outputPath, "");
        ASSERT_EQ(korvane::openOutputForAppend(streams()), 1);
    }
    // Closes the output and returns its content.
    std::string closeAndReadOutput() {
        streams().closeAll();
        return testing_support::readFile(outputPath);
    }
    std::vector<std::string> messages() const { return recorder.utf8(); }

    testing_support::TempDir dir;
    testing_support::MessageRecorder recorder;
    korvane::DesignRecord design{};
    korvane::EntityHandles handles;
    korvane::DrawingBuffers buffers;
    std::string outputPath;
    std::string tempPath;

private:
    std::optional<korvane::DrawingRun> run_;
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
