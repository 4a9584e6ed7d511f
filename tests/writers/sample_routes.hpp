#pragma once

#include <string>

#include "route/tables.hpp"
#include "test_support.hpp"

// The routes that the X-Plane 11/12 plan's and the GPX route's tests both
// write.
namespace korvanta::test {

// Southern and western points, airway runs, an NDB named with a letter
// outside ASCII, both airports passed on the way (as a fix and as a VOR),
// points at the equator and the meridian.
inline const RouteHeader kSouth =
    Header("SBGR", "SCEL", "S\xC3\x83O PAULO", "ARTURO & <B>", 2461, 1555, 35000);
inline const WaypointTable kSouthRm = test::Table({
    Row("SBGR", "S23*26'08.00\"", "W046*28'23.00\"", "", "A"),
    Row("PCX", "S23*30'00.55\"", "W046*50'00.00\"", "UZ10", "V"),
    Row("ILKAP", "S24*00'00.00\"", "W047*00'00.01\"", "UZ10", "I"),
    Row("SBGR", "S23*26'08.00\"", "W046*28'23.00\"", "", "I"),
    Row("\xC3\x89TRA", "N00*00'00.00\"", "W000*00'00.02\"", "UM400", "N"),
    Row("EQ", "S00*00'00.18\"", "E000*00'00.02\"", "", "I"),
    Row("SCEL", "S33*23'35.00\"", "W070*47'09.00\"", "", "V"),
    Row("SCEL", "S33*23'35.00\"", "W070*47'09.00\"", "", "A"),
});
// Both airports below and above sea level by 17 ft (5.1816 m), a low cruise.
inline const RouteHeader kPair = Header("EAAA", "EBBB", "ALPHA", "BETA", -17, 17, 4500);
inline const WaypointTable kPairRm =
    test::Table({Row("EAAA", "N50*02'00.00\"", "E008*34'14.00\"", "", "A"),
                 Row("EBBB", "N50*52'00.5\"", "E005*15'00.00\"", "", "A")});

}  // namespace korvanta::test
