// The route window: a whole route by the IP method, edited and looked at in
// one place. The IP table and the route's settings on the left, the plan of
// the whole route and the list of its refusals and warnings on the right;
// every edit computes the route again in this process and redraws the plan.
// Menus ファイル (route files), 編集 (rows, paste, undo), 出力 (the route's
// tables and files, written by the library, and its printed 線形計算書) and
// 曲線 (この曲線を作図).
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>

#include "computed_route.h"
#include "library_binding.h"
#include "route_document.h"
#include "route_file_commands.h"
#include "route_outputs.h"
#include "route_sheet_commands.h"
#include "user_dialogs.h"

class QAction;
class QMenu;
class QTableView;

namespace rovena {

class RouteMessageList;
class RoutePlanView;
class RouteSettingsPanel;

class RouteWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit RouteWindow(QWidget *parent = nullptr);
    ~RouteWindow() override;

    RouteDocument &document() { return document_; }
    RouteFileCommands &files() { return *files_; }
    RouteOutputs &outputs() { return outputs_; }
    RouteSheetCommands &sheet() { return *sheet_; }
    QTableView &table() { return *table_; }
    RoutePlanView &plan() { return *plan_; }
    const ComputedRoute &computed() const { return computed_; }

    // Stand-ins for the dialogs (null restores the real ones); not owned.
    void setUserDialogs(UserDialogs *dialogs) { dialogs_.replace(dialogs); }
    // The library file to bind instead of searching for it.
    void setLibraryFile(const QString &path) { library_.setLibraryFile(path); }

    // The computation an edit starts on the next turn of the event loop,
    // done at once.
    void recomputeNow();
    // The IP table's row selected, its IP highlighted and put in the middle
    // of the plan.
    void showPoint(int row);
    // The selected row of the IP table (−1: none).
    int currentRow() const;

    // この曲線を作図 hands the computed route and the row to this.
    void setDrawCurveHandler(std::function<void(const ComputedRoute &, int)> draw) { drawCurve_ = std::move(draw); }
    QAction &drawCurveAction() { return *drawCurveAction_; }

    // Edits of the IP table (the menu 編集).
    void insertRow();
    void removeRows();
    void moveRow(int offset);
    void pasteText(const QString &text);
    void copySelection();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void buildMenus();
    void buildEditMenu(QMenu &menu);
    void connectDocument();
    void scheduleRecompute();
    void showComputed();
    void highlightRow(int row);
    void updateCurveAction();
    void refuse(const QString &text);

    ReplaceableDialogs dialogs_;
    LibraryBinding library_;
    RouteDocument document_;
    std::unique_ptr<RouteFileCommands> files_;
    RouteOutputs outputs_;
    std::unique_ptr<RouteSheetCommands> sheet_;
    ComputedRoute computed_;
    QTimer recompute_;
    bool fitNext_ = true;

    QTableView *table_ = nullptr;
    RouteSettingsPanel *settings_ = nullptr;
    RoutePlanView *plan_ = nullptr;
    RouteMessageList *messages_ = nullptr;
    QMenu *outputMenu_ = nullptr;
    QAction *drawCurveAction_ = nullptr;
    std::function<void(const ComputedRoute &, int)> drawCurve_;
};

} // namespace rovena
