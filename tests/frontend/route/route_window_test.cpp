// The route window offscreen: a route file opened, its plan fitted, saved
// byte for byte and opened again, the change mark and the question before
// changes are lost, the messages that select their IP, the settings read
// as the route file reads them, and the outputs written by the library
// exactly as korvane-route writes them.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>

#include "form_test_support.h"
#include "preview_menu.h"
#include "preview_window.h"
#include "route_message_list.h"
#include "route_plan_drawing.h"
#include "route_plan_view.h"
#include "route_window.h"
#include "sheet_dialogs.h"

using namespace rovena_test;
namespace kr = korvane::route;

namespace {

const QString kSample = QStringLiteral(KORVANE_SOURCE_DIR "/data/sample_route.rvr");

struct Window {
    QTemporaryDir folder;
    RecordingDialogs dialogs;
    rovena::RouteWindow window;

    Window() {
        window.setUserDialogs(&dialogs);
        window.setLibraryFile(QStringLiteral(KORVANE_BIN_DIR "/" KORVANE_RUNTIME_NAME));
        window.outputs().setHeaderFile(QStringLiteral(KORVANE_BIN_DIR "/aln_hdr_.dxf"));
        window.show();
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    bool open(const QString &file = kSample) {
        const bool opened = window.files().openRouteFile(file);
        window.recomputeNow();
        return opened;
    }
    bool typeCell(int row, int column, const QString &text) {
        rovena::IpTableModel &model = window.document().table();
        return model.setData(model.index(row, column), text, Qt::EditRole);
    }
    QStringList messageTexts() const {
        QStringList texts;
        for (int i = 0; i < window.findChild<rovena::RouteMessageList *>()->count(); ++i)
            texts << window.findChild<rovena::RouteMessageList *>()->item(i)->text();
        return texts;
    }
};

// korvane-route's output of the same route file.
QByteArray korvaneRoute(const QString &route, const QStringList &options, const QString &output) {
    QProcess process;
    process.start(QStringLiteral(KORVANE_BIN_DIR "/korvane-route"), QStringList{route} + options + QStringList{output});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return "korvane-route failed: " + process.readAllStandardError();
    return fileBytes(output);
}

// J-LandXML names the moment it was written.
QByteArray withoutStamp(QByteArray xml) {
    return QString::fromUtf8(xml).remove(QRegularExpression(QStringLiteral(" date=\"[^\"]*\" time=\"[^\"]*\""))).toUtf8();
}

// The sheet's dialogs answered by the test: the PDF file given, printing cancelled.
class SheetAnswers : public rovena::route::SheetDialogs {
public:
    QString askPdfPath(QWidget *, const QString &suggested) override {
        suggestions << suggested;
        return pdf;
    }
    bool askPrinter(QWidget *, QPrinter &, int) override { return false; }
    void showError(QWidget *, const QString &text) override { errors << text; }

    QString pdf;
    QStringList suggestions, errors;
};

} // namespace

class RouteWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensTheRouteWithItsPlanFitted() {
        Window w;
        QVERIFY(w.open());
        QCOMPARE(w.window.windowTitle(), "sample_route.rvr[*] - 路線 - " + rovena::programTitle());
        QVERIFY(!w.window.isWindowModified());
        QCOMPARE(w.window.document().table().rowCount(), 6);
        QCOMPARE(w.window.document().table().data(w.window.document().table().index(3, rovena::KindColumn)).toString(), "卵型");
        QVERIFY(!w.window.computed().refused());
        QCOMPARE(w.messageTexts(), QStringList{"エラーも警告もありません。"});
        // Every IP of the route lies in the view.
        rovena::RoutePlanView &plan = w.window.plan();
        QVERIFY(plan.hasDrawing());
        for (const kr::IpInput &p : w.window.document().points())
            QVERIFY(plan.rect().contains(plan.toView(rovena::planPoint(p.point)).toPoint()));
        // Each row of the coordinate table is on the plan: its main points'
        // names and its stations' labels.
        QStringList names;
        for (const auto &text : plan.geometry()->texts()) names << text.text;
        for (const kr::TableRow &row : w.window.computed().rows) QVERIFY2(names.contains(QString::fromStdString(row.name)), row.name.c_str());
    }

    void savedAndOpenedAgainByteForByte() {
        Window w;
        QVERIFY(w.open());
        w.dialogs.saveDesignAnswer = w.path("copy.rvr");
        QVERIFY(w.window.files().saveRouteAs());
        QCOMPARE(fileBytes(w.path("copy.rvr")), fileBytes(kSample));
        QCOMPARE(w.window.windowTitle(), "copy.rvr[*] - 路線 - " + rovena::programTitle());

        // An edit shows the mark; undone, the route is the file's again.
        QVERIFY(w.typeCell(4, rovena::RColumn, "260"));
        QVERIFY(w.window.isWindowModified());
        w.window.document().history().undo();
        QVERIFY(!w.window.isWindowModified());
        w.window.document().history().redo();
        QVERIFY(w.window.files().saveRoute());
        QVERIFY(!w.window.isWindowModified());
        QVERIFY(fileBytes(w.path("copy.rvr")).contains("\nr = 260\n"));

        const std::vector<kr::IpInput> saved = w.window.document().points();
        QVERIFY(w.open(w.path("copy.rvr")));
        QVERIFY(w.window.document().points() == saved);

        // Route files keep a list of their own, apart from design files'.
        const QSettings settings(QStringLiteral("Rovena"), QStringLiteral("Rovena"));
        QCOMPARE(settings.value("recentRouteFiles").toStringList().value(0), QFileInfo(w.path("copy.rvr")).absoluteFilePath());
        QVERIFY(!settings.value("recentFiles").toStringList().contains(QFileInfo(w.path("copy.rvr")).absoluteFilePath()));
    }

    void askedBeforeChangesAreLost() {
        Window w;
        QVERIFY(w.open());
        QVERIFY(w.typeCell(1, rovena::A1Column, "100"));
        w.dialogs.choice = rovena::SaveChoice::Cancel;
        QVERIFY(!w.window.close());
        QVERIFY(w.window.isVisible());
        w.window.files().newRoute();
        QCOMPARE(w.window.document().table().rowCount(), 6);
        QCOMPARE(w.dialogs.questions, (QStringList{"sample_route.rvr", "sample_route.rvr"}));
        w.dialogs.choice = rovena::SaveChoice::Discard;
        QVERIFY(w.window.close());
        // Unchanged, nothing is asked.
        w.dialogs.questions.clear();
        QVERIFY(w.open());
        QVERIFY(w.window.close());
        QCOMPARE(w.dialogs.questions, QStringList{});
    }

    void anIpTableOpensAsARouteToBeSaved() {
        Window w;
        QFile csv(w.path("worked.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("点名,X,Y,A1,R,A2,R2,AM,LC\nBP,0,0\nIP1,100,0,,50\nEP,150,50\n");
        csv.close();
        QVERIFY(w.open(w.path("worked.csv")));
        QCOMPARE(w.window.document().points().size(), std::size_t{3});
        QCOMPARE(w.window.document().points()[1].curve.r, std::optional<double>(50));
        w.dialogs.saveDesignAnswer.clear();
        QVERIFY(!w.window.files().saveRoute());
        QCOMPARE(w.dialogs.saveSuggestions, QStringList{QFileInfo(w.path("worked.rvr")).absoluteFilePath()});

        // A file that does not read is named, and the route stays.
        csv.open(QIODevice::WriteOnly);
        csv.write("点名,X,Y\nBP,0,0\nEP,1e3,0\n");
        csv.close();
        QVERIFY(!w.open(w.path("worked.csv")));
        QCOMPARE(w.dialogs.texts().size(), 1);
        QVERIFY(w.dialogs.texts().first().contains("「1e3」は数値ではありません"));
        QCOMPARE(w.window.document().points().size(), std::size_t{3});
    }

    void aLandXmlAlignmentOpensAsARoute() {
        Window w;
        QVERIFY(w.open());
        const std::vector<kr::IpInput> sample = w.window.document().points();
        // The route's own J-LandXML with a second alignment after it.
        QVERIFY(w.window.outputs().writeLandXml(w.path("route.xml")));
        QByteArray xml = fileBytes(w.path("route.xml"));
        const qsizetype from = xml.indexOf("<Alignment "), to = xml.indexOf("</Alignment>") + 12;
        QVERIFY(from > 0 && to > from);
        QByteArray second = xml.mid(from, to - from);
        second.replace("name=\"県道1号\"", "name=\"別線\"");
        xml.insert(to, second);
        QFile file(w.path("two.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size());
        file.close();

        // Cancelled, the route stays.
        QVERIFY(w.typeCell(1, rovena::A1Column, "100"));
        QVERIFY(!w.open(w.path("two.xml")));
        QCOMPARE(w.dialogs.choiceLists, QList<QStringList>{(QStringList{"県道1号", "別線"})});
        QCOMPARE(w.window.document().points()[1].curve.a1, std::optional<double>(100));

        w.dialogs.choiceAnswer = 0;
        QVERIFY(w.open(w.path("two.xml")));
        QCOMPARE(w.window.document().settings().name, std::string("県道1号"));
        const std::vector<kr::IpInput> &read = w.window.document().points();
        QCOMPARE(read.size(), sample.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            QCOMPARE(read[i].name, sample[i].name);
            QVERIFY(std::abs(read[i].point.x - sample[i].point.x) < 1e-6 && std::abs(read[i].point.y - sample[i].point.y) < 1e-6);
            QCOMPARE(read[i].curve.r, sample[i].curve.r);
            QCOMPARE(read[i].curve.a2, sample[i].curve.a2);
        }
        QCOMPARE(w.dialogs.texts(), QStringList{});
        QCOMPARE(w.window.windowTitle(), "two.xml[*] - 路線 - " + rovena::programTitle());
        // Saved as a route file, under a name of its own.
        w.dialogs.saveDesignAnswer.clear();
        QVERIFY(!w.window.files().saveRoute());
        QCOMPARE(w.dialogs.saveSuggestions, QStringList{QFileInfo(w.path("two.rvr")).absoluteFilePath()});
    }

    void editsComputeTheRouteAgain() {
        Window w;
        QVERIFY(w.open());
        const double before = w.window.computed().route.alignment.length();
        QVERIFY(w.typeCell(5, rovena::YColumn, "13300"));
        // On the next turn of the event loop, without being asked.
        QTRY_VERIFY(w.window.computed().route.alignment.length() > before + 50);
        QCOMPARE(w.window.computed().route.ips[5].point.y, 13300.0);
    }

    void messagesSelectTheirIp() {
        Window w;
        QVERIFY(w.open());
        // At 80 km/h the radii of 150 to 250 m are below the 280 m minimum.
        kr::RouteSettings faster = w.window.document().settings();
        faster.speed = 80;
        w.window.document().setSettings(faster);
        w.window.recomputeNow();
        auto *list = w.window.findChild<rovena::RouteMessageList *>();
        int warning = -1;
        for (int i = 0; i < list->count() && warning < 0; ++i)
            if (list->item(i)->data(Qt::UserRole).toInt() == 2) warning = i;
        QVERIFY(warning >= 0);
        QVERIFY(list->item(warning)->text().startsWith("警告: "));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(warning)).center());
        QCOMPARE(w.window.currentRow(), 2);
        rovena::RoutePlanView &plan = w.window.plan();
        const QPointF ip = plan.toView(rovena::planPoint(w.window.document().points()[2].point));
        QVERIFY(std::abs(ip.x() - plan.width() / 2.0) < 1 && std::abs(ip.y() - plan.height() / 2.0) < 1);

        // A refusal names its IP too: clothoids too long for IP2's angle.
        QVERIFY(w.typeCell(2, rovena::A1Column, "400"));
        w.window.recomputeNow();
        QVERIFY(w.window.computed().refused());
        QVERIFY(w.messageTexts().first().startsWith("エラー: "));
        QVERIFY(list->item(0)->data(Qt::UserRole).toInt() >= 1);
    }

    void settingsAreReadAsTheRouteFileReadsThem() {
        Window w;
        QVERIFY(w.open());
        auto *pitch = w.window.findChild<QLineEdit *>("routePitch");
        pitch->setText("0");
        emit pitch->editingFinished();
        QCOMPARE(w.dialogs.texts(), QStringList{"路線の設定 測点ピッチ（pitch）の値「0」は正の数でなければなりません。"});
        QCOMPARE(pitch->text(), "20");
        QCOMPARE(w.window.document().settings().stationing.pitch, 20.0);

        pitch->setText("２５");
        emit pitch->editingFinished();
        QCOMPARE(w.window.document().settings().stationing.pitch, 25.0);
        auto *no = w.window.findChild<QLineEdit *>("routeBpNo");
        auto *plus = w.window.findChild<QLineEdit *>("routeBpPlus");
        no->setText("3");
        plus->setText("5.5");
        emit plus->editingFinished();
        QCOMPARE(w.window.document().settings().stationing.bpStation, 80.5);
        QCOMPARE(w.window.findChild<QLineEdit *>("routeBpStation")->text(), "80.5");

        // A row of the station equations counts once both of its cells are filled.
        auto *equations = w.window.findChild<QTableWidget *>("routeEquations");
        QTest::mouseClick(w.window.findChild<QPushButton *>("routeEquationsAdd"), Qt::LeftButton);
        equations->item(0, 0)->setText("200");
        QVERIFY(w.window.document().settings().stationing.equations.empty());
        equations->item(0, 1)->setText("240");
        QCOMPARE(w.window.document().settings().stationing.equations,
                 (std::vector<kr::StationEquation>{{200, 240}}));
        QCOMPARE(w.dialogs.texts().size(), 1);
        // One step each.
        w.window.document().history().undo();
        QVERIFY(w.window.document().settings().stationing.equations.empty());
        QCOMPARE(equations->rowCount(), 0);
    }

    void pasteNamesTheCellItRefuses() {
        Window w;
        QVERIFY(w.open());
        w.window.table().setCurrentIndex(w.window.document().table().index(1, rovena::A1Column));
        w.window.pasteText("100\t220\t100\n90\tR\t90\n");
        QCOMPARE(w.dialogs.texts(), QStringList{"貼り付けの 2 行目（IP 表 3 行目）「R」列の「R」は数値ではありません。"});
        w.window.pasteText("100\t220\t100\n");
        QCOMPARE(w.window.document().points()[1].curve.r, std::optional<double>(220));
    }

    void outputsAreTheBytesKorvaneRouteWrites() {
        Window w;
        QVERIFY(w.open());
        QVERIFY(w.window.outputs().writeTable(w.path("table.csv"), false));
        QVERIFY(w.window.outputs().writeTable(w.path("table8.csv"), true));
        QVERIFY(w.window.outputs().writeStakes(w.path("stakes.csv"), false));
        QVERIFY(w.window.outputs().writeSima(w.path("route.sim")));
        QVERIFY(w.window.outputs().writeLandXml(w.path("route.xml")));
        QCOMPARE(w.dialogs.texts(), QStringList{});
        QCOMPARE(fileBytes(w.path("table.csv")), korvaneRoute(kSample, {"--table"}, w.path("k-table.csv")));
        QCOMPARE(fileBytes(w.path("table8.csv")), korvaneRoute(kSample, {"--utf8", "--table"}, w.path("k-table8.csv")));
        QCOMPARE(fileBytes(w.path("stakes.csv")), korvaneRoute(kSample, {"--stakes"}, w.path("k-stakes.csv")));
        QCOMPARE(fileBytes(w.path("route.sim")), korvaneRoute(kSample, {"--sima"}, w.path("k-route.sim")));
        QCOMPARE(withoutStamp(fileBytes(w.path("route.xml"))),
                 withoutStamp(korvaneRoute(kSample, {"--landxml"}, w.path("k-route.xml"))));

        // Through the menu: the file asked for, then the message that it was made.
        w.dialogs.answer = w.path("menu.csv");
        w.window.findChild<QAction *>("writeRouteTable")->trigger();
        QCOMPARE(fileBytes(w.path("menu.csv")), fileBytes(w.path("table.csv")));
        QCOMPARE(w.dialogs.texts(), QStringList{"座標表を作成しました。"});
    }

    void planIsTheDrawingKorvaneRouteWrites() {
        Window w;
        QVERIFY(w.open());
        QVERIFY(w.window.outputs().writePlan(w.path("plan.dxf"), 1000));
        QCOMPARE(fileBytes(w.path("plan.dxf")), korvaneRoute(kSample, {"--plan"}, w.path("k-plan.dxf")));

        // Through the menu: the scale (1000 offered), the file, where it
        // went, and the drawing opened in the preview.
        rovena::preview::PreviewWindow preview;
        rovena::attachRoutePlanPreview(w.window, preview);
        QSignalSpy loaded(&preview, &rovena::preview::PreviewWindow::drawingLoaded);
        w.dialogs.numberAnswer = 500;
        w.dialogs.saveDesignAnswer = w.path("menu.dxf");
        w.window.findChild<QAction *>("writeRoutePlan")->trigger();
        QCOMPARE(w.dialogs.numberQuestions, QStringList{"平面図の縮尺 1/1000"});
        QCOMPARE(w.dialogs.saveSuggestions,
                 QStringList{QDir(QFileInfo(kSample).absolutePath()).filePath("sample_route_平面図.dxf")});
        QCOMPARE(fileBytes(w.path("menu.dxf")), korvaneRoute(kSample, {"--scale", "500", "--plan"}, w.path("k-500.dxf")));
        QCOMPARE(w.dialogs.texts(), QStringList{"平面図を作成しました: " + QDir::toNativeSeparators(w.path("menu.dxf"))});
        QTRY_COMPARE(loaded.count(), 1);
        QCOMPARE(loaded.first().first().toBool(), true);
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.drawingPath(), w.path("menu.dxf"));

        // The scale chosen is offered next; cancelled, nothing is asked further.
        w.dialogs.numberAnswer.reset();
        w.window.findChild<QAction *>("writeRoutePlan")->trigger();
        QCOMPARE(w.dialogs.numberQuestions.last(), "平面図の縮尺 1/500");
        QCOMPARE(w.dialogs.saveSuggestions.size(), 1);
        QCOMPARE(loaded.count(), 1);
        preview.close();
    }

    void calculationSheetAsPdf() {
        Window w;
        QVERIFY(w.open());
        SheetAnswers answers;
        answers.pdf = w.path("sheet.pdf");
        w.window.sheet().printer().setDialogs(&answers);
        QSignalSpy finished(&w.window.sheet().printer(), &rovena::route::SheetPrinter::finished);
        w.window.findChild<QAction *>("exportRouteSheetPdf")->trigger();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(answers.suggestions, QStringList{QDir(QFileInfo(kSample).absolutePath()).filePath("sample_route_線形計算書.pdf")});
        QVERIFY(fileBytes(w.path("sheet.pdf")).startsWith("%PDF"));
        QCOMPARE(w.dialogs.texts(), QStringList{"線形計算書を作成しました: " + QDir::toNativeSeparators(w.path("sheet.pdf"))});
        QCOMPARE(answers.errors, QStringList{});
    }

    void aRefusedRouteWritesNothing() {
        Window w;
        QVERIFY(w.open());
        QVERIFY(w.typeCell(2, rovena::A1Column, "400"));
        QVERIFY(!w.window.outputs().writeTable(w.path("table.csv"), false));
        QVERIFY(!QFile::exists(w.path("table.csv")));
        // An earlier plan stays as it was.
        QFile earlier(w.path("plan.dxf"));
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        QVERIFY(!w.window.outputs().writePlan(w.path("plan.dxf"), 1000));
        QCOMPARE(fileBytes(w.path("plan.dxf")), QByteArray("earlier"));
        QCOMPARE(w.dialogs.messages.size(), std::size_t{2});
        QCOMPARE(w.dialogs.messages[0].caption, "エラー");
        QCOMPARE(w.dialogs.messages[1].text, w.dialogs.messages[0].text);
        w.window.recomputeNow();
        QVERIFY(w.dialogs.messages[0].text.contains(QString::fromStdString(w.window.computed().messages[0].text)));
    }
};

QTEST_MAIN(RouteWindowTest)
#include "route_window_test.moc"
