#include "parameter_pieces.h"

namespace rovena {

void sendParameterPieces(const DesignTexts &design, const std::function<void(const QByteArray &)> &send) {
    const QByteArray lineBreak("?");
    for (const QStringList &line : parameterLines(design)) {
        for (const QString &piece : line) send(piece.toLocal8Bit());
        send(lineBreak);
    }
}

} // namespace rovena
