// The drawing on paper, measured in the PDF with poppler's tools: A1 at the
// drawing's own scale, the distance of two texts of the element table, the
// Japanese of the table as text, embedded fonts; the options asked through
// the window; the command line's answers to wrong input.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

#include <iconv.h>

#include <algorithm>
#include <array>
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
    QStringList done;
    void showDone(QWidget *, const QString &text) override { done << text; }
};

// How near the ink of a one-page PDF comes to each edge of the page, in
// millimetres (rendered at one pixel a millimetre; a pixel is ink when it
// is not white): left, top, right, bottom.
std::array<int, 4> inkDistances(const QString &pdf) {
    const QString png = QFileInfo(pdf).absolutePath() + QStringLiteral("/ink");
    runTool("pdftoppm", {QStringLiteral("-r"), QStringLiteral("25.4"), QStringLiteral("-png"),
                         QStringLiteral("-singlefile"), pdf, png});
    const QImage image(png + QStringLiteral(".png"));
    std::array<int, 4> near{image.width(), image.height(), image.width(), image.height()};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 250) {
                near[0] = std::min(near[0], x);
                near[1] = std::min(near[1], y);
                near[2] = std::min(near[2], image.width() - 1 - x);
                near[3] = std::min(near[3], image.height() - 1 - y);
            }
    return near;
}

// The scale 1:N' that a message of the window names first.
double printedScale(const QString &message) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("1:([0-9.]+)")).match(message);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

}  // namespace

// The sample at 1:250 on A1, whose sheet alone fills A1 and whose element
// table begins above the sheet: the whole drawing is on the page, at least
// 9 mm from every edge, reduced no more than needed, at the scale the window
// names, with the table's Japanese as text in embedded fonts.
TEST(PreviewPdf, SampleOnA1AtItsScale) {
    preview_test::TempFolder folder;
    const preview_test::SampleDrawing sample = preview_test::makeSampleDrawing(folder);
    ASSERT_FALSE(sample.path.empty()) << sample.error;
    StubDialogs dialogs;
    dialogs.answer = {Paper::a1, true, false, true};
    dialogs.pdfPath = QString::fromStdString(folder.file("sample.pdf"));
    PreviewWindow window;
    window.setPrintDialogs(&dialogs);
    ASSERT_TRUE(window.loadDrawing(QString::fromStdString(sample.path)));
    window.exportPdf();
    ASSERT_EQ(dialogs.done.size(), 1);
    const QString pdf = dialogs.pdfPath;
    EXPECT_TRUE(dialogs.done[0].contains(pdf)) << dialogs.done[0].toStdString();

    const QSizeF page = pageSizeMm(pdf);
    EXPECT_NEAR(page.width(), 841.0, 0.5);
    EXPECT_NEAR(page.height(), 594.0, 0.5);

    // Nothing within 9 mm of an edge; the drawing reaches the 10 mm margin
    // on one side at least, so it is reduced no more than needed.
    const std::array<int, 4> ink = inkDistances(pdf);
    for (int edge : ink) EXPECT_GE(edge, 9);
    EXPECT_LE(std::min({ink[0], ink[1], ink[2], ink[3]}), 11);

    // Every word of the page within it, the heads of the table included.
    const std::map<QString, Word> words = wordsOf(pdf);
    for (const QString &head : {QStringLiteral("左側曲線"), QStringLiteral("右側曲線")}) {
        ASSERT_TRUE(words.count(head)) << head.toStdString();
        EXPECT_GE(words.at(head).yMax, 10.0);
    }

    // Two lines of the element table, which start at their insertion point:
    // their distance on paper is the drawing's at the scale the window names,
    // a little below 1:250.
    const preview_test::Scan scan = preview_test::scanDxf(sample.path);
    const DxfPoint pitch = textAt(scan, "ｾﾝﾀｰでの計算ピッチ"), ka = textAt(scan, "Ｋ.Ａ.位置の測点");
    ASSERT_TRUE(words.count(QStringLiteral("ｾﾝﾀｰでの計算ピッチ")));
    ASSERT_TRUE(words.count(QStringLiteral("Ｋ.Ａ.位置の測点")));
    const double onPaper = words.at(QStringLiteral("Ｋ.Ａ.位置の測点")).yMax - words.at(QStringLiteral("ｾﾝﾀｰでの計算ピッチ")).yMax;
    const double named = printedScale(dialogs.done[0]);
    EXPECT_GT(named, sampleScale);
    EXPECT_LT(named, sampleScale * 1.1);
    EXPECT_TRUE(dialogs.done[0].contains(QStringLiteral("縮尺 1:250 を "))) << dialogs.done[0].toStdString();
    EXPECT_NEAR(onPaper, (pitch.y - ka.y) / named, 0.3);
    EXPECT_GT(onPaper, 5.0);

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

// Fitted to A3, what is drawn fills the page up to the margin on two
// opposite edges, without the A1 sheet's frame that made it a quarter of
// the page.
TEST(PreviewPdf, SampleFittedToA3) {
    preview_test::TempFolder folder;
    const preview_test::SampleDrawing sample = preview_test::makeSampleDrawing(folder);
    ASSERT_FALSE(sample.path.empty()) << sample.error;
    StubDialogs dialogs;
    dialogs.answer = {Paper::a3, true, true, true};
    dialogs.pdfPath = QString::fromStdString(folder.file("fitted.pdf"));
    PreviewWindow window;
    window.setPrintDialogs(&dialogs);
    ASSERT_TRUE(window.loadDrawing(QString::fromStdString(sample.path)));
    window.exportPdf();
    ASSERT_EQ(dialogs.done.size(), 1);
    EXPECT_TRUE(dialogs.done[0].contains(QStringLiteral("A3 横、用紙に合わせて 1:"))) << dialogs.done[0].toStdString();
    const std::array<int, 4> ink = inkDistances(dialogs.pdfPath);
    for (int edge : ink) EXPECT_GE(edge, 9);
    EXPECT_TRUE((ink[0] <= 11 && ink[2] <= 11) || (ink[1] <= 11 && ink[3] <= 11))
        << ink[0] << " " << ink[1] << " " << ink[2] << " " << ink[3];
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
    // The window says where the file went and how it lies on the paper.
    ASSERT_EQ(dialogs.done.size(), 1);
    EXPECT_EQ(dialogs.done[0].section(u'\n', 0, 1), "ＰＤＦファイルを作成しました。\n" + dialogs.pdfPath);
    EXPECT_TRUE(dialogs.done[0].section(u'\n', 2).startsWith(QStringLiteral("A3 縦、用紙に合わせて 1:")));
    const QSizeF page = pageSizeMm(dialogs.pdfPath);
    EXPECT_NEAR(page.width(), 297.0, 0.5);
    EXPECT_NEAR(page.height(), 420.0, 0.5);

    // Printing goes through the same painting; the paper of the options is set on the printer.
    dialogs.answer = {Paper::a2, true, false, true};
    dialogs.printerFile = QString::fromStdString(folder.file("printed.pdf"));
    window.printDrawing();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    ASSERT_EQ(dialogs.done.size(), 2);
    EXPECT_TRUE(dialogs.done[1].startsWith(QStringLiteral("印刷データをプリンターに送りました。\nA2 横、"))) << dialogs.done[1].toStdString();
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
