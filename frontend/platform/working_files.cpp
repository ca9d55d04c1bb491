#include "working_files.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace rovena {

namespace {

const QString kParameterFile = QStringLiteral("ALN_TXT_.DAT");
const QString kTempFile = QStringLiteral("temp.dxf");
const QString kLockFile = QStringLiteral("ALN_TXT_.DAT.lock");

// Numbered folders tried under the per-user folder: one per Rovena running at once.
constexpr int kUserSlots = 64;

QString joined(const QString &folder, const QString &name) {
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(QDir(folder).filePath(name));
}

// An existing working file that this process could not overwrite makes the folder unusable.
bool replaceable(const QString &path) {
    const QFileInfo info(path);
    return !info.exists() || (info.isFile() && info.isWritable());
}

} // namespace

WorkingFiles::WorkingFiles(const QString &programFolder, const QString &userFolder) {
    if (take(programFolder)) return;
    if (userFolder.isEmpty()) return;
    for (int slot = 1; slot <= kUserSlots; ++slot)
        if (take(QDir(userFolder).filePath(QString::number(slot)))) return;
}

WorkingFiles::~WorkingFiles() = default;

QString WorkingFiles::defaultUserFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("working"));
}

QString WorkingFiles::parameterFile() const { return joined(folder_, kParameterFile); }

QString WorkingFiles::tempFile() const { return joined(folder_, kTempFile); }

bool WorkingFiles::take(const QString &folder) {
    if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(kLockFile));
    // Held for the life of the process: only a lock whose process is gone is stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    const QDir dir(folder);
    if (!replaceable(dir.filePath(kParameterFile)) || !replaceable(dir.filePath(kTempFile))) return false;
    lock_ = std::move(lock);
    folder_ = dir.absolutePath();
    return true;
}

} // namespace rovena
