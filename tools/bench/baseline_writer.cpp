// The alignment drawing written the obvious way, as a reference point for the
// library's writer: every record through fprintf, the clothoid series with pow
// for every power, stdio's default buffers, and each polyline collected in the
// temporary file and appended to the output line by line through a 200-byte
// fgets buffer. It draws the same entities with the same record formats as the
// library (the element table excepted, a few dozen texts). A frozen second
// writer (see baseline_writer.h): its parameter-file reading and its limits
// stay as they are, whatever the library and the design model do.
#include "baseline_writer.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace bench {

namespace {

constexpr double kPi = 3.1415926536;
constexpr double kDegreesPerRadian = 57.29577951289617;
constexpr double kQuarterTurn = 1.5707963268;
constexpr int kLaneCapacity = 20;
constexpr int kNormalCapacity = 200;
constexpr int kLabelSize = 20;
constexpr int kLineBuffer = 200;

struct Point {
    double x;
    double y;
};

struct Side {
    double width[kLaneCapacity];
    double method[kLaneCapacity];
    double widening[kLaneCapacity];
};

struct Design {
    double scale;
    double a1, a2, radius;
    double iaDegrees, iaMinutes, iaSeconds;
    Side right, left;
    double centerPitch;
    char stationDirection[8];
    double stationPitch, kaStationNo, kaStationPlus;
    double normalIntervals[kNormalCapacity];

    double iaRadians, tau1, tau2, arcAngle;
    double length1, length2, arcLength;
    double tangent1, tangent2;
    double clothoid1Normals[kNormalCapacity];
    double arcNormals[kNormalCapacity];
    double clothoid2Normals[kNormalCapacity];
    char clothoid1Labels[kNormalCapacity][kLabelSize];
    char arcLabels[kNormalCapacity][kLabelSize];
    char clothoid2Labels[kNormalCapacity][kLabelSize];
};

Design d;
std::FILE *outFile = nullptr;
std::FILE *tempFile = nullptr;
const char *tempFilePath = nullptr;
int polylineHandle = 101;
int vertexHandle = 112;
double baseY = 0;
double sigma = 1;
Point firstKe{0, 0};

constexpr double xSeriesDenominators[10] = {
    1.0, 10.0, 216.0, 9360.0, 685440.0, 76204800.0, 11975040000.0, 2528170444800.0,
    690452066304000.0, 236887827111936000.0};
constexpr double ySeriesDenominators[10] = {
    1.0, 14.0, 440.0, 25200.0, 2298240.0, 306028800.0, 56043187200.0, 13512635136000.0,
    4149686661120000.0, 1581386305314816000.0};

// ---------------------------------------------------------------- input

bool readSide(std::FILE *f, Side &side) {
    int count = 0;
    for (int i = 0; i < kLaneCapacity; ++i) {
        if (std::fscanf(f, "%lf", &side.width[i]) != 1) return false;
        if (side.width[i] == 0) break;
        ++count;
    }
    for (int i = 0; i < count; ++i)
        if (std::fscanf(f, "%lf", &side.method[i]) != 1) return false;
    for (int i = 0; i < count; ++i)
        if (std::fscanf(f, "%lf", &side.widening[i]) != 1) return false;
    return true;
}

bool readDesign(const char *path) {
    std::FILE *f = std::fopen(path, "r");
    if (!f) return false;
    std::memset(&d, 0, sizeof d);
    char word[260];
    bool ok = std::fscanf(f, "%lf", &d.scale) == 1 && std::fscanf(f, "%259s", word) == 1 &&
              std::fscanf(f, "%259s", word) == 1 &&
              std::fscanf(f, "%lf %lf %lf %lf %lf %lf", &d.a1, &d.a2, &d.radius, &d.iaDegrees,
                          &d.iaMinutes, &d.iaSeconds) == 6 &&
              readSide(f, d.right) && readSide(f, d.left) &&
              std::fscanf(f, "%lf %7s %lf %lf %lf", &d.centerPitch, d.stationDirection,
                          &d.stationPitch, &d.kaStationNo, &d.kaStationPlus) == 5;
    for (int i = 0; ok && i < kNormalCapacity; ++i) {
        if (std::fscanf(f, "%lf", &d.normalIntervals[i]) != 1) ok = false;
        else if (d.normalIntervals[i] == 1000.0) break;
    }
    std::fclose(f);
    return ok;
}

// ---------------------------------------------------------------- geometry

Point clothoidPoint(double a, double l) {
    const double tau = l * l / (2 * a * a);
    double sx = 0, sy = 0;
    for (int n = 0; n < 10; ++n) {
        const double term = std::pow(-1.0, n) * std::pow(tau, 2 * n);
        sx += term / xSeriesDenominators[n];
        sy += term / ySeriesDenominators[n];
    }
    const double k = a * std::sqrt(2 * tau);
    return {k * sx, k * tau * sy / 3};
}

bool countsFromRight() { return d.stationDirection[0] == 'R' || d.stationDirection[0] == 'r'; }

void stationLabel(char *text, double s) {
    const double origin = d.kaStationNo * d.stationPitch + d.kaStationPlus;
    const double distance = s + origin;
    const double n = std::floor(distance / d.stationPitch);
    double m = distance - n * d.stationPitch;
    if (m < 0 && std::fabs(m) < 0.0000001) m = std::fabs(m);
    std::snprintf(text, kLabelSize, "NO.%.0f+%.3f", n, m);
}

void reverseList(double *list) {
    double scratch[kNormalCapacity] = {};
    int j = 0;
    for (int i = kNormalCapacity - 1; i >= 0; --i)
        if (list[i] != 0) scratch[j++] = list[i];
    std::memcpy(list, scratch, sizeof scratch);
}

void deriveCurve() {
    const double magnitude =
        std::fabs(d.iaDegrees) + std::fabs(d.iaMinutes) / 60 + std::fabs(d.iaSeconds) / 60 / 60;
    const bool positive = d.iaDegrees >= 0 && d.iaMinutes >= 0 && d.iaSeconds >= 0;
    d.iaRadians = (positive ? magnitude : -magnitude) / 180 * kPi;
    d.tau1 = d.a1 * d.a1 / (d.radius * (d.radius * 2));
    d.tau2 = d.a2 * d.a2 / (d.radius * (d.radius * 2));
    d.arcAngle = std::fabs(d.iaRadians) - (d.tau1 + d.tau2);
    d.length1 = d.a1 * d.a1 / d.radius;
    d.length2 = d.a2 * d.a2 / d.radius;
    d.arcLength = d.arcAngle < 0 ? 0 : d.radius * d.arcAngle;
}

void prepareNormals() {
    const double cl = d.length1 + d.arcLength + d.length2;
    double *p = d.normalIntervals;
    auto outOfRange = [cl](double s) { return s < 0 || s >= cl || s > 1000; };
    bool stop = false;
    if (outOfRange(p[0])) {
        p[0] = 0;
        stop = true;
    }
    for (int j = 1; j < kNormalCapacity; ++j) {
        if (stop) {
            p[j] = 0;
            continue;
        }
        const double sum = p[j] + p[j - 1];
        if (sum == p[j - 1] || outOfRange(sum)) {
            p[j] = 0;
            stop = true;
        } else {
            p[j] = sum;
        }
    }
    if (countsFromRight()) {
        for (int j = 0; j < kNormalCapacity && p[j] != 0; ++j) p[j] = cl - p[j];
        reverseList(p);
    }
    int n1 = 0, na = 0, n2 = 0;
    for (int j = 0; j < kNormalCapacity && p[j] != 0; ++j) {
        const double s = p[j];
        if (s <= d.length1) d.clothoid1Normals[n1++] = s;
        else if (s <= d.length1 + d.arcLength) d.arcNormals[na++] = s - d.length1;
        else d.clothoid2Normals[n2++] = cl - s;
    }
    reverseList(d.clothoid2Normals);
    const char first = d.stationDirection[0];
    const bool fromLeft = first == 'L' || first == 'l';
    if (!fromLeft && !countsFromRight()) return;
    for (int j = 0; j < n1; ++j)
        stationLabel(d.clothoid1Labels[j],
                     fromLeft ? d.clothoid1Normals[j] : cl - d.clothoid1Normals[j]);
    for (int j = 0; j < na; ++j)
        stationLabel(d.arcLabels[j], fromLeft ? d.length1 + d.arcNormals[j]
                                              : d.length2 + d.arcLength - d.arcNormals[j]);
    for (int j = 0; j < n2; ++j)
        stationLabel(d.clothoid2Labels[j],
                     fromLeft ? cl - d.clothoid2Normals[j] : d.clothoid2Normals[j]);
}

void accumulateLaneOffsets(double *width) {
    bool stop = false;
    for (int i = 1; i < kLaneCapacity; ++i) {
        if (stop) {
            width[i] = 0;
            continue;
        }
        width[i] = width[i] + width[i - 1];
        if (width[i] == width[i - 1] || !(width[i] > 0)) {
            width[i] = 0;
            stop = true;
        }
    }
}

void computeElements() {
    const Point e1 = clothoidPoint(d.a1, d.a1 * d.a1 / d.radius);
    const Point e2 = clothoidPoint(d.a2, d.a2 * d.a2 / d.radius);
    const double xm1 = e1.x - std::sin(d.tau1) * d.radius;
    const double xm2 = e2.x - std::sin(d.tau2) * d.radius;
    const double shift1 = std::cos(d.tau1) * d.radius + e1.y - d.radius;
    const double shift2 = std::cos(d.tau2) * d.radius + e2.y - d.radius;
    const double ia = std::fabs(d.iaRadians);
    const double diff = shift1 - shift2;
    const double w = std::tan(ia / 2) * (d.radius + shift2);
    d.tangent1 = xm1 + w - std::cos(ia) * diff / std::sin(ia);
    d.tangent2 = xm2 + w + diff / std::sin(ia);
}

double wideningAmount(double a, double s, double method, double amount) {
    const double r = s / (a * a / d.radius);
    if (method == 1.0) return amount * r;
    if (method == 2.0) return amount * (4 * std::pow(r, 3) - 3 * std::pow(r, 4));
    return 0;
}

Point lanePoint(double a, double s, double w, double method, double amount) {
    const double tau = s * s / (2 * a * a);
    const Point c = clothoidPoint(a, s);
    const double widening = wideningAmount(a, s, method, amount);
    const double t = w >= 0 ? w + widening : w - widening;
    if (d.iaRadians > 0)
        return {(c.x - t * std::sin(tau)) * 1000, baseY + (c.y + t * std::cos(tau)) * 1000};
    return {(c.x + t * std::sin(tau)) * 1000, baseY + (t * std::cos(tau) - c.y) * 1000};
}

Point secondKa() {
    return {d.tangent1 * 1000 + d.tangent2 * 1000 * std::cos(d.iaRadians),
            baseY + d.tangent2 * 1000 * std::sin(d.iaRadians)};
}

Point secondFrameToDrawing(Point p) {
    const Point k = secondKa();
    return {k.x + p.x * std::cos(d.iaRadians) - (p.y - baseY) * std::sin(d.iaRadians),
            k.y + p.x * std::sin(d.iaRadians) + (p.y - baseY) * std::cos(d.iaRadians)};
}

// ---------------------------------------------------------------- entities

void writeError() { std::fprintf(stderr, "baseline: fprintf error\n"); }

void writeLine(Point a, Point b) {
    if (std::fprintf(outFile, "0\nLINE\n8\nD-WORK\n10\n%f\n20\n%f\n11\n%f\n21\n%f\n", a.x, a.y,
                     b.x, b.y) < 0)
        writeError();
}

void writeVertex(Point p, const char *layer) {
    ++vertexHandle;
    if (std::fprintf(tempFile, "0\nVERTEX\n5\n%X\n8\n%s\n10\n%f\n20\n%f\n30\n0.0\n",
                     vertexHandle, layer, p.x, p.y) < 0)
        writeError();
}

void writePolylineSegment(Point prev, Point cur, int count, const char *layer) {
    if (count == 1) {
        ++polylineHandle;
        if (std::fprintf(tempFile,
                         "0\nPOLYLINE\n5\n%X\n8\n%s\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n",
                         polylineHandle, layer) < 0)
            writeError();
        writeVertex(prev, layer);
    }
    writeVertex(cur, layer);
}

void writeArc(Point c, double radius, double start, double end, const char *layer) {
    if (std::fprintf(outFile, "0\nARC\n8\n%s\n10\n%f\n20\n%f\n40\n%f\n50\n%f\n51\n%f\n", layer,
                     c.x, c.y, radius, start, end) < 0)
        writeError();
}

void writeText(Point p, double height, double angle, const char *text) {
    if (std::fprintf(outFile, "0\nTEXT\n8\nD-BMK-HTXT\n10\n%f\n20\n%f\n40\n%f\n41\n1\n50\n%f\n1\n%s\n",
                     p.x, p.y, height, angle * kDegreesPerRadian, text) < 0)
        writeError();
}

// The two ends of the normal line at p (tangent angle tau), or of the line
// across a KA point.
void normalEnds(Point p, double tau, bool atKa, Point &a, Point &b) {
    if (atKa) {
        a = {p.x, p.y - 10000};
        b = {p.x, p.y + 10000};
        return;
    }
    const double sn = 10000 * std::sin(tau), cs = 10000 * std::cos(tau);
    if (d.iaRadians > 0) {
        a = {p.x + sn, p.y - cs};
        b = {p.x - sn, p.y + cs};
    } else {
        a = {p.x + sn, p.y + cs};
        b = {p.x - sn, p.y - cs};
    }
}

void writeLabel(Point p, double angle, const char *text) {
    const double height = 1.5 * d.scale;
    const double a = d.iaRadians > 0 ? -angle : angle;
    const bool right = countsFromRight();
    const double dx = right ? -d.scale : d.scale;
    const double dy = right ? d.scale : -d.scale;
    const Point at{p.x + dx * std::cos(a) + dy * std::sin(a),
                   p.y - dx * std::sin(a) + dy * std::cos(a)};
    double rotation;
    if (right) rotation = d.iaRadians > 0 ? kQuarterTurn + angle : kQuarterTurn - angle;
    else rotation = d.iaRadians > 0 ? -(kQuarterTurn - angle) : -(kQuarterTurn + angle);
    writeText(at, height, rotation, text);
}

// Normal line and label at a centre point of a clothoid; on the second
// clothoid p is in its own frame and frameAngle is the frame's tangent angle.
void writeMark(bool second, Point p, double frameAngle, bool atKa, const char *text) {
    Point a, b;
    normalEnds(p, frameAngle, atKa, a, b);
    if (!second) {
        writeLine(a, b);
        writeLabel(p, frameAngle, text);
        return;
    }
    writeLine(secondFrameToDrawing(a), secondFrameToDrawing(b));
    const double angle = d.iaRadians > 0 ? frameAngle + d.iaRadians : frameAngle - d.iaRadians;
    writeLabel(secondFrameToDrawing(p), angle, text);
}

// ---------------------------------------------------------------- files

bool appendTempBody() {
    std::FILE *in = std::fopen(tempFilePath, "r");
    if (!in) {
        std::fprintf(stderr, "baseline: can't open the temporary file\n");
        return false;
    }
    char line[kLineBuffer];
    while (std::fgets(line, sizeof line, in)) {
        if (std::fputs(line, outFile) < 0) {
            std::fclose(in);
            writeError();
            return false;
        }
    }
    std::fclose(in);
    return true;
}

bool copyHeaderTemplate(const char *templatePath, const char *outputPath) {
    std::FILE *in = std::fopen(templatePath, "r");
    if (!in) {
        std::fprintf(stderr, "baseline: can't open the header template\n");
        return false;
    }
    std::FILE *out = std::fopen(outputPath, "w");
    if (!out) {
        std::fclose(in);
        std::fprintf(stderr, "baseline: can't create the output\n");
        return false;
    }
    char a[kLineBuffer], b[kLineBuffer], skipped[kLineBuffer];
    bool ok = true;
    while (ok && std::fgets(a, sizeof a, in)) {
        ok = std::fputs(a, out) >= 0;
        if (!ok || !std::fgets(b, sizeof b, in)) break;
        ok = std::fputs(b, out) >= 0;
        if (ok && std::strncmp(b, "$EXTMAX", 7) == 0) {
            for (int i = 0; i < 4; ++i)
                if (!std::fgets(skipped, sizeof skipped, in)) break;
            std::fprintf(out, "10\n%.0f\n20\n%.0f\n", 841 * d.scale, 594 * d.scale);
        }
    }
    std::fclose(in);
    std::fclose(out);
    if (!ok) writeError();
    return ok;
}

// ---------------------------------------------------------------- linework

struct Lane {
    double w;
    double method;
    double amount;
};

// One polyline of a clothoid: the centre line (lane == nullptr, with its
// normals and labels) or one lane line, stepped from KA to KE through the
// temporary file.
bool drawClothoidPolyline(bool second, const Lane *lane) {
    tempFile = std::fopen(tempFilePath, "w");
    if (!tempFile) {
        std::fprintf(stderr, "baseline: can't open the temporary file\n");
        return false;
    }
    const double a = second ? d.a2 : d.a1;
    const double length = second ? d.length2 : d.length1;
    const double *normals = second ? d.clothoid2Normals : d.clothoid1Normals;
    const char(*labels)[kLabelSize] = second ? d.clothoid2Labels : d.clothoid1Labels;
    const char *layer = lane ? "D-STR" : "D-BMK";
    auto toDrawing = [second](Point p) { return second ? secondFrameToDrawing(p) : p; };

    Point prev{0, lane ? baseY + lane->w * 1000 : baseY};
    double s = d.centerPitch;
    int k = 0, count = 0;
    while (s <= length) {
        bool atNormal = false;
        if (k < kNormalCapacity && normals[k] <= s && normals[k] != 0) {
            s = normals[k];
            atNormal = true;
            ++k;
        }
        Point cur;
        if (lane) {
            cur = lanePoint(a, s, lane->w, lane->method, lane->amount);
            if (second) cur.x = -cur.x;
        } else {
            const Point c = clothoidPoint(a, s);
            cur = {(second ? -c.x : c.x) * 1000, baseY + sigma * c.y * 1000};
            if (atNormal) {
                const double tau = s * s / (2 * a * a);
                writeMark(second, cur, second ? -tau : tau, false, labels[k - 1]);
            }
        }
        ++count;
        writePolylineSegment(toDrawing(prev), toDrawing(cur), count, layer);
        prev = cur;
        if (length - s >= d.centerPitch || s == length) s += d.centerPitch;
        else s = length;
    }
    ++vertexHandle;
    const bool terminated =
        std::fprintf(tempFile, "0\nSEQEND\n5\n%X\n8\nD-BMK\n", vertexHandle) >= 0;
    std::fclose(tempFile);
    tempFile = nullptr;
    if (!terminated) {
        writeError();
        return false;
    }
    if (!appendTempBody()) return false;
    if (!lane) {
        const double tau = length * length / (2 * a * a);
        writeMark(second, prev, second ? -tau : tau, false, "K.E.");
        if (!second) firstKe = prev;
    }
    return true;
}

bool drawClothoid(bool second) {
    writeMark(second, Point{0, baseY}, 0, true, "K.A.");
    if (!drawClothoidPolyline(second, nullptr)) return false;
    for (int i = 0; i < kLaneCapacity && d.left.width[i] != 0; ++i) {
        const Lane lane{d.left.width[i], d.left.method[i], d.left.widening[i]};
        if (!drawClothoidPolyline(second, &lane)) return false;
    }
    for (int i = 0; i < kLaneCapacity && d.right.width[i] != 0; ++i) {
        const Lane lane{-d.right.width[i], d.right.method[i], d.right.widening[i]};
        if (!drawClothoidPolyline(second, &lane)) return false;
    }
    return true;
}

void drawArc() {
    if (!(d.arcAngle > 0)) return;
    const double r = d.radius * 1000;
    const bool left = d.iaRadians > 0;
    const Point o{firstKe.x - r * std::sin(d.tau1),
                  left ? firstKe.y + r * std::cos(d.tau1) : firstKe.y - r * std::cos(d.tau1)};
    const double k = kDegreesPerRadian;
    const double start = left ? d.tau1 * k - 90 : 90 - (d.tau1 + d.arcAngle) * k;
    const double end = left ? (d.tau1 + d.arcAngle) * k - 90 : 90 - d.tau1 * k;
    writeArc(o, r, start, end, "D-BMK");
    auto fullDistance = [](const Side &side, int i) {
        return side.method[i] > 0 ? side.width[i] + side.widening[i] : side.width[i];
    };
    const Side &inside = left ? d.left : d.right;
    const Side &outside = left ? d.right : d.left;
    for (int i = 0; i < kLaneCapacity && inside.width[i] != 0; ++i)
        writeArc(o, (d.radius - fullDistance(inside, i)) * 1000, start, end, "D-STR");
    for (int i = 0; i < kLaneCapacity && outside.width[i] != 0; ++i)
        writeArc(o, (d.radius + fullDistance(outside, i)) * 1000, start, end, "D-STR");
    for (int i = 0; i < kNormalCapacity && d.arcNormals[i] != 0; ++i) {
        const double phi = d.arcNormals[i] / d.radius + d.tau1;
        const Point p{o.x + r * std::sin(phi),
                      left ? o.y - r * std::cos(phi) : o.y + r * std::cos(phi)};
        Point a, b;
        normalEnds(p, phi, false, a, b);
        writeLine(a, b);
        writeLabel(p, phi, d.arcLabels[i]);
    }
}

} // namespace

int baselineSaveDxf(const char *outputPath, const char *paramPath, const char *templatePath,
                    const char *tempPath) {
    if (!readDesign(paramPath)) {
        std::fprintf(stderr, "baseline: can't read the parameter file %s\n", paramPath);
        return 0;
    }
    deriveCurve();
    prepareNormals();
    accumulateLaneOffsets(d.right.width);
    accumulateLaneOffsets(d.left.width);
    computeElements();
    baseY = 297 * d.scale;
    sigma = d.iaRadians < 0 ? -1 : 1;
    tempFilePath = tempPath;

    if (!copyHeaderTemplate(templatePath, outputPath)) return 0;
    outFile = std::fopen(outputPath, "a");
    if (!outFile) {
        std::fprintf(stderr, "baseline: can't reopen the output\n");
        return 0;
    }
    bool ok = drawClothoid(false);
    if (ok) {
        drawArc();
        ok = drawClothoid(true);
    }
    if (ok) {
        const Point ka2 = secondKa();
        const Point ip{d.tangent1 * 1000, baseY};
        writeLine(Point{0, baseY}, ip);
        writeLine(ka2, ip);
        if (std::fprintf(outFile, "0\nENDSEC\n0\nEOF\n") < 0) writeError();
    }
    if (std::fclose(outFile) != 0) ok = false;
    outFile = nullptr;
    return ok ? 1 : 0;
}

} // namespace bench
