// The design file and the reading of bare parameter files: the exact text
// written for a design, what readers accept and refuse, and the texts a
// parameter file gives the form.
#include <QFile>
#include <QtTest>

#include "design_file.h"
#include "design_file_kind.h"
#include "form_test_support.h"
#include "parameter_file_reading.h"

using rovena::DesignDocument;
using rovena::DesignTexts;

using rovena_test::fileBytes;

namespace {

// The sample design as the form holds it after サンプルデータ.
DesignTexts sampleTexts() {
    DesignTexts d = rovena::clearedDesignTexts();
    d.a1 = "40", d.radius = "40", d.a2 = "35";
    d.iaDegrees = "66", d.iaMinutes = "55", d.iaSeconds = "44.444";
    d.kaStationNo = "10", d.kaStationPlus = "10.111";
    d.right.width[0] = "2.75", d.right.width[1] = "1";
    d.left.width[0] = "2.75", d.left.width[1] = "0.5";
    for (auto *side : {&d.right, &d.left}) {
        side->widening[0] = side->widening[1] = "0.5";
        side->count = 2;
    }
    d.intervals = "9.889\n20\n20\n20";
    return d;
}

const char kSampleFile[] = "# Rovena 設計ファイル\n"
                           "[design]\n"
                           "format = 1\n"
                           "scale = 250\n"
                           "a1 = 40\n"
                           "radius = 40\n"
                           "a2 = 35\n"
                           "ia.degrees = 66\n"
                           "ia.minutes = 55\n"
                           "ia.seconds = 44.444\n"
                           "curve.direction = up\n"
                           "station.pitch = 20\n"
                           "center.pitch = 0.1\n"
                           "station.direction = left\n"
                           "ka.no = 10\n"
                           "ka.plus = 10.111\n"
                           "right.1.width = 2.75\nright.1.method = linear\nright.1.widening = 0.5\n"
                           "right.2.width = 1\nright.2.method = linear\nright.2.widening = 0.5\n"
                           "left.1.width = 2.75\nleft.1.method = linear\nleft.1.widening = 0.5\n"
                           "left.2.width = 0.5\nleft.2.method = linear\nleft.2.widening = 0.5\n"
                           "interval = 9.889\ninterval = 20\ninterval = 20\ninterval = 20\n";

DesignDocument read(const QByteArray &bytes) {
    DesignDocument document;
    QString error;
    if (!rovena::readDesignFile(bytes, document, error)) qWarning("%s", qPrintable(error));
    return document;
}

QString readError(const QByteArray &bytes) {
    DesignDocument document;
    QString error;
    return rovena::readDesignFile(bytes, document, error) ? QString("<read>") : error;
}

} // namespace

class DesignFileTest : public QObject {
    Q_OBJECT

private slots:
    void sampleIsWrittenExactly() {
        QCOMPARE(rovena::designFileBytes({sampleTexts(), {}}), QByteArray(kSampleFile));
        QCOMPARE(read(kSampleFile), (DesignDocument{sampleTexts(), {}}));
    }

    // Texts the parameter file would normalise are kept as typed, and every
    // option state survives, the placement section line for line.
    void typedTextsSurvive() {
        DesignDocument d{sampleTexts(), {"zone = 9", "route = 国道1号", "bp = -1234.5678 5678.9012"}};
        d.texts.scale = " 250";
        d.texts.a1 = "\"40\"";
        d.texts.a2 = "３５ ";
        d.texts.radius = "4\\0";
        d.texts.iaSeconds = "";
        d.texts.directionUp = false;
        d.texts.stationLeft = false;
        d.texts.right.widening[1] = "";
        d.texts.right.method[0] = -1;
        d.texts.right.method[1] = 2;
        d.texts.left.method[10] = 0;
        d.texts.left.width[10] = "\t7";
        d.texts.intervals = " 9.889\n\n20 0\n";
        const QByteArray bytes = rovena::designFileBytes(d);
        QVERIFY(bytes.contains("\nscale = \" 250\"\n"));
        QVERIFY(bytes.contains("\na1 = \"\\\"40\\\"\"\n"));
        QVERIFY(bytes.contains("\nradius = 4\\0\n"));
        QVERIFY(bytes.contains("\nia.seconds =\n"));
        QVERIFY(bytes.contains("\nleft.11.width = \"\\t7\"\n"));
        QVERIFY(bytes.contains("\ninterval = \" 9.889\"\ninterval =\ninterval = 20 0\ninterval =\n"));
        QVERIFY(bytes.endsWith("\n\n[placement]\nzone = 9\nroute = 国道1号\nbp = -1234.5678 5678.9012\n"));
        QCOMPARE(read(bytes), d);
    }

    void readersSkipWhatTheyDoNotKnow() {
        const QByteArray text = "\xEF\xBB\xBF; written by hand\r\n"
                                "[notes]\r\n"
                                "anything at all\r\n"
                                "[design]\r\n"
                                "# a comment\r\n"
                                "   a1   =   55  \r\n"
                                "colour = red\r\n"
                                "right.1.width = \"3\"   \r\n"
                                "\r\n"
                                "[placement]\r\n"
                                "zone = 9\r\n"
                                "\r\n"
                                "[later]\r\n"
                                "a2 = 99\r\n";
        const DesignDocument d = read(text);
        DesignTexts expected = rovena::clearedDesignTexts();
        expected.a1 = "55";
        expected.right.width[0] = "3";
        expected.right.count = 1;
        QCOMPARE(d.texts, expected);
        QCOMPARE(d.placement, QStringList{"zone = 9"});
    }

    void refusals_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("newer format, even after a value this program cannot read")
            << QByteArray("[design]\nright.1.method = clamped\nformat = 2\n")
            << "このファイルは新しい形式 (format 2) で書かれています。このプログラムが読めるのは format 1 までです。";
        QTest::newRow("format not a number") << QByteArray("[design]\nformat = one\n")
                                             << "2 行目: format の値「one」は正の整数ではありません。";
        QTest::newRow("no equals sign") << QByteArray("[design]\nformat = 1\na1 40\n")
                                        << "3 行目: 「キー = 値」の形ではありません。";
        QTest::newRow("open quote") << QByteArray("[design]\na1 = \"40\n") << "2 行目: 引用符で始まる値が閉じていません。";
        QTest::newRow("text after the quote") << QByteArray("[design]\na1 = \"40\" m\n")
                                              << "2 行目: 閉じる引用符の後に余分な文字があります。";
        QTest::newRow("unknown escape") << QByteArray("[design]\na1 = \"4\\q\"\n")
                                        << "2 行目: 引用符の中に使えない \\ があります (使えるのは \\\" \\\\ \\n \\r \\t)。";
        QTest::newRow("unknown method") << QByteArray("[design]\n\nleft.3.method = cubic\n")
                                        << "3 行目: left.3.method は none, linear, higher のどれかです (「cubic」)。";
        QTest::newRow("lane twelve") << QByteArray("[design]\nright.12.width = 3\n")
                                     << "2 行目: right.12.width: 車線の番号は 1 から 11 までです。";
        QTest::newRow("direction") << QByteArray("[design]\ncurve.direction = 上\n")
                                   << "2 行目: curve.direction は up か down です (「上」)。";
        QTest::newRow("no design section") << QByteArray("[placement]\nzone = 9\n") << "設計データの節 [design] がありません。";
        QTest::newRow("not UTF-8") << QByteArray("[design]\nroute = \x93\xB9\n") << "2 行目: UTF-8 の文字として読めません。";
    }
    void refusals() {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QCOMPARE(readError(text), error);
    }

    void kindIsToldByContent() {
        QVERIFY(rovena::isDesignFileText("\n  # comment\n; other\n\t[design]\n"));
        QVERIFY(!rovena::isDesignFileText("250\nDXF dxf\n"));
        QVERIFY(!rovena::isDesignFileText("# only a comment\n"));
        QVERIFY(!rovena::isDesignFileText(""));
    }

    void sampleParameterFileGivesTheSampleForm() {
        DesignTexts d;
        QString error;
        QVERIFY(rovena::readParameterFileTexts(fileBytes(QStringLiteral(KORVANE_SOURCE_DIR "/data/sample_design.dat")), d,
                                               error));
        QCOMPARE(d, sampleTexts());
    }

    void elevenLaneParameterFile() {
        DesignTexts d;
        QString error;
        QVERIFY(rovena::readParameterFileTexts(fileBytes(QStringLiteral(KORVANE_SOURCE_DIR "/tests/tools/eleven_lanes.dat")),
                                               d, error));
        QCOMPARE(d.scale, "500");
        QCOMPARE(d.a1, "60");
        QCOMPARE(d.a2, "80");
        QCOMPARE(d.radius, "120");
        QCOMPARE(d.iaDegrees, "48");
        QVERIFY(!d.directionUp);
        QVERIFY(!d.stationLeft);
        QCOMPARE(d.right.count, 11);
        QCOMPARE(d.left.count, 11);
        QCOMPARE(d.right.width[10], "1.75");
        QCOMPARE(d.right.method[2], 2);
        QCOMPARE(d.right.widening[7], "1.5");
        QCOMPARE(d.left.method[1], 1);
        QCOMPARE(d.left.widening[9], "2");
        QCOMPARE(d.kaStationPlus, "7.5");
        QCOMPARE(d.intervals, "5\n10\n10\n10\n10\n10\n10\n10\n10\n10\n10");
    }

    void parameterFileEdges() {
        DesignTexts d;
        QString error;
        QVERIFY(rovena::readParameterFileTexts("250\nDXF dxf\n1\n2\n3\n0 30 0\n0.0\n\n\n0.0\n\n\n0.1\nL\n20\n0\n0\n"
                                               "0.0 1000.\nCENTER2 1\n",
                                               d, error));
        QCOMPARE(d.intervals, QString());
        QCOMPARE(d.right.count, 0);
        QCOMPARE(d.right.width[0], "0");
        QVERIFY(!rovena::readParameterFileTexts("250\nDXF dxf\n1\n2\n3\n0 30 0\n2 0.0\n", d, error));
        QCOMPARE(error, "パラメータファイルが 右側の拡幅方法 の前で終わっています。");
        QVERIFY(!rovena::readParameterFileTexts("250\nDXF dxf\n1\n2\n3\n0 30 0\n1 2 3 4 5 6 7 8 9 10 11 12 0.0\n", d,
                                                error));
        QCOMPARE(error, "右側の車線が 11 本を超えています。");
    }
};

QTEST_MAIN(DesignFileTest)
#include "design_file_test.moc"
