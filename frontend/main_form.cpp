#include "main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QAction>
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

    // Start-up: caption, the working files of this process, the header
    // template beside the executable, the sample design.
    setWindowTitle(programTitle());
    workingFiles_ = std::make_unique<WorkingFiles>(QCoreApplication::applicationDirPath(),
                                                   WorkingFiles::defaultUserFolder());
    paramFilePath_ = workingFiles_->parameterFile();
    headerFilePath_ = shippedDataFile(QStringLiteral("aln_hdr_.dxf"));
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
