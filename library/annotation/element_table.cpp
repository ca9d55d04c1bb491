// The block of text in the drawing's upper left corner: the curve elements of
// both clothoids side by side, the stationing inputs and the lane data.
//
// Labels are turned into cp932 before they are formatted, so that a field
// width counts bytes as the drawing's readers count them (a full-width
// character takes two).
#include "annotation/element_table.h"

#include <cstddef>
#include <cstdio>

#include "params/cp932.h"

namespace korvane {

namespace {

// Room for any value of "%.3f" (up to 309 integer digits, sign, point,
// decimals) and its separating blank.
constexpr std::size_t kValueCapacity = 330;
constexpr std::size_t kLabelBytes = 256;
constexpr std::size_t kLineCapacity = kLaneCapacity * kValueCapacity + kLabelBytes;

// The text lines of one drawing, written one after another downwards.
class TextBlock {
public:
    TextBlock(DxfWriter &dxf, double scale) : dxf_(dxf), scale_(scale), y_(594.0 * scale) {}

    // Formats one line into the block's buffer and writes it as a TEXT.
    template <typename... Args> void line(const char *format, Args... args) {
        std::snprintf(text_, sizeof text_, format, args...);
        emit();
    }

    // A value line: first the first value, then " " and each further value.
    void values(const double *list, std::size_t count, const char *first, const char *further) {
        std::size_t used = 0;
        for (std::size_t i = 0; i < count && used < sizeof text_; ++i) {
            const int n =
                std::snprintf(text_ + used, sizeof text_ - used, i == 0 ? first : further, list[i]);
            if (n < 0) break;
            used += static_cast<std::size_t>(n);
        }
        if (count == 0) text_[0] = '\0';
        emit();
    }

private:
    void emit() {
        dxf_.writeText(0.0, y_, 4.0 * scale_, 0.0, text_);
        y_ -= 7.0 * scale_;
    }

    DxfWriter &dxf_;
    double scale_;
    double y_;
    char text_[kLineCapacity];
};

// A label or format given in UTF-8, in cp932.
class Cp932 {
public:
    explicit Cp932(const char *utf8) { toCp932(utf8, bytes_, sizeof bytes_); }
    const char *c_str() const { return bytes_; }

private:
    char bytes_[kLabelBytes];
};

void writePair(TextBlock &block, const char *label, double first, double second) {
    block.line("%6s%10.3f%10.3f", Cp932(label).c_str(), first, second);
}

void writeSingle(TextBlock &block, const char *label, double value) {
    block.line("%6s%15.3f", Cp932(label).c_str(), value);
}

const char *directionText(char direction) {
    if (direction == 'R' || direction == 'r') return "(右から左に進む)";
    if (direction == 'L' || direction == 'l') return "(左から右に進む)";
    return "エラー";
}

void writeLaneBlock(TextBlock &block, const char *headingFormat, const char *heading,
                    const double *widths, const double *methods, const double *amounts) {
    std::size_t count = 1;
    while (count < kLaneCapacity && widths[count] != 0) ++count;
    block.line(headingFormat, Cp932(heading).c_str());
    block.values(widths, count, "%.3f", " %.3f");
    block.line("    %s", Cp932("各線の拡幅方法 0or1or2 (0拡幅無し 1方法１  2方法２)").c_str());
    block.values(methods, count, "%.0f", " %.0f");
    block.line("    %s", Cp932("各線の拡幅量").c_str());
    block.values(amounts, count, "%.3f", " %.3f");
}

} // namespace

void writeElementTable(DrawingRun &run) {
    const DesignRecord &design = run.design();
    const CurveElements &e = design.elements;
    TextBlock block(run.dxf(), design.scale);
    block.line("%26s", Cp932("       左側曲線   右側曲線").c_str());
    block.line(Cp932("%6s%+4.0f゜%2.0f'%8.5f\"").c_str(), Cp932("ＩＡ").c_str(), design.iaDegrees,
               design.iaMinutes, design.iaSeconds);
    writePair(block, "Ａ", design.a1, design.a2);
    writePair(block, "Ｒ", design.radius, design.radius);
    writePair(block, "Ｌ", e.length1, e.length2);
    writePair(block, "⊿Ｒ", e.shift1, e.shift2);
    writePair(block, "ＸM", e.xm1, e.xm2);
    writePair(block, "Ｘ", e.x1, e.x2);
    writePair(block, "Ｙ", e.y1, e.y2);
    writeSingle(block, "Ｌc", e.arcLength);
    writeSingle(block, "ＣＬ", e.curveLength());
    writePair(block, "Ｔc", e.tangent1, e.tangent2);
    writeSingle(block, "Ｗ", e.tangentW);
    block.line("%s  %.4fm", Cp932("ｾﾝﾀｰでの計算ピッチ").c_str(), design.centerPitch);
    const char direction = design.stationDirection[0];
    block.line("%s  %c  %s", Cp932("測点の方向").c_str(), direction,
               Cp932(directionText(direction)).c_str());
    block.line("%s  %.4fm", Cp932("測点ピッチ").c_str(), design.stationPitch);
    block.line("%s  NO.%.0f+%.4f", Cp932("Ｋ.Ａ.位置の測点").c_str(), design.kaStationNo,
               design.kaStationPlus);

    if (design.rightWidth[0] != 0)
        writeLaneBlock(block, "%s", "ｾﾝﾀｰから右側の線までの距離(各線の位置)", design.rightWidth,
                       design.rightMethod, design.rightWidening);
    if (design.leftWidth[0] != 0)
        writeLaneBlock(block, "%26s", "ｾﾝﾀｰから左側の線までの距離(各線の位置)", design.leftWidth,
                       design.leftMethod, design.leftWidening);
}

} // namespace korvane
