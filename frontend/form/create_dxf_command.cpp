#include "create_dxf_command.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "design/field_check.h"
#include "design/parameter_lines.h"
#include "design/undrawn_normals.h"
#include "library_binding.h"
#include "main_form.h"
#include "user_dialogs.h"
#include "working_files.h"

namespace rovena {

namespace {

const QString kSaveFilter = QStringLiteral("DXF (*.dxf);;All Files (*.*)");
const QString kUndrawnNote = QStringLiteral("undrawnNormalsNote");

QByteArray pathBytes(const QString &path) { return QFile::encodeName(path); }

} // namespace

CreateDxfCommand::CreateDxfCommand(MainForm &form, LibraryBinding &library, UserDialogs &dialogs,
                                   const LibraryFiles &files)
    : form_(form), library_(library), dialogs_(dialogs), files_(files) {
    // The note speaks of the last drawing; an edit of the design ends it.
    QObject::connect(&form_, &MainForm::edited, &form_, [this] { form_.setNote(kUndrawnNote, QString()); });
}

// Full-width digits and signs go into the file in their ASCII forms. The
// first piece that cannot be appended ends the writing: the library has said
// why, and a half-written file must not be checked or drawn.
bool CreateDxfCommand::writeParameterFile() {
    const QByteArray path = pathBytes(files_.parameterFile);
    if (!library_.bind() || !library_.setteifincls(path)) return false;
    form_.fillEmptyWidenings();
    return design_model::sendParameterPieces(form_.designTexts(), [&](const std::string &piece) {
        return library_.setteifin(QByteArray::fromStdString(piece), path);
    });
}

bool CreateDxfCommand::formIsReadable() {
    if (files_.parameterFile.isEmpty()) {
        dialogs_.message(QStringLiteral("作業ファイル（ALN_TXT_.DAT、temp.dxf）を置けるフォルダーがありません。\n%1")
                             .arg(QDir::toNativeSeparators(WorkingFiles::defaultUserFolder())),
                         programTitle(), MessageIcon::None);
        return false;
    }
    const std::optional<design_model::FieldProblem> problem = design_model::findFieldProblem(form_.designTexts());
    if (!problem) return true;
    dialogs_.message(QString::fromStdString(problem->message), programTitle(), MessageIcon::None);
    form_.focusField(problem->field, problem->index);
    return false;
}

QString CreateDxfCommand::saveDialogFolder() const {
    return lastOutputFolder_.isEmpty() ? QDir::homePath() : lastOutputFolder_;
}

void CreateDxfCommand::run() {
    if (!formIsReadable() || !writeParameterFile()) return;
    if (!library_.data_chekvb(pathBytes(files_.parameterFile))) return;

    const QString output = dialogs_.saveFileName(saveDialogFolder(), kSaveFilter);
    if (output.isEmpty()) return;
    lastOutputFolder_ = QFileInfo(output).absolutePath();

    const bool drawn = library_.save_DXF(pathBytes(output), pathBytes(files_.parameterFile),
                                         pathBytes(files_.headerFile), pathBytes(files_.tempFile));
    if (drawn) noteUndrawnNormals();
    dialogs_.message(drawn ? QStringLiteral("ＤＸＦファイルを作成しました。") : QStringLiteral("ＤＸＦ作成に失敗しました。"),
                     programTitle(), MessageIcon::None);
    if (drawn && drawingWritten_) drawingWritten_(output);
}

// Normal lines the drawing left out, said below the form.
void CreateDxfCommand::noteUndrawnNormals() {
    const std::optional<design_model::UndrawnNormals> undrawn = design_model::undrawnNormals(form_.designTexts());
    form_.setNote(kUndrawnNote, undrawn ? QString::fromStdString(design_model::undrawnNormalsNote(*undrawn)) : QString());
}

} // namespace rovena
