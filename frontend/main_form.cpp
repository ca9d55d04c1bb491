#include "main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "data_files.h"
#include "help.h"
#include "working_files.h"

namespace rovena {

QString programTitle() { return QStringLiteral("Rovena クロソイド曲線作図"); }

MainForm::MainForm(QWidget *parent)
    : QMainWindow(parent), realDialogs_(std::make_unique<QtUserDialogs>(this)), dialogs_(realDialogs_.get()),
      binding_(realDialogs_.get(), programTitle()) {
    setObjectName(QStringLiteral("clothoid1"));
    buildWindow();
    connectHandlers();
    buildFileMenu();
    watchForChanges();
    acceptFileDrops();
    shadeRight();
    shadeLeft();

    // Start-up: caption, the header template, the working files of this
    // process, the sample design. The program's folder takes the working
    // files only where the program keeps its data beside it (the build
    // folder, a folder copied as a whole); the folder of an installed program
    // is the system's, even for a user who may write it.
    setWindowTitle(programTitle());
    headerFilePath_ = shippedDataFile(QStringLiteral("aln_hdr_.dxf"));
    const QString programFolder = QCoreApplication::applicationDirPath();
    const bool dataBesideProgram = QFileInfo(headerFilePath_).absoluteDir() == QDir(programFolder);
    workingFiles_ = std::make_unique<WorkingFiles>(dataBesideProgram ? programFolder : QString(),
                                                   WorkingFiles::defaultUserFolder());
    paramFilePath_ = workingFiles_->parameterFile();
    tempFilePath_ = workingFiles_->tempFile();
    helpFile_ = builtInHelpFile();
    LoadSampleData();
    formReset();
}

MainForm::~MainForm() = default;

void MainForm::setFilePaths(const QString &param, const QString &header, const QString &temp) {
    paramFilePath_ = param;
    headerFilePath_ = header;
    tempFilePath_ = temp;
}

void MainForm::setUserDialogs(UserDialogs *dialogs) {
    dialogs_ = dialogs ? dialogs : realDialogs_.get();
    binding_.setDialogs(dialogs_);
}

UserDialogs &MainForm::dialogs() { return *dialogs_; }

void MainForm::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &MainForm::createDxf);
    connect(Command2, &QPushButton::clicked, this, &MainForm::loadSampleCommand);
    connect(Command3, &QPushButton::clicked, this, &MainForm::clearCommand);
    connect(m11, &QAction::triggered, this, &MainForm::showHelp);
    connect(m22, &QAction::triggered, this, &MainForm::close);
    for (QLineEdit *box : right_.boxes.width) connect(box, &QLineEdit::textChanged, this, &MainForm::shadeRight);
    for (QLineEdit *box : left_.boxes.width) connect(box, &QLineEdit::textChanged, this, &MainForm::shadeLeft);
}

void MainForm::shadeRight() { shadeLaneRows(right_.boxes); }

void MainForm::shadeLeft() { shadeLaneRows(left_.boxes); }

} // namespace rovena
