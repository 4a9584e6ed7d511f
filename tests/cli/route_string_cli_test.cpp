// korvanta-cli route-string: the route as a pilot files it, from any input
// that convert reads.

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace korvanta {
namespace {

TEST(RouteStringCommand, PrintsTheFiledRoute) {
  test::TempDir app;
  test::WriteFile(app / "wrong.txt", "hello\r\nworld\r\n");
  const auto data = [](const std::string& file) {
    return "'" + (test::DataDir() / file).string() + "'";
  };
  const struct {
    std::string args;
    std::string stdin_file;
    int status;
    std::string out;
    std::string err_contains;
  } cases[] = {
      {data("example_route.txt"), "", 0, "EAAA TOBAK UL602 RUDOL DCT KOMAR EBBB\n", ""},
      {"-", (test::DataDir() / "nat_route.txt").string(), 0,
       "EGLL CPT UL9 STU DCT MALOT DCT 54N020W DCT 55N030W DCT 55N040W DCT 54N050W DCT CARPE "
       "DCT ACK KJFK\n",
       ""},
      {data("plans/gps_device_route.gpx"), "", 0,
       "STRIPHWY11 LAKEKACHESSNEND DCT 4725N12112W DCT RAKOVRIDGE DCT CLEELUMMKTMAIN DCT HWY11 "
       "ELLENSBURGBOWERS\n",
       ""},
      {"--from gpx " + data("example_route.txt"), "", 3, "", "Not a readable"},
      {"'" + (app / "wrong.txt").string() + "'", "", 3, "", "Wrong format"},
      {"'" + (app / "absent.txt").string() + "'", "", 1, "", "absent.txt"},
  };
  for (const auto& c : cases) {
    const auto r = test::RunCli("route-string --app-dir '" + app.path().string() + "' " + c.args,
                                c.stdin_file);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_EQ(r.out, c.out) << c.args;
    EXPECT_NE(r.err.find(c.err_contains), std::string::npos) << c.args << "\n" << r.err;
  }
}

TEST(RouteStringCommand, HelpListsTheNewCommands) {
  const auto r = test::RunCli("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("route-string"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("navdata"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace korvanta
