// Reading in the background: the event loop runs on while a big drawing is
// read, the progress bar counts its bytes, a newer drawing replaces one still
// loading and closing the window stops the reading.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTimer>

#include <filesystem>

#include "dense_drawing.h"
#include "drawing_view.h"
#include "preview_window.h"
#include "sample_drawing.h"

using namespace rovena::preview;

namespace {

const QString smallDrawing = QStringLiteral(PREVIEW_TEST_DATA "/small_drawing.dxf");

struct BigDrawing {
    preview_test::TempFolder folder;
    preview_test::DenseDrawing dense;
    QString path = QString::fromStdString(folder.file("big.dxf"));
    BigDrawing() {
        dense.polylines = 40;
        if (!preview_test::writeDenseDrawing(path.toStdString(), dense)) ADD_FAILURE() << "cannot write";
    }
};

}  // namespace

TEST(PreviewBackgroundLoading, EventLoopRunsWhileABigDrawingLoads) {
    BigDrawing big;
    PreviewWindow window;
    window.resize(800, 600);
    auto *bar = window.findChild<QProgressBar *>();
    ASSERT_NE(bar, nullptr);
    QSignalSpy loaded(&window, &PreviewWindow::drawingLoaded);

    int ticksWhileLoading = 0, largestValue = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!window.isLoading()) return;
        ++ticksWhileLoading;
        largestValue = std::max(largestValue, bar->value());
    });
    timer.start(2);
    window.openDrawing(big.path);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isLoading());
    EXPECT_TRUE(bar->isVisible());
    ASSERT_TRUE(loaded.wait(60000));

    ASSERT_EQ(loaded.count(), 1);
    EXPECT_TRUE(loaded.at(0).at(0).toBool());
    EXPECT_GE(ticksWhileLoading, 3);
    EXPECT_FALSE(bar->isVisible());
    // The bar counts kilobytes of the file.
    const auto kilobytes = static_cast<int>(std::filesystem::file_size(big.path.toStdString()) / 1024);
    EXPECT_EQ(bar->maximum(), kilobytes);
    EXPECT_GT(largestValue, 0);
    ASSERT_TRUE(window.view()->hasDrawing());
    EXPECT_EQ(static_cast<long long>(window.view()->geometry()->vertexCount()), big.dense.totalVertices());
    EXPECT_TRUE(window.message().isEmpty());
}

TEST(PreviewBackgroundLoading, ANewerDrawingReplacesOneStillLoading) {
    BigDrawing big;
    PreviewWindow window;
    QSignalSpy loaded(&window, &PreviewWindow::drawingLoaded);
    window.startLoading(big.path);
    window.startLoading(smallDrawing);
    EXPECT_EQ(window.drawingPath(), smallDrawing);
    ASSERT_TRUE(loaded.wait(60000));
    // Wait out the big reading too: nothing more arrives from it.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500) QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_FALSE(window.isLoading());
    // The small drawing: its sheet is 841 x 594 at 1:250.
    EXPECT_DOUBLE_EQ(window.view()->geometry()->sheet().maxX, 841.0 * 250);
    EXPECT_LT(window.view()->geometry()->vertexCount(), 100u);
}

TEST(PreviewBackgroundLoading, ClosingTheWindowStopsTheReading) {
    BigDrawing big;
    auto window = std::make_unique<PreviewWindow>();
    QSignalSpy loaded(window.get(), &PreviewWindow::drawingLoaded);
    window->openDrawing(big.path);
    ASSERT_TRUE(window->isLoading());
    window->close();
    EXPECT_FALSE(window->isLoading());
    EXPECT_FALSE(loaded.wait(1500));
    EXPECT_FALSE(window->view()->hasDrawing());
    // Destroyed while a reading may still run: the worker is stopped and joined.
    window->startLoading(big.path);
    window.reset();
}
