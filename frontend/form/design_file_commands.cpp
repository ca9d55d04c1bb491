#include "design_file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "design/design_loading.h"
#include "design_saving.h"
#include "main_form.h"
#include "user_dialogs.h"

namespace rovena {

namespace {

constexpr int kRecentFiles = 8;
const QString kRecentKey = QStringLiteral("recentFiles");

// The list lives in the user's settings of the program, kept between runs.
QStringList recentFiles() {
    const QSettings settings(QStringLiteral("Rovena"), QStringLiteral("Rovena"));
    return settings.value(kRecentKey).toStringList();
}

void setRecentFiles(const QStringList &files) {
    QSettings settings(QStringLiteral("Rovena"), QStringLiteral("Rovena"));
    settings.setValue(kRecentKey, files);
}

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
    auto add = [&](const char *name, const QString &text, QKeySequence keys, auto slot) {
        QAction *action = file->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    add("openDesign", QStringLiteral("開く…"), QKeySequence::Open, &DesignFileCommands::openDesign);
    add("saveDesign", QStringLiteral("上書き保存"), QKeySequence::Save, &DesignFileCommands::saveDesign);
    add("saveDesignAs", QStringLiteral("名前を付けて保存…"), QKeySequence::SaveAs, &DesignFileCommands::saveDesignAs);
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
    // The file's name first, as the platform shows "name - program".
    QString title = programTitle();
    if (!file_.path.isEmpty()) title = QFileInfo(file_.path).fileName() + QStringLiteral("[*] - ") + title;
    else if (file_.anyFileUsed) title = QStringLiteral("無題[*] - ") + title;
    if (form_.windowTitle() != title) form_.setWindowTitle(title);
    // Without a file there is no mark to show.
    form_.setWindowModified(title.contains(QStringLiteral("[*]")) && isDesignModified());
}

bool DesignFileCommands::maySetAsideChanges() {
    if (!file_.anyFileUsed || !isDesignModified()) return true;
    const QString name = file_.path.isEmpty() ? QStringLiteral("無題") : QFileInfo(file_.path).fileName();
    switch (dialogs_.askToSaveChanges(name)) {
    case SaveChoice::Save: return saveDesign();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
    }
    return false;
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

void DesignFileCommands::clear() {
    if (!maySetAsideChanges()) return;
    takePlacement({});
    form_.ClearData();
    formReset();
}

void DesignFileCommands::openDesign() {
    if (!maySetAsideChanges()) return;
    const QString folder = file_.path.isEmpty() ? QDir::homePath() : QFileInfo(file_.path).absolutePath();
    const QString path = dialogs_.openDesignFileName(folder);
    if (!path.isEmpty()) openDesignFile(path);
}

bool DesignFileCommands::openDesignFile(const QString &path) {
    design_model::DesignDocument document;
    design_model::DesignSource source = design_model::DesignSource::DesignFile;
    std::string error;
    if (!design_model::loadDesign(filePath(path), document, source, error)) {
        dialogs_.message(QString::fromStdString(error), programTitle(), MessageIcon::None);
        forgetRecent(QFileInfo(path).absoluteFilePath());
        return false;
    }
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
    rememberRecent(file_.path);
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
    QString suggestion = file_.path.isEmpty() ? QDir::home().filePath(QStringLiteral("無題.rvd")) : file_.path;
    if (file_.parameterFile)
        suggestion = QFileInfo(suggestion).dir().filePath(QFileInfo(suggestion).completeBaseName() + QStringLiteral(".rvd"));
    const QString path = dialogs_.saveDesignFileName(suggestion);
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
    rememberRecent(file_.path);
    updateTitle();
    return true;
}

void DesignFileCommands::rememberRecent(const QString &path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles) files.removeLast();
    setRecentFiles(files);
}

// A file that no longer opens is taken off the list.
void DesignFileCommands::forgetRecent(const QString &path) {
    QStringList files = recentFiles();
    if (files.removeAll(path) > 0) setRecentFiles(files);
}

void DesignFileCommands::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (const QString &path : files) {
        QAction *action = recentMenu_->addAction(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openWithQuestion(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

} // namespace rovena
