#include "route/ip_table_csv.h"

#include <array>
#include <optional>

#include "route/csv_text.h"
#include "route/text_input.h"

namespace korvane::route {

namespace {

enum class Column { Name, X, Y, A1, R, A2, R2, AM, LC };

constexpr std::array<const char *, 9> kColumnNames = {"点名", "X", "Y", "A1", "R", "A2", "R2", "AM", "LC"};

// A header cell with its full-width Latin letters (Ａ..Ｚ, ａ..ｚ: EF BC A1..BA,
// EF BD 81..9A) as ASCII capitals, its full-width digits as ASCII ones.
std::string headerForm(std::string_view cell) {
    const std::string text = asciiForm(trimmedText(cell));
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        if (i + 2 < text.size() && at(i) == 0xEF && at(i + 1) == 0xBC && at(i + 2) >= 0xA1 && at(i + 2) <= 0xBA) {
            out.push_back(static_cast<char>('A' + (at(i + 2) - 0xA1)));
            i += 2;
        } else if (i + 2 < text.size() && at(i) == 0xEF && at(i + 1) == 0xBD && at(i + 2) >= 0x81 && at(i + 2) <= 0x9A) {
            out.push_back(static_cast<char>('A' + (at(i + 2) - 0x81)));
            i += 2;
        } else {
            out.push_back(text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i]);
        }
    }
    return out;
}

// The column a header cell names, in any case or width.
std::optional<Column> columnNamed(std::string_view cell) {
    const std::string name = headerForm(cell);
    for (std::size_t i = 0; i < kColumnNames.size(); ++i)
        if (name == kColumnNames[i]) return static_cast<Column>(i);
    return std::nullopt;
}

std::string allColumnNames() {
    std::string names;
    for (const char *name : kColumnNames) names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

bool readHeader(const CsvRecord &header, std::vector<Column> &columns, std::string &problem) {
    columns.clear();
    const std::string where = std::to_string(header.line) + "行目（見出し）";
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::optional<Column> column = columnNamed(header.fields[i]);
        if (!column) {
            problem = where + " " + std::to_string(i + 1) + "列目の" + quotedText(header.fields[i]) +
                      "は IP 表の列名ではありません（" + allColumnNames() + "）。";
            return false;
        }
        for (const Column seen : columns)
            if (seen == *column) {
                problem = where + ": 列" + quotedText(kColumnNames[static_cast<std::size_t>(*column)]) + "が二つあります。";
                return false;
            }
        columns.push_back(*column);
    }
    for (const Column needed : {Column::X, Column::Y}) {
        bool found = false;
        for (const Column c : columns) found = found || c == needed;
        if (!found) {
            problem = where + "に列" + quotedText(kColumnNames[static_cast<std::size_t>(needed)]) + "がありません。";
            return false;
        }
    }
    return true;
}

bool blankRecord(const CsvRecord &record) {
    for (const std::string &field : record.fields)
        if (!trimmedText(field).empty()) return false;
    return true;
}

std::optional<double> *curveValue(CurveInput &curve, Column column) {
    switch (column) {
    case Column::A1: return &curve.a1;
    case Column::R: return &curve.r;
    case Column::A2: return &curve.a2;
    case Column::R2: return &curve.r2;
    case Column::AM: return &curve.am;
    case Column::LC: return &curve.lc;
    default: return nullptr;
    }
}

bool readCell(const std::string &cell, Column column, const std::string &where, IpInput &point, std::string &problem) {
    const std::string_view text = trimmedText(cell);
    if (column == Column::Name) {
        if (hasControlCharacter(text)) {
            problem = where + "に制御文字があります。";
            return false;
        }
        point.name = std::string(text);
        return true;
    }
    if (text.empty()) {
        if (column != Column::X && column != Column::Y) return true;
        problem = where + "が空です（X と Y は必ず入れます）。";
        return false;
    }
    const std::optional<double> value = decimalValue(text);
    if (!value) {
        problem = where + "の" + quotedText(text) + "は数値ではありません。";
        return false;
    }
    if (column == Column::X) point.point.x = *value;
    else if (column == Column::Y) point.point.y = *value;
    else *curveValue(point.curve, column) = *value;
    return true;
}

bool readRow(const CsvRecord &record, const std::vector<Column> &columns, IpInput &point, std::string &problem) {
    const std::string line = std::to_string(record.line) + "行目";
    if (record.fields.size() > columns.size()) {
        problem = line + ": 欄が " + std::to_string(record.fields.size()) + " あり、見出しの " +
                  std::to_string(columns.size()) + " 列より多くなっています（" +
                  quotedText(record.fields[columns.size()]) + "）。";
        return false;
    }
    point = IpInput{};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string where = line + "「" + kColumnNames[static_cast<std::size_t>(columns[i])] + "」列";
        // A row shorter than the header leaves its last cells empty.
        const std::string cell = i < record.fields.size() ? record.fields[i] : std::string();
        if (!readCell(cell, columns[i], where, point, problem)) return false;
    }
    return true;
}

} // namespace

bool readIpTable(std::string_view text, std::vector<IpInput> &points, std::string &problem) {
    points.clear();
    std::vector<CsvRecord> records;
    if (!csvRecords(text, records, problem)) return false;
    std::size_t first = 0;
    while (first < records.size() && blankRecord(records[first])) ++first;
    if (first == records.size()) {
        problem = "に見出しの行がありません。";
        return false;
    }
    std::vector<Column> columns;
    if (!readHeader(records[first], columns, problem)) return false;
    for (std::size_t i = first + 1; i < records.size(); ++i) {
        if (blankRecord(records[i])) continue;
        IpInput point;
        if (!readRow(records[i], columns, point, problem)) return false;
        points.push_back(std::move(point));
    }
    return true;
}

} // namespace korvane::route
