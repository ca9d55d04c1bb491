// Times the route model on a route of 500 IPs and 100 km with an extra
// station every metre: the IP method (computeRoute), then the stations and
// the rows of the coordinate table (routeRows), on one core.
//
//   korvane-route-bench [-r RUNS]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <numbers>
#include <vector>

#include "route/table_rows.h"

using namespace korvane::route;

namespace {

constexpr int kIps = 500;
constexpr double kLeg = 201.2; // 501 legs: the line is 100.3 km

// Curves of four kinds in turn, turning left and right by turns so that the
// line keeps its general direction.
CurveInput curveOf(int i) {
    switch (i % 4) {
    case 0: return CurveInput{100.0, 300.0, 100.0, {}, {}, {}};      // 基本型, IA 20°
    case 1: return CurveInput{{}, 400.0, {}, {}, {}, {}};            // 単曲線, IA 15°
    case 2: return CurveInput{80.0, {}, 80.0, {}, {}, {}};           // 凸型, IA 12°
    default: return CurveInput{80.0, 400.0, 90.0, 250.0, 120.0, 20.0}; // 卵型, IA 25°
    }
}

double turnOf(int i) {
    static constexpr double degrees[] = {20, 15, 12, 25};
    const double side = (i / 4) % 2 == 0 ? 1 : -1;
    return side * degrees[i % 4] * std::numbers::pi / 180;
}

std::vector<IpInput> longRoute() {
    std::vector<IpInput> points;
    PlanePoint at{-40000, 10000};
    double direction = std::numbers::pi / 6;
    points.push_back(IpInput{"BP", at, {}});
    for (int i = 0; i <= kIps; ++i) {
        at = along(at, direction, kLeg);
        if (i == kIps) {
            points.push_back(IpInput{"EP", at, {}});
            break;
        }
        points.push_back(IpInput{"", at, curveOf(i)});
        direction += turnOf(i);
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
        std::fprintf(stderr, "usage: korvane-route-bench [-r RUNS]\n");
        return 2;
    }
    const std::vector<IpInput> input = longRoute();
    std::vector<double> route, rows, total, cpu;
    std::size_t rowCount = 0, segmentCount = 0;
    double length = 0;
    for (int run = 0; run < runs; ++run) {
        const std::clock_t c0 = std::clock();
        const auto t0 = std::chrono::steady_clock::now();
        const Route r = computeRoute(input);
        const auto t1 = std::chrono::steady_clock::now();
        Stationing st;
        st.extras.reserve(static_cast<std::size_t>(r.alignment.length()) + 1);
        for (double s = 1; s < r.alignment.length(); s += 1) st.extras.push_back(ExtraStation{s, {}});
        std::vector<Message> messages;
        const std::vector<TableRow> table = routeRows(r, st, messages);
        const auto t2 = std::chrono::steady_clock::now();
        const std::clock_t c1 = std::clock();
        if (!r.messages.empty() || !messages.empty() || table.empty()) {
            std::fprintf(stderr, "korvane-route-bench: the route was not computed: %s\n",
                         !r.messages.empty() ? r.messages[0].text.c_str() : messages.empty() ? "no rows" : messages[0].text.c_str());
            return 1;
        }
        route.push_back(milliseconds(t1 - t0));
        rows.push_back(milliseconds(t2 - t1));
        total.push_back(milliseconds(t2 - t0));
        cpu.push_back(1000.0 * static_cast<double>(c1 - c0) / CLOCKS_PER_SEC);
        rowCount = table.size();
        segmentCount = r.alignment.segments.size();
        length = r.alignment.length();
    }
    const auto best = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("korvane-route-bench: %d IPs, %.3f km, %zu segments, %zu table rows (an extra station every metre), %d runs\n",
                kIps, length / 1000, segmentCount, rowCount, runs);
    std::printf("  %-34s %10s %10s\n", "", "best ms", "median ms");
    std::printf("  %-34s %10.2f %10.2f\n", "IP method (computeRoute)", best(route), median(route));
    std::printf("  %-34s %10.2f %10.2f\n", "stations and rows (routeRows)", best(rows), median(rows));
    std::printf("  %-34s %10.2f %10.2f   (processor %.2f ms in the best run)\n", "together", best(total), median(total),
                best(cpu));
    const bool met = best(total) < 300;
    std::printf("  target: under 300 ms together: %s\n", met ? "met" : "NOT met");
    return met ? 0 : 1;
}
