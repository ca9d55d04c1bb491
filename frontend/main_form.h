// The main window clothoid1: every input of one design as the texts and
// option selections of its controls, three command buttons and the menus
// "ファイル" (design files), "ヘルプ" and "終了". The form computes nothing;
// the library draws.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "design_file.h"
#include "lane_shading.h"
#include "library_binding.h"
#include "parameter_serialiser.h"
#include "user_dialogs.h"

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QTextBrowser;

namespace rovena {

struct FieldProblem;
struct FormValues;
class WorkingFiles;

// The program's title; the window caption and the caption of its own
// messages.
QString programTitle();

// The controls of one side's lane rows.
struct LaneControls {
    LaneSide boxes; // Rhaba/Lhaba and Rkakufuku/Lkakufuku
    // Option1/Option2: option m of column i at index 3*i + m.
    std::array<QRadioButton *, 3 * kLaneRows> options{};
};

class MainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit MainForm(QWidget *parent = nullptr);
    ~MainForm() override;

    // Routines of the form.
    void LoadSampleData();
    void ClearData();
    bool WriteParameterFile();
    // Reads every box before anything is written; the first box the design
    // cannot use is named in a message and gets the focus (false then).
    bool formIsReadable();

    // The files the library uses: the header template beside the executable,
    // the parameter file and the temporary file in this process's working folder.
    QString paramFilePath() const { return paramFilePath_; }
    QString headerFilePath() const { return headerFilePath_; }
    QString tempFilePath() const { return tempFilePath_; }
    void setFilePaths(const QString &param, const QString &header, const QString &temp);

    // Stand-ins for the dialogs (null restores the real ones); not owned.
    void setUserDialogs(UserDialogs *dialogs);
    // The library file to bind instead of searching for it.
    void setLibraryFile(const QString &path) { binding_.setLibraryFile(path); }
    // The binding to the library, for the commands beside the form that call
    // its other exports.
    LibraryBinding &library() { return binding_; }
    // The help file; empty means the program has no help.
    void setHelpFile(const QString &path) { helpFile_ = path; }
    QString helpFile() const { return helpFile_; }
    // Called with the output path after every drawing the library wrote.
    void setDrawingWrittenHook(std::function<void(const QString &)> hook) { drawingWritten_ = std::move(hook); }

    // The design on the form as its texts, and the form set to texts.
    DesignTexts designTexts() const;
    void setDesignTexts(const DesignTexts &texts);

    // Design files (design_commands.cpp). openDesignFile opens without
    // asking; false when the file could not be read (the user was told).
    bool openDesignFile(const QString &path);
    QString designFilePath() const { return file_.path; }
    // True while the form differs from the design last opened or saved.
    bool isDesignModified() const;

    // The curve's world placement, kept beside the form: the [placement]
    // lines it gives for a saved design (empty: none), and what takes the
    // lines of a design put into the form (an opened file's, or none after
    // サンプルデータ and データ  クリア). Without a link, an opened file's
    // placement is kept as read.
    struct PlacementLink {
        std::function<QStringList()> lines;
        std::function<void(const QStringList &)> take;
    };
    void setPlacementLink(PlacementLink link) { placementLink_ = std::move(link); }
    // The placement's lines changed: the change mark is judged again.
    void placementChanged() { updateTitle(); }

public slots:
    void createDxf();  // Command1 "ＤＸＦ作成"
    void showHelp();   // m11 "ヘルプ"

    // The menu "ファイル" and the commands that may replace the form: each
    // asks first when the form holds changes not in its file.
    void openDesign();        // "開く…"
    bool saveDesign();        // "上書き保存"
    bool saveDesignAs();      // "名前を付けて保存…"
    void loadSampleCommand(); // Command2 "サンプルデータ"
    void clearCommand();      // Command3 "データ  クリア"

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building the window (main_form_layout.cpp).
    void buildWindow();
    void buildMenus();
    QWidget *buildScaleFrame(QWidget *parent);
    QWidget *buildParameterFrame(QWidget *parent);
    QWidget *buildAngleFrame(QWidget *parent);
    QWidget *buildPitchFrame(QWidget *parent);
    QWidget *buildLaneFrame(QWidget *parent, const QString &caption, const QString &side,
                            const QString &widthName, const QString &optionName,
                            const QString &wideningName, LaneControls &lanes);
    void buildButtons(QWidget *parent);
    void buildIntervalBox(QWidget *parent);
    void connectHandlers();

    // Shading handlers of the two sides.
    void shadeRight();
    void shadeLeft();

    // Design files (design_commands.cpp).
    struct DesignFileState {
        QString path;           // empty: the form has no file
        DesignDocument saved;   // what the file holds, or the form as last reset
        bool parameterFile = false; // opened from a bare parameter file
        bool anyFileUsed = false;   // a file was opened or saved in this run
    };
    void buildFileMenu();
    void watchForChanges();
    void acceptFileDrops();
    bool maySetAsideChanges();
    bool writeDesign(const QString &path);
    void openWithQuestion(const QString &path);
    void formReset();
    void updateTitle();
    void fillRecentMenu();
    void rememberRecent(const QString &path);

    // Reading the form for the parameter file.
    void focusField(const FieldProblem &problem);
    void fillEmptyWidenings(LaneControls &lanes);
    void assignCommon(const FormValues &values);
    void assignLane(int i, const QString &value, QRadioButton *rightOption, QRadioButton *leftOption);

    UserDialogs &dialogs();
    QString saveDialogFolder() const;

    // Controls, named as their object names.
    QLineEdit *Syukusyaku = nullptr;
    std::array<QLineEdit *, 3> AA{};
    std::array<QLineEdit *, 3> Ia{};
    std::array<QRadioButton *, 2> Khoukou{};
    QLineEdit *pitch = nullptr;
    QLineEdit *center = nullptr;
    std::array<QRadioButton *, 2> Shoukou{};
    std::array<QLineEdit *, 2> Kno{};
    LaneControls right_;
    LaneControls left_;
    QPlainTextEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QAction *m11 = nullptr;
    QAction *m22 = nullptr;

    QString paramFilePath_;
    QString headerFilePath_;
    QString tempFilePath_;
    QString helpFile_;
    QTextBrowser *helpWindow_ = nullptr;
    QString lastOutputFolder_;

    std::unique_ptr<WorkingFiles> workingFiles_;
    std::unique_ptr<QtUserDialogs> realDialogs_;
    UserDialogs *dialogs_ = nullptr;
    LibraryBinding binding_;
    std::function<void(const QString &)> drawingWritten_;
    DesignFileState file_;
    PlacementLink placementLink_;
    QStringList currentPlacement() const;
    void takePlacement(const QStringList &lines);
    QMenu *recentMenu_ = nullptr;
};

} // namespace rovena
