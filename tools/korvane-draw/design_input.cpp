#include "design_input.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "design/design_loading.h"
#include "design/field_check.h"
#include "design/key_value_text.h"
#include "design/parameter_lines.h"

namespace korvane_draw {

namespace {

// The whole file, or "" when it cannot be read.
std::string fileText(const std::string &path) {
    std::string bytes;
    std::string reason;
    const auto read = design_model::readWholeFile(design_model::pathFromSystemText(path.c_str()),
                                                  design_model::kLargestDesignFile, bytes, reason);
    return read == design_model::FileReading::Read ? bytes : std::string();
}

std::string writeDesign(const std::string &input, const std::string &parameterFile, const ParameterWriter &writer) {
    design_model::DesignDocument document;
    design_model::DesignSource source = design_model::DesignSource::DesignFile;
    std::string error;
    if (!design_model::loadDesign(design_model::pathFromSystemText(input.c_str()), document, source, error)) {
        std::fprintf(stderr, "korvane-draw: %s\n", error.c_str());
        return {};
    }
    // The boxes are read as Rovena reads them before anything is written.
    if (const auto problem = design_model::findFieldProblem(document.texts)) {
        std::fprintf(stderr, "korvane-draw: %s: %s\n", input.c_str(), problem->message.c_str());
        return {};
    }
    // The library reports a file it cannot write itself.
    if ((writer.setteifincls(parameterFile.c_str()) & 0xFFFF) == 0) return {};
    const bool written = design_model::sendParameterPieces(document.texts, [&](const std::string &piece) {
        return (writer.setteifin(piece.c_str(), parameterFile.c_str()) & 0xFFFF) != 0;
    });
    return written ? parameterFile : std::string();
}

bool startsWithWord(std::string_view token, std::string_view word) {
    if (token.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(token[i])) != word[i]) return false;
    return true;
}

// The first token of a bare parameter file that the library would read as a
// number written in hexadecimal, or as infinity or not-a-number; "" when
// there is none. The words of the file (DXF, L, CENTER2 …) begin otherwise.
std::string nonDecimalNumber(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\f\v";
    for (std::size_t start = text.find_first_not_of(blanks); start != std::string_view::npos;) {
        const std::size_t end = std::min(text.find_first_of(blanks, start), text.size());
        const std::string_view token = text.substr(start, end - start);
        std::string_view magnitude = token;
        if (!magnitude.empty() && (magnitude[0] == '+' || magnitude[0] == '-')) magnitude.remove_prefix(1);
        if (startsWithWord(magnitude, "0x") || startsWithWord(magnitude, "inf") || startsWithWord(magnitude, "nan"))
            return std::string(token);
        start = text.find_first_not_of(blanks, end);
    }
    return {};
}

} // namespace

std::string parameterFileFor(const std::string &input, const std::string &parameterFile,
                             const ParameterWriter &writer) {
    // A file that cannot be read is left to the library, which reports it as
    // a parameter file.
    const std::string text = fileText(input);
    if (design_model::isDesignFileText(text)) return writeDesign(input, parameterFile, writer);
    // Numbers are decimal, as the form and a design file have them.
    if (const std::string token = nonDecimalNumber(text); !token.empty()) {
        std::fprintf(stderr, "korvane-draw: %s: \"%s\" is not a decimal number\n", input.c_str(), token.c_str());
        return {};
    }
    return input;
}

bool designHasPlacement(const std::string &input) {
    const std::string text = fileText(input);
    if (!design_model::isDesignFileText(text)) return false;
    for (const design_model::KeyValueSection &section : design_model::readKeyValueText(text))
        if (section.name == "placement") return true;
    return false;
}

} // namespace korvane_draw
