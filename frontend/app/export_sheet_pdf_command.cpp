#include "export_sheet_pdf_command.h"

#include <QApplication>

#include <cstring>

#include "calculation_sheet_source.h"
#include "library_binding.h"
#include "sheet_output.h"
#include "user_dialogs.h"

namespace rovena {

namespace {

// The library's messages and the binding's own on standard error, a line each.
class ErrorStreamDialogs final : public UserDialogs {
public:
    explicit ErrorStreamDialogs(QTextStream &errors) : errors_(errors) {}
    void message(const QString &text, const QString &, MessageIcon) override {
        for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) errors_ << "rovena: " << line << "\n";
        errors_.flush();
    }
    QString saveFileName(const QString &, const QString &) override { return {}; }

private:
    QTextStream &errors_;
};

} // namespace

const char kExportSheetPdfCommandLine[] = "rovena --export-sheet-pdf ROUTE OUT.pdf";

bool isExportSheetPdfCommand(int argc, char **argv) {
    return argc > 1 && std::strcmp(argv[1], "--export-sheet-pdf") == 0;
}

int exportSheetPdf(const QStringList &arguments, QTextStream &errors) {
    QString problem;
    for (const QString &a : arguments)
        if (a.startsWith(QLatin1String("--"))) problem = QStringLiteral("unknown option: ") + a;
    if (problem.isEmpty() && arguments.size() != 2) problem = QStringLiteral("a route and a PDF file are needed");
    if (!problem.isEmpty()) {
        errors << "rovena: " << problem << "\nusage: " << kExportSheetPdfCommandLine << "\n";
        errors.flush();
        return 2;
    }
    ErrorStreamDialogs dialogs(errors);
    LibraryBinding library(&dialogs, programTitle());
    QString error;
    const std::optional<route::CalculationSheetDocument> sheet =
        route::computeCalculationSheet(library, arguments[0], &error);
    if (sheet && route::writeSheetPdf(route::prepareSheet(*sheet), arguments[1], &error)) return 0;
    if (!error.isEmpty()) dialogs.message(error, {}, MessageIcon::None);
    return 1;
}

int exportSheetPdfMain(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(2);
    QTextStream errors(stderr);
    return exportSheetPdf(arguments, errors);
}

} // namespace rovena
