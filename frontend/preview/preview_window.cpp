#include "preview_window.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "drawing_view.h"
#include "dxf_reader.h"

namespace rovena::preview {

namespace {
const QString windowCaption = QStringLiteral("ＤＸＦプレビュー");
}

PreviewWindow::PreviewWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(windowCaption);

    fitButton_ = new QPushButton(QStringLiteral("全体表示"), this);
    autoOpenBox_ = new QCheckBox(QStringLiteral("ＤＸＦ作成後に自動で表示する"), this);
    autoOpenBox_->setChecked(true);
    pathLabel_ = new QLabel(this);
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
    message_->hide();
    view_ = new DrawingView(this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(fitButton_);
    bar->addWidget(autoOpenBox_);
    bar->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(message_);
    layout->addWidget(view_, 1);
    layout->addWidget(pathLabel_);

    connect(fitButton_, &QPushButton::clicked, view_, &DrawingView::fitToView);
    connect(autoOpenBox_, &QCheckBox::toggled, this, &PreviewWindow::autoOpenChanged);
}

bool PreviewWindow::loadDrawing(const QString &dxfPath) {
    path_ = dxfPath;
    pathLabel_->setText(QFileInfo(dxfPath).absoluteFilePath());
    setWindowTitle(windowCaption + QStringLiteral(" - ") + QFileInfo(dxfPath).fileName());

    DxfReadResult result = readDxfFile(QFile::encodeName(dxfPath).toStdString());
    setMessage(QString::fromStdString(readStatusMessage(result.status)));
    // A drawing cut short still shows what it holds; anything else shows nothing.
    if (result.ok() || result.status == DxfReadStatus::truncated) view_->setDrawing(std::move(result.drawing));
    else view_->clearDrawing();
    return result.ok();
}

bool PreviewWindow::showDrawing(const QString &dxfPath) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) show();
    const bool ok = loadDrawing(dxfPath);
    view_->fitToView();
    raise();
    activateWindow();
    return ok;
}

bool PreviewWindow::autoOpen() const { return autoOpenBox_->isChecked(); }

void PreviewWindow::setAutoOpen(bool on) { autoOpenBox_->setChecked(on); }

QString PreviewWindow::message() const { return message_->text(); }

void PreviewWindow::setMessage(const QString &text) {
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
}

}  // namespace rovena::preview
