#include "route_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

#include "menu_command.h"
#include "route_message_list.h"
#include "route_plan_drawing.h"
#include "route_plan_view.h"
#include "route_settings_panel.h"
#include "curve_design.h"

namespace rovena {

namespace kr = korvane::route;

RouteWindow::RouteWindow(QWidget *parent)
    : QMainWindow(parent), dialogs_(this), library_(&dialogs_, programTitle()),
      outputs_(document_, library_, dialogs_) {
    setObjectName(QStringLiteral("routeWindow"));
    buildWindow();
    files_ = std::make_unique<RouteFileCommands>(*this, document_, dialogs_, library_);
    sheet_ = std::make_unique<RouteSheetCommands>(*this, outputs_, dialogs_);
    buildMenus();
    connectDocument();
    recompute_.setSingleShot(true);
    recompute_.setInterval(0);
    connect(&recompute_, &QTimer::timeout, this, &RouteWindow::recomputeNow);
    recomputeNow();
}

RouteWindow::~RouteWindow() = default;

void RouteWindow::buildWindow() {
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    auto *tableBox = new QGroupBox(QStringLiteral("IP 表"));
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("ipTable"));
    table_->setModel(&document_.table());
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    (new QVBoxLayout(tableBox))->addWidget(table_);
    auto *settingsBox = new QGroupBox(QStringLiteral("路線の設定"));
    settings_ = new RouteSettingsPanel;
    (new QVBoxLayout(settingsBox))->addWidget(settings_);
    leftLayout->addWidget(tableBox, 1);
    leftLayout->addWidget(settingsBox);

    auto *right = new QSplitter(Qt::Vertical);
    plan_ = new RoutePlanView;
    plan_->setObjectName(QStringLiteral("routePlan"));
    messages_ = new RouteMessageList;
    right->addWidget(plan_);
    right->addWidget(messages_);
    right->setSizes({640, 160});

    auto *split = new QSplitter(Qt::Horizontal);
    split->addWidget(left);
    split->addWidget(right);
    split->setSizes({780, 820});
    setCentralWidget(split);
    const QRect room = screen()->availableGeometry();
    resize(std::min(1600, room.width()), std::min(900, room.height()));
}

void RouteWindow::buildMenus() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file->setObjectName(QStringLiteral("routeFileMenu"));
    files_->addTo(*file);
    file->addSeparator();
    QAction *close = file->addAction(QStringLiteral("閉じる"));
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集"));
    edit->setObjectName(QStringLiteral("routeEditMenu"));
    buildEditMenu(*edit);

    outputMenu_ = menuBar()->addMenu(QStringLiteral("出力"));
    outputMenu_->setObjectName(QStringLiteral("routeOutputMenu"));
    outputs_.addTo(*outputMenu_, [this] { return files_->outputFolder(); });
    outputs_.addPlanTo(*outputMenu_, [this] {
        return QDir(files_->outputFolder()).filePath(files_->outputBaseName() + QStringLiteral("_平面図.dxf"));
    });
    outputMenu_->addSeparator();
    sheet_->addTo(*outputMenu_, [this] {
        return QDir(files_->outputFolder()).filePath(files_->outputBaseName() + QStringLiteral("_線形計算書.pdf"));
    });

    QMenu *curve = menuBar()->addMenu(QStringLiteral("曲線"));
    curve->setObjectName(QStringLiteral("routeCurveMenu"));
    curve->setToolTipsVisible(true);
    drawCurveAction_ = curve->addAction(QStringLiteral("この曲線を作図"));
    drawCurveAction_->setObjectName(QStringLiteral("drawCurve"));
    connect(drawCurveAction_, &QAction::triggered, this, [this] {
        if (drawCurve_ && drawCurveAction_->isEnabled()) drawCurve_(computed_, currentRow());
    });
    table_->addAction(drawCurveAction_);
}

void RouteWindow::buildEditMenu(QMenu &menu) {
    QAction *undo = document_.history().createUndoAction(this, QStringLiteral("元に戻す"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setObjectName(QStringLiteral("routeUndo"));
    QAction *redo = document_.history().createRedoAction(this, QStringLiteral("やり直し"));
    redo->setShortcuts({QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redo->setObjectName(QStringLiteral("routeRedo"));
    menu.addAction(undo);
    menu.addAction(redo);
    menu.addSeparator();
    addCommand(menu, "copyCells", QStringLiteral("コピー"), QKeySequence::Copy, this, &RouteWindow::copySelection);
    addCommand(menu, "pasteCells", QStringLiteral("貼り付け"), QKeySequence::Paste, this,
               [this] { pasteText(QApplication::clipboard()->text()); });
    menu.addSeparator();
    QAction *insert = addCommand(menu, "insertRow", QStringLiteral("行を挿入"), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                 this, &RouteWindow::insertRow);
    QAction *remove = addCommand(menu, "removeRows", QStringLiteral("行を削除"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
                                 this, &RouteWindow::removeRows);
    QAction *up = addCommand(menu, "moveRowUp", QStringLiteral("行を上へ"), QKeySequence(Qt::ALT | Qt::Key_Up), this,
                             [this] { moveRow(-1); });
    QAction *down = addCommand(menu, "moveRowDown", QStringLiteral("行を下へ"), QKeySequence(Qt::ALT | Qt::Key_Down),
                               this, [this] { moveRow(1); });
    for (QAction *action : {insert, remove, up, down}) table_->addAction(action);
}

void RouteWindow::connectDocument() {
    document_.table().setEditHandlers([this](int row, const kr::IpInput &point) { document_.editPoint(row, point); },
                                      [this](const QString &text) { refuse(text); });
    settings_->setHandlers([this](const kr::RouteSettings &settings) { document_.setSettings(settings); },
                           [this](const QString &text) { refuse(text); });
    connect(&document_, &RouteDocument::changed, this, &RouteWindow::scheduleRecompute);
    connect(&document_, &RouteDocument::settingsChanged, this, [this] { settings_->showSettings(document_.settings()); });
    connect(&document_, &RouteDocument::rowChosen, this, [this](int row) {
        if (row >= 0) table_->setCurrentIndex(document_.table().index(row, std::max(0, table_->currentIndex().column())));
    });
    // The document's settingsChanged has shown the new route's settings.
    connect(files_.get(), &RouteFileCommands::routeReplaced, this, [this] { fitNext_ = true; });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                highlightRow(current.row());
                updateCurveAction();
            });
    connect(messages_, &RouteMessageList::pointChosen, this, &RouteWindow::showPoint);
}

void RouteWindow::scheduleRecompute() { recompute_.start(); }

void RouteWindow::recomputeNow() {
    recompute_.stop();
    computed_ = computeRoute(document_.settings(), document_.points());
    showComputed();
}

void RouteWindow::showComputed() {
    document_.table().setResults(computed_.route.ipResults);
    messages_->setMessages(computed_.messages);
    auto plan = preview::PreviewGeometry::build(routePlanDrawing(computed_));
    if (fitNext_) plan_->showNewPlan(std::move(plan));
    else plan_->showPlan(std::move(plan));
    fitNext_ = false;
    highlightRow(currentRow());
    updateCurveAction();
}

int RouteWindow::currentRow() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RouteWindow::highlightRow(int row) {
    const std::vector<kr::IpInput> &points = computed_.route.ips;
    if (row < 0 || row >= static_cast<int>(points.size())) {
        plan_->setHighlight(std::nullopt, {});
        return;
    }
    const std::size_t k = static_cast<std::size_t>(row);
    std::vector<preview::DxfPoint> curve;
    const std::vector<kr::RouteIp> &ips = computed_.route.ipResults;
    if (!computed_.route.alignment.segments.empty() && k < ips.size() && ips[k].planned)
        curve = centreLinePoints(computed_.route.alignment, ips[k].curveStart, ips[k].curveEnd);
    plan_->setHighlight(planPoint(points[k].point), std::move(curve));
}

void RouteWindow::showPoint(int row) {
    if (row < 0 || row >= document_.table().rowCount()) return;
    table_->setCurrentIndex(document_.table().index(row, 0));
    table_->scrollTo(table_->currentIndex());
    if (static_cast<std::size_t>(row) < computed_.route.ips.size())
        plan_->centreOn(planPoint(computed_.route.ips[static_cast<std::size_t>(row)].point));
}

void RouteWindow::updateCurveAction() {
    const QString why = whyNotDrawable(computed_, currentRow());
    drawCurveAction_->setEnabled(why.isEmpty() && static_cast<bool>(drawCurve_));
    const QString tip = why.isEmpty() ? QStringLiteral("選んだ IP の曲線をフォームに入れて作図します。") : why;
    drawCurveAction_->setToolTip(tip);
    drawCurveAction_->setStatusTip(tip);
}

void RouteWindow::refuse(const QString &text) { dialogs_.message(text, programTitle(), MessageIcon::None); }

void RouteWindow::insertRow() {
    const int row = currentRow();
    document_.insertPoint(row < 0 ? document_.table().rowCount() : row);
}

void RouteWindow::removeRows() {
    std::set<int> rows;
    for (const QModelIndex &index : table_->selectionModel()->selectedIndexes()) rows.insert(index.row());
    if (rows.empty() && currentRow() >= 0) rows.insert(currentRow());
    if (rows.empty()) return;
    // Selected rows next to each other go in one step.
    const int first = *rows.begin(), last = *rows.rbegin();
    if (last - first + 1 == static_cast<int>(rows.size())) document_.removePoints(first, last - first + 1);
    else document_.removePoints(currentRow(), 1);
}

void RouteWindow::moveRow(int offset) {
    if (currentRow() >= 0) document_.movePoint(currentRow(), offset);
}

void RouteWindow::pasteText(const QString &text) {
    const QModelIndex at = table_->currentIndex();
    const int row = at.isValid() ? at.row() : document_.table().rowCount();
    const int column = at.isValid() && at.column() < EditableColumns ? at.column() : 0;
    QString problem;
    if (!document_.paste(row, column, text, problem)) refuse(problem);
}

void RouteWindow::copySelection() {
    const QModelIndexList selected = table_->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    int top = selected.first().row(), bottom = top, leftmost = selected.first().column(), rightmost = leftmost;
    for (const QModelIndex &index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        leftmost = std::min(leftmost, index.column());
        rightmost = std::max(rightmost, index.column());
    }
    QStringList lines;
    for (int row = top; row <= bottom; ++row) {
        QStringList cells;
        for (int column = leftmost; column <= rightmost; ++column)
            cells << document_.table().data(document_.table().index(row, column), Qt::DisplayRole).toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void RouteWindow::closeEvent(QCloseEvent *event) {
    if (files_->maySetAsideChanges()) event->accept();
    else event->ignore();
}

} // namespace rovena
