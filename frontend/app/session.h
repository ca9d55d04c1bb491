// One run of Rovena's window: the form, the commands that answer it, the
// library they call and the files they hand it. main() adds the preview and
// the world placement; the tests drive a session with stand-in dialogs.
#pragma once

#include <QString>
#include <memory>

#include "create_dxf_command.h"
#include "design_file_commands.h"
#include "help_command.h"
#include "library_binding.h"
#include "main_form.h"
#include "user_dialogs.h"
#include "working_files.h"

namespace rovena {

class Session {
public:
    // The window with the sample design, its working files taken.
    Session();
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    MainForm &form() { return form_; }
    CreateDxfCommand &drawing() { return drawing_; }
    DesignFileCommands &designFiles() { return designFiles_; }
    HelpCommand &help() { return help_; }
    LibraryBinding &library() { return library_; }

    // The files the library is handed: the header template beside the
    // executable, the parameter file and the temporary file in this
    // process's working folder.
    const LibraryFiles &files() const { return files_; }
    void setFilePaths(const QString &parameter, const QString &header, const QString &temp);

    // Stand-ins for the dialogs (null restores the real ones); not owned.
    void setUserDialogs(UserDialogs *dialogs) { dialogs_.replace(dialogs); }
    // The library file to bind instead of searching for it.
    void setLibraryFile(const QString &path) { library_.setLibraryFile(path); }

private:
    MainForm form_;
    ReplaceableDialogs dialogs_;
    LibraryBinding library_;
    std::unique_ptr<WorkingFiles> workingFiles_;
    LibraryFiles files_;
    CreateDxfCommand drawing_;
    DesignFileCommands designFiles_;
    HelpCommand help_;
};

} // namespace rovena
