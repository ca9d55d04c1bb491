#include "calculation_sheet_document.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace rovena::route {

namespace {

// Where in the sheet a fault lies, for the message: "3 番目の節の 1 番目の表の 12 行目".
struct Place {
    int section = -1, table = -1, row = -1;
    QString text() const {
        QString t;
        if (section >= 0) t += QStringLiteral("%1 番目の節").arg(section + 1);
        if (table >= 0) t += QStringLiteral("の %1 番目の表").arg(table + 1);
        if (row >= 0) t += QStringLiteral("の %1 行目").arg(row + 1);
        return t;
    }
};

class Reader {
public:
    QString error;

    std::optional<CalculationSheetDocument> sheet(const QJsonValue &value) {
        if (!value.isObject()) return fail(Place{}, QStringLiteral("全体がオブジェクトではありません"));
        const QJsonObject o = value.toObject();
        CalculationSheetDocument sheet;
        if (!text(o, "title", Place{}, sheet.title)) return std::nullopt;
        const QJsonValue sections = o.value(QLatin1String("sections"));
        if (!sections.isArray()) return fail(Place{}, QStringLiteral("sections がありません"));
        const QJsonArray list = sections.toArray();
        for (int i = 0; i < list.size(); ++i) {
            std::optional<SheetSection> s = section(list.at(i), Place{i});
            if (!s) return std::nullopt;
            sheet.sections.push_back(std::move(*s));
        }
        return sheet;
    }

private:
    std::nullopt_t fail(const Place &place, const QString &what) {
        const QString where = place.text();
        error = where.isEmpty() ? what : where + QStringLiteral(": ") + what;
        return std::nullopt;
    }

    bool text(const QJsonObject &o, const char *key, const Place &place, QString &out) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString()) {
            fail(place, QStringLiteral("%1 が文字列ではありません").arg(QLatin1String(key)));
            return false;
        }
        out = v.toString();
        return true;
    }

    std::optional<SheetSection> section(const QJsonValue &value, Place place) {
        if (!value.isObject()) return fail(place, QStringLiteral("オブジェクトではありません"));
        const QJsonObject o = value.toObject();
        SheetSection s;
        if (!text(o, "heading", place, s.heading)) return std::nullopt;
        const QJsonValue tables = o.value(QLatin1String("tables"));
        if (!tables.isArray()) return fail(place, QStringLiteral("tables がありません"));
        const QJsonArray list = tables.toArray();
        for (int i = 0; i < list.size(); ++i) {
            place.table = i;
            std::optional<SheetTable> t = table(list.at(i), place);
            if (!t) return std::nullopt;
            s.tables.push_back(std::move(*t));
        }
        return s;
    }

    std::optional<SheetTable> table(const QJsonValue &value, Place place) {
        if (!value.isObject()) return fail(place, QStringLiteral("オブジェクトではありません"));
        const QJsonObject o = value.toObject();
        SheetTable t;
        if (!text(o, "caption", place, t.caption)) return std::nullopt;
        const QJsonValue columns = o.value(QLatin1String("columns"));
        const QJsonValue rows = o.value(QLatin1String("rows"));
        if (!columns.isArray() || columns.toArray().isEmpty())
            return fail(place, QStringLiteral("columns がありません"));
        if (!rows.isArray()) return fail(place, QStringLiteral("rows がありません"));
        for (const QJsonValue &c : columns.toArray()) {
            std::optional<SheetColumn> col = column(c, place);
            if (!col) return std::nullopt;
            t.columns.push_back(std::move(*col));
        }
        const QJsonArray list = rows.toArray();
        t.rows.reserve(static_cast<std::size_t>(list.size()));
        for (int i = 0; i < list.size(); ++i) {
            place.row = i;
            std::optional<QStringList> r = row(list.at(i), t.columns.size(), place);
            if (!r) return std::nullopt;
            t.rows.push_back(std::move(*r));
        }
        return t;
    }

    std::optional<SheetColumn> column(const QJsonValue &value, const Place &place) {
        if (!value.isObject()) return fail(place, QStringLiteral("列がオブジェクトではありません"));
        const QJsonObject o = value.toObject();
        SheetColumn c;
        if (!text(o, "title", place, c.title)) return std::nullopt;
        const QString align = o.value(QLatin1String("align")).toString();
        if (align == QLatin1String("left")) c.alignment = CellAlignment::left;
        else if (align == QLatin1String("right")) c.alignment = CellAlignment::right;
        else return fail(place, QStringLiteral("列「%1」の align が left でも right でもありません").arg(c.title));
        return c;
    }

    std::optional<QStringList> row(const QJsonValue &value, std::size_t columns, const Place &place) {
        if (!value.isArray()) return fail(place, QStringLiteral("行が配列ではありません"));
        const QJsonArray cells = value.toArray();
        if (static_cast<std::size_t>(cells.size()) > columns)
            return fail(place, QStringLiteral("セルが %1 個あり、列の %2 個より多くなっています")
                                   .arg(cells.size())
                                   .arg(columns));
        QStringList out;
        out.reserve(static_cast<qsizetype>(columns));
        for (const QJsonValue &cell : cells) {
            if (!cell.isString()) return fail(place, QStringLiteral("セルが文字列ではありません"));
            out << cell.toString();
        }
        while (static_cast<std::size_t>(out.size()) < columns) out << QString();
        return out;
    }
};

}  // namespace

std::optional<CalculationSheetDocument> readCalculationSheet(const QByteArray &json, QString *error) {
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("線形計算書のデータを読めません（%1 バイト目: %2）。")
                         .arg(parse.offset)
                         .arg(parse.errorString());
        return std::nullopt;
    }
    Reader reader;
    std::optional<CalculationSheetDocument> sheet = reader.sheet(document.isObject() ? QJsonValue(document.object())
                                                                                     : QJsonValue());
    if (!sheet && error) *error = QStringLiteral("線形計算書のデータを読めません（%1）。").arg(reader.error);
    return sheet;
}

std::optional<CalculationSheetDocument> readCalculationSheetFile(const QString &path, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("線形計算書のデータ %1 を開けません（%2）。").arg(path, file.errorString());
        return std::nullopt;
    }
    return readCalculationSheet(file.readAll(), error);
}

QString routeNameOf(const CalculationSheetDocument &sheet) {
    // The library writes （なし） for a route without a name.
    static const QString none = QStringLiteral("（なし）");
    if (sheet.sections.empty() || sheet.sections.front().tables.empty()) return {};
    for (const QStringList &row : sheet.sections.front().tables.front().rows)
        if (row.size() >= 2 && row.at(0) == QStringLiteral("路線名")) return row.at(1) == none ? QString() : row.at(1);
    return {};
}

}  // namespace rovena::route
