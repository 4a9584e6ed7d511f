// GPX files as GPS devices, mapping programs and planners write them: what
// the reader hands over before the route is made of it.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/gpx_reader.hpp"
#include "route/position.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

std::string Shown(const std::optional<std::int64_t>& angle, bool latitude) {
  if (!angle)
    return "none";
  const auto hundredths = static_cast<std::int32_t>(*angle);
  return latitude ? DmsLatitudeText(hundredths) : DmsLongitudeText(hundredths);
}

// The airports' names, one line per point ("*" marks a point to be named
// from its position), then the notes.
std::string Dump(const GpxReadResult& result) {
  if (const auto* error = std::get_if<PlanReadError>(&result))
    return "error: " + error->message;
  const GpxPlan& plan = std::get<GpxPlan>(result);
  std::string out =
      fmt::format("names {}|{}\n", plan.values.departure_name, plan.values.destination_name);
  for (const PlanPoint& point : plan.points) {
    out += fmt::format("{}|{}|{}|{}|{}|{}{}\n", point.id, Shown(point.lat, true),
                       Shown(point.lon, false),
                       point.altitude ? fmt::format("{}", *point.altitude) : "none", point.airway,
                       KindLetter(point.kind), point.named_from_position ? "|*" : "");
  }
  for (const std::string& note : plan.notes)
    out += "note: " + note + "\n";
  std::string degree = "\xC2\xB0";
  for (std::size_t at; (at = out.find(degree)) != std::string::npos;)
    out.replace(at, degree.size(), "*");
  return out;
}

std::string Plan(const char* name) {
  return test::ReadFile(test::DataDir() / "plans" / name);
}

TEST(GpxReader, FilesOfOtherPrograms) {
  const std::pair<std::string, std::string> cases[] = {
      {Plan("gps_device_route.gpx"),
       "names |\n"
       "Strip (Hwy 11)|N47*16'12.51\"|W121*20'12.80\"|2530||I\n"
       "Lake Kachess, N end|N47*21'19.50\"|W121*16'18.50\"|2280||I\n"
       "|N47*24'36.00\"|W121*12'00.00\"|4199||I|*\n"
       "Rakov [ridge]|N47*22'40.30\"|W121*03'48.50\"|5028||I\n"
       "Cle Elum, Mkt (Main)|N47*11'43.00\"|W120*56'19.00\"|1900||I\n"
       "Hwy 11|N47*06'07.00\"|W120*41'40.00\"|2000||I\n"
       "Ellensburg (Bowers)|N47*02'01.60\"|W120*31'50.00\"|1763||I\n"},
      {Plan("littlenavmap_route.gpx"),
       "names |\n"
       "EDDF|N50*01'59.90\"|E008*34'13.64\"|365||I\n"
       "ANEKI|N49*59'10.00\"|E008*05'57.00\"|36000||I\n"
       "NIVNU|N50*12'50.00\"|E006*52'14.00\"|36000||I\n"
       "KOK|N51*05'40.00\"|E002*39'10.00\"|36000||I\n"
       "REDFA|N51*23'00.00\"|E002*00'00.00\"|36000||I\n"
       "BIG|N51*19'51.00\"|E000*01'57.00\"|36000||I\n"
       "EGLL|N51*28'39.00\"|W000*27'41.00\"|83||I\n"},
      {Plan("several_routes.gpx"),
       "names |\n"
       "LSZB|N46*54'45.00\"|E007*29'57.00\"|none||I\n"
       "THUN|N46*41'00.00\"|E007*41'00.00\"|none||I\n"
       "LSMI|N46*40'33.00\"|E007*52'47.00\"|none||I\n"
       "note: the file holds 3 routes; the first, \"Morning\", was read\n"},
      {R"(<gpx creator="x"><rte><rtept lat="1" lon="2"><name>A</name></rtept>)"
       R"(<rtept lat="1" lon="3"><name>B</name></rtept></rte><rte><name> </name>)"
       R"(<rtept lat="1" lon="2"><name>C</name></rtept><rtept lat="1" lon="4"/></rte></gpx>)",
       "names |\n"
       "A|N01*00'00.00\"|E002*00'00.00\"|none||I\n"
       "B|N01*00'00.00\"|E003*00'00.00\"|none||I\n"
       "note: the file holds 2 routes; the first was read\n"},
  };
  for (const auto& [file, expected] : cases)
    EXPECT_EQ(Dump(ReadGpxPlan(file)), expected) << file.substr(0, 200);

  // The route made of the points carries the notes to the user.
  const PlanReadResult route = ReadGpxRoute(Plan("several_routes.gpx"), AirportDatabase());
  ASSERT_TRUE(std::holds_alternative<PlanRoute>(route));
  EXPECT_EQ(std::get<PlanRoute>(route).notes,
            std::vector<std::string>{"the file holds 3 routes; the first, \"Morning\", was read"});
}

}  // namespace
}  // namespace korvanta
