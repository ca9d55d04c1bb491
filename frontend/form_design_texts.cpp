// The form set from the texts of a design: every box and option, as the
// texts were typed. Setting a width box re-shades its side as it happens.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "main_form.h"

namespace rovena {

namespace {

// Selects the option, or clears the whole group, which an exclusive group
// does not allow while it is exclusive.
void select(QRadioButton *option, bool selected) {
    if (option->isChecked() == selected) return;
    option->setAutoExclusive(false);
    option->setChecked(selected);
    option->setAutoExclusive(true);
}

void setLanes(LaneControls &lanes, const LaneTexts &texts) {
    for (int i = 0; i < kLaneRows; ++i) {
        lanes.boxes.width[i]->setText(texts.width[i]);
        lanes.boxes.widening[i]->setText(texts.widening[i]);
        for (int m = 0; m < 3; ++m) select(lanes.options[3 * i + m], texts.method[i] == m);
    }
}

} // namespace

void MainForm::setDesignTexts(const DesignTexts &d) {
    Syukusyaku->setText(d.scale);
    AA[0]->setText(d.a1);
    AA[1]->setText(d.radius);
    AA[2]->setText(d.a2);
    Ia[0]->setText(d.iaDegrees);
    Ia[1]->setText(d.iaMinutes);
    Ia[2]->setText(d.iaSeconds);
    select(Khoukou[0], d.directionUp);
    select(Khoukou[1], !d.directionUp);
    setLanes(right_, d.right);
    setLanes(left_, d.left);
    center->setText(d.centerPitch);
    select(Shoukou[0], d.stationLeft);
    select(Shoukou[1], !d.stationLeft);
    pitch->setText(d.stationPitch);
    Kno[0]->setText(d.kaStationNo);
    Kno[1]->setText(d.kaStationPlus);
    Text1->setPlainText(d.intervals);
}

} // namespace rovena
