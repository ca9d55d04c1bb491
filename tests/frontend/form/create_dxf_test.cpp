// The Create-DXF command with the real library: the parameter file the form
// writes, the command's course with stand-in dialogs, and a missing library.
#include <QDir>
#include <QLabel>

#include "form_test_support.h"

using namespace rovena_test;

namespace {

const QString kBin = QStringLiteral(KORVANE_BIN_DIR);

const QStringList kSampleLines = {"250",       "DXF dxf", "40",    "35",       "40",    "66 55 44.444",
                                  "2.75 1 0.0", "1 1 ",    "0.5 0.5 ", "2.75 0.5 0.0", "1 1 ", "0.5 0.5 ",
                                  "0.1",       "L",       "20",    "10",       "10.111", "9.889 20 20 20 1000.",
                                  "CENTER2 1", "DOT 1",   "CONTINUOUS 1", "E"};

// The drawing with every entity handle (group code 5) blanked.
QByteArray withoutHandles(const QByteArray &dxf) {
    QList<QByteArray> lines = dxf.split('\n');
    for (qsizetype i = 1; i < lines.size(); i += 2)
        if (lines[i - 1].trimmed() == "5") lines[i] = "*";
    return lines.join('\n');
}

} // namespace

class CreateDxfTest : public QObject {
    Q_OBJECT

private slots:
    void sampleDesignFile() {
        FormFixture f;
        QVERIFY(f.session.drawing().writeParameterFile());
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
        FormFixture f;
        apply(f.form, edits);
        QVERIFY(f.session.drawing().writeParameterFile());
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
        FormFixture f;
        f.dialogs.answer = f.path("drawing.dxf");
        QStringList hookCalls;
        f.session.drawing().setDrawingWrittenHook([&](const QString &path) { hookCalls << path; });
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
        FormFixture f;
        f.dialogs.answer = f.path("drawing.dxf");
        apply(f.form, {"Syukusyaku=0"});
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8("縮尺が不正です。")});
        QCOMPARE(f.dialogs.messages[0].caption, QString::fromUtf8("エラー"));
        QVERIFY(f.dialogs.saveFolders.isEmpty());
        QVERIFY(!QFile::exists(f.path("drawing.dxf")));
    }

    void cancelledAndRepeated() {
        FormFixture f;
        f.clickCreate();
        QCOMPARE(f.dialogs.saveFolders.size(), qsizetype(1));
        QVERIFY(f.dialogs.messages.empty());
        QCOMPARE(QDir(f.folder.path()).entryList({"*.dxf"}, QDir::Files), QStringList{});
        f.clickCreate();
        QCOMPARE(fileLines(f.path("ALN_TXT_.DAT")), kSampleLines);
        QVERIFY(f.dialogs.messages.empty());
    }

    void parameterFileCannotBeCreated() {
        FormFixture f;
        f.session.setFilePaths(f.path("missing/ALN_TXT_.DAT"), kBin + "/aln_hdr_.dxf", f.path("temp.dxf"));
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8("ファイル書き込みできません")});
        QVERIFY(f.dialogs.saveFolders.isEmpty());
    }

    // A box the design cannot use: one message naming it with the text typed,
    // the focus on it, nothing written and no Save dialog.
    void refusedBox_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("comma in a width") << QStringList{"Rhaba_1=3,5"}
                                          << QString::fromUtf8("右側データ 車線幅 2 列目「3,5」は数値ではありません。")
                                          << "Rhaba_1";
        QTest::newRow("comma in the seconds")
            << QStringList{"Ia_2=48,4"} << QString::fromUtf8("交角ＩＡ 秒「48,4」は数値ではありません。") << "Ia_2";
        QTest::newRow("comma in KA plus") << QStringList{"Kno_1=10,407"}
                                          << QString::fromUtf8("KA位置 ＋「10,407」は数値ではありません。") << "Kno_1";
        QTest::newRow("exponent without digits")
            << QStringList{"AA_0=1e"} << QString::fromUtf8("パラメータ 左側Ａ「1e」は数値ではありません。") << "AA_0";
        QTest::newRow("letters after the digits")
            << QStringList{"Syukusyaku=12abc"} << QString::fromUtf8("縮尺「12abc」は数値ではありません。") << "Syukusyaku";
        QTest::newRow("full-width comma")
            << QStringList{QString::fromUtf8("Lkakufuku_1=０，５")}
            << QString::fromUtf8("左側データ 拡幅量 2 列目「０，５」は数値ではありません。") << "Lkakufuku_1";
        QTest::newRow("junk in a row not in use")
            << QStringList{"Rkakufuku_5=abc"} << QString::fromUtf8("右側データ 拡幅量 6 列目「abc」は数値ではありません。")
            << "Rkakufuku_5";
        QTest::newRow("empty radius") << QStringList{"AA_1="}
                                      << QString::fromUtf8("パラメータ 単曲線部Ｒが入力されていません。") << "AA_1";
        QTest::newRow("negative width")
            << QStringList{"Lhaba_0=-2.75"}
            << QString::fromUtf8("左側データ 車線幅 1 列目「-2.75」は 0 以上の数値にしてください。") << "Lhaba_0";
        QTest::newRow("full-width negative width")
            << QStringList{QString::fromUtf8("Rhaba_0=－３")}
            << QString::fromUtf8("右側データ 車線幅 1 列目「－３」は 0 以上の数値にしてください。") << "Rhaba_0";
        QTest::newRow("negative KA plus")
            << QStringList{"Kno_1=-10.407"}
            << QString::fromUtf8("KA位置 ＋「-10.407」は 0 以上 測点ピッチ 20 未満の数値にしてください。") << "Kno_1";
        QTest::newRow("KA plus of a whole pitch")
            << QStringList{"pitch=25", "Kno_1=25"}
            << QString::fromUtf8("KA位置 ＋「25」は 0 以上 測点ピッチ 25 未満の数値にしてください。") << "Kno_1";
        QTest::newRow("sixty minutes") << QStringList{"Ia_1=60"}
                                       << QString::fromUtf8("交角ＩＡ 分「60」は 0 以上 60 未満の数値にしてください。")
                                       << "Ia_1";
        QTest::newRow("negative seconds") << QStringList{"Ia_2=-0.5"}
                                          << QString::fromUtf8("交角ＩＡ 秒「-0.5」は 0 以上 60 未満の数値にしてください。")
                                          << "Ia_2";
        QTest::newRow("degrees with decimals")
            << QStringList{"Ia_0=66.5"} << QString::fromUtf8("交角ＩＡ 度「66.5」は整数にしてください。") << "Ia_0";
        QTest::newRow("minutes with decimals")
            << QStringList{"Ia_1=55.5"} << QString::fromUtf8("交角ＩＡ 分「55.5」は整数にしてください。") << "Ia_1";
        QTest::newRow("KA station number with decimals")
            << QStringList{"Kno_0=10.5"} << QString::fromUtf8("KA位置 NO「10.5」は整数にしてください。") << "Kno_0";
        QTest::newRow("half turn")
            << QStringList{"Ia_0=180", "Ia_1=0", "Ia_2=0"}
            << QString::fromUtf8("交角ＩＡ「180度 0分 0秒」は 180 度未満にしてください。") << "Ia_0";
        QTest::newRow("beyond a half turn, signed")
            << QStringList{"Ia_0=-200", "Ia_1=1", "Ia_2=0.5"}
            << QString::fromUtf8("交角ＩＡ「200度 1分 0.5秒」は 180 度未満にしてください。") << "Ia_0";
        QTest::newRow("digits separated by a blank")
            << QStringList{"Text1=10\n5 5\n20"}
            << QString::fromUtf8("法線設置位置 2 行目「5 5」は空白で区切られています。1 行に 1 つの数値を入力してください。")
            << "Text1";
        QTest::newRow("ideographic comma quoted as typed")
            << QStringList{QString::fromUtf8("Text1=10、20")}
            << QString::fromUtf8("法線設置位置 1 行目「10、20」は数値ではありません。") << "Text1";
        QTest::newRow("junk in line 3 of the normal lines")
            << QStringList{"Text1=9.889\n20\n2O\n20"}
            << QString::fromUtf8("法線設置位置 3 行目「2O」は数値ではありません。") << "Text1";
        QTest::newRow("ten thousand characters of junk")
            << QStringList{"Text1=10\n" + QString(10000, u'x')}
            << QString::fromUtf8("法線設置位置 2 行目「xxxxxxxxxxxxxxxxxxxx…」は数値ではありません。") << "Text1";
        QTest::newRow("zero interval")
            << QStringList{"Text1=10\n0\n10"}
            << QString::fromUtf8("法線設置位置 2 行目「0」は 0 より大きく 1000 未満の数値にしてください。") << "Text1";
        QTest::newRow("two hundred intervals")
            << QStringList{"Text1=" + QStringList(200, "1").join(u'\n')}
            << QString::fromUtf8("法線設置位置は 199 個までです（200 行目が 200 個目です）。") << "Text1";
        QTest::newRow("first of two faults")
            << QStringList{"Lhaba_0=x", "AA_2=y"} << QString::fromUtf8("パラメータ 右側Ａ「y」は数値ではありません。")
            << "AA_2";
    }
    void refusedBox() {
        QFETCH(QStringList, edits);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        FormFixture f;
        f.dialogs.answer = f.path("drawing.dxf");
        f.form.show();
        apply(f.form, edits);
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{message});
        QCOMPARE(f.dialogs.messages[0].caption, rovena::programTitle());
        QVERIFY(f.dialogs.saveFolders.isEmpty());
        QVERIFY(!QFile::exists(f.path("ALN_TXT_.DAT")));
        QVERIFY(f.form.focusWidget());
        QCOMPARE(f.form.focusWidget()->objectName(), focus);
    }

    // The faulty line of 法線設置位置 is selected.
    void faultyIntervalLineSelected() {
        FormFixture f;
        f.form.show();
        apply(f.form, {"Text1=10\n20\n1,5\n30"});
        f.clickCreate();
        QCOMPARE(intervals(f.form)->textCursor().selectedText(), QString("1,5"));
    }

    // Full-width digits, period, minus, plus and spaces give the file and the
    // drawing of their ASCII forms.
    void fullWidthDrawsAsAscii() {
        const QStringList ascii = {"Syukusyaku=250", "AA_1=+45", "Ia_2=48.4", "Rhaba_1=3.5", "Lkakufuku_0=-0.5",
                                   "Kno_1= 10.407", "Text1=10\n20\n5"};
        const QStringList fullWidth = {
            QString::fromUtf8("Syukusyaku=２５０"), QString::fromUtf8("AA_1=＋４５"),
            QString::fromUtf8("Ia_2=４８．４"), QString::fromUtf8("Rhaba_1=３.５"),
            QString::fromUtf8("Lkakufuku_0=－0.5"), QString::fromUtf8("Kno_1=　１０.４０７"),
            QString::fromUtf8("Text1=１０\n\u3000２０\n５\u3000")};
        QByteArray parameterFile[2], drawing[2];
        int i = 0;
        for (const QStringList &edits : {ascii, fullWidth}) {
            FormFixture f;
            f.dialogs.answer = f.path("drawing.dxf");
            apply(f.form, edits);
            f.clickCreate();
            QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8("ＤＸＦファイルを作成しました。")});
            const QStringList lines = fileLines(f.path("ALN_TXT_.DAT"));
            QCOMPARE(lines[6], QString("2.75 3.5 0.0"));
            QCOMPARE(lines[16], QString(" 10.407"));
            QCOMPARE(lines[17], QString("10 20 5 1000."));
            parameterFile[i] = fileBytes(f.path("ALN_TXT_.DAT"));
            drawing[i++] = fileBytes(f.path("drawing.dxf"));
        }
        QCOMPARE(parameterFile[1], parameterFile[0]);
        QVERIFY(drawing[0].endsWith("EOF\n"));
        // The library numbers the entities on from one drawing to the next.
        QVERIFY(withoutHandles(drawing[1]) == withoutHandles(drawing[0]));
    }

    // Normal lines the drawing leaves out are named in a note below the form;
    // the drawing itself, read back, holds the labels of the others only.
    void undrawnNormalLinesNoted_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<int>("labels");
        QTest::addColumn<QString>("note");
        QTest::newRow("last line just before the end of the curve")
            << QStringList{"Text1=9.889\n20\n20\n20\n12.1"} << 5 << QString();
        QTest::newRow("just beyond the end of the curve")
            << QStringList{"Text1=9.889\n20\n20\n20\n12.2\n5"} << 4
            << QString::fromUtf8("法線設置位置 5 行目から先の 2 本は作図されていません：KA から 82.089 m が曲線長 CL 82.038 m 以上です。");
        QTest::newRow("beyond 1000 m, stations from the right")
            << QStringList{"AA_0=500", "AA_1=1000", "AA_2=500", "Ia_0=60", "Ia_1=0", "Ia_2=0", "Shoukou_1",
                           "Text1=999\n\n1\n0.5\n3"}
            << 2 << QString::fromUtf8("法線設置位置 4 行目から先の 2 本は作図されていません：KA から 1000.500 m が 1000 m を超えています。");
        QTest::newRow("only the last line")
            << QStringList{"Text1=9.889\n80"} << 1
            << QString::fromUtf8("法線設置位置 2 行目は作図されていません：KA から 89.889 m が曲線長 CL 82.038 m 以上です。");
    }
    void undrawnNormalLinesNoted() {
        QFETCH(QStringList, edits);
        QFETCH(int, labels);
        QFETCH(QString, note);
        FormFixture f;
        f.dialogs.answer = f.path("drawing.dxf");
        apply(f.form, edits);
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8("ＤＸＦファイルを作成しました。")});
        QCOMPARE(fileBytes(f.path("drawing.dxf")).count("\nNO."), labels);
        auto *shown = f.form.findChild<QLabel *>("undrawnNormalsNote");
        QCOMPARE(shown && shown->isVisibleTo(&f.form) ? shown->text() : QString(), note);
        // An edit of the design ends the note of the last drawing.
        apply(f.form, {"Text1=10"});
        QVERIFY(!shown || !shown->isVisibleTo(&f.form));
    }

    // Empty seconds and an empty station number are 0.
    void emptyBoxesTakenAsZero() {
        FormFixture f;
        apply(f.form, {"Ia_2=", "Kno_0="});
        f.clickCreate();
        QVERIFY(f.dialogs.messages.empty());
        const QStringList lines = fileLines(f.path("ALN_TXT_.DAT"));
        QCOMPARE(lines[5], QString("66 55 0"));
        QCOMPARE(lines[15], QString("0"));
        QCOMPARE(lines[16], QString("10.111"));
    }

    // The two messages of a negative arc within the tolerance come as they are,
    // one after the other.
    void toleranceMessagesInOrder() {
        FormFixture f;
        apply(f.form, {"AA_0=100", "AA_1=200", "AA_2=100", "Ia_0=14", "Ia_1=19", "Ia_2=26"});
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{QString::fromUtf8("データが不正です a=IA-(t1+t2)<0 "),
                              QString::fromUtf8("\n円曲線長=｜-0.000195｜<0.0005m（許容誤差） 誤差範囲内なので計算続行")}));
        QCOMPARE(f.dialogs.saveFolders.size(), qsizetype(1));
    }

    // A temporary file on a full disk: one box for the failure, then the
    // command's own.
    void failedBlockWrite() {
        if (!QFile::exists("/dev/full")) QSKIP("no /dev/full");
        FormFixture f;
        f.dialogs.answer = f.path("drawing.dxf");
        f.session.setFilePaths(f.path("ALN_TXT_.DAT"), kBin + "/aln_hdr_.dxf", "/dev/full");
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{QString::fromUtf8("fprintfｴﾗｰ"), QString::fromUtf8("ＤＸＦ作成に失敗しました。")}));
    }

    // Messages of one call: each distinct text once, in the order of its
    // first coming, with its count.
    void repeatedMessagesInOneBox() {
        FormFixture f;
        f.session.setLibraryFile(SCRIPTED_KORVANE);
        f.dialogs.answer = f.path("drawing.dxf");
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{QString::fromUtf8("fprintfｴﾗｰ\n（同じメッセージが計 250 回ありました。）"),
                              QString::fromUtf8("other\n（同じメッセージが計 2 回ありました。）"),
                              QString::fromUtf8("ＤＸＦ作成に失敗しました。")}));
        QCOMPARE(f.dialogs.messages[0].caption, QString::fromUtf8("エラー"));
    }

    // An append that fails ends the command: nothing is checked or drawn.
    void failedAppendEndsTheCommand() {
        FormFixture f;
        f.session.setLibraryFile(SCRIPTED_KORVANE);
        f.dialogs.answer = f.path("drawing.dxf");
        f.session.setFilePaths(f.path("failing-append.dat"), kBin + "/aln_hdr_.dxf", f.path("temp.dxf"));
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{"append failed"});
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
        FormFixture f;
        f.session.setLibraryFile(library);
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
