// The menu "ファイル" with the real library: save, clear and open give back
// the same form, whose drawing korvane-draw makes byte for byte from the
// saved file; a bare parameter file opens; the question before changes are
// lost; a failed save leaves the old file as it was.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include "form_test_support.h"

using namespace rovena_test;
using rovena::SaveChoice;

namespace {

const QString kBin = QStringLiteral(KORVANE_BIN_DIR);
const QString kElevenLanes = QStringLiteral(KORVANE_SOURCE_DIR "/tests/tools/eleven_lanes.dat");

void expectTexts(const QWidget &form, const QStringList &expected) {
    for (const QString &e : expected) QCOMPARE(box(form, e.section(u'=', 0, 0))->text(), e.section(u'=', 1));
}

// A form on a copy of the library of its own, so its drawings start with
// the handles of a freshly loaded library, as korvane-draw's do.
struct Fixture : FormFixture {
    Fixture() : FormFixture(Library::OwnCopy) {}
    rovena::DesignFileCommands &files() { return session.designFiles(); }
    bool saveAs(const QString &name) {
        dialogs.saveDesignAnswer = path(name);
        return files().saveDesignAs();
    }

    // Saves, clears, opens again; the form must come back as it was, and
    // korvane-draw must draw the saved file exactly as the form draws.
    void roundTrip() {
        const QStringList before = formTexts(form);
        QVERIFY(saveAs("design.rvd"));
        click("Command3");
        QVERIFY(formTexts(form) != before);
        QVERIFY(files().openDesignFile(path("design.rvd")));
        QCOMPARE(formTexts(form), before);

        dialogs.answer = path("rovena.dxf");
        session.drawing().run();
        QCOMPARE(dialogs.texts(), QStringList{"ＤＸＦファイルを作成しました。"});
        QProcess draw;
        draw.start(kBin + "/korvane-draw", {path("design.rvd"), path("korvane-draw.dxf")});
        QVERIFY(draw.waitForFinished(60000));
        QCOMPARE(draw.exitCode(), 0);
        QVERIFY(fileBytes(path("rovena.dxf")).size() > 10000);
        QVERIFY(fileBytes(path("rovena.dxf")) == fileBytes(path("korvane-draw.dxf")));
    }
};

} // namespace

class DesignCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void sampleRoundTrip() {
        Fixture f;
        f.roundTrip();
    }

    // Texts the parameter file normalises: the interval text with blanks and
    // an empty line, a width typed in full-width digits, an empty widening in use.
    void elevenLaneRoundTrip() {
        Fixture f;
        QVERIFY(f.files().openDesignFile(kElevenLanes));
        QCOMPARE(f.form.windowTitle(), "eleven_lanes.dat[*] - " + rovena::programTitle());
        QVERIFY(!f.form.isWindowModified());
        apply(f.form, {"Rkakufuku_3=", "Lhaba_0=３.５", "Text1= 5\n10\n10 \n\n10\n10\n10\n10\n10\n10\n10\n\t10"});
        QVERIFY(f.form.isWindowModified());
        f.roundTrip();
        QCOMPARE(box(f.form, "Rkakufuku_3")->text(), "0"); // filled by ＤＸＦ作成, not by saving
        QVERIFY(fileBytes(f.path("design.rvd")).contains("\nright.4.widening =\n"));
    }

    void bareParameterFileOpens() {
        Fixture f;
        QVERIFY(f.files().openDesignFile(kElevenLanes));
        expectTexts(f.form, {"Syukusyaku=500", "AA_0=60", "AA_1=120", "AA_2=80", "Ia_0=48", "Ia_1=30", "Ia_2=15.5",
                        "Rhaba_0=3.5", "Rhaba_10=1.75", "Rkakufuku_8=0.5", "Lhaba_10=3", "Lkakufuku_9=2",
                        "center=0.5", "pitch=20", "Kno_0=3", "Kno_1=7.5"});
        QVERIFY(option(f.form, "Khoukou_1")->isChecked());
        QVERIFY(option(f.form, "Shoukou_1")->isChecked());
        QVERIFY(option(f.form, "Option1_2")->isChecked() == false && option(f.form, "Option1_0")->isChecked());
        QVERIFY(option(f.form, "Option1_8")->isChecked());
        QCOMPARE(intervals(f.form)->toPlainText(), "5\n10\n10\n10\n10\n10\n10\n10\n10\n10\n10");
        // Saving does not overwrite the parameter file: it asks for a design file.
        f.dialogs.saveDesignAnswer.clear();
        QVERIFY(!f.files().saveDesign());
        QCOMPARE(f.dialogs.saveSuggestions, QStringList{QFileInfo(kElevenLanes).absolutePath() + "/eleven_lanes.rvd"});
    }

    // Without the world placement attached, a file's placement is kept as read
    // and saved again.
    void placementSurvivesOpenAndSave() {
        Fixture f;
        QFile file(f.path("placed.rvd"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("[design]\na1 = 40\n[placement]\nzone = 9\nroute = 国道1号\n") > 0);
        file.close();
        QVERIFY(f.files().openDesignFile(f.path("placed.rvd")));
        QCOMPARE(box(f.form, "AA_0")->text(), "40");
        QCOMPARE(box(f.form, "AA_1")->text(), "0");
        apply(f.form, {"AA_1=55"});
        QVERIFY(f.files().saveDesign());
        const QByteArray saved = fileBytes(f.path("placed.rvd"));
        QVERIFY(saved.contains("\nradius = 55\n"));
        QVERIFY(saved.endsWith("\n\n[placement]\nzone = 9\nroute = 国道1号\n"));
    }

    void changesMarkTheTitle() {
        Fixture f;
        QCOMPARE(f.form.windowTitle(), rovena::programTitle());
        QVERIFY(f.saveAs("mark.rvd"));
        QCOMPARE(f.form.windowTitle(), "mark.rvd[*] - " + rovena::programTitle());
        QVERIFY(!f.form.isWindowModified());
        apply(f.form, {"AA_1=45", "Option2_3"});
        QVERIFY(f.form.isWindowModified());
        apply(f.form, {"AA_1=40"});
        QVERIFY(f.form.isWindowModified());
        apply(f.form, {"Option2_4"});
        QVERIFY(!f.form.isWindowModified());
        apply(f.form, {"Text1=9.889\n20\n20\n20\n"});
        QVERIFY(f.form.isWindowModified());
        QVERIFY(f.files().saveDesign());
        QVERIFY(!f.form.isWindowModified());
        QCOMPARE(f.dialogs.saveSuggestions.size(), 1); // 上書き保存 asked for no name
    }

    void questionBeforeChangesAreLost_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<SaveChoice>("choice");
        QTest::addColumn<QString>("degreesAfter");
        for (const char *action : {"open", "sample", "clear", "close"})
            QTest::newRow((action + QString(" cancelled")).toLatin1()) << action << SaveChoice::Cancel << "70";
        QTest::newRow("open discarding") << "open" << SaveChoice::Discard << "48";
        QTest::newRow("sample discarding") << "sample" << SaveChoice::Discard << "66";
        QTest::newRow("clear discarding") << "clear" << SaveChoice::Discard << "0";
        QTest::newRow("close discarding") << "close" << SaveChoice::Discard << "70";
        QTest::newRow("clear saving") << "clear" << SaveChoice::Save << "0";
    }
    void questionBeforeChangesAreLost() {
        QFETCH(QString, action);
        QFETCH(SaveChoice, choice);
        QFETCH(QString, degreesAfter);
        Fixture f;
        f.form.show();
        QVERIFY(f.saveAs("asked.rvd"));
        apply(f.form, {"Ia_0=70"});
        f.dialogs.choice = choice;
        f.dialogs.openAnswer = kElevenLanes;
        if (action == "open") f.files().openDesign();
        if (action == "sample") f.click("Command2");
        if (action == "clear") f.click("Command3");
        if (action == "close") QCOMPARE(f.form.close(), choice != SaveChoice::Cancel);
        QCOMPARE(f.dialogs.questions, QStringList{"asked.rvd"});
        QCOMPARE(box(f.form, "Ia_0")->text(), degreesAfter);
        QCOMPARE(f.form.isVisible(), action != "close" || choice == SaveChoice::Cancel);
        const bool saved = fileBytes(f.path("asked.rvd")).contains("\nia.degrees = 70\n");
        QCOMPARE(saved, choice == SaveChoice::Save);
        if (action == "open" && choice == SaveChoice::Cancel) QVERIFY(f.dialogs.openFolders.isEmpty());
    }

    // With no file opened or saved in this run, nothing asks.
    void noFileNoQuestion() {
        Fixture f;
        f.form.show();
        apply(f.form, {"Ia_0=70"});
        f.click("Command3");
        apply(f.form, {"Ia_0=70"});
        QVERIFY(f.form.close());
        QVERIFY(f.dialogs.questions.isEmpty());
    }

    void saveIntoAFolderThatIsAFile() {
        Fixture f;
        QFile plain(f.path("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("x") == 1);
        plain.close();
        const QStringList before = formTexts(f.form);
        QVERIFY(!f.saveAs("plain/design.rvd"));
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QVERIFY(f.dialogs.messages[0].text.startsWith("ファイルを保存できません: " + f.path("plain/design.rvd") + "\n"));
        QVERIFY(f.dialogs.messages[0].text.size() > f.path("plain/design.rvd").size() + 20); // the reason
        QCOMPARE(formTexts(f.form), before);
        QCOMPARE(f.files().designFilePath(), QString());
    }

    // A disk that fills up while the file is written: the file size limit
    // stands in for it, and holds for root as well.
    void fullDiskKeepsTheOldFile() {
        Fixture f;
        QVERIFY(f.saveAs("kept.rvd"));
        const QByteArray old = fileBytes(f.path("kept.rvd"));
        apply(f.form, {"Ia_0=70"});
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 100;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = f.files().saveDesign();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!written);
        QCOMPARE(fileBytes(f.path("kept.rvd")), old);
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QVERIFY(f.dialogs.messages[0].text.startsWith("ファイルを保存できません: " + f.path("kept.rvd") + "\n"));
        QCOMPARE(QDir(f.path("")).entryList({"kept*"}, QDir::Files), QStringList{"kept.rvd"});
        QCOMPARE(box(f.form, "Ia_0")->text(), "70");
        QVERIFY(f.form.isWindowModified());
    }

    void droppedFileOpensAndIsRemembered() {
        Fixture f;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(kElevenLanes)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box(f.form, "Rhaba_0"), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box(f.form, "Rhaba_0"), &drop);
        QTRY_COMPARE(f.files().designFilePath(), kElevenLanes);
        QCOMPARE(box(f.form, "Rhaba_0")->text(), "3.5");
        auto *recent = f.form.findChild<QMenu *>("recentMenu");
        QMetaObject::invokeMethod(recent, "aboutToShow");
        QCOMPARE(recent->actions().value(0)->text(), QDir::toNativeSeparators(kElevenLanes));
    }

    // A recent file that no longer opens is named in a message and taken off
    // the list; the others stay in their order.
    void recentFileThatNoLongerOpensIsForgotten() {
        Fixture f;
        QVERIFY(f.saveAs("gone.rvd"));
        QVERIFY(f.saveAs("kept.rvd"));
        QVERIFY(QFile::remove(f.path("gone.rvd")));
        auto *recent = f.form.findChild<QMenu *>("recentMenu");
        const auto entries = [recent] {
            QMetaObject::invokeMethod(recent, "aboutToShow");
            QStringList texts;
            for (const QAction *a : recent->actions()) texts << a->text();
            return texts;
        };
        const QString gone = QDir::toNativeSeparators(f.path("gone.rvd"));
        const QString kept = QDir::toNativeSeparators(f.path("kept.rvd"));
        QCOMPARE(entries().mid(0, 2), (QStringList{kept, gone}));
        recent->actions().value(1)->trigger();
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QVERIFY(f.dialogs.messages[0].text.contains(f.path("gone.rvd")));
        QVERIFY(!entries().contains(gone));
        QCOMPARE(entries().value(0), kept);
    }
};

QTEST_MAIN(DesignCommandsTest)
#include "design_commands_test.moc"
