#include "design_file_commands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "design/design_loading.h"
#include "design_saving.h"
#include "document_title.h"
#include "main_form.h"
#include "menu_command.h"
#include "user_dialogs.h"

namespace rovena {

namespace {

std::filesystem::path filePath(const QString &path) { return std::filesystem::path(path.toStdU16String()); }

} // namespace

DesignFileCommands::DesignFileCommands(MainForm &form, UserDialogs &dialogs) : form_(form), dialogs_(dialogs) {
    buildMenu();
    connect(&form_, &MainForm::edited, this, &DesignFileCommands::updateTitle);
    connect(&form_, &MainForm::sampleRequested, this, &DesignFileCommands::loadSample);
    connect(&form_, &MainForm::clearRequested, this, &DesignFileCommands::clear);
    connect(&form_, &MainForm::fileDropped, this, &DesignFileCommands::openWithQuestion);
    form_.setCloseGuard([this] { return maySetAsideChanges(); });
}

void DesignFileCommands::buildMenu() {
    QMenuBar *bar = form_.menuBar();
    auto *file = new QMenu(QStringLiteral("ファイル"), bar);
    file->setObjectName(QStringLiteral("fileMenu"));
    bar->insertMenu(bar->actions().value(0), file);
    addCommand(*file, "openDesign", QStringLiteral("開く…"), QKeySequence::Open, this, &DesignFileCommands::openDesign);
    addCommand(*file, "saveDesign", QStringLiteral("上書き保存"), QKeySequence::Save, this, &DesignFileCommands::saveDesign);
    addCommand(*file, "saveDesignAs", QStringLiteral("名前を付けて保存…"), QKeySequence::SaveAs,
               this, &DesignFileCommands::saveDesignAs);
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("最近使ったファイル"));
    recentMenu_->setObjectName(QStringLiteral("recentMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &DesignFileCommands::fillRecentMenu);
    fillRecentMenu();
}

bool DesignFileCommands::isDesignModified() const {
    return form_.typedDesignTexts() != file_.saved.texts || currentPlacement() != file_.saved.placement;
}

std::vector<std::string> DesignFileCommands::currentPlacement() const {
    return placementLink_.lines ? placementLink_.lines() : file_.saved.placement;
}

void DesignFileCommands::takePlacement(const std::vector<std::string> &lines) {
    if (placementLink_.take) placementLink_.take(lines);
}

void DesignFileCommands::updateTitle() {
    showDocumentTitle(form_, DocumentFile{file_.path, file_.anyFileUsed}, isDesignModified(), programTitle());
}

bool DesignFileCommands::maySetAsideChanges() {
    return rovena::maySetAsideChanges(dialogs_, DocumentFile{file_.path, file_.anyFileUsed}, isDesignModified(),
                                      [this] { return saveDesign(); });
}

void DesignFileCommands::formReset() {
    file_.path.clear();
    file_.parameterFile = false;
    file_.saved = design_model::DesignDocument{form_.typedDesignTexts(), currentPlacement()};
    updateTitle();
}

void DesignFileCommands::loadSample() {
    if (!maySetAsideChanges()) return;
    // The placement belonged to the design before; it goes first, so that
    // nothing of it reaches the new form.
    takePlacement({});
    form_.LoadSampleData();
    formReset();
}

bool DesignFileCommands::takeNewDesign(const design_model::DesignDocument &document) {
    if (!maySetAsideChanges()) return false;
    takePlacement({});
    form_.setDesignTexts(document.texts);
    takePlacement(document.placement);
    // Not in any file yet: the title says 無題 with the change mark, and the
    // user is asked before it would be lost.
    file_ = FileState{QString(), design_model::DesignDocument{}, false, true};
    updateTitle();
    return true;
}

void DesignFileCommands::clear() {
    if (!maySetAsideChanges()) return;
    takePlacement({});
    form_.ClearData();
    formReset();
}

void DesignFileCommands::openDesign() {
    if (!maySetAsideChanges()) return;
    const QString path = dialogs_.openDesignFileName(DocumentFile{file_.path}.folder());
    if (!path.isEmpty()) openDesignFile(path);
}

bool DesignFileCommands::openDesignFile(const QString &path) {
    design_model::DesignDocument document;
    design_model::DesignSource source = design_model::DesignSource::DesignFile;
    std::string error;
    if (!design_model::loadDesign(filePath(path), document, source, error)) {
        dialogs_.message(QString::fromStdString(error), programTitle(), MessageIcon::None);
        recent_.forget(QFileInfo(path).absoluteFilePath());
        return false;
    }
    // As for a new design: the earlier design's placement goes first, so that
    // it never acts on the boxes of the design being opened.
    takePlacement({});
    form_.setDesignTexts(document.texts);
    // The placement may put its IA into the form; what the form then shows
    // is the design as opened, and the placement's lines are kept as the
    // link writes them, so an unchanged design carries no change mark.
    file_.saved.placement = document.placement;
    takePlacement(document.placement);
    document.texts = form_.typedDesignTexts();
    if (placementLink_.lines) document.placement = currentPlacement();
    file_ = FileState{QFileInfo(path).absoluteFilePath(), document,
                      source == design_model::DesignSource::ParameterFile, true};
    recent_.remember(file_.path);
    updateTitle();
    return true;
}

void DesignFileCommands::openWithQuestion(const QString &path) {
    if (maySetAsideChanges()) openDesignFile(path);
}

bool DesignFileCommands::saveDesign() {
    if (file_.path.isEmpty() || file_.parameterFile) return saveDesignAs();
    return writeDesign(file_.path);
}

bool DesignFileCommands::saveDesignAs() {
    const QString path =
        dialogs_.saveDesignFileName(DocumentFile{file_.path}.saveSuggestion(QStringLiteral("rvd"), file_.parameterFile));
    return !path.isEmpty() && writeDesign(path);
}

bool DesignFileCommands::writeDesign(const QString &path) {
    // The IA typed is kept, not one a placement derives: the placement,
    // saved beside it, derives that again.
    const design_model::DesignDocument document{form_.typedDesignTexts(), currentPlacement()};
    QString error;
    if (!saveDesignFile(path, document, error)) {
        dialogs_.message(error, programTitle(), MessageIcon::None);
        return false;
    }
    file_ = FileState{QFileInfo(path).absoluteFilePath(), document, false, true};
    recent_.remember(file_.path);
    updateTitle();
    return true;
}

void DesignFileCommands::fillRecentMenu() {
    recent_.fillMenu(*recentMenu_, [this](const QString &path) { openWithQuestion(path); });
}

} // namespace rovena
