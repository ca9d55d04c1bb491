// LoadSampleData and ClearData: every input of the design set in a fixed
// order. Each assignment to a width box re-shades its side as it happens.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "main_form.h"

namespace rovena {

// The values the two routines give, in the order they are assigned.
struct FormValues {
    const char *scale;
    const char *a1, *radius, *a2;
    const char *degrees, *minutes, *seconds;
    const char *stationPitch, *centerPitch;
    const char *kaNo, *kaPlus;
};

namespace {

constexpr FormValues kSample{"250", "40", "40", "35", "66", "55", "44.444", "20", "0.1", "10", "10.111"};
constexpr FormValues kCleared{"250", "0", "0", "0", "0", "0", "0", "20", "0.1", "0", "0"};

// The sample's lane rows 0 and 1 and its normal-line intervals.
constexpr const char *kSampleRightWidths[] = {"2.75", "1"};
constexpr const char *kSampleLeftWidths[] = {"2.75", "0.5"};
constexpr const char *kSampleWidening = "0.5";
constexpr const char *kSampleIntervals = "9.889\n20\n20\n20";

} // namespace

// Steps 1 to 7, shared by both routines.
void MainForm::assignCommon(const FormValues &v) {
    Syukusyaku->setText(QString::fromUtf8(v.scale));
    AA[0]->setText(QString::fromUtf8(v.a1));
    AA[1]->setText(QString::fromUtf8(v.radius));
    AA[2]->setText(QString::fromUtf8(v.a2));
    Ia[0]->setText(QString::fromUtf8(v.degrees));
    Ia[1]->setText(QString::fromUtf8(v.minutes));
    Ia[2]->setText(QString::fromUtf8(v.seconds));
    pitch->setText(QString::fromUtf8(v.stationPitch));
    center->setText(QString::fromUtf8(v.centerPitch));
    Shoukou[0]->setChecked(true);
    Khoukou[0]->setChecked(true);
    Kno[0]->setText(QString::fromUtf8(v.kaNo));
    Kno[1]->setText(QString::fromUtf8(v.kaPlus));
    for (int i = 0; i < kLaneRows; ++i)
        assignLane(i, QStringLiteral("0"), right_.options[3 * i + 1], left_.options[3 * i + 1]);
}

void MainForm::assignLane(int i, const QString &value, QRadioButton *rightOption, QRadioButton *leftOption) {
    right_.boxes.width[i]->setText(value);
    right_.boxes.widening[i]->setText(value);
    left_.boxes.width[i]->setText(value);
    left_.boxes.widening[i]->setText(value);
    rightOption->setChecked(true);
    leftOption->setChecked(true);
}

void MainForm::LoadSampleData() {
    assignCommon(kSample);
    const QString widening = QString::fromUtf8(kSampleWidening);
    for (int i = 0; i < 2; ++i) {
        right_.boxes.width[i]->setText(QString::fromUtf8(kSampleRightWidths[i]));
        right_.boxes.widening[i]->setText(widening);
    }
    for (int i = 0; i < 2; ++i) {
        left_.boxes.width[i]->setText(QString::fromUtf8(kSampleLeftWidths[i]));
        left_.boxes.widening[i]->setText(widening);
    }
    Text1->setPlainText(QString::fromUtf8(kSampleIntervals));
}

void MainForm::ClearData() {
    assignCommon(kCleared);
    Text1->clear();
}

} // namespace rovena
