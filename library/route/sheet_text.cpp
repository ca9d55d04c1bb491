#include "route/sheet_text.h"

#include <algorithm>
#include <cstdio>

namespace korvane::route {

namespace {

constexpr const char *kIndent = "  ";
constexpr const char *kGap = "  ";
constexpr const char *kLineEnd = "\r\n";

std::string padded(const std::string &text, std::size_t width, CellAlign align) {
    const std::string fill(width - std::min(width, displayWidth(text)), ' ');
    return align == CellAlign::Left ? text + fill : fill + text;
}

void addLine(std::string &out, std::string line) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + kLineEnd;
}

void addTable(std::string &out, const SheetTable &t) {
    std::vector<std::size_t> widths;
    for (const SheetColumn &c : t.columns) widths.push_back(displayWidth(c.title));
    for (const auto &row : t.rows)
        for (std::size_t i = 0; i < widths.size() && i < row.size(); ++i)
            widths[i] = std::max(widths[i], displayWidth(row[i]));
    const auto line = [&](const auto &cell) {
        std::string text = kIndent;
        for (std::size_t i = 0; i < widths.size(); ++i)
            text += (i == 0 ? "" : kGap) + padded(cell(i), widths[i], t.columns[i].align);
        addLine(out, text);
    };
    if (!t.caption.empty()) addLine(out, kIndent + t.caption);
    line([&](std::size_t i) { return t.columns[i].title; });
    line([&](std::size_t i) { return std::string(widths[i], '-'); });
    for (const auto &row : t.rows) line([&](std::size_t i) { return i < row.size() ? row[i] : std::string(); });
}

std::string jsonString(const std::string &text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

template <typename List, typename Write> std::string jsonList(const List &items, Write write) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i == 0 ? "" : ",") + write(items[i]);
    return out + "]";
}

std::string jsonTable(const SheetTable &t) {
    const std::string columns = jsonList(t.columns, [](const SheetColumn &c) {
        return "{\"title\":" + jsonString(c.title) + ",\"align\":\"" + (c.align == CellAlign::Left ? "left" : "right") +
               "\"}";
    });
    const std::string rows = jsonList(t.rows, [](const std::vector<std::string> &row) {
        return jsonList(row, [](const std::string &cell) { return jsonString(cell); });
    });
    return "{\"caption\":" + jsonString(t.caption) + ",\"columns\":" + columns + ",\"rows\":" + rows + "}";
}

} // namespace

std::size_t displayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // U+FF61..U+FF9F (EF BD A1 .. EF BE 9F): half-width katakana.
        const bool halfWidth = length == 3 && lead == 0xEF && i + 2 < utf8.size() &&
                               ((static_cast<unsigned char>(utf8[i + 1]) == 0xBD &&
                                 static_cast<unsigned char>(utf8[i + 2]) >= 0xA1) ||
                                static_cast<unsigned char>(utf8[i + 1]) == 0xBE);
        width += length == 1 || halfWidth ? 1 : 2;
        i += length;
    }
    return width;
}

std::string sheetText(const CalculationSheet &sheet) {
    std::string out;
    addLine(out, sheet.title);
    for (const SheetSection &section : sheet.sections) {
        out += kLineEnd;
        addLine(out, "■ " + section.heading);
        for (std::size_t i = 0; i < section.tables.size(); ++i) {
            if (i > 0) out += kLineEnd;
            addTable(out, section.tables[i]);
        }
    }
    return out;
}

std::string sheetJson(const CalculationSheet &sheet) {
    const std::string sections = jsonList(sheet.sections, [](const SheetSection &s) {
        return "{\"heading\":" + jsonString(s.heading) + ",\"tables\":" + jsonList(s.tables, jsonTable) + "}";
    });
    return "{\"title\":" + jsonString(sheet.title) + ",\"sections\":" + sections + "}\n";
}

} // namespace korvane::route
