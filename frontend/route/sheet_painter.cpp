#include "sheet_painter.h"

#include <QPainter>
#include <QPen>

namespace rovena::route {

namespace {

// The header's rule lies this far below the header's top; its texts stand above it.
constexpr double headerRuleDrop = 7.0;

}  // namespace

SheetMetrics sheetMetrics(const SheetFont &font, const SheetStyle &style) {
    SheetMetrics m;
    m.headingHeight = style.headingEm * style.lineSpacing;
    m.captionHeight = style.captionEm * style.lineSpacing;
    m.rowHeight = style.bodyEm * style.lineSpacing;
    m.columnGap = style.bodyEm;  // two half-width characters, as the text form sets its columns apart
    m.tableIndent = style.bodyEm;
    m.sectionGap = style.bodyEm * style.lineSpacing;
    m.tableGap = style.bodyEm * style.lineSpacing * 0.5;
    const double heading = style.headingEm, caption = style.captionEm, body = style.bodyEm;
    m.headingWidth = [&font, heading](const QString &t) { return font.width(t, heading); };
    m.captionWidth = [&font, caption](const QString &t) { return font.width(t, caption); };
    m.cellWidth = [&font, body](const QString &t) { return font.width(t, body); };
    return m;
}

SheetPainter::SheetPainter(const CalculationSheetDocument &sheet, const SheetLayout &layout, const QString &routeName,
                           const SheetFont &font, const SheetStyle &style)
    : sheet_(sheet), layout_(layout), routeName_(routeName), font_(font), style_(style) {}

void SheetPainter::paintPage(QPainter &painter, int page) const {
    painter.setPen(Qt::black);
    paintHeader(painter);
    paintFooter(painter, page);
    const std::vector<PlacedLine> &lines = layout_.pages[static_cast<std::size_t>(page)].lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PlacedLine &line = lines[i];
        paintLine(painter, line);
        if (line.kind != LineKind::columnTitles && line.kind != LineKind::row) continue;
        // A rule under the titles, and under a table's last line on the page.
        const bool last = i + 1 == lines.size() || lines[i + 1].kind != LineKind::row ||
                          lines[i + 1].section != line.section || lines[i + 1].table != line.table;
        if (line.kind == LineKind::columnTitles || last)
            rule(painter, line.rect.left(), line.rect.right(), line.rect.bottom(), style_.ruleWidth * line.scale);
    }
}

void SheetPainter::paintHeader(QPainter &painter) const {
    const QRectF h = layout_.frame.header();
    const double em = style_.headerEm;
    const double base = h.top() + headerRuleDrop - em * 0.45;
    font_.draw(painter, QPointF(h.left(), base), sheet_.title, em);
    font_.draw(painter, QPointF(h.right() - font_.width(routeName_, em), base), routeName_, em);
    rule(painter, h.left(), h.right(), h.top() + headerRuleDrop, style_.ruleWidth);
}

void SheetPainter::paintFooter(QPainter &painter, int page) const {
    const QRectF f = layout_.frame.footer();
    const double em = style_.footerEm;
    const QString text = pageNumberText(page + 1, static_cast<int>(layout_.pages.size()));
    const double lineHeight = em * style_.lineSpacing;
    font_.draw(painter, QPointF(f.center().x() - font_.width(text, em) / 2.0, f.bottom() - lineHeight + font_.baseline(lineHeight, em)),
               text, em);
}

void SheetPainter::paintLine(QPainter &painter, const PlacedLine &line) const {
    const SheetSection &section = sheet_.sections[static_cast<std::size_t>(line.section)];
    switch (line.kind) {
    case LineKind::heading: {
        const double em = style_.headingEm * line.scale;
        font_.draw(painter, QPointF(line.rect.left(), line.rect.top() + font_.baseline(line.rect.height(), em)),
                   headingLine(section.heading, line.continued), em);
        return;
    }
    case LineKind::caption: {
        const double em = style_.captionEm * line.scale;
        const QString &caption = section.tables[static_cast<std::size_t>(line.table)].caption;
        font_.draw(painter, QPointF(line.rect.left(), line.rect.top() + font_.baseline(line.rect.height(), em)),
                   captionLine(caption, line.continued), em);
        return;
    }
    case LineKind::columnTitles: {
        QStringList titles;
        for (const SheetColumn &c : section.tables[static_cast<std::size_t>(line.table)].columns) titles << c.title;
        paintCells(painter, line, titles);
        return;
    }
    case LineKind::row:
        paintCells(painter, line,
                   section.tables[static_cast<std::size_t>(line.table)].rows[static_cast<std::size_t>(line.row)]);
        return;
    }
}

// The cells at full size in the table's own frame, scaled as the table is.
void SheetPainter::paintCells(QPainter &painter, const PlacedLine &line, const QStringList &cells) const {
    const SheetTable &table =
        sheet_.sections[static_cast<std::size_t>(line.section)].tables[static_cast<std::size_t>(line.table)];
    const TableColumns &c = layout_.columnsOf(line);
    const double em = style_.bodyEm;
    const double base = font_.baseline(line.rect.height() / line.scale, em);
    std::vector<SheetFont::Piece> pieces;
    pieces.reserve(table.columns.size());
    for (std::size_t i = 0; i < table.columns.size() && i < static_cast<std::size_t>(cells.size()); ++i) {
        const QString &text = cells.at(static_cast<qsizetype>(i));
        double x = c.left[i];
        if (table.columns[i].alignment == CellAlignment::right) x += c.width[i] - font_.width(text, em);
        pieces.push_back({x * line.scale, &text});
    }
    font_.drawLine(painter, QPointF(line.rect.left(), line.rect.top() + base * line.scale), pieces, em * line.scale);
}

void SheetPainter::rule(QPainter &painter, double left, double right, double y, double width) const {
    QPen pen(Qt::black);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    painter.save();
    painter.setPen(pen);
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    painter.restore();
}

}  // namespace rovena::route
