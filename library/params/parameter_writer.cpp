// setteifincls and setteifin: the parameter file is emptied once and then
// filled piece by piece, each piece opening and releasing the file anew.
#include "params/message_box.h"
#include "params/parameter_file.h"
#include "params/shared_file.h"

namespace korvane {

namespace {
constexpr const char *kCannotWrite = "ファイル書き込みできません";
} // namespace

int clearParameterFile(const char *path) {
    SharedFile file(path, "w");
    if (!file.isOpen()) {
        showError(kCannotWrite);
        return 0;
    }
    return 1;
}

int appendParameterPiece(const char *text, const char *path) {
    SharedFile file(text ? path : nullptr, "a");
    if (!file.isOpen()) {
        showError(kCannotWrite);
        return 0;
    }
    // "?" is the line-break token: a line end replaces the whole piece.
    if (text[0] == '?') std::fputs("\n", file.get());
    else if (text[0] != '\0') std::fputs(text, file.get());
    return 1;
}

} // namespace korvane
