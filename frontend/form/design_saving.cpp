#include "design_saving.h"

#include <QDir>
#include <QSaveFile>

#include <cerrno>

namespace rovena {

namespace {

QString failure(const QString &path, const QString &reason) {
    return QStringLiteral("ファイルを保存できません: %1\n%2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

bool saveDesignFile(const QString &path, const design_model::DesignDocument &document, QString &error) {
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) shows in the count written:
    // a buffered write that comes up short would still be committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = failure(path, file.errorString());
        return false;
    }
    const QByteArray bytes = QByteArray::fromStdString(design_model::designFileText(document));
    if (file.write(bytes) != bytes.size()) {
        const int cause = errno;
        error = failure(path, file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(cause));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = failure(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace rovena
