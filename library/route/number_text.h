// Numbers and angles in the route's messages and files: "." in every locale.
#pragma once

#include <string>

namespace korvane::route {

// Fixed with the given decimals ("12.345"); "-0.000" loses its sign.
std::string fixedText(double value, int decimals);

// As typed: up to the given decimals, trailing zeros dropped ("140", "62.5").
std::string valueText(double value, int decimals = 3);

// The shortest plain decimal that reads back as the same double (no
// exponent): how the route file and Rovena's IP table write a value.
std::string exactText(double value);

// An angle as degrees, minutes and seconds to a tenth: "12°30′05.2″".
std::string angleText(double radians);

} // namespace korvane::route
