// How long the user waits: Rovena's window from the start of the process to
// its first paint (target 0.5 s), and the Create-DXF command on the sample
// design with the dialogs stood in for (target 50 ms). Shared test machines
// are slow at times, so a test fails only at five times its target; the
// figures are printed on every run.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>

#include <algorithm>
#include <vector>

#ifdef Q_OS_LINUX
#include <QFile>
#include <unistd.h>
#endif

#include "form_test_support.h"
#include "preview_menu.h"
#include "preview_window.h"

using namespace rovena_test;

namespace {

constexpr double kStartTargetMs = 500.0;
constexpr double kCreateTargetMs = 50.0;
constexpr double kMargin = 5.0;

const QString kWritten = QStringLiteral("ＤＸＦファイルを作成しました。");

// Started first thing in main().
QElapsedTimer sinceMain;
// Milliseconds from the start of the process to main() (0 where unknown).
double beforeMainMs = 0.0;

#ifdef Q_OS_LINUX
// The process's age in milliseconds from /proc: its start time in clock
// ticks after boot against the time since boot (10 ms resolution).
double processAgeMs() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return 0.0;
    const QByteArray statText = stat.readAll();
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    // The fields after the command name (which may hold spaces) in ")".
    const QList<QByteArray> fields = statText.mid(statText.lastIndexOf(')') + 2).split(' ');
    const double ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
    if (fields.size() < 20 || ticks <= 0) return 0.0;
    const double startSeconds = fields[19].toDouble() / ticks; // field 22: starttime
    return std::max(0.0, (upSeconds - startSeconds) * 1000.0);
}
#endif

// Notes the first paint of any widget of one window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget *window) : window_(window) {}
    bool seen() const { return atMs_ >= 0; }
    double atMs() const { return atMs_; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        if (event->type() == QEvent::Paint && atMs_ < 0) {
            auto *widget = qobject_cast<QWidget *>(object);
            if (widget && widget->window() == window_)
                atMs_ = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
        }
        return false;
    }

private:
    QWidget *window_;
    double atMs_ = -1;
};

double elapsedMs(const QElapsedTimer &timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

} // namespace

class TimingTest : public QObject {
    Q_OBJECT

private slots:
    // The steps of the program's main(): the application (made in main()
    // below, before the tests), the form with the sample design, the preview
    // window attached, show, first paint.
    void windowShownWithinHalfASecond() {
        rovena::Session session;
        rovena::MainForm &form = session.form();
        rovena::preview::PreviewWindow preview(&form);
        rovena::attachPreview(form, session.drawing(), preview);
        FirstPaint paint(&form);
        qApp->installEventFilter(&paint);
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(paint.seen(), 10000);
        qApp->removeEventFilter(&paint);

        const double total = beforeMainMs + paint.atMs();
        qInfo("Rovena start to first paint: %.1f ms (%.1f ms before main, %.1f ms from main; target %.0f ms)",
              total, beforeMainMs, paint.atMs(), kStartTargetMs);
        QVERIFY2(total < kMargin * kStartTargetMs, qPrintable(QString::number(total) + " ms"));
    }

    // The command from the click to its final message, the library loaded at
    // the first click and kept for the next ones.
    void createDxfWithinFiftyMilliseconds() {
        FormFixture f;
        RecordingDialogs &dialogs = f.dialogs;
        dialogs.answer = f.path("drawing.dxf");
        auto *button = f.form.findChild<QPushButton *>(QStringLiteral("Command1"));
        QVERIFY(button);

        std::vector<double> times;
        for (int run = 0; run < 11; ++run) {
            dialogs.messages.clear();
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(button, Qt::LeftButton);
            times.push_back(elapsedMs(timer));
            QCOMPARE(dialogs.texts(), QStringList{kWritten});
        }
        QVERIFY(QFileInfo(dialogs.answer).size() > 100000);

        const double first = times.front();
        std::vector<double> later(times.begin() + 1, times.end());
        std::sort(later.begin(), later.end());
        const double median = later[later.size() / 2];
        qInfo("Create-DXF on the sample design: first %.2f ms (library loaded), then best %.2f ms, "
              "median %.2f ms (target %.0f ms)",
              first, later.front(), median, kCreateTargetMs);
        QVERIFY2(first < kMargin * kCreateTargetMs, qPrintable(QString::number(first) + " ms"));
        QVERIFY2(median < kMargin * kCreateTargetMs, qPrintable(QString::number(median) + " ms"));
    }
};

int main(int argc, char *argv[]) {
    sinceMain.start();
#ifdef Q_OS_LINUX
    beforeMainMs = processAgeMs();
#endif
    QApplication app(argc, argv);
    TimingTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "timing_test.moc"
