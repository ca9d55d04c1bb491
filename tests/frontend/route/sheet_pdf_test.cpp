// The printed sheet of the worked route of docs/route.md, read back from the
// PDF with poppler's tools: A4 portrait, the embedded Japanese font, the
// title and route name in every header, "n / N" in every footer, every
// station of the documentation's coordinate table once with its values,
// numbers right-aligned, nothing outside the margins. Then the batch
// command's answers, and the window's printing and PDF through stand-in
// dialogs: page ranges, progress without freezing, cancelling, failures.
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <map>

#include "calculation_sheet_source.h"
#include "form_test_support.h"
#include "library_binding.h"
#include "sheet_dialogs.h"
#include "sheet_output.h"
#include "sheet_printer.h"

using namespace rovena::route;

namespace {

constexpr double mmPerPoint = 25.4 / 72.0;

// The worked route of docs/route.md as a route file.
const char workedRoute[] = "[route]\nformat = 1\nname = 県道1号\nzone = 9\nspeed = 60\n"
                           "width.left = 5.5\nwidth.right = 6\n\n"
                           "[ip]\nname = BP\nx = -5000\ny = 12000\n\n"
                           "[ip]\nname = IP1\nx = -4903.23653\ny = 12167.599247\na1 = 110\nr = 200\na2 = 110\n\n"
                           "[ip]\nname = IP2\nx = -4921.873233\ny = 12380.617742\na1 = 120\nr = 250\na2 = 130\n\n"
                           "[ip]\nname = IP3\nx = -4711.182446\ny = 12681.515369\na1 = 130\nr = 300\na2 = 100\n"
                           "r2 = 150\nam = 120\nlc = 30\n\n"
                           "[ip]\nname = EP\nx = -4838.811303\ny = 12902.575034\n";

struct Run {
    int status = -1;
    QString out, err;
};

Run run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    Run r;
    if (!process.waitForFinished(120000)) return r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

Run exportSheet(const QStringList &arguments) {
    return run(QStringLiteral(KORVANE_BIN_DIR "/rovena"), QStringList{QStringLiteral("--export-sheet-pdf")} + arguments);
}

int pageCount(const QString &pdf) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", {pdf}).out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of page n (from 1), as laid out, a line each without blank lines.
QStringList pageLines(const QString &pdf, int n) {
    const QString text = run("pdftotext", {"-layout", "-f", QString::number(n), "-l", QString::number(n), pdf, "-"}).out;
    QStringList lines;
    for (const QString &l : text.split(QLatin1Char('\n')))
        if (!l.trimmed().isEmpty() && !l.startsWith(QLatin1Char('\f'))) lines << l.trimmed();
    return lines;
}

QStringList tokens(const QString &line) { return line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts); }

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;  // millimetres from the page's top left corner
};

std::vector<Word> words(const QString &pdf, int page) {
    std::vector<Word> out;
    const QString html =
        run("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"}).out;
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.push_back({m.captured(5), m.captured(1).toDouble() * mmPerPoint, m.captured(2).toDouble() * mmPerPoint,
                       m.captured(3).toDouble() * mmPerPoint, m.captured(4).toDouble() * mmPerPoint});
    }
    return out;
}

// The rows of the worked route's coordinate table in docs/route.md (the
// first table of the page): 点名, 測点, 追加距離, 実距離, X, Y.
std::vector<QStringList> documentedStations() {
    QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/docs/route.md"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    std::vector<QStringList> rows;
    static const QRegularExpression row(QStringLiteral("^    ([^,]+),(NO\\.[0-9.+]+),([0-9.]+),([0-9.]+),(-?[0-9.]+),(-?[0-9.]+),"));
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch()) rows.push_back(m.capturedTexts().mid(1));
        else if (!rows.empty()) break;
    }
    return rows;
}

// Stands in for the dialogs: scripted answers, recorded errors.
class ScriptedDialogs : public SheetDialogs {
public:
    QString pdfAnswer;
    std::function<bool(QPrinter &, int)> printerAnswer;
    QStringList errors;
    int pageCountAsked = 0;

    QString askPdfPath(QWidget *, const QString &) override { return pdfAnswer; }
    bool askPrinter(QWidget *, QPrinter &printer, int pages) override {
        pageCountAsked = pages;
        return printerAnswer && printerAnswer(printer, pages);
    }
    void showError(QWidget *, const QString &text) override { errors << text; }
};

// A sheet of one long table, for the jobs that take a while.
CalculationSheetDocument longSheet(int rows) {
    SheetTable t{{}, {{"点名", CellAlignment::left}, {"追加距離", CellAlignment::right}}, {}};
    for (int r = 0; r < rows; ++r) t.rows.push_back({QStringLiteral("NO.%1").arg(r), QString::number(r * 20.0, 'f', 4)});
    return {QStringLiteral("線形計算書"), {{QStringLiteral("主要点・測点"), {t}}}};
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class SheetPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString route, pdf;
    std::vector<QStringList> pages;  // the lines of each page of the worked route's sheet

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        route = dir.filePath("worked.rvr");
        pdf = dir.filePath("worked.pdf");
        QVERIFY(writeFile(route, workedRoute));
        const Run r = exportSheet({route, pdf});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        for (int n = 1; n <= pageCount(pdf); ++n) pages.push_back(pageLines(pdf, n));
    }

    void pagesAreA4WithHeaderAndNumber() {
        const QRegularExpressionMatch size =
            QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(run("pdfinfo", {pdf}).out);
        QVERIFY(size.hasMatch());
        QVERIFY(std::abs(size.captured(1).toDouble() * mmPerPoint - 210.0) < 0.5);
        QVERIFY(std::abs(size.captured(2).toDouble() * mmPerPoint - 297.0) < 0.5);
        const Run fonts = run("pdffonts", {pdf});
        QVERIFY2(fonts.out.contains(QRegularExpression("IPAGothic\\s+CID TrueType\\s+Identity-H\\s+yes")),
                 qPrintable(fonts.out));
        QVERIFY(pages.size() >= 2);
        // The 63 stations take more than a page: a page they go on to starts
        // with their heading, marked, and their titles.
        int continued = 0;
        for (std::size_t n = 0; n < pages.size(); ++n) {
            const QStringList &lines = pages[n];
            QVERIFY(lines.size() > 2);
            QCOMPARE(tokens(lines.first()), (QStringList{"線形計算書", "県道1号"}));
            QCOMPARE(lines.last(), QStringLiteral("%1 / %2").arg(n + 1).arg(pages.size()));
            if (lines[1] != QStringLiteral("■ 主要点・測点（続き）")) continue;
            QCOMPARE(tokens(lines[2]), (QStringList{"点名", "測点", "追加距離", "単距離", "X", "Y", "方向角"}));
            ++continued;
        }
        QVERIFY(continued >= 1);
    }

    // Every documented station once, with its station, 単距離 (the step from
    // the row before), X and Y; the IP table's leg from BP as documented.
    void everyStationOnceWithItsValues() {
        const std::vector<QStringList> stations = documentedStations();
        QCOMPARE(stations.size(), std::size_t(63));  // BP, 48 full stations, 13 main points, EP
        std::map<QString, QStringList> seen;  // the tokens of each station's line, by 点名 and 測点
        std::map<QString, int> times;
        QStringList all;
        for (const QStringList &lines : pages) all += lines;
        for (const QString &line : all) {
            const QStringList t = tokens(line);
            if (t.size() < 2 || !t[1].startsWith(QLatin1String("NO."))) continue;
            seen[t[0] + ' ' + t[1]] = t;
            ++times[t[0] + ' ' + t[1]];
        }
        double before = 0;
        for (const QStringList &s : stations) {
            const QString key = s[0] + ' ' + s[1];
            QVERIFY2(times[key] == 1, qPrintable(key));
            const QStringList &t = seen[key];
            QVERIFY(t.size() >= 6);
            const bool first = s[0] == QLatin1String("BP");
            QCOMPARE(t.mid(0, 3), s.mid(0, 3));
            QCOMPARE(t.mid(first ? 3 : 4, 2), s.mid(4, 2));
            // The step between two rounded distances may differ from the rounded step by its last digit.
            if (!first) QVERIFY2(std::abs(t[3].toDouble() - (s[3].toDouble() - before)) < 1.1e-4, qPrintable(key));
            before = s[3].toDouble();
        }
        const QRegularExpression leg(QStringLiteral("^BP\\s+-5000\\.0000\\s+12000\\.0000\\s+193\\.5269\\s"));
        QVERIFY(std::any_of(all.begin(), all.end(), [&](const QString &l) { return leg.match(l).hasMatch(); }));
    }

    // No text leaves the margins; numbers end on one line, whatever their
    // width: KE1-1's 単距離 0.5000 and the 20.0000 of the full stations.
    void columnsAlignedAndNothingClipped() {
        int aligned = 0;
        for (int n = 1; n <= int(pages.size()); ++n) {
            const std::vector<Word> page = words(pdf, n);
            double right = -1;
            for (const Word &w : page) {
                QVERIFY2(w.xMin >= 15.0 - 0.2 && w.xMax <= 195.0 + 0.2 && w.yMin >= 12.0 - 0.2 && w.yMax <= 285.0 + 0.2,
                         qPrintable(w.text));
                if (w.text == QLatin1String("0.5000")) right = w.xMax;
            }
            if (right < 0) continue;
            for (const Word &w : page)
                if (w.text == QLatin1String("20.0000") && std::abs(w.xMax - right) < 3.0) {
                    QVERIFY(std::abs(w.xMax - right) < 0.05);
                    ++aligned;
                }
        }
        QVERIFY(aligned >= 10);
    }

    void commandLineAnswers() {
        QCOMPARE(exportSheet({}).status, 2);
        QCOMPARE(exportSheet({route}).status, 2);
        QCOMPARE(exportSheet({route, pdf, "x.pdf"}).status, 2);
        const Run option = exportSheet({route, pdf, "--fit"});
        QCOMPARE(option.status, 2);
        QVERIFY(option.err.contains("unknown option: --fit"));

        // A refused route: the library's message, nothing written, an earlier file kept.
        const QString bad = dir.filePath("bad.csv"), out = dir.filePath("kept.pdf");
        QVERIFY(writeFile(bad, "点名,X,Y\nBP,0,0\nIP1,0,0\nEP,10,10\n"));
        QVERIFY(writeFile(out, "earlier"));
        const Run refused = exportSheet({bad, out});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains("rovena: ") && refused.err.contains("BP"), qPrintable(refused.err));
        QCOMPARE(contents(out), QByteArray("earlier"));

        const Run unwritable = exportSheet({route, dir.filePath("no/such/folder/x.pdf")});
        QCOMPARE(unwritable.status, 1);
        QVERIFY2(unwritable.err.contains("ＰＤＦファイルを書き込めません"), qPrintable(unwritable.err));
    }

    // The window's way: the sheet from the library, the PDF asked for, a
    // print of pages 2 to 3 into a file.
    void windowWritesAndPrints() {
        rovena_test::RecordingDialogs messages;
        rovena::LibraryBinding library(&messages, "Rovena");
        library.setLibraryFile(QStringLiteral(KORVANE_BIN_DIR "/" KORVANE_RUNTIME_NAME));
        QString error;
        const std::optional<CalculationSheetDocument> sheet = computeCalculationSheet(library, route, &error);
        QVERIFY2(sheet, qPrintable(error + messages.texts().join('\n')));
        const int pageTotal = prepareSheet(*sheet)->pageCount();
        QCOMPARE(pageTotal, int(pages.size()));

        QWidget window;
        ScriptedDialogs dialogs;
        SheetPrinter printer(&window, &dialogs);
        QSignalSpy finished(&printer, &SheetPrinter::finished);
        QVERIFY(!printer.exportPdf(*sheet, "suggested.pdf"));  // cancelled
        QCOMPARE(finished.size(), 0);

        dialogs.pdfAnswer = dir.filePath("window.pdf");
        QVERIFY(printer.exportPdf(*sheet, "suggested.pdf"));
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.last(), (QList<QVariant>{true, dialogs.pdfAnswer}));
        QCOMPARE(pageCount(dialogs.pdfAnswer), pageTotal);

        const QString printed = dir.filePath("printed.pdf");
        dialogs.printerAnswer = [&](QPrinter &p, int) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(printed);
            p.setPrintRange(QPrinter::PageRange);
            p.setFromTo(2, 3);
            return true;
        };
        QVERIFY(printer.print(*sheet));
        QCOMPARE(dialogs.pageCountAsked, pageTotal);
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.last().at(0).toBool(), true);
        QCOMPARE(pageCount(printed), 2);
        QCOMPARE(pageLines(printed, 1).last(), QStringLiteral("2 / %1").arg(pageTotal));
        QCOMPARE(pageLines(printed, 2).last(), QStringLiteral("3 / %1").arg(pageTotal));

        dialogs.pdfAnswer = dir.filePath("no/such/folder/x.pdf");
        QVERIFY(!printer.exportPdf(*sheet, {}));
        QVERIFY(dialogs.errors.last().startsWith(QStringLiteral("ＰＤＦファイルを書き込めません")));
        QVERIFY(dialogs.errors.size() == 1);
    }

    // A long sheet is painted between the window's events: a timer keeps
    // ticking; progress counts up to the pages; a cancelled job leaves the
    // earlier file as it was.
    void longSheetNeitherFreezesNorLosesTheEarlierFile() {
        const CalculationSheetDocument sheet = longSheet(6000);
        QWidget window;
        ScriptedDialogs dialogs;
        SheetPrinter printer(&window, &dialogs);
        QSignalSpy finished(&printer, &SheetPrinter::finished);
        QSignalSpy progressed(&printer, &SheetPrinter::progressed);
        const QString path = dir.filePath("long.pdf");

        QElapsedTimer clock;
        qint64 last = 0, longest = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        clock.start();
        ticker.start(5);
        QVERIFY(printer.writePdf(sheet, path));
        QVERIFY(printer.isBusy());
        QVERIFY(finished.wait(120000));
        longest = std::max(longest, clock.elapsed() - last);
        ticker.stop();
        QCOMPARE(finished.last().at(0).toBool(), true);
        QVERIFY2(longest < 500, qPrintable(QString::number(longest)));
        const int written = pageCount(path);
        QVERIFY(written > 50);
        QVERIFY(progressed.size() > 1);
        QCOMPARE(progressed.last(), (QList<QVariant>{written, written}));
        for (qsizetype i = 1; i < progressed.size(); ++i)
            QVERIFY(progressed[i].at(0).toInt() > progressed[i - 1].at(0).toInt());

        const QByteArray bytes = contents(path);
        QObject::connect(&printer, &SheetPrinter::progressed, &printer, &SheetPrinter::cancel);
        QVERIFY(printer.writePdf(longSheet(7000), path));
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.last().at(0).toBool(), false);
        QVERIFY(!printer.isBusy());
        QCOMPARE(contents(path), bytes);
        QVERIFY(dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(SheetPdfTest)
#include "sheet_pdf_test.moc"
