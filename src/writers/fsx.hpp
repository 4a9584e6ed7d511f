#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

// The FSX flight plan (an XML document of type "AceXML"), translated line by
// line from the FS2004 plan text of the same run. The result starts with the
// UTF-8 byte order mark and ends every line with CR LF; names and other texts
// of the (UTF-8) plan text keep every character and are escaped.
std::string WriteFsxPlan(std::string_view plan_text);

// Reading the FS2004 plan text back (the FSX and Google Earth writers; its
// lines come from SplitLines).

// The comma fields of a line. A run of commas with nothing between them is
// one separator; blanks belong to the fields.
// "waypoint.1=, TOBAK, , TOBAK, I, ..." gives "waypoint.1=", " TOBAK", " ",
// " TOBAK", " I", ...
std::vector<std::string_view> CommaFields(std::string_view line);

// Field `number` (counted from 1); empty beyond the last one.
std::string_view FieldOf(const std::vector<std::string_view>& fields, std::size_t number);

// The FSX plan and the Google Earth file take their positions from the FS2004
// plan's coordinate fields ("N51* 28.70'"), so that their seconds are those of
// the FS2004 minutes rounded to 0.01'.

// The FSX position "N51° 28' 42.00\"".
std::string FsxCoordinateText(std::string_view fs2004_coordinate);

// Decimal degrees, south and west negative: "51.478333"; none when the field
// is no coordinate (an identifier with a comma shifts the fields).
std::optional<std::string> Fs2004CoordinateDegreesText(std::string_view fs2004_coordinate);

// The decimal latitude and longitude of a "waypoint.N=" line's `fields`
// (comma fields 6 and 7). A comma in a name shifts the fields: a line whose
// position does not read back is RunError naming `line`, so that neither the
// FSX plan nor the Google Earth file places the point wrongly.
struct Fs2004LinePosition {
  std::string latitude;
  std::string longitude;
};
Fs2004LinePosition ReadBackPosition(const std::vector<std::string_view>& fields,
                                    std::string_view line);

}  // namespace korvanta
