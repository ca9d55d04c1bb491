// An independent look at a DXF text for the tests: the group pairs of the
// ENTITIES section, counted and measured without the reader under test.
#pragma once

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace preview_test {

struct ScannedEntity {
    std::string type;
    std::multimap<int, std::string> groups;
    double real(int code) const {
        auto it = groups.find(code);
        return it == groups.end() ? 0.0 : std::stod(it->second);
    }
    std::string text(int code) const {
        auto it = groups.find(code);
        return it == groups.end() ? std::string() : it->second;
    }
};

struct Scan {
    std::vector<ScannedEntity> entities;      // ENTITIES section, in file order
    std::vector<size_t> polylineVertexCounts; // per POLYLINE, the VERTEX entities up to its SEQEND
    size_t count(const std::string &type) const {
        return static_cast<size_t>(std::count_if(entities.begin(), entities.end(),
                                                 [&](const ScannedEntity &e) { return e.type == type; }));
    }
};

inline Scan scanDxf(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    Scan scan;
    bool inEntities = false;
    bool sectionName = false;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        const int code = std::stoi(lines[i]);
        const std::string &value = lines[i + 1];
        if (code == 0) {
            if (value == "SECTION") sectionName = true;
            else if (value == "ENDSEC") inEntities = false;
            if (inEntities) {
                if (value == "POLYLINE") scan.polylineVertexCounts.push_back(0);
                if (value == "VERTEX" && !scan.polylineVertexCounts.empty()) ++scan.polylineVertexCounts.back();
                scan.entities.push_back({value, {}});
            }
            continue;
        }
        if (code == 2 && sectionName) {
            inEntities = value == "ENTITIES";
            sectionName = false;
            continue;
        }
        if (inEntities && !scan.entities.empty()) scan.entities.back().groups.emplace(code, value);
    }
    return scan;
}

struct Box {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    void add(double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
};

// The extent of the entities: line ends, vertices, arcs traced finely along
// their sweep, and text boxes half the height wide per byte.
inline Box scannedExtents(const Scan &scan) {
    constexpr double pi = 3.14159265358979323846;
    Box box;
    for (const auto &e : scan.entities) {
        if (e.type == "LINE") {
            box.add(e.real(10), e.real(20));
            box.add(e.real(11), e.real(21));
        } else if (e.type == "VERTEX") {
            box.add(e.real(10), e.real(20));
        } else if (e.type == "ARC") {
            double start = e.real(50), end = e.real(51);
            while (end <= start) end += 360.0;
            const int steps = 200000;
            for (int i = 0; i <= steps; ++i) {
                const double a = (start + (end - start) * i / steps) * pi / 180.0;
                box.add(e.real(10) + e.real(40) * std::cos(a), e.real(20) + e.real(40) * std::sin(a));
            }
        } else if (e.type == "TEXT") {
            const double h = e.real(40), length = 0.5 * h * e.real(41) * static_cast<double>(e.text(1).size());
            const double a = e.real(50) * pi / 180.0;
            const double ux = std::cos(a), uy = std::sin(a);
            const double x = e.real(10), y = e.real(20);
            box.add(x, y);
            box.add(x + length * ux, y + length * uy);
            box.add(x - h * uy, y + h * ux);
            box.add(x + length * ux - h * uy, y + length * uy + h * ux);
        }
    }
    return box;
}

}  // namespace preview_test
