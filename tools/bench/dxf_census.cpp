#include "dxf_census.h"

#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

namespace {

std::string_view trimLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

void countEntity(DxfCensus &census, std::string_view kind) {
    if (kind == "VERTEX") ++census.vertices;
    else if (kind == "POLYLINE") ++census.polylines;
    else if (kind == "SEQEND") ++census.seqends;
    else if (kind == "LINE") ++census.lines;
    else if (kind == "ARC") ++census.arcs;
    else if (kind == "TEXT") ++census.texts;
    else if (kind == "EOF") census.endsWithEof = true;
}

} // namespace

DxfCensus takeCensus(const std::string &path) {
    DxfCensus census;
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return census;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return census;
    }
    census.bytes = static_cast<std::uint64_t>(info.st_size);
    census.readable = true;
    if (info.st_size == 0) {
        ::close(fd);
        return census;
    }
    void *mapped = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE,
                          fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) {
        census.readable = false;
        return census;
    }
    const char *data = static_cast<const char *>(mapped);
    const char *end = data + info.st_size;
    const char *p = data;
    bool isCode = true;
    bool entityFollows = false;
    while (p < end) {
        const char *newline = static_cast<const char *>(std::memchr(p, '\n', end - p));
        const char *lineEnd = newline ? newline : end;
        const std::string_view line =
            trimLineEnd(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
        if (isCode) {
            entityFollows = line == "0";
        } else if (entityFollows) {
            countEntity(census, line);
        }
        isCode = !isCode;
        p = newline ? newline + 1 : end;
    }
    ::munmap(mapped, static_cast<std::size_t>(info.st_size));
    return census;
}

} // namespace bench
