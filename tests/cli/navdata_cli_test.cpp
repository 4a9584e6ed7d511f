// korvanta-cli navdata: which navigation data a run reads, and what it holds.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "io/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

std::string Left(const std::string& text, std::size_t width) {
  return text + std::string(width - text.size(), ' ');
}

std::string Right(const std::string& text, std::size_t width) {
  return std::string(width - text.size(), ' ') + text;
}

// A small set in the FMC data folder's fixed columns, its file names in the
// spellings installers write.
void WriteFmcData(const fs::path& folder) {
  const auto fix = [](const std::string& id, const std::string& lat, const std::string& lon) {
    return Left(id, 24) + Left(id, 5) + Right(lat, 10) + Right(lon, 11);
  };
  const auto aid = [](const std::string& name, const std::string& id, const std::string& type,
                      const std::string& lat, const std::string& lon, const std::string& freq) {
    return Left(name, 24) + Left(id, 4) + " " + Left(type, 4) + Right(lat, 10) + Right(lon, 11) +
           Right(freq, 6);
  };
  test::WriteFile(folder / "WPNAVFIX.TXT",
                  test::CrLf({"; Navigation data AIRAC 2613", fix("TOBAK", "51.000000", "7.500000"),
                              fix("KOMAR", "52.250000", "-0.750000"),
                              fix("DIXIE", "40.000000", "-74.000000")}));
  test::WriteFile(folder / "wpNavAID.txt",
                  test::CrLf({"; Navigation data AIRAC 2613",
                              aid("RUDOL", "RUD", "VOR", "52.000000", "6.000000", "114.30"),
                              aid("BENTO", "BEN", "NDB", "52.500000", "-2.000000", "385.00")}));
  test::WriteFile(
      folder / "wpnavrte.txt",
      test::CrLf({"UL602 001 TOBAK 51.000000 7.500000", "UL602 002 RUD 52.000000 6.000000",
                  "UL602 003 KOMAR 52.250000 -0.750000", "UN1 001 KOMAR 52.250000 -0.750000",
                  "UN1 002 BEN 52.500000 -2.000000"}));
}

TEST(NavdataCommand, NamesTheDataItReads) {
  test::TempDir root;
  const fs::path fmc = root / "fmc";
  const fs::path xplane = root / "xplane";
  fs::create_directories(fmc);
  fs::create_directories(xplane);
  const std::string folders = "navdata --app-dir '" + root.path().string() + "' --fmc-data-dir '" +
                              fmc.string() + "' --xplane-install-dir '" + xplane.string() + "'";

  // Neither folder holds navigation data: where it was looked for.
  auto r = test::RunCli(folders);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Airport list: " + ShownPath(fmc / "wpNavApt.txt") +
                       " (File wpNavApt.txt missing)\nNavigation data: none\n");
  EXPECT_NE(r.err.find("No navigation data: no wpNavFIX.txt in " + ShownPath(fmc)),
            std::string::npos)
      << r.err;

  // The FMC data folder wins over X-Plane's.
  WriteFmcData(fmc);
  fs::copy_file(test::DataDir() / "wpNavApt.txt", fmc / "wpNavApt.txt");
  r = test::RunCli(folders);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Airport list: " + ShownPath(fmc / "wpNavApt.txt") +
                       " (found)\n"
                       "Navigation data: FMC data folder " +
                       ShownPath(fmc) + "\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("2613"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Fixes: 3\nVORs: 1\nNDBs: 1\nAirways: 2\nAirway legs: 3\n"),
            std::string::npos)
      << r.out;
}

}  // namespace
}  // namespace korvanta
