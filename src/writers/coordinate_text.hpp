#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// The coordinate forms that several writers share, each made from an angle in
// hundredths of an arc-second (north and east positive).

// Decimal degrees with six decimals, south and west negative: "-0.460000".
// The hundredths of a second do not count (42.05" is written as 42.0"), as
// the add-ons have always been given them.
std::string SixDecimalDegreesText(std::int32_t hundredths);
// The same value in millionths of a degree.
std::int64_t SixDecimalMicrodegrees(std::int32_t hundredths);

// Decimal degrees with six decimals, south and west negative, every
// hundredth of a second counted, rounded half away from zero:
// "51.478333".
std::string ExactDegreesText(std::int32_t hundredths);

// Decimal degrees with four decimals after the hemisphere letter and a blank:
// "N 50.0333", "W 0.4600". A zero angle is north or east.
std::string DecimalLatitudeWithHemisphere(std::int32_t hundredths);
std::string DecimalLongitudeWithHemisphere(std::int32_t hundredths);

// The FS2004 plan's form: "N51* 28.70'", "W000* 27.60'": whole degrees and
// minutes to the hundredth, minutes that round to 60 carried into the degree.
std::string Fs2004LatitudeText(std::int32_t hundredths);
std::string Fs2004LongitudeText(std::int32_t hundredths);

// The CIVA card's form: "N 51*28.7", "W 000*27.6": whole degrees and minutes
// to the tenth in at least four characters, minutes that round to 60
// carried into the degree.
std::string CivaLatitudeText(std::int32_t hundredths);
std::string CivaLongitudeText(std::int32_t hundredths);

// An angle's magnitude taken apart: whole degrees, minutes and hundredths of
// a second within the minute.
struct AngleParts {
  std::int32_t degrees = 0;
  std::int32_t minutes = 0;
  std::int32_t second_hundredths = 0;
};
AngleParts PartsOf(std::int32_t hundredths);

// Minutes with the seconds folded in, as a double: 28'42.00" gives 28.7. The
// writers round this value; its exact halves are not always taken up
// (15'04.50" gives 15.075, written 15.07), as the files have always shown.
double MinutesWithSeconds(const AngleParts& parts);

}  // namespace korvanta
