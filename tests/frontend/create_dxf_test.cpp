// The Create-DXF command with the real library: the parameter file the form
// writes, the command's course with stand-in dialogs, and a missing library.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "form_test_support.h"

using namespace rovena_test;

namespace {

const QString kBin = QStringLiteral(KORVANE_BIN_DIR);

const QStringList kSampleLines = {"250",       "DXF dxf", "40",    "35",       "40",    "66 55 44.444",
                                  "2.75 1 0.0", "1 1 ",    "0.5 0.5 ", "2.75 0.5 0.0", "1 1 ", "0.5 0.5 ",
                                  "0.1",       "L",       "20",    "10",       "10.111", "9.889 20 20 20 1000.",
                                  "CENTER2 1", "DOT 1",   "CONTINUOUS 1", "E"};

// A form wired to the real library, with its files in a fresh folder.
struct Fixture {
    QTemporaryDir folder;
    RecordingDialogs dialogs;
    rovena::MainForm form;

    Fixture() {
        form.setUserDialogs(&dialogs);
        form.setLibraryFile(kBin + "/libkorvane.so");
        form.setFilePaths(path("ALN_TXT_.DAT"), kBin + "/aln_hdr_.dxf", path("temp.dxf"));
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    void clickCreate() { QTest::mouseClick(form.findChild<QPushButton *>("Command1"), Qt::LeftButton); }
};

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a text file; CR LF and LF line ends both count.
QStringList fileLines(const QString &path) {
    QString text = QString::fromLocal8Bit(fileBytes(path));
    text.replace("\r\n", "\n");
    if (!text.endsWith(u'\n')) return {"<no line end at the end>"};
    text.chop(1);
    return text.split(u'\n');
}

} // namespace

class CreateDxfTest : public QObject {
    Q_OBJECT

private slots:
    void sampleDesignFile() {
        Fixture f;
        QVERIFY(f.form.WriteParameterFile());
        QCOMPARE(fileLines(f.path("ALN_TXT_.DAT")), kSampleLines);
        QVERIFY(f.dialogs.messages.empty());
    }

    // Changes to the sample design and the lines they give ("line:text").
    void parameterLines_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("formAfter");
        QTest::newRow("curve down") << QStringList{"Khoukou_1"} << QStringList{"6:-66 55 44.444"} << QStringList{};
        QTest::newRow("option alone gives the sign")
            << QStringList{"Ia_0=-66", "Khoukou_0"} << QStringList{"6:66 55 44.444"} << QStringList{};
        QTest::newRow("minutes without sign") << QStringList{"Ia_1=-55"} << QStringList{"6:66 55 44.444"}
                                              << QStringList{};
        QTest::newRow("zero degrees down") << QStringList{"Khoukou_1", "Ia_0=0", "Ia_1=30", "Ia_2=0"}
                                           << QStringList{"6:0 30 0"} << QStringList{};
        QTest::newRow("angle texts read as numbers") << QStringList{"Ia_0=12deg", "Ia_1=abc", "Ia_2= 7.50"}
                                                     << QStringList{"6:12 0 7.5"} << QStringList{};
        QTest::newRow("zero width in row 0")
            << QStringList{"Rhaba_0=0", "Rhaba_2=5", "Rkakufuku_0="} << QStringList{"7:0.0", "8:", "9:"}
            << QStringList{"Rkakufuku_0="};
        QTest::newRow("eleven widths")
            << QStringList{"Rhaba_2=3", "Rhaba_3=4", "Rhaba_4=5", "Rhaba_5=6", "Rhaba_6=7", "Rhaba_7=8",
                           "Rhaba_8=9", "Rhaba_9=10", "Rhaba_10=11", "Option1_5"}
            << QStringList{"7:2.75 1 3 4 5 6 7 8 9 10 11 0.0", "8:1 2 1 1 1 1 1 1 1 1 1 ",
                           "9:0.5 0.5 0 0 0 0 0 0 0 0 0 "}
            << QStringList{};
        QTest::newRow("width with unit") << QStringList{"Lhaba_0=2.75m"} << QStringList{"10:2.75 0.5 0.0"}
                                         << QStringList{};
        QTest::newRow("letters end the width list")
            << QStringList{"Rhaba_1=abc", "Rhaba_2=4"} << QStringList{"7:2.75 0.0", "8:1 ", "9:0.5 "}
            << QStringList{};
        QTest::newRow("methods of every kind") << QStringList{"Option2_0", "Option2_5"}
                                               << QStringList{"11:0 2 "} << QStringList{};
        QTest::newRow("empty widening in use and out of use")
            << QStringList{"Lkakufuku_1=", "Lkakufuku_5=", "Rkakufuku_0=1.25x"}
            << QStringList{"12:0.5 0 ", "9:1.25 0.5 "} << QStringList{"Lkakufuku_1=0", "Lkakufuku_5=",
                                                                    "Rkakufuku_0=1.25x"};
        QTest::newRow("texts as typed")
            << QStringList{"Syukusyaku=1:500", "AA_0=41", "AA_1=42", "AA_2=43", "center=0.2", "pitch=25",
                           "Kno_0=3", "Kno_1=x", "Shoukou_1"}
            << QStringList{"1:1:500", "3:41", "4:43", "5:42", "13:0.2", "14:R", "15:25", "16:3", "17:x"}
            << QStringList{};
        QTest::newRow("spaces inside a line are dropped")
            << QStringList{QString::fromUtf8("Text1=1 0\n2\u30000\n 5 ")} << QStringList{"18:10 20 5 1000."}
            << QStringList{};
        QTest::newRow("line break after the last value") << QStringList{"Text1=9.889\n20\n"}
                                                         << QStringList{"18:9.889 20  1000."} << QStringList{};
        QTest::newRow("tab passed on") << QStringList{"Text1=5\t6"} << QStringList{"18:5\t6 1000."}
                                       << QStringList{};
        QTest::newRow("only blanks and line breaks")
            << QStringList{QString::fromUtf8("Text1= \n\u3000\n ")} << QStringList{"18:0.0 1000."} << QStringList{};
        QTest::newRow("all empty")
            << QStringList{"Khoukou_1", "Shoukou_1", "Rhaba_0=0", "Lhaba_0=0", "Text1="}
            << QStringList{"6:-66 55 44.444", "7:0.0", "8:", "9:", "10:0.0", "11:", "12:", "14:R", "18:0.0 1000."}
            << QStringList{};
    }
    void parameterLines() {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, formAfter);
        Fixture f;
        apply(f.form, edits);
        QVERIFY(f.form.WriteParameterFile());
        const QStringList written = fileLines(f.path("ALN_TXT_.DAT"));
        QCOMPARE(written.size(), qsizetype(22));
        QStringList expected = kSampleLines;
        for (const QString &l : lines) {
            const qsizetype colon = l.indexOf(u':');
            expected[l.left(colon).toInt() - 1] = l.mid(colon + 1);
        }
        QCOMPARE(written, expected);
        for (const QString &a : formAfter) {
            const qsizetype eq = a.indexOf(u'=');
            QCOMPARE(box(f.form, a.left(eq))->text(), a.mid(eq + 1));
        }
    }

    void fullCommand() {
        Fixture f;
        f.dialogs.answer = f.path("drawing.dxf");
        QStringList hookCalls;
        f.form.setDrawingWrittenHook([&](const QString &path) { hookCalls << path; });
        f.clickCreate();
        QCOMPARE(f.dialogs.saveFolders, QStringList{QDir::homePath()});
        QCOMPARE(f.dialogs.saveFilters, QStringList{"DXF (*.dxf);;All Files (*.*)"});
        QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8("ＤＸＦファイルを作成しました。")});
        QCOMPARE(f.dialogs.messages[0].caption, rovena::programTitle());
        QVERIFY(f.dialogs.messages[0].icon == rovena::MessageIcon::None);
        const QByteArray dxf = fileBytes(f.path("drawing.dxf"));
        QVERIFY(dxf.endsWith("0\nEOF\n"));
        QCOMPARE(hookCalls, QStringList{f.path("drawing.dxf")});

        // The next dialog opens in the folder of this output.
        f.dialogs.answer.clear();
        f.clickCreate();
        QCOMPARE(f.dialogs.saveFolders.last(), QDir(f.folder.path()).absolutePath());
    }

    void rejectedDesign() {
        Fixture f;
        f.dialogs.answer = f.path("drawing.dxf");
        apply(f.form, {"Syukusyaku=0"});
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8("縮尺が不正です。")});
        QCOMPARE(f.dialogs.messages[0].caption, QString::fromUtf8("エラー"));
        QVERIFY(f.dialogs.saveFolders.isEmpty());
        QVERIFY(!QFile::exists(f.path("drawing.dxf")));
    }

    void cancelledAndRepeated() {
        Fixture f;
        f.clickCreate();
        QCOMPARE(f.dialogs.saveFolders.size(), qsizetype(1));
        QVERIFY(f.dialogs.messages.empty());
        QCOMPARE(QDir(f.folder.path()).entryList({"*.dxf"}, QDir::Files), QStringList{});
        f.clickCreate();
        QCOMPARE(fileLines(f.path("ALN_TXT_.DAT")), kSampleLines);
        QVERIFY(f.dialogs.messages.empty());
    }

    void parameterFileCannotBeCreated() {
        Fixture f;
        f.form.setFilePaths(f.path("missing/ALN_TXT_.DAT"), kBin + "/aln_hdr_.dxf", f.path("temp.dxf"));
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8("ファイル書き込みできません")});
        QVERIFY(f.dialogs.saveFolders.isEmpty());
    }

    void missingLibrary_data() {
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("named");
        QTest::newRow("no such file") << "/nonexistent/libkorvane.so" << "/nonexistent/libkorvane.so";
        QTest::newRow("exports missing") << "libm.so.6" << "setteifincls";
    }
    void missingLibrary() {
        QFETCH(QString, library);
        QFETCH(QString, named);
        Fixture f;
        f.form.setLibraryFile(library);
        f.clickCreate();
        QCOMPARE(f.dialogs.messages.size(), size_t(1));
        QVERIFY2(f.dialogs.messages[0].text.contains(named), qPrintable(f.dialogs.messages[0].text));
        QVERIFY(f.dialogs.saveFolders.isEmpty());
        // The window goes on working.
        QTest::mouseClick(f.form.findChild<QPushButton *>("Command3"), Qt::LeftButton);
        QCOMPARE(box(f.form, "AA_0")->text(), QString("0"));
        f.clickCreate();
        QCOMPARE(f.dialogs.messages.size(), size_t(2));
    }
};

QTEST_MAIN(CreateDxfTest)
#include "create_dxf_test.moc"
