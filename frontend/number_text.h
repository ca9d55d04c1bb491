// How the form writes a number into the parameter file.
#pragma once

#include <QString>

namespace rovena {

// Plain decimal notation with ".", at most 15 significant digits, no trailing
// zeros and no trailing point, "-" for negative values (3 -> "3", 2.75 ->
// "2.75", -66 -> "-66"). Values too large or too small for 15 plain digits
// are written in exponent form ("1e+20"). Zero is "0", whatever its sign.
QString numberText(double value);

} // namespace rovena
