#include "main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace rovena {

namespace {

using design_model::DesignTexts;
using design_model::kLaneRows;
using design_model::LaneTexts;

QString text(const std::string &utf8) { return QString::fromStdString(utf8); }

// Selects the option, or clears the whole group, which an exclusive group
// does not allow while it is exclusive.
void select(QRadioButton *option, bool selected) {
    if (option->isChecked() == selected) return;
    option->setAutoExclusive(false);
    option->setChecked(selected);
    option->setAutoExclusive(true);
}

LaneTexts laneTexts(const LaneControls &lanes) {
    LaneTexts texts;
    for (int i = 0; i < kLaneRows; ++i) {
        texts.width[i] = lanes.boxes.width[i]->text().toStdString();
        texts.widening[i] = lanes.boxes.widening[i]->text().toStdString();
        texts.method[i] = -1;
        for (int m = 0; m < 3; ++m)
            if (lanes.methodOptions[3 * i + m]->isChecked()) texts.method[i] = m;
    }
    return texts;
}

void setLanes(LaneControls &lanes, const LaneTexts &texts) {
    for (int i = 0; i < kLaneRows; ++i) {
        lanes.boxes.width[i]->setText(text(texts.width[i]));
        lanes.boxes.widening[i]->setText(text(texts.widening[i]));
        for (int m = 0; m < 3; ++m) select(lanes.methodOptions[3 * i + m], texts.method[i] == m);
    }
}

// Rows that differ from a cleared row: their width, widening and method.
void assignRows(LaneControls &lanes, const LaneTexts &texts, const LaneTexts &cleared) {
    for (int i = 0; i < kLaneRows; ++i) {
        if (texts.width[i] == cleared.width[i] && texts.widening[i] == cleared.widening[i] &&
            texts.method[i] == cleared.method[i])
            continue;
        lanes.boxes.width[i]->setText(text(texts.width[i]));
        lanes.boxes.widening[i]->setText(text(texts.widening[i]));
        if (texts.method[i] >= 0) lanes.methodOptions[3 * i + texts.method[i]]->setChecked(true);
    }
}

// The first local file among dropped data; "" when there is none.
QString droppedFile(const QMimeData *data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl &url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

} // namespace

MainForm::MainForm(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("clothoid1"));
    buildWindow();
    connectControls();
    acceptFileDrops();
    shadeLaneRows(rightLanes.boxes);
    shadeLaneRows(leftLanes.boxes);
}

void MainForm::connectControls() {
    connect(createButton, &QPushButton::clicked, this, &MainForm::createRequested);
    connect(sampleButton, &QPushButton::clicked, this, &MainForm::sampleRequested);
    connect(clearButton, &QPushButton::clicked, this, &MainForm::clearRequested);
    connect(helpAction, &QAction::triggered, this, &MainForm::helpRequested);
    connect(exitAction, &QAction::triggered, this, &MainForm::close);
    for (QLineEdit *box : rightLanes.boxes.width)
        connect(box, &QLineEdit::textChanged, this, [this] { shadeLaneRows(rightLanes.boxes); });
    for (QLineEdit *box : leftLanes.boxes.width)
        connect(box, &QLineEdit::textChanged, this, [this] { shadeLaneRows(leftLanes.boxes); });
    // Every change of a box or an option is an edit of the design.
    for (QLineEdit *box : findChildren<QLineEdit *>()) connect(box, &QLineEdit::textChanged, this, &MainForm::edited);
    for (QRadioButton *option : findChildren<QRadioButton *>())
        connect(option, &QRadioButton::toggled, this, &MainForm::edited);
    connect(intervalsBox, &QPlainTextEdit::textChanged, this, &MainForm::edited);
    for (QRadioButton *option : stationOptions)
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) emit stationDirectionChosen();
        });
}

DesignTexts MainForm::typedDesignTexts() const {
    DesignTexts d = designTexts();
    if (!typedAngle_) return d;
    d.iaDegrees = typedAngle_->boxes[0].toStdString();
    d.iaMinutes = typedAngle_->boxes[1].toStdString();
    d.iaSeconds = typedAngle_->boxes[2].toStdString();
    d.directionUp = typedAngle_->up;
    return d;
}

DesignTexts MainForm::designTexts() const {
    DesignTexts d;
    d.scale = scaleBox->text().toStdString();
    d.a1 = parameterBoxes[0]->text().toStdString();
    d.radius = parameterBoxes[1]->text().toStdString();
    d.a2 = parameterBoxes[2]->text().toStdString();
    d.iaDegrees = iaBoxes[0]->text().toStdString();
    d.iaMinutes = iaBoxes[1]->text().toStdString();
    d.iaSeconds = iaBoxes[2]->text().toStdString();
    d.directionUp = curveOptions[0]->isChecked();
    d.right = laneTexts(rightLanes);
    d.left = laneTexts(leftLanes);
    d.centerPitch = centerPitchBox->text().toStdString();
    d.stationLeft = stationOptions[0]->isChecked();
    d.stationPitch = stationPitchBox->text().toStdString();
    d.kaStationNo = kaStationBoxes[0]->text().toStdString();
    d.kaStationPlus = kaStationBoxes[1]->text().toStdString();
    d.intervals = intervalsBox->toPlainText().toStdString();
    return d;
}

void MainForm::setDesignTexts(const DesignTexts &d) {
    setCurveBoxes(d);
    select(curveOptions[0], d.directionUp);
    select(curveOptions[1], !d.directionUp);
    setLanes(rightLanes, d.right);
    setLanes(leftLanes, d.left);
    centerPitchBox->setText(text(d.centerPitch));
    select(stationOptions[0], d.stationLeft);
    select(stationOptions[1], !d.stationLeft);
    stationPitchBox->setText(text(d.stationPitch));
    kaStationBoxes[0]->setText(text(d.kaStationNo));
    kaStationBoxes[1]->setText(text(d.kaStationPlus));
    intervalsBox->setPlainText(text(d.intervals));
}

// Scale, parameters and IA; the IA set here is typed.
void MainForm::setCurveBoxes(const DesignTexts &d) {
    endAngleHold();
    scaleBox->setText(text(d.scale));
    parameterBoxes[0]->setText(text(d.a1));
    parameterBoxes[1]->setText(text(d.radius));
    parameterBoxes[2]->setText(text(d.a2));
    iaBoxes[0]->setText(text(d.iaDegrees));
    iaBoxes[1]->setText(text(d.iaMinutes));
    iaBoxes[2]->setText(text(d.iaSeconds));
}

// The single boxes and the options, then every lane row as データ  クリア
// leaves it.
void MainForm::assignCommon(const DesignTexts &d) {
    const DesignTexts cleared = design_model::clearedDesignTexts();
    setCurveBoxes(d);
    stationPitchBox->setText(text(d.stationPitch));
    centerPitchBox->setText(text(d.centerPitch));
    stationOptions[d.stationLeft ? 0 : 1]->setChecked(true);
    curveOptions[d.directionUp ? 0 : 1]->setChecked(true);
    kaStationBoxes[0]->setText(text(d.kaStationNo));
    kaStationBoxes[1]->setText(text(d.kaStationPlus));
    for (int i = 0; i < kLaneRows; ++i) {
        for (LaneControls *lanes : {&rightLanes, &leftLanes}) {
            const LaneTexts &row = lanes == &rightLanes ? cleared.right : cleared.left;
            lanes->boxes.width[i]->setText(text(row.width[i]));
            lanes->boxes.widening[i]->setText(text(row.widening[i]));
        }
        rightLanes.methodOptions[3 * i + cleared.right.method[i]]->setChecked(true);
        leftLanes.methodOptions[3 * i + cleared.left.method[i]]->setChecked(true);
    }
}

void MainForm::LoadSampleData() {
    const DesignTexts sample = design_model::sampleDesignTexts();
    const DesignTexts cleared = design_model::clearedDesignTexts();
    assignCommon(sample);
    assignRows(rightLanes, sample.right, cleared.right);
    assignRows(leftLanes, sample.left, cleared.left);
    intervalsBox->setPlainText(text(sample.intervals));
}

void MainForm::ClearData() {
    assignCommon(design_model::clearedDesignTexts());
    intervalsBox->clear();
}

void MainForm::fillEmptyWidenings() {
    for (LaneControls *lanes : {&rightLanes, &leftLanes}) {
        const int inUse = laneCount(lanes->boxes);
        for (int i = 0; i < inUse; ++i)
            if (lanes->boxes.widening[i]->text().isEmpty()) lanes->boxes.widening[i]->setText(QStringLiteral("0"));
    }
}

void MainForm::focusField(design_model::Field field, int i) {
    using design_model::Field;
    QLineEdit *target = nullptr;
    switch (field) {
    case Field::Scale: target = scaleBox; break;
    case Field::A1: target = parameterBoxes[0]; break;
    case Field::Radius: target = parameterBoxes[1]; break;
    case Field::A2: target = parameterBoxes[2]; break;
    case Field::IaDegrees: target = iaBoxes[0]; break;
    case Field::IaMinutes: target = iaBoxes[1]; break;
    case Field::IaSeconds: target = iaBoxes[2]; break;
    case Field::StationPitch: target = stationPitchBox; break;
    case Field::CenterPitch: target = centerPitchBox; break;
    case Field::KaStationNo: target = kaStationBoxes[0]; break;
    case Field::KaStationPlus: target = kaStationBoxes[1]; break;
    case Field::RightWidth: target = rightLanes.boxes.width[i]; break;
    case Field::RightWidening: target = rightLanes.boxes.widening[i]; break;
    case Field::LeftWidth: target = leftLanes.boxes.width[i]; break;
    case Field::LeftWidening: target = leftLanes.boxes.widening[i]; break;
    case Field::Intervals: {
        QTextCursor cursor(intervalsBox->document()->findBlockByNumber(i));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        intervalsBox->setTextCursor(cursor);
        intervalsBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    }
    target->setFocus(Qt::OtherFocusReason);
    target->selectAll();
}

void MainForm::showDerivedAngle(const std::array<QString, 3> &angle, bool up) {
    if (!typedAngle_)
        typedAngle_ = TypedAngle{{iaBoxes[0]->text(), iaBoxes[1]->text(), iaBoxes[2]->text()}, curveOptions[0]->isChecked()};
    for (int i = 0; i < 3; ++i) {
        iaBoxes[i]->setText(angle[i]);
        iaBoxes[i]->setEnabled(false);
    }
    curveOptions[up ? 0 : 1]->setChecked(true);
    for (QRadioButton *option : curveOptions) option->setEnabled(false);
}

void MainForm::releaseAngle() {
    if (typedAngle_) {
        const TypedAngle typed = *typedAngle_;
        for (int i = 0; i < 3; ++i) iaBoxes[i]->setText(typed.boxes[i]);
        curveOptions[typed.up ? 0 : 1]->setChecked(true);
    }
    endAngleHold();
}

// The boxes and options given back as they stand; the angle set aside is forgotten.
void MainForm::endAngleHold() {
    typedAngle_.reset();
    for (QLineEdit *box : iaBoxes) box->setEnabled(true);
    for (QRadioButton *option : curveOptions) option->setEnabled(true);
}

void MainForm::setNote(const QString &name, const QString &text) {
    QLabel *note = notes_ ? notes_->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly) : nullptr;
    if (text.isEmpty() && (!note || note->isHidden())) return;
    if (!notes_) {
        notes_ = new QWidget;
        notes_->setObjectName(QStringLiteral("notes"));
        auto *layout = new QVBoxLayout(notes_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        statusBar()->addWidget(notes_, 1);
    }
    if (!note) {
        note = new QLabel(notes_);
        note->setObjectName(name);
        notes_->layout()->addWidget(note);
    }
    note->setText(text);
    note->setVisible(!text.isEmpty());
    bool anyShown = false;
    for (const QLabel *n : notes_->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        anyShown = anyShown || !n->isHidden();
    statusBar()->setVisible(anyShown);
    // The window is as large as its form: it grows by the notes' line, so the
    // form keeps all of its room.
    fitToContents();
}

void MainForm::fitToContents() { setFixedSize(sizeHint()); }

void MainForm::closeEvent(QCloseEvent *event) {
    if (!mayClose_ || mayClose_()) event->accept();
    else event->ignore();
}

// Files can be dropped anywhere on the window, text boxes included.
void MainForm::acceptFileDrops() {
    setAcceptDrops(true);
    for (QLineEdit *box : findChildren<QLineEdit *>()) box->installEventFilter(this);
    intervalsBox->viewport()->installEventFilter(this);
}

void MainForm::dragEnterEvent(QDragEnterEvent *event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent *event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Passed on once the drop has ended, so a question does not hold it up.
    QTimer::singleShot(0, this, [this, path] { emit fileDropped(path); });
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
