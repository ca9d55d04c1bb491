// The command behind "ＤＸＦ作成": the design goes into the parameter file
// through the library, the library checks it, the user picks the output file
// and the library draws it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>

#include "form_validation.h"
#include "main_form.h"
#include "working_files.h"
#include "parameter_pieces.h"

namespace rovena {

namespace {

const QString kSaveFilter = QStringLiteral("DXF (*.dxf);;All Files (*.*)");

QByteArray pathBytes(const QString &path) { return QFile::encodeName(path); }

LaneTexts laneTexts(const LaneControls &lanes) {
    LaneTexts texts;
    for (int i = 0; i < kLaneRows; ++i) {
        texts.width[i] = lanes.boxes.width[i]->text();
        texts.widening[i] = lanes.boxes.widening[i]->text();
        texts.method[i] = -1;
        for (int m = 0; m < 3; ++m)
            if (lanes.options[3 * i + m]->isChecked()) texts.method[i] = m;
    }
    texts.count = laneCount(texts.width);
    return texts;
}

} // namespace

DesignTexts MainForm::designTexts() const {
    DesignTexts d;
    d.scale = Syukusyaku->text();
    d.a1 = AA[0]->text();
    d.radius = AA[1]->text();
    d.a2 = AA[2]->text();
    d.iaDegrees = Ia[0]->text();
    d.iaMinutes = Ia[1]->text();
    d.iaSeconds = Ia[2]->text();
    d.directionUp = Khoukou[0]->isChecked();
    d.right = laneTexts(right_);
    d.left = laneTexts(left_);
    d.centerPitch = center->text();
    d.stationLeft = Shoukou[0]->isChecked();
    d.stationPitch = pitch->text();
    d.kaStationNo = Kno[0]->text();
    d.kaStationPlus = Kno[1]->text();
    d.intervals = Text1->toPlainText();
    return d;
}

// An empty widening box of a row in use is written, and shown, as "0".
void MainForm::fillEmptyWidenings(LaneControls &lanes) {
    const int inUse = laneCount(lanes.boxes);
    for (int i = 0; i < inUse; ++i)
        if (lanes.boxes.widening[i]->text().isEmpty()) lanes.boxes.widening[i]->setText(QStringLiteral("0"));
}

// Full-width digits and signs go into the file in their ASCII forms. The
// first piece that cannot be appended ends the writing: the library has said
// why, and a half-written file must not be checked or drawn.
bool MainForm::WriteParameterFile() {
    const QByteArray path = pathBytes(paramFilePath_);
    if (!binding_.bind() || !binding_.setteifincls(path)) return false;
    fillEmptyWidenings(right_);
    fillEmptyWidenings(left_);
    return sendParameterPieces(designTexts(),
                               [&](const QByteArray &piece) { return binding_.setteifin(piece, path); });
}

// Every box is read before anything is written; the first that the design
// cannot use is named, and the focus goes to it.
bool MainForm::formIsReadable() {
    if (paramFilePath_.isEmpty()) {
        dialogs().message(QStringLiteral("作業ファイル（ALN_TXT_.DAT、temp.dxf）を置けるフォルダーがありません。\n%1")
                              .arg(QDir::toNativeSeparators(WorkingFiles::defaultUserFolder())),
                          programTitle(), MessageIcon::None);
        return false;
    }
    const std::optional<FieldProblem> problem = findFieldProblem(designTexts());
    if (!problem) return true;
    dialogs().message(problem->message, programTitle(), MessageIcon::None);
    focusField(*problem);
    return false;
}

void MainForm::focusField(const FieldProblem &problem) {
    const int i = problem.index;
    QLineEdit *target = nullptr;
    switch (problem.field) {
    case FormField::Scale: target = Syukusyaku; break;
    case FormField::A1: target = AA[0]; break;
    case FormField::Radius: target = AA[1]; break;
    case FormField::A2: target = AA[2]; break;
    case FormField::IaDegrees: target = Ia[0]; break;
    case FormField::IaMinutes: target = Ia[1]; break;
    case FormField::IaSeconds: target = Ia[2]; break;
    case FormField::StationPitch: target = pitch; break;
    case FormField::CenterPitch: target = center; break;
    case FormField::KaStationNo: target = Kno[0]; break;
    case FormField::KaStationPlus: target = Kno[1]; break;
    case FormField::RightWidth: target = right_.boxes.width[i]; break;
    case FormField::RightWidening: target = right_.boxes.widening[i]; break;
    case FormField::LeftWidth: target = left_.boxes.width[i]; break;
    case FormField::LeftWidening: target = left_.boxes.widening[i]; break;
    case FormField::Intervals: {
        QTextCursor cursor(Text1->document()->findBlockByNumber(i));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Text1->setTextCursor(cursor);
        Text1->setFocus(Qt::OtherFocusReason);
        return;
    }
    }
    target->setFocus(Qt::OtherFocusReason);
    target->selectAll();
}

QString MainForm::saveDialogFolder() const {
    return lastOutputFolder_.isEmpty() ? QDir::homePath() : lastOutputFolder_;
}

void MainForm::createDxf() {
    if (!formIsReadable() || !WriteParameterFile()) return;
    if (!binding_.data_chekvb(pathBytes(paramFilePath_))) return;

    const QString output = dialogs().saveFileName(saveDialogFolder(), kSaveFilter);
    if (output.isEmpty()) return;
    lastOutputFolder_ = QFileInfo(output).absolutePath();

    const bool drawn = binding_.save_DXF(pathBytes(output), pathBytes(paramFilePath_), pathBytes(headerFilePath_),
                                         pathBytes(tempFilePath_));
    dialogs().message(drawn ? QStringLiteral("ＤＸＦファイルを作成しました。") : QStringLiteral("ＤＸＦ作成に失敗しました。"),
                      programTitle(), MessageIcon::None);
    if (drawn && drawingWritten_) drawingWritten_(output);
}

} // namespace rovena
