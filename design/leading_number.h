// The number with which a typed text begins, read the same way whatever the
// locale: the form judges lane widths and angles by it.
#pragma once

#include <string_view>

namespace design_model {

// Skips leading blanks, then reads an optional sign, decimal digits with an
// optional "." and an optional exponent. A text that does not begin with a
// number gives 0 ("3m" gives 3, "abc" gives 0, "-1" gives -1).
double leadingNumber(std::string_view text);

} // namespace design_model
