// The preview joined to the window: it opens by itself after a drawing unless
// turned off, and the menu "表示" shows the last drawing again.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "form_test_support.h"
#include "preview_menu.h"
#include "preview_window.h"

using namespace rovena_test;

namespace {

struct Fixture : FormFixture {
    rovena::preview::PreviewWindow preview{&form};

    Fixture() {
        rovena::attachPreview(form, session.drawing(), preview);
        dialogs.answer = path("out.dxf");
    }
    QAction *showItem() const { return form.findChild<QAction *>("showPreview"); }
};

} // namespace

class PreviewMenuTest : public QObject {
    Q_OBJECT

private slots:
    void menuStandsFirstAndWaitsForADrawing() {
        Fixture f;
        const QList<QAction *> menus = f.form.menuBar()->actions();
        QCOMPARE(menus.size(), 4);
        QCOMPARE(menus[0]->text(), QStringLiteral("ファイル"));
        QCOMPARE(menus[1]->text(), QStringLiteral("表示"));
        QCOMPARE(menus[2]->text(), QStringLiteral("ヘルプ"));
        QCOMPARE(menus[3]->text(), QStringLiteral("終了"));
        QVERIFY(f.showItem());
        QVERIFY(!f.showItem()->isEnabled());
    }

    void opensAfterADrawing() {
        Fixture f;
        f.clickCreate();
        QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("ＤＸＦファイルを作成しました。")});
        QVERIFY(f.preview.isVisible());
        QCOMPARE(f.preview.drawingPath(), f.path("out.dxf"));
        QVERIFY(f.preview.message().isEmpty());
        QVERIFY(f.showItem()->isEnabled());
    }

    // The preview opens over the form; with the form in the screen's corner
    // it is moved back wholly into the screen's area.
    void opensWithinTheScreen() {
        Fixture f;
        const QRect area = f.form.screen()->availableGeometry();
        f.form.move(area.right() - 100, area.bottom() - 100);
        f.form.show();
        f.clickCreate();
        QVERIFY(f.preview.isVisible());
        const QRect shown = f.preview.frameGeometry();
        QVERIFY(area.contains(shown));
        QCOMPARE(shown.bottomRight(), area.bottomRight());
    }

    void staysClosedWhenTurnedOffButTheMenuShowsIt() {
        Fixture f;
        f.preview.setAutoOpen(false);
        f.clickCreate();
        QVERIFY(!f.preview.isVisible());
        QVERIFY(f.showItem()->isEnabled());
        f.showItem()->trigger();
        QVERIFY(f.preview.isVisible());
        QCOMPARE(f.preview.drawingPath(), f.path("out.dxf"));
    }

    void noPreviewForARejectedDesign() {
        Fixture f;
        box(f.form, "Syukusyaku")->setText("0");
        f.clickCreate();
        QVERIFY(!f.preview.isVisible());
        QVERIFY(!f.showItem()->isEnabled());
    }
};

QTEST_MAIN(PreviewMenuTest)
#include "preview_menu_test.moc"
