// The main window: start-up state, the shading of lane rows, the option
// groups, the sample and clearing routines, Qt's own texts and exit.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QStyleOptionGroupBox>
#include <QPushButton>

#include "form_test_support.h"
#include "japanese_translation.h"
#include "working_files.h"

using namespace rovena_test;

namespace {

const QColor kGrey(192, 192, 192);

// Every text and selection of the form, and the background of every box.
QStringList snapshot(const QWidget &form) {
    QStringList state;
    for (const QLineEdit *b : form.findChildren<QLineEdit *>())
        state << b->objectName() + u'=' + b->text() + u'/' + b->palette().color(QPalette::Base).name();
    for (const QRadioButton *o : form.findChildren<QRadioButton *>())
        state << o->objectName() + QString(o->isChecked() ? "=on" : "=off");
    state << QString("Text1=") + intervals(form)->toPlainText();
    return state;
}

bool inUse(const QLineEdit *b) { return b->palette().color(QPalette::Base) != kGrey; }

// Rows shaded as in use, checking that each widening box matches its width box.
int shadedRows(const QWidget &form, const char *width, const char *widening) {
    int used = 0;
    for (int i = 0; i < 11; ++i) {
        const QLineEdit *w = box(form, indexed(width, i));
        const QLineEdit *k = box(form, indexed(widening, i));
        if (w->palette().color(QPalette::Base) != k->palette().color(QPalette::Base)) return -1;
        if (inUse(w)) {
            if (used != i) return -2; // a row in use after a grey one
            if (w->palette().color(QPalette::Base) != QApplication::palette(w).color(QPalette::Base)) return -3;
            ++used;
        } else if (w->palette().color(QPalette::Base) != kGrey) {
            return -4;
        }
    }
    return used;
}

void typeInto(QLineEdit *b, const QString &text) {
    b->setFocus();
    b->selectAll();
    if (text.isEmpty()) QTest::keyClick(b, Qt::Key_Backspace);
    else QTest::keyClicks(b, text);
}

// The values LoadSampleData gives, except the lane rows and Text1.
const QStringList kSampleTexts = {"Syukusyaku=250", "AA_0=40", "AA_1=40", "AA_2=35", "Ia_0=66", "Ia_1=55",
                                  "Ia_2=44.444", "pitch=20", "center=0.1", "Kno_0=10", "Kno_1=10.111"};
const QStringList kClearedTexts = {"Syukusyaku=250", "AA_0=0", "AA_1=0", "AA_2=0", "Ia_0=0", "Ia_1=0",
                                   "Ia_2=0", "pitch=20", "center=0.1", "Kno_0=0", "Kno_1=0"};

void verifyTexts(const QWidget &form, const QStringList &expected) {
    for (const QString &e : expected) {
        const qsizetype eq = e.indexOf(u'=');
        QCOMPARE(box(form, e.left(eq))->text(), e.mid(eq + 1));
    }
}

// Selections common to both routines: "左", "上" and "一次" in all 22 frames.
void verifySelections(const QWidget &form) {
    QVERIFY(option(form, "Shoukou_0")->isChecked());
    QVERIFY(option(form, "Khoukou_0")->isChecked());
    for (int i = 0; i < 33; ++i) {
        QCOMPARE(option(form, indexed("Option1", i))->isChecked(), i % 3 == 1);
        QCOMPARE(option(form, indexed("Option2", i))->isChecked(), i % 3 == 1);
    }
}

void verifySample(const QWidget &form) {
    verifyTexts(form, kSampleTexts);
    verifySelections(form);
    const char *right[] = {"2.75", "1"};
    const char *left[] = {"2.75", "0.5"};
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(box(form, indexed("Rhaba", i))->text(), QString(i < 2 ? right[i] : "0"));
        QCOMPARE(box(form, indexed("Lhaba", i))->text(), QString(i < 2 ? left[i] : "0"));
        QCOMPARE(box(form, indexed("Rkakufuku", i))->text(), QString(i < 2 ? "0.5" : "0"));
        QCOMPARE(box(form, indexed("Lkakufuku", i))->text(), QString(i < 2 ? "0.5" : "0"));
    }
    QCOMPARE(intervals(form)->toPlainText(), QString("9.889\n20\n20\n20"));
    QCOMPARE(shadedRows(form, "Rhaba", "Rkakufuku"), 2);
    QCOMPARE(shadedRows(form, "Lhaba", "Lkakufuku"), 2);
}

void verifyCleared(const QWidget &form) {
    verifyTexts(form, kClearedTexts);
    verifySelections(form);
    for (const char *name : {"Rhaba", "Lhaba", "Rkakufuku", "Lkakufuku"})
        for (int i = 0; i < 11; ++i) QCOMPARE(box(form, indexed(name, i))->text(), QString("0"));
    QCOMPARE(intervals(form)->toPlainText(), QString());
    QCOMPARE(shadedRows(form, "Rhaba", "Rkakufuku"), 0);
    QCOMPARE(shadedRows(form, "Lhaba", "Lkakufuku"), 0);
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    // Every frame title is whole: the room its frame gives the title holds the
    // width of the text drawn, and the text lies within the frame and under no
    // other control.
    // Run at 1× and, by a second test, at QT_SCALE_FACTOR=1.5.
    void frameTitlesWhole() {
        rovena::Session session;
        session.form().show();
        const QList<QGroupBox *> frames = session.form().findChildren<QGroupBox *>();
        QVERIFY(frames.size() > 20);
        for (const QGroupBox *frame : frames) {
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.textAlignment = frame->alignment();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
            const int textWidth = frame->fontMetrics().horizontalAdvance(frame->title());
            QVERIFY2(title.width() >= textWidth,
                     qPrintable(frame->title() + QString(": %1 px for %2 px of text").arg(title.width()).arg(textWidth)));
            // The line of text as it is drawn in that room.
            const QRect text = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignLeft | Qt::AlignVCenter,
                                                   QSize(textWidth, frame->fontMetrics().height()), title);
            QVERIFY2(frame->rect().contains(text), qPrintable(frame->title()));
            for (const QWidget *child : frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                QVERIFY2(!child->isVisible() || !child->geometry().intersects(text),
                         qPrintable(frame->title() + " under " + child->objectName()));
        }
    }

    void startUp() {
        rovena::Session session;
        rovena::MainForm &form = session.form();
        form.show();
        QVERIFY(form.windowTitle().startsWith("Rovena"));
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(session.files().headerFile, folder + "/aln_hdr_.dxf");
        // The working files lie beside the program, or in a folder of the
        // user's own while another test process holds that one.
        const QString working = QFileInfo(session.files().parameterFile).absolutePath();
        QVERIFY2(working == folder || working.startsWith(rovena::WorkingFiles::defaultUserFolder()), qPrintable(working));
        QCOMPARE(session.files().parameterFile, working + "/ALN_TXT_.DAT");
        QCOMPARE(session.files().tempFile, working + "/temp.dxf");
        verifySample(form);
        QCOMPARE(form.focusWidget(), form.findChild<QPushButton *>("Command1"));
        QCOMPARE(form.centralWidget()->size(), QSize(872, 552));
    }

    void enterAndEscStartNothing() {
        RecordingDialogs dialogs;
        rovena::Session session;
        rovena::MainForm &form = session.form();
        session.setUserDialogs(&dialogs);
        session.setLibraryFile("/nonexistent/libkorvane.so");
        form.show();
        auto *create = form.findChild<QPushButton *>("Command1");
        QTest::keyClick(create, Qt::Key_Return);
        QTest::keyClick(create, Qt::Key_Enter);
        QTest::keyClick(create, Qt::Key_Escape);
        QVERIFY(dialogs.messages.empty());
        QVERIFY(form.isVisible());
    }

    void shading_data() {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QStringList>("widths");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expected");
        const QStringList six = {"1", "2", "3", "4", "5", "6", "0", "0", "0", "0", "0"};
        const QStringList eleven = {"1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"};
        QTest::newRow("zero typed into row 3 of six") << "R" << six << 3 << "0" << 3;
        QTest::newRow("row 0 emptied") << "L" << QStringList{} << 0 << "" << 0;
        QTest::newRow("all eleven in use") << "R" << eleven << 10 << "2.5" << 11;
        QTest::newRow("letters end the rows") << "L" << QStringList{} << 1 << "abc" << 1;
        QTest::newRow("negative width is in use") << "R" << QStringList{} << 1 << "-1" << 2;
        QTest::newRow("unit after the width") << "R" << QStringList{} << 1 << "3m" << 2;
        QTest::newRow("leading blank") << "L" << QStringList{} << 1 << " 2" << 2;
        QTest::newRow("zero with decimals") << "R" << QStringList{} << 1 << "0.00" << 1;
        QTest::newRow("row 2 filled") << "L" << QStringList{} << 2 << "3" << 3;
    }
    void shading() {
        QFETCH(QString, side);
        QFETCH(QStringList, widths);
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(int, expected);
        rovena::Session session;
        rovena::MainForm &form = session.form();
        form.show();
        const char *width = side == "R" ? "Rhaba" : "Lhaba";
        const char *widening = side == "R" ? "Rkakufuku" : "Lkakufuku";
        for (int i = 0; i < widths.size(); ++i) box(form, indexed(width, i))->setText(widths[i]);
        typeInto(box(form, indexed(width, row)), typed);
        QCOMPARE(box(form, indexed(width, row))->text(), typed);
        QCOMPARE(shadedRows(form, width, widening), expected);
        // The other side keeps the sample's shading.
        QCOMPARE(shadedRows(form, side == "R" ? "Lhaba" : "Rhaba", side == "R" ? "Lkakufuku" : "Rkakufuku"), 2);
    }

    void typingIntoWideningChangesNoColour() {
        rovena::Session session;
        rovena::MainForm &form = session.form();
        form.show();
        const QStringList before = snapshot(form);
        typeInto(box(form, "Rkakufuku_5"), "7");
        typeInto(box(form, "Lkakufuku_0"), "");
        QStringList after = snapshot(form);
        QVERIFY(!inUse(box(form, "Rkakufuku_5")));
        QVERIFY(inUse(box(form, "Lkakufuku_0")));
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (int i = 0; i < after.size(); ++i) changed += after[i] != before[i];
        QCOMPARE(changed, 2); // only the two texts
    }

    void optionGroups() {
        rovena::Session session;
        rovena::MainForm &form = session.form();
        form.show();
        QTest::mouseClick(option(form, "Khoukou_1"), Qt::LeftButton);
        QVERIFY(option(form, "Khoukou_1")->isChecked());
        QVERIFY(!option(form, "Khoukou_0")->isChecked());
        QVERIFY(option(form, "Shoukou_0")->isChecked());
        QTest::mouseClick(option(form, "Shoukou_1"), Qt::LeftButton);
        QVERIFY(!option(form, "Shoukou_0")->isChecked());
        QVERIFY(option(form, "Khoukou_1")->isChecked());

        // "高次" in column 3 of the right side clears "一次" there only.
        QTest::mouseClick(option(form, "Option1_11"), Qt::LeftButton);
        for (int i = 0; i < 33; ++i) {
            const bool expected = i / 3 == 3 ? i == 11 : i % 3 == 1;
            QCOMPARE(option(form, indexed("Option1", i))->isChecked(), expected);
            QCOMPARE(option(form, indexed("Option2", i))->isChecked(), i % 3 == 1);
        }
        QTest::mouseClick(option(form, "Option2_0"), Qt::LeftButton);
        QVERIFY(option(form, "Option2_0")->isChecked());
        QVERIFY(!option(form, "Option2_1")->isChecked());
        QVERIFY(option(form, "Option1_1")->isChecked());
    }

    void sampleAfterEdits() {
        rovena::Session session;
        rovena::MainForm &form = session.form();
        form.show();
        apply(form, {"Syukusyaku=500", "AA_1=x", "Ia_2=", "Khoukou_1", "Shoukou_1", "Kno_1=3", "Rhaba_1=0",
                     "Rhaba_4=8", "Lhaba_0=", "Lkakufuku_3=9", "Option1_0", "Option2_32", "Text1=1\n2"});
        QTest::mouseClick(form.findChild<QPushButton *>("Command2"), Qt::LeftButton);
        verifySample(form);
    }

    void clearOnceAndTwice() {
        rovena::Session session;
        rovena::MainForm &form = session.form();
        form.show();
        apply(form, {"Khoukou_1", "Shoukou_1", "Option1_5", "Syukusyaku=1000", "pitch=10"});
        auto *clear = form.findChild<QPushButton *>("Command3");
        QCOMPARE(clear->text(), QString::fromUtf8("データ  クリア"));
        QTest::mouseClick(clear, Qt::LeftButton);
        verifyCleared(form);
        const QStringList once = snapshot(form);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(snapshot(form), once);
    }

    // Qt's own buttons speak Japanese once the translation is installed.
    void standardButtonsInJapanese() {
        QVERIFY(rovena::installJapaneseTranslation(*QCoreApplication::instance()));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("キャンセル"));
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QString::fromUtf8("保存"));
    }

    void exitClosesWithoutPrompt() {
        RecordingDialogs dialogs;
        rovena::Session session;
        rovena::MainForm &form = session.form();
        session.setUserDialogs(&dialogs);
        form.show();
        apply(form, {"AA_0=99"});
        form.findChild<QAction *>("m22")->trigger();
        QVERIFY(!form.isVisible());
        QVERIFY(dialogs.messages.empty());
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
