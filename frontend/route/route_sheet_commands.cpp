#include "route_sheet_commands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "calculation_sheet_source.h"
#include "route_outputs.h"
#include "user_dialogs.h"

namespace rovena {

RouteSheetCommands::RouteSheetCommands(QWidget &window, RouteOutputs &outputs, UserDialogs &dialogs)
    : outputs_(outputs), dialogs_(dialogs), printer_(&window) {
    connect(&printer_, &route::SheetPrinter::finished, this, [this](bool completed, const QString &target) {
        if (!completed) return;
        dialogs_.message(pdf_ ? QStringLiteral("線形計算書を作成しました: %1").arg(QDir::toNativeSeparators(target))
                              : QStringLiteral("線形計算書を印刷しました（%1）。").arg(target),
                         programTitle(), MessageIcon::None);
    });
}

std::optional<route::CalculationSheetDocument> RouteSheetCommands::sheet() {
    const QByteArray route = outputs_.routeFile();
    if (route.isEmpty()) return std::nullopt;
    QString error;
    std::optional<route::CalculationSheetDocument> sheet =
        route::computeCalculationSheet(outputs_.library(), QFile::decodeName(route), &error);
    if (!error.isEmpty()) dialogs_.message(error, programTitle(), MessageIcon::None);
    return sheet;
}

bool RouteSheetCommands::print() {
    const std::optional<route::CalculationSheetDocument> document = sheet();
    pdf_ = false;
    return document && printer_.print(*document);
}

bool RouteSheetCommands::exportPdf(const QString &suggestion) {
    const std::optional<route::CalculationSheetDocument> document = sheet();
    pdf_ = true;
    return document && printer_.exportPdf(*document, suggestion);
}

void RouteSheetCommands::addTo(QMenu &menu, std::function<QString()> suggestion) {
    QAction *print = menu.addAction(QStringLiteral("線形計算書の印刷…"));
    print->setObjectName(QStringLiteral("printRouteSheet"));
    connect(print, &QAction::triggered, this, [this] { this->print(); });
    QAction *pdf = menu.addAction(QStringLiteral("線形計算書の PDF 出力…"));
    pdf->setObjectName(QStringLiteral("exportRouteSheetPdf"));
    connect(pdf, &QAction::triggered, this, [this, suggestion] { exportPdf(suggestion()); });
}

} // namespace rovena
