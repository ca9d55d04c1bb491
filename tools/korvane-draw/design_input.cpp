#include "design_input.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "design_file_kind.h"

#ifdef KORVANE_DRAW_DESIGN_FILES
#  include <QFile>
#  include "design_storage.h"
#  include "form_validation.h"
#  include "parameter_pieces.h"
#endif

namespace korvane_draw {

namespace {

// The whole file, or "" when it cannot be read.
std::string fileText(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Whether the file holds a design; a file that cannot be read is left to
// the library, which reports it as a parameter file.
bool isDesignFile(const std::string &path) { return rovena::isDesignFileText(fileText(path)); }

#ifdef KORVANE_DRAW_DESIGN_FILES
std::string writeDesign(const std::string &input, const std::string &parameterFile, const ParameterWriter &writer) {
    rovena::DesignDocument document;
    rovena::DesignSource source = rovena::DesignSource::DesignFile;
    QString error;
    if (!rovena::loadDesign(QFile::decodeName(input.c_str()), document, source, error)) {
        std::fprintf(stderr, "korvane-draw: %s\n", error.toUtf8().constData());
        return {};
    }
    // The boxes are read as Rovena reads them before anything is written.
    if (const auto problem = rovena::findFieldProblem(document.texts)) {
        std::fprintf(stderr, "korvane-draw: %s: %s\n", input.c_str(), problem->message.toUtf8().constData());
        return {};
    }
    // The library reports a file it cannot write itself.
    if ((writer.setteifincls(parameterFile.c_str()) & 0xFFFF) == 0) return {};
    const bool written = rovena::sendParameterPieces(document.texts, [&](const QByteArray &piece) {
        return (writer.setteifin(piece.constData(), parameterFile.c_str()) & 0xFFFF) != 0;
    });
    return written ? parameterFile : std::string();
}
#endif

} // namespace

#ifdef KORVANE_DRAW_DESIGN_FILES
bool readsDesignFiles() { return true; }

std::string parameterFileFor(const std::string &input, const std::string &parameterFile,
                             const ParameterWriter &writer) {
    return isDesignFile(input) ? writeDesign(input, parameterFile, writer) : input;
}
#else
bool readsDesignFiles() { return false; }

std::string parameterFileFor(const std::string &input, const std::string &, const ParameterWriter &) {
    if (!isDesignFile(input)) return input;
    std::fprintf(stderr,
                 "korvane-draw: %s is a Rovena design file; this korvane-draw was built without Qt and draws "
                 "parameter files only\n",
                 input.c_str());
    return {};
}
#endif

bool designHasPlacement(const std::string &input) {
    return rovena::hasDesignSection(fileText(input), "placement");
}

} // namespace korvane_draw
