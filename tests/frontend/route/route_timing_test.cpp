// How long an edit of a route of 100 IPs takes until the plan is drawn
// again: the route computed, its table rows and plan made, the IP table's
// columns and the messages refreshed, and the plan painted. The window does
// this on the user-interface thread, so it must stay well within the 50 ms
// in which typing does not feel held up.
#include <QElapsedTimer>
#include <QtTest>
#include <algorithm>

#include "route_plan_view.h"
#include "route_window.h"

namespace kr = korvane::route;

namespace {

constexpr int kIps = 100;
constexpr double kBudgetMs = 50;

// A zigzag of 100 basic curves (IA about 41°, legs of 427 m): BP, IP1 … IP100, EP.
std::vector<kr::IpInput> hundredIps() {
    std::vector<kr::IpInput> points;
    for (int i = 0; i <= kIps + 1; ++i) {
        kr::IpInput p;
        p.point = {i * 400.0, (i % 2) * 150.0};
        if (i > 0 && i <= kIps) p.curve = kr::CurveInput{100, 200, 100, {}, {}, {}};
        points.push_back(p);
    }
    return points;
}

} // namespace

class RouteTimingTest : public QObject {
    Q_OBJECT

private slots:
    void editOfAHundredIpsRedrawnWithin50Ms() {
        rovena::RouteWindow window;
        window.show();
        kr::RouteSettings settings;
        settings.speed = 60;
        window.document().load(settings, hundredIps());
        window.recomputeNow();
        QVERIFY(!window.computed().refused());
        QCOMPARE(window.computed().route.ipResults.size(), std::size_t{kIps + 2});
        rovena::IpTableModel &model = window.document().table();

        std::vector<double> times;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer clock;
            clock.start();
            QVERIFY(model.setData(model.index(50, rovena::RColumn), QString::number(200 + (i % 2) * 10), Qt::EditRole));
            window.recomputeNow();
            window.plan().repaint();
            times.push_back(clock.nsecsElapsed() / 1e6);
        }
        QCOMPARE(window.computed().route.ips[50].curve.r, std::optional<double>(200));
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        qInfo("An edit of a route of %d IPs (%zu rows) redrawn in %.1f ms (median of %zu; fastest %.1f, slowest %.1f)",
              kIps, window.computed().rows.size(), median, times.size(), times.front(), times.back());
        QVERIFY2(median < kBudgetMs, qPrintable(QStringLiteral("median %1 ms").arg(median)));
    }
};

QTEST_MAIN(RouteTimingTest)
#include "route_timing_test.moc"
