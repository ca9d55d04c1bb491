// The preview window of Rovena: shows the DXF drawing just written, read back
// from its file on a worker thread with a progress bar, so the window never
// freezes. It offers "全体表示" to fit the drawing again, "印刷…" and
// "PDF出力…", and a check box that turns off the automatic opening after each
// drawing for the rest of the run. Problems with the file are shown in a line
// above the drawing.
#pragma once

#include <QString>
#include <QWidget>

#include "drawing_print.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace rovena::preview {

class DrawingLoader;
class DrawingView;
class PrintDialogs;
struct LoadedDrawing;

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    // With a parent, the window stays above it and goes with it.
    explicit PreviewWindow(QWidget *parent = nullptr);

    ~PreviewWindow() override;

    // Shows, raises and activates the window and reads the drawing in the
    // background; a reading still running is replaced.
    void openDrawing(const QString &dxfPath);
    // Reads the drawing in the background without showing the window.
    void startLoading(const QString &dxfPath);
    bool isLoading() const;

    // Reads the drawing into the window on the calling thread, without
    // showing it (for batch use and tests). Returns true when the file was
    // read to its end; otherwise the window shows why.
    bool loadDrawing(const QString &dxfPath);

    // "印刷…" and "PDF出力…"; they ask through the dialogs set here.
    void printDrawing();
    void exportPdf();
    void setPrintDialogs(PrintDialogs *dialogs);

    // Whether the window is to open by itself after a successful drawing;
    // true until the user clears the check box.
    bool autoOpen() const;
    void setAutoOpen(bool on);

    // The message about the last file read, empty when it was read completely.
    QString message() const;
    QString drawingPath() const { return path_; }
    DrawingView *view() const { return view_; }

signals:
    void autoOpenChanged(bool on);
    // A reading in the background ended (not when it was replaced or stopped).
    void drawingLoaded(bool ok);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setMessage(const QString &text);
    void beginPath(const QString &dxfPath);
    bool apply(const LoadedDrawing &loaded);
    void showProgress(qint64 done, qint64 total);
    std::optional<PrintOptions> askPrintOptions();

    DrawingView *view_ = nullptr;
    QLabel *message_ = nullptr;
    QLabel *pathLabel_ = nullptr;
    QPushButton *fitButton_ = nullptr;
    QCheckBox *autoOpenBox_ = nullptr;
    QPushButton *printButton_ = nullptr;
    QPushButton *pdfButton_ = nullptr;
    QProgressBar *progress_ = nullptr;
    DrawingLoader *loader_ = nullptr;
    PrintDialogs *dialogs_ = nullptr;
    PrintOptions printOptions_;
    QString path_;
};

}  // namespace rovena::preview
