#include "parameter_pieces.h"

#include "form_validation.h"

namespace rovena {

bool sendParameterPieces(const DesignTexts &design, const std::function<bool(const QByteArray &)> &send) {
    const QByteArray lineBreak("?");
    for (const QStringList &line : parameterLines(asciiTexts(design))) {
        for (const QString &piece : line)
            if (!send(piece.toLocal8Bit())) return false;
        if (!send(lineBreak)) return false;
    }
    return true;
}

} // namespace rovena
