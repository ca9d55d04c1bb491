// Many check-and-draw cycles of the sample design in one process, as a
// session that stays open all day makes them: every drawing complete, its
// handles unique, and the memory of the process flat.
//
// The default run makes 1,000 cycles (200 with the sanitizers). The full
// 10,000: KORVANE_LONG_RUN_CYCLES=10000 korvane_tests --gtest_filter='LongRun.*'
#include <gtest/gtest.h>

#ifdef _WIN32
#  include <windows.h>
#  include <psapi.h>
#else
#  include <sys/resource.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "drawing_support.h"
#include "korvane.h"
#include "test_support.h"

using testing_support::kSampleParameterText;
using testing_support::MessageRecorder;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr long kDefaultCycles = 200;
constexpr bool kMemoryIsMeasurable = false; // the sanitizer keeps freed memory aside
#else
constexpr long kDefaultCycles = 1000;
constexpr bool kMemoryIsMeasurable = true;
#endif

long cycles() {
    const char *text = std::getenv("KORVANE_LONG_RUN_CYCLES");
    const long n = text ? std::atol(text) : 0;
    return n > 0 ? n : kDefaultCycles;
}

long peakRssKilobytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return long(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

// The values of every group 5 (entity handle) of the entities of a DXF text,
// read pair by pair (the header's $HANDSEED is a group 5 too).
std::vector<std::string_view> handlesOf(std::string_view content) {
    std::vector<std::string_view> handles;
    const std::size_t entities = content.find("\n2\nENTITIES\n");
    if (entities == std::string_view::npos) return handles;
    std::size_t at = entities + 1;
    auto nextLine = [&](std::string_view &line) {
        if (at >= content.size()) return false;
        std::size_t end = content.find('\n', at);
        if (end == std::string_view::npos) end = content.size();
        line = content.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string_view code, value;
    while (nextLine(code) && nextLine(value))
        if (code == "5" || code == "  5") handles.push_back(value);
    return handles;
}

} // namespace

TEST(LongRun, ManyDrawingsInOneProcessStayCompleteWithUniqueHandles) {
    TempDir dir;
    const std::string param = dir.file("ALN_TXT_.DAT");
    const std::string output = dir.file("out.dxf");
    const std::string temp = dir.file("temp.dxf");
    const std::string tmpl = drawing_support::templatePath();
    writeFile(param, kSampleParameterText);

    const long n = cycles();
    MessageRecorder recorder;
    long rssAtStart = 0;
    std::size_t handlesPerDrawing = 0;
    std::string previousFirstHandle;
    for (long i = 0; i < n; ++i) {
        ASSERT_EQ(data_chekvb(param.c_str()), 1) << "cycle " << i;
        ASSERT_EQ(save_DXF(output.c_str(), param.c_str(), tmpl.c_str(), temp.c_str()), 1) << "cycle " << i;
        ASSERT_TRUE(recorder.cp932().empty()) << "cycle " << i;

        const std::string content = readFile(output);
        ASSERT_GE(content.size(), 7u);
        ASSERT_EQ(content.substr(content.size() - 7), "\n0\nEOF\n") << "cycle " << i;
        std::vector<std::string_view> handles = handlesOf(content);
        // The same drawing each time: as many handles, all different within it,
        // and none of the previous drawing's first handle again (the counter
        // goes on from one drawing to the next).
        if (i == 0) handlesPerDrawing = handles.size();
        ASSERT_EQ(handles.size(), handlesPerDrawing) << "cycle " << i;
        ASSERT_GT(handles.size(), 1000u);
        const std::string first(handles.front());
        std::sort(handles.begin(), handles.end());
        ASSERT_EQ(std::adjacent_find(handles.begin(), handles.end()), handles.end()) << "cycle " << i;
        ASSERT_FALSE(std::binary_search(handles.begin(), handles.end(), std::string_view(previousFirstHandle)))
            << "cycle " << i;
        previousFirstHandle = first;

        if (i == 9) rssAtStart = peakRssKilobytes();
    }
    const long rssAtEnd = peakRssKilobytes();
    std::printf("%ld cycles, peak RSS after 10 cycles %ld KiB, at the end %ld KiB\n", n, rssAtStart,
                rssAtEnd);
    if (kMemoryIsMeasurable && n >= 100) {
        EXPECT_LE(rssAtEnd - rssAtStart, 1024) << "memory grew";
    }
}
