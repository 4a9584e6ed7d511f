#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "run/input_source.hpp"
#include "test_support.hpp"
#include "writers/coordinate_text.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

const std::string kFms =
    "I\r\n1100 Version\r\nCYCLE 2613\r\nADEP EAAA\r\nDEPRWY RW25L\r\nADES EBBB\r\nNUMENR 3\r\n"
    "1 EAAA ADEP 364.000000 50.033333 8.570556\r\n"
    "3 RUDOL UL602 33000.000000 50.333333 7.166667\r\n"
    "1 EBBB ADES 50.000000 50.866667 5.250000\r\n";

const std::string kPln = R"(<?xml version="1.0" encoding="UTF-8"?>
<SimBase.Document Type="AceXML" version="1,0">
  <FlightPlan.FlightPlan>
    <CruisingAlt>33000</CruisingAlt>
    <DepartureID>EAAA</DepartureID>
    <DestinationID>EBBB</DestinationID>
    <ATCWaypoint id="EAAA"><ATCWaypointType>Airport</ATCWaypointType>
      <WorldPosition>N50° 2' 0.00",E8° 34' 14.00",+000364.00</WorldPosition></ATCWaypoint>
    <ATCWaypoint id="TOBAK"><ATCWaypointType>Intersection</ATCWaypointType>
      <WorldPosition>N50° 5' 30.00",E8° 17' 0.00",+033000.00</WorldPosition></ATCWaypoint>
    <ATCWaypoint id="EBBB"><ATCWaypointType>Airport</ATCWaypointType>
      <WorldPosition>N50° 52' 0.00",E5° 15' 0.00",+000050.00</WorldPosition></ATCWaypoint>
  </FlightPlan.FlightPlan>
</SimBase.Document>
)";

const std::string kGpx = R"(<?xml version="1.0"?>
<gpx version="1.1" creator="test">
<wpt lat="50.033333" lon="8.570556"><name>EAAA</name><type>Airport</type></wpt>
<wpt lat="50.666667" lon="6"><name>KOMAR</name><type>NDB</type></wpt>
<wpt lat="50.866667" lon="5.25"><name>EBBB</name><type>Airport</type></wpt>
</gpx>
)";

std::string Details(std::size_t rows) {
  std::string text = "Cruise altitude between FL330\r\nA > B\r\n\r\nDetails:\r\nID FREQ TRK\r\n";
  for (std::size_t i = 0; i < rows; ++i)
    text += "A\r\n";
  return text;
}

TEST(InputSource, KindsAndLimits) {
  struct Case {
    std::string what;
    std::string bytes;
    std::optional<InputKind> forced;
    InputKind kind;
    std::string error;
  };
  const Case cases[] = {
      {"plan by content", kFms, {}, InputKind::kFms, ""},
      {"text by content",
       test::ReadFile(test::DataDir() / "example_route.txt"),
       {},
       InputKind::kText,
       ""},
      {"forced", "hello", InputKind::kGpx, InputKind::kGpx, ""},
      {"forced text", kGpx, InputKind::kText, InputKind::kText, ""},
      {"4 MiB", std::string(kInputSizeLimit, 'x'), {}, InputKind::kText, ""},
      {"over 4 MiB",
       std::string(kInputSizeLimit + 1, 'x'),
       {},
       InputKind::kText,
       std::string(kInputTooLarge)},
      {"plan over 4 MiB",
       kGpx + std::string(kInputSizeLimit, ' '),
       {},
       InputKind::kText,
       std::string(kInputTooLarge)},
      {"10000 details lines", Details(kDetailsLinesLimit), {}, InputKind::kText, ""},
      {"10001 details lines",
       Details(kDetailsLinesLimit + 1),
       {},
       InputKind::kText,
       std::string(kTooManyDetailsLines)},
      {"two lists of 5001 lines", Details(5001) + "\r\n" + Details(5001), {}, InputKind::kText, ""},
  };
  for (const Case& c : cases) {
    const InputSource input = MakeInputSource(c.bytes, c.forced);
    EXPECT_EQ(input.error, c.error) << c.what;
    EXPECT_EQ(input.source == nullptr, !c.error.empty()) << c.what;
    if (input.source) {
      EXPECT_EQ(input.kind, c.kind) << c.what;
    }
  }
}

TEST(InputSource, PlanReadingsForEveryWriter) {
  const InputSource input = MakeInputSource(kFms);
  ASSERT_TRUE(input.source);
  EXPECT_EQ(input.source->Runway(), "25L");
  EXPECT_FALSE(input.source->RouteText());
  const AirportDatabase airports;
  const RouteReading decimal = input.source->Read({ParseMode::kDecimal, true}, airports);
  ASSERT_TRUE(decimal.Parsed());
  EXPECT_EQ(decimal.header.departure_name, "EAAA");
  EXPECT_EQ(decimal.header.destination_name, "EBBB");
  EXPECT_EQ(DecimalLatitudeWithHemisphere(decimal.header.departure_position.latitude) + " " +
                DecimalLongitudeWithHemisphere(decimal.header.destination_position.longitude),
            "N 50.0333 E 5.2500");
  std::string rows;
  for (const Waypoint& row : decimal.waypoints)
    rows += row.id + " " + DecimalLatitudeWithHemisphere(row.position.latitude) + " " +
            DecimalLongitudeWithHemisphere(row.position.longitude) + " " + KindLetter(row.kind) +
            " " + row.freq + "\n";
  EXPECT_EQ(rows,
            "EAAA N 50.0333 E 8.5706 A 0\nRUDOL N 50.3333 E 7.1667 V 0\n"
            "EBBB N 50.8667 E 5.2500 A 0\n");
  EXPECT_EQ(input.source->Read({}, airports).header.departure_name, "EAAA");
}

class PlanInputCli : public ::testing::Test {
 protected:
  test::TempDir dir_;

  test::CommandResult Convert(const std::string& options, const std::string& file) {
    const auto quoted = [](const fs::path& path) { return "'" + path.string() + "'"; };
    return test::RunCli("convert " + options + " --app-dir " + quoted(dir_ / "app") +
                        " --fs9-dir " + quoted(dir_ / "fs9") + " --documents-dir " +
                        quoted(dir_ / "docs") + " " + quoted(dir_ / file));
  }
  void SetUp() override {
    for (const char* folder : {"app", "fs9/Pmdg/Flightplans", "fs9/Fmcwp/NAVDATA", "docs"})
      fs::create_directories(dir_ / folder);
    fs::copy_file(test::DataDir() / "wpNavApt.txt", dir_ / "fs9/Fmcwp/NAVDATA/wpNavApt.txt");
    test::WriteFile(dir_ / "app/korvanta.ini",
                    "[Main]\r\nX-PlaneFolder=" + (dir_ / "docs").string() + "\r\n");
  }
};

TEST_F(PlanInputCli, EveryKindWritesTheTickedTargets) {
  const struct {
    std::string file, bytes;
  } plans[] = {{"plan.pln", kPln}, {"plan.fms", kFms}, {"route.gpx", kGpx}};
  for (const auto& plan : plans) {
    test::WriteFile(dir_ / plan.file, plan.bytes);
    const auto r = Convert("--targets pmdg,xplane11,gpx --cycle 2613", plan.file);
    ASSERT_EQ(r.status, 0) << plan.file << "\n" << r.err;
    EXPECT_EQ(r.err, "") << plan.file;
    EXPECT_NE(r.out.find("EAAAEBBB.fms created\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("EAAA-EBBB.gpx created\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("EAAAEBBB001.rte created\n"), std::string::npos) << r.out;
    fs::remove(dir_ / "fs9/Pmdg/Flightplans/EAAAEBBB001.rte");
    EXPECT_FALSE(fs::exists(dir_ / "app/route.txt"));
    fs::remove_all(dir_ / "docs");
    fs::create_directories(dir_ / "docs");
  }
  // The X-Plane plan read back writes itself again.
  test::WriteFile(dir_ / "plan.fms", kFms);
  ASSERT_EQ(Convert("--targets xplane11 --cycle 2613", "plan.fms").status, 0);
  EXPECT_EQ(test::ReadFile(dir_ / "docs/EAAAEBBB.fms"), kFms);
}

TEST_F(PlanInputCli, BadPlansAndForcedKinds) {
  test::WriteFile(dir_ / "bad.pln", "<SimBase.Document>\n<FlightPlan.FlightPlan>\n</Oops>\n");
  test::WriteFile(dir_ / "plan.fms", kFms);
  test::WriteFile(dir_ / "big.txt", std::string(kInputSizeLimit + 1, 'x'));
  const struct {
    std::string command, file;
    int status;
    std::string err;
  } cases[] = {
      {"convert", "bad.pln", 3, "Not a readable flight plan: "},
      {"parse", "bad.pln", 3, "(line 3)\n"},
      {"convert", "big.txt", 3, std::string(kInputTooLarge)},
      {"parse --from gpx", "plan.fms", 3, "Not a readable flight plan: "},
      {"parse --from text", "plan.fms", 3, "Wrong format"},
      {"parse --from fms", "plan.fms", 0, ""},
      {"parse --from kml", "plan.fms", 2, "--from"},
  };
  for (const auto& c : cases) {
    const auto r = c.command == "convert"
                       ? Convert("--targets fs2004,gpx", c.file)
                       : test::RunCli(c.command + " '" + (dir_ / c.file).string() + "'");
    EXPECT_EQ(r.status, c.status) << c.command << " " << c.file << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << c.command << " " << c.file << "\n" << r.err;
    if (c.status == 0) {
      EXPECT_EQ(r.out.substr(0, 28), "DepIcao=EAAA\nDestIcao=EBBB\nD");
    }
  }
  EXPECT_TRUE(fs::is_empty(dir_ / "docs"));
  EXPECT_TRUE(fs::is_empty(dir_ / "fs9/Pmdg/Flightplans"));
  EXPECT_FALSE(fs::exists(dir_ / "app/temp.tmp"));
}

}  // namespace
}  // namespace korvanta
