// The exports of the world placement: the IA derived from BP, IP and EP, the
// coordinate table and the J-LandXML alignment. Like the four, each runs in
// the C locale, reports through the message handler and returns 1 or 0.
#include "korvane.h"

#include "geometry/stationing.h"
#include "export_guard.h"
#include "world/coordinate_table.h"
#include "world/landxml_writer.h"
#include "world/turn_text.h"
#include "world/world_design.h"

namespace {

// The table points of the placed design; false after a refusal.
bool placedPoints(const char *paramPath, const char *placementPath, korvane::WorldAlignment &alignment,
                  std::vector<korvane::TablePoint> &points) {
    if (!korvane::loadWorldDesign(paramPath, placementPath, alignment)) return false;
    points = korvane::tablePoints(alignment);
    return !points.empty();
}

} // namespace

extern "C" {

KORVANE_API int KORVANE_CALL korvane_placement_angle(const char *paramPath, const char *placementPath,
                                                     const char *outputPath) {
    return korvane::guardedExport([&] {
        korvane::Placement placement;
        korvane::TurnAngle turn;
        if (!korvane::loadTurn(paramPath, placementPath, placement, turn)) return 0;
        const bool upward = korvane::drawsUpward(turn, korvane::stationsFromRight(korvane::design));
        return korvane::writeTurnFile(outputPath, turn, upward);
    });
}

KORVANE_API int KORVANE_CALL korvane_coordinate_table(const char *paramPath, const char *placementPath,
                                                      const char *csvPath, int utf8WithBom) {
    return korvane::guardedExport([&] {
        korvane::WorldAlignment alignment;
        std::vector<korvane::TablePoint> points;
        if (!placedPoints(paramPath, placementPath, alignment, points)) return 0;
        return korvane::writeCoordinateTable(csvPath, points, utf8WithBom != 0);
    });
}

KORVANE_API int KORVANE_CALL korvane_landxml(const char *paramPath, const char *placementPath,
                                             const char *xmlPath) {
    return korvane::guardedExport([&] {
        korvane::WorldAlignment alignment;
        std::vector<korvane::TablePoint> points;
        if (!placedPoints(paramPath, placementPath, alignment, points)) return 0;
        return korvane::writeLandXml(xmlPath, alignment, points);
    });
}

} // extern "C"
