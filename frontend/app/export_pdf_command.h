// The batch form of the preview's "PDF出力…": without a window,
//   rovena --export-pdf DRAWING.dxf OUT.pdf [--paper A1|A2|A3|A4] [--fit] [--portrait] [--black]
// Exit status 0 when the PDF is written; otherwise 1 (2 for a wrong command
// line) with the reason on standard error.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace rovena {

// The export's command line, as the usage texts show it.
extern const char kExportPdfCommandLine[];

// Whether the command line asks for the export (its first argument is --export-pdf).
bool isExportPdfCommand(int argc, char **argv);

// Runs the export as a program of its own: offscreen when there is no display.
int exportPdfMain(int argc, char **argv);

// The export inside a running application; arguments after --export-pdf.
int exportPdf(const QStringList &arguments, QTextStream &errors);

} // namespace rovena
