// The menu "ファイル": opening and saving designs, the recently used files,
// the file name and change mark in the title line, files dropped on the
// window, and the question before changes not in the file would be lost.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

#include "design_storage.h"
#include "main_form.h"

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

// The first local file among dropped data; "" when there is none.
QString droppedFile(const QMimeData *data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl &url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

} // namespace

void MainForm::buildFileMenu() {
    QMenuBar *bar = menuBar();
    auto *file = new QMenu(QStringLiteral("ファイル"), bar);
    file->setObjectName(QStringLiteral("fileMenu"));
    bar->insertMenu(bar->actions().value(0), file);
    auto add = [&](const char *name, const QString &text, QKeySequence keys, auto slot) {
        QAction *action = file->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    add("openDesign", QStringLiteral("開く…"), QKeySequence::Open, &MainForm::openDesign);
    add("saveDesign", QStringLiteral("上書き保存"), QKeySequence::Save, &MainForm::saveDesign);
    add("saveDesignAs", QStringLiteral("名前を付けて保存…"), QKeySequence::SaveAs, &MainForm::saveDesignAs);
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("最近使ったファイル"));
    recentMenu_->setObjectName(QStringLiteral("recentMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainForm::fillRecentMenu);
    fillRecentMenu();
}

// Every change of a box or an option re-judges the change mark.
void MainForm::watchForChanges() {
    for (QLineEdit *box : findChildren<QLineEdit *>()) connect(box, &QLineEdit::textChanged, this, &MainForm::updateTitle);
    for (QRadioButton *option : findChildren<QRadioButton *>())
        connect(option, &QRadioButton::toggled, this, &MainForm::updateTitle);
    connect(Text1, &QPlainTextEdit::textChanged, this, &MainForm::updateTitle);
}

// Files can be dropped anywhere on the window, text boxes included.
void MainForm::acceptFileDrops() {
    setAcceptDrops(true);
    for (QLineEdit *box : findChildren<QLineEdit *>()) box->installEventFilter(this);
    Text1->viewport()->installEventFilter(this);
}

bool MainForm::isDesignModified() const {
    return designTexts() != file_.saved.texts || currentPlacement() != file_.saved.placement;
}

QStringList MainForm::currentPlacement() const {
    return placementLink_.lines ? placementLink_.lines() : file_.saved.placement;
}

void MainForm::takePlacement(const QStringList &lines) {
    if (placementLink_.take) placementLink_.take(lines);
}

void MainForm::updateTitle() {
    // The file's name first, as the platform shows "name - program".
    QString title = programTitle();
    if (!file_.path.isEmpty()) title = QFileInfo(file_.path).fileName() + QStringLiteral("[*] - ") + title;
    else if (file_.anyFileUsed) title = QStringLiteral("無題[*] - ") + title;
    if (windowTitle() != title) setWindowTitle(title);
    // Without a file there is no mark to show.
    setWindowModified(title.contains(QStringLiteral("[*]")) && isDesignModified());
}

bool MainForm::maySetAsideChanges() {
    if (!file_.anyFileUsed || !isDesignModified()) return true;
    const QString name = file_.path.isEmpty() ? QStringLiteral("無題") : QFileInfo(file_.path).fileName();
    switch (dialogs().askToSaveChanges(name)) {
    case SaveChoice::Save: return saveDesign();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
    }
    return false;
}

// After サンプルデータ or データ  クリア the form holds a new design without a file.
void MainForm::formReset() {
    file_.path.clear();
    file_.parameterFile = false;
    file_.saved = DesignDocument{designTexts(), currentPlacement()};
    updateTitle();
}

void MainForm::loadSampleCommand() {
    if (!maySetAsideChanges()) return;
    // The placement belonged to the design before; it goes first, so that
    // nothing of it reaches the new form.
    takePlacement({});
    LoadSampleData();
    formReset();
}

void MainForm::clearCommand() {
    if (!maySetAsideChanges()) return;
    // The placement belonged to the design before; it goes first, so that
    // nothing of it reaches the new form.
    takePlacement({});
    ClearData();
    formReset();
}

void MainForm::openDesign() {
    if (!maySetAsideChanges()) return;
    const QString folder = file_.path.isEmpty() ? QDir::homePath() : QFileInfo(file_.path).absolutePath();
    const QString path = dialogs().openDesignFileName(folder);
    if (!path.isEmpty()) openDesignFile(path);
}

bool MainForm::openDesignFile(const QString &path) {
    DesignDocument document;
    DesignSource source = DesignSource::DesignFile;
    QString error;
    if (!loadDesign(path, document, source, error)) {
        dialogs().message(error, programTitle(), MessageIcon::None);
        return false;
    }
    setDesignTexts(document.texts);
    // The placement may put its IA into the form; what the form then shows
    // is the design as opened, and the placement's lines are kept as the
    // link writes them, so an unchanged design carries no change mark.
    file_.saved.placement = document.placement;
    takePlacement(document.placement);
    document.texts = designTexts();
    if (placementLink_.lines) document.placement = currentPlacement();
    file_ = DesignFileState{QFileInfo(path).absoluteFilePath(), document, source == DesignSource::ParameterFile, true};
    rememberRecent(file_.path);
    updateTitle();
    return true;
}

void MainForm::openWithQuestion(const QString &path) {
    if (maySetAsideChanges()) openDesignFile(path);
}

bool MainForm::saveDesign() {
    if (file_.path.isEmpty() || file_.parameterFile) return saveDesignAs();
    return writeDesign(file_.path);
}

bool MainForm::saveDesignAs() {
    QString suggestion = file_.path.isEmpty() ? QDir::home().filePath(QStringLiteral("無題.rvd")) : file_.path;
    if (file_.parameterFile) suggestion = QFileInfo(suggestion).dir().filePath(QFileInfo(suggestion).completeBaseName() + QStringLiteral(".rvd"));
    const QString path = dialogs().saveDesignFileName(suggestion);
    return !path.isEmpty() && writeDesign(path);
}

bool MainForm::writeDesign(const QString &path) {
    const DesignDocument document{designTexts(), currentPlacement()};
    QString error;
    if (!rovena::saveDesign(path, document, error)) {
        dialogs().message(error, programTitle(), MessageIcon::None);
        return false;
    }
    file_ = DesignFileState{QFileInfo(path).absoluteFilePath(), document, false, true};
    rememberRecent(file_.path);
    updateTitle();
    return true;
}

void MainForm::rememberRecent(const QString &path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles) files.removeLast();
    setRecentFiles(files);
}

void MainForm::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (const QString &path : files) {
        QAction *action = recentMenu_->addAction(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openWithQuestion(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainForm::closeEvent(QCloseEvent *event) {
    if (maySetAsideChanges()) event->accept();
    else event->ignore();
}

void MainForm::dragEnterEvent(QDragEnterEvent *event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent *event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop has ended, so the question does not hold it up.
    QTimer::singleShot(0, this, [this, path] { openWithQuestion(path); });
}

bool MainForm::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!droppedFile(drop->mimeData()).isEmpty()) {
            if (type == QEvent::Drop) dropEvent(drop);
            else drop->acceptProposedAction();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace rovena
