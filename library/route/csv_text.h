// Comma-separated values as spreadsheets write them: fields separated by
// commas, records by CR LF or LF, a field in double quotes may hold commas,
// line breaks and doubled quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane::route {

struct CsvRecord {
    int line = 0; // where the record begins, 1-based
    std::vector<std::string> fields;
};

// The records of text (UTF-8, without a byte-order mark). False with a
// Japanese reason naming the line when a quoted field is not closed or a
// quote stands inside an unquoted field.
bool csvRecords(std::string_view text, std::vector<CsvRecord> &records, std::string &problem);

// A field as it is written: in double quotes, with its quotes doubled, when
// it holds a comma, a quote or a line break; as it is otherwise.
std::string csvField(std::string_view text);

} // namespace korvane::route
