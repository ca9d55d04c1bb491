#include "dxf_pair_reader.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace rovena::preview {

namespace {

constexpr std::size_t blockBytes = std::size_t{4} << 20;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

double number(std::string_view s) {
    s = trimmed(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() ? value : 0.0;
}

int integer(std::string_view s) {
    s = trimmed(s);
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() ? value : 0;
}

enum class Section { none, header, tables, blocks, entities, other };

// The groups of the entity being read, kept until the next group 0 ends it.
struct PendingEntity {
    std::string type;
    std::string layer;
    std::string text;
    int color = colorByLayer;
    int flags = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double radius = 0, angle1 = 0, angle2 = 0;
    double height = 0, widthFactor = 1.0, rotation = 0;
};

// Turns the group pairs into the drawing: the header variables the preview
// needs, the layer table and the entities of the ENTITIES section.
class PairParser {
public:
    explicit PairParser(DxfDrawing &drawing) : drawing_(drawing) {}

    bool sawSection() const { return sawSection_; }
    bool endedWithEof() const { return lastWasEof_; }

    void pair(int code, std::string_view value) {
        lastWasEof_ = false;
        if (code == 0) {
            startEntity(trimmed(value));
            return;
        }
        if (awaitingSectionName_ && code == 2) {
            nameSection(trimmed(value));
            return;
        }
        if (section_ == Section::header) headerPair(code, value);
        else if (section_ == Section::tables || section_ == Section::entities) entityPair(code, value);
    }

private:
    void startEntity(std::string_view type) {
        finishEntity();
        awaitingSectionName_ = false;
        if (type == "SECTION") {
            sawSection_ = true;
            awaitingSectionName_ = true;
            section_ = Section::other;
        } else if (type == "ENDSEC") {
            section_ = Section::none;
        } else if (type == "EOF") {
            lastWasEof_ = true;
        }
        entity_ = PendingEntity{};
        entity_.type = type;
    }

    void nameSection(std::string_view name) {
        awaitingSectionName_ = false;
        if (name == "HEADER") section_ = Section::header;
        else if (name == "TABLES") section_ = Section::tables;
        else if (name == "BLOCKS") section_ = Section::blocks;
        else if (name == "ENTITIES") section_ = Section::entities;
    }

    void headerPair(int code, std::string_view value) {
        if (code == 9) {
            variable_ = trimmed(value);
            return;
        }
        const bool extMin = variable_ == "$EXTMIN", extMax = variable_ == "$EXTMAX";
        if ((extMin || extMax) && (code == 10 || code == 20)) {
            std::optional<DxfPoint> &point = extMin ? drawing_.extMin : drawing_.extMax;
            if (!point) point = DxfPoint{};
            (code == 10 ? point->x : point->y) = number(value);
        } else if (variable_ == "$DWGCODEPAGE" && code == 3) {
            drawing_.codePage = trimmed(value);
        }
    }

    void entityPair(int code, std::string_view value) {
        PendingEntity &e = entity_;
        switch (code) {
        case 1: e.text = value.substr(0, value.size() - (value.ends_with('\r') ? 1 : 0)); break;
        case 2: if (e.type == "LAYER") e.layer = trimmed(value); break;
        case 8: e.layer = trimmed(value); break;
        case 10: e.x1 = number(value); break;
        case 20: e.y1 = number(value); break;
        case 11: e.x2 = number(value); break;
        case 21: e.y2 = number(value); break;
        case 40: e.radius = e.height = number(value); break;
        case 41: e.widthFactor = number(value); break;
        case 50: e.angle1 = e.rotation = number(value); break;
        case 51: e.angle2 = number(value); break;
        case 62: e.color = integer(value); break;
        case 70: e.flags = integer(value); break;
        default: break;
        }
    }

    void finishEntity() {
        const PendingEntity &e = entity_;
        if (section_ == Section::tables) {
            if (e.type == "LAYER") drawing_.layers.push_back({e.layer, e.color == colorByLayer ? 7 : e.color});
            return;
        }
        if (section_ != Section::entities) return;
        if (e.type == "VERTEX") {
            if (inPolyline_) drawing_.polylines.back().vertices.push_back({e.x1, e.y1});
            return;
        }
        inPolyline_ = false;
        if (e.type == "LINE") {
            drawing_.lines.push_back({e.layer, e.color, {e.x1, e.y1}, {e.x2, e.y2}});
        } else if (e.type == "POLYLINE") {
            drawing_.polylines.push_back({e.layer, e.color, (e.flags & 1) != 0, {}});
            inPolyline_ = true;
        } else if (e.type == "ARC") {
            drawing_.arcs.push_back({e.layer, e.color, {e.x1, e.y1}, e.radius, e.angle1, e.angle2});
        } else if (e.type == "TEXT") {
            DxfText text;
            text.layer = e.layer;
            text.color = e.color;
            text.position = {e.x1, e.y1};
            text.height = e.height;
            text.widthFactor = e.widthFactor;
            text.rotationDegrees = e.rotation;
            text.bytes = e.text;
            drawing_.texts.push_back(std::move(text));
        }
    }

    DxfDrawing &drawing_;
    PendingEntity entity_;
    Section section_ = Section::none;
    std::string variable_;
    bool awaitingSectionName_ = false;
    bool sawSection_ = false;
    bool lastWasEof_ = false;
    bool inPolyline_ = false;
};

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

// Feeds the lines of the file, in pairs, to the parser. Returns false when
// a group code is no number (the file is no DXF text or is broken).
class LineFeeder {
public:
    explicit LineFeeder(PairParser &parser) : parser_(parser) {}

    bool feed(std::string_view line) {
        if (!haveCode_) {
            const std::string_view t = trimmed(line);
            const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), code_);
            if (error != std::errc() || end != t.data() + t.size()) return false;
            haveCode_ = true;
            return true;
        }
        haveCode_ = false;
        parser_.pair(code_, line);
        return true;
    }

private:
    PairParser &parser_;
    int code_ = 0;
    bool haveCode_ = false;
};

bool cancelled(const DxfReadControl &control) {
    return control.cancel && control.cancel->load(std::memory_order_relaxed);
}

// Reads the file block by block; returns the status of the reading itself.
DxfReadStatus readPairs(std::FILE *file, std::uint64_t total, LineFeeder &feeder, const DxfReadControl &control) {
    std::string buffer;
    std::unique_ptr<char[]> block(new char[blockBytes]);
    std::uint64_t done = 0;
    for (;;) {
        if (cancelled(control)) return DxfReadStatus::cancelled;
        const std::size_t got = std::fread(block.get(), 1, blockBytes, file);
        if (got == 0) break;
        done += got;
        buffer.append(block.get(), got);
        std::size_t start = 0;
        for (;;) {
            const void *nl = std::memchr(buffer.data() + start, '\n', buffer.size() - start);
            if (!nl) break;
            const std::size_t end = static_cast<std::size_t>(static_cast<const char *>(nl) - buffer.data());
            if (!feeder.feed(std::string_view(buffer.data() + start, end - start))) return DxfReadStatus::failed;
            start = end + 1;
        }
        buffer.erase(0, start);
        if (control.progress) control.progress(done, total);
    }
    if (std::ferror(file)) return DxfReadStatus::failed;
    if (!buffer.empty() && !feeder.feed(buffer)) return DxfReadStatus::failed;
    return DxfReadStatus::ok;
}

}  // namespace

DxfReadResult readDxfFileFast(const std::string &path, const DxfReadControl &control) {
    DxfReadResult result;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.status = DxfReadStatus::cannotOpen;
        return result;
    }
    std::uint64_t total = 0;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        total = size > 0 ? static_cast<std::uint64_t>(size) : 0;
        std::rewind(file.get());
    }
    PairParser parser(result.drawing);
    LineFeeder feeder(parser);
    const DxfReadStatus read = readPairs(file.get(), total, feeder, control);
    if (read == DxfReadStatus::cancelled) {
        result.drawing = DxfDrawing{};
        result.status = read;
        return result;
    }
    if (!parser.sawSection()) {
        result.drawing = DxfDrawing{};
        result.status = DxfReadStatus::notDxf;
        return result;
    }
    for (auto &text : result.drawing.texts) text.utf8 = decodeDxfText(text.bytes, result.drawing.codePage);
    if (read != DxfReadStatus::ok) result.status = read;
    else result.status = parser.endedWithEof() ? DxfReadStatus::ok : DxfReadStatus::truncated;
    return result;
}

}  // namespace rovena::preview
