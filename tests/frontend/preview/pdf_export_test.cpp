// The drawing on paper, measured in the PDF with poppler's tools: A1 at the
// drawing's own scale, the distance of two texts of the element table, the
// Japanese of the table as text, embedded fonts; the options asked through
// the window; the command line's answers to wrong input.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

#include <iconv.h>

#include <map>

#include "dxf_group_scan.h"
#include "export_pdf_command.h"
#include "preview_window.h"
#include "print_dialogs.h"
#include "print_options_dialog.h"
#include "sample_drawing.h"

using namespace rovena::preview;

namespace {

constexpr double mmPerPoint = 25.4 / 72.0;
constexpr double sampleScale = 250.0;  // the sample design's 1:250

QString runTool(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page size in millimetres, as pdfinfo reports it in points.
QSizeF pageSizeMm(const QString &pdf) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(runTool("pdfinfo", {pdf}));
    if (!m.hasMatch()) return {};
    return {m.captured(1).toDouble() * mmPerPoint, m.captured(2).toDouble() * mmPerPoint};
}

struct Word {
    double xMin = 0, yMax = 0;  // millimetres from the page's top left corner
};

// The words of pdftotext -bbox by their text (the first of each).
std::map<QString, Word> wordsOf(const QString &pdf) {
    std::map<QString, Word> words;
    const QString html = runTool("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.try_emplace(m.captured(3), Word{m.captured(1).toDouble() * mmPerPoint, m.captured(2).toDouble() * mmPerPoint});
    }
    return words;
}

std::string toCp932(const std::string &utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string in = utf8, out(utf8.size() * 2 + 8, '\0');
    char *src = in.data(), *dst = out.data();
    size_t left = in.size(), room = out.size();
    iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

// The insertion point of the text whose value starts with prefix.
DxfPoint textAt(const preview_test::Scan &scan, const std::string &prefixUtf8) {
    const std::string prefix = toCp932(prefixUtf8);
    for (const auto &e : scan.entities)
        if (e.type == "TEXT" && e.text(1).rfind(prefix, 0) == 0) return {e.real(10), e.real(20)};
    ADD_FAILURE() << "no text " << prefixUtf8;
    return {};
}

class StubDialogs final : public PrintDialogs {
public:
    PrintOptions answer;
    QString pdfPath;
    double askedScale = -1.0;
    QStringList errors;
    std::optional<PrintOptions> askOptions(QWidget *, const PrintOptions &, double scaleN) override {
        askedScale = scaleN;
        return answer;
    }
    QString askPdfPath(QWidget *, const QString &) override { return pdfPath; }
    QString printerFile;  // the printer prints into this PDF file; none: cancelled
    bool askPrinter(QWidget *, QPrinter &printer) override {
        if (printerFile.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerFile);
        return true;
    }
    void showError(QWidget *, const QString &text) override { errors << text; }
};

}  // namespace

TEST(PreviewPdf, SampleOnA1AtItsScale) {
    preview_test::TempFolder folder;
    const preview_test::SampleDrawing sample = preview_test::makeSampleDrawing(folder);
    ASSERT_FALSE(sample.path.empty()) << sample.error;
    const QString pdf = QString::fromStdString(folder.file("sample.pdf"));
    QString errorText;
    QTextStream errors(&errorText);
    ASSERT_EQ(rovena::exportPdf({QString::fromStdString(sample.path), pdf}, errors), 0) << errorText.toStdString();

    const QSizeF page = pageSizeMm(pdf);
    EXPECT_NEAR(page.width(), 841.0, 0.5);
    EXPECT_NEAR(page.height(), 594.0, 0.5);

    // Two lines of the element table, which start at their insertion point:
    // on paper their distance is the drawing's divided by 250, and the sheet
    // (from 0, 0) fills the page, so x on paper is the drawing's x / 250.
    const preview_test::Scan scan = preview_test::scanDxf(sample.path);
    const DxfPoint pitch = textAt(scan, "ｾﾝﾀｰでの計算ピッチ"), ka = textAt(scan, "Ｋ.Ａ.位置の測点");
    const std::map<QString, Word> words = wordsOf(pdf);
    ASSERT_TRUE(words.count(QStringLiteral("ｾﾝﾀｰでの計算ピッチ")));
    ASSERT_TRUE(words.count(QStringLiteral("Ｋ.Ａ.位置の測点")));
    const Word pitchWord = words.at(QStringLiteral("ｾﾝﾀｰでの計算ピッチ"));
    const Word kaWord = words.at(QStringLiteral("Ｋ.Ａ.位置の測点"));
    EXPECT_NEAR(kaWord.yMax - pitchWord.yMax, (pitch.y - ka.y) / sampleScale, 0.5);
    EXPECT_GT(kaWord.yMax - pitchWord.yMax, 5.0);
    EXPECT_NEAR(pitchWord.xMin, pitch.x / sampleScale, 0.5);
    EXPECT_NEAR(kaWord.xMin, ka.x / sampleScale, 0.5);

    const QString text = runTool("pdftotext", {pdf, QStringLiteral("-")});
    for (const char *japanese : {"左側曲線", "右側曲線", "測点ピッチ", "各線の拡幅量", "ｾﾝﾀｰから右側の線までの距離(各線の位置)"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(japanese))) << japanese;

    // Every font is embedded (the "emb" column).
    const QStringList fonts = runTool("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString &row : fonts) {
        const QStringList columns = row.split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 5);
        EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << row.toStdString();
    }
}

TEST(PreviewPdf, WindowAsksTheOptionsAndWritesThePaperChosen) {
    preview_test::TempFolder folder;
    StubDialogs dialogs;
    dialogs.answer = {Paper::a3, false, true, true};
    dialogs.pdfPath = QString::fromStdString(folder.file("fitted.pdf"));
    PreviewWindow window;
    window.setPrintDialogs(&dialogs);
    ASSERT_TRUE(window.loadDrawing(QStringLiteral(PREVIEW_TEST_DATA "/small_drawing.dxf")));
    window.exportPdf();
    EXPECT_DOUBLE_EQ(dialogs.askedScale, 250.0);  // its sheet is 841 x 594 at 1:250
    EXPECT_TRUE(dialogs.errors.isEmpty());
    const QSizeF page = pageSizeMm(dialogs.pdfPath);
    EXPECT_NEAR(page.width(), 297.0, 0.5);
    EXPECT_NEAR(page.height(), 420.0, 0.5);

    // Printing goes through the same painting; the paper of the options is set on the printer.
    dialogs.answer = {Paper::a2, true, false, true};
    dialogs.printerFile = QString::fromStdString(folder.file("printed.pdf"));
    window.printDrawing();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    const QSizeF printed = pageSizeMm(dialogs.printerFile);
    EXPECT_NEAR(printed.width(), 594.0, 0.5);
    EXPECT_NEAR(printed.height(), 420.0, 0.5);

    // A folder that does not exist: the user is told, nothing crashes.
    dialogs.pdfPath = QString::fromStdString(folder.file("no/such/folder/out.pdf"));
    window.exportPdf();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(dialogs.pdfPath));
}

TEST(PreviewPdf, CommandLineRefusesWrongInput) {
    preview_test::TempFolder folder;
    const QString out = QString::fromStdString(folder.file("out.pdf"));
    QString errorText;
    QTextStream errors(&errorText);
    EXPECT_EQ(rovena::exportPdf({QStringLiteral(PREVIEW_TEST_DATA "/small_drawing.dxf")}, errors), 2);
    EXPECT_EQ(rovena::exportPdf({QStringLiteral(PREVIEW_TEST_DATA "/small_drawing.dxf"), out, "--paper", "B4"}, errors), 2);
    EXPECT_TRUE(errorText.contains(QStringLiteral("B4")));
    EXPECT_EQ(rovena::exportPdf({QString::fromStdString(folder.file("absent.dxf")), out}, errors), 1);
    EXPECT_TRUE(errorText.contains(QStringLiteral("ＤＸＦファイルを開けません。")));
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_EQ(rovena::exportPdf({QStringLiteral(PREVIEW_TEST_DATA "/small_drawing.dxf"), out, "--paper", "a4",
                                 "--portrait", "--fit", "--black"}, errors), 0);
    const QSizeF page = pageSizeMm(out);
    EXPECT_NEAR(page.width(), 210.0, 0.5);
    EXPECT_NEAR(page.height(), 297.0, 0.5);
}

TEST(PreviewPdf, OptionsDialogKeepsEachChoice) {
    for (const PrintOptions &given : {PrintOptions{Paper::a2, false, true, false}, PrintOptions{Paper::a4, true, false, true}}) {
        const PrintOptions got = PrintOptionsDialog(given, 250.0).options();
        EXPECT_EQ(got.paper, given.paper);
        EXPECT_EQ(got.landscape, given.landscape);
        EXPECT_EQ(got.fit, given.fit);
        EXPECT_EQ(got.black, given.black);
    }
    // Without a sheet the drawing has no scale: only fitting is offered.
    EXPECT_TRUE(PrintOptionsDialog(PrintOptions{}, 0.0).options().fit);
}
