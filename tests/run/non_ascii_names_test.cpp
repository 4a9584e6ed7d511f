// Names outside ASCII, from the route text and from the command line's
// folders, reach the disk and the status lines unchanged on every platform
// (a Windows program reads a plain std::string path in the ANSI code page).

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "io/utf8_path.hpp"
#include "run/conversion_run.hpp"
#include "stand_in_front_end.hpp"
#include "test_support.hpp"
#include "text/cp1252.hpp"

namespace korvanta {
namespace {

// "Dokumenty Łódź", "Flügpläne Ærø": letters both in and outside Windows-1252.
constexpr const char* kDocumentsName = "Dokumenty \xC5\x81\xC3\xB3\x64\xC5\xBA";
constexpr const char* kPmdgName = "Fl\xC3\xBCgpl\xC3\xA4ne \xC3\x86r\xC3\xB8";

std::string Quoted(const std::filesystem::path& path) {
  return "'" + PathToUtf8(path) + "'";
}

// The file names in `folder`, as UTF-8.
std::set<std::string> Names(const std::filesystem::path& folder) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    names.insert(PathToUtf8(entry.path().filename()));
  return names;
}

TEST(NonAsciiNames, AirportNamesAndFoldersKeepTheirLetters) {
  const test::TempDir dir;
  const auto docs = dir.path() / PathFromUtf8(kDocumentsName);
  const auto pmdg = dir.path() / PathFromUtf8(kPmdgName);
  const auto fs9 = dir / "fs9";
  for (const auto& folder : {docs, pmdg, fs9})
    std::filesystem::create_directories(folder);
  test::WriteFile(dir / "app" / "korvanta.ini",
                  "[Main]\r\nPMDGFolder=" + PathToUtf8(pmdg) + "\r\n");

  // The destination "ZÜRICH" in the route's Windows-1252 text.
  std::string route = test::ReadFile(test::DataDir() / "example_route.txt");
  route.replace(route.find("BETA FIELD"), 10, "Z\xDCRICH");
  test::WriteFile(dir / "route.txt", route);

  const auto r = test::RunCli("convert --targets fs2004,kml,pmdg --app-dir " + Quoted(dir / "app") +
                              " --fs9-dir " + Quoted(fs9) + " --documents-dir " + Quoted(docs) +
                              " " + Quoted(dir / "route.txt"));
  ASSERT_EQ(r.status, 0) << r.err;

  const std::string zurich = "Z\xC3\x9CRICH";
  EXPECT_EQ(Names(docs / "Flight Simulator Files"),
            std::set<std::string>{"IFR ALPHA_INTL to " + zurich + ".pln"});
  EXPECT_EQ(Names(docs),
            (std::set<std::string>{"ALPHA_INTL-" + zurich + ".kml", "Flight Simulator Files"}));
  // The plan's text keeps the route's own bytes.
  const std::string plan = test::ReadFile(docs / "Flight Simulator Files" /
                                          PathFromUtf8("IFR ALPHA_INTL to " + zurich + ".pln"));
  EXPECT_NE(plan.find("destination_name=Z\xDCRICH\r\n"), std::string::npos) << plan;

  EXPECT_EQ(Names(pmdg), std::set<std::string>{"EAAAEBBB001.rte"});
  EXPECT_EQ(r.out, "File " +
                       ShownPath(docs / "Flight Simulator Files" /
                                 PathFromUtf8("IFR ALPHA_INTL to " + zurich + ".pln")) +
                       " created\nFile " +
                       ShownPath(docs / PathFromUtf8("ALPHA_INTL-" + zurich + ".kml")) +
                       " created\nFile " + ShownPath(pmdg / "EAAAEBBB001.rte") + " created\n");
}

TEST(NonAsciiNames, UnicodeFilesKeepEveryLetterAndSingleByteFilesAsTheyCan) {
  // The destination "ŁÓDŹ" in a UTF-8 route: Windows-1252 has "Ó" only.
  const std::string lodz = "\xC5\x81\xC3\x93\x44\xC5\xB9";
  const std::string lodz_1252 = "?\xD3\x44?";
  std::string route = Cp1252ToUtf8(test::ReadFile(test::DataDir() / "example_route.txt"));
  route.replace(route.find("BETA FIELD"), 10, lodz);

  const test::TempDir dir;
  for (const char* folder :
       {"app", "docs/Flight Simulator X Files", "fsx/Level-D Simulations/navdata/Flightplans"})
    std::filesystem::create_directories(dir / folder);
  FixedFolderSource source;
  source.documents = dir / "docs";
  source.fs9 = dir / "fs9";
  source.fsx = dir / "fsx";
  const FolderSet folders = BuildFolderSet(dir / "app", source);
  const AirportDatabase airports;
  test::StandInFrontEnd front;
  ConversionRun run(folders, airports, front);
  RunChoices choices;
  choices.simulator = Simulator::kFsx;
  choices.ticked = {Target::kFs2004, Target::kGoogleEarth, Target::kGpx, Target::kLevelD};
  ASSERT_EQ(run.Run(route, choices).end, RunEnd::kCompleted);
  EXPECT_EQ(front.Messages(), std::vector<std::string>{});

  const std::pair<std::string, std::string> expected[] = {
      {"docs/Flight Simulator X Files/IFR ALPHA_INTL to _\xC3\x93\x44_.pln",
       "<DestinationName>" + lodz + "</DestinationName>"},
      {"docs/ALPHA_INTL-" + lodz + ".kml", "<name>ALPHA_INTL-" + lodz + "</name>"},
      {"docs/EAAA-EBBB.gpx", "<desc>" + lodz + "</desc>"},
      {"app/temp.tmp", "destination_name=" + lodz_1252 + "\r\n"},
      {"fsx/Level-D Simulations/navdata/Flightplans/EAAAEBBB.rte",
       ";ALPHA_INTL to " + lodz_1252 + "\r\n"},
      {"app/route.txt", "ALPHA/INTL (EAAA) to " + lodz_1252 + " (EBBB)"},
  };
  for (const auto& [file, text] : expected) {
    const std::string bytes = test::ReadFile(dir.path() / PathFromUtf8(file));
    EXPECT_NE(bytes.find(text), std::string::npos) << file << ":\n" << bytes;
  }
}

TEST(NonAsciiNames, ShownPathsUseThePlatformsSeparator) {
  const auto shown = ShownPath(PathFromUtf8("C:/Z\xC3\x9CRICH/plans") / "a.pln");
  EXPECT_EQ(shown,
            test::kOnWindows ? "C:\\Z\xC3\x9CRICH\\plans\\a.pln" : "C:/Z\xC3\x9CRICH/plans/a.pln");
}

}  // namespace
}  // namespace korvanta
