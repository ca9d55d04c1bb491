// The preview window: the sample design painted offscreen, zoom and pan that
// keep the drawing under the cursor, and files that cannot be shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>

#include <fstream>

#include "drawing_view.h"
#include "dxf_group_scan.h"
#include "dxf_pair_reader.h"
#include "dxf_reader.h"
#include "preview_window.h"
#include "sample_drawing.h"

using namespace rovena::preview;

namespace {

QImage renderView(DrawingView &view) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    view.render(&image);
    return image;
}

bool inkNear(const QImage &image, QPointF at, int radius) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int x = qRound(at.x()) + dx, y = qRound(at.y()) + dy;
            if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) continue;
            if (QColor(image.pixel(x, y)).lightness() < 235) return true;
        }
    return false;
}

}  // namespace

TEST(PreviewWindow, SampleDrawingPaintsTheCentreLine) {
    preview_test::TempFolder folder;
    const preview_test::SampleDrawing sample = preview_test::makeSampleDrawing(folder);
    ASSERT_FALSE(sample.path.empty()) << sample.error;

    PreviewWindow window;
    window.resize(1200, 860);
    window.show();
    QApplication::processEvents();
    ASSERT_TRUE(window.loadDrawing(QString::fromStdString(sample.path)));
    EXPECT_TRUE(window.message().isEmpty());
    DrawingView &view = *window.view();
    view.fitToView();

    // The points of the first centre polyline, taken from the file itself.
    const preview_test::Scan scan = preview_test::scanDxf(sample.path);
    std::vector<DxfPoint> centre;
    bool inFirst = false;
    for (const auto &e : scan.entities) {
        if (e.type == "POLYLINE") {
            if (!centre.empty()) break;
            inFirst = true;
        } else if (e.type == "VERTEX" && inFirst) {
            centre.push_back({e.real(10), e.real(20)});
        }
    }
    ASSERT_GE(centre.size(), 2u);

    // Fitted, everything in the file lies inside the view.
    const preview_test::Box extents = preview_test::scannedExtents(scan);
    for (DxfPoint corner : {DxfPoint{extents.minX, extents.minY}, DxfPoint{extents.maxX, extents.maxY}})
        EXPECT_TRUE(QRectF(view.rect()).contains(view.toView(corner)));

    QImage image = renderView(view);
    // Away from the drawing lies the grey surround, on the sheet white paper.
    const QPointF sheetCorner = view.toView({0.0, 0.0});
    EXPECT_NE(QColor(image.pixel(2, 2)), QColor(Qt::white));
    const QPoint onSheet = (sheetCorner + QPointF(40, -40)).toPoint();
    EXPECT_EQ(QColor(image.pixel(onSheet)), QColor(Qt::white));

    for (size_t k : {size_t{0}, centre.size() / 3, 2 * centre.size() / 3, centre.size() - 1}) {
        const QPointF p = view.viewTransform().map(QPointF(centre[k].x, centre[k].y));
        EXPECT_EQ(p, view.toView(centre[k]));
        ASSERT_TRUE(QRectF(view.rect()).contains(p)) << "vertex " << k;
        EXPECT_TRUE(inkNear(image, p, 1)) << "vertex " << k << " at " << p.x() << "," << p.y();
    }

    // Zoomed in around a vertex in the middle, the line is still under it.
    const QPointF middle = view.toView(centre[centre.size() / 2]);
    view.zoomAt(middle, 40.0);
    EXPECT_NEAR(view.toView(centre[centre.size() / 2]).x(), middle.x(), 1e-6);
    EXPECT_NEAR(view.toView(centre[centre.size() / 2]).y(), middle.y(), 1e-6);
    image = renderView(view);
    EXPECT_TRUE(inkNear(image, middle, 1));

    // The screenshot of the preview, for the documentation.
    window.view()->fitToView();
    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(shot.save(QStringLiteral(PREVIEW_OUTPUT_DIR "/preview.png")));
}

TEST(PreviewWindow, ZoomPanAndFitKeepTheDrawingInPlace) {
    DrawingView view;
    view.resize(800, 600);
    DxfReadResult result = readDxfFileFast(std::string(PREVIEW_TEST_DATA) + "/small_drawing.dxf");
    ASSERT_TRUE(result.ok());
    view.setDrawing(result.drawing);

    // Fitted: the whole sheet lies inside the widget.
    const QPointF low = view.toView({0.0, 0.0}), high = view.toView({841.0 * 250, 594.0 * 250});
    EXPECT_TRUE(QRectF(view.rect()).contains(low));
    EXPECT_TRUE(QRectF(view.rect()).contains(high));
    EXPECT_GT(high.x(), low.x());
    EXPECT_LT(high.y(), low.y());  // up in the drawing is up on the screen
    const double fitted = view.pixelsPerUnit();

    // The wheel magnifies about the cursor: the point under it stays put.
    const QPointF cursor(300, 200);
    const DxfPoint under = view.toDrawing(cursor);
    view.zoomAt(cursor, 8.0);
    EXPECT_NEAR(view.pixelsPerUnit(), fitted * 8.0, fitted * 1e-9);
    const DxfPoint after = view.toDrawing(cursor);
    EXPECT_NEAR(after.x, under.x, 1e-6);
    EXPECT_NEAR(after.y, under.y, 1e-6);

    // Dragging moves the drawing with the mouse.
    view.panBy(QPointF(25, -10));
    const QPointF moved = view.toView(under);
    EXPECT_NEAR(moved.x(), cursor.x() + 25, 1e-6);
    EXPECT_NEAR(moved.y(), cursor.y() - 10, 1e-6);

    view.fitToView();
    EXPECT_DOUBLE_EQ(view.pixelsPerUnit(), fitted);
    EXPECT_EQ(view.toView({0.0, 0.0}), low);
}

TEST(PreviewWindow, LabelOfANormalLineStaysReadableZoomedIn) {
    // Zoomed in on "NO.12+5.000" (375 high), the label is painted as text
    // across its box, turned along the normal line (nearly straight down).
    DrawingView view;
    view.resize(600, 600);
    DxfReadResult result = readDxfFileFast(std::string(PREVIEW_TEST_DATA) + "/small_drawing.dxf");
    ASSERT_TRUE(result.ok());
    view.setDrawing(result.drawing);
    const DxfText label = result.drawing.texts[1];
    const DxfBox box = textBox(label);
    const DxfPoint middle{(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
    view.zoomAt(view.toView(middle), 1.0);
    view.panBy(QPointF(300, 300) - view.toView(middle));
    view.zoomAt(QPointF(300, 300), 500.0 / (box.height() * view.pixelsPerUnit()));

    const QImage image = renderView(view);
    const QRectF area = QRectF(view.toView({box.minX, box.maxY}), view.toView({box.maxX, box.minY})).normalized();
    ASSERT_GT(area.height(), 300.0);
    ASSERT_LT(area.width(), 120.0);  // taller than wide: it runs down the normal
    int inked = 0, inkedOutside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).lightness() >= 128) continue;
            if (area.adjusted(-2, -2, 2, 2).contains(QPointF(x, y))) ++inked;
            else ++inkedOutside;
        }
    // Real glyphs: a good number of dark pixels inside the box, in a column
    // narrower than its height, and no stroke of greeked text.
    EXPECT_GT(inked, 1500);
    EXPECT_LT(inkedOutside, inked / 10);
}

TEST(PreviewWindow, ShowsAMessageForFilesThatAreNoDrawing) {
    preview_test::TempFolder folder;
    PreviewWindow window;
    window.resize(640, 480);

    std::ofstream(folder.file("notes.dxf"), std::ios::binary) << "memo\nnot a drawing\n";
    EXPECT_FALSE(window.loadDrawing(QString::fromStdString(folder.file("notes.dxf"))));
    EXPECT_EQ(window.message(), QStringLiteral("ＤＸＦファイルではありません。"));
    EXPECT_FALSE(window.view()->hasDrawing());
    (void)window.grab();

    std::ifstream in(std::string(PREVIEW_TEST_DATA) + "/small_drawing.dxf", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(folder.file("short.dxf"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    EXPECT_FALSE(window.loadDrawing(QString::fromStdString(folder.file("short.dxf"))));
    EXPECT_TRUE(window.message().startsWith(QStringLiteral("ＤＸＦファイルが途中で切れています。")));
    EXPECT_TRUE(window.view()->hasDrawing());  // what was read is still shown
    (void)window.grab();

    EXPECT_FALSE(window.loadDrawing(QString::fromStdString(folder.file("absent.dxf"))));
    EXPECT_EQ(window.message(), QStringLiteral("ＤＸＦファイルを開けません。"));

    // A good file clears the message again.
    EXPECT_TRUE(window.loadDrawing(QStringLiteral(PREVIEW_TEST_DATA "/small_drawing.dxf")));
    EXPECT_TRUE(window.message().isEmpty());
}

TEST(PreviewWindow, AutomaticOpeningCanBeTurnedOff) {
    PreviewWindow window;
    EXPECT_TRUE(window.autoOpen());
    QSignalSpy spy(&window, &PreviewWindow::autoOpenChanged);
    auto *box = window.findChild<QCheckBox *>();
    ASSERT_NE(box, nullptr);
    box->click();
    EXPECT_FALSE(window.autoOpen());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_FALSE(spy.at(0).at(0).toBool());

    // "全体表示" fits the drawing again after the user zoomed.
    ASSERT_TRUE(window.loadDrawing(QStringLiteral(PREVIEW_TEST_DATA "/small_drawing.dxf")));
    window.resize(700, 500);
    window.view()->fitToView();
    const double fitted = window.view()->pixelsPerUnit();
    window.view()->zoomAt(QPointF(10, 10), 3.0);
    QPushButton *fit = nullptr;
    for (auto *button : window.findChildren<QPushButton *>())
        if (button->text() == QStringLiteral("全体表示")) fit = button;
    ASSERT_NE(fit, nullptr);
    fit->click();
    EXPECT_DOUBLE_EQ(window.view()->pixelsPerUnit(), fitted);
}
