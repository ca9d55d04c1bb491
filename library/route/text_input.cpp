#include "route/text_input.h"

#include <charconv>

#include "design/ascii_form.h"
#include "design/design_loading.h"
#include "design/text_encoding.h"
#include "design/utf8_text.h"
#include "route/decimal_syntax.h"

namespace korvane::route {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

} // namespace

bool readInputFile(const char *path, std::size_t limit, std::string &content, std::string &problem) {
    if (path == nullptr || *path == '\0') {
        problem = "ファイルが指定されていません";
        return false;
    }
    std::string reason;
    switch (design_model::readWholeFile(design_model::pathFromSystemText(path), limit, content, reason)) {
    case design_model::FileReading::Read: return true;
    case design_model::FileReading::CannotOpen: problem = "ファイルを開けません（" + reason + "）"; break;
    case design_model::FileReading::TooLarge:
        problem = "ファイルが大きすぎます（" + std::to_string(limit / (1024 * 1024)) + " MiB まで）";
        break;
    case design_model::FileReading::CannotRead: problem = "ファイルを読めません（" + reason + "）"; break;
    }
    return false;
}

bool isUtf8(std::string_view text) { return design_model::isValidUtf8(text); }

bool utf8FromEither(std::string_view bytes, std::string &utf8) {
    bytes = design_model::withoutByteOrderMark(bytes);
    if (design_model::isValidUtf8(bytes)) {
        utf8.assign(bytes);
        return true;
    }
    utf8 = design_model::cp932ToUtf8(bytes);
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

std::string asciiForm(std::string_view text) { return design_model::asciiForm(text); }

std::string_view trimmedText(std::string_view text) { return design_model::trimmedBlanks(text); }

bool hasControlCharacter(std::string_view text) { return design_model::hasControlCharacter(text); }

} // namespace korvane::route
