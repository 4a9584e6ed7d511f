#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace korvanta {
namespace {

const std::string kExample = (test::DataDir() / "example_route.txt").string();
const std::string kAirports = (test::DataDir() / "wpNavApt.txt").string();

// The worked example as `parse` prints it, in UTF-8 (the degree sign is C2 B0).
const char* const kExpectedMode0 =
    "DepIcao=EAAA\nDestIcao=EBBB\nDepName=ALPHA_INTL\nDestName=BETA FIELD\n"
    "DepLat=N50°02'00.00\"\nDepLon=E008°34'14.00\"\nDestLat=N50°52'00.00\"\n"
    "DestLon=E005°15'00.00\"\nDepElev=364\nDestElev=50\nCruiseAlt=33000\n\n"
    "id\tlat\tlon\talt\troute\ttyp\tfreq\ttrack\n"
    "EAAA\tN50°02'00.00\"\tE008°34'14.00\"\t364\t\tA\t0\t0\n"
    "TOBAK\tN50°05'30.00\"\tE008°17'00.00\"\t0\tUL602\tI\t0\t274\n"
    "RUDOL\tN50°20'00.00\"\tE007°10'00.00\"\t0\t\tV\t114.30\t280\n"
    "KOMAR\tN50°40'00.00\"\tE006°00'00.00\"\t0\t\tN\t385\t285\n"
    "EBBB\tN50°52'00.00\"\tE005°15'00.00\"\t50\t\tA\t0\t290\n";

const char* const kExpectedMode1 =
    "DepIcao=EAAA\nDestIcao=EBBB\nDepName=ALPHA_INTL\nDestName=BETA FIELD\n"
    "DepLat=N 50.0333\nDepLon=E 8.5706\nDestLat=N 50.8667\nDestLon=E 5.2500\n"
    "DepElev=364\nDestElev=50\nCruiseAlt=33000\n\n"
    "id\tlat\tlon\talt\troute\ttyp\tfreq\ttrack\n"
    "EAAA\tN 50.0333\tE 8.5706\t364\t\tA\t0\t\n"
    "TOBAK\tN 50.0917\tE 8.2833\t0\tUL602\tI\t0\t\n"
    "RUDOL\tN 50.3333\tE 7.1667\t0\t\tV\t114.30\t\n"
    "KOMAR\tN 50.6667\tE 6.0000\t0\t\tN\t385\t\n"
    "EBBB\tN 50.8667\tE 5.2500\t50\t\tA\t0\t\n";

TEST(CliParse, PrintsTheWorkedExampleInBothModes) {
  auto r = test::RunCli("parse --airports '" + kAirports + "' '" + kExample + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpectedMode0);

  r = test::RunCli("parse --mode 1 --airports '" + kAirports + "' '" + kExample + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpectedMode1);
}

// Without --airports, parse reads the airport list that convert reads.
TEST(CliParse, TakesTheAirportListOfTheFolderSet) {
  test::TempDir app;
  const auto r = test::RunCli("parse --app-dir '" + app.path().string() + "' --fmc-data-dir '" +
                              test::DataDir().string() + "' '" + kExample + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpectedMode0);
}

// Options are --name on every platform: an argument that starts with "/"
// (a Linux path, which a Windows program reads on its current drive) is a
// file, never an option of the Windows style.
TEST(CliParse, ArgumentsStartingWithSlashAreFiles) {
  const std::string linux_path = kExample.substr(kExample.find('/'));
  const auto r = test::RunCli("parse --airports '" + kAirports + "' '" + linux_path + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpectedMode0);
  EXPECT_EQ(test::RunCli("parse /mode 1 '" + kExample + "'").status, 2);
}

TEST(CliParse, Utf8AndWindowsTextParseTheSame) {
  // The example is stored in Windows-1252; the same text saved as UTF-8 on
  // standard input must give the same output.
  test::TempDir dir;
  std::string utf8;
  for (const unsigned char c : test::ReadFile(kExample)) {
    if (c == 0xB0) {
      utf8 += "\xC2\xB0";
    } else {
      utf8 += static_cast<char>(c);
    }
  }
  test::WriteFile(dir / "utf8.txt", utf8);
  const auto r =
      test::RunCli("parse --airports '" + kAirports + "' -", (dir / "utf8.txt").string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpectedMode0);
}

TEST(CliParse, ExitStatusForBadInput) {
  test::TempDir dir;
  test::WriteFile(dir / "wrong.txt", "hello\r\nworld\r\n");
  test::WriteFile(dir / "nodetails.txt", "Cruise altitude between FL330\r\nA > B\r\n");
  test::WriteFile(dir / "oneline.txt",
                  "Cruise altitude between FL330\r\nA > B\r\nID FREQ TRK\r\nA\r\n");
  const auto convert = [&](const std::string& file) {
    const std::string folder = "'" + dir.path().string() + "'";
    return "convert --targets fs2004,maddog --app-dir " + folder + " --fs9-dir " + folder +
           " --documents-dir " + folder + " '" + (dir / file).string() + "'";
  };
  struct Case {
    std::string args;
    int status;
    std::string err_contains;
  };
  const Case cases[] = {
      {"parse '" + (dir / "wrong.txt").string() + "'", 3, "Wrong format"},
      {"parse '" + (dir / "nodetails.txt").string() + "'", 3, "No details list"},
      {"parse '" + (dir / "oneline.txt").string() + "'", 3, "No details list found"},
      {convert("wrong.txt"), 3, "Wrong format"},
      {convert("oneline.txt"), 3, "No details list found"},
      {"parse '" + (dir / "absent.txt").string() + "'", 1, "No such file"},
      // Opens, but reading fails: the system's text, not a crash.
      {"parse '" + dir.path().string() + "'", 1, "Is a directory"},
      {"convert --targets fs2004 --app-dir '" + dir.path().string() + "' --fs9-dir '" +
           dir.path().string() + "' --documents-dir '" + dir.path().string() + "' '" +
           dir.path().string() + "'",
       1, "Is a directory"},
      {"parse --mode 7 '" + kExample + "'", 2, "--mode"},
      {"frobnicate", 2, ""},
      {"parse --airports '" + (dir / "none.txt").string() + "' '" + kExample + "'", 0,
       "File wpNavApt.txt missing"},
  };
  for (const auto& c : cases) {
    const auto r = test::RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err_contains), std::string::npos) << c.args << "\n" << r.err;
  }
}

TEST(CliParse, HelpExplainsTheCommand) {
  const auto r = test::RunCli("parse --help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("--airports"), std::string::npos);
  EXPECT_NE(r.out.find("Exit status"), std::string::npos);
}

TEST(CliParse, VersionWithoutACommand) {
  // The one call that needs no command; anywhere after a command it is
  // that command's unknown option.
  auto r = test::RunCli("--version");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string("korvanta-cli ") + KORVANTA_VERSION + "\n");
  EXPECT_EQ(r.err, "");

  r = test::RunCli("parse --version");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace korvanta
