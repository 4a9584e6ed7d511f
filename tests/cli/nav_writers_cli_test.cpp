// korvanta-cli convert with the FSNavigator, CIVA, MadDog 2008 and Tu-154
// targets, into a simulator folder tree in a temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "simulator_tree.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using test::CrLf;

class Tu154ConvertCli : public ::testing::Test {
 protected:
  Tu154ConvertCli() {
    fs::create_directories(docs_);
    for (const auto& entry : fs::directory_iterator(test::DataDir() / "kln90b"))
      fs::copy_file(entry.path(), kln_ / entry.path().filename());
  }

  test::CommandResult Convert(int plan_number) {
    return test::RunCli("convert --targets fsnav,civa,maddog,tu154 --plan-number " +
                        std::to_string(plan_number) + " --app-dir '" + app_.string() +
                        "' --fs9-dir '" + fs9_.string() + "' --documents-dir '" + docs_.string() +
                        "' '" + (test::DataDir() / "nav_route.txt").string() + "'");
  }

  // CIVA's last folder is made by the run.
  test::SimulatorTree tree_{Target::kFsNavigator, Target::kCiva, Target::kMadDog, Target::kTu154};
  fs::path app_ = tree_.app;
  fs::path docs_ = tree_.docs;
  fs::path fs9_ = tree_.fs9;
  fs::path kln_ = tree_.Below(Target::kTu154);
};

std::string Bytes(std::initializer_list<std::pair<std::size_t, std::string_view>> fields,
                  std::size_t length) {
  std::string image(length, '\0');
  for (const auto& [at, bytes] : fields)
    image.replace(at, bytes.size(), bytes);
  return image;
}

const std::string kOldStore =
    CrLf({"[FPL.1]", "Point.0=TYPE=[2] ICAO_ID=[UUEE] Lat=[55.9] Lon=[37.4]", "PointsCount=1",
          "[FPL.5]", "PointsCount=0"});

TEST_F(Tu154ConvertCli, WritesAllFourTargets) {
  test::WriteFile(fs9_ / "Modules" / "FSNavigator" / "plan" / "EAAA-EBBB001.fsn", "older");
  test::WriteFile(kln_ / "FPLS.DAT", kOldStore);

  const auto r = Convert(3);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "File EAAA-EBBB002.fsn created\n"
            "File EAAA-EBBB01.AWC created\n"
            "File EAAAEBBB.mdr created\n"
            "File FPLS.DAT plan 3 created\n");

  using namespace std::string_view_literals;
  const std::string fsn = Bytes(
      {
          {0, "\xD4\x02"sv},
          {4, "FPi"sv},
          {16, "KorVanta ver 2.8 Flightplan for FS-Navigator"sv},
          {272, "\x40\x01"sv},
          {276, "\x01\x00"sv},
          {280, "\x84\x01"sv},
          {284, "\x06\x00"sv},
          {296, "\xC8\x02"sv},
          {304, "\xC0\x01"sv},
          {320, "Boeing 737"sv},
          {388, "\x40\x00\x00\x00\x4A\x42\x00\x00\x04\x41"sv},  // EAAA 50.5 8.25
          {398, "\x04\x00\x00\x00\x4C\x42\x00\x00\xF0\x40"sv},  // TOBAK 51 7.5
          {408, "\x10\x00\x00\x00\x50\x42\x00\x00\xC0\x40"sv},  // RUDOL 52 6
          {418, "\x08\x00\x00\x00\x51\x42\x00\x00\x40\xBF"sv},  // KOMAR 52.25 -0.75
          {428, "\x04\x00\x00\x00\x16\x42\x00\x80\xF4\xC2"sv},  // ABCDE 37.5 -122.25
          {438, "\x40\x00\x00\x00\x05\xC2\x00\x00\xF5\xC2"sv},  // EBBB -33.25 -122.5
          {712, "\x7C\x01\x00\x00\xB8\x88\x00\x00\xB8\x88"sv},
      },
      724);
  EXPECT_EQ(test::ReadFile(fs9_ / "Modules" / "FSNavigator" / "plan" / "EAAA-EBBB002.fsn"), fsn);
  EXPECT_EQ(test::ReadFile(fs9_ / "Modules" / "FSNavigator" / "plan" / "EAAA-EBBB001.fsn"),
            "older");

  EXPECT_EQ(test::ReadFile(fs9_ / "Civa" / "ADEU" / "EAAA-EBBB01.AWC"),
            CrLf({";", "; Carousel IV-AC INS", "; ADEU Waypoints Data Card",
                  "; For use with SSTSIM Concorde", "; www.sstsim.com", ";",
                  "; CONCORDE INS PROGRAM #EAAA-EBBB01", ";", "1 N 51*00.0 E 007*30.0 ; TOBAK",
                  "2 N 52*00.0 E 006*00.0 ; RUDOL", "3 N 52*15.0 W 000*45.0 ; KOMAR",
                  "4 N 37*30.0 W 122*15.0 ; ABCDE", ";", ";End Of File"}) +
                ";");

  EXPECT_EQ(test::ReadFile(fs9_ / "MADDOG2008" / "Routes" / "EAAAEBBB.mdr"),
            CrLf({"EAAA", "EBBB", "DIRECT TOBAK 51.000000 7.500000",
                  "UL602 KOMAR 52.250000 -0.750000", "DIRECT ABCDE 37.500000 -122.250000"}));

  const std::string plan = CrLf({
      "[FPL.3]",
      "Point.0=TYPE=[2] ICAO_ID=[EAAA] Lat=[50.500000] Lon=[8.250000]",
      "Point.1=TYPE=[3] ICAO_ID=[TOBAK] Lat=[51.000000] Lon=[7.500000]",
      "Point.2=TYPE=[1] ICAO_ID=[RUDOL] Lat=[52.000000] Lon=[6.000000]",
      "Point.3=TYPE=[0] ICAO_ID=[KOMAR] Lat=[52.250000] Lon=[-0.750000]",
      "Point.4=TYPE=[3] ICAO_ID=[ABCDE] Lat=[37.500000] Lon=[-122.250000]",
      "Point.5=TYPE=[2] ICAO_ID=[EBBB] Lat=[-33.250000] Lon=[-122.500000]",
      "PointsCount=6",
  });
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.TXT"), plan);
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.BAK"), kOldStore);
  EXPECT_EQ(
      test::ReadFile(kln_ / "FPLS.DAT"),
      CrLf({"[FPL.1]", "Point.0=TYPE=[2] ICAO_ID=[UUEE] Lat=[55.9] Lon=[37.4]", "PointsCount=1"}) +
          plan + CrLf({"[FPL.5]", "PointsCount=0"}));
  EXPECT_TRUE(fs::exists(fs9_ / "routes" / "EAAAEBBB.rts"));
}

TEST_F(Tu154ConvertCli, PlanNumberOutsideTheStoreFailsTheTu154Alone) {
  test::WriteFile(kln_ / "FPLS.DAT", kOldStore);
  const auto r = Convert(26);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("TU154: Flight plan nr. is too high\nThe Tu-154 store holds plans 1 to 25\n"
                       "Not written: TU154 (see above)\n"),
            std::string::npos)
      << r.err;
  // The other writers and the route copy have run; the Tu-154 files are untouched.
  EXPECT_TRUE(fs::exists(fs9_ / "MADDOG2008" / "Routes" / "EAAAEBBB.mdr"));
  EXPECT_FALSE(fs::exists(kln_ / "FPLS.TXT"));
  EXPECT_FALSE(fs::exists(kln_ / "FPLS.BAK"));
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.DAT"), kOldStore);
  EXPECT_TRUE(fs::exists(fs9_ / "routes"));

  const auto ok = Convert(25);
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.TXT").substr(0, 10), "[FPL.25]\r\n");
}

TEST_F(Tu154ConvertCli, BrokenNavigationLineIsReportedAndTheStoreKept) {
  test::WriteFile(kln_ / "FPLS.DAT", kOldStore);
  test::WriteFile(kln_ / "isec.txt", CrLf({"; fixes", "TOBAK 51.000000"}));
  const auto r = Convert(3);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find((kln_ / "isec.txt").string() + ", line 2"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(kln_ / "FPLS.TXT"));
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.DAT"), kOldStore);
  EXPECT_TRUE(fs::exists(fs9_ / "routes"));
}

TEST_F(Tu154ConvertCli, AStoreThatCannotBeLockedKeepsThePlanTextAsItWas) {
  test::WriteFile(kln_ / "FPLS.DAT", kOldStore);
  test::WriteFile(kln_ / "FPLS.TXT", "[FPL.5]\r\n");
  fs::create_directories(kln_ / "FPLS.DAT.lock" / "held");
  const auto r = Convert(3);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("TU154: Cannot lock the plan store"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.TXT"), "[FPL.5]\r\n");
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.DAT"), kOldStore);
}

TEST_F(Tu154ConvertCli, WithoutAStoreThePlanBecomesTheStore) {
  const auto r = Convert(7);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("File FPLS.DAT plan 7 created\n"), std::string::npos) << r.out;
  EXPECT_EQ(test::ReadFile(kln_ / "FPLS.DAT"), test::ReadFile(kln_ / "FPLS.TXT"));
  EXPECT_FALSE(fs::exists(kln_ / "FPLS.BAK"));
}

}  // namespace
}  // namespace korvanta
