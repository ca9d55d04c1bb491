#include "design_storage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>

#include "design_file_kind.h"
#include "parameter_file_reading.h"

namespace rovena {

namespace {

// Design files are small; anything far larger is not one.
constexpr qint64 kLargestDesign = 16 * 1024 * 1024;

QString failure(const QString &what, const QString &path, const QString &reason) {
    return QStringLiteral("%1 %2\n%3").arg(what, QDir::toNativeSeparators(path), reason);
}

} // namespace

bool loadDesign(const QString &path, DesignDocument &document, DesignSource &source, QString &error) {
    const QString cannotOpen = QStringLiteral("ファイルを開けません:");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = failure(cannotOpen, path, file.errorString());
        return false;
    }
    if (file.size() > kLargestDesign) {
        error = failure(cannotOpen, path, QStringLiteral("設計ファイルとしては大きすぎます。"));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = failure(cannotOpen, path, file.errorString());
        return false;
    }
    QString reason;
    DesignDocument read;
    const bool design = isDesignFileText(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    const bool ok = design ? readDesignFile(bytes, read, reason) : readParameterFileTexts(bytes, read.texts, reason);
    if (!ok) {
        error = failure(cannotOpen, path, reason);
        return false;
    }
    document = std::move(read);
    source = design ? DesignSource::DesignFile : DesignSource::ParameterFile;
    return true;
}

bool saveDesign(const QString &path, const DesignDocument &document, QString &error) {
    const QString cannotSave = QStringLiteral("ファイルを保存できません:");
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) shows in the count written:
    // a buffered write that comes up short would still be committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = failure(cannotSave, path, file.errorString());
        return false;
    }
    const QByteArray bytes = designFileBytes(document);
    if (file.write(bytes) != bytes.size()) {
        const int cause = errno;
        error = failure(cannotSave, path, file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(cause));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = failure(cannotSave, path, file.errorString());
        return false;
    }
    return true;
}

} // namespace rovena
