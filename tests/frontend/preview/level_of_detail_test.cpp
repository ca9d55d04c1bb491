// Drawing at the detail the zoom needs: the simplified picture against the
// picture of every vertex at several zooms, and the detail levels of a
// polyline against the distances of all its vertices.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

#include "dense_drawing.h"
#include "drawing_view.h"
#include "dxf_pair_reader.h"
#include "sample_drawing.h"

using namespace rovena::preview;

namespace {

QImage renderAt(DrawingView &view, bool levelOfDetail) {
    view.setLevelOfDetail(levelOfDetail);
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);
    return image;
}

// Lines are drawn smoothed: a dark pixel (more than a third covered) of one
// picture must have an inked pixel (more than a sixth covered) within one
// pixel in the other, so that a shade across the threshold is no fault.
bool dark(const QImage &image, int x, int y) { return qGray(image.pixel(x, y)) < 170; }
bool inked(const QImage &image, int x, int y) { return qGray(image.pixel(x, y)) < 212; }

// Dark pixels of a that have no inked pixel within one pixel in b.
int unmatchedDarkPixels(const QImage &a, const QImage &b) {
    int unmatched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!dark(a, x, y)) continue;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const int u = x + dx, v = y + dy;
                    found = u >= 0 && v >= 0 && u < b.width() && v < b.height() && inked(b, u, v);
                }
            if (!found) ++unmatched;
        }
    return unmatched;
}

int darkPixels(const QImage &image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += dark(image, x, y) ? 1 : 0;
    return n;
}

// Distance of p from the polyline (every segment tried).
double distanceToPolyline(DxfPoint p, const std::vector<DxfPoint> &line) {
    double best = 1e300;
    for (size_t i = 1; i < line.size(); ++i) {
        const double dx = line[i].x - line[i - 1].x, dy = line[i].y - line[i - 1].y;
        const double vx = p.x - line[i - 1].x, vy = p.y - line[i - 1].y;
        const double l2 = dx * dx + dy * dy;
        const double t = l2 > 0 ? std::clamp((vx * dx + vy * dy) / l2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(vx - t * dx, vy - t * dy));
    }
    return best;
}

}  // namespace

TEST(PreviewLevelOfDetail, PictureMatchesEveryVertexWithinOnePixel) {
    preview_test::TempFolder folder;
    const preview_test::DenseDrawing dense;
    ASSERT_TRUE(preview_test::writeDenseDrawing(folder.file("dense.dxf"), dense));
    DxfReadResult result = readDxfFileFast(folder.file("dense.dxf"));
    ASSERT_TRUE(result.ok());

    DrawingView view;
    view.resize(700, 500);
    view.setDrawing(std::move(result.drawing));
    // Zoomed in steps on a point of the innermost lane line, from the whole
    // sheet (hundreds of vertices a pixel) to single vertices 20 pixels apart.
    const double a = 90.0 * 3.14159265358979323846 / 180.0;
    const double r = dense.firstRadius + dense.waveHeight * std::sin(2.0 * 3.14159265358979323846 * dense.firstRadius * a / dense.waveLength);
    const DxfPoint onLine{dense.centreX + r * std::cos(a), dense.centreY + r * std::sin(a)};
    double zoomed = 1.0;
    for (double factor : {1.0, 3.0, 4.0, 8.0, 10.0, 25.0, 100.0}) {
        view.zoomAt(view.toView(onLine), factor);
        zoomed *= factor;
        const QImage simplified = renderAt(view, true), full = renderAt(view, false);
        ASSERT_GT(darkPixels(full), 300) << "zoom " << zoomed;
        EXPECT_EQ(unmatchedDarkPixels(simplified, full), 0) << "zoom " << zoomed;
        EXPECT_EQ(unmatchedDarkPixels(full, simplified), 0) << "zoom " << zoomed;
    }
}

TEST(PreviewLevelOfDetail, LevelsStayWithinTheirErrorAndThinOut) {
    preview_test::TempFolder folder;
    const preview_test::SampleDrawing sample = preview_test::makeSampleDrawing(folder);
    ASSERT_FALSE(sample.path.empty()) << sample.error;
    DxfReadResult result = readDxfFileFast(sample.path);
    ASSERT_TRUE(result.ok());
    const auto geometry = PreviewGeometry::build(std::move(result.drawing));

    int checked = 0;
    for (const GeometryPolyline &polyline : geometry->polylines()) {
        double previousError = 0.0;
        size_t previousSize = polyline.points.size();
        for (const DetailLevel &level : polyline.levels) {
            EXPECT_GT(level.error, previousError);
            EXPECT_LT(level.points.size(), previousSize);
            // Every vertex near the level's line, and every point of the level on the full one.
            for (const DxfPoint &p : polyline.points) ASSERT_LE(distanceToPolyline(p, level.points), level.error + 1e-9);
            for (const DxfPoint &p : level.points) ASSERT_LE(distanceToPolyline(p, polyline.points), 1e-9);
            EXPECT_EQ(&polyline.pointsWithin(level.error), &level.points);
            previousError = level.error;
            previousSize = level.points.size();
            ++checked;
        }
        EXPECT_EQ(&polyline.pointsWithin(0.0), &polyline.points);
    }
    EXPECT_GT(checked, 4);
}
