// rovena-preview-bench: the heavy design drawn by the library, then shown by
// the preview offscreen: time to load, time to the first full picture,
// repaints at every wheel step from the fitted view to the largest zoom and
// after a pan at each, and the memory the loaded drawing holds. When LibreCAD
// is installed, its conversion of the same file to PDF is timed as well.
//
// usage: rovena-preview-bench [-w FOLDER] [--pitch P] [--keep]
// With PREVIEW_BENCH_IMAGES set, the pictures of the fitted view and of every
// sixth step are saved as /tmp/bench-*.png to look at.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_designs.h"
#include "drawing_view.h"
#include "library_driver.h"
#include "preview_window.h"
#include "process_memory.h"

namespace {

constexpr int viewWidth = 1400;
constexpr int viewHeight = 1000;

struct Options {
    std::string work;
    double pitch = 0.01;
    bool keep = false;
};

bool parseOptions(int argc, char **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-w" || arg == "--work-folder") && i + 1 < argc) options.work = argv[++i];
        else if (arg == "--pitch" && i + 1 < argc) options.pitch = std::atof(argv[++i]);
        else if (arg == "--keep") options.keep = true;
        else return false;
    }
    return options.pitch > 0.0;
}

std::string programFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

double milliseconds(const QElapsedTimer &timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// One repaint of the view into an image, as the window would paint it.
double timeRender(rovena::preview::DrawingView &view, QImage &image) {
    QElapsedTimer timer;
    timer.start();
    image.fill(Qt::magenta);
    view.render(&image);
    return milliseconds(timer);
}

// A pixel of linework near the middle of the picture, to zoom in on.
QPointF inkNearCentre(const QImage &image) {
    const QPoint centre(image.width() / 2, image.height() / 2);
    QPointF best = centre;
    double bestDistance = 1e18;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour(image.pixel(x, y));
            if (colour.lightness() > 200 || colour == QColor(160, 160, 160)) continue;
            const double d = std::hypot(x - centre.x(), y - centre.y());
            if (d < bestDistance) {
                bestDistance = d;
                best = QPointF(x, y);
            }
        }
    return best;
}

// The vertices in the file, counted by their entity name.
long long countVertices(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    long long count = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "VERTEX") ++count;
    }
    return count;
}

// The share of the pixels that show linework or text.
double inkShare(const QImage &image) {
    long long inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour(image.pixel(x, y));
            if (colour.lightness() <= 200 && colour != QColor(160, 160, 160)) ++inked;
        }
    return static_cast<double>(inked) / (static_cast<double>(image.width()) * image.height());
}

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wheel steps of 1.2 from the fitted view to the largest zoom, a repaint
// after each and one after a pan of (60, 40) pixels.
void measureZoomAndPan(rovena::preview::DrawingView &view, QImage &image) {
    view.fitToView();
    std::vector<double> fits;
    for (int i = 0; i < 5; ++i) fits.push_back(timeRender(view, image));
    std::printf("  fitted view: repaint median %.1f ms of 5\n", median(fits));
    QPointF anchor = inkNearCentre(image);
    if (qEnvironmentVariableIsSet("PREVIEW_BENCH_IMAGES")) image.save(QStringLiteral("/tmp/bench-fit.png"));
    const double fitted = view.pixelsPerUnit();
    std::vector<double> zooms, pans;
    double minInk = 1.0;
    std::printf("  zoom (x fit)  px/mm      zoom ms   pan ms\n");
    for (int step = 0; step < 200; ++step) {
        const double before = view.pixelsPerUnit();
        view.zoomAt(anchor, 1.2);
        if (view.pixelsPerUnit() <= before * 1.0001) break;
        const double zoomMs = timeRender(view, image);
        // The next step zooms in on the line nearest the middle, so that
        // every step has linework in view.
        anchor = inkNearCentre(image);
        view.panBy(QPointF(60, 40));
        const double panMs = timeRender(view, image);
        view.panBy(QPointF(-60, -40));
        const double inked = inkShare(image);
        minInk = std::min(minInk, inked);
        zooms.push_back(zoomMs);
        pans.push_back(panMs);
        if (qEnvironmentVariableIsSet("PREVIEW_BENCH_IMAGES") && step % 6 == 0)
            image.save(QStringLiteral("/tmp/bench-%1.png").arg(step));
        if (step % 6 == 0)
            std::printf("  %12.1f %8.4f %10.1f %8.1f\n", view.pixelsPerUnit() / fitted,
                        view.pixelsPerUnit(), zoomMs, panMs);
    }
    std::printf("  every step showed linework: %s (least ink %.3f%% of the pixels)\n", minInk > 0 ? "yes" : "NO",
                minInk * 100.0);
    std::printf("  %zu wheel steps: zoom repaint median %.1f ms, worst %.1f ms; "
                "pan repaint median %.1f ms, worst %.1f ms\n",
                zooms.size(), median(zooms), *std::max_element(zooms.begin(), zooms.end()),
                median(pans), *std::max_element(pans.begin(), pans.end()));
}

void timeLibreCad(const std::string &dxf, const std::string &work) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("librecad"));
    if (program.isEmpty()) {
        std::printf("LibreCAD: not installed, not measured\n");
        return;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    // dxf2pdf writes the PDF beside the drawing, named after it.
    const QString pdf = QString::fromStdString(work + "/heavy.pdf");
    QElapsedTimer timer;
    timer.start();
    process.start(program, {QStringLiteral("dxf2pdf"), QStringLiteral("-a"), QString::fromStdString(dxf)});
    const bool finished = process.waitForFinished(600000);
    const double ms = milliseconds(timer);
    const bool written = std::filesystem::exists(pdf.toStdString());
    std::printf("LibreCAD dxf2pdf: %.0f ms (%s)\n", ms,
                finished && written ? "PDF written" : "failed");
}

int run(const Options &options, const std::string &work) {
    const bench::BenchDesign design = bench::heavyDesign("heavy", options.pitch);
    const std::string dxf = work + "/heavy.dxf";
    QElapsedTimer timer;
    timer.start();
    if (!bench::drawDesign(programFolder(), work, design, dxf)) return 1;
    std::printf("design: %s\n", design.description.c_str());
    std::printf("library wrote %.1f MB in %.0f ms\n",
                static_cast<double>(std::filesystem::file_size(dxf)) / 1e6, milliseconds(timer));

    rovena::preview::PreviewWindow window;
    window.resize(viewWidth, viewHeight);
    window.show();
    QCoreApplication::processEvents();
    QImage image(window.view()->size(), QImage::Format_RGB32);
    ::malloc_trim(0);
    const long residentBefore = bench::residentKiB();

    timer.restart();
    const bool loaded = window.loadDrawing(QString::fromStdString(dxf));
    const double loadMs = milliseconds(timer);
    window.view()->fitToView();
    timeRender(*window.view(), image);
    const double firstPictureMs = milliseconds(timer);
    ::malloc_trim(0);
    const long residentAfter = bench::residentKiB();
    if (!loaded) {
        std::fprintf(stderr, "the preview did not read %s\n", dxf.c_str());
        return 1;
    }
    std::printf("preview load %.0f ms, first full picture (%dx%d) %.0f ms after the file was written\n",
                loadMs, image.width(), image.height(), firstPictureMs);
    const long long vertices = countVertices(dxf);
    const double binaryMb = static_cast<double>(vertices) * 2 * sizeof(double) / 1e6;
    const double residentMb = static_cast<double>(residentAfter - residentBefore) * 1024.0 / 1e6;
    std::printf("memory of the loaded drawing: %.1f MB resident; %lld vertices = %.1f MB as binary "
                "x,y doubles; ratio %.2f\n", residentMb, vertices, binaryMb, residentMb / binaryMb);
    measureZoomAndPan(*window.view(), image);
    timeLibreCad(dxf, work);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: rovena-preview-bench [-w FOLDER] [--pitch P] [--keep]\n");
        return 2;
    }
    std::string work = options.work;
    if (work.empty()) {
        char pattern[] = "/tmp/rovena-preview-bench-XXXXXX";
        if (!::mkdtemp(pattern)) return 1;
        work = pattern;
    }
    const int status = run(options, work);
    if (!options.keep && options.work.empty()) std::filesystem::remove_all(work);
    return status;
}
