// Direction angles as texts.
#pragma once

#include <string>

namespace korvane {

// "ddd°mm′ss.s″" (UTF-8), seconds rounded to a tenth, 360° written as 000°.
std::string directionText(double radians);

// The LandXML "decimal dd.mm.ss" form: degrees, a point, two digits of
// minutes, two of seconds and four decimals of the seconds ("45.30251234").
std::string ddmmssText(double radians);

} // namespace korvane
