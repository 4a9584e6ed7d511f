#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/plan_store.hpp"
#include "navdata/kln_navigation.hpp"
#include "test_support.hpp"
#include "writers/tu154.hpp"
#include "writers/tu154_store.hpp"

namespace korvanta {
namespace {

using test::CrLf;

std::string Dms(const std::string& text) {
  return test::WithDegreeSign(text, '@');
}

struct Loaded {
  KlnNavigationPoints navigation_points;
  std::vector<std::size_t> progress;
};

// Loads the four texts in load order, as from the four files.
Loaded Load(const std::string& elevations, const std::string& ndb, const std::string& vor,
            const std::string& isec) {
  Loaded l;
  std::size_t counter = 0;
  const auto progress = [&](std::size_t count) { l.progress.push_back(count); };
  LoadKlnNavigationText(KlnNavigationFile::kAirports, elevations, "PTT_APT.DAT",
                        l.navigation_points, counter, progress);
  LoadKlnNavigationText(KlnNavigationFile::kNdbs, ndb, "PTT_NDB.DAT", l.navigation_points, counter,
                        progress);
  LoadKlnNavigationText(KlnNavigationFile::kVors, vor, "PTT_VOR.DAT", l.navigation_points, counter,
                        progress);
  LoadKlnNavigationText(KlnNavigationFile::kIntersections, isec, "isec.txt", l.navigation_points,
                        counter, progress);
  return l;
}

std::vector<std::string> Rows(const KlnNavigationPoints& navigation_points) {
  std::vector<std::string> rows;
  for (const KlnNavigationPoint& r : navigation_points.Rows())
    rows.push_back(r.id + "|" + r.lat + "|" + r.lon);
  return rows;
}

TEST(Tu154NavData, WhichLinesAndFieldsAreTaken) {
  const Loaded l = Load(CrLf({
                            "[Airports]",
                            "Lon=[37.414667] Lat=[55.972642] Name=[SHEREMETYEVO] ICAO=[UUEE]",
                            "lon=[1.000000] Lat=[1.000000] Name=[X] ICAO=[LOWER]",
                            " Lon=[1.000000] Lat=[1.000000] Name=[X] ICAO=[BLANK]",
                            "Lon=[-0.500000]\tLat=[51.100000]   Name=[X] ICAO=[TABS]",
                        }),
                        // Only the start of the line is checked; the field names are not.
                        "Lat=[1.0]\nLon=[30.262500] Foo=[59.800000] X Y=[ULLI]\r",
                        CrLf({
                            "Lon=[39.0] Lat=[45.0] Freq=[113.9] \"Name=[A B]\" ID=[KRD]",
                            "Lon=[1234567890.12345] Lat=[45.0] Freq=[1] Type=[VOR] ID=[LONG]",
                            "Lon=[12.5 Lat=[45.0] Freq=[1] Type=[VOR] ID=[OPEN]",
                            "Lon=[-74.12345678901] Lat=[40.5] Freq=[1] Type=[VOR] ID=[CUT]",
                        }),
                        CrLf({
                            "; comment",
                            "ABCDE 37.500000 -122.250000 more words",
                            " ;not a comment: the first character is a blank",
                            "\"SPACE D\" 1.5 2.5",
                            "\xC9TAPE\xA0LONGNAME 1.500000 2.500000",
                        }));
  EXPECT_EQ(Rows(l.navigation_points),
            (std::vector<std::string>{
                "UUEE3755|55.972642|37.414667",
                "TABS-051|51.100000|-0.500000",
                "ULLI3059|59.800000|30.262500",
                "KRD3945|45.0|39.0",
                // A value of 16 or more characters, or without its "]", is empty.
                "LONG45|45.0|",
                "OPEN45|45.0|",
                // Coordinates are stored with at most 12 characters.
                "CUT-7440|40.5|-74.12345678",
                "ABCDE-12237|37.500000|-122.250000",
                ";not|a|comment:",
                "SPACE D21|1.5|2.5",
                // Bytes above 0x7F, the no-break space too, are no separators.
                "\xC9TAPE\xA0LONGNAME21|1.500000|2.500000",
            }));
}

TEST(Tu154NavData, ProgressEveryHundredPointsAcrossTheFiles) {
  std::string dat, isec;
  for (int i = 0; i < 120; ++i)
    dat += "Lon=[1.0] Lat=[2.0] A=[x] B=[P" + std::to_string(i) + "] C=[Q]\r\n";
  for (int i = 0; i < 95; ++i)
    isec += "I" + std::to_string(i) + " 2.0 1.0\r\n";
  const Loaded l = Load(dat, "", dat, isec);
  EXPECT_EQ(l.navigation_points.Count(), 335u);
  EXPECT_EQ(l.progress, (std::vector<std::size_t>{0, 100, 200, 300}));
}

TEST(Tu154NavData, LinesWithTooFewFieldsNameTheFileAndLine) {
  struct Case {
    KlnNavigationFile kind;
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {KlnNavigationFile::kAirports, CrLf({"x", "Lon=[1.0] Lat=[2.0] Name=[A]"}),
       "Cannot read F, line 2: 3 fields where 4 are needed"},
      {KlnNavigationFile::kNdbs, "Lon=[1.0] Lat=[2.0] \"Name=[A] ID=[B]",
       "Cannot read F, line 1: 3 fields where 4 are needed"},
      {KlnNavigationFile::kVors, CrLf({"Lon=[1.0] Lat=[2.0] F=[1] ID=[B]"}),
       "Cannot read F, line 1: 4 fields where 5 are needed"},
      {KlnNavigationFile::kIntersections, CrLf({"; fixes", "A 1.0 2.0", "", "B 1.0 2.0"}),
       "Cannot read F, line 3: 0 fields where 3 are needed"},
      {KlnNavigationFile::kIntersections, "A 1.0 2.0\nB 1.0\n",
       "Cannot read F, line 2: 2 fields where 3 are needed"},
      // A lone CR ends a line as well.
      {KlnNavigationFile::kIntersections, "A 1.0 2.0\r\nB 1.0 2.0\rC 1.0\r\n",
       "Cannot read F, line 3: 2 fields where 3 are needed"},
  };
  for (const Case& c : cases) {
    KlnNavigationPoints navigation_points;
    std::size_t counter = 0;
    try {
      LoadKlnNavigationText(c.kind, c.text, "F", navigation_points, counter);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

TEST(Tu154NavData, MissingFileIsAnErrorNamingIt) {
  test::TempDir dir;
  for (const char* name : {"PTT_APT.DAT", "PTT_NDB.DAT", "PTT_VOR.DAT"})
    test::WriteFile(dir / name, "");
  KlnNavigationPoints navigation_points;
  try {
    LoadKlnNavigation(dir.path(), navigation_points);
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find((dir / "isec.txt").string()), std::string::npos)
        << e.what();
  }
}

TEST(Tu154NavData, FilesAreTakenInLoadOrderSoTheFirstFaultIsReported) {
  // Each file is read to its end before the next is opened: with two faults,
  // the one in the earlier file ends the load, and the files before a
  // missing one have loaded (with their progress) when it is reported.
  const std::string point = "Lon=[1.0] Lat=[2.0] A=[x] B=[P] C=[Q]\r\n";
  const std::string broken = "Lon=[1.0] Lat=[2.0] A=[x]\r\n";
  struct Case {
    std::vector<std::string> files;  // APT, NDB, VOR, isec; "-" for a missing file
    std::string reported;            // the file named first in the message
    std::string line;                // ", line N" for a broken line, else empty
    std::vector<std::size_t> progress;
  };
  const std::vector<Case> cases = {
      {{point + broken, point, point, "-"}, "PTT_APT.DAT", ", line 2", {0}},
      {{point, "-", point, "A 1.0\r\n"}, "PTT_NDB.DAT", "", {0}},
      {{point, point, broken, "-"}, "PTT_VOR.DAT", ", line 1", {0}},
      {{"-", broken, broken, "-"}, "PTT_APT.DAT", "", {}},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    for (std::size_t i = 0; i < c.files.size(); ++i) {
      if (c.files[i] != "-")
        test::WriteFile(dir / std::string(kTuNavFileNames[i]), c.files[i]);
    }
    KlnNavigationPoints navigation_points;
    std::vector<std::size_t> progress;
    try {
      LoadKlnNavigation(dir.path(), navigation_points,
                        [&](std::size_t count) { progress.push_back(count); });
      ADD_FAILURE() << "no error for " << c.reported;
    } catch (const RunError& e) {
      const std::string message = e.what();
      const std::string named = (dir / c.reported).string();
      const std::size_t at = message.find(named);
      if (at == std::string::npos) {
        ADD_FAILURE() << c.reported << " is not named first: " << message;
      } else if (c.line.empty()) {
        EXPECT_EQ(message.rfind("Cannot open " + named + ":", 0), 0u) << message;
      } else {
        EXPECT_EQ(message.substr(at + named.size(), c.line.size()), c.line) << message;
      }
    }
    EXPECT_EQ(progress, c.progress) << c.reported;
  }
}

TEST(Tu154Lookup, WholeKeysAndTheFirstRowInLoadOrder) {
  // Rows 0, 2 and 4 share the key K1: a lookup finds the first, whatever was
  // looked up or loaded last.
  KlnNavigationPoints navigation_points;
  navigation_points.Append({"K1", "a", "a"});
  navigation_points.Append({"K2", "b", "b"});
  navigation_points.Append({"K1", "c", "c"});
  navigation_points.Append({"ABCDE-12237", "d", "d"});
  navigation_points.Append({"K1", "e", "e"});
  const auto lat = [&](std::string_view key) {
    const KlnNavigationPoint* row = navigation_points.Find(key);
    return row ? row->lat : std::string("none");
  };
  EXPECT_EQ(lat("K1"), "a");
  EXPECT_EQ(lat("K2"), "b");
  EXPECT_EQ(lat("k1"), "none");
  EXPECT_EQ(lat("ABCDE-1223"), "none");
  EXPECT_EQ(lat("ABCDE-12237"), "d");
  EXPECT_EQ(lat("ABCDE-122370"), "none");
  navigation_points.Append({"K1", "f", "f"});
  navigation_points.Append({"K3", "g", "g"});
  EXPECT_EQ(lat("K1"), "a");
  EXPECT_EQ(lat("K3"), "g");
}

Waypoint Point(const std::string& id, const std::string& lat, const std::string& lon,
               const std::string& kind) {
  Waypoint row = test::Row(id, Dms(lat), Dms(lon), "", kind);
  row.track = "";
  return row;
}

TEST(Tu154Plan, PointsFoundInTheNavigationDataNumberedWithoutGaps) {
  Loaded l = Load(CrLf({"Lon=[37.414667] Lat=[55.972642] Name=[X] ICAO=[UUEE]",
                        "Lon=[30.262500] Lat=[59.800000] Name=[X] ICAO=[ULLI]"}),
                  CrLf({"Lon=[35.100000] Lat=[57.100000] Freq=[1] ID=[AB]"}),
                  CrLf({"Lon=[35.900000] Lat=[57.900000] Freq=[1] Type=[V] ID=[AB]"}),
                  CrLf({"ABCDE 37.500000 -122.250000", "SOUTH -0.500000 -0.250000"}));
  WaypointTable waypoints;
  waypoints.Append(Point("UUEE", "N55@58'21.00\"", "E037@24'53.00\"", "A"));
  waypoints.Append(Point("NOPE", "N56@00'00.00\"", "E036@00'00.00\"", "I"));
  // NDB and VOR with the same key: the first loaded wins.
  waypoints.Append(Point("AB", "N57@30'00.00\"", "E035@30'00.00\"", "V"));
  waypoints.Append(Point("ABCDE", "N37@30'00.00\"", "W122@15'00.00\"", "I"));
  waypoints.Append(Point("SOUTH", "S00@30'00.00\"", "W000@15'00.00\"", "N"));
  waypoints.Append(Point("ULLI", "N59@48'01.00\"", "E030@15'45.00\"", "A"));
  EXPECT_EQ(
      WriteTu154Plan(waypoints, l.navigation_points, 7),
      CrLf({"[FPL.7]", "Point.0=TYPE=[2] ICAO_ID=[UUEE] Lat=[55.972642] Lon=[37.414667]",
            "Point.1=TYPE=[1] ICAO_ID=[AB] Lat=[57.100000] Lon=[35.100000]",
            "Point.2=TYPE=[3] ICAO_ID=[ABCDE] Lat=[37.500000] Lon=[-122.250000]",
            "Point.3=TYPE=[0] ICAO_ID=[SOUTH] Lat=[-0.500000] Lon=[-0.250000]",
            "Point.4=TYPE=[2] ICAO_ID=[ULLI] Lat=[59.800000] Lon=[30.262500]", "PointsCount=5"}));

  KlnNavigationPoints empty;
  EXPECT_EQ(WriteTu154Plan(waypoints, empty, 25), CrLf({"[FPL.25]", "PointsCount=0"}));
}

TEST(Tu154Store, PlanNumberOfHeaders) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"[FPL.7]", 7},     {"[FPL.12]", 12}, {"[FPL.123]", 12}, {"[FPL.]", 99},  {"[FPL.x]", 99},
      {"  [FPL.3]  ", 3}, {"[FPL.3", 99},   {"", 99},          {"[FPL.05]", 5}, {"[FPL.1x]", 99},
  };
  for (const auto& [header, number] : cases)
    EXPECT_EQ(PlanNumberOf(header), number) << header;
}

// A stored plan: its header and one point line that says which copy it is.
std::vector<std::string> Plan(int number, const std::string& tag) {
  return {"[FPL." + std::to_string(number) + "]", "Point.0=TYPE=[2] ICAO_ID=[" + tag + "]",
          "PointsCount=1"};
}

std::string Store(const std::vector<std::vector<std::string>>& plans) {
  std::vector<std::string> lines;
  for (const auto& p : plans)
    lines.insert(lines.end(), p.begin(), p.end());
  return CrLf(lines);
}

TEST(Tu154Store, TheNewPlanIsFiledInNumberOrder) {
  struct Case {
    const char* name;
    std::string old_store;
    std::string expected;
  };
  const auto n3 = Plan(3, "NEW");
  const std::string kMark = "\xEF\xBB\xBF";
  const std::vector<Case> cases = {
      {"1,3,5 with new 3", Store({Plan(1, "a"), Plan(3, "old"), Plan(5, "c")}),
       Store({Plan(1, "a"), n3, Plan(5, "c")})},
      {"1,2,5,7 with new 3", Store({Plan(1, "a"), Plan(2, "b"), Plan(5, "c"), Plan(7, "d")}),
       Store({Plan(1, "a"), Plan(2, "b"), n3, Plan(5, "c"), Plan(7, "d")})},
      {"1 with new 3", Store({Plan(1, "a")}), Store({Plan(1, "a"), n3})},
      {"empty store", "", Store({n3})},
      {"non-numeric header counts as 99", Store({Plan(1, "a"), {"[FPL.x]", "P"}, Plan(4, "b")}),
       Store({Plan(1, "a"), n3, {"[FPL.x]", "P"}, Plan(4, "b")})},
      {"lines before the first header stay first", CrLf({"; my plans", "", "[FPL.5]", "P5"}),
       CrLf({"; my plans", "", "[FPL.3]", "Point.0=TYPE=[2] ICAO_ID=[NEW]", "PointsCount=1",
             "[FPL.5]", "P5"})},
      {"LF line ends and no last line end", "[FPL.1]\nP1\n[FPL.3]\nold\n[FPL.4]\nP4",
       Store({{"[FPL.1]", "P1"}, n3, {"[FPL.4]", "P4"}})},
      // Out of order: the stored 3 is replaced where it stands, after the 5.
      {"5,3,1 with new 3", Store({Plan(5, "c"), Plan(3, "old"), Plan(1, "a")}),
       Store({Plan(5, "c"), n3, Plan(1, "a")})},
      {"5,1 with new 3", Store({Plan(5, "c"), Plan(1, "a")}),
       Store({n3, Plan(5, "c"), Plan(1, "a")})},
      {"two stored 3s become one", Store({Plan(3, "old"), Plan(5, "c"), Plan(3, "older")}),
       Store({n3, Plan(5, "c")})},
      // Saved by Notepad or edited by hand: the mark stays first, the
      // headers are still headers.
      {"byte order mark before the same number", kMark + Store({Plan(3, "old"), Plan(5, "c")}),
       kMark + Store({n3, Plan(5, "c")})},
      {"byte order mark before a higher number", kMark + Store({Plan(5, "c")}),
       kMark + Store({n3, Plan(5, "c")})},
      {"blanks before headers", CrLf({"  [FPL.3]", "old", "\t[FPL.5]", "P5"}),
       Store({n3, {"\t[FPL.5]", "P5"}})},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MergePlanStore(c.old_store, Store({n3})), c.expected) << c.name;

  EXPECT_EQ(MergePlanStore(Store({Plan(4, "a"), Plan(6, "b")}), Store({Plan(9, "NEW")})),
            Store({Plan(4, "a"), Plan(6, "b"), Plan(9, "NEW")}));
}

// The run's whole-file write, failing for the file named `failing`.
StoreFileWriter FailingFor(const std::string& failing) {
  return [failing](const std::filesystem::path& file, std::string_view bytes) {
    if (file.filename() == failing)
      throw RunError("Cannot write " + file.string() + ": disk full");
    WriteWholeFile(file, bytes);
  };
}

TEST(Tu154Store, FilingKeepsABackupAndNeverLosesTheStore) {
  const std::string old_store = Store({Plan(1, "a"), Plan(3, "old"), Plan(5, "c")});
  const std::string plan = Store({Plan(3, "NEW")});
  const std::string merged = Store({Plan(1, "a"), Plan(3, "NEW"), Plan(5, "c")});
  {
    test::TempDir dir;
    FileIntoPlanStore(dir.path() / "FPLS.DAT", plan, MergePlanStore, FailingFor(""));
    EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), plan);
    EXPECT_FALSE(std::filesystem::exists(dir / "FPLS.BAK"));
  }
  {
    test::TempDir dir;
    test::WriteFile(dir / "FPLS.DAT", old_store);
    test::WriteFile(dir / "FPLS.BAK", "an older backup");
    // The backup carries the date of the store it copies, not of the run.
    const auto stored_at =
        std::filesystem::last_write_time(dir / "FPLS.DAT") - std::chrono::hours(50);
    std::filesystem::last_write_time(dir / "FPLS.DAT", stored_at);
    FileIntoPlanStore(dir.path() / "FPLS.DAT", plan, MergePlanStore, FailingFor(""));
    EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), merged);
    EXPECT_EQ(test::ReadFile(dir / "FPLS.BAK"), old_store);
    EXPECT_EQ(std::filesystem::last_write_time(dir / "FPLS.BAK"), stored_at);
  }
  for (const std::string failing : {"FPLS.DAT", "FPLS.BAK"}) {
    test::TempDir dir;
    test::WriteFile(dir / "FPLS.DAT", old_store);
    EXPECT_THROW(
        FileIntoPlanStore(dir.path() / "FPLS.DAT", plan, MergePlanStore, FailingFor(failing)),
        RunError)
        << failing;
    EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), old_store) << failing;
  }
  {
    // A real failure: the store cannot be replaced because a folder stands
    // where the backup goes.
    test::TempDir dir;
    test::WriteFile(dir / "FPLS.DAT", old_store);
    std::filesystem::create_directories(dir / "FPLS.BAK" / "x");
    EXPECT_THROW(FileIntoPlanStore(dir.path() / "FPLS.DAT", plan, MergePlanStore, FailingFor("")),
                 RunError);
    EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), old_store);
  }
}

}  // namespace
}  // namespace korvanta
