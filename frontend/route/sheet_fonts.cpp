#include "sheet_fonts.h"

#include <QFontMetricsF>
#include <QPainter>

namespace rovena::route {

namespace {

// Texts are shaped at this pixel size and scaled to their size on paper.
constexpr double referencePixels = 100.0;

}  // namespace

SheetFont::SheetFont() : font_(QStringLiteral("IPAGothic")) {
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    font_.setHintingPreference(QFont::PreferNoHinting);
    font_.setKerning(false);
    font_.setPixelSize(static_cast<int>(referencePixels));
    const QFontMetricsF metrics(font_);
    ascent_ = metrics.ascent();
    descent_ = metrics.descent();
}

// Advances are summed per character, each measured once: a table of a
// hundred thousand rows is measured in a moment, and a fixed-pitch face has
// no kerning that would make the sum differ from the shaped text.
double SheetFont::advance(char32_t c) const {
    const auto found = advances_.constFind(c);
    if (found != advances_.constEnd()) return *found;
    const double a = QFontMetricsF(font_).horizontalAdvance(QString::fromUcs4(&c, 1));
    advances_.insert(c, a);
    return a;
}

double SheetFont::width(const QString &text, double em) const {
    double sum = 0;
    for (const char32_t c : text.toUcs4()) sum += advance(c);
    return sum * em / referencePixels;
}

double SheetFont::baseline(double lineHeight, double em) const {
    const double k = em / referencePixels;
    return (lineHeight - (ascent_ + descent_) * k) / 2.0 + ascent_ * k;
}

void SheetFont::draw(QPainter &painter, QPointF origin, const QString &text, double em) const {
    if (text.isEmpty()) return;
    painter.save();
    painter.setFont(font_);
    painter.translate(origin);
    const double k = em / referencePixels;
    painter.scale(k, k);
    painter.drawText(QPointF(0.0, 0.0), text);
    painter.restore();
}

void SheetFont::drawLine(QPainter &painter, QPointF origin, const std::vector<Piece> &pieces, double em) const {
    painter.save();
    painter.setFont(font_);
    painter.translate(origin);
    const double k = em / referencePixels;
    painter.scale(k, k);
    for (const Piece &p : pieces)
        if (!p.text->isEmpty()) painter.drawText(QPointF(p.x / k, 0.0), *p.text);
    painter.restore();
}

}  // namespace rovena::route
