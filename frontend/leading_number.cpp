#include "leading_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace rovena {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Length of the run of ASCII digits starting at pos.
qsizetype digitRun(const QString &text, qsizetype pos) {
    qsizetype end = pos;
    while (end < text.size() && isDigit(text[end])) ++end;
    return end - pos;
}

} // namespace

double leadingNumber(const QString &text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const qsizetype start = pos;
    const qsizetype intDigits = digitRun(text, pos);
    pos += intDigits;
    qsizetype fracDigits = 0;
    if (pos < text.size() && text[pos] == u'.') {
        fracDigits = digitRun(text, pos + 1);
        pos += 1 + fracDigits;
    }
    if (intDigits + fracDigits == 0) return 0.0;

    // An exponent counts only when at least one digit follows its sign.
    bool negativeExponent = false;
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        qsizetype exp = pos + 1;
        if (exp < text.size() && (text[exp] == u'+' || text[exp] == u'-')) {
            negativeExponent = text[exp] == u'-';
            ++exp;
        }
        const qsizetype expDigits = digitRun(text, exp);
        if (expDigits > 0) pos = exp + expDigits;
    }

    const std::string number = text.mid(start, pos - start).toStdString();
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) value = negativeExponent ? 0.0 : HUGE_VAL;
    return negative ? -value : value;
}

} // namespace rovena
