#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "io/utf8_path.hpp"
#include "run/conversion_run.hpp"
#include "stand_in_front_end.hpp"
#include "test_support.hpp"
#include "text/cp1252.hpp"
#include "writers/fs2004.hpp"

namespace korvanta {
namespace {

// `text` with `mark` and the "/"-separated path after it (up to a colon or a
// blank) as the run shows that path below `folder`, with the platform's
// separators.
std::string WithFolder(std::string text, std::string_view mark,
                       const std::filesystem::path& folder) {
  const std::size_t at = text.find(mark);
  if (at == std::string::npos)
    return text;
  const std::size_t end = text.find_first_of(": ", at);
  const std::string below = text.substr(at + mark.size(), end - at - mark.size());
  std::filesystem::path shown = folder;
  if (!below.empty())
    shown = (folder / PathFromUtf8(below.substr(1))).make_preferred();
  return text.replace(at, end - at, ShownPath(shown));
}

// A program folder and a simulator tree in a temporary folder.
struct Tree {
  test::TempDir dir;
  FolderSet folders;
  AirportDatabase airports;
  test::StandInFrontEnd front;

  Tree() {
    for (const char* sub :
         {"app", "docs/Flight Simulator Files", "fs9/isg/FlightPlans", "fsx/isg/FlightPlans"}) {
      std::filesystem::create_directories(dir / sub);
    }
    FixedFolderSource source;
    source.documents = dir / "docs";
    source.fs9 = dir / "fs9";
    source.fsx = dir / "fsx";
    folders = BuildFolderSet(dir / "app", source);
    LoadAirportLines(test::ReadFile(test::DataDir() / "wpNavApt.txt"), airports);
  }
  std::filesystem::path operator/(const std::string& name) const { return dir / name; }
};

std::string ExampleText() {
  return test::ReadFile(test::DataDir() / "example_route.txt");
}

RunChoices Fs2004(Simulator sim = Simulator::kFs9) {
  RunChoices c;
  c.ticked = {Target::kFs2004};
  c.simulator = sim;
  return c;
}

TEST(ConversionRun, NothingTickedOnlyCopiesTheRouteText) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  // A previous route's copy must survive a run of another route.
  test::WriteFile(t / "fs9/routes/EXXXEYYY.rts", "older route");
  const RunOutcome out = run.Run(ExampleText(), RunChoices{});
  EXPECT_EQ(out.end, RunEnd::kCompleted);
  EXPECT_FALSE(out.parse_failed);
  EXPECT_TRUE(t.front.events.empty());
  const std::string route_txt = test::ReadFile(t / "app/route.txt");
  EXPECT_EQ(route_txt, ExampleText());
  EXPECT_EQ(test::ReadFile(t / "fs9/routes/EAAAEBBB.rts"), route_txt);
  // The copy carries the date of the route text it copies.
  EXPECT_EQ(std::filesystem::last_write_time(t / "fs9/routes/EAAAEBBB.rts"),
            std::filesystem::last_write_time(t / "app/route.txt"));
  EXPECT_EQ(test::ReadFile(t / "fs9/routes/EXXXEYYY.rts"), "older route");
}

// The copies of the route text are no targets: each that cannot be written
// is reported like one, and every target is still written. No simulator
// folder is made for the copy: one the user named is missing by mistake, one
// only looked for is not installed.
TEST(ConversionRun, TheRouteTextCopiesFailAloneAndMakeNoSimulatorFolder) {
  struct Case {
    const char* name;
    std::function<void(Tree&)> arrange;
    std::string failure;  // <app>, <fs9>: the folders of the tree
  };
  const std::vector<Case> cases = {
      {"read-only route.txt",
       [](Tree& t) {
         test::WriteFile(t / "app/route.txt", "old");
         std::filesystem::permissions(t / "app/route.txt", std::filesystem::perms::owner_read);
       },
       "Route text copy: Cannot write <app>/route.txt: the file is read-only"},
      {"missing program folder", [](Tree& t) { t.folders.app_dir = t / "no such app"; },
       "Route text copy: the folder <app> does not exist"},
      {"named simulator folder missing", [](Tree& t) { t.folders.fs9_dir = t / "no/such/FS9"; },
       "Route copy: the FS2004 folder <fs9> does not exist"},
      {"simulator not installed",
       [](Tree& t) {
         t.folders.fs9_dir = t / "no/such/FS9";
         t.folders.fs9_dir_named = false;
       },
       ""},
  };
  for (const Case& c : cases) {
    Tree t;
    c.arrange(t);
    ConversionRun run(t.folders, t.airports, t.front);
    RunChoices choices;
    choices.ticked = {Target::kGpx, Target::kMsfs};
    const RunOutcome out = run.Run(ExampleText(), choices);
    EXPECT_TRUE(std::filesystem::exists(t / "docs/EAAA-EBBB.gpx")) << c.name;
    EXPECT_TRUE(std::filesystem::exists(t / "docs/EAAA-EBBB.pln")) << c.name;
    EXPECT_FALSE(std::filesystem::exists(t / "no")) << c.name;
    std::vector<std::string> failures;
    for (const TargetFailure& failure : out.failures)
      failures.push_back(failure.Line());
    std::string expected = c.failure;
    for (const auto& [mark, folder] :
         {std::pair{"<app>", t.folders.app_dir}, std::pair{"<fs9>", t.folders.fs9_dir}})
      expected = WithFolder(expected, mark, folder);
    EXPECT_EQ(failures,
              c.failure.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected})
        << c.name;
    EXPECT_EQ(out.end, c.failure.empty() ? RunEnd::kCompleted : RunEnd::kNotWritten) << c.name;
  }
}

// A folder that is not set fails its target by name and is never the
// current folder: here no documents folder and no X-Plane installation.
TEST(ConversionRun, AFolderThatIsNotSetFailsItsTarget) {
  Tree t;
  t.folders.documents_dir.clear();
  t.folders.documents_origin = FolderOrigin::kNotSet;
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices;
  choices.ticked = {Target::kFs2004, Target::kGoogleEarth, Target::kXPlane11, Target::kGpx};
  const RunOutcome out = run.Run(ExampleText(), choices);
  std::vector<std::string> failures;
  for (const TargetFailure& failure : out.failures)
    failures.push_back(failure.Line());
  const std::string choose = ", or choose it under Folders";
  EXPECT_EQ(failures,
            (std::vector<std::string>{
                "FS2004: The documents folder is not set: give --fs2004-plans-dir or "
                "--documents-dir" +
                    choose,
                "Google Earth: The documents folder is not set: give --documents-dir" + choose,
                "X-Plane 11/12: The X-Plane folder is not set: give --xplane11-dir or "
                "--xplane-install-dir" +
                    choose,
                "GPX: The GPX folder is not set: give --gpx-dir or --documents-dir" + choose,
            }));
  EXPECT_EQ(test::FileNames(t / "app"), (std::vector<std::string>{"route.txt"}));
}

TEST(ConversionRun, RouteTextIsKeptWithCrLf) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  run.Run("line one\nline two\rline three", RunChoices{});
  EXPECT_EQ(test::ReadFile(t / "app/route.txt"), "line one\r\nline two\r\nline three\r\n");
}

// Writers of both readings of the route, with their own flows among them.
const std::set<Target> kSevenTargets = {Target::kFs2004, Target::kIfly,  Target::kPmdg,
                                        Target::kCiva,   Target::kTu154, Target::kXPlane11,
                                        Target::kGpx};

// The route finder's text, with the readings it is asked for counted, and
// what a plan file would give instead of the text's copy.
class CountingSource : public RouteSource {
 public:
  explicit CountingSource(const std::string& text) : text_(InputToUtf8(text)) {}
  RouteReading Read(const ParseOptions& options, const AirportDatabase& airports) const override {
    ++reads[options.mode];
    return text_.Read(options, airports);
  }
  std::optional<std::string> Runway() const override { return runway; }
  std::optional<std::string> RouteText() const override {
    return route_text ? text_.RouteText() : std::nullopt;
  }

  mutable std::map<ParseMode, int> reads;
  std::optional<std::string> runway;
  bool route_text = true;

 private:
  RouteTextSource text_;
};

TEST(ConversionRun, EachReadingIsMadeOncePerRun) {
  for (const char* text : {"", "hello\r\n"}) {
    Tree t;
    for (const char* folder :
         {"fs9/ifly/737NG/navdata/Fltplan", "fs9/Pmdg/Flightplans", "fs9/Civa"})
      std::filesystem::create_directories(t / folder);
    std::filesystem::copy(test::DataDir() / "kln90b", t / "fs9/PTT_KLN90B");
    // Not the current folder for the X-Plane 11/12 plan.
    test::WriteFile(t.folders.SettingsFile(),
                    "[Main]\r\nXPlane11Folder=" + PathToUtf8(t.dir.path()) + "\r\n");
    ConversionRun run(t.folders, t.airports, t.front);
    const CountingSource source(*text ? text : ExampleText());
    RunChoices choices;
    choices.ticked = kSevenTargets;
    choices.plan_number = 3;
    EXPECT_EQ(run.Run(source, choices).end, RunEnd::kCompleted)
        << ::testing::PrintToString(t.front.events);
    EXPECT_EQ(source.reads,
              (std::map<ParseMode, int>{{ParseMode::kText, 1}, {ParseMode::kDecimal, 1}}))
        << text;
  }
}

TEST(ConversionRun, APlanSourceGivesItsRunwayAndNoRouteTextCopy) {
  for (const char* typed : {"", "07R"}) {
    Tree t;
    ConversionRun run(t.folders, t.airports, t.front);
    CountingSource source(ExampleText());
    source.route_text = false;
    source.runway = "25L";
    RunChoices choices = Fs2004();
    choices.runway = typed;
    ASSERT_EQ(run.Run(source, choices).end, RunEnd::kCompleted);
    const std::string runway = *typed ? typed : "25L";
    EXPECT_NE(test::ReadFile(t / "app/temp.tmp").find("\r\ndeparture_position=" + runway + "\r\n"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(t / "app/route.txt"));
    EXPECT_FALSE(std::filesystem::exists(t / "fs9/routes"));
  }
}

TEST(ConversionRun, WrongTextShowsOneMessageAndWritesNoPlan) {
  struct Case {
    std::string text;
    std::set<Target> ticked;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"", {Target::kFs2004}, {"Wrong format"}},
      {"", {}, {"Wrong format"}},
      {"hello\r\n", {Target::kFs2004}, {"Wrong format"}},
      // Once per run, however many writers would have needed the route.
      {"hello\r\n", kSevenTargets, {"Wrong format"}},
      // No details list: a quiet failure.
      {"Cruise altitude between FL330\r\nA > B\r\n", {Target::kFs2004}, {}},
      {"Cruise altitude between FL330\r\nA > B\r\n", kSevenTargets, {}},
  };
  for (const auto& c : cases) {
    Tree t;
    ConversionRun run(t.folders, t.airports, t.front);
    RunChoices choices;
    choices.ticked = c.ticked;
    const RunOutcome out = run.Run(c.text, choices);
    EXPECT_EQ(out.end, RunEnd::kCompleted);
    EXPECT_TRUE(out.parse_failed);
    EXPECT_EQ(t.front.Messages(), c.messages) << c.text;
    EXPECT_FALSE(std::filesystem::exists(t / "app/temp.tmp"));
    EXPECT_FALSE(std::filesystem::exists(t / "fs9/routes"));
  }
}

TEST(ConversionRun, Fs2004BoxWritesPlanTextIsgRouteAndPlanCopy) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices = Fs2004();
  choices.runway = "25L";
  const RunOutcome out = run.Run(ExampleText(), choices);
  ASSERT_EQ(out.end, RunEnd::kCompleted) << ::testing::PrintToString(t.front.events);
  const std::string plan = test::ReadFile(t / "app/temp.tmp");
  EXPECT_EQ(plan, WriteFs2004Plan(run.Header(), run.Waypoints(), "25L").plan_text);
  EXPECT_EQ(test::ReadFile(t / "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln"),
            plan);
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/isg/FlightPlans/default.rte"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));
  // Every file the user loads is reported; "temp.tmp" is not.
  EXPECT_EQ(t.front.events,
            (std::vector<std::string>{
                "status: File " + ShownPath(t / "fs9/isg/FlightPlans/default.rte") + " created",
                "status: File " +
                    ShownPath(t / "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln") +
                    " created"}));
}

TEST(ConversionRun, SimulatorFoldersFollowTheSelectionOfEachRun) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices nothing;
  nothing.simulator = Simulator::kFsx;
  run.Run(ExampleText(), nothing);
  EXPECT_TRUE(std::filesystem::exists(t / "fsx/routes/EAAAEBBB.rts"));
  EXPECT_FALSE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));

  // Back to FS9: the FS9 folders apply at once.
  run.Run(ExampleText(), Fs2004());
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/isg/FlightPlans/default.rte"));
  EXPECT_FALSE(std::filesystem::exists(t / "fsx/isg/FlightPlans/default.rte"));
  EXPECT_EQ(t.folders.fs9_dir, t / "fs9");
}

TEST(ConversionRun, Super80CopyComesFromThisRunsPlan) {
  Tree t;
  test::WriteFile(t / "app/temp.tmp", "stale plan of an earlier run");
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices = Fs2004();
  choices.super80 = true;
  choices.plan_number = 42;
  ASSERT_EQ(run.Run(ExampleText(), choices).end, RunEnd::kCompleted);
  const std::string super80 = test::ReadFile(t / "docs/Flight Simulator Files/eaaa-ebbb-42.pln");
  EXPECT_NE(super80.find("departure_name=EAAA\r\n"), std::string::npos);
  EXPECT_EQ(test::ReadFile(t / "docs/Flight Simulator Files/IFR EAAA to EBBB.pln"), super80);
  EXPECT_EQ(test::ReadFile(t / "app/temp.tmp"), "stale plan of an earlier run");
}

TEST(ConversionRun, ATargetThatFailsLeavesTheOthersWritten) {
  Tree t;
  // The plan copy's name is taken by a folder: the FS2004 target fails after
  // "temp.tmp" and the ISG route; Google Earth and the route copy still come.
  const auto blocked = t / "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln";
  std::filesystem::create_directories(blocked / "inside");
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices = Fs2004();
  choices.ticked.insert(Target::kGoogleEarth);
  const RunOutcome out = run.Run(ExampleText(), choices);
  EXPECT_EQ(out.end, RunEnd::kNotWritten);
  ASSERT_EQ(out.failures.size(), 1u);
  EXPECT_EQ(out.failures[0].caption, "FS2004");
  const auto messages = t.front.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Not written:\n" + out.failures[0].Line());
  EXPECT_NE(messages[0].find(ShownPath(blocked)), std::string::npos) << messages[0];
  EXPECT_TRUE(std::filesystem::exists(t / "docs/ALPHA_INTL-BETA FIELD.kml"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));
  for (const auto& entry : std::filesystem::directory_iterator(t / "docs/Flight Simulator Files")) {
    EXPECT_EQ(entry.path(), blocked) << "partial file left: " << entry.path();
  }
}

// The plan text files belong to the first of the FS2004, FSX and Google Earth
// rows that the run writes: when they fail there, the Google Earth row writes
// its own file alone, and under FSX the FSX plan fails under its own caption.
TEST(ConversionRun, PlanTextFilesAreWrittenOnceByTheFirstRowThatNeedsThem) {
  for (const Simulator simulator : {Simulator::kFs9, Simulator::kFsx}) {
    Tree t;
    std::filesystem::create_directories(t / "app/temp.tmp/inside");
    ConversionRun run(t.folders, t.airports, t.front);
    RunChoices choices = Fs2004(simulator);
    choices.ticked.insert(Target::kGoogleEarth);
    const RunOutcome out = run.Run(ExampleText(), choices);
    ASSERT_EQ(out.failures.size(), 1u);
    EXPECT_EQ(out.failures[0].caption, simulator == Simulator::kFsx ? "FSX" : "FS2004");
    const std::filesystem::path isg = simulator == Simulator::kFsx ? "fsx" : "fs9";
    EXPECT_FALSE(std::filesystem::exists(t / (isg / "isg/FlightPlans/default.rte").string()));
    EXPECT_TRUE(std::filesystem::exists(t / "docs/ALPHA_INTL-BETA FIELD.kml"));
  }
}

// A row's removals take away files of its earlier runs, in the row's order,
// and name each that was there; a folder of that name is refused, and the run
// reports the row.
TEST(ConversionRun, RemovalsTakeAwayOnlyTheRowsOwnFiles) {
  const auto row_removing = [](std::string name) {
    TargetDescriptor row = DescriptorOf(Target::kCiva);
    row.folder = {.below_simulator = "cards"};
    row.render = [name](const WriterInput&) {
      TargetFiles files;
      files.push_back({.name = RouteFileName{"new", ".txt"}, .bytes = "new"});
      files.push_back({.name = RouteFileName{name, ".txt"}, .write = FileWrite::kRemoved});
      files.push_back({.name = RouteFileName{"missing", ".txt"}, .write = FileWrite::kRemoved});
      return files;
    };
    return row;
  };
  for (const bool folder_in_its_place : {false, true}) {
    Tree t;
    const std::filesystem::path stale = t / "fs9/cards/stale.txt";
    if (folder_in_its_place)
      std::filesystem::create_directories(stale / "inside");
    else
      test::WriteFile(stale, "old card");
    const TargetDescriptor rows[] = {row_removing("stale")};
    ConversionRun run(t.folders, t.airports, t.front, rows);
    RunChoices choices;
    choices.ticked = {Target::kCiva};
    const RunOutcome out = run.Run(ExampleText(), choices);
    EXPECT_EQ(test::ReadFile(t / "fs9/cards/new.txt"), "new");
    EXPECT_EQ(std::filesystem::exists(stale), folder_in_its_place);
    ASSERT_EQ(out.failures.size(), folder_in_its_place ? 1u : 0u);
    if (folder_in_its_place) {
      EXPECT_EQ(out.failures[0].message, ShownPath(stale) +
                                             " is not a regular file; written before the "
                                             "failure: new.txt");
    } else {
      EXPECT_EQ(t.front.events,
                (std::vector<std::string>{
                    "status: File " + ShownPath(t / "fs9/cards/new.txt") + " created",
                    "status: File " + ShownPath(stale) + " removed"}));
    }
  }
}

// A shorter route over the same pair leaves no card of the longer one: the
// INS would load both. Another pair's cards stay.
TEST(ConversionRun, CivaRemovesTheHigherCardsOfItsPair) {
  Tree t;
  const std::filesystem::path cards = t / "fs9/Civa/ADEU";
  for (const char* name : {"EAAA-EBBB01.AWC", "EAAA-EBBB02.AWC", "EAAA-EBBB03.AWC",
                           "EAAA-EBBB05.AWC", "EAAA-EXXX02.AWC"})
    test::WriteFile(cards / name, "old");
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices;
  choices.ticked = {Target::kCiva};
  EXPECT_EQ(run.Run(ExampleText(), choices).end, RunEnd::kCompleted);
  EXPECT_NE(test::ReadFile(cards / "EAAA-EBBB01.AWC"), "old");
  EXPECT_FALSE(std::filesystem::exists(cards / "EAAA-EBBB02.AWC"));
  EXPECT_FALSE(std::filesystem::exists(cards / "EAAA-EBBB03.AWC"));
  EXPECT_EQ(test::ReadFile(cards / "EAAA-EXXX02.AWC"), "old");
  EXPECT_EQ(test::ReadFile(cards / "EAAA-EBBB05.AWC"), "old");  // after a gap: of no set
  EXPECT_EQ(t.front.events, (std::vector<std::string>{"status: File EAAA-EBBB01.AWC created",
                                                      "status: File EAAA-EBBB02.AWC removed",
                                                      "status: File EAAA-EBBB03.AWC removed"}));
}

// A row of one set of files that fails part-way names the files that are new.
TEST(ConversionRun, ASetOfFilesFailingPartWayNamesTheNewOnes) {
  Tree t;
  TargetDescriptor row = DescriptorOf(Target::kCiva);
  row.render = [](const WriterInput&) {
    TargetFiles files;
    for (const char* name : {"A01", "A02", "A03"})
      files.push_back({.name = RouteFileName{name, ".AWC"}, .bytes = "new"});
    return files;
  };
  std::filesystem::create_directories(t / "fs9/Civa/ADEU/A03.AWC/inside");
  const TargetDescriptor rows[] = {row};
  ConversionRun run(t.folders, t.airports, t.front, rows);
  RunChoices choices;
  choices.ticked = {Target::kCiva};
  const RunOutcome out = run.Run(ExampleText(), choices);
  ASSERT_EQ(out.failures.size(), 1u);
  const std::string& message = out.failures[0].message;
  EXPECT_TRUE(message.ends_with("; written before the failure: A01.AWC to A02.AWC")) << message;
}

// CIVA makes its card folder, one level inside the simulator's folders; a
// folder the settings name is never made.
TEST(ConversionRun, CivaMakesOnlyItsOwnCardFolder) {
  struct Case {
    const char* name;
    const char* existing;  // made before the run, below the tree
    const char* setting;   // CIVAFolder, below the tree; empty: not set
    std::string failure;   // <tree>: the tree's folder
  };
  const std::vector<Case> cases = {
      {"card folder made", "fs9/Civa", "", ""},
      {"two levels are not made", "", "", "the folder <tree>/fs9/Civa does not exist"},
      {"a named folder is not made", "cards", "cards/INS",
       "the folder <tree>/cards/INS does not exist"},
  };
  for (const Case& c : cases) {
    Tree t;
    if (*c.existing)
      std::filesystem::create_directories(t / c.existing);
    if (*c.setting)
      test::WriteFile(t / "app/korvanta.ini",
                      "[Main]\r\nCIVAFolder=" + PathToUtf8(t / c.setting) + "\r\n");
    ConversionRun run(t.folders, t.airports, t.front);
    RunChoices choices;
    choices.ticked = {Target::kCiva};
    const RunOutcome out = run.Run(ExampleText(), choices);
    const std::string expected = WithFolder(c.failure, "<tree>", t.dir.path());
    ASSERT_EQ(out.failures.size(), c.failure.empty() ? 0u : 1u) << c.name;
    if (!c.failure.empty())
      EXPECT_EQ(out.failures[0].message, expected) << c.name;
    else
      EXPECT_TRUE(std::filesystem::exists(t / "fs9/Civa/ADEU/EAAA-EBBB01.AWC")) << c.name;
  }
}

TEST(ConversionRun, Super80IntoAMissingFolderIsReported) {
  Tree t;
  std::filesystem::remove_all(t / "docs/Flight Simulator Files");
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices = Fs2004();
  choices.super80 = true;
  EXPECT_EQ(run.Run(ExampleText(), choices).end, RunEnd::kNotWritten);
  ASSERT_EQ(t.front.Messages().size(), 1u);
  EXPECT_NE(t.front.Messages()[0].find("eaaa-ebbb-661.pln"), std::string::npos);
}

// A coordinate that does not read or lies off the globe refuses the route
// before anything, "route.txt" included, is written.
TEST(ConversionRun, ABadCoordinateWritesNothing) {
  struct Case {
    std::string from, to, message;
  };
  const std::vector<Case> cases = {
      {"N50*02'00.00\"", "N50*XX'00.00\"",
       "Waypoint EAAA: latitude \"N50*XX'00.00\"\" does not read"},
      {"N50*02'00.00\"", "N91*00'00.00\"",
       "Waypoint EAAA: latitude \"N91*00'00.00\"\" is out of range"},
      {"N50*02'00.00\"", "N90*00'00.01\"",
       "Waypoint EAAA: latitude \"N90*00'00.01\"\" is out of range"},
      {"N50*02'00.00\"", "N50*60'00.00\"",
       "Waypoint EAAA: latitude \"N50*60'00.00\"\" is out of range"},
      {"N50*02'00.00\"", "E50*30'00.00\"",
       "Waypoint EAAA: latitude \"E50*30'00.00\"\" is out of range"},
      {"E008*34'14.00\"", "W181*00'00.00\"",
       "Waypoint EAAA: longitude \"W181*00'00.00\"\" is out of range"},
      {"E008*34'14.00\"", "E008*15'60.00\"",
       "Waypoint EAAA: longitude \"E008*15'60.00\"\" is out of range"},
      {"E008*34'14.00\"", "E008*3X'14.00\"",
       "Waypoint EAAA: longitude \"E008*3X'14.00\"\" does not read"},
      // A coordinate that lost its closing quote is named, not a column before it.
      {"E008*34'14.00\"", "E008*34'14.00",
       "Waypoint EAAA: longitude \"E008*34'14.00\" does not read"},
      {"N50*02'00.00\"", "N50*02'00.00", "Waypoint EAAA: latitude \"N50*02'00.00\" does not read"},
  };
  for (const Case& c : cases) {
    Tree t;
    std::string text = InputToUtf8(ExampleText());
    const std::string from = test::WithDegreeSign(c.from, '*');
    text.replace(text.find(from, text.find("Details:")), from.size(),
                 test::WithDegreeSign(c.to, '*'));
    ConversionRun run(t.folders, t.airports, t.front);
    RunChoices choices = Fs2004();
    choices.ticked.insert(Target::kPmdg);
    EXPECT_EQ(run.Run(text, choices).end, RunEnd::kRouteRefused) << c.to;
    EXPECT_EQ(t.front.Messages(), std::vector<std::string>{test::WithDegreeSign(c.message, '*')});
    EXPECT_FALSE(std::filesystem::exists(t / "app/route.txt")) << c.to;
    EXPECT_FALSE(std::filesystem::exists(t / "app/temp.tmp")) << c.to;
  }
}

TEST(ConversionRun, NavWritersNameTheirFilesAndStopOnTooManyFiles) {
  // FSNavigator and MadDog 2008 offer the "/T" dialog: a confirmed file is
  // named with its path, an automatic one without its folder. CIVA has no
  // dialog and names its last card.
  struct Case {
    const char* name;
    bool confirmed;
    std::vector<std::string> events;  // <fsnav>, <maddog>: the folders; <chosen>: the dialog's file
  };
  const std::vector<Case> cases = {
      {"cancelled",
       false,
       {"dialog: <fsnav>", "status: File EAAA-EBBB001.fsn created",
        "status: File EAAA-EBBB01.AWC created", "dialog: <maddog>",
        "status: File EAAAEBBB.mdr created"}},
      {"confirmed",
       true,
       {"dialog: <fsnav>", "status: File <chosen> created", "status: File EAAA-EBBB01.AWC created",
        "dialog: <maddog>", "status: File <chosen> created"}},
  };
  for (const Case& c : cases) {
    Tree t;
    const auto fsnav = t / "fs9/Modules/FSNavigator/plan";
    const auto maddog = t / "fs9/MADDOG2008/Routes";
    const auto chosen = t / "chosen.rte";
    std::filesystem::create_directories(fsnav);
    std::filesystem::create_directories(maddog);
    std::filesystem::create_directories(t / "fs9/Civa");
    const auto expand = [&](std::string text) {
      for (const auto& [mark, path] :
           {std::pair{"<fsnav>", fsnav}, {"<maddog>", maddog}, {"<chosen>", chosen}}) {
        if (const auto at = text.find(mark); at != std::string::npos)
          text.replace(at, std::string(mark).size(), ShownPath(path));
      }
      return text;
    };
    if (c.confirmed)
      t.front.dialog_answer = chosen;
    ConversionRun run(t.folders, t.airports, t.front);
    RunChoices choices;
    choices.ticked = {Target::kFsNavigator, Target::kCiva, Target::kMadDog};
    choices.file_dialog = true;
    EXPECT_EQ(run.Run(ExampleText(), choices).end, RunEnd::kCompleted) << c.name;
    std::vector<std::string> expected;
    for (const auto& e : c.events)
      expected.push_back(expand(e));
    EXPECT_EQ(t.front.events, expected) << c.name;
    EXPECT_TRUE(std::filesystem::exists(t / "fs9/Civa/ADEU/EAAA-EBBB01.AWC")) << c.name;
  }

  // All 998 FSNavigator names taken: that target fails, and CIVA, MadDog
  // 2008 and the route-text copy are still written.
  Tree t;
  const auto fsnav = t / "fs9/Modules/FSNavigator/plan";
  std::filesystem::create_directories(fsnav);
  std::filesystem::create_directories(t / "fs9/Civa");
  std::filesystem::create_directories(t / "fs9/MADDOG2008/Routes");
  for (int n = 1; n <= 998; ++n) {
    const std::string number = std::string(n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n);
    test::WriteFile(fsnav / ("EAAA-EBBB" + number + ".fsn"), "taken");
  }
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices;
  choices.ticked = {Target::kFsNavigator, Target::kCiva, Target::kMadDog};
  EXPECT_EQ(run.Run(ExampleText(), choices).end, RunEnd::kNotWritten);
  EXPECT_EQ(t.front.events,
            (std::vector<std::string>{"status: FSNavigator: Too many files",
                                      "status: File EAAA-EBBB01.AWC created",
                                      "status: File EAAAEBBB.mdr created",
                                      "message: Not written:\nFSNavigator: Too many files"}));
  EXPECT_FALSE(std::filesystem::exists(fsnav / "EAAA-EBBB999.fsn"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/MADDOG2008/Routes/EAAAEBBB.mdr"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));
}

// The example route with other airport names in the heading and other
// identifiers for its first and last point.
std::string RouteNamed(const std::string& dep_name, const std::string& dest_name,
                       const std::string& dep_id, const std::string& dest_id) {
  std::string text = ExampleText();
  const auto replace = [&](const std::string& from, const std::string& to, std::size_t from_at) {
    text.replace(text.find(from, from_at), from.size(), to);
  };
  replace("ALPHA/INTL", dep_name, 0);
  replace("BETA FIELD", dest_name, 0);
  replace("\nEAAA 0", "\n" + dep_id + " 0", text.find("Details:"));
  replace("\nEBBB 290", "\n" + dest_id + " 290", text.find("Details:"));
  return text;
}

// Every target that names its file from route text, into real folders.
struct NamingTree : Tree {
  NamingTree() {
    for (const char* sub :
         {"fs9/ifly/737NG/navdata/Fltplan", "fs9/Level-D Simulations/navdata/Flightplans", "xplane",
          "fs9/Pmdg/Flightplans", "fs9/Modules/FSNavigator/plan", "fs9/Civa",
          "fs9/MADDOG2008/Routes"}) {
      std::filesystem::create_directories(dir / sub);
    }
    test::WriteFile(folders.SettingsFile(),
                    "[Main]\r\nX-PlaneFolder=" + (dir / "xplane").string() + "\r\n");
  }

  static RunChoices EveryTarget() {
    RunChoices choices;
    choices.ticked = {Target::kFs2004,      Target::kGoogleEarth, Target::kIfly,
                      Target::kLevelD,      Target::kXPlane,      Target::kPmdg,
                      Target::kFsNavigator, Target::kCiva,        Target::kMadDog};
    return choices;
  }

  // The names of the files in `folder` (UTF-8), sorted.
  std::vector<std::string> NamesIn(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir / folder))
      names.push_back(PathToUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
};

std::string Repeat(std::size_t n, const std::string& piece) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i)
    out += piece;
  return out;
}

TEST(SafeNames, LongAirportNamesWriteEveryTarget) {
  // 120 euro signs are 360 bytes of UTF-8; the heading keeps about a hundred
  // of them for the departure. Once such a name ended the run and every
  // later target was skipped.
  const std::string euro = "\x80";
  NamingTree t;
  ConversionRun run(t.folders, t.airports, t.front);
  const RunOutcome out = run.Run(RouteNamed(Repeat(120, euro), Repeat(120, euro), "EAAA", "EBBB"),
                                 NamingTree::EveryTarget());
  ASSERT_EQ(out.end, RunEnd::kCompleted) << ::testing::PrintToString(t.front.events);
  EXPECT_TRUE(t.front.Messages().empty()) << ::testing::PrintToString(t.front.events);

  // Shortened to the byte limit by whole characters, keeping the extension.
  const std::string e = "\xE2\x82\xAC";
  const std::pair<std::string, std::vector<std::string>> expected[] = {
      {"docs/Flight Simulator Files", {"IFR " + Repeat(82, e) + ".pln"}},
      {"docs", {"Flight Simulator Files", Repeat(83, e) + ".kml"}},
      {"fs9/ifly/737NG/navdata/Fltplan", {"EAAAEBBB.fltplan"}},
      {"fs9/Level-D Simulations/navdata/Flightplans", {"EAAAEBBB.rte"}},
      {"xplane", {"EAAA-EBBB.fms"}},
      {"fs9/Pmdg/Flightplans", {"EAAAEBBB001.rte"}},
      {"fs9/Modules/FSNavigator/plan", {"EAAA-EBBB001.fsn"}},
      {"fs9/Civa/ADEU", {"EAAA-EBBB01.AWC"}},
      {"fs9/MADDOG2008/Routes", {"EAAAEBBB.mdr"}},
      {"fs9/routes", {"EAAAEBBB.rts"}},
  };
  for (const auto& [folder, names] : expected)
    EXPECT_EQ(t.NamesIn(folder), names) << folder;
}

TEST(SafeNames, RouteTextGivesVisibleOrdinaryNames) {
  // A dot before the first identifier and airport name would hide the
  // files on Linux; bytes without a Windows-1252 character would be
  // invisible in the name.
  NamingTree t;
  ConversionRun run(t.folders, t.airports, t.front);
  const RunOutcome out = run.Run(RouteNamed(".ALPHA\x81", "BETA\x9D FIELD", ".AAA", "EBBB"),
                                 NamingTree::EveryTarget());
  ASSERT_EQ(out.end, RunEnd::kCompleted) << ::testing::PrintToString(t.front.events);
  const std::pair<std::string, std::vector<std::string>> expected[] = {
      {"docs/Flight Simulator Files", {"IFR .ALPHA_ to BETA_ FIELD.pln"}},
      {"docs", {"Flight Simulator Files", "_ALPHA_-BETA_ FIELD.kml"}},
      {"fs9/Pmdg/Flightplans", {"_AAAEBBB001.rte"}},
      {"fs9/Modules/FSNavigator/plan", {"_AAA-EBBB001.fsn"}},
      {"fs9/Civa/ADEU", {"_AAA-EBBB01.AWC"}},
      {"fs9/routes", {"_AAAEBBB.rts"}},
  };
  for (const auto& [folder, names] : expected)
    EXPECT_EQ(t.NamesIn(folder), names) << folder;
}

TEST(FileOutput, AFailedWriteLeavesTheOldFile) {
  test::TempDir dir;
  test::WriteFile(dir / "plan.rte", "old");
  WriteWholeFile(dir / "plan.rte", "new");
  EXPECT_EQ(test::ReadFile(dir / "plan.rte"), "new");
  EXPECT_THROW(WriteWholeFile(dir / "missing/plan.rte", "x"), RunError);
  WriteWholeFile(dir / "made/plan.rte", "x", true);
  EXPECT_EQ(test::ReadFile(dir / "made/plan.rte"), "x");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 2u);  // no temporary file left behind
}

}  // namespace
}  // namespace korvanta
