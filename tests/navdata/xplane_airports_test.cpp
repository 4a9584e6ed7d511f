// X-Plane's airport file: which airport rows place an airport, the scan of
// a file read in pieces, and where the file is found.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navdata/xplane_airports.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

const std::string kAirports =
    "I\n1100 Version - data cycle 2613\n"
    "1    433 0 0 KSEA Seattle-Tacoma Intl\n"
    "1302 datum_lat 47.449888889\n"
    "1302 datum_lon -122.311777778\n"
    "100 45.11 1 0 0.25 1 3 0 16L 47.46 -122.30 0 0 2 0 0 0 34R 47.43 -122.30 0 0 2 0 0 0\n"
    // the first runway's middle
    "1 100 0 0 XABC Runway Field\n"
    "100 30 1 0 0.25 0 0 0 09 10.0 20.0 0 0 0 0 0 0 27 10.0 20.5 0 0 0 0 0 0\n"
    "100 30 1 0 0.25 0 0 0 18 11.0 21.0 0 0 0 0 0 0 36 11.5 21.0 0 0 0 0 0 0\n"
    // an ICAO code other than the header's identifier
    "1 1482 0 0 LSMF Mollis\n"
    "1302 icao_code LSZM\n"
    "100 30 1 0 0.25 0 0 0 01 47.0 9.0 0 0 0 0 0 0 19 47.1 9.1 0 0 0 0 0 0\n"
    "1 10 0 0 NODT Nowhere\n"
    // empty datum rows
    "17 20 0 0 EXDT Heliport\n"
    "1302 datum_lat\n1302 datum_lon\n"
    "100 30 1 0 0.25 0 0 0 01 1.0 2.0 0 0 0 0 0 0 19 1.0 2.0 0 0 0 0 0 0\n"
    // a runway across the 180th meridian
    "16 0 0 0 FIJI Seaplane Base\n"
    "100 30 1 0 0.25 0 0 0 09 -17.0 179.9 0 0 0 0 0 0 27 -17.0 -179.9 0 0 0 0 0 0\n"
    // a name in Windows-1252; an airport listed again
    "1 1416 0 0 EZUR Z\xfcrich\n1302 datum_lat 47.5\n1302 datum_lon 8.5\n"
    "1 0 0 0 KSEA Second Listing\n1302 datum_lat 1\n1302 datum_lon 1\n"
    "99\n"
    "1 0 0 0 AFTR After The End\n1302 datum_lat 1\n1302 datum_lon 1\n";

const std::vector<std::string> kAsked = {"FIJI", "KSEA", "XABC", "LSZM", "LSMF",
                                         "NODT", "EXDT", "EZUR", "AFTR", "KSEA"};

const std::string kFound =
    "FIJI Seaplane Base -6120000 64800000 0\n"
    "KSEA Seattle-Tacoma Intl 17081960 -44032240 433\n"
    "XABC Runway Field 3600000 7290000 100\n"
    "LSZM Mollis 16938000 3258000 1482\n"
    "EXDT Heliport 360000 720000 20\n"
    "EZUR Z\xC3\xBCrich 17100000 3060000 1416\n";

std::string Shown(const std::vector<XPlaneAirport>& airports) {
  std::string out;
  for (const XPlaneAirport& airport : airports) {
    out += fmt::format("{} {} {} {} {}\n", airport.icao, airport.name, airport.position.latitude,
                       airport.position.longitude, airport.elevation);
  }
  return out;
}

TEST(XPlaneAirports, RowsThatPlaceAnAirport) {
  EXPECT_EQ(Shown(ScanXPlaneAirportText(kAirports, kAsked)), kFound);
}

TEST(XPlaneAirports, FileReadInPiecesWithCrLf) {
  // Rows not read here, enough to cut lines at the ends of several pieces.
  std::string filler;
  for (int row = 0; row < 120000; ++row)
    filler += fmt::format("111  47.{:09} -122.311777778\r\n", row);
  std::string text = kAirports;
  for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
    text.replace(at, 1, "\r\n");
  text.insert(text.find("\r\n1 100 0 0 XABC") + 2, filler);
  text.insert(text.find("\r\n16 0 0 0 FIJI") + 2, filler);
  const test::TempDir folder;
  test::WriteFile(folder / "apt.dat", text);

  const XPlaneAirportScan scan = ScanXPlaneAirportFile(folder / "apt.dat", kAsked);
  EXPECT_EQ(scan.problem, "");
  EXPECT_EQ(Shown(scan.airports), kFound);
  EXPECT_EQ(ScanXPlaneAirportFile(folder / "none.dat", kAsked).problem.rfind("Cannot open ", 0),
            0u);
}

TEST(XPlaneAirports, FileOfTheNewestInstallationLayout) {
  const test::TempDir xplane;
  const std::filesystem::path in_nav_data = std::filesystem::path("Earth nav data") / "apt.dat";
  const std::vector<std::filesystem::path> layouts = {
      xplane.path() / "Resources" / "default scenery" / "default apt dat" / in_nav_data,
      xplane.path() / "Custom Scenery" / "Global Airports" / in_nav_data,
      xplane.path() / "Global Scenery" / "Global Airports" / in_nav_data,
  };
  EXPECT_FALSE(XPlaneAirportFile(xplane.path()).has_value());
  for (const std::filesystem::path& file : layouts) {
    test::WriteFile(file, "I\n");
    EXPECT_EQ(XPlaneAirportFile(xplane.path()), file);
  }
}

}  // namespace
}  // namespace korvanta
