// The working files of one Rovena process: the parameter file ALN_TXT_.DAT
// and the temporary drawing body temp.dxf. They lie beside the executable
// when that folder can be written and no other running Rovena uses them;
// otherwise in a folder of the user's own that this process alone uses. A
// lock file held for the life of the process marks the folder as taken; the
// lock of a process that died counts as free.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace rovena {

// The files the library is handed for a drawing: the parameter file, the
// header template and the temporary drawing body.
struct LibraryFiles {
    QString parameterFile;
    QString headerFile;
    QString tempFile;
};

class WorkingFiles {
public:
    // Takes programFolder if it is free and writable, else the first free
    // numbered folder under userFolder.
    WorkingFiles(const QString &programFolder, const QString &userFolder);
    ~WorkingFiles();
    WorkingFiles(const WorkingFiles &) = delete;
    WorkingFiles &operator=(const WorkingFiles &) = delete;

    // The per-user base folder: "working" in the application's local data folder.
    static QString defaultUserFolder();

    // False when no folder could be taken; the paths are then empty.
    bool isReady() const { return !folder_.isEmpty(); }
    QString folder() const { return folder_; }
    QString parameterFile() const;
    QString tempFile() const;

private:
    bool take(const QString &folder);

    std::unique_ptr<QLockFile> lock_;
    QString folder_;
};

} // namespace rovena
