// The sheet's pages laid out with measures simple enough to count by hand:
// every line within its page's body and never cut, every row once and in
// order, titles repeated where a table goes on, no heading or titles left
// without rows at a page's foot, short tables kept whole, wide tables
// shrunk to the body, columns as wide as their widest cell.
#include <QtTest>

#include "sheet_pages.h"

using namespace rovena::route;

namespace {

// A body of 80 x 100 mm; headings 8 mm, captions 6 mm, rows 5 mm; a
// character is 1 mm wide in headings and captions, 2 mm in cells.
PageFrame smallFrame() {
    PageFrame f;
    f.paper = QSizeF(100.0, 140.0);
    f.margins = QMarginsF(10.0, 10.0, 10.0, 10.0);
    f.headerHeight = 10.0;
    f.footerHeight = 10.0;
    return f;
}

SheetMetrics countedMetrics() {
    SheetMetrics m;
    m.headingHeight = 8.0;
    m.captionHeight = 6.0;
    m.rowHeight = 5.0;
    m.columnGap = 2.0;
    m.tableIndent = 3.0;
    m.sectionGap = 4.0;
    m.tableGap = 2.0;
    m.headingWidth = [](const QString &t) { return double(t.size()); };
    m.captionWidth = [](const QString &t) { return double(t.size()); };
    m.cellWidth = [](const QString &t) { return 2.0 * double(t.size()); };
    return m;
}

SheetTable numberedTable(const QString &caption, int rows, int cellLength = 3) {
    SheetTable t{caption, {{"A", CellAlignment::left}, {"B", CellAlignment::right}}, {}};
    for (int r = 0; r < rows; ++r)
        t.rows.push_back({QString::number(r), QString(cellLength, QLatin1Char('9'))});
    return t;
}

CalculationSheetDocument sheetOf(std::vector<SheetSection> sections) { return {"線形計算書", std::move(sections)}; }

struct RowPlace {
    int page;
    PlacedLine line;
};

// Every row of every table in order of placing.
std::vector<RowPlace> rowsOf(const SheetLayout &layout) {
    std::vector<RowPlace> rows;
    for (std::size_t p = 0; p < layout.pages.size(); ++p)
        for (const PlacedLine &l : layout.pages[p].lines)
            if (l.kind == LineKind::row) rows.push_back({int(p), l});
    return rows;
}

std::vector<int> rowsPerPage(const SheetLayout &layout) {
    std::vector<int> n(layout.pages.size(), 0);
    for (const RowPlace &r : rowsOf(layout)) ++n[std::size_t(r.page)];
    return n;
}

// The rules every layout keeps, whatever the sheet.
void checkRules(const CalculationSheetDocument &sheet, const SheetLayout &layout) {
    const QRectF body = layout.frame.body().adjusted(-1e-9, -1e-9, 1e-9, 1e-9);
    for (std::size_t p = 0; p < layout.pages.size(); ++p) {
        const std::vector<PlacedLine> &lines = layout.pages[p].lines;
        QVERIFY2(!lines.empty(), "an empty page");
        double y = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const PlacedLine &l = lines[i];
            QVERIFY2(body.contains(l.rect), qPrintable(QStringLiteral("page %1 line %2 leaves the body").arg(p).arg(i)));
            QVERIFY(l.rect.top() >= y - 1e-9);  // lines never overlap
            y = l.rect.bottom();
            // A row's table has its titles above it on the same page.
            if (l.kind == LineKind::row) {
                auto titles = std::find_if(lines.begin(), lines.begin() + long(i), [&](const PlacedLine &o) {
                    return o.kind == LineKind::columnTitles && o.section == l.section && o.table == l.table;
                });
                QVERIFY2(titles != lines.begin() + long(i), "a row without its titles on the page");
            }
            // Titles are followed on their page by the table's first rows (or all of them).
            if (l.kind == LineKind::columnTitles) {
                const SheetTable &t = sheet.sections[std::size_t(l.section)].tables[std::size_t(l.table)];
                int following = 0;
                for (std::size_t j = i + 1; j < lines.size() && lines[j].kind == LineKind::row; ++j) ++following;
                const bool continued = i > 0 && lines[i - 1].continued;
                if (!continued) QVERIFY(following >= std::min<int>(kRowsWithTitles, int(t.rows.size())));
                else QVERIFY(following >= 1);
            }
            // A heading never ends a page when its section has tables.
            if (l.kind == LineKind::heading && !sheet.sections[std::size_t(l.section)].tables.empty())
                QVERIFY2(i + 1 < lines.size(), "a heading at the foot of a page");
        }
    }
    // Every row once, in order.
    const std::vector<RowPlace> rows = rowsOf(layout);
    std::size_t k = 0;
    for (std::size_t s = 0; s < sheet.sections.size(); ++s)
        for (std::size_t t = 0; t < sheet.sections[s].tables.size(); ++t)
            for (std::size_t r = 0; r < sheet.sections[s].tables[t].rows.size(); ++r, ++k) {
                QVERIFY(k < rows.size());
                QCOMPARE(rows[k].line.section, int(s));
                QCOMPARE(rows[k].line.table, int(t));
                QCOMPARE(rows[k].line.row, int(r));
            }
    QCOMPARE(rows.size(), k);
}

} // namespace

class SheetPagesTest : public QObject {
    Q_OBJECT

private slots:
    void rulesHold_data() {
        QTest::addColumn<int>("sectionCount");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("captions");
        QTest::addColumn<double>("paperHeight");
        for (const int rows : {0, 1, 2, 3, 4, 17, 18, 35, 1000})
            for (const bool captions : {false, true})
                QTest::addRow("%d rows%s", rows, captions ? " captioned" : "") << 3 << rows << captions << 140.0;
        QTest::newRow("a short body") << 2 << 40 << true << 80.0;
        QTest::newRow("A4") << 4 << 3000 << true << 297.0;
    }
    void rulesHold() {
        QFETCH(int, sectionCount);
        QFETCH(int, rows);
        QFETCH(bool, captions);
        QFETCH(double, paperHeight);
        std::vector<SheetSection> sections;
        for (int s = 0; s < sectionCount; ++s) {
            SheetSection section{QStringLiteral("節%1").arg(s), {}};
            for (int t = 0; t < 3; ++t)
                section.tables.push_back(numberedTable(captions ? QStringLiteral("表%1").arg(t) : QString(), rows + t * 5));
            sections.push_back(section);
        }
        const CalculationSheetDocument sheet = sheetOf(sections);
        PageFrame frame = smallFrame();
        frame.paper.setHeight(paperHeight);
        const SheetLayout layout = layOutSheet(sheet, frame, countedMetrics());
        checkRules(sheet, layout);
    }

    // 50 rows under a heading in a body of 100 mm: 8 + 5 + 17 x 5 on the
    // first page, the continued heading, titles and 17 rows on the second,
    // the last 16 on the third.
    void longTableGoesOnWithItsTitles() {
        const CalculationSheetDocument sheet = sheetOf({{QStringLiteral("主要点・測点"), {numberedTable({}, 50)}}});
        const SheetLayout layout = layOutSheet(sheet, smallFrame(), countedMetrics());
        QCOMPARE(rowsPerPage(layout), (std::vector<int>{17, 17, 16}));
        for (std::size_t p = 1; p < 3; ++p) {
            const std::vector<PlacedLine> &lines = layout.pages[p].lines;
            QCOMPARE(lines[0].kind, LineKind::heading);
            QVERIFY(lines[0].continued);
            QCOMPARE(lines[1].kind, LineKind::columnTitles);
            QCOMPARE(lines[1].rect.top(), 20.0 + 8.0);
            QCOMPARE(lines[2].row, p == 1 ? 17 : 34);
        }
        QCOMPARE(headingLine(sheet.sections[0].heading, true), QStringLiteral("■ 主要点・測点（続き）"));
        QCOMPARE(pageNumberText(2, 3), QStringLiteral("2 / 3"));
    }

    // A captioned table goes on under its caption, marked, not under the heading.
    void captionNamesTheContinuedTable() {
        const CalculationSheetDocument sheet = sheetOf({{QStringLiteral("曲線要素"), {numberedTable("IP1", 30)}}});
        const SheetLayout layout = layOutSheet(sheet, smallFrame(), countedMetrics());
        QCOMPARE(layout.pages.size(), std::size_t(2));
        const PlacedLine &first = layout.pages[1].lines[0];
        QCOMPARE(first.kind, LineKind::caption);
        QVERIFY(first.continued);
        // 8 + 6 + 5 + 16 x 5 = 99 on the first page.
        QCOMPARE(rowsPerPage(layout), (std::vector<int>{16, 14}));
    }

    // After 15 rows (8 + 5 + 75 = 88 mm) a section of a long table needs
    // 4 + 8 + 5 + 3 x 5 = 32 mm: it starts on the next page. After 8 rows
    // (8 + 5 + 40 = 53 mm) a short table (6 + 5 x 8 = 46 mm, under half the
    // body) has room for its start but not for all of it: it moves whole.
    void startsWithoutOrphansAndKeepsShortTablesWhole() {
        const CalculationSheetDocument sheet = sheetOf({{QStringLiteral("一"), {numberedTable({}, 15)}},
                                                        {QStringLiteral("二"), {numberedTable({}, 40)}}});
        const SheetLayout layout = layOutSheet(sheet, smallFrame(), countedMetrics());
        QCOMPARE(layout.pages[1].lines[0].kind, LineKind::heading);
        QCOMPARE(layout.pages[1].lines[0].section, 1);
        QVERIFY(!layout.pages[1].lines[0].continued);

        const CalculationSheetDocument small =
            sheetOf({{QStringLiteral("一"), {numberedTable({}, 8), numberedTable("IP1", 7)}}});
        const SheetLayout kept = layOutSheet(small, smallFrame(), countedMetrics());
        QCOMPARE(rowsPerPage(kept), (std::vector<int>{8, 7}));
        QCOMPARE(kept.pages[1].lines[0].kind, LineKind::caption);
        QVERIFY(!kept.pages[1].lines[0].continued);
    }

    // Columns: the widest cell or title; a table wider than the 77 mm left
    // of the indent is shrunk to it, rows and all.
    void columnsFitTheirCellsAndWideTablesShrink() {
        SheetTable t = numberedTable({}, 3, 10);  // widths 2 x max(1, 1) = 2 and 2 x 10 = 20
        TableColumns c = tableColumns(t, countedMetrics(), 77.0);
        QCOMPARE(c.width, (std::vector<double>{2.0, 20.0}));
        QCOMPARE(c.left, (std::vector<double>{0.0, 4.0}));
        QCOMPARE(c.scale, 1.0);

        const CalculationSheetDocument sheet = sheetOf({{QStringLiteral("照査"), {numberedTable({}, 40, 52)}}});
        const SheetLayout layout = layOutSheet(sheet, smallFrame(), countedMetrics());
        const double natural = 4.0 + 2.0 + 104.0;  // "39", the gap, 52 nines
        QCOMPARE(layout.columns[0][0].naturalWidth, natural);
        const double scale = 77.0 / natural;
        QCOMPARE(layout.columns[0][0].scale, scale);
        const PlacedLine &row = layout.pages[0].lines[2];
        QCOMPARE(row.kind, LineKind::row);
        QCOMPARE(row.rect.width(), 77.0);
        QCOMPARE(row.rect.height(), 5.0 * scale);
        QCOMPARE(row.rect.left(), 13.0);
        checkRules(sheet, layout);
    }
};

QTEST_GUILESS_MAIN(SheetPagesTest)
#include "sheet_pages_test.moc"
