// Route strings resolved against a small navigation data set of fictional
// points between EAAA and EBBB, with a second KOMAR far away and a MIKE on
// either side of the departure.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "navdata/navigation_source.hpp"
#include "readers/input_kind.hpp"
#include "readers/route_string_reader.hpp"
#include "route/position.hpp"
#include "run/input_source.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

Position At(int latitude, int latitude_minutes, int longitude, int longitude_minutes) {
  return {latitude * kHundredthsPerDegree + latitude_minutes * kHundredthsPerMinute,
          longitude * kHundredthsPerDegree + longitude_minutes * kHundredthsPerMinute};
}

NavigationData TestData() {
  NavigationData data;
  const auto fix = [&data](const char* id, Position position) {
    return data.AddPoint(id, "ED", WaypointKind::kIntersection, position);
  };
  const PointIndex tobak = fix("TOBAK", At(50, 6, 8, 18));
  const PointIndex rudol =
      data.AddPoint("RUDOL", "ED", WaypointKind::kVor, At(50, 20, 7, 10), 11430);
  const PointIndex limax = fix("LIMAX", At(50, 30, 6, 40));
  const PointIndex komar = data.AddPoint("KOMAR", "EB", WaypointKind::kNdb, At(50, 40, 6, 0), 3850);
  const PointIndex domux = fix("DOMUX", At(50, 45, 5, 40));
  const PointIndex bebex = fix("BEBEX", At(51, 0, 6, 0));
  data.AddPoint("KOMAR", "TT", WaypointKind::kIntersection, At(10, 0, -60, 0));
  fix("MIKE", At(50, 3, 8, 27));
  const PointIndex mike_on_airway = fix("MIKE", At(50, 12, 8, 0));
  const PointIndex zulu = fix("ZULU", At(50, 24, 7, 30));
  for (const auto& [from, to] :
       {std::pair{tobak, rudol}, {rudol, limax}, {limax, komar}, {komar, domux}})
    data.AddAirwayLeg("UL602", from, to);
  data.AddAirwayLeg("L620", komar, bebex);
  data.AddAirwayLeg("L9", mike_on_airway, zulu);
  data.cycle = "2613";
  data.Finish();
  return data;
}

std::string RunwayLine(const std::string& name, const std::string& icao,
                       const std::string& latitude, const std::string& longitude,
                       const std::string& elevation) {
  return fmt::format("{:<24}{}27R12799270{:<10}{:<11}{:>14}\n", name, icao, latitude, longitude,
                     elevation);
}

struct World {
  NavigationSource source{TestData()};
  AirportDatabase airports;

  World() {
    LoadAirportLines(RunwayLine("ALPHA INTL", "EAAA", "N50.000000", "E008.500000", "364") +
                         RunwayLine("BETA FIELD", "EBBB", "N50.900000", "E005.250000", "50"),
                     airports);
    airports.navigation = &source;
  }
};

// The header's airports and cruise altitude, the runway, then each point as
// id/kind/airway/frequency.
std::string Dump(const PlanReadResult& result) {
  if (const auto* error = std::get_if<PlanReadError>(&result))
    return "error: " + error->message;
  const PlanRoute& route = std::get<PlanRoute>(result);
  std::string out =
      fmt::format("{} {} > {} {} FL{} {}:", route.header.departure_name,
                  route.header.departure_elevation, route.header.destination_name,
                  route.header.destination_elevation, route.header.cruise_altitude, route.runway);
  for (const Waypoint& row : route.waypoints)
    out += fmt::format(" {}/{}/{}/{}", row.id, KindLetter(row.kind), row.route, row.freq);
  return out;
}

TEST(RouteStringReader, Resolves) {
  const World world;
  const std::string header = "ALPHA INTL 364 > BETA FIELD 50 FL30000 :";
  const std::string on_ul602 = " EAAA/A//0 TOBAK/I/UL602/0 RUDOL/V/UL602/114.30 LIMAX/I/UL602/0";
  const std::pair<std::string, std::string> cases[] = {
      {"EAAA TOBAK UL602 KOMAR EBBB", header + on_ul602 + " KOMAR/N//385 EBBB/A//0"},
      {"eaaa tobak ul602 komar ebbb", header + on_ul602 + " KOMAR/N//385 EBBB/A//0"},
      // Against the airway's listing, and on to another airway.
      {"EAAA BEBEX L620 KOMAR UL602 RUDOL EBBB",
       header + " EAAA/A//0 BEBEX/I/L620/0 KOMAR/N/UL602/385 LIMAX/I/UL602/0 RUDOL/V//114.30 "
                "EBBB/A//0"},
      {"EAAA DCT TOBAK DCT KOMAR\r\nEBBB", header + " EAAA/A//0 TOBAK/I//0 KOMAR/N//385 EBBB/A//0"},
      // SID and STAR left out.
      {"EAAA TOBAK1A TOBAK UL602 LIMAX DCT DOMUX KOMAR2B EBBB",
       header + " EAAA/A//0 TOBAK/I/UL602/0 RUDOL/V/UL602/114.30 LIMAX/I//0 DOMUX/I//0 EBBB/A//0"},
      // Of two of one name, the nearest to the point before; the one on the
      // airway that follows.
      {"EAAA KOMAR EBBB", header + " EAAA/A//0 KOMAR/N//385 EBBB/A//0"},
      {"EAAA 10N060W KOMAR EBBB", header + " EAAA/A//0 10N060W/I//0 KOMAR/I//0 EBBB/A//0"},
      {"EAAA MIKE EBBB", header + " EAAA/A//0 MIKE/I//0 EBBB/A//0"},
      {"EAAA MIKE L9 ZULU EBBB", header + " EAAA/A//0 MIKE/I/L9/0 ZULU/I//0 EBBB/A//0"},
      // Speed and level groups: the first level is the cruise altitude.
      {"EAAA/25L N0450F350 TOBAK/M082F370 EBBB",
       "ALPHA INTL 364 > BETA FIELD 50 FL35000 25L: EAAA/A//0 TOBAK/I//0 EBBB/A//0"},
      {"N0120VFR EAAA TOBAK/K0830S1130 IFR EBBB/09",
       "ALPHA INTL 364 > BETA FIELD 50 FL37073 : EAAA/A//0 TOBAK/I//0 EBBB/A//0"},
      {"EAAA /N0120A045 TOBAK N0450M0900 EBBB",
       "ALPHA INTL 364 > BETA FIELD 50 FL4500 : EAAA/A//0 TOBAK/I//0 EBBB/A//0"},
      // Positions need no data; each form is named as the route names it.
      {"EAAA 50N007E 5030N00630E 5006E 50N20 EBBB",
       header + " EAAA/A//0 50N007E/I//0 5030N00630E/I//0 5000N00600E/I//0 5000N12000W/I//0 "
                "EBBB/A//0"},
      {"EAAA",
       "error: The route string names fewer than two airports: it begins with the "
       "departure and ends with the destination"},
      {"EAAA TOBAK/XYZ EBBB",
       "error: TOBAK/XYZ: not a point, airway, position or speed and level group"},
      {"EAAA TOBAK/N0450S99999999999 EBBB",
       "error: TOBAK/N0450S99999999999: not a point, airway, position or speed and level group"},
      {"EAAA TO-BAK EBBB", "error: TO-BAK: not a point, airway, position or speed and level group"},
      {"EAAA TOBAK DCT",
       "error: DCT: a route string begins with the departure airport and ends with the "
       "destination"},
      {"EAAA TOBAK EZZZ", "error: EZZZ: no such airport in the airport list"},
      {"EAAA BRAXX EBBB", "error: BRAXX: no such point in the navigation data (cycle 2613)"},
      {"EAAA TOBAK BRAXX1 KOMAR EBBB",
       "error: BRAXX1: no such point in the navigation data (cycle 2613)"},
      {"EAAA TOBAK UL602 BEBEX EBBB", "error: UL602 does not reach BEBEX from TOBAK (cycle 2613)"},
      {"EAAA UL602 TOBAK EBBB", "error: UL602 does not reach TOBAK from EAAA (cycle 2613)"},
      {"EAAA TOBAK UL602 DCT KOMAR EBBB",
       "error: UL602: no point follows the airway to say where the route leaves it"},
      {"EAAA KOMAR UL602 EBBB",
       "error: UL602: no point follows the airway to say where the route leaves it"},
      {"EAAA TOBAK NATB KOMAR EBBB",
       "error: NATB: a North Atlantic track changes every day: give the track's points instead"},
  };
  for (const auto& [string, route] : cases)
    EXPECT_EQ(Dump(ReadRouteString(string, world.airports)), route) << string;
}

TEST(RouteStringReader, PlacesPositionsAndAirports) {
  const World world;
  const std::pair<std::string, std::string> cases[] = {
      {"46N078W", "N46*00'00.00\" W078*00'00.00\""},
      {"4620S07805E", "S46*20'00.00\" E078*05'00.00\""},
      {"5020N", "N50*00'00.00\" W020*00'00.00\""},
      {"50N20", "N50*00'00.00\" W120*00'00.00\""},
      {"1005S", "S10*00'00.00\" E005*00'00.00\""},
      {"10W05", "S10*00'00.00\" W105*00'00.00\""},
      // Of two of one name, the one nearest to the departure.
      {"KOMAR", "N50*40'00.00\" E006*00'00.00\""},
      {"MIKE", "N50*03'00.00\" E008*27'00.00\""},
  };
  for (const auto& [element, position] : cases) {
    const PlanReadResult result = ReadRouteString("EAAA " + element + " EBBB", world.airports);
    ASSERT_TRUE(std::holds_alternative<PlanRoute>(result)) << element;
    const PlanRoute& route = std::get<PlanRoute>(result);
    std::string shown = route.waypoints[1].lat + " " + route.waypoints[1].lon;
    for (std::size_t at; (at = shown.find("\xC2\xB0")) != std::string::npos;)
      shown.replace(at, 2, "*");
    EXPECT_EQ(shown, position) << element;
    EXPECT_EQ(route.header.departure_position, At(50, 0, 8, 30));
  }
}

TEST(RouteStringReader, WithoutData) {
  const World world;
  AirportDatabase without_navigation = world.airports;
  without_navigation.navigation = nullptr;
  EXPECT_EQ(Dump(ReadRouteString("EAAA TOBAK EBBB", without_navigation)),
            "error: No navigation data");
  EXPECT_EQ(Dump(ReadRouteString("EAAA DCT 5020N EBBB", without_navigation)),
            "ALPHA INTL 364 > BETA FIELD 50 FL30000 : EAAA/A//0 5000N02000W/I//0 EBBB/A//0");
  const NavigationSource nothing;
  AirportDatabase no_list;
  no_list.navigation = &nothing;
  EXPECT_EQ(Dump(ReadRouteString("EAAA TOBAK EBBB", no_list)),
            "error: EAAA: no such airport: no airport list is loaded, and X-Plane's airports do "
            "not hold it");
  // The window shows the runway before the run loads any data.
  EXPECT_EQ(MakeInputSource("EAAA/27R TOBAK EBBB").source->Runway(), "27R");
  EXPECT_EQ(MakeInputSource("EAAA TOBAK EBBB/27R").source->Runway(), std::nullopt);
}

TEST(RouteStringReader, Detection) {
  const std::pair<std::string, InputKind> cases[] = {
      {"EGLL BPK Q295 BRAIN L620 CLN DCT KJFK", InputKind::kRoute},
      {"\xEF\xBB\xBF EGLL/27R N0450F350 BPK7G BPK\r\nQ295 BRAIN KJFK\r\n", InputKind::kRoute},
      {"N0450F350 EAAA 5020N EBBB/N0450F370", InputKind::kRoute},
      {"EAAA EBBB", InputKind::kRoute},
      {"", InputKind::kText},
      {"EGLL", InputKind::kText},
      {"EGLL BPK", InputKind::kText},
      {"BPK EGLL", InputKind::kText},
      {"egll bpk kjfk", InputKind::kText},
      {"EGLL BPK, KJFK", InputKind::kText},
      {"HELLO WORLD", InputKind::kText},
      {"ALPHA INTL              EAAA                                           364",
       InputKind::kText},
      {std::string(17, '\n') + "EAAA\n" + std::string(16, 'X') + "\nEBBB", InputKind::kRoute},
      {[] {
         std::string lines;
         for (int line = 0; line < 17; ++line)
           lines += "EAAA\n";
         return lines;
       }(),
       InputKind::kText},
  };
  for (const auto& [bytes, kind] : cases)
    EXPECT_EQ(DetectInputKind(bytes), kind) << bytes;
  EXPECT_EQ(InputKindFromName("route"), InputKind::kRoute);
  // Route-finder texts, plans and the other programs' data are no route strings.
  for (const auto& file : std::filesystem::recursive_directory_iterator(test::DataDir())) {
    if (file.is_regular_file() && file.path().parent_path().filename() != "route_string" &&
        file.path().filename() != "route_string.txt") {
      EXPECT_FALSE(LooksLikeRouteString(test::ReadFile(file.path()))) << file.path();
    }
  }
}

}  // namespace
}  // namespace korvanta
