#include "world/world_design.h"

#include "geometry/curve_elements.h"
#include "geometry/stationing.h"
#include "geometry/validation.h"
#include "params/design_record.h"
#include "params/parameter_file.h"

namespace korvane {

namespace {

// Puts the derived IA into the record as the parameter file would carry it.
void setIntersectionAngle(const TurnAngle &turn, bool upward) {
    const SignedTurnParts parts = signedTurnParts(turn, upward);
    design.iaDegrees = static_cast<double>(parts.degrees);
    design.iaMinutes = static_cast<double>(parts.minutes);
    design.iaSeconds = parts.seconds;
}

} // namespace

bool drawsUpward(const TurnAngle &turn, bool stationsFromEp) { return turn.right == stationsFromEp; }

int loadTurn(const char *parameterPath, const char *placementPath, Placement &placement, TurnAngle &turn) {
    if (!readPlacementFile(placementPath, placement)) return 0;
    if (!deriveTurnAngle(placement, turn)) return 0;
    return readParameterFile(parameterPath, design);
}

int loadWorldDesign(const char *parameterPath, const char *placementPath, WorldAlignment &alignment) {
    Placement placement;
    TurnAngle turn;
    if (!loadTurn(parameterPath, placementPath, placement, turn)) return 0;
    setIntersectionAngle(turn, drawsUpward(turn, stationsFromRight(design)));
    if (!checkDesign(design)) return 0;
    design.elements = computeElements(design, design.angles);
    design.normals = prepareNormals(design, design.elements);
    return placeAlignment(placement, turn, alignment);
}

} // namespace korvane
