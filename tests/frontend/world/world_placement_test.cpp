// The curve placed in the world from the window: the IA derived from BP, IP
// and EP goes into the form (read-only, with a note), follows the station
// direction, and the two outputs are written by the library.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

#include "form_test_support.h"
#include "world_placement.h"
#include "world_placement_dialog.h"

using namespace rovena_test;

namespace {

// The sample design placed as in docs/user-guide.md: a left turn of 86°59′03.616037″.
design_model::PlacementTexts readmePlacement() {
    design_model::PlacementTexts e;
    e.zone = "9";
    e.route = "国道1号";
    e.bp = {"-1234.5678", "5678.9012"};
    e.ip = {"-1100.0000", "5800.0000"};
    e.ep = {"-1000.0000", "5700.0000"};
    return e;
}

QString sectionText(const design_model::PlacementTexts &e) {
    return QString::fromStdString(design_model::placementSectionText(e));
}

struct Fixture : FormFixture {
    rovena::WorldPlacement placement{form, session.drawing(), session.designFiles(), dialogs};

    Fixture() { rovena::attachWorldPlacement(form, placement, dialogs); }
    QStringList angle() const {
        return {box(form, "Ia_0")->text(), box(form, "Ia_1")->text(), box(form, "Ia_2")->text()};
    }
};

} // namespace

class WorldPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void derivedAngleReplacesTheTypedOne() {
        Fixture f;
        apply(f.form, {"Ia_0=48", "Ia_1=30", "Ia_2=15.5", "Khoukou_1"});
        QVERIFY(f.placement.setEntry(readmePlacement()));
        QCOMPARE(f.angle(), (QStringList{"86", "59", "3.616037"}));
        QVERIFY(option(f.form, "Khoukou_0")->isChecked()); // a left turn, stations from the left: 上
        for (const char *held : {"Ia_0", "Ia_1", "Ia_2"}) QVERIFY(!box(f.form, held)->isEnabled());
        QVERIFY(!option(f.form, "Khoukou_1")->isEnabled());
        QVERIFY(f.form.findChild<QLabel *>("placementNote")->isVisibleTo(&f.form));

        // Stations from the right read the drawing the other way: 下.
        option(f.form, "Shoukou_1")->setChecked(true);
        QVERIFY(option(f.form, "Khoukou_1")->isChecked());
        QCOMPARE(f.dialogs.texts(), QStringList{});

        // Without a placement the typed IA and 上/下 are the form's again.
        QVERIFY(f.placement.setEntry(design_model::PlacementTexts{}));
        QCOMPARE(f.angle(), (QStringList{"48", "30", "15.5"}));
        QVERIFY(option(f.form, "Khoukou_1")->isChecked());
        QVERIFY(box(f.form, "Ia_0")->isEnabled());
        QVERIFY(option(f.form, "Khoukou_0")->isEnabled());
        QVERIFY(!f.form.findChild<QLabel *>("placementNote")->isVisibleTo(&f.form));

        // The sample design replaces the placed one, and its IA is typed again.
        QVERIFY(f.placement.setEntry(readmePlacement()));
        QTest::mouseClick(f.form.findChild<QPushButton *>("Command2"), Qt::LeftButton);
        QVERIFY(!f.placement.entry().given());
        QCOMPARE(f.angle(), (QStringList{"66", "55", "44.444"}));
        QVERIFY(box(f.form, "Ia_0")->isEnabled());
        QVERIFY(option(f.form, "Khoukou_0")->isEnabled());

        QVERIFY(f.placement.setEntry(readmePlacement()));
        QTest::mouseClick(f.form.findChild<QPushButton *>("Command3"), Qt::LeftButton);
        QCOMPARE(f.angle(), (QStringList{"0", "0", "0"}));
        QVERIFY(!f.placement.entry().given());
    }

    void outputsAreWrittenByTheLibrary() {
        Fixture f;
        QAction *table = f.form.findChild<QAction *>("writeTable");
        QVERIFY(!table->isEnabled());
        QVERIFY(f.placement.setEntry(readmePlacement()));
        QVERIFY(f.placement.writeCoordinateTable(f.path("table.csv"), false));
        QVERIFY(f.placement.writeLandXml(f.path("route.xml")));
        QVERIFY(table->isEnabled());
        // 点名 in cp932 heads the table; the route names the alignment.
        QVERIFY(fileBytes(f.path("table.csv")).startsWith("\x93\x5f\x96\xbc,"));
        QVERIFY(fileBytes(f.path("route.xml")).contains("<Alignment name=\"国道1号\""));
    }

    void badPlacementIsReportedAndLeavesTheFormAlone() {
        Fixture f;
        design_model::PlacementTexts e = readmePlacement();
        e.zone = "25";
        QVERIFY(!f.placement.setEntry(e));
        QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("配置ファイル: 座標系の系番号は 1 から 19 です: 25")});
        QCOMPARE(f.angle(), (QStringList{"66", "55", "44.444"}));
        QVERIFY(box(f.form, "Ia_0")->isEnabled());
    }

    // The outputs come from the form as ＤＸＦ作成 reads it: a box that is no
    // plain number is named, and nothing is written.
    void unreadableBoxWritesNoOutput() {
        Fixture f;
        QVERIFY(f.placement.setEntry(readmePlacement()));
        box(f.form, "AA_0")->setText(QStringLiteral("40,5"));
        QVERIFY(!f.placement.writeCoordinateTable(f.path("table.csv"), false));
        QVERIFY(!QFile::exists(f.path("table.csv")));
        QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("パラメータ 左側Ａ「40,5」は数値ではありません。")});
    }

    // A saved design carries its placement; opened again, the placement
    // gives the form its IA, and the design opened counts as unchanged.
    void placementTravelsWithTheDesignFile() {
        Fixture f;
        apply(f.form, {"Khoukou_1"});
        QVERIFY(f.placement.setEntry(readmePlacement()));
        f.dialogs.saveDesignAnswer = f.path("placed.rvd");
        QVERIFY(f.session.designFiles().saveDesignAs());
        // The file keeps the IA typed; the placement derives the other again.
        const QByteArray saved = fileBytes(f.path("placed.rvd"));
        QVERIFY(saved.contains("\nia.degrees = 66\nia.minutes = 55\nia.seconds = 44.444\ncurve.direction = down\n"));
        QVERIFY(saved.endsWith("\n[placement]\nzone = 9\nroute = 国道1号\nbp = -1234.5678 5678.9012\n"
                               "ip = -1100.0000 5800.0000\nep = -1000.0000 5700.0000\n"));
        QVERIFY(!f.session.designFiles().isDesignModified());

        QTest::mouseClick(f.form.findChild<QPushButton *>("Command3"), Qt::LeftButton);
        QVERIFY(!f.placement.entry().given());
        QVERIFY(f.session.designFiles().openDesignFile(f.path("placed.rvd")));
        QCOMPARE(f.placement.entry(), readmePlacement());
        QCOMPARE(f.angle(), (QStringList{"86", "59", "3.616037"}));
        QVERIFY(option(f.form, "Khoukou_0")->isChecked());
        QVERIFY(!box(f.form, "Ia_0")->isEnabled());
        QVERIFY(!f.session.designFiles().isDesignModified());

        // Dropping the placement is a change of the design, and gives back
        // the IA typed before it.
        QVERIFY(f.placement.setEntry(design_model::PlacementTexts{}));
        QCOMPARE(f.angle(), (QStringList{"66", "55", "44.444"}));
        QVERIFY(option(f.form, "Khoukou_1")->isChecked());
        QVERIFY(f.session.designFiles().isDesignModified());
        QCOMPARE(f.dialogs.texts(), QStringList{});
    }

    // A file written before the typed IA was kept holds the derived IA in
    // ia.*: it opens as before, and that IA stays when the placement goes.
    void olderFileWithTheDerivedAngle() {
        Fixture f;
        QFile file(f.path("older.rvd"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[design]\nformat = 1\nscale = 250\na1 = 40\nradius = 40\na2 = 35\nia.degrees = 86\n"
                   "ia.minutes = 59\nia.seconds = 3.616037\ncurve.direction = up\nstation.pitch = 20\n"
                   "center.pitch = 0.1\nka.plus = 0\n\n" +
                   sectionText(readmePlacement()).toUtf8());
        file.close();
        QVERIFY(f.session.designFiles().openDesignFile(f.path("older.rvd")));
        QCOMPARE(f.angle(), (QStringList{"86", "59", "3.616037"}));
        QVERIFY(!f.session.designFiles().isDesignModified());
        QVERIFY(f.placement.setEntry(design_model::PlacementTexts{}));
        QCOMPARE(f.angle(), (QStringList{"86", "59", "3.616037"}));
        QVERIFY(box(f.form, "Ia_0")->isEnabled());
    }

    // The dialog gives back what was typed; 座標を使わない empties it.
    void dialogKeepsTheTexts() {
        rovena::PlacementDialog dialog(readmePlacement());
        QCOMPARE(sectionText(dialog.entry()),
                 QStringLiteral("[placement]\nzone = 9\nroute = 国道1号\nbp = -1234.5678 5678.9012\n"
                                "ip = -1100.0000 5800.0000\nep = -1000.0000 5700.0000\n"));
        dialog.findChild<QLineEdit *>("placementRoute")->setText(QStringLiteral(" 県道\"2\" "));
        QCOMPARE(sectionText(dialog.entry()).section(u'\n', 2, 2), QStringLiteral("route = \" 県道\\\"2\\\" \""));
        QTest::mouseClick(dialog.findChild<QPushButton *>("placementClear"), Qt::LeftButton);
        QVERIFY(!dialog.entry().given());
    }
};

QTEST_MAIN(WorldPlacementTest)
#include "world_placement_test.moc"
