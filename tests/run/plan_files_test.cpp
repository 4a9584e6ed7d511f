// The FSX plan and the Google Earth file as the run writes them, and read
// back by programs written elsewhere (xmllint, GDAL's ogrinfo).

#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "io/utf8_path.hpp"
#include "test_support.hpp"
#include "writers/fsx.hpp"
#include "writers/kml.hpp"

namespace korvanta {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempDir;
using test::WriteFile;

std::string Quoted(const std::filesystem::path& path) {
  std::string out = "'";
  for (const char c : PathToUtf8(path))
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
}

// A route text (Windows-1252) with an airport at each end, an intersection,
// a VOR and an NDB.
struct Route {
  std::string dep_name = "ALPHA/INTL";
  std::string dest_name = "BETA FIELD";
  std::string vor = "RUDOL";
};

const Route kPlainRoute;
// "&", "<", ">" and u-umlaut (0xFC) in the names, "&" in an identifier.
const Route kAmpersandRoute = {"Cheb & Marianske", "Z\xFCrich <S\xFC\x64>", "R&D"};

// The folders of one conversion: program folder, both simulators and the
// documents folder, with its FSX plan folder when `fsx_plan_folder`.
class Conversion {
 public:
  explicit Conversion(const Route& route, bool fsx_plan_folder = true) {
    std::string text = ReadFile(test::DataDir() / "example_route.txt");
    ReplaceAll(text, "ALPHA/INTL", route.dep_name);
    ReplaceAll(text, "BETA FIELD", route.dest_name);
    ReplaceAll(text, "RUDOL", route.vor);
    WriteFile(route_file(), text);
    for (const char* folder : {"app", "fs9", "fsx", "docs"}) {
      std::filesystem::create_directories(dir_ / folder);
    }
    if (fsx_plan_folder)
      std::filesystem::create_directories(FsxPlanFolder());
  }

  test::CommandResult Convert(const std::string& options) const {
    return RunCli("convert " + options + " --app-dir " + Quoted(dir_ / "app") + " --fs9-dir " +
                  Quoted(dir_ / "fs9") + " --fsx-dir " + Quoted(dir_ / "fsx") +
                  " --documents-dir " + Quoted(Documents()) + " " + Quoted(route_file()));
  }

  std::filesystem::path route_file() const { return dir_ / "route-in.txt"; }
  std::filesystem::path Documents() const { return dir_ / "docs"; }
  std::filesystem::path FsxPlanFolder() const { return Documents() / "Flight Simulator X Files"; }
  std::filesystem::path PlanText() const { return dir_ / "app" / "temp.tmp"; }
  const std::filesystem::path& Root() const { return dir_.path(); }

  // Every file below the setup's folder with the extension.
  std::vector<std::filesystem::path> FilesWith(const std::string& extension) const {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.path())) {
      if (entry.is_regular_file() && entry.path().extension() == extension) {
        found.push_back(entry.path());
      }
    }
    return found;
  }

 private:
  TempDir dir_;
};

TEST(FsxRun, MissingPlanFolderFailsThePlanAloneNamingIt) {
  const Conversion setup(kPlainRoute, false);
  const auto r = setup.Convert("--sim fsx --targets fs2004,kml");
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("FSX plan folder not found: " + setup.FsxPlanFolder().string() + "\n"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(setup.FilesWith(".pln").empty());
  EXPECT_EQ(setup.FilesWith(".kml").size(), 1U);
  EXPECT_FALSE(std::filesystem::exists(setup.Root() / "nic"));
}

TEST(FsxRun, WritesThePlanFromThisRunsPlanText) {
  const Conversion setup(kPlainRoute);
  const auto r = setup.Convert("--sim fsx --targets fs2004 --runway 25L");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string plan_text = ReadFile(setup.PlanText());
  ASSERT_NE(plan_text.find("\r\ndeparture_position=25L\r\n"), std::string::npos);
  const auto plans = setup.FilesWith(".pln");
  ASSERT_EQ(plans.size(), 1u);
  EXPECT_EQ(plans[0], setup.FsxPlanFolder() / "IFR ALPHA_INTL to BETA FIELD.pln");
  EXPECT_EQ(ReadFile(plans[0]), WriteFsxPlan(plan_text));
  EXPECT_TRUE(setup.FilesWith(".kml").empty());
}

TEST(KmlRun, GoogleEarthAloneUnderEverySelection) {
  for (const char* sim : {"fs9", "fsx", "xplane"}) {
    const Conversion setup(kPlainRoute, false);
    const auto r = setup.Convert(std::string("--targets kml --sim ") + sim);
    ASSERT_EQ(r.status, 0) << sim << r.err;
    const auto kml = setup.Documents() / "ALPHA_INTL-BETA FIELD.kml";
    EXPECT_EQ(ReadFile(kml),
              WriteGoogleEarthKml(ReadFile(setup.PlanText()), "ALPHA_INTL", "BETA FIELD"))
        << sim;
    EXPECT_TRUE(setup.FilesWith(".pln").empty()) << sim;
  }
}

// Puts a directory in front of PATH for the test's lifetime.
class PathPrefix {
 public:
  explicit PathPrefix(const std::filesystem::path& dir) {
    const char* old = std::getenv("PATH");
    old_ = old ? old : "";
    test::SetEnvironment("PATH", dir.string() + ":" + old_);
  }
  ~PathPrefix() { test::SetEnvironment("PATH", old_); }
  PathPrefix(const PathPrefix&) = delete;
  PathPrefix& operator=(const PathPrefix&) = delete;

 private:
  std::string old_;
};

TEST(KmlRun, OpensTheFileOnlyWhenAsked) {
  KORVANTA_LINUX_ONLY("a stand-in xdg-open records the file; on Windows the shell opens it");
  const Conversion setup(kAmpersandRoute);
  const TempDir bin;
  const auto record = bin / "opened";
  WriteFile(bin / "xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > " + Quoted(record) + "\n");
  std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
  const PathPrefix path(bin.path());

  auto r = setup.Convert("--targets kml");
  ASSERT_EQ(r.status, 0) << r.err;
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(std::filesystem::exists(record));
  r = setup.Convert("--targets kml --open");
  ASSERT_EQ(r.status, 0) << r.err;
  // The viewer is started, not waited for.
  for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const auto kml = setup.FilesWith(".kml");
  ASSERT_EQ(kml.size(), 1u);
  EXPECT_EQ(ReadFile(record), kml[0].string());
}

// Both files of a run that writes the FSX plan and the Google Earth file.
struct BothFiles {
  std::filesystem::path plan, kml;
};

BothFiles Convert(const Conversion& setup) {
  const auto r = setup.Convert("--sim fsx --targets fs2004,kml");
  EXPECT_EQ(r.status, 0) << r.err;
  const auto plans = setup.FilesWith(".pln");
  const auto kmls = setup.FilesWith(".kml");
  EXPECT_EQ(plans.size(), 1u);
  EXPECT_EQ(kmls.size(), 1u);
  return {plans.empty() ? "" : plans[0], kmls.empty() ? "" : kmls[0]};
}

TEST(XmlReaders, XmllintAcceptsBothFiles) {
  KORVANTA_LINUX_ONLY("xmllint is a Linux program");
  KORVANTA_REQUIRE_TOOL("xmllint", "libxml2-utils");
  for (const Route* route : {&kPlainRoute, &kAmpersandRoute}) {
    const Conversion setup(*route);
    const BothFiles files = Convert(setup);
    const TempDir out;
    for (const auto& file : {files.plan, files.kml}) {
      const int status = std::system(
          ("xmllint --noout " + Quoted(file) + " > " + Quoted(out / "err") + " 2>&1").c_str());
      EXPECT_EQ(status, 0) << file << "\n" << ReadFile(out / "err");
    }
    if (route == &kAmpersandRoute) {
      EXPECT_NE(ReadFile(files.plan).find("<DepartureName>Cheb &amp; Marianske</DepartureName>"),
                std::string::npos);
    }
  }
}

// One feature as ogrinfo lists it: its name and its geometry's points.
struct Feature {
  std::string name;
  std::string geometry;  // POINT, LINESTRING, ...
  std::vector<std::pair<double, double>> points;
};

std::vector<std::pair<double, double>> Points(std::string_view text) {
  std::vector<std::pair<double, double>> points;
  const auto open = text.find('(');
  if (open == std::string_view::npos)
    return points;
  text = text.substr(open + 1, text.find(')') - open - 1);
  while (!text.empty()) {
    const std::string_view point = text.substr(0, text.find(','));
    text.remove_prefix(std::min(text.size(), point.size() + 1));
    double lon = 0, lat = 0;
    const char* p = point.data();
    const char* end = point.data() + point.size();
    while (p < end && *p == ' ')
      ++p;
    p = std::from_chars(p, end, lon).ptr;
    while (p < end && *p == ' ')
      ++p;
    std::from_chars(p, end, lat);
    points.emplace_back(lon, lat);
  }
  return points;
}

std::vector<Feature> OgrFeatures(const std::string& listing) {
  std::vector<Feature> features;
  std::size_t start = 0;
  while (start < listing.size()) {
    std::size_t end = listing.find('\n', start);
    if (end == std::string::npos)
      end = listing.size();
    const std::string_view line(listing.data() + start, end - start);
    start = end + 1;
    if (line.starts_with("OGRFeature(")) {
      features.emplace_back();
    } else if (features.empty()) {
      continue;
    } else if (line.starts_with("  Name (String) = ")) {
      features.back().name = line.substr(18);
    } else if (line.starts_with("  POINT") || line.starts_with("  LINESTRING")) {
      features.back().geometry = line.substr(2, line.find(' ', 2) - 2);
      features.back().points = Points(line);
    }
  }
  return features;
}

TEST(KmlReaders, OgrinfoReadsEveryPlacemarkAndTheRouteLine) {
  KORVANTA_LINUX_ONLY("ogrinfo is a Linux program");
  KORVANTA_REQUIRE_TOOL("ogrinfo", "gdal-bin");
  const std::vector<std::pair<double, double>> points = {
      {8.5705, 50.033333}, {8.283333, 50.091667}, {7.166667, 50.333333},
      {6.0, 50.666667},    {5.25, 50.866667},
  };
  for (const Route* route : {&kPlainRoute, &kAmpersandRoute}) {
    const Conversion setup(*route);
    const BothFiles files = Convert(setup);
    const TempDir out;
    const int status = std::system(("ogrinfo -al " + Quoted(files.kml) + " > " +
                                    Quoted(out / "out") + " 2> " + Quoted(out / "err"))
                                       .c_str());
    ASSERT_EQ(status, 0) << ReadFile(out / "err");
    const std::string listing = ReadFile(out / "out");
    const auto features = OgrFeatures(listing);

    const std::vector<std::string> names = {"EAAA", "TOBAK", route->vor, "KOMAR", "EBBB"};
    ASSERT_EQ(features.size(), names.size() + 1) << listing;
    for (std::size_t i = 0; i < names.size(); ++i) {
      EXPECT_EQ(features[i].name, names[i]) << listing;
      EXPECT_EQ(features[i].geometry, "POINT") << listing;
      ASSERT_EQ(features[i].points.size(), 1u) << listing;
      EXPECT_NEAR(features[i].points[0].first, points[i].first, 1e-6) << names[i];
      EXPECT_NEAR(features[i].points[0].second, points[i].second, 1e-6) << names[i];
    }
    const Feature& line = features.back();
    EXPECT_EQ(line.name, "Flightplan");
    EXPECT_EQ(line.geometry, "LINESTRING") << listing;
    ASSERT_EQ(line.points.size(), points.size()) << listing;
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_NEAR(line.points[i].first, points[i].first, 1e-6) << i;
      EXPECT_NEAR(line.points[i].second, points[i].second, 1e-6) << i;
    }
    if (route == &kAmpersandRoute) {
      // The layer is the folder, named in UTF-8.
      EXPECT_NE(listing.find("Layer name: Cheb & Marianske-Z\xC3\xBCrich <S\xC3\xBC\x64>"),
                std::string::npos)
          << listing;
    }
  }
}

}  // namespace
}  // namespace korvanta
