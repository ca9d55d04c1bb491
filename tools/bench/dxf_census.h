// Counting the entities of a written DXF file, to check that two writers drew
// the same drawing and to count the vertices a writer produced.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct DxfCensus {
    bool readable = false;
    std::uint64_t bytes = 0;
    std::uint64_t polylines = 0;
    std::uint64_t vertices = 0;
    std::uint64_t seqends = 0;
    std::uint64_t lines = 0;
    std::uint64_t arcs = 0;
    std::uint64_t texts = 0;
    bool endsWithEof = false;
};

// Reads the file as pairs of lines (group code, value) and counts the entity
// kinds named after each group code 0. Accepts LF and CR LF line ends.
DxfCensus takeCensus(const std::string &path);

} // namespace bench
