// Times the LandXML reader on a 20 km alignment of 300 elements (75 curves
// of clothoid, arc and clothoid with a straight before each): the file read
// and its elements built (readLandXml), then the rows of its coordinate
// table with an extra station every metre (loadedRows), on one core. The
// file is our own J-LandXML of the route, written once before the runs.
//
//   korvane-landxml-bench [-r RUNS]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

#include "landxml/landxml_reader.h"
#include "route/route_input.h"
#include "route/route_landxml.h"
#include "route/route_rows.h"

using namespace korvane::route;

namespace {

constexpr int kCurves = 75;
constexpr double kLeg = 266.0; // 76 legs: the line is about 20 km

// Basic curves of A = 90, R = 350 turning 18° left and right by turns.
std::vector<IpInput> longRoute() {
    std::vector<IpInput> points;
    PlanePoint at{-30000, 20000};
    double direction = std::numbers::pi / 4;
    points.push_back(IpInput{"BP", at, {}});
    for (int i = 0; i <= kCurves; ++i) {
        at = along(at, direction, kLeg);
        if (i == kCurves) {
            points.push_back(IpInput{"EP", at, {}});
            break;
        }
        points.push_back(IpInput{"", at, CurveInput{90.0, 350.0, 90.0, {}, {}, {}}});
        direction += (i % 2 == 0 ? 1 : -1) * 18 * std::numbers::pi / 180;
    }
    return points;
}

double milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char **argv) {
    int runs = 7;
    if (argc == 3 && std::strcmp(argv[1], "-r") == 0) runs = std::max(1, std::atoi(argv[2]));
    else if (argc != 1) {
        std::fprintf(stderr, "usage: korvane-landxml-bench [-r RUNS]\n");
        return 2;
    }
    LoadedRoute designed;
    designed.ips = longRoute();
    computeLoadedRoute(designed);
    std::vector<Message> messages;
    const std::vector<TableRow> designedRows = loadedRows(designed, messages);
    if (hasRefusal(designed.messages) || designedRows.empty()) {
        std::fprintf(stderr, "korvane-landxml-bench: the route was not computed\n");
        return 1;
    }
    const std::string path = (std::filesystem::temp_directory_path() / "korvane-landxml-bench.xml").string();
    std::ofstream(path, std::ios::binary) << routeLandXmlText(designed, designedRows, std::tm{});

    std::vector<double> read, rows, total;
    std::size_t rowCount = 0, elements = 0;
    double length = 0;
    for (int run = 0; run < runs; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        LoadedRoute route = korvane::landxml::readLandXml(path, "");
        const auto t1 = std::chrono::steady_clock::now();
        route.settings.stationing.extras.reserve(static_cast<std::size_t>(route.alignment.length()) + 1);
        for (double s = 1; s < route.alignment.length(); s += 1) route.settings.stationing.extras.push_back(ExtraStation{s, {}});
        messages.clear();
        const std::vector<TableRow> table = loadedRows(route, messages);
        const auto t2 = std::chrono::steady_clock::now();
        if (!route.messages.empty() || !messages.empty() || table.empty()) {
            std::fprintf(stderr, "korvane-landxml-bench: the file was not read: %s\n",
                         !route.messages.empty() ? route.messages[0].text.c_str() : "no rows");
            return 1;
        }
        read.push_back(milliseconds(t1 - t0));
        rows.push_back(milliseconds(t2 - t1));
        total.push_back(milliseconds(t2 - t0));
        rowCount = table.size();
        elements = route.alignment.segments.size();
        length = route.alignment.length();
    }
    std::filesystem::remove(path);
    const auto best = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("korvane-landxml-bench: %.3f km, %zu elements, %zu table rows (an extra station every metre), %d runs\n",
                length / 1000, elements, rowCount, runs);
    std::printf("  %-34s %10s %10s\n", "", "best ms", "median ms");
    std::printf("  %-34s %10.2f %10.2f\n", "file read (readLandXml)", best(read), median(read));
    std::printf("  %-34s %10.2f %10.2f\n", "stations and rows (loadedRows)", best(rows), median(rows));
    std::printf("  %-34s %10.2f %10.2f\n", "together", best(total), median(total));
    const bool met = best(total) < 300;
    std::printf("  target: under 300 ms together: %s\n", met ? "met" : "NOT met");
    return met ? 0 : 1;
}
