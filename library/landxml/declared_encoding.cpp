#include "landxml/declared_encoding.h"

#include <algorithm>
#include <cctype>

namespace korvane::landxml {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

std::string declaredEncoding(std::string_view head) {
    if (!head.starts_with("<?xml") || head.size() < 6 || !isSpace(head[5])) return {};
    const std::size_t end = head.find("?>");
    const std::string_view declaration = head.substr(0, end);
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) return {};
    at += 8;
    while (at < declaration.size() && isSpace(declaration[at])) ++at;
    if (at >= declaration.size() || declaration[at] != '=') return {};
    ++at;
    while (at < declaration.size() && isSpace(declaration[at])) ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
    const char quote = declaration[at++];
    const std::size_t close = declaration.find(quote, at);
    if (close == std::string_view::npos) return {};
    return std::string(declaration.substr(at, close - at));
}

bool isShiftJisName(std::string_view encoding) {
    static constexpr std::string_view kNames[] = {"shift_jis", "shift-jis",   "sjis",  "x-sjis",     "ms_kanji",
                                                  "csshiftjis", "windows-31j", "cp932", "ms932",      "x-ms-cp932",
                                                  "cswindows31j", "ibm-943"};
    const std::string name = lowered(encoding);
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

} // namespace korvane::landxml
