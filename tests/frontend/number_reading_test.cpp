// The form's reading of typed numbers, its writing of numbers, and the
// decoding of the library's cp932 messages.
#include <QtTest>
#include <clocale>

#include "cp932_text.h"
#include "leading_number.h"
#include "number_text.h"

class NumberReadingTest : public QObject {
    Q_OBJECT

private slots:
    // A locale with a decimal comma must not change how numbers are read or written.
    void initTestCase() {
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        QLocale::setDefault(QLocale(QLocale::German));
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "2.75" << 2.75;
        QTest::newRow("unit after number") << "3m" << 3.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("negative") << "-1" << -1.0;
        QTest::newRow("plus sign") << "+2" << 2.0;
        QTest::newRow("leading blanks") << "  \t5.5" << 5.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("point last") << "5." << 5.0;
        QTest::newRow("exponent") << "1.5e3" << 1500.0;
        QTest::newRow("exponent without digits") << "7e" << 7.0;
        QTest::newRow("negative exponent") << "25E-1x" << 2.5;
        QTest::newRow("decimal comma is not a point") << "1,5" << 1.0;
        QTest::newRow("hex prefix") << "0x10" << 0.0;
        QTest::newRow("full-width digits") << QString::fromUtf8("１２") << 0.0;
        QTest::newRow("infinity word") << "inf" << 0.0;
        QTest::newRow("blank inside") << "2 50" << 2.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(rovena::leadingNumber(text), expected);
    }

    void numberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("integer") << 3.0 << "3";
        QTest::newRow("two decimals") << 2.75 << "2.75";
        QTest::newRow("below one") << 0.5 << "0.5";
        QTest::newRow("negative") << -66.0 << "-66";
        QTest::newRow("seconds") << 44.444 << "44.444";
        QTest::newRow("hundred") << 100.0 << "100";
        QTest::newRow("binary fraction rounded") << 0.1 + 0.2 << "0.3";
        QTest::newRow("fifteen digits") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("rounded at fifteen") << 123456789012345.6 << "123456789012346";
        QTest::newRow("small plain") << 0.00001 << "0.00001";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("too large for plain") << 1e20 << "1e+20";
        QTest::newRow("too small for plain") << 1.25e-20 << "1.25e-20";
    }
    void numberText() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(rovena::numberText(value), expected);
    }

    void cp932Decoding() {
        // ⊿ (NEC row 13), ｜ (full-width bar), half-width katakana, a line
        // break and a kanji, as cp932 bytes.
        const QByteArray bytes("\x87\x99\x81\x62\xB1\xB2\n\x83\x65\x8F\x6B", 11);
        QCOMPARE(rovena::fromCp932(bytes), QString::fromUtf8("⊿｜ｱｲ\nテ縮"));
    }

    void cp932BrokenSequenceGoesOn() {
        const QByteArray bytes("a\x87\n" "b", 4);
        const QString text = rovena::fromCp932(bytes);
        QVERIFY(text.startsWith(u'a'));
        QVERIFY(text.endsWith(u'b'));
    }
};

QTEST_GUILESS_MAIN(NumberReadingTest)
#include "number_reading_test.moc"
