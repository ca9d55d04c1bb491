// Helpers for the drawing tests: a parameter file built from a few design
// values, a run of data_chekvb and save_DXF, and a reader of the resulting
// DXF text into entities and polylines.
#pragma once

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_support.h"

namespace drawing_support {

struct LaneLine {
    double width;
    int method;
    double widening;
};

// One design, as the front end would send it.
struct Design {
    std::string scale = "250";
    std::string a1 = "100";
    std::string a2 = "150";
    std::string radius = "200";
    std::string ia = "60 0 0";
    std::vector<LaneLine> right;
    std::vector<LaneLine> left;
    std::string centerPitch = "1";
    std::string direction = "L";
    std::string stationPitch = "20";
    std::string kaStationNo = "5";
    std::string kaStationPlus = "12.345";
    std::string intervals = "0.0"; // without the end mark
    bool rightWidthsEnded = true;  // false: no 0.0 after the right widths (a full list of 20)

    std::string parameterText() const {
        std::string t;
        auto line = [&t](const std::string &s) { t += s + "\n"; };
        auto widths = [](const std::vector<LaneLine> &lanes, bool ended = true) {
            std::string s;
            for (const auto &l : lanes) s += std::to_string(l.width) + " ";
            return ended ? s + "0.0" : s;
        };
        auto methods = [](const std::vector<LaneLine> &lanes) {
            std::string s;
            for (const auto &l : lanes) s += std::to_string(l.method) + " ";
            return s;
        };
        auto amounts = [](const std::vector<LaneLine> &lanes) {
            std::string s;
            for (const auto &l : lanes) s += std::to_string(l.widening) + " ";
            return s;
        };
        line(scale);
        line("DXF dxf");
        line(a1);
        line(a2);
        line(radius);
        line(ia);
        line(widths(right, rightWidthsEnded));
        line(methods(right));
        line(amounts(right));
        line(widths(left));
        line(methods(left));
        line(amounts(left));
        line(centerPitch);
        line(direction);
        line(stationPitch);
        line(kaStationNo);
        line(kaStationPlus);
        line(intervals + " 1000.");
        line("CENTER2 1");
        line("DOT 1");
        line("CONTINUOUS 1");
        line("E");
        return t;
    }
};

struct Xy {
    double x;
    double y;
};

inline double distance(Xy a, Xy b) { return std::hypot(a.x - b.x, a.y - b.y); }

// One entity of the ENTITIES section with its group pairs in file order.
struct Entity {
    std::string type;
    std::vector<std::pair<int, std::string>> groups;

    const std::string *value(int code) const {
        for (const auto &g : groups)
            if (g.first == code) return &g.second;
        return nullptr;
    }
    std::string text(int code) const {
        const std::string *v = value(code);
        return v ? *v : std::string();
    }
    double real(int code) const {
        const std::string *v = value(code);
        return v ? std::strtod(v->c_str(), nullptr) : std::nan("");
    }
    std::string layer() const { return text(8); }
};

struct Polyline {
    std::string layer;
    std::string handle;
    std::vector<Xy> vertices;
    std::vector<std::string> vertexHandles; // the SEQEND's last
};

struct Drawing {
    std::vector<Entity> entities; // everything after "ENTITIES", VERTEX and SEQEND included
    std::vector<Polyline> polylines;

    std::vector<const Entity *> ofType(const std::string &type) const {
        std::vector<const Entity *> out;
        for (const auto &e : entities)
            if (e.type == type) out.push_back(&e);
        return out;
    }
    // Types in file order with VERTEX and SEQEND left out.
    std::vector<std::string> outline() const {
        std::vector<std::string> out;
        for (const auto &e : entities)
            if (e.type != "VERTEX" && e.type != "SEQEND") out.push_back(e.type + ":" + e.layer());
        return out;
    }
};

// Reads the group pairs of a DXF text (LF or CR LF line ends).
inline Drawing readDrawing(const std::string &content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    Drawing drawing;
    bool inEntities = false;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const int code = std::atoi(lines[i].c_str());
        const std::string &value = lines[i + 1];
        if (!inEntities) {
            if (code == 2 && value == "ENTITIES") inEntities = true;
            continue;
        }
        if (code == 0) {
            if (value == "ENDSEC") break;
            drawing.entities.push_back(Entity{value, {}});
        } else if (!drawing.entities.empty()) {
            drawing.entities.back().groups.emplace_back(code, value);
        }
    }
    for (const auto &e : drawing.entities) {
        if (e.type == "POLYLINE") {
            drawing.polylines.push_back(Polyline{e.layer(), e.text(5), {}, {}});
        } else if ((e.type == "VERTEX" || e.type == "SEQEND") && !drawing.polylines.empty()) {
            auto &p = drawing.polylines.back();
            if (e.type == "VERTEX") p.vertices.push_back(Xy{e.real(10), e.real(20)});
            p.vertexHandles.push_back(e.text(5));
        }
    }
    return drawing;
}

// One drawing run through the exports, as the front end makes it.
struct DrawingRun {
    int checked = 0;
    int result = 0;
    std::string content;
    std::vector<std::string> messages; // UTF-8
    Drawing drawing;
};

inline std::string templatePath() { return testing_support::binDir() + "/aln_hdr_.dxf"; }

inline DrawingRun drawDesign(const std::string &parameterText, const testing_support::TempDir &dir,
                      const std::string &outputName = "out.dxf") {
    testing_support::MessageRecorder recorder;
    const std::string parameterFile = dir.file("ALN_TXT_.DAT");
    const std::string output = dir.file(outputName);
    testing_support::writeFile(parameterFile, parameterText);
    DrawingRun run;
    run.checked = data_chekvb(parameterFile.c_str());
    if (run.checked)
        run.result = save_DXF(output.c_str(), parameterFile.c_str(), templatePath().c_str(),
                              dir.file("temp.dxf").c_str());
    run.content = testing_support::readFile(output);
    run.messages = recorder.utf8();
    run.drawing = readDrawing(run.content);
    return run;
}

} // namespace drawing_support
