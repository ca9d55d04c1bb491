// The main window clothoid1, the view of one design: every input as the text
// and option selection of a control, three command buttons and the menus
// "ヘルプ" and "終了". It computes nothing and knows no files: the commands
// beside it (create_dxf_command.h, design_file_commands.h) answer its
// buttons and menus, and read and set the design through its methods.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>

#include "design/design_fields.h"
#include "design/design_texts.h"
#include "lane_shading.h"

class QAction;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace rovena {

// The controls of one side's lane rows.
struct LaneControls {
    LaneBoxes boxes; // widths (Rhaba/Lhaba) and widening amounts (Rkakufuku/Lkakufuku)
    // Widening methods (Option1/Option2): option m of row i at index 3*i + m.
    std::array<QRadioButton *, 3 * design_model::kLaneRows> methodOptions{};
};

class MainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit MainForm(QWidget *parent = nullptr);

    // The design as the boxes show it, which is the design drawn, and the form
    // set to texts (a placement's hold on the IA boxes ends).
    design_model::DesignTexts designTexts() const;
    void setDesignTexts(const design_model::DesignTexts &texts);
    // The design as typed: while a placement holds the IA boxes, with the IA
    // and 上/下 typed before it. This is the design a file keeps.
    design_model::DesignTexts typedDesignTexts() const;

    // The routines behind サンプルデータ and データ  クリア: every box and
    // option set in a fixed order, each width re-shading its side as it is set.
    void LoadSampleData();
    void ClearData();

    // An empty widening box of a row in use is given "0", as ＤＸＦ作成 writes it.
    void fillEmptyWidenings();

    // The focus on the box of a refused field, its text selected (for the
    // normal-line positions, its line).
    void focusField(design_model::Field field, int index);

    // An angle that comes from elsewhere (the world placement): shown in the
    // IA boxes, which are disabled, with 上 or 下 chosen and locked. The first
    // call sets the typed IA and 上/下 aside; releaseAngle shows them again
    // and gives the boxes back to the typist.
    void showDerivedAngle(const std::array<QString, 3> &angle, bool up);
    void releaseAngle();

    // A note in a line below the form, named so that its owner can change it;
    // an empty text takes it away. The line shows while any note does, and
    // the window grows by it.
    void setNote(const QString &name, const QString &text);

    // The window as large as its form and, when shown, its status bar.
    void fitToContents();

    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

signals:
    void createRequested(); // Command1 "ＤＸＦ作成"
    void sampleRequested(); // Command2 "サンプルデータ"
    void clearRequested();  // Command3 "データ  クリア"
    void helpRequested();   // m11 "ヘルプ"
    // A box or an option of the design changed.
    void edited();
    // 左 or 右 was chosen for the stationing.
    void stationDirectionChosen();
    // A file was dropped on the window (after the drop has ended).
    void fileDropped(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building the window (main_form_layout.cpp).
    void buildWindow();
    void buildMenus();
    void buildScaleFrame(QWidget *parent);
    void buildParameterFrame(QWidget *parent);
    void buildAngleFrame(QWidget *parent);
    void buildPitchFrame(QWidget *parent);
    QWidget *buildLaneFrame(QWidget *parent, const QString &caption, const QString &side, const QString &widthName,
                            const QString &optionName, const QString &wideningName, LaneControls &lanes);
    void buildButtons(QWidget *parent);
    void buildIntervalBox(QWidget *parent);

    void connectControls();
    void endAngleHold();
    void acceptFileDrops();
    void setCurveBoxes(const design_model::DesignTexts &texts);
    void assignCommon(const design_model::DesignTexts &texts);

    // The controls; the old form's names are their object names.
    QLineEdit *scaleBox = nullptr;                // Syukusyaku
    std::array<QLineEdit *, 3> parameterBoxes{};  // AA: A1, R, A2
    std::array<QLineEdit *, 3> iaBoxes{};         // Ia: degrees, minutes, seconds
    std::array<QRadioButton *, 2> curveOptions{}; // Khoukou: 上, 下
    QLineEdit *stationPitchBox = nullptr;         // pitch
    QLineEdit *centerPitchBox = nullptr;          // center
    std::array<QRadioButton *, 2> stationOptions{}; // Shoukou: 左, 右
    std::array<QLineEdit *, 2> kaStationBoxes{};  // Kno: NO, ＋
    LaneControls rightLanes;
    LaneControls leftLanes;
    QPlainTextEdit *intervalsBox = nullptr;       // Text1
    QPushButton *createButton = nullptr;          // Command1
    QPushButton *sampleButton = nullptr;          // Command2
    QPushButton *clearButton = nullptr;           // Command3
    QAction *helpAction = nullptr;                // m11
    QAction *exitAction = nullptr;                // m22

    // The IA and 上/下 typed before an angle from elsewhere took the boxes.
    struct TypedAngle {
        std::array<QString, 3> boxes;
        bool up = true;
    };
    std::optional<TypedAngle> typedAngle_;
    QWidget *notes_ = nullptr;

    std::function<bool()> mayClose_;
};

} // namespace rovena
