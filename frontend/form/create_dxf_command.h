// The command behind "ＤＸＦ作成": every box is read first, the design goes
// into the parameter file through the library, the library checks it, the
// user picks the output file and the library draws it.
#pragma once

#include <QString>
#include <functional>

namespace rovena {

class LibraryBinding;
struct LibraryFiles;
class MainForm;
class UserDialogs;

class CreateDxfCommand {
public:
    CreateDxfCommand(MainForm &form, LibraryBinding &library, UserDialogs &dialogs, const LibraryFiles &files);

    // The whole command.
    void run();

    // Reads every box before anything is written; the first box the design
    // cannot use is named in a message and gets the focus (false then).
    bool formIsReadable();

    // WriteParameterFile: the form into the parameter file, piece by piece.
    // False when the file could not be created or a piece not appended.
    bool writeParameterFile();

    // Called with the output path after every drawing the library wrote.
    void setDrawingWrittenHook(std::function<void(const QString &)> hook) { drawingWritten_ = std::move(hook); }

    // The library and its files, for the commands that call its other exports
    // with the parameter file this command writes.
    LibraryBinding &library() { return library_; }
    const LibraryFiles &files() const { return files_; }

private:
    QString saveDialogFolder() const;
    void noteUndrawnNormals();

    MainForm &form_;
    LibraryBinding &library_;
    UserDialogs &dialogs_;
    const LibraryFiles &files_;
    QString lastOutputFolder_;
    std::function<void(const QString &)> drawingWritten_;
};

} // namespace rovena
