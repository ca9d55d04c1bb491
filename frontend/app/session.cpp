#include "session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "data_files.h"

namespace rovena {

Session::Session()
    : dialogs_(&form_), library_(&dialogs_, programTitle()), drawing_(form_, library_, dialogs_, files_),
      designFiles_(form_, dialogs_), help_(form_, dialogs_) {
    QObject::connect(&form_, &MainForm::createRequested, &form_, [this] { drawing_.run(); });
    QObject::connect(&form_, &MainForm::helpRequested, &form_, [this] { help_.run(); });

    // Start-up: caption, the header template, the working files of this
    // process, the sample design. The program's folder takes the working
    // files only where the program keeps its data beside it (the build
    // folder, a folder copied as a whole); the folder of an installed program
    // is the system's, even for a user who may write it.
    form_.setWindowTitle(programTitle());
    files_.headerFile = shippedDataFile(QStringLiteral("aln_hdr_.dxf"));
    const QString programFolder = QCoreApplication::applicationDirPath();
    const bool dataBesideProgram = QFileInfo(files_.headerFile).absoluteDir() == QDir(programFolder);
    workingFiles_ = std::make_unique<WorkingFiles>(dataBesideProgram ? programFolder : QString(),
                                                   WorkingFiles::defaultUserFolder());
    files_.parameterFile = workingFiles_->parameterFile();
    files_.tempFile = workingFiles_->tempFile();
    form_.LoadSampleData();
    designFiles_.formReset();
}

Session::~Session() = default;

void Session::setFilePaths(const QString &parameter, const QString &header, const QString &temp) {
    files_ = LibraryFiles{parameter, header, temp};
}

} // namespace rovena
