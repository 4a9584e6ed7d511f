// korvanta-cli convert with the X-Plane 11/12 and GPX targets, and the files
// read back: the plan by a reader that follows its format, the route by
// programs written elsewhere (GDAL's ogrinfo, gpsbabel, xmllint).

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

std::string Quoted(const fs::path& path) {
  std::string out = "'";
  for (const char c : path.string())
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

bool OnPath(const std::string& tool) {
  return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

#define REQUIRE_TOOL(tool, package)                                 \
  if (!OnPath(tool))                                                \
  GTEST_SKIP() << tool " is not installed (Debian package " package \
                       "; scripts/install-deps installs it)"

std::vector<std::string> SplitOn(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
    lines.push_back(text.substr(start, at - start));
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; in >> f;)
    fields.push_back(f);
  return fields;
}

// The route of tests/data/route_south_west.txt (Seattle to Sydney, across
// the equator and the prime meridian), its departure named with an "&" and
// an E-acute (0xC9), and the airport database with both airports.
class NewTargetsCli : public ::testing::Test {
 protected:
  NewTargetsCli() {
    for (const fs::path& f : {app_, docs_, fs9_ / "Fmcwp" / "NAVDATA"})
      fs::create_directories(f);
    WriteFile(fs9_ / "Fmcwp" / "NAVDATA" / "wpNavApt.txt",
              fmt::format("{:<24}{:<4}{:41}{:>5}\r\n{:<24}{:<4}{:41}{:>5}\r\n", "SEATTLE", "KSEA",
                          "", 433, "SYDNEY", "YSSY", "", 21));
    std::string text = ReadFile(test::DataDir() / "route_south_west.txt");
    text.replace(text.find("SEATTLE-TACOMA INTL"), 19,
                 "S\xC9"
                 "ATTLE & TACOMA");
    WriteFile(route_, text);
  }

  test::CommandResult Convert(const std::string& options) const {
    return test::RunCli("convert " + options + " --app-dir " + Quoted(app_) + " --fs9-dir " +
                        Quoted(fs9_) + " --documents-dir " + Quoted(docs_) + " " + Quoted(route_));
  }

  void Settings(const std::string& lines) const {
    WriteFile(app_ / "korvanta.ini", "[Main]\r\n" + lines);
  }

  test::TempDir root_;
  fs::path app_ = root_ / "app";
  fs::path docs_ = root_ / "docs";
  fs::path fs9_ = root_ / "fs9";
  fs::path route_ = root_ / "route.txt";
};

const std::string kPlan = test::CrLf({
    "I",
    "1100 Version",
    "CYCLE 2613",
    "ADEP KSEA",
    "DEPRWY RW16L",
    "ADES YSSY",
    "NUMENR 9",
    "1 KSEA ADEP 433 47.450000 -122.310000",
    "3 SEA DRCT 35000 47.435278 -122.309722",
    "11 MOXEE J1 35000 38.500000 -73.778889",
    "11 GIPOL J1 35000 5.123444 -5.500000",
    "2 BOBOX DRCT 35000 -5.123444 -0.460000",
    "11 TOBAK UN866 35000 -33.946111 8.570556",
    "11 KARLO UN866 35000 -33.000000 73.778889",
    "3 SYD DRCT 35000 -33.946111 151.177222",
    "1 YSSY ADES 21 -33.946944 151.176944",
});

// One route point: name, latitude, longitude, as every reader gives them.
struct Point {
  std::string name;
  std::string lat, lon;
};

const std::vector<Point> kPoints = {
    {"KSEA", "47.450000", "-122.310000"}, {"SEA", "47.435278", "-122.309722"},
    {"MOXEE", "38.500000", "-73.778889"}, {"GIPOL", "5.123444", "-5.500000"},
    {"BOBOX", "-5.123444", "-0.460000"},  {"TOBAK", "-33.946111", "8.570556"},
    {"KARLO", "-33.000000", "73.778889"}, {"SYD", "-33.946111", "151.177222"},
    {"YSSY", "-33.946944", "151.176944"},
};

std::string RtePoint(const Point& p, const std::string& ele, const std::string& desc,
                     const std::string& type) {
  std::string out = "    <rtept lat=\"" + p.lat + "\" lon=\"" + p.lon + "\">\n      <ele>" + ele +
                    "</ele>\n      <name>" + p.name + "</name>\n";
  if (!desc.empty())
    out += "      <desc>" + desc + "</desc>\n";
  return out + "      <type>" + type + "</type>\n    </rtept>\n";
}

const std::string kDepName =
    "S\xC3\x89"
    "ATTLE &amp; TACOMA";

std::string ExpectedRoute() {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Korvanta\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <metadata>\n"
      "    <name>KSEA-YSSY</name>\n"
      "    <desc>" +
      kDepName +
      " to SYDNEY_KINGSFORD SMITH, FL350</desc>\n"
      "  </metadata>\n"
      "  <rte>\n"
      "    <name>KSEA-YSSY</name>\n";
  out += RtePoint(kPoints[0], "132.0", kDepName, "Airport");
  out += RtePoint(kPoints[1], "10668.0", "J1", "VOR");
  out += RtePoint(kPoints[2], "10668.0", "J1", "Waypoint");
  out += RtePoint(kPoints[3], "10668.0", "", "Waypoint");
  out += RtePoint(kPoints[4], "10668.0", "UN866", "NDB");
  out += RtePoint(kPoints[5], "10668.0", "UN866", "Waypoint");
  out += RtePoint(kPoints[6], "10668.0", "", "Waypoint");
  out += RtePoint(kPoints[7], "10668.0", "", "VOR");
  out += RtePoint(kPoints[8], "6.4", "SYDNEY_KINGSFORD SMITH", "Airport");
  return out + "  </rte>\n</gpx>\n";
}

// Folders from the settings: the plan beside the version-3 X-Plane file, the
// route in its own folder given with a trailing separator.
TEST_F(NewTargetsCli, WritesBothFilesIntoTheirFolders) {
  const fs::path xplane = root_ / "xplane";
  const fs::path gpx = root_ / "gpx";
  fs::create_directories(xplane);
  fs::create_directories(gpx);
  Settings("X-PlaneFolder=" + xplane.string() + "\r\nGPXFolder=" + gpx.string() + "/\r\n");

  const auto r = Convert("--targets xplane11,gpx --cycle 2613 --runway '16 l'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "File " + (xplane / "KSEAYSSY.fms").string() + " created\nFile " +
                       (gpx / "KSEA-YSSY.gpx").string() + " created\n");
  EXPECT_EQ(ReadFile(xplane / "KSEAYSSY.fms"), kPlan);
  EXPECT_EQ(ReadFile(gpx / "KSEA-YSSY.gpx"), ExpectedRoute());
}

// Without its key the route goes to the documents folder; a key of the plan's
// own wins over the version-3 file's.
TEST_F(NewTargetsCli, OwnKeyFirstAndTheDocumentsFolderLast) {
  const fs::path own = root_ / "xp11";
  fs::create_directories(own);
  Settings("X-PlaneFolder=" + (root_ / "missing").string() + "\r\nXPlane11Folder=" + own.string() +
           "\r\n");
  const auto r = Convert("--targets gpx,xplane11 --cycle 2613 --runway '16 l'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "File " + (own / "KSEAYSSY.fms").string() + " created\nFile " +
                       (docs_ / "KSEA-YSSY.gpx").string() + " created\n");
  EXPECT_EQ(ReadFile(own / "KSEAYSSY.fms"), kPlan);
  EXPECT_EQ(ReadFile(docs_ / "KSEA-YSSY.gpx"), ExpectedRoute());
}

TEST_F(NewTargetsCli, RefusesACycleThatDoesNotExist) {
  for (const char* cycle : {"2614", "13", "abcd", "26133"}) {
    const auto r = Convert(std::string("--targets xplane11 --cycle ") + cycle);
    EXPECT_EQ(r.status, 2) << cycle;
    EXPECT_NE(r.err.find("--cycle"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(fs::is_empty(docs_));
}

// ---------------------------------------------------------------------------
// Read back

// A reader of the X-Plane 11/12 plan as the format describes it: the header,
// NUMENR, then exactly that many point lines of six fields, the first leaving
// the departure airport, the last reaching the destination.
std::vector<Point> ReadPlan(const std::string& bytes) {
  std::vector<Point> points;
  const std::vector<std::string> lines = SplitOn(bytes, "\r\n");
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  EXPECT_GE(lines.size(), 6u);
  if (lines.size() < 6)
    return points;
  EXPECT_EQ(lines[0], "I");
  EXPECT_EQ(lines[1], "1100 Version");
  EXPECT_EQ(Fields(lines[2]).size(), 2u);
  EXPECT_EQ(Fields(lines[2])[0], "CYCLE");
  std::string adep, ades;
  std::size_t count = 0;
  std::size_t i = 3;
  for (; i < lines.size(); ++i) {
    const auto f = Fields(lines[i]);
    EXPECT_EQ(f.size(), 2u) << lines[i];
    if (f[0] == "ADEP")
      adep = f[1];
    else if (f[0] == "ADES")
      ades = f[1];
    else if (f[0] == "NUMENR") {
      count = std::stoul(f[1]);
      break;
    } else
      EXPECT_EQ(f[0], "DEPRWY") << lines[i];
  }
  EXPECT_EQ(lines.size() - i - 1, count);
  for (std::size_t n = 0; ++i < lines.size(); ++n) {
    const auto f = Fields(lines[i]);
    std::string single_blanks;
    for (const std::string& field : f)
      single_blanks += (single_blanks.empty() ? "" : " ") + field;
    EXPECT_EQ(lines[i], single_blanks);
    EXPECT_EQ(f.size(), 6u) << lines[i];
    if (f.size() != 6)
      continue;
    EXPECT_TRUE(f[0] == "1" || f[0] == "2" || f[0] == "3" || f[0] == "11") << lines[i];
    if (n == 0) {
      EXPECT_EQ(f[0] + f[1] + f[2], "1" + adep + "ADEP");
    } else if (n + 1 == count) {
      EXPECT_EQ(f[0] + f[1] + f[2], "1" + ades + "ADES");
    } else {
      EXPECT_NE(f[2], "ADEP");
      EXPECT_NE(f[2], "ADES");
    }
    EXPECT_EQ(f[3].find_first_not_of("-0123456789"), std::string::npos) << lines[i];
    points.push_back({f[1], f[4], f[5]});
  }
  return points;
}

TEST_F(NewTargetsCli, PlanReadsBackPointForPoint) {
  Settings("X-PlaneFolder=" + docs_.string() + "\r\n");
  ASSERT_EQ(Convert("--targets xplane11").status, 0);
  const std::vector<Point> points = ReadPlan(ReadFile(docs_ / "KSEAYSSY.fms"));
  ASSERT_EQ(points.size(), kPoints.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(points[i].name, kPoints[i].name);
    EXPECT_EQ(points[i].lat, kPoints[i].lat);
    EXPECT_EQ(points[i].lon, kPoints[i].lon);
  }
}

class GpxReaders : public NewTargetsCli {
 protected:
  // Writes the route and runs `command` with "FILE" standing for it; the
  // output, or a failure with the error output.
  std::string Run(const std::string& command) {
    if (!fs::exists(file_)) {
      const auto r = Convert("--targets gpx");
      EXPECT_EQ(r.status, 0) << r.err;
    }
    std::string line = command;
    line.replace(line.find("FILE"), 4, Quoted(file_));
    const int status =
        std::system((line + " > " + Quoted(out_ / "out") + " 2> " + Quoted(out_ / "err")).c_str());
    EXPECT_EQ(status, 0) << line << "\n" << ReadFile(out_ / "err");
    return ReadFile(out_ / "out");
  }

  fs::path file_ = docs_ / "KSEA-YSSY.gpx";
  test::TempDir out_;
};

TEST_F(GpxReaders, XmllintAcceptsTheRoute) {
  REQUIRE_TOOL("xmllint", "libxml2-utils");
  Run("xmllint --noout FILE");
}

// GDAL lists the route points as features of the layer "route_points".
TEST_F(GpxReaders, OgrinfoReadsEveryRoutePointAndItsNames) {
  REQUIRE_TOOL("ogrinfo", "gdal-bin");
  const std::string listing = Run("ogrinfo -ro -al FILE route_points");
  std::vector<std::string> names, descs, points;
  for (const std::string& line : SplitOn(listing, "\n")) {
    if (line.starts_with("  name (String) = "))
      names.push_back(line.substr(18));
    else if (line.starts_with("  desc (String) = "))
      descs.push_back(line.substr(18));
    else if (line.starts_with("  POINT ("))
      points.push_back(line.substr(9, line.size() - 10));
  }
  EXPECT_NE(listing.find("Feature Count: 9"), std::string::npos) << listing;
  ASSERT_EQ(names.size(), kPoints.size()) << listing;
  ASSERT_EQ(points.size(), kPoints.size()) << listing;
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    EXPECT_EQ(names[i], kPoints[i].name);
    // GDAL writes the shortest text that reads back as the same number.
    double lon = 0, lat = 0;
    ASSERT_EQ(std::sscanf(points[i].c_str(), "%lf %lf", &lon, &lat), 2) << points[i];
    EXPECT_NEAR(lat, std::stod(kPoints[i].lat), 5e-7) << kPoints[i].name;
    EXPECT_NEAR(lon, std::stod(kPoints[i].lon), 5e-7) << kPoints[i].name;
  }
  ASSERT_FALSE(descs.empty());
  EXPECT_EQ(descs.front(),
            "S\xC3\x89"
            "ATTLE & TACOMA");
}

TEST_F(GpxReaders, GpsbabelReadsTheRoute) {
  REQUIRE_TOOL("gpsbabel", "gpsbabel");
  const std::string table = Run("gpsbabel -r -i gpx -f FILE -o unicsv -F -");
  const std::vector<std::string> lines = SplitOn(table, "\n");
  ASSERT_EQ(lines.size(), kPoints.size() + 1) << table;
  EXPECT_EQ(lines[0].substr(0, lines[0].find(",Name")), "No,Latitude,Longitude") << table;
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    EXPECT_TRUE(lines[i + 1].starts_with(
        fmt::format("{},{},{},\"{}\",", i + 1, kPoints[i].lat, kPoints[i].lon, kPoints[i].name)))
        << lines[i + 1];
  }
  EXPECT_NE(lines[1].find("\"S\xC3\x89"
                          "ATTLE & TACOMA\""),
            std::string::npos)
      << lines[1];
}

}  // namespace
}  // namespace korvanta
