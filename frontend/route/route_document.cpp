#include "route_document.h"

#include <QStringList>
#include <QUndoCommand>
#include <algorithm>


namespace rovena {

namespace kr = korvane::route;

// One edit of the IP table: the table before and after it, and the row to
// select after each.
class PointsStep : public QUndoCommand {
public:
    PointsStep(RouteDocument &document, std::vector<kr::IpInput> before, std::vector<kr::IpInput> after,
               int rowBefore, int rowAfter, const QString &what)
        : QUndoCommand(what), document_(document), before_(std::move(before)), after_(std::move(after)),
          rowBefore_(rowBefore), rowAfter_(rowAfter) {}
    void redo() override { document_.applyPoints(after_, rowAfter_); }
    void undo() override { document_.applyPoints(before_, rowBefore_); }

private:
    RouteDocument &document_;
    std::vector<kr::IpInput> before_, after_;
    int rowBefore_, rowAfter_;
};

class SettingsStep : public QUndoCommand {
public:
    SettingsStep(RouteDocument &document, kr::RouteSettings before, kr::RouteSettings after)
        : QUndoCommand(QStringLiteral("路線の設定")), document_(document), before_(std::move(before)),
          after_(std::move(after)) {}
    void redo() override { document_.applySettings(after_); }
    void undo() override { document_.applySettings(before_); }

private:
    RouteDocument &document_;
    kr::RouteSettings before_, after_;
};

namespace {

constexpr int kHistorySteps = 500;

kr::PlanePoint between(kr::PlanePoint a, kr::PlanePoint b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

kr::PlanePoint beyond(kr::PlanePoint from, kr::PlanePoint end) { return {2 * end.x - from.x, 2 * end.y - from.y}; }

kr::PlanePoint newPointAt(const std::vector<kr::IpInput> &points, std::size_t row) {
    const std::size_t n = points.size();
    if (n == 0) return {0, 0};
    if (n == 1) return {points[0].point.x + (row == 0 ? -100 : 100), points[0].point.y};
    if (row == 0) return beyond(points[1].point, points[0].point);
    if (row >= n) return beyond(points[n - 2].point, points[n - 1].point);
    return between(points[row - 1].point, points[row].point);
}

// The lines of pasted text and their tab-separated cells; the line end of
// the last line and CR before LF are no part of them.
std::vector<QStringList> pastedLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    std::vector<QStringList> lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) lines.push_back(line.split(QLatin1Char('\t')));
    return lines;
}

bool namesColumns(const QStringList &cells, int column) {
    for (int j = 0; j < cells.size(); ++j)
        if (cells[j].trimmed().compare(ipColumnName(column + j), Qt::CaseInsensitive) != 0) return false;
    return true;
}

} // namespace

RouteDocument::RouteDocument(QObject *parent) : QObject(parent) {
    history_.setUndoLimit(kHistorySteps);
}

void RouteDocument::load(kr::RouteSettings settings, std::vector<kr::IpInput> points) {
    history_.clear();
    settings_ = std::move(settings);
    table_.setPoints(std::move(points));
    emit settingsChanged();
    emit changed();
}

void RouteDocument::applyPoints(const std::vector<kr::IpInput> &points, int row) {
    table_.setPoints(points);
    emit changed();
    if (row >= 0) emit rowChosen(std::min(row, table_.rowCount() - 1));
}

void RouteDocument::applySettings(const kr::RouteSettings &settings) {
    settings_ = settings;
    emit settingsChanged();
    emit changed();
}

void RouteDocument::pushPoints(std::vector<kr::IpInput> after, int rowAfter, int rowBefore, const QString &what) {
    history_.push(new PointsStep(*this, points(), std::move(after), rowBefore, rowAfter, what));
}

void RouteDocument::editPoint(int row, const kr::IpInput &point) {
    if (row < 0 || row >= table_.rowCount() || points()[static_cast<std::size_t>(row)] == point) return;
    std::vector<kr::IpInput> after = points();
    after[static_cast<std::size_t>(row)] = point;
    pushPoints(std::move(after), row, row, QStringLiteral("セルの変更"));
}

void RouteDocument::insertPoint(int row) {
    row = std::clamp(row, 0, table_.rowCount());
    std::vector<kr::IpInput> after = points();
    kr::IpInput point;
    point.point = newPointAt(after, static_cast<std::size_t>(row));
    after.insert(after.begin() + row, point);
    pushPoints(std::move(after), row, row, QStringLiteral("行の挿入"));
}

void RouteDocument::removePoints(int first, int count) {
    first = std::max(first, 0);
    count = std::min(count, table_.rowCount() - first);
    if (count <= 0) return;
    std::vector<kr::IpInput> after = points();
    after.erase(after.begin() + first, after.begin() + first + count);
    pushPoints(std::move(after), first, first, QStringLiteral("行の削除"));
}

void RouteDocument::movePoint(int row, int offset) {
    const int other = row + offset;
    if (row < 0 || other < 0 || row >= table_.rowCount() || other >= table_.rowCount() || offset == 0) return;
    std::vector<kr::IpInput> after = points();
    std::swap(after[static_cast<std::size_t>(row)], after[static_cast<std::size_t>(other)]);
    pushPoints(std::move(after), other, row, QStringLiteral("行の移動"));
}

bool RouteDocument::paste(int row, int column, const QString &text, QString &problem) {
    std::vector<QStringList> lines = pastedLines(text);
    if (!lines.empty() && namesColumns(lines.front(), column)) lines.erase(lines.begin());
    if (lines.empty() || (lines.size() == 1 && lines.front().join(QString()).trimmed().isEmpty())) {
        problem = QStringLiteral("貼り付けるものがありません。");
        return false;
    }
    row = std::clamp(row, 0, table_.rowCount());
    column = std::clamp(column, 0, static_cast<int>(EditableColumns) - 1);
    std::vector<kr::IpInput> after = points();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QStringList &cells = lines[i];
        const int target = row + static_cast<int>(i);
        const QString where = QStringLiteral("貼り付けの %1 行目（IP 表 %2 行目）").arg(i + 1).arg(target + 1);
        if (column + cells.size() > EditableColumns) {
            problem = where + QStringLiteral("の列が多すぎます（LC 列より右には貼り付けられません）。");
            return false;
        }
        const bool added = target >= static_cast<int>(after.size());
        if (added && (column > XColumn || column + cells.size() <= YColumn)) {
            problem = where + QStringLiteral(": 表の後ろに足す行には X と Y が要ります。");
            return false;
        }
        if (added) after.emplace_back();
        kr::IpInput &point = after[static_cast<std::size_t>(target)];
        for (int j = 0; j < cells.size(); ++j) {
            QString cellProblem;
            if (!readIpCell(point, column + j, cells[j], cellProblem)) {
                problem = where + cellProblem;
                return false;
            }
        }
    }
    pushPoints(std::move(after), row, row, QStringLiteral("貼り付け"));
    return true;
}

void RouteDocument::replacePoints(std::vector<kr::IpInput> points) {
    pushPoints(std::move(points), 0, 0, QStringLiteral("IP 表の読み込み"));
}

void RouteDocument::setSettings(const kr::RouteSettings &settings) {
    if (settings == settings_) return;
    history_.push(new SettingsStep(*this, settings_, settings));
}

} // namespace rovena
