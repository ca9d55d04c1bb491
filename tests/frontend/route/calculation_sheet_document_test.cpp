// The sheet read from the library's JSON: texts as they stand, alignments,
// short rows filled; anything that is not such a sheet refused with where
// and why, and nothing dropped silently.
#include <QtTest>

#include "calculation_sheet_document.h"

using namespace rovena::route;

namespace {

// JSON written with ' for " (no text here holds a ').
QByteArray json(const char *text) { return QByteArray(text).replace('\'', '"'); }

// A cell with an escaped quote and backslash: "引用"\ as a text.
const QByteArray conditions =
    json("{'title':'線形計算書','sections':[{'heading':'計算条件','tables':[{'caption':'',"
         "'columns':[{'title':'項目','align':'left'},{'title':'値','align':'right'}],"
         "'rows':[['路線名','県道1号'],['路線長','992.5589 m'],['\\'引用\\'\\\\']]}]}]}");

} // namespace

class CalculationSheetDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheSheetAsItStands() {
        QString error;
        const std::optional<CalculationSheetDocument> sheet = readCalculationSheet(conditions, &error);
        QVERIFY2(sheet, qPrintable(error));
        QCOMPARE(sheet->title, QStringLiteral("線形計算書"));
        QCOMPARE(sheet->sections.size(), std::size_t(1));
        const SheetTable &t = sheet->sections[0].tables[0];
        QCOMPARE(sheet->sections[0].heading, QStringLiteral("計算条件"));
        QCOMPARE(t.columns[0].alignment, CellAlignment::left);
        QCOMPARE(t.columns[1].alignment, CellAlignment::right);
        QCOMPARE(t.rows[1], (QStringList{"路線長", "992.5589 m"}));
        QCOMPARE(t.rows[2], (QStringList{"\"引用\"\\", ""}));  // a short row filled, escapes read
        QCOMPARE(routeNameOf(*sheet), QStringLiteral("県道1号"));

        QByteArray unnamed = conditions;
        unnamed.replace("県道1号", "（なし）");
        QCOMPARE(routeNameOf(*readCalculationSheet(unnamed, nullptr)), QString());
    }

    void refusesWhatIsNoSheet_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not JSON") << QByteArray("{\"title\":") << QStringLiteral("バイト目");
        QTest::newRow("an array") << QByteArray("[]") << QStringLiteral("全体がオブジェクトではありません");
        QTest::newRow("no sections") << json("{'title':'t'}") << QStringLiteral("sections がありません");
        QTest::newRow("a number for a heading")
            << json("{'title':'t','sections':[{'heading':1,'tables':[]}]}")
            << QStringLiteral("1 番目の節: heading が文字列ではありません");
        QTest::newRow("no columns")
            << json("{'title':'t','sections':[{'heading':'h','tables':[{'caption':'','columns':[],'rows':[]}]}]}")
            << QStringLiteral("1 番目の節の 1 番目の表: columns がありません");
        QTest::newRow("an unknown alignment")
            << json("{'title':'t','sections':[{'heading':'h','tables':[{'caption':'','columns':[{'title':'X','align':'centre'}],'rows':[]}]}]}")
            << QStringLiteral("列「X」の align が left でも right でもありません");
        QTest::newRow("a row longer than its columns")
            << json("{'title':'t','sections':[{'heading':'h','tables':[{'caption':'','columns':[{'title':'X','align':'left'}],'rows':[['1'],['2','3']]}]}]}")
            << QStringLiteral("1 番目の節の 1 番目の表の 2 行目: セルが 2 個あり、列の 1 個より多くなっています");
        QTest::newRow("a number for a cell")
            << json("{'title':'t','sections':[{'heading':'h','tables':[{'caption':'','columns':[{'title':'X','align':'left'}],'rows':[[1.5]]}]}]}")
            << QStringLiteral("1 行目: セルが文字列ではありません");
    }
    void refusesWhatIsNoSheet() {
        QFETCH(QByteArray, json);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!readCalculationSheet(json, &error));
        QVERIFY2(error.startsWith(QStringLiteral("線形計算書のデータを読めません")), qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(CalculationSheetDocumentTest)
#include "calculation_sheet_document_test.moc"
