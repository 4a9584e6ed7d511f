#include "writers/fsnavigator.hpp"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "errors/run_error.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

using namespace std::string_literals;

// "@" stands for the degree sign.
Waypoint Row(const std::string& id, const std::string& lat, const std::string& lon,
             const std::string& kind) {
  Waypoint row =
      test::Row(id, test::WithDegreeSign(lat, '@'), test::WithDegreeSign(lon, '@'), "", kind);
  row.track = "";
  return row;
}

struct Route {
  RouteHeader header;
  WaypointTable waypoints;
};

// EAAA (50.5 N, 8.25 E) to EBBB (33.25 S, 122.5 W) with the given points between.
Route Between(const std::vector<Waypoint>& points, std::int32_t cruise = 35000) {
  Route r;
  r.header.departure_icao = "EAAA";
  r.header.destination_icao = "EBBB";
  r.header.cruise_altitude = cruise;
  r.waypoints.Append(Row("EAAA", "N50@30'00.00\"", "E008@15'00.00\"", "A"));
  for (const Waypoint& p : points)
    r.waypoints.Append(p);
  r.waypoints.Append(Row("EBBB", "S33@15'00.00\"", "W122@30'00.00\"", "A"));
  return r;
}

// Latitude and longitude as little-endian single-precision bytes.
const std::string kEaaa = "\x00\x00\x4A\x42\x00\x00\x04\x41"s;   // 50.5, 8.25
const std::string kEbbb = "\x00\x00\x05\xC2\x00\x00\xF5\xC2"s;   // -33.25, -122.5
const std::string k51N7E = "\x00\x00\x4C\x42\x00\x00\xF0\x40"s;  // 51, 7.5
const std::string k52N6E = "\x00\x00\x50\x42\x00\x00\xC0\x40"s;  // 52, 6

// A zero-filled image with the header fields every plan shares, and `fields`.
std::string ImageOf(std::size_t length,
                    const std::vector<std::pair<std::size_t, std::string>>& fields) {
  std::string image(length, '\0');
  const auto put = [&](std::size_t at, const std::string& bytes) {
    image.replace(at, bytes.size(), bytes);
  };
  put(4, "FPi");
  put(16, "KorVanta ver 2.8 Flightplan for FS-Navigator");
  put(272, "\x40\x01\x00\x00\x01\x00\x00\x00\x84\x01"s);  // 320, 1, 388
  put(320, "Boeing 737");
  for (const auto& [at, bytes] : fields)
    put(at, bytes);
  return image;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    out += fmt::format("{:02X}{}", static_cast<unsigned char>(bytes[i]), i % 16 == 15 ? "\n" : " ");
  return out;
}

TEST(FsNavPlan, TwoAirportsOnlyGive516Bytes) {
  const Route r = Between({});
  EXPECT_EQ(Hex(WriteFsNavigatorPlan(r.header, r.waypoints)),
            Hex(ImageOf(516, {
                                 {0, "\x04\x02"s},
                                 {284, "\x02\x00"s},
                                 {296, "\xF8\x01"s},
                                 {304, "\x98\x01"s},
                                 {388, "\x40\x00"s + kEaaa},
                                 {398, "\x40\x00"s + kEbbb},
                                 {504, "\x7C\x01\x00\x00\xB8\x88\x00\x00\xB8\x88"s},  // FL350
                             })));
}

TEST(FsNavPlan, VorAndIntersectionGive620BytesWithTheirKinds) {
  const Route r = Between({Row("RUDOL", "N51@00'00.00\"", "E007@30'00.00\"", "V"),
                           Row("TOBAK", "N52@00'00.00\"", "E006@00'00.00\"", "I")},
                          33000);
  EXPECT_EQ(Hex(WriteFsNavigatorPlan(r.header, r.waypoints)),
            Hex(ImageOf(620, {
                                 {0, "\x6C\x02"s},
                                 {284, "\x04\x00"s},
                                 {296, "\x60\x02"s},
                                 {304, "\xAC\x01"s},
                                 {388, "\x40\x00"s + kEaaa},
                                 {398, "\x10\x00"s + k51N7E},
                                 {408, "\x04\x00"s + k52N6E},
                                 {418, "\x40\x00"s + kEbbb},
                                 {608, "\x7C\x01\x00\x00\xE8\x80\x00\x00\xE8\x80"s},  // 33000
                             })));
}

std::string U16(std::size_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

// The image of EAAA, points at 51 N 7.5 E of the given kinds, EBBB, at FL350;
// `en_route` of them count as waypoints.
std::string ImageWithKinds(const std::vector<unsigned>& kinds, std::size_t en_route) {
  const std::size_t count = kinds.size() + 2;
  const std::size_t trailer = 504 + 52 * en_route;
  std::vector<std::pair<std::size_t, std::string>> fields = {
      {0, U16(trailer + 12)},
      {284, U16(count)},
      {296, U16(trailer)},
      {304, U16(388 + 10 * count)},
      {388, "\x40\x00"s + kEaaa},
      {388 + 10 * (count - 1), "\x40\x00"s + kEbbb},
      {trailer, "\x7C\x01\x00\x00\xB8\x88\x00\x00\xB8\x88"s},
  };
  for (std::size_t i = 0; i < kinds.size(); ++i)
    fields.push_back({398 + 10 * i, U16(kinds[i]) + k51N7E});
  return ImageOf(trailer + 12, fields);
}

TEST(FsNavPlan, LongRoutesGrowPast47Waypoints) {
  // 47 waypoints fill the classic 3001-byte image; 60 need a larger one,
  // with every offset still 16-bit and consistent.
  for (const auto& [en_route, length] : {std::pair{47u, 2960u}, std::pair{60u, 3636u}}) {
    std::vector<Waypoint> points;
    std::vector<unsigned> kinds;
    for (std::size_t i = 0; i < en_route; ++i) {
      const char* kind[] = {"I", "V", "N", ""};
      points.push_back(
          Row("P" + std::to_string(i), "N51@00'00.00\"", "E007@30'00.00\"", kind[i % 4]));
      kinds.push_back(std::vector<unsigned>{4, 16, 8, 4}[i % 4]);
    }
    const Route r = Between(points);
    const std::string plan = WriteFsNavigatorPlan(r.header, r.waypoints);
    ASSERT_EQ(plan.size(), length);
    EXPECT_EQ(Hex(plan), Hex(ImageWithKinds(kinds, en_route))) << en_route;
  }
}

TEST(FsNavPlan, DestinationCodeMidRouteIsAnAirportButNoWaypoint) {
  const Route r = Between({Row("EBBB", "N51@00'00.00\"", "E007@30'00.00\"", "I"),
                           Row("KOMAR", "N51@00'00.00\"", "E007@30'00.00\"", "N")});
  const std::string plan = WriteFsNavigatorPlan(r.header, r.waypoints);
  EXPECT_EQ(plan.size(), 568u);
  EXPECT_EQ(Hex(plan), Hex(ImageWithKinds({64, 8}, 1)));
}

TEST(FsNavPlan, RoutesBeyondTheSixteenBitOffsetsAreRefused) {
  std::vector<Waypoint> points(kFsNavMaxEnRoute,
                               Row("WPT", "N51@00'00.00\"", "E007@30'00.00\"", "I"));
  const Route fits = Between(points);
  const std::string plan = WriteFsNavigatorPlan(fits.header, fits.waypoints);
  EXPECT_EQ(plan.size(), 65516u);
  EXPECT_EQ(plan.substr(0, 2), U16(65516));

  points.push_back(points.back());
  const Route too_long = Between(points);
  try {
    WriteFsNavigatorPlan(too_long.header, too_long.waypoints);
    FAIL() << "a route of 1251 waypoints was written";
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find("1251"), std::string::npos) << e.what();
  }

  // Points that would run into the trailer are refused too.
  std::vector<Waypoint> destinations(10, Row("EBBB", "N51@00'00.00\"", "E007@30'00.00\"", "A"));
  const Route crowded = Between(destinations);
  EXPECT_THROW(WriteFsNavigatorPlan(crowded.header, crowded.waypoints), RunError);
  destinations.pop_back();
  const Route full = Between(destinations);
  EXPECT_EQ(WriteFsNavigatorPlan(full.header, full.waypoints).size(), 516u);
}

}  // namespace
}  // namespace korvanta
