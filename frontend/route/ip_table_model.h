// The IP table of the route window as a table model: one row per point from
// BP to EP, the columns of the IP table (CSV) that one types into, and three
// that follow from them: the kind of curve the filled cells make, and the IA
// with its side (左/右) as the last computation derived them from the
// coordinates. The model shows the table; every change comes from the route
// document (route_document.h), which keeps the undo history.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "ip_cells.h"
#include "route/ip_method.h"

namespace rovena {

// The columns after the editable ones (ip_cells.h).
enum DerivedColumn { KindColumn = EditableColumns, IaColumn, TurnColumn, IpColumnCount };

class IpTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit IpTableModel(QObject *parent = nullptr);

    const std::vector<korvane::route::IpInput> &points() const { return points_; }
    // The whole table: rows that changed are announced as changed, a table
    // of another length as reset.
    void setPoints(std::vector<korvane::route::IpInput> points);
    // The per-point values of the last computation (one per row; others
    // are not shown).
    void setResults(std::vector<korvane::route::RouteIp> results);

    // A typed cell that reads goes to editPoint as the row's new point; one
    // that does not goes to refuse with the reason (named by row and column).
    void setEditHandlers(std::function<void(int, const korvane::route::IpInput &)> editPoint,
                         std::function<void(const QString &)> refuse);

    // The row's name as the table shows it: its own, else BP, IPk, EP.
    QString rowName(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    QString derivedText(int row, int column) const;
    bool isEndRow(int row) const { return row == 0 || row + 1 == static_cast<int>(points_.size()); }

    std::vector<korvane::route::IpInput> points_;
    std::vector<korvane::route::RouteIp> results_;
    std::function<void(int, const korvane::route::IpInput &)> editPoint_;
    std::function<void(const QString &)> refuse_;
};

} // namespace rovena
