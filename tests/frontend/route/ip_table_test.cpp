// The IP table of the route window: the kind each row's filled cells make,
// the IA and its side as the computation derives them, typed cells read as
// the route file reads them, rows inserted, moved and removed, spreadsheet
// rows pasted, and every edit undone and redone.
#include <QtTest>

#include "computed_route.h"
#include "route_document.h"

namespace kr = korvane::route;
using rovena::IpTableModel;
using rovena::RouteDocument;

namespace {

kr::IpInput point(const char *name, double x, double y, kr::CurveInput curve = {}) {
    return kr::IpInput{name, {x, y}, curve};
}

// BP at the origin, IP1 100 m north, EP 100 m on after a turn of 30° to the
// right (sign +1) or left (−1): IA 30°00′00.0″ by construction.
std::vector<kr::IpInput> turning(int sign, kr::CurveInput curve = {}) {
    const double c = 100 * std::cos(M_PI / 6), s = 100 * std::sin(M_PI / 6);
    return {point("BP", 0, 0), point("IP1", 100, 0, curve), point("EP", 100 + c, sign * s)};
}

QString cell(const IpTableModel &model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

struct Table {
    RouteDocument document;
    QStringList refusals;

    explicit Table(std::vector<kr::IpInput> points) {
        document.table().setEditHandlers([this](int row, const kr::IpInput &p) { document.editPoint(row, p); },
                                         [this](const QString &text) { refusals << text; });
        document.load(kr::RouteSettings{}, std::move(points));
    }
    IpTableModel &model() { return document.table(); }
    bool type(int row, int column, const QString &text) {
        return model().setData(model().index(row, column), text, Qt::EditRole);
    }
    // The results of a computation into the derived columns, as the window does.
    void compute() { model().setResults(rovena::computeRoute(document.settings(), document.points()).route.ipResults); }
};

} // namespace

class IpTableTest : public QObject {
    Q_OBJECT

private slots:
    void kindOfTheFilledCells_data() {
        QTest::addColumn<QStringList>("cells"); // A1, R, A2, R2, AM, LC
        QTest::addColumn<QString>("kind");
        QTest::newRow("none") << QStringList{"", "", "", "", "", ""} << "折点";
        QTest::newRow("R") << QStringList{"", "150", "", "", "", ""} << "単曲線";
        QTest::newRow("A1 R A2") << QStringList{"60", "150", "70", "", "", ""} << "基本型";
        QTest::newRow("A1 R") << QStringList{"60", "150", "", "", "", ""} << "クロソイド＋円";
        QTest::newRow("R A2") << QStringList{"", "150", "70", "", "", ""} << "円＋クロソイド";
        QTest::newRow("A1 A2") << QStringList{"60", "", "70", "", "", ""} << "凸型";
        QTest::newRow("egg") << QStringList{"60", "300", "70", "150", "80", "20"} << "卵型";
        QTest::newRow("A1 alone") << QStringList{"60", "", "", "", "", ""} << "不正";
    }
    void kindOfTheFilledCells() {
        QFETCH(QStringList, cells);
        QFETCH(QString, kind);
        Table t(turning(1));
        for (int i = 0; i < cells.size(); ++i) QVERIFY(t.type(1, rovena::A1Column + i, cells[i]));
        QCOMPARE(cell(t.model(), 1, rovena::KindColumn), kind);
        // BP and EP carry no curve.
        QCOMPARE(cell(t.model(), 0, rovena::KindColumn), QString());
        QCOMPARE(cell(t.model(), 2, rovena::KindColumn), QString());
    }

    void derivedAngleAndSide_data() {
        QTest::addColumn<int>("sign");
        QTest::addColumn<QString>("radius");
        QTest::addColumn<QString>("side");
        QTest::newRow("bend right") << 1 << "" << "右";
        QTest::newRow("bend left") << -1 << "" << "左";
        QTest::newRow("arc right") << 1 << "50" << "右";
        QTest::newRow("arc left") << -1 << "50" << "左";
    }
    void derivedAngleAndSide() {
        QFETCH(int, sign);
        QFETCH(QString, radius);
        QFETCH(QString, side);
        Table t(turning(sign));
        QVERIFY(t.type(1, rovena::RColumn, radius));
        t.compute();
        QCOMPARE(cell(t.model(), 1, rovena::IaColumn), "30°00′00.0″");
        QCOMPARE(cell(t.model(), 1, rovena::TurnColumn), side);
        // The points move, the angle follows at the next computation: EP
        // straight on makes no turn at all.
        QVERIFY(t.type(2, rovena::YColumn, "0"));
        QVERIFY(t.type(2, rovena::XColumn, "200"));
        t.compute();
        QCOMPARE(cell(t.model(), 1, rovena::TurnColumn), QString());
    }

    void typedCellsAreReadAsTheRouteFileReadsThem() {
        Table t(turning(1));
        QVERIFY(t.type(1, rovena::RColumn, "１２０．５"));
        QCOMPARE(t.document.points()[1].curve.r, std::optional<double>(120.5));
        QCOMPARE(cell(t.model(), 1, rovena::RColumn), "120.5");
        QVERIFY(t.type(1, rovena::XColumn, " -4903.23653 "));
        QCOMPARE(t.document.points()[1].point.x, -4903.23653);
        QVERIFY(t.type(1, rovena::NameColumn, "交点1"));
        QCOMPARE(cell(t.model(), 1, rovena::NameColumn), "交点1");
        QVERIFY(t.type(1, rovena::RColumn, ""));
        QVERIFY(!t.document.points()[1].curve.r.has_value());
        QCOMPARE(t.refusals, QStringList{});

        // Refused: the table stays as it was, and no step is added.
        const std::vector<kr::IpInput> before = t.document.points();
        const int steps = t.document.history().count();
        QVERIFY(!t.type(1, rovena::RColumn, "1e3"));
        QVERIFY(!t.type(2, rovena::YColumn, ""));
        QVERIFY(!t.type(2, rovena::A2Column, "abc"));
        QCOMPARE(t.refusals, (QStringList{"IP 表 2 行目（交点1）「R」列の「1e3」は数値ではありません。",
                                          "IP 表 3 行目（EP）「Y」列は空にできません。",
                                          "IP 表 3 行目（EP）「A2」列の「abc」は数値ではありません。"}));
        QVERIFY(t.document.points() == before);
        QCOMPARE(t.document.history().count(), steps);
        // A name left empty shows the name by position.
        QVERIFY(t.type(1, rovena::NameColumn, ""));
        QCOMPARE(cell(t.model(), 1, rovena::NameColumn), "IP1");
    }

    void rowsInsertedMovedRemovedAndUndone() {
        Table t({point("BP", 0, 0), point("IP1", 100, 40), point("EP", 200, 0)});
        const std::vector<kr::IpInput> original = t.document.points();
        // Inserted halfway along the leg it splits; at the end, a leg beyond.
        t.document.insertPoint(1);
        QCOMPARE(t.document.points()[1].point, (kr::PlanePoint{50, 20}));
        QCOMPARE(cell(t.model(), 1, rovena::NameColumn), "IP1"); // by position
        t.document.insertPoint(4);
        QCOMPARE(t.document.points()[4].point, (kr::PlanePoint{300, -40}));
        t.document.movePoint(2, -1);
        QCOMPARE(t.document.points()[1].name, "IP1");
        QCOMPARE(t.document.points()[2].point, (kr::PlanePoint{50, 20}));
        t.document.removePoints(2, 1);
        t.document.removePoints(3, 1);
        QVERIFY(t.document.points() == original);

        for (int i = 0; i < 5; ++i) t.document.history().undo();
        QVERIFY(t.document.points() == original);
        for (int i = 0; i < 3; ++i) t.document.history().redo();
        QCOMPARE(t.document.points().size(), std::size_t{5});
        QCOMPARE(t.document.points()[4].point, (kr::PlanePoint{300, -40}));
        for (int i = 0; i < 2; ++i) t.document.history().redo();
        QVERIFY(t.document.points() == original);
    }

    void pastedRows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // the table's rows afterwards, 点名 to LC joined by ","
        const QString rows = "BP\t0\t0\t\t\t\t\t\t\r\nIP1\t100\t40\t60\t150\t60\t\t\t\r\nEP\t200\t0\t\t\t\t\t\t\r\n";
        const QStringList table{"BP,0,0,,,,,,", "IP1,100,40,60,150,60,,,", "EP,200,0,,,,,,"};
        QTest::newRow("whole rows") << 0 << 0 << rows << table;
        QTest::newRow("with the header line") << 0 << 0 << "点名\tX\tY\tA1\tR\tA2\tR2\tAM\tLC\n" + rows << table;
        QTest::newRow("a block of curve values")
            << 1 << int(rovena::A1Column) << "70\t200\t80"
            << QStringList{"A,1,1,,,,,,", "B,2,2,70,200,80,,,", "C,3,3,,,,,,"};
        QTest::newRow("rows past the end")
            << 2 << 0 << "C\t3\t3\nD\t4\t5\tx"
            << QStringList{"A,1,1,,,,,,", "B,2,2,,,,,,", "C,3,3,,,,,,", "D,4,5,,,,,,"};
    }
    void pastedRows() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        Table t({point("A", 1, 1), point("B", 2, 2), point("C", 3, 3)});
        QString problem;
        if (QTest::currentDataTag() == QByteArray("rows past the end")) {
            // A cell that is no number refuses the whole paste.
            QVERIFY(!t.document.paste(row, column, text, problem));
            QCOMPARE(problem, "貼り付けの 2 行目（IP 表 4 行目）「A1」列の「x」は数値ではありません。");
            text.chop(2);
        }
        QVERIFY2(t.document.paste(row, column, text, problem), qPrintable(problem));
        QStringList rows;
        for (const kr::IpInput &p : t.document.points()) {
            QStringList cells;
            for (int c = 0; c < rovena::EditableColumns; ++c) cells << rovena::ipCellText(p, c);
            rows << cells.join(',');
        }
        QCOMPARE(rows, expected);
        // One step of the history.
        t.document.history().undo();
        QCOMPARE(t.document.points().size(), std::size_t{3});
        QCOMPARE(t.document.points()[1].name, "B");
        QVERIFY(!t.document.points()[1].curve.a1.has_value());
    }

    void pasteRefusals_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no number") << 0 << 0 << "A\t1\t1\nB\t2,5\t2"
                                   << "貼り付けの 2 行目（IP 表 2 行目）「X」列の「2,5」は数値ではありません。";
        QTest::newRow("too many columns") << 0 << int(rovena::A2Column) << "1\t2\t3\t4\t5"
                                          << "貼り付けの 1 行目（IP 表 1 行目）の列が多すぎます（LC 列より右には貼り付けられません）。";
        QTest::newRow("added row without Y") << 3 << 0 << "D\t4"
                                             << "貼り付けの 1 行目（IP 表 4 行目）: 表の後ろに足す行には X と Y が要ります。";
        QTest::newRow("empty X") << 1 << int(rovena::XColumn) << "\t5"
                                 << "貼り付けの 1 行目（IP 表 2 行目）「X」列は空にできません。";
        QTest::newRow("nothing") << 0 << 0 << "\n" << "貼り付けるものがありません。";
    }
    void pasteRefusals() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        Table t({point("A", 1, 1), point("B", 2, 2), point("C", 3, 3)});
        const std::vector<kr::IpInput> before = t.document.points();
        QString found;
        QVERIFY(!t.document.paste(row, column, text, found));
        QCOMPARE(found, problem);
        QVERIFY(t.document.points() == before);
        QCOMPARE(t.document.history().count(), 0);
    }

    void settingsEditsAreStepsToo() {
        Table t(turning(1));
        kr::RouteSettings settings;
        settings.stationing.pitch = 25;
        t.document.setSettings(settings);
        QCOMPARE(t.document.settings().stationing.pitch, 25.0);
        // The same settings again are no step.
        t.document.setSettings(settings);
        QCOMPARE(t.document.history().count(), 1);
        t.document.history().undo();
        QCOMPARE(t.document.settings().stationing.pitch, 20.0);
    }
};

QTEST_MAIN(IpTableTest)
#include "ip_table_test.moc"
