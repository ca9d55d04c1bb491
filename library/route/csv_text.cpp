#include "route/csv_text.h"

namespace korvane::route {

namespace {

// Walks the text one record at a time.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {}

    bool done() const { return at_ >= text_.size(); }
    int line() const { return line_; }

    bool record(std::vector<std::string> &fields, std::string &problem) {
        fields.clear();
        for (;;) {
            std::string field;
            if (!this->field(field, problem)) return false;
            fields.push_back(std::move(field));
            if (at_ >= text_.size()) return true;
            const char c = text_[at_++];
            if (c == ',') continue;
            // CR LF, LF or a lone CR ends the record.
            if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') ++at_;
            ++line_;
            return true;
        }
    }

private:
    bool field(std::string &out, std::string &problem) {
        if (at_ < text_.size() && text_[at_] == '"') return quoted(out, problem);
        while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\n' && text_[at_] != '\r') {
            if (text_[at_] == '"') {
                problem = std::to_string(line_) + "行目: 引用符で始まらない欄に引用符 \" があります。";
                return false;
            }
            out.push_back(text_[at_++]);
        }
        return true;
    }

    bool quoted(std::string &out, std::string &problem) {
        const int start = line_;
        for (++at_; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '\n') ++line_;
            if (c != '"') {
                out.push_back(c);
                continue;
            }
            if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                out.push_back('"');
                ++at_;
                continue;
            }
            ++at_;
            if (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\n' && text_[at_] != '\r') {
                problem = std::to_string(start) + "行目: 引用符で囲んだ欄の後に文字があります。";
                return false;
            }
            return true;
        }
        problem = std::to_string(start) + "行目: 引用符 \" が閉じていません。";
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

} // namespace

bool csvRecords(std::string_view text, std::vector<CsvRecord> &records, std::string &problem) {
    records.clear();
    CsvReader reader(text);
    while (!reader.done()) {
        CsvRecord record;
        record.line = reader.line();
        if (!reader.record(record.fields, problem)) return false;
        records.push_back(std::move(record));
    }
    return true;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    return out + "\"";
}

} // namespace korvane::route
