// The stepping rule along a clothoid, shared by its centre line and every lane
// line: a vertex at KA, then one every centerPitch, counted anew from each
// normal position passed, and the last exactly at KE.
#pragma once

#include <cstddef>

#include "params/design_record.h"

namespace korvane {

// Calls vertex(s, normalIndex) for every vertex after KA, in order of distance
// s from KA; normalIndex is the index into normals of the normal position that
// this vertex stands on, or -1. normals is ascending and ends at its first 0
// (or after kIntervalCapacity entries).
//
// A pitch greater than the length draws the clothoid as one segment from KA to
// KE: the stepping then starts at s = length, so KE is always a vertex. A
// pitch that is not a positive number is taken the same way, so the loop
// always ends; a clothoid of length 0 still gets its one vertex at KE.
template <typename Vertex>
void stepAlongClothoid(double length, double pitch, const double *normals, Vertex vertex) {
    if (!(length >= 0)) return;
    if (!(pitch > 0) || !(pitch <= length)) pitch = length;
    double s = pitch;
    std::size_t k = 0;
    while (s <= length) {
        int atNormal = -1;
        if (k < kIntervalCapacity && normals[k] != 0 && normals[k] <= s) {
            s = normals[k];
            atNormal = static_cast<int>(k);
            ++k;
        }
        vertex(s, atNormal);
        if (s == length) break; // KE drawn; the next step would pass the end
        const double next = s + pitch;
        // A step that would not move s on, or would pass KE by a rounding,
        // goes to KE itself.
        s = (length - s >= pitch && next > s && next < length) ? next : length;
    }
}

} // namespace korvane
