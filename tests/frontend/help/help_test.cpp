// The menu item ヘルプ: a message when the program has no help, else the page
// in Rovena's own window; a page that cannot be read is reported.
#include <QAction>
#include <QScreen>
#include <QTextBrowser>

#include "form_test_support.h"

using namespace rovena_test;

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void helpWithoutHelpFile() {
        RecordingDialogs dialogs;
        rovena::Session session;
        rovena::MainForm &form = session.form();
        session.setUserDialogs(&dialogs);
        session.help().setHelpFile(QString());
        form.show();
        apply(form, {"AA_0=12", "Khoukou_1"});
        const QStringList before = formTexts(form);
        form.findChild<QAction *>("m11")->trigger();
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages[0].text,
                 QString::fromUtf8("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"));
        QCOMPARE(dialogs.messages[0].caption, form.windowTitle());
        QVERIFY(dialogs.messages[0].icon == rovena::MessageIcon::Information);
        QCOMPARE(formTexts(form), before);
    }

    // The help window opens over the form; with the form in the screen's
    // corner it is moved back wholly into the screen's area.
    void helpWithinTheScreen() {
        rovena::Session session;
        rovena::MainForm &form = session.form();
        session.help().setHelpFile(QStringLiteral(KORVANE_BIN_DIR) + "/rovena-help.html");
        const QRect area = form.screen()->availableGeometry();
        form.move(area.right() - 100, area.bottom() - 100);
        form.show();
        form.findChild<QAction *>("m11")->trigger();
        auto *help = form.findChild<QTextBrowser *>("helpWindow");
        QVERIFY(help->isVisible());
        QVERIFY(area.contains(help->frameGeometry()));
        QCOMPARE(help->frameGeometry().bottomRight(), area.bottomRight());

        // Made larger than the screen and closed, it opens again no larger
        // than the screen's area.
        help->close();
        help->resize(area.width() * 3, area.height() * 3);
        form.findChild<QAction *>("m11")->trigger();
        QVERIFY(area.contains(help->frameGeometry()));
    }

    // Help opens inside Rovena, at the page's contents; a missing page is reported.
    void helpInItsOwnWindow() {
        RecordingDialogs dialogs;
        rovena::Session session;
        rovena::MainForm &form = session.form();
        session.setUserDialogs(&dialogs);
        session.help().setHelpFile(QStringLiteral(KORVANE_BIN_DIR) + "/rovena-help.html");
        form.show();
        form.findChild<QAction *>("m11")->trigger();
        auto *help = form.findChild<QTextBrowser *>("helpWindow");
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(help->isWindow());
        QVERIFY(help->toPlainText().contains(QString::fromUtf8("Rovena ヘルプ")));
        QVERIFY(help->toPlainText().contains(QString::fromUtf8("入力項目")));
        QVERIFY(dialogs.messages.empty());

        session.help().setHelpFile("/nonexistent/rovena-help.html");
        form.findChild<QAction *>("m11")->trigger();
        QCOMPARE(dialogs.texts(), QStringList{QString::fromUtf8("ヘルプを表示できません。\n/nonexistent/rovena-help.html")});
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
