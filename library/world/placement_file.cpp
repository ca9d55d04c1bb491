#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "params/message_box.h"
#include "world/placement.h"
#include "world/text_lines.h"

namespace korvane {

namespace {

constexpr int kZoneCount = 19;
// Plane rectangular coordinates stay well within a few thousand kilometres;
// the bound also keeps every length of the computation finite.
constexpr double kCoordinateLimit = 10000000.0;

struct PlacementKeys {
    bool zone = false;
    bool route = false;
    bool bp = false;
    bool ip = false;
    bool ep = false;
};

void refuse(const std::string &what) { showError("配置ファイル: " + what); }

// "X Y": two finite numbers and nothing else.
bool parsePoint(const std::string &text, WorldPoint &point) {
    const char *p = text.c_str();
    char *end = nullptr;
    point.x = std::strtod(p, &end);
    if (end == p) return false;
    p = end;
    point.y = std::strtod(p, &end);
    if (end == p) return false;
    while (*end == ' ' || *end == '\t') ++end;
    return *end == '\0' && std::fabs(point.x) <= kCoordinateLimit && std::fabs(point.y) <= kCoordinateLimit;
}

bool parseZone(const std::string &text, int &zone) {
    if (text.empty() || text.size() > 2) return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > kZoneCount) return false;
    zone = value;
    return true;
}

bool takePoint(const KeyValue &entry, WorldPoint &point) {
    if (parsePoint(asciiNumberText(entry.value), point)) return true;
    refuse(entry.key + " の座標が読めません (X Y の二つの数値、±10000 km 以内): " + entry.value + " (" +
           std::to_string(entry.line) + "行目)");
    return false;
}

bool take(const KeyValue &entry, Placement &placement, PlacementKeys &seen) {
    bool *flag = nullptr;
    if (entry.key == "zone") flag = &seen.zone;
    else if (entry.key == "route") flag = &seen.route;
    else if (entry.key == "bp") flag = &seen.bp;
    else if (entry.key == "ip") flag = &seen.ip;
    else if (entry.key == "ep") flag = &seen.ep;
    else return true; // unknown keys are for later versions
    if (*flag) {
        refuse(entry.key + " が二度あります (" + std::to_string(entry.line) + "行目)");
        return false;
    }
    *flag = true;
    if (entry.key == "route") {
        for (const char c : entry.value)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                refuse("路線名に制御文字があります");
                return false;
            }
        placement.route = entry.value;
        return true;
    }
    if (entry.key == "zone") {
        if (parseZone(asciiNumberText(entry.value), placement.zone)) return true;
        refuse("座標系の系番号は 1 から 19 です: " + entry.value);
        return false;
    }
    WorldPoint &point = entry.key == "bp" ? placement.bp : entry.key == "ip" ? placement.ip : placement.ep;
    return takePoint(entry, point);
}

bool allKeysPresent(const PlacementKeys &seen) {
    const char *missing = !seen.zone ? "zone" : !seen.bp ? "bp" : !seen.ip ? "ip" : !seen.ep ? "ep" : nullptr;
    if (missing == nullptr) return true;
    refuse(std::string("[placement] に ") + missing + " がありません");
    return false;
}

} // namespace

int readPlacementFile(const char *path, Placement &placement) {
    std::string content;
    if (!readWholeFile(path, content)) {
        refuse(std::string("開けないか、大きすぎます: ") + (path ? path : ""));
        return 0;
    }
    if (!isValidUtf8(content)) {
        refuse("UTF-8 のテキストではありません");
        return 0;
    }
    std::vector<KeyValue> entries;
    std::string problem;
    if (!sectionEntries(content, "placement", entries, problem)) {
        refuse(problem);
        return 0;
    }
    placement = Placement{};
    PlacementKeys seen;
    for (const KeyValue &entry : entries)
        if (!take(entry, placement, seen)) return 0;
    return allKeysPresent(seen) ? 1 : 0;
}

} // namespace korvane
