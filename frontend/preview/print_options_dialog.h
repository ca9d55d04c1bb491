// The small dialog before printing or writing a PDF: paper, orientation,
// the drawing's scale or fitted to the paper, colours or all black.
#pragma once

#include <QDialog>

#include "drawing_print.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace rovena::preview {

class PrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // scaleN: N of the drawing's 1:N, 0 when it has none (only fitting then).
    PrintOptionsDialog(const PrintOptions &initial, double scaleN, QWidget *parent = nullptr);
    PrintOptions options() const;

private:
    QComboBox *paper_ = nullptr;
    QRadioButton *landscape_ = nullptr;
    QRadioButton *portrait_ = nullptr;
    QRadioButton *atScale_ = nullptr;
    QRadioButton *fit_ = nullptr;
    QCheckBox *black_ = nullptr;
};

}  // namespace rovena::preview
