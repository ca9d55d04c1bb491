// The Japanese font of the printed sheet (IPAGothic, as the preview draws
// texts, embedded in PDF files): texts measured and drawn at a size given in
// millimetres on a painter that counts in millimetres.
#pragma once

#include <QFont>
#include <QHash>
#include <QPointF>
#include <QString>

#include <vector>

class QPainter;

namespace rovena::route {

class SheetFont {
public:
    SheetFont();

    // The width of text in millimetres at the size em (the font's height in millimetres).
    double width(const QString &text, double em) const;
    // The distance from a line's top to the base line, for a line of the
    // given height with the text centred in it.
    double baseline(double lineHeight, double em) const;

    // Draws text with its base line's left end at origin.
    void draw(QPainter &painter, QPointF origin, const QString &text, double em) const;

    // Draws texts on one base line, each starting at its x, without
    // changing the painter's state for each: a row of a table.
    struct Piece {
        double x;
        const QString *text;
    };
    void drawLine(QPainter &painter, QPointF origin, const std::vector<Piece> &pieces, double em) const;

    const QFont &font() const { return font_; }

private:
    double advance(char32_t c) const;

    QFont font_;  // at the reference size
    double ascent_ = 0, descent_ = 0;
    mutable QHash<char32_t, double> advances_;
};

}  // namespace rovena::route
