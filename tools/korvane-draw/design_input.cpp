#include "design_input.h"

#include <cstdio>

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

} // namespace

std::string parameterFileFor(const std::string &input, const std::string &parameterFile,
                             const ParameterWriter &writer) {
    // A file that cannot be read is left to the library, which reports it as
    // a parameter file.
    return design_model::isDesignFileText(fileText(input)) ? writeDesign(input, parameterFile, writer) : input;
}

bool designHasPlacement(const std::string &input) {
    const std::string text = fileText(input);
    if (!design_model::isDesignFileText(text)) return false;
    for (const design_model::KeyValueSection &section : design_model::readKeyValueText(text))
        if (section.name == "placement") return true;
    return false;
}

} // namespace korvane_draw
