// この曲線を作図: a 基本型 curve of the route put into the form with its
// world placement, so that the form's J-LandXML and coordinate table of
// that curve lie on the route's main points within 1e-6 m; the kinds the
// form cannot draw refused with the reason.
#include <QAction>
#include <QRegularExpression>
#include <QTableView>

#include "form_test_support.h"
#include "route_menu.h"
#include "route_window.h"
#include "world_placement.h"

using namespace rovena_test;
namespace kr = korvane::route;

namespace {

const QString kSample = QStringLiteral(KORVANE_SOURCE_DIR "/data/sample_route.rvr");

struct Fixture : FormFixture {
    rovena::WorldPlacement placement{form, session.drawing(), session.designFiles(), dialogs};
    rovena::RouteWindow route;

    Fixture() {
        route.setUserDialogs(&dialogs);
        route.setLibraryFile(QStringLiteral(KORVANE_BIN_DIR "/" KORVANE_RUNTIME_NAME));
        rovena::attachRouteWindow(form, session.designFiles(), route);
        route.files().openRouteFile(kSample);
        route.recomputeNow();
    }
    QAction &draw() { return route.drawCurveAction(); }
    void select(int row) { route.table().setCurrentIndex(route.document().table().index(row, 0)); }
};

// The CgPoints of a J-LandXML file by name: northing and easting.
std::map<QString, std::array<double, 2>> cgPoints(const QString &path) {
    std::map<QString, std::array<double, 2>> points;
    const QRegularExpression point(QStringLiteral("<CgPoint name=\"([^\"]+)\"[^>]*>(\\S+) (\\S+)</CgPoint>"));
    auto matches = point.globalMatch(QString::fromUtf8(fileBytes(path)));
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        points[m.captured(1)] = {m.captured(2).toDouble(), m.captured(3).toDouble()};
    }
    return points;
}

// The route's main point at IP k of the given name (a point joined with
// another, as KA1-2=KA2-1, answers to either name).
std::optional<kr::MainPoint> mainPoint(const kr::LoadedRoute &route, const std::string &name) {
    for (const kr::MainPoint &m : route.mainPoints)
        for (const QString &part : QString::fromStdString(m.name).split('='))
            if (part.toStdString() == name) return m;
    return std::nullopt;
}

// The rows of a UTF-8 coordinate table by point name: its cells.
std::map<QString, QStringList> tableRows(const QString &path) {
    std::map<QString, QStringList> rows;
    for (const QString &line : QString::fromUtf8(fileBytes(path)).remove(QChar(0xFEFF)).split("\r\n")) {
        const QStringList cells = line.split(',');
        if (cells.size() > 3) rows[cells[0]] = cells;
    }
    return rows;
}

} // namespace

class DrawCurveTest : public QObject {
    Q_OBJECT

private slots:
    void basicCurveLiesOnTheRoute_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("IP1, from BP") << 1;
        QTest::newRow("IP2, S joint before it") << 2;
        QTest::newRow("IP4, after the egg curve") << 4;
    }
    void basicCurveLiesOnTheRoute() {
        QFETCH(int, row);
        Fixture f;
        f.select(row);
        QVERIFY2(f.draw().isEnabled(), qPrintable(f.draw().toolTip()));
        f.draw().trigger();
        QCOMPARE(f.dialogs.texts(), QStringList{});

        const kr::LoadedRoute &route = f.route.computed().route;
        const kr::IpInput &ip = route.ips[static_cast<std::size_t>(row)];
        QCOMPARE(box(f.form, "AA_0")->text().toDouble(), *ip.curve.a1);
        QCOMPARE(box(f.form, "AA_1")->text().toDouble(), *ip.curve.r);
        QCOMPARE(box(f.form, "AA_2")->text().toDouble(), *ip.curve.a2);
        QVERIFY(option(f.form, "Shoukou_0")->isChecked());
        QVERIFY(f.placement.entry().given());
        QCOMPARE(f.form.windowTitle(), "無題[*] - " + rovena::programTitle());
        QVERIFY(f.form.isWindowModified());

        // The KA station as typed by hand: NO and a ＋ to the micrometre, below the pitch.
        const QString plus = box(f.form, "Kno_1")->text();
        QVERIFY2(!plus.contains('.') || plus.size() - plus.indexOf('.') - 1 <= 6, qPrintable(plus));
        QVERIFY2(plus.toDouble() < route.settings.stationing.pitch, qPrintable(plus));
        const double kaStation = box(f.form, "Kno_0")->text().toDouble() * route.settings.stationing.pitch + plus.toDouble();

        QVERIFY(f.placement.writeLandXml(f.path("curve.xml")));
        QVERIFY(f.placement.writeCoordinateTable(f.path("curve.csv"), true));
        const auto points = cgPoints(f.path("curve.xml"));
        const auto rows = tableRows(f.path("curve.csv"));
        std::vector<kr::Message> ignored;
        const kr::StationMap stations =
            kr::mapStations(route.settings.stationing, route.alignment.length(), ignored);
        double largest = 0;
        const std::string k = std::to_string(row);
        const std::array<std::pair<QString, std::string>, 4> names{
            {{"KA1", "KA" + k + "-1"}, {"KE1", "KE" + k + "-1"}, {"KE2", "KE" + k + "-2"}, {"KA2", "KA" + k + "-2"}}};
        for (const auto &[form, routeName] : names) {
            const std::optional<kr::MainPoint> main = mainPoint(route, routeName);
            QVERIFY2(main.has_value(), routeName.c_str());
            const kr::PlanePoint expected = kr::poseAt(route.alignment, main->distance).point;
            QVERIFY2(points.count(form) == 1, qPrintable(form));
            const std::array<double, 2> found = points.at(form);
            largest = std::max({largest, std::abs(found[0] - expected.x), std::abs(found[1] - expected.y)});
            QVERIFY2(std::abs(found[0] - expected.x) <= 1e-6 && std::abs(found[1] - expected.y) <= 1e-6,
                     qPrintable(QStringLiteral("%1: %2 %3 against %4 %5").arg(form).arg(found[0], 0, 'f', 7).arg(found[1], 0, 'f', 7)
                                    .arg(expected.x, 0, 'f', 7).arg(expected.y, 0, 'f', 7)));
            // The table gives the point the station the route gives it.
            QVERIFY2(rows.count(form) == 1, qPrintable(form));
            const double station = kr::stationAt(stations, main->distance);
            if (form == "KA1") QVERIFY2(std::abs(kaStation - station) <= 1e-6, qPrintable(plus));
            QVERIFY2(std::abs(rows.at(form)[2].toDouble() - station) <= 0.00005 + 1e-9,
                     qPrintable(rows.at(form).join(',') + " / " + QString::number(station, 'f', 6)));
        }
        qInfo("IP%d: the form's KA1, KE1, KE2, KA2 within %.2g m of the route's", row, largest);
    }

    void otherKindsAreRefusedWithTheReason_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("cells"); // A1, R, A2 typed into IP4
        QTest::addColumn<QString>("reason");
        QTest::newRow("egg curve") << 3 << QString() << "この IP は卵型です。";
        QTest::newRow("simple curve") << 4 << ",250," << "この IP は単曲線です。";
        QTest::newRow("clothoid and arc") << 4 << "120,250," << "この IP はクロソイド＋円です。";
        QTest::newRow("BP") << 0 << QString() << "BP と EP に曲線はありません。";
    }
    void otherKindsAreRefusedWithTheReason() {
        QFETCH(int, row);
        QFETCH(QString, cells);
        QFETCH(QString, reason);
        Fixture f;
        if (!cells.isEmpty()) {
            const QStringList values = cells.split(',');
            rovena::IpTableModel &model = f.route.document().table();
            for (int i = 0; i < 3; ++i) model.setData(model.index(row, rovena::A1Column + i), values[i], Qt::EditRole);
            f.route.recomputeNow();
        }
        f.select(row);
        QVERIFY(!f.draw().isEnabled());
        QVERIFY2(f.draw().toolTip().startsWith(reason), qPrintable(f.draw().toolTip()));
    }

    void aRouteWithoutZoneCannotBePlaced() {
        Fixture f;
        kr::RouteSettings settings = f.route.document().settings();
        settings.zone = 0;
        f.route.document().setSettings(settings);
        f.route.recomputeNow();
        f.select(1);
        QVERIFY(!f.draw().isEnabled());
        QCOMPARE(f.draw().toolTip(), "路線の設定に座標系がないので、曲線を座標に配置できません。");
    }

    void theFormsChangesAreAskedAboutFirst() {
        Fixture f;
        QVERIFY(f.session.designFiles().openDesignFile(QStringLiteral(KORVANE_SOURCE_DIR "/data/sample_design.dat")));
        box(f.form, "AA_0")->setText("45");
        f.dialogs.choice = rovena::SaveChoice::Cancel;
        f.select(1);
        f.draw().trigger();
        QCOMPARE(f.dialogs.questions, QStringList{"sample_design.dat"});
        QCOMPARE(box(f.form, "AA_0")->text(), "45");
        QVERIFY(!f.placement.entry().given());
    }
};

QTEST_MAIN(DrawCurveTest)
#include "draw_curve_test.moc"
