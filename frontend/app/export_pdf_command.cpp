#include "export_pdf_command.h"

#include <QFileInfo>

#include "batch_command.h"
#include "drawing_loader.h"
#include "drawing_print.h"

namespace rovena {

namespace {

using preview::Paper;
using preview::PrintOptions;

bool paperOf(const QString &name, Paper &paper) {
    const QString upper = name.toUpper();
    if (upper == QLatin1String("A1")) paper = Paper::a1;
    else if (upper == QLatin1String("A2")) paper = Paper::a2;
    else if (upper == QLatin1String("A3")) paper = Paper::a3;
    else if (upper == QLatin1String("A4")) paper = Paper::a4;
    else return false;
    return true;
}

// The two paths and the options; false (with the reason) on a wrong line.
bool parse(const QStringList &arguments, QString &dxf, QString &pdf, PrintOptions &options, QString &error) {
    options.black = false;
    QStringList paths;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--fit")) options.fit = true;
        else if (a == QLatin1String("--portrait")) options.landscape = false;
        else if (a == QLatin1String("--black")) options.black = true;
        else if (a == QLatin1String("--paper") && i + 1 < arguments.size()) {
            if (!paperOf(arguments[++i], options.paper)) {
                error = QStringLiteral("unknown paper size: ") + arguments[i];
                return false;
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option: ") + a;
            return false;
        } else {
            paths << a;
        }
    }
    if (paths.size() != 2) {
        error = QStringLiteral("a drawing and a PDF file are needed");
        return false;
    }
    dxf = paths[0];
    pdf = paths[1];
    return true;
}

} // namespace

const char kExportPdfCommandLine[] =
    "rovena --export-pdf DRAWING.dxf OUT.pdf [--paper A1|A2|A3|A4] [--fit] [--portrait] [--black]";

bool isExportPdfCommand(int argc, char **argv) { return isBatchCommand(argc, argv, "--export-pdf"); }

int exportPdf(const QStringList &arguments, QTextStream &errors) {
    QString dxf, pdf, error;
    PrintOptions options;
    if (!parse(arguments, dxf, pdf, options, error)) {
        errors << "rovena: " << error << "\nusage: " << kExportPdfCommandLine << "\n";
        errors.flush();
        return 2;
    }
    const preview::LoadedDrawing loaded = preview::DrawingLoader::loadNow(dxf);
    if (loaded.status != preview::DxfReadStatus::ok || !loaded.geometry) {
        errors << "rovena: " << dxf << ": " << QString::fromStdString(preview::readStatusMessage(loaded.status))
               << "\n";
        errors.flush();
        return 1;
    }
    if (!preview::writePdf(*loaded.geometry, options, pdf, &error)) {
        errors << "rovena: " << error << "\n";
        errors.flush();
        return 1;
    }
    return 0;
}

int exportPdfMain(int argc, char **argv) { return runBatchCommand(argc, argv, &exportPdf); }

} // namespace rovena
