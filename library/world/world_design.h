// One design placed in the world: the parameter file read with the IA that
// the placement gives, checked as data_chekvb checks it, its elements and
// normal positions computed as save_DXF computes them, and then placed.
#pragma once

#include "world/world_alignment.h"

namespace korvane {

// Whether the drawing's curve turns 上 (IA positive): the line turns
// anticlockwise from BP, or clockwise when the design's stations run from its
// second KA (the drawing is then read from right to left).
bool drawsUpward(const TurnAngle &turn, bool stationsFromEp);

// Reads the placement and the parameter file and places the curve. Every
// refusal has been shown as a message when it returns 0.
int loadWorldDesign(const char *parameterPath, const char *placementPath, WorldAlignment &alignment);

// Reads the placement and the parameter file and derives the turn only (no
// check of the design beyond its reading).
int loadTurn(const char *parameterPath, const char *placementPath, Placement &placement, TurnAngle &turn);

} // namespace korvane
