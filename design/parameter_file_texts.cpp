#include "design/parameter_file_texts.h"

#include <vector>

#include "design/leading_number.h"
#include "design/text_encoding.h"

namespace design_model {

namespace {

class Tokens {
public:
    explicit Tokens(std::string_view bytes) : text_(systemTextToUtf8(bytes)) {
        constexpr std::string_view blanks = " \t\r\n\f\v";
        const std::string_view all = text_;
        for (std::size_t start = all.find_first_not_of(blanks); start != std::string_view::npos;) {
            const std::size_t end = all.find_first_of(blanks, start);
            tokens_.push_back(all.substr(start, end - start));
            start = end == std::string_view::npos ? end : all.find_first_not_of(blanks, end);
        }
    }

    // The next token; false with error set at the end of the file.
    bool next(const std::string &what, std::string &token, std::string &error) {
        if (position_ < tokens_.size()) {
            token = tokens_[position_++];
            return true;
        }
        error = "パラメータファイルが " + what + " の前で終わっています。";
        return false;
    }

private:
    std::string text_;
    std::vector<std::string_view> tokens_;
    std::size_t position_ = 0;
};

// The widths up to the terminating 0; their number through count.
bool readWidths(Tokens &tokens, const std::string &side, LaneTexts &lanes, int &count, std::string &error) {
    for (int i = 0;; ++i) {
        std::string token;
        if (!tokens.next(side + "の車線幅", token, error)) return false;
        if (leadingNumber(token) == 0.0) {
            count = i;
            return true;
        }
        if (i == kLaneRows) {
            error = side + "の車線が " + std::to_string(kLaneRows) + " 本を超えています。";
            return false;
        }
        lanes.width[i] = token;
    }
}

bool readLanes(Tokens &tokens, const std::string &side, LaneTexts &lanes, std::string &error) {
    int count = 0;
    if (!readWidths(tokens, side, lanes, count, error)) return false;
    std::string token;
    for (int i = 0; i < count; ++i) {
        if (!tokens.next(side + "の拡幅方法", token, error)) return false;
        if (token != "0" && token != "1" && token != "2") {
            error = side + "の拡幅方法「" + token + "」は 0, 1, 2 のどれでもありません。";
            return false;
        }
        lanes.method[i] = token[0] - '0';
    }
    for (int i = 0; i < count; ++i)
        if (!tokens.next(side + "の拡幅量", lanes.widening[i], error)) return false;
    return true;
}

bool readIntervals(Tokens &tokens, DesignTexts &design, std::string &error) {
    std::vector<std::string> values;
    std::string token;
    while (tokens.next("法線設置位置の終わり (1000.)", token, error)) {
        if (leadingNumber(token) == kIntervalEndMark) {
            // "0.0 1000." is how an empty interval box is written.
            design.intervals.clear();
            if (values.size() == 1 && values[0] == "0.0") return true;
            for (std::size_t i = 0; i < values.size(); ++i) design.intervals += (i > 0 ? "\n" : "") + values[i];
            return true;
        }
        values.push_back(token);
    }
    return false;
}

bool readAngle(Tokens &tokens, DesignTexts &d, std::string &error) {
    const std::string what = "交角ＩＡ";
    if (!tokens.next(what, d.iaDegrees, error) || !tokens.next(what, d.iaMinutes, error) ||
        !tokens.next(what, d.iaSeconds, error))
        return false;
    d.directionUp = d.iaDegrees.empty() || d.iaDegrees.front() != '-';
    if (!d.directionUp) d.iaDegrees.erase(0, 1);
    return true;
}

bool readStationing(Tokens &tokens, DesignTexts &d, std::string &error) {
    std::string direction;
    if (!tokens.next("センター計算ピッチ", d.centerPitch, error) || !tokens.next("測点方向", direction, error))
        return false;
    if (direction != "L" && direction != "R") {
        error = "測点方向「" + direction + "」は L でも R でもありません。";
        return false;
    }
    d.stationLeft = direction == "L";
    return tokens.next("測点ピッチ", d.stationPitch, error) && tokens.next("KA位置", d.kaStationNo, error) &&
           tokens.next("KA位置", d.kaStationPlus, error);
}

} // namespace

bool readParameterFileTexts(std::string_view bytes, DesignTexts &design, std::string &error) {
    Tokens tokens(bytes);
    DesignTexts d = clearedDesignTexts();
    std::string outputWord;
    const bool read = tokens.next("縮尺", d.scale, error) && tokens.next("DXF", outputWord, error) &&
                      tokens.next("dxf", outputWord, error) && tokens.next("左側Ａ", d.a1, error) &&
                      tokens.next("右側Ａ", d.a2, error) && tokens.next("単曲線部Ｒ", d.radius, error) &&
                      readAngle(tokens, d, error) && readLanes(tokens, "右側", d.right, error) &&
                      readLanes(tokens, "左側", d.left, error) && readStationing(tokens, d, error) &&
                      readIntervals(tokens, d, error);
    if (read) design = std::move(d);
    return read;
}

} // namespace design_model
