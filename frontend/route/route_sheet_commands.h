// The 線形計算書 of the route window's menu 出力: the route as it stands
// handed to the library, its sheet printed or written as a PDF file on A4
// pages a few at a time between the window's events, and the user told
// where it went.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "sheet_printer.h"

class QMenu;
class QWidget;

namespace rovena {

class RouteOutputs;
class UserDialogs;

class RouteSheetCommands : public QObject {
    Q_OBJECT

public:
    RouteSheetCommands(QWidget &window, RouteOutputs &outputs, UserDialogs &dialogs);

    route::SheetPrinter &printer() { return printer_; }

    // "線形計算書の印刷…": the print dialog, then the pages.
    bool print();
    // "線形計算書の PDF 出力…": the file asked for (suggested: suggestion), then the pages.
    bool exportPdf(const QString &suggestion);

    // Adds the two items to the menu 出力; suggestion gives the PDF file suggested.
    void addTo(QMenu &menu, std::function<QString()> suggestion);

private:
    std::optional<route::CalculationSheetDocument> sheet();

    RouteOutputs &outputs_;
    UserDialogs &dialogs_;
    route::SheetPrinter printer_;
    bool pdf_ = false;
};

} // namespace rovena
