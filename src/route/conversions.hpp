#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// The coordinate text forms of the route and the conversions between them.
// DMS latitude:  N51°28'42.00"  (13 characters)
// DMS longitude: W000°27'36.00" (14 characters)
// The texts are UTF-8, and the fixed positions in them count characters.
// Every operation is stateless and locale-independent; "ERR" is the marker
// text of a coordinate that does not convert.

inline constexpr std::string_view kErr = "ERR";
inline constexpr std::string_view kDegreeSign = "\xC2\xB0";

// Every run of blanks as one blank.
std::string SqueezeBlanks(std::string_view text);
std::string DmsToDecimalText(std::string_view dms);
std::string DecimalText6(std::string_view number);
std::string LatDmsToDegMinText(std::string_view dms);
std::string LonDmsToDegMinText(std::string_view dms);
std::string LatDmsToCivaText(std::string_view dms);
std::string LonDmsToCivaText(std::string_view dms);
std::string LatDmsToDecimalHemText(std::string_view dms);
std::string LonDmsToDecimalHemText(std::string_view dms);
float LatDmsToDegrees(std::string_view dms);
float LonDmsToDegrees(std::string_view dms);
long double InitialCourse(long double lat1, long double lon1, long double lat2, long double lon2);
// The FSX position: "N51° 28' 42.00\"".
std::string DegMinToFsxDmsText(std::string_view deg_min);
std::string DegMinToDecimalText(std::string_view deg_min);
std::string PadIntPart2(std::string_view number);
std::string PadIntPart3(std::string_view number);

}  // namespace korvanta
