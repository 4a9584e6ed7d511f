// The GPX route: whole files from the writer and, with the X-Plane 11/12
// plan, from korvanta-cli, read back by a reader that follows the plan's
// format, by programs written elsewhere (ogrinfo, gpsbabel) and against the
// GPX schema.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "readers/route_text_parser.hpp"
#include "run/conversion_run.hpp"
#include "run/targets.hpp"
#include "test_support.hpp"
#include "writers/airac_cycle.hpp"
#include "writers/gpx.hpp"
#include "writers/sample_routes.hpp"
#include "writers/xplane11.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using test::CrLf;
using test::Header;
using test::kPair;
using test::kPairRm;
using test::kSouth;
using test::kSouthRm;
using test::ReadFile;
using test::Row;

std::string GpxHead(const std::string& name, const std::string& desc) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"Korvanta\" "
         "xmlns=\"http://www.topografix.com/GPX/1/1\">\n  <metadata>\n    <name>" +
         name + "</name>\n    <desc>" + desc + "</desc>\n  </metadata>\n  <rte>\n    <name>" +
         name + "</name>\n";
}
const std::string kGpxTail = "  </rte>\n</gpx>\n";

std::string RtePoint(const std::string& lat, const std::string& lon, const std::string& ele,
                     const std::string& name, const std::string& desc, const std::string& type) {
  return "    <rtept lat=\"" + lat + "\" lon=\"" + lon + "\">\n      <ele>" + ele +
         "</ele>\n      <name>" + name + "</name>\n" +
         (desc.empty() ? "" : "      <desc>" + desc + "</desc>\n") + "      <type>" + type +
         "</type>\n    </rtept>\n";
}

// Both sides of the date line: the format takes -180 but not 180.
const WaypointTable kDateLineRm =
    test::Table({Row("NZAA", "S37*00'30.00\"", "E174*47'30.00\"", "", "A"),
                 Row("EAST", "S20*00'00.00\"", "E180*00'00.00\"", "", "I"),
                 Row("WEST", "N00*00'00.00\"", "W180*00'00.00\"", "", "I"),
                 Row("PHNL", "N21*19'07.00\"", "W157*55'21.00\"", "", "A")});
const RouteHeader kDateLine = Header("NZAA", "PHNL", "AUCKLAND", "HONOLULU", 23, 13, 39000);

// Every GPX document the tests write passes the format's published schema.
void ExpectValidGpx(const std::vector<fs::path>& files) {
  if (std::system("command -v xmllint > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "xmllint is not installed (Debian package libxml2-utils)";
  std::string command =
      "xmllint --noout --schema '" + (test::DataDir() / "gpx-1.1.xsd").string() + "'";
  for (const fs::path& file : files)
    command += " '" + file.string() + "'";
  const test::TempDir out;
  const int status = std::system((command + " > '" + (out / "out").string() + "' 2>&1").c_str());
  EXPECT_EQ(status, 0) << test::ReadFile(out / "out");
}

TEST(GpxRoute, WholeRoutes) {
  const std::string cruise = "10668.0";
  EXPECT_EQ(
      WriteGpxRoute(kSouth, kSouthRm),
      GpxHead("SBGR-SCEL", "S\xC3\x83O PAULO to ARTURO &amp; &lt;B&gt;, FL350") +
          RtePoint("-23.435556", "-46.473056", "750.1", "SBGR", "S\xC3\x83O PAULO", "Airport") +
          RtePoint("-23.500153", "-46.833333", cruise, "PCX", "UZ10", "VOR") +
          RtePoint("-24.000000", "-47.000003", cruise, "ILKAP", "UZ10", "Waypoint") +
          RtePoint("-23.435556", "-46.473056", cruise, "SBGR", "", "Airport") +
          RtePoint("0.000000", "-0.000006", cruise, "\xC3\x89TRA", "UM400", "NDB") +
          RtePoint("-0.000050", "0.000006", cruise, "EQ", "", "Waypoint") +
          RtePoint("-33.393056", "-70.785833", cruise, "SCEL", "", "Airport") +
          RtePoint("-33.393056", "-70.785833", "474.0", "SCEL", "ARTURO &amp; &lt;B&gt;",
                   "Airport") +
          kGpxTail);
  EXPECT_EQ(WriteGpxRoute(kPair, kPairRm),
            GpxHead("EAAA-EBBB", "ALPHA to BETA, FL045") +
                RtePoint("50.033333", "8.570556", "-5.2", "EAAA", "ALPHA", "Airport") +
                RtePoint("50.866806", "5.250000", "5.2", "EBBB", "BETA", "Airport") + kGpxTail);
  EXPECT_EQ(WriteGpxRoute(kDateLine, kDateLineRm),
            GpxHead("NZAA-PHNL", "AUCKLAND to HONOLULU, FL390") +
                RtePoint("-37.008333", "174.791667", "7.0", "NZAA", "AUCKLAND", "Airport") +
                RtePoint("-20.000000", "-180.000000", "11887.2", "EAST", "", "Waypoint") +
                RtePoint("0.000000", "-180.000000", "11887.2", "WEST", "", "Waypoint") +
                RtePoint("21.318611", "-157.922500", "4.0", "PHNL", "HONOLULU", "Airport") +
                kGpxTail);
}

// The routes above, and those of every bundled route finder text in the
// expected outputs.
TEST(GpxRoute, RoutesPassTheSchema) {
  const test::TempDir dir;
  std::vector<fs::path> files;
  for (const auto& [header, waypoints] : {std::pair{kSouth, kSouthRm}, std::pair{kPair, kPairRm},
                                          std::pair{kDateLine, kDateLineRm}}) {
    files.push_back(dir / fmt::format("{}.gpx", files.size()));
    test::WriteFile(files.back(), WriteGpxRoute(header, waypoints));
  }
  for (const auto& entry : fs::recursive_directory_iterator(test::DataDir() / "expected")) {
    if (entry.path().extension() == ".gpx")
      files.push_back(entry.path());
  }
  ASSERT_EQ(files.size(), 3u + 5u);
  ExpectValidGpx(files);
}
// ---------------------------------------------------------------------------
// Through korvanta-cli: tests/data/route_south_west.txt (Seattle to Sydney,
// across the equator and the prime meridian), the departure named with "&"
// and E-acute (0xC9), both airports in the airport database.

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

class XPlane11AndGpxCli : public ::testing::Test {
 public:
  XPlane11AndGpxCli() {
    test::WriteFile(root_ / "fs9/Fmcwp/NAVDATA/wpNavApt.txt",
                    fmt::format("{:<24}KSEA{:41}  433\r\n{:<24}YSSY{:41}   21\r\n", "SEATTLE", "",
                                "SYDNEY", ""));
    std::string text = ReadFile(test::DataDir() / "route_south_west.txt");
    text.replace(text.find("SEATTLE-TACOMA INTL"), 19,
                 "S\xC9"
                 "ATTLE & TACOMA");
    test::WriteFile(root_ / "route.txt", text);
    fs::create_directories(docs_);
  }
  test::CommandResult Convert(const std::string& options, const std::string& settings) const {
    test::WriteFile(root_ / "app/korvanta.ini", "[Main]\r\n" + settings);
    return test::RunCli("convert " + options + " --app-dir " + Quoted(root_ / "app") +
                        " --fs9-dir " + Quoted(root_ / "fs9") + " --documents-dir " +
                        Quoted(docs_) + " " + Quoted(root_ / "route.txt"));
  }
  test::TempDir root_;
  fs::path docs_ = root_ / "docs";
};

struct Point {
  std::string name, lat, lon;
};
const std::vector<Point> kPoints = {
    {"KSEA", "47.450000", "-122.310000"}, {"SEA", "47.435278", "-122.309722"},
    {"MOXEE", "38.500000", "-73.778889"}, {"GIPOL", "5.123444", "-5.500000"},
    {"BOBOX", "-5.123444", "-0.460000"},  {"TOBAK", "-33.946111", "8.570556"},
    {"KARLO", "-33.000000", "73.778889"}, {"SYD", "-33.946111", "151.177222"},
    {"YSSY", "-33.946944", "151.176944"},
};
const std::string kDepName =
    "S\xC3\x89"
    "ATTLE &amp; TACOMA";
const std::string kPlan = CrLf(
    {"I", "1100 Version", "CYCLE 2613", "ADEP KSEA", "DEPRWY RW16L", "ADES YSSY", "NUMENR 9",
     "1 KSEA ADEP 433.000000 47.450000 -122.310000",
     "3 SEA DRCT 35000.000000 47.435278 -122.309722",
     "11 MOXEE J1 35000.000000 38.500000 -73.778889", "11 GIPOL J1 35000.000000 5.123444 -5.500000",
     "2 BOBOX DRCT 35000.000000 -5.123444 -0.460000",
     "11 TOBAK UN866 35000.000000 -33.946111 8.570556",
     "11 KARLO UN866 35000.000000 -33.000000 73.778889",
     "3 SYD DRCT 35000.000000 -33.946111 151.177222",
     "1 YSSY ADES 21.000000 -33.946944 151.176944"});

// Elevation, description (as written) and kind of each point.
const std::vector<std::vector<std::string>> kDetails = {
    {"132.0", kDepName, "Airport"},
    {"10668.0", "J1", "VOR"},
    {"10668.0", "J1", "Waypoint"},
    {"10668.0", "", "Waypoint"},
    {"10668.0", "UN866", "NDB"},
    {"10668.0", "UN866", "Waypoint"},
    {"10668.0", "", "Waypoint"},
    {"10668.0", "", "VOR"},
    {"6.4", "SYDNEY_KINGSFORD SMITH", "Airport"}};

std::string ExpectedRoute() {
  std::string out = GpxHead("KSEA-YSSY", kDepName + " to SYDNEY_KINGSFORD SMITH, FL350");
  for (std::size_t i = 0; i < kPoints.size(); ++i)
    out += RtePoint(kPoints[i].lat, kPoints[i].lon, kDetails[i][0], kPoints[i].name, kDetails[i][1],
                    kDetails[i][2]);
  return out + kGpxTail;
}

// The plan beside the version-3 X-Plane file or in its own key's folder; the
// route in its key's folder (trailing separator dropped) or the documents.
TEST_F(XPlane11AndGpxCli, WritesBothFilesByteForByteIntoTheirFolders) {
  const fs::path xp = root_ / "xp", own = root_ / "xp11", gpx = root_ / "gpx";
  for (const fs::path& f : {xp, own, gpx})
    fs::create_directories(f);
  const std::string options = "--targets xplane11,gpx --cycle 2613 --runway '16 l'";
  auto r = Convert(options, "X-PlaneFolder=" + xp.string() + "\r\nGPXFolder=" + gpx.string() + "/");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "File " + (xp / "KSEAYSSY.fms").string() + " created\nFile " +
                       (gpx / "KSEA-YSSY.gpx").string() + " created\n");
  EXPECT_EQ(ReadFile(xp / "KSEAYSSY.fms"), kPlan);
  EXPECT_EQ(ReadFile(gpx / "KSEA-YSSY.gpx"), ExpectedRoute());

  r = Convert(options, "X-PlaneFolder=" + xp.string() + "\r\nXPlane11Folder=" + own.string());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "File " + (own / "KSEAYSSY.fms").string() + " created\nFile " +
                       (docs_ / "KSEA-YSSY.gpx").string() + " created\n");
  EXPECT_EQ(ReadFile(own / "KSEAYSSY.fms"), kPlan);
  EXPECT_EQ(ReadFile(docs_ / "KSEA-YSSY.gpx"), ExpectedRoute());

  for (const char* cycle : {"2614", "13", "abcd"}) {
    r = Convert(std::string("--targets xplane11 --cycle ") + cycle, "");
    EXPECT_EQ(r.status, 2) << cycle;
    EXPECT_NE(r.err.find("--cycle"), std::string::npos) << r.err;
  }
}

// A reader of the plan as its format says: the header up to NUMENR, then
// exactly that many lines of six single-blank-separated fields, the first
// leaving ADEP, the last reaching ADES.
TEST_F(XPlane11AndGpxCli, PlanReadsBackPointForPoint) {
  ASSERT_EQ(Convert("--targets xplane11", "X-PlaneFolder=" + docs_.string()).status, 0);
  std::istringstream plan(ReadFile(docs_ / "KSEAYSSY.fms"));
  std::string line, adep, ades;
  std::size_t count = 0;
  while (count == 0 && std::getline(plan, line)) {
    std::istringstream fields(line);
    std::string key, value;
    fields >> key >> value;
    if (key == "ADEP" || key == "ADES")
      (key == "ADEP" ? adep : ades) = value;
    count = key == "NUMENR" ? std::stoul(value) : 0;
  }
  std::vector<std::vector<std::string>> rows;
  while (std::getline(plan, line)) {
    ASSERT_TRUE(line.ends_with('\r'));
    line.pop_back();
    std::istringstream fields(line);
    rows.emplace_back();
    for (std::string f; fields >> f;)
      rows.back().push_back(f);
    ASSERT_EQ(rows.back().size(), 6u) << line;
    EXPECT_EQ(fmt::format("{} {} {} {} {} {}", rows.back()[0], rows.back()[1], rows.back()[2],
                          rows.back()[3], rows.back()[4], rows.back()[5]),
              line);
  }
  ASSERT_EQ(rows.size(), count);
  ASSERT_EQ(count, kPoints.size());
  EXPECT_EQ(rows.front()[0] + rows.front()[1] + rows.front()[2], "1" + adep + "ADEP");
  EXPECT_EQ(rows.back()[0] + rows.back()[1] + rows.back()[2], "1" + ades + "ADES");
  for (std::size_t i = 0; i < count; ++i)
    EXPECT_EQ(rows[i][1] + " " + rows[i][4] + " " + rows[i][5],
              kPoints[i].name + " " + kPoints[i].lat + " " + kPoints[i].lon);
}

// Runs `tool` on the written route ("FILE" stands for it); its output.
std::string ReadBack(const XPlane11AndGpxCli& setup, const fs::path& docs, std::string command) {
  EXPECT_EQ(setup.Convert("--targets gpx", "").status, 0);
  command.replace(command.find("FILE"), 4, Quoted(docs / "KSEA-YSSY.gpx"));
  const test::TempDir out;
  const int status = std::system((command + " > " + Quoted(out / "out") + " 2>&1").c_str());
  EXPECT_EQ(status, 0) << command << "\n" << ReadFile(out / "out");
  return ReadFile(out / "out");
}

// The departure's name as UTF-8 text, unescaped.
const std::string kDepNameText =
    "S\xC3\x89"
    "ATTLE & TACOMA";

TEST_F(XPlane11AndGpxCli, RoutePassesTheSchema) {
  ASSERT_EQ(Convert("--targets gpx", "").status, 0);
  ExpectValidGpx({docs_ / "KSEA-YSSY.gpx"});
}

TEST_F(XPlane11AndGpxCli, OgrinfoReadsEveryRoutePointAndItsNames) {
  KORVANTA_REQUIRE_TOOL("ogrinfo", "gdal-bin");
  const std::string listing = ReadBack(*this, docs_, "ogrinfo -ro -al FILE route_points");
  EXPECT_NE(listing.find("Feature Count: 9\n"), std::string::npos) << listing;
  std::size_t at = 0;
  for (const Point& p : kPoints) {
    at = listing.find("  name (String) = " + p.name + "\n", at);
    ASSERT_NE(at, std::string::npos) << p.name << "\n" << listing;
  }
  EXPECT_NE(listing.find("  desc (String) = " + kDepNameText + "\n"), std::string::npos);
  EXPECT_NE(listing.find("  POINT (-0.46 -5.123444)\n"), std::string::npos) << listing;
}

TEST_F(XPlane11AndGpxCli, GpsbabelReadsTheRoute) {
  KORVANTA_REQUIRE_TOOL("gpsbabel", "gpsbabel");
  const std::string table = ReadBack(*this, docs_, "gpsbabel -r -i gpx -f FILE -o unicsv -F -");
  // Lines end with CR LF; descriptions are unescaped.
  std::string expected = "No,Latitude,Longitude,Name,Altitude,Notes\r\n";
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    const std::string& desc = i == 0 ? kDepNameText : kDetails[i][1];
    expected += fmt::format("{},{},{},\"{}\",{},{}\r\n", i + 1, kPoints[i].lat, kPoints[i].lon,
                            kPoints[i].name, kDetails[i][0], desc.empty() ? "" : '"' + desc + '"');
  }
  EXPECT_EQ(table, expected);
}

}  // namespace
}  // namespace korvanta
