#include "sheet_pages.h"

#include <algorithm>

namespace rovena::route {

QRectF PageFrame::body() const {
    const double top = margins.top() + headerHeight;
    return QRectF(margins.left(), top, paper.width() - margins.left() - margins.right(),
                  paper.height() - top - margins.bottom() - footerHeight);
}

QRectF PageFrame::header() const {
    return QRectF(margins.left(), margins.top(), paper.width() - margins.left() - margins.right(), headerHeight);
}

QRectF PageFrame::footer() const {
    return QRectF(margins.left(), paper.height() - margins.bottom() - footerHeight,
                  paper.width() - margins.left() - margins.right(), footerHeight);
}

QString headingLine(const QString &heading, bool continued) {
    return QStringLiteral("■ ") + heading + (continued ? QStringLiteral("（続き）") : QString());
}

QString captionLine(const QString &caption, bool continued) {
    return caption + (continued ? QStringLiteral("（続き）") : QString());
}

QString pageNumberText(int page, int pages) { return QStringLiteral("%1 / %2").arg(page).arg(pages); }

TableColumns tableColumns(const SheetTable &table, const SheetMetrics &metrics, double availableWidth) {
    TableColumns c;
    const std::size_t n = table.columns.size();
    c.width.resize(n);
    for (std::size_t i = 0; i < n; ++i) c.width[i] = metrics.cellWidth(table.columns[i].title);
    for (const QStringList &row : table.rows)
        for (std::size_t i = 0; i < n && i < static_cast<std::size_t>(row.size()); ++i)
            c.width[i] = std::max(c.width[i], metrics.cellWidth(row.at(static_cast<qsizetype>(i))));
    double x = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0) x += metrics.columnGap;
        c.left.push_back(x);
        x += c.width[i];
    }
    c.naturalWidth = x;
    if (x > availableWidth && availableWidth > 0) c.scale = availableWidth / x;
    return c;
}

namespace {

double fittingScale(double width, double available) { return width > available && width > 0 ? available / width : 1.0; }

class Layouter {
public:
    Layouter(const CalculationSheetDocument &sheet, const PageFrame &frame, const SheetMetrics &metrics)
        : sheet_(sheet), metrics_(metrics), body_(frame.body()) {
        layout_.frame = frame;
    }

    SheetLayout run() {
        for (std::size_t s = 0; s < sheet_.sections.size(); ++s) {
            auto &columns = layout_.columns.emplace_back();
            for (const SheetTable &t : sheet_.sections[s].tables)
                columns.push_back(tableColumns(t, metrics_, tableWidth()));
        }
        newPage();
        for (std::size_t s = 0; s < sheet_.sections.size(); ++s) placeSection(static_cast<int>(s));
        return std::move(layout_);
    }

private:
    double tableWidth() const { return body_.width() - metrics_.tableIndent; }
    bool pageEmpty() const { return layout_.pages.back().lines.empty(); }
    double room() const { return body_.bottom() - y_; }
    // A gap is left out at the top of a page.
    double gap(double height) const { return pageEmpty() ? 0.0 : height; }

    void newPage() {
        layout_.pages.emplace_back();
        y_ = body_.top();
    }

    void place(PlacedLine line, double left, double width, double height) {
        line.rect = QRectF(left, y_, width, height);
        y_ += height;
        layout_.pages.back().lines.push_back(line);
    }

    const SheetSection &section(int s) const { return sheet_.sections[static_cast<std::size_t>(s)]; }
    const SheetTable &table(int s, int t) const { return section(s).tables[static_cast<std::size_t>(t)]; }
    const TableColumns &columns(int s, int t) const {
        return layout_.columns[static_cast<std::size_t>(s)][static_cast<std::size_t>(t)];
    }

    double headingHeight(int s, bool continued) const {
        const QString text = headingLine(section(s).heading, continued);
        return metrics_.headingHeight * fittingScale(metrics_.headingWidth(text), body_.width());
    }
    double captionHeight(int s, int t, bool continued) const {
        const QString &caption = table(s, t).caption;
        if (caption.isEmpty()) return 0.0;
        return metrics_.captionHeight *
               fittingScale(metrics_.captionWidth(captionLine(caption, continued)), tableWidth());
    }
    double rowHeight(int s, int t) const { return metrics_.rowHeight * columns(s, t).scale; }

    double wholeHeight(int s, int t) const {
        return captionHeight(s, t, false) + rowHeight(s, t) * (1.0 + static_cast<double>(table(s, t).rows.size()));
    }

    // What must stand on the page where a table starts: a short table whole,
    // of a long one the caption, the titles and the first rows.
    double startHeight(int s, int t) const {
        const double whole = wholeHeight(s, t);
        if (whole <= body_.height() * kWholeTableShare) return whole;
        const int rows = std::min<int>(kRowsWithTitles, static_cast<int>(table(s, t).rows.size()));
        return captionHeight(s, t, false) + rowHeight(s, t) * (1 + rows);
    }

    void placeHeading(int s, bool continued) {
        const QString text = headingLine(section(s).heading, continued);
        const double scale = fittingScale(metrics_.headingWidth(text), body_.width());
        PlacedLine line{LineKind::heading, s, -1, -1, {}, scale, continued};
        place(line, body_.left(), std::min(metrics_.headingWidth(text) * scale, body_.width()),
              metrics_.headingHeight * scale);
    }

    void placeCaption(int s, int t, bool continued) {
        const QString &caption = table(s, t).caption;
        if (caption.isEmpty()) return;
        const QString text = captionLine(caption, continued);
        const double scale = fittingScale(metrics_.captionWidth(text), tableWidth());
        PlacedLine line{LineKind::caption, s, t, -1, {}, scale, continued};
        place(line, body_.left() + metrics_.tableIndent, std::min(metrics_.captionWidth(text) * scale, tableWidth()),
              metrics_.captionHeight * scale);
    }

    void placeTableLine(LineKind kind, int s, int t, int row) {
        const TableColumns &c = columns(s, t);
        PlacedLine line{kind, s, t, row, {}, c.scale, false};
        place(line, body_.left() + metrics_.tableIndent, c.naturalWidth * c.scale, rowHeight(s, t));
    }

    void placeSection(int s) {
        const bool hasTables = !section(s).tables.empty();
        const double need = gap(metrics_.sectionGap) + headingHeight(s, false) + (hasTables ? startHeight(s, 0) : 0.0);
        if (need > room() && !pageEmpty()) newPage();
        y_ += gap(metrics_.sectionGap);
        placeHeading(s, false);
        for (std::size_t t = 0; t < section(s).tables.size(); ++t) placeTable(s, static_cast<int>(t));
    }

    void placeTable(int s, int t) {
        const SheetTable &tab = table(s, t);
        const double rowH = rowHeight(s, t);
        // The first table follows its heading directly, which made room for its start.
        if (t > 0) {
            if (gap(metrics_.tableGap) + startHeight(s, t) > room() && !pageEmpty()) newPage();
            y_ += gap(metrics_.tableGap);
        }
        placeCaption(s, t, false);
        placeTableLine(LineKind::columnTitles, s, t, -1);
        for (std::size_t r = 0; r < tab.rows.size(); ++r) {
            if (rowH > room()) continueOnNewPage(s, t);
            placeTableLine(LineKind::row, s, t, static_cast<int>(r));
        }
    }

    // A new page for the rest of a table: the line naming it and its titles.
    void continueOnNewPage(int s, int t) {
        newPage();
        if (table(s, t).caption.isEmpty()) placeHeading(s, true);
        else placeCaption(s, t, true);
        placeTableLine(LineKind::columnTitles, s, t, -1);
    }

    const CalculationSheetDocument &sheet_;
    const SheetMetrics &metrics_;
    const QRectF body_;
    SheetLayout layout_;
    double y_ = 0;
};

}  // namespace

SheetLayout layOutSheet(const CalculationSheetDocument &sheet, const PageFrame &frame, const SheetMetrics &metrics) {
    return Layouter(sheet, frame, metrics).run();
}

}  // namespace rovena::route
