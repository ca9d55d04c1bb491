#include "ip_table_model.h"

#include <QBrush>
#include <QPalette>

#include "route/number_text.h"

namespace rovena {

namespace kr = korvane::route;

IpTableModel::IpTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void IpTableModel::setPoints(std::vector<kr::IpInput> points) {
    if (points.size() != points_.size()) {
        beginResetModel();
        points_ = std::move(points);
        endResetModel();
        return;
    }
    int first = -1, last = -1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i] == points_[i]) continue;
        if (first < 0) first = static_cast<int>(i);
        last = static_cast<int>(i);
    }
    points_ = std::move(points);
    // Names by position (BP, IPk, EP) follow the rows.
    if (first >= 0) emit dataChanged(index(first, 0), index(last, IpColumnCount - 1));
}

void IpTableModel::setResults(std::vector<kr::RouteIp> results) {
    results_ = std::move(results);
    if (rowCount() > 0) emit dataChanged(index(0, IaColumn), index(rowCount() - 1, TurnColumn));
}

void IpTableModel::setEditHandlers(std::function<void(int, const kr::IpInput &)> editPoint,
                                   std::function<void(const QString &)> refuse) {
    editPoint_ = std::move(editPoint);
    refuse_ = std::move(refuse);
}

QString IpTableModel::rowName(int row) const {
    return QString::fromStdString(kr::pointName(points_, static_cast<std::size_t>(row)));
}

int IpTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

int IpTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : IpColumnCount; }

QString IpTableModel::derivedText(int row, int column) const {
    if (isEndRow(row)) return {};
    if (column == KindColumn)
        return QString::fromUtf8(kr::curveKindName(kr::curveKind(points_[static_cast<std::size_t>(row)].curve)));
    if (results_.size() != points_.size()) return {};
    const kr::RouteIp &result = results_[static_cast<std::size_t>(row)];
    if (column == IaColumn) return result.turn == 0 ? QString() : QString::fromStdString(kr::angleText(result.ia));
    return QString::fromUtf8(kr::turnName(result.turn));
}

QVariant IpTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int row = index.row(), column = index.column();
    const kr::IpInput &point = points_[static_cast<std::size_t>(row)];
    const bool unnamed = column == NameColumn && point.name.empty();
    switch (role) {
    case Qt::DisplayRole:
        if (unnamed) return rowName(row);
        return column < EditableColumns ? ipCellText(point, column) : derivedText(row, column);
    case Qt::EditRole:
        return column < EditableColumns ? ipCellText(point, column) : QVariant();
    case Qt::TextAlignmentRole:
        return column == NameColumn || column == KindColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        // A name by position and the values that follow are not typed.
        if (unnamed || column >= EditableColumns) return QBrush(QPalette().color(QPalette::PlaceholderText));
        return {};
    default:
        return {};
    }
}

QVariant IpTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    switch (section) {
    case KindColumn: return QStringLiteral("種別");
    case IaColumn: return QStringLiteral("IA");
    case TurnColumn: return QStringLiteral("左右");
    default: return ipColumnName(section);
    }
}

Qt::ItemFlags IpTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return index.column() < EditableColumns ? flags | Qt::ItemIsEditable : flags;
}

bool IpTableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() >= EditableColumns) return false;
    const int row = index.row();
    kr::IpInput point = points_[static_cast<std::size_t>(row)];
    const QString text = value.toString();
    if (text == ipCellText(point, index.column())) return true;
    QString problem;
    if (!readIpCell(point, index.column(), text, problem)) {
        if (refuse_) refuse_(QStringLiteral("IP 表 %1 行目（%2）%3").arg(row + 1).arg(rowName(row), problem));
        return false;
    }
    if (editPoint_) editPoint_(row, point);
    return true;
}

} // namespace rovena
