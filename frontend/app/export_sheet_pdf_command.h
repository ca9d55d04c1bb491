// The batch form of the route window's 線形計算書 PDF: without a window,
//   rovena --export-sheet-pdf ROUTE OUT.pdf
// ROUTE is a route file (.rvr) or an IP table (CSV). The library computes
// the route's sheet; its pages are written as an A4 PDF. Exit status 0 when
// the PDF is written; 1 when it cannot be (a refused route, a file that
// cannot be read or written), with the reasons on standard error, where the
// route's warnings go too; 2 for a wrong command line.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace rovena {

// The export's command line, as the usage texts show it.
extern const char kExportSheetPdfCommandLine[];

// Whether the command line asks for the export (its first argument is --export-sheet-pdf).
bool isExportSheetPdfCommand(int argc, char **argv);

// Runs the export as a program of its own: offscreen when there is no display.
int exportSheetPdfMain(int argc, char **argv);

// The export inside a running application; arguments after --export-sheet-pdf.
int exportSheetPdf(const QStringList &arguments, QTextStream &errors);

} // namespace rovena
