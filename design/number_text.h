// How a number is written into the parameter file.
#pragma once

#include <string>

namespace design_model {

// Plain decimal notation with ".", at most 15 significant digits, no trailing
// zeros and no trailing point, "-" for negative values (3 -> "3", 2.75 ->
// "2.75", -66 -> "-66"). Values too large or too small for 15 plain digits
// are written in exponent form ("1e+20"). Zero is "0", whatever its sign.
std::string numberText(double value);

} // namespace design_model
