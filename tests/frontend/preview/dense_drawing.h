// A drawing of many close vertices, written by the tests themselves: lane
// lines as concentric arcs of radius 100 m and up, every 10 mm a vertex, on
// an A1 sheet at 1:250 whose lines are all black (layer colour 7). The lines
// wave across the arc by 0.4 m every 6 m, detail that is a pixel high when
// the whole sheet is seen and grows with the zoom.
#pragma once

#include <charconv>
#include <cmath>
#include <fstream>
#include <string>

namespace preview_test {

struct DenseDrawing {
    int polylines = 24;
    double centreX = 105125.0, centreY = -40000.0;
    double firstRadius = 100000.0, laneWidth = 3500.0;
    double startDegrees = 45.0, endDegrees = 135.0;
    double spacing = 10.0;  // drawing units between vertices along the arc
    double waveHeight = 400.0, waveLength = 6000.0;

    double radius(int i) const { return firstRadius + laneWidth * i; }
    int vertices(int i) const {
        const double sweep = (endDegrees - startDegrees) * 3.14159265358979323846 / 180.0;
        return static_cast<int>(std::ceil(radius(i) * sweep / spacing)) + 1;
    }
    long long totalVertices() const {
        long long total = 0;
        for (int i = 0; i < polylines; ++i) total += vertices(i);
        return total;
    }
};

inline void appendNumber(std::string &out, double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    out.append(text, result.ptr);
    out += '\n';
}

inline bool writeDenseDrawing(const std::string &path, const DenseDrawing &d) {
    std::string out =
        "0\nSECTION\n2\nHEADER\n9\n$DWGCODEPAGE\n3\nANSI_932\n9\n$EXTMIN\n10\n0.0\n20\n0.0\n"
        "9\n$EXTMAX\n10\n210250.0\n20\n148500.0\n0\nENDSEC\n"
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n0\nLAYER\n2\nD-STR\n70\n0\n62\n7\n6\nCONTINUOUS\n"
        "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < d.polylines; ++i) {
        out += "0\nPOLYLINE\n8\nD-STR\n66\n1\n10\n0.0\n20\n0.0\n70\n0\n";
        const int n = d.vertices(i);
        for (int k = 0; k < n; ++k) {
            const double a = (d.startDegrees + (d.endDegrees - d.startDegrees) * k / (n - 1)) * pi / 180.0;
            const double r = d.radius(i) + d.waveHeight * std::sin(2.0 * pi * d.radius(i) * a / d.waveLength);
            out += "0\nVERTEX\n8\nD-STR\n10\n";
            appendNumber(out, d.centreX + r * std::cos(a));
            out += "20\n";
            appendNumber(out, d.centreY + r * std::sin(a));
        }
        out += "0\nSEQEND\n8\nD-STR\n";
    }
    out += "0\nENDSEC\n0\nEOF\n";
    std::ofstream file(path, std::ios::binary);
    file << out;
    return static_cast<bool>(file.flush());
}

}  // namespace preview_test
