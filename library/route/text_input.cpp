#include "route/text_input.h"

#include <charconv>
#include <cstdio>
#include <memory>

#include "params/cp932.h"
#include "route/decimal_syntax.h"
#include "world/text_lines.h"

namespace korvane::route {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

} // namespace

bool readInputFile(const char *path, std::size_t limit, std::string &content, std::string &problem) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(path ? std::fopen(path, "rb") : nullptr, &std::fclose);
    if (!file) {
        problem = "ファイルを開けません";
        return false;
    }
    content.clear();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (content.size() + n > limit) {
            problem = "ファイルが大きすぎます（" + std::to_string(limit / (1024 * 1024)) + " MiB まで）";
            return false;
        }
        content.append(buffer, n);
    }
    if (std::ferror(file.get()) != 0) {
        problem = "ファイルを読めません";
        return false;
    }
    return true;
}

bool isUtf8(std::string_view text) { return isValidUtf8(text); }

bool utf8FromEither(std::string_view bytes, std::string &utf8) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    if (isValidUtf8(bytes)) {
        utf8.assign(bytes);
        return true;
    }
    utf8 = cp932ToUtf8(bytes);
    return utf8.find(kReplacementCharacter) == std::string::npos;
}

std::optional<double> decimalValue(std::string_view text) {
    const std::string ascii = asciiForm(trimmedText(text));
    const std::string_view number = trimmedText(ascii);
    if (!isDecimalSyntax(number)) return std::nullopt;
    // from_chars takes no "+"; the sign was checked above.
    const std::string_view digits = number.front() == '+' ? number.substr(1) : number;
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc{} || result.ptr != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::string asciiForm(std::string_view text) { return asciiNumberText(text); }

std::string_view trimmedText(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool hasControlCharacter(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

} // namespace korvane::route
