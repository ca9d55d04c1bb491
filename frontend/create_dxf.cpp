// The command behind "ＤＸＦ作成": the design goes into the parameter file
// through the library, the library checks it, the user picks the output file
// and the library draws it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "main_form.h"
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

bool MainForm::WriteParameterFile() {
    const QByteArray path = pathBytes(paramFilePath_);
    if (!binding_.bind() || !binding_.setteifincls(path)) return false;
    fillEmptyWidenings(right_);
    fillEmptyWidenings(left_);
    sendParameterPieces(designTexts(), [&](const QByteArray &piece) { binding_.setteifin(piece, path); });
    return true;
}

QString MainForm::saveDialogFolder() const {
    return lastOutputFolder_.isEmpty() ? QDir::homePath() : lastOutputFolder_;
}

void MainForm::createDxf() {
    if (!WriteParameterFile()) return;
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
