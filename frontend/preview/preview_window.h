// The preview window of Rovena: shows the DXF drawing just written, read back
// from its file. It offers "全体表示" to fit the drawing again and a check box
// that turns off the automatic opening after each drawing for the rest of the
// run. Problems with the file are shown in a line above the drawing.
#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace rovena::preview {

class DrawingView;

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    // With a parent, the window stays above it and goes with it.
    explicit PreviewWindow(QWidget *parent = nullptr);

    // Reads the drawing and shows, raises and activates the window. Returns
    // true when the file was read to its end; otherwise the window shows why.
    bool showDrawing(const QString &dxfPath);
    // Reads the drawing into the window without showing it.
    bool loadDrawing(const QString &dxfPath);

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

private:
    void setMessage(const QString &text);

    DrawingView *view_ = nullptr;
    QLabel *message_ = nullptr;
    QLabel *pathLabel_ = nullptr;
    QPushButton *fitButton_ = nullptr;
    QCheckBox *autoOpenBox_ = nullptr;
    QString path_;
};

}  // namespace rovena::preview
