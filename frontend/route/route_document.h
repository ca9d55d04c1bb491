// The route the route window edits: its settings and its IP table, with the
// history of every edit for 元に戻す and やり直し. Each edit is one step of
// the history; opening a route starts a new history.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <vector>

#include "ip_table_model.h"
#include "route/loaded_route.h"

namespace rovena {

class RouteDocument : public QObject {
    Q_OBJECT

public:
    explicit RouteDocument(QObject *parent = nullptr);

    IpTableModel &table() { return table_; }
    QUndoStack &history() { return history_; }
    const korvane::route::RouteSettings &settings() const { return settings_; }
    const std::vector<korvane::route::IpInput> &points() const { return table_.points(); }

    // Everything replaced, the history forgotten (a route opened or new).
    void load(korvane::route::RouteSettings settings, std::vector<korvane::route::IpInput> points);

    // The edits, each one step of the history.
    void editPoint(int row, const korvane::route::IpInput &point);
    // A point before row (at the end for the row count): halfway along the
    // leg it splits, or one leg's length beyond the end it extends.
    void insertPoint(int row);
    void removePoints(int first, int count);
    // The row swapped with the one above (offset −1) or below (+1).
    void movePoint(int row, int offset);
    // Tab-separated rows of a spreadsheet, in the column order of the IP
    // table, put from the cell at row and column on (rows past the end are
    // added; a first line of column names is left out). False, with the
    // reason naming the pasted line, the table's row and the column, when
    // a cell cannot be read: then nothing changes.
    bool paste(int row, int column, const QString &text, QString &problem);
    // A whole new IP table (one read from a CSV file), keeping the settings.
    void replacePoints(std::vector<korvane::route::IpInput> points);
    void setSettings(const korvane::route::RouteSettings &settings);

signals:
    // The settings or the table changed: by an edit, its undoing or redoing, or a load.
    void changed();
    void settingsChanged();
    // The row an edit (or its undoing) concerns, for the view to select.
    void rowChosen(int row);

private:
    friend class PointsStep;
    friend class SettingsStep;
    void applyPoints(const std::vector<korvane::route::IpInput> &points, int row);
    void applySettings(const korvane::route::RouteSettings &settings);
    void pushPoints(std::vector<korvane::route::IpInput> after, int rowAfter, int rowBefore, const QString &what);

    IpTableModel table_;
    korvane::route::RouteSettings settings_;
    QUndoStack history_;
};

} // namespace rovena
