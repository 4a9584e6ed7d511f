// The window's behaviour without a toolkit: a recording view stands in for
// the window and answers what the model asks of it.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "io/utf8_path.hpp"
#include "route/route_string.hpp"
#include "settings/folder_source.hpp"
#include "settings/ini_profile.hpp"
#include "test_support.hpp"
#include "text/cp1252.hpp"
#include "window/window_model.hpp"

namespace korvanta {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The targets' tick boxes.
constexpr Control kFs2004Box = BoxOf(Target::kFs2004);
constexpr Control kGoogleEarthBox = BoxOf(Target::kGoogleEarth);
constexpr Control kIflyBox = BoxOf(Target::kIfly);
constexpr Control kLevelDBox = BoxOf(Target::kLevelD);
constexpr Control kXPlaneBox = BoxOf(Target::kXPlane);
constexpr Control kPmdgBox = BoxOf(Target::kPmdg);
constexpr Control kFsNavigatorBox = BoxOf(Target::kFsNavigator);
constexpr Control kCivaBox = BoxOf(Target::kCiva);
constexpr Control kMadDogBox = BoxOf(Target::kMadDog);
constexpr Control kTu154Box = BoxOf(Target::kTu154);
constexpr Control kXPlane11Box = BoxOf(Target::kXPlane11);
constexpr Control kGpxBox = BoxOf(Target::kGpx);

class RecordingView : public WindowView {
 public:
  std::vector<std::string> events;  // timer, placement, focus, messages, start-up end
  std::vector<SaveDialogRequest> requests;
  std::deque<std::optional<fs::path>> answers;  // the dialog is cancelled once they run out
  std::string clipboard;
  std::string placement = "placement-of-the-view";
  std::string restored_placement;
  std::optional<OldPlacement> restored_old;
  std::chrono::milliseconds now{100000};
  std::function<void()> on_message;
  int renders = 0;

  void Render(Control, const ControlState&) override { ++renders; }
  void Focus(Control control) override { events.push_back("focus " + Name(control)); }
  void StartTimer(std::chrono::milliseconds delay) override {
    events.push_back("timer " + std::to_string(delay.count()));
  }
  std::function<void()> on_events;  // the user's input that arrives during a load or run
  void ProcessPendingEvents() override {
    if (on_events)
      std::exchange(on_events, nullptr)();
  }
  std::chrono::milliseconds Now() const override { return now; }
  std::chrono::milliseconds DoubleClickTime() const override { return 500ms; }
  std::string ClipboardText() override { return clipboard; }
  bool clipboard_free = true;  // whether another program holds the clipboard open
  bool PutClipboardText(const std::string& text) override {
    if (clipboard_free)
      clipboard = text;
    return clipboard_free;
  }
  std::optional<fs::path> open_answer;  // the file dialog's answer
  std::vector<fs::path> open_folders;   // where each file dialog opened
  std::optional<fs::path> ChooseOpenFile(const fs::path& folder) override {
    events.push_back("open dialog");
    open_folders.push_back(folder);
    return open_answer;
  }
  std::string_view PlacementKey() const override { return "TestPlacement"; }
  std::string SavePlacement() override { return placement; }
  void RestorePlacement(const std::string& saved, const std::optional<OldPlacement>& old) override {
    events.push_back("placement");
    restored_placement = saved;
    restored_old = old;
  }
  void ShowMessage(const std::string& text) override {
    events.push_back("message " + text);
    if (on_message)
      on_message();
  }
  std::optional<fs::path> ChooseSaveFile(const SaveDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty())
      return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool viewer = true;  // whether a viewer opens the documents
  bool OpenDocument(const fs::path&) override { return viewer; }
  void StartUpEnded() override { events.push_back("start-up ended"); }
  void CloseWindow() override { events.push_back("close"); }

  static std::string Name(Control control) { return std::string(InfoOf(control).name); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& e : events) {
      if (e.rfind("message ", 0) == 0)
        out.push_back(e.substr(8));
    }
    return out;
  }
};

// A program folder, the simulators' folders with the airport database, a view
// and a window model over them.
struct Window {
  test::TempDir dir;
  FixedFolderSource source;
  RecordingView view;
  std::unique_ptr<WindowModel> model;

  Window() {
    for (const char* sub : {"app", "docs/Flight Simulator Files", "docs/Flight Simulator X Files",
                            "fs9/MADDOG2008/Routes", "fs9/Fmcwp/NAVDATA", "fsx"}) {
      fs::create_directories(dir / sub);
    }
    fs::copy_file(test::DataDir() / "wpNavApt.txt", dir / "fs9/Fmcwp/NAVDATA/wpNavApt.txt");
    source.documents = dir / "docs";
    source.fs9 = dir / "fs9";
    source.fsx = dir / "fsx";
  }
  fs::path Settings() const { return dir / "app/korvanta.ini"; }

  WindowModel& Create(bool file_dialog = false) {
    model = std::make_unique<WindowModel>(dir / "app", source, file_dialog, view);
    return *model;
  }
  // Created, shown and through its start-up timer.
  WindowModel& Start(bool file_dialog = false) {
    Create(file_dialog);
    model->WindowShown();
    model->TimerFired();
    return *model;
  }
  const ControlState& operator[](Control c) const { return model->StateOf(c); }
  void Tick(Control box) { model->BoxTicked(box, !model->StateOf(box).ticked); }
  void Convert() {
    view.now += 10s;
    model->Convert(view.now);
  }
};

// "name=E+" (enabled, ticked) or "name=D-" for each tick box.
std::string Boxes(const Window& w) {
  std::string out;
  for (const ControlInfo& info : Controls()) {
    if (!IsTickBox(info.control))
      continue;
    const ControlState& s = w[info.control];
    out += std::string(out.empty() ? "" : " ") + std::string(info.name) + "=" +
           (s.enabled ? "E" : "D") + (s.ticked ? "+" : "-");
  }
  return out;
}

void TickEveryEnabledBox(Window& w) {
  for (const ControlInfo& info : Controls()) {
    if (IsTickBox(info.control) && w[info.control].enabled)
      w.model->BoxTicked(info.control, true);
  }
}

// The target table gives each target its box, with a widget name of its
// own, at a place of its own in a tick row.
TEST(WindowControls, EveryTargetHasItsBoxInTheTickRows) {
  std::set<std::string_view> names;
  for (const ControlInfo& info : Controls())
    EXPECT_TRUE(names.insert(info.name).second) << info.name;
  for (std::size_t i = 0; i < Targets().size(); ++i) {
    const TargetDescriptor& target = Targets()[i];
    EXPECT_EQ(static_cast<std::size_t>(target.target), i) << "in the order of Target";
    const ControlInfo& box = InfoOf(BoxOf(target.target));
    EXPECT_EQ(box.target, target.target);
    EXPECT_EQ(box.caption, target.caption);
    EXPECT_EQ(box.stored_key, target.stored_key);
    EXPECT_TRUE(IsTickBox(box.control));
  }
  const std::vector<Control> rows = TickRowOrder();
  EXPECT_EQ(rows.size(), Targets().size() + 3);  // and the Super 80 box, the plan number, its label
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BoxPlace& place = *InfoOf(rows[i]).place;
    EXPECT_LT(place.row, kTickRows) << InfoOf(rows[i]).name;
    if (i == 0)
      continue;
    // No two controls share a place, so the Tab order is the same in both windows.
    const BoxPlace& before = *InfoOf(rows[i - 1]).place;
    EXPECT_LT(std::pair(before.row, before.order), std::pair(place.row, place.order))
        << InfoOf(rows[i]).name;
  }
}

// Every tick box, the runway label, the selection's items, GO!!! and Copy have an
// Alt+letter that no other control has, under every selection's captions.
TEST(WindowControls, MnemonicsAreUniqueAndStayUnderEverySelection) {
  std::map<char, std::string> owners;
  const auto claim = [&](std::string_view caption, const std::string& owner) {
    const char letter = MnemonicOf(caption);
    ASSERT_NE(letter, '\0') << caption;
    const auto [at, added] = owners.emplace(letter, owner);
    EXPECT_EQ(at->second, owner) << caption << " takes the letter of " << at->second;
  };
  for (const ControlInfo& info : Controls()) {
    if (!IsTickBox(info.control) && info.control != Control::kRunwayLabel &&
        info.control != Control::kGoButton && info.control != Control::kPlanNumberLabel &&
        info.control != Control::kCopyButton)
      continue;
    claim(info.caption, std::string(info.name));
    if (info.on_selection != nullptr) {
      for (const SelectionEffect& effect : *info.on_selection) {
        if (!effect.caption.empty())
          claim(effect.caption, std::string(info.name));
      }
    }
  }
  for (const SimulatorInfo& item : kSimulators)
    claim(item.caption, std::string(item.cli_name) + " item");
  EXPECT_EQ(DescriptorOf(Target::kPmdg).PlainCaption(), "PMDG 737/747");
}

TEST(WindowControls, CaptionsWithoutTheirMnemonic) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"&FS2004", "FS2004"}, {"X-Pla&ne", "X-Plane"}, {"A && B", "A & B"},
      {"&&&Go", "&Go"},      {"Plain", "Plain"},      {"Ends&", "Ends"},
  };
  for (const auto& [caption, plain] : cases)
    EXPECT_EQ(WithoutMnemonic(caption), plain) << caption;
  EXPECT_EQ(MnemonicOf("A && B"), '\0');
  EXPECT_EQ(MnemonicOf("&&&go"), 'G');
}

// Enter ticks and unticks a focused box as Space does, but not a disabled
// one; on GO!!! it presses GO!!!; on the conversion button, and F5 anywhere,
// it runs.
TEST(WindowModel, KeyboardRules) {
  Window w;
  w.Start();
  w.view.events.clear();
  EXPECT_TRUE(w.model->KeyPressed(Key::kEnter, Control::kGoButton, w.view.now));
  EXPECT_EQ(w.view.events, std::vector<std::string>{"focus runwayBox"});
  EXPECT_TRUE(w[Control::kRunwayPrompt].visible);
  EXPECT_TRUE(w.model->KeyPressed(Key::kEnter, kMadDogBox, w.view.now));
  EXPECT_TRUE(w[kMadDogBox].ticked);
  w.model->SimulatorSelected(Simulator::kXPlane);
  EXPECT_FALSE(w.model->KeyPressed(Key::kEnter, kMadDogBox, w.view.now));
  EXPECT_FALSE(w[kMadDogBox].ticked);
  EXPECT_FALSE(w.model->KeyPressed(Key::kEnter, Control::kGrid, w.view.now));
  EXPECT_FALSE(w.model->KeyPressed(Key::kEnter, Control::kSuper80Box, w.view.now));  // hidden
  EXPECT_TRUE(w.view.Messages().empty());

  w.view.clipboard = "hello\r\n";
  w.view.now += 10s;
  EXPECT_TRUE(w.model->KeyPressed(Key::kEnter, Control::kConversionButton, w.view.now));
  w.view.now += 10s;
  EXPECT_TRUE(w.model->KeyPressed(Key::kF5, Control::kGrid, w.view.now));
  w.view.now += 10s;
  EXPECT_TRUE(w.model->KeyPressed(Key::kEnter, Control::kRunwayBox, w.view.now));
  // X-plane ticks its box: each run says the clipboard's text does not read.
  EXPECT_EQ(w.view.Messages(),
            (std::vector<std::string>{"Wrong format", "Wrong format", "Wrong format"}));
}

TEST(WindowModel, FileDialogRequestedByTheFirstArgument) {
  using Args = std::vector<std::string>;
  EXPECT_TRUE(FileDialogRequested(Args{"/T"}));
  EXPECT_TRUE(FileDialogRequested(Args{"/t", "x"}));
  EXPECT_FALSE(FileDialogRequested(Args{"/X"}));
  EXPECT_FALSE(FileDialogRequested(Args{"--app-dir", "/T"}));
  EXPECT_FALSE(FileDialogRequested(Args{}));
}

struct SelectionCase {
  const char* name;
  std::vector<Simulator> before;
  bool tick_all;
  Simulator pick;
  const char* expected;
};

TEST(WindowModel, SelectionTable) {
  using enum Simulator;
  const SelectionCase cases[] = {
      {"X-plane from everything ticked",
       {},
       true,
       kXPlane,
       "super80Box=D- fs2004Box=D- kmlBox=E+ iflyBox=E+ leveldBox=D- xplaneBox=E+ pmdgBox=D- "
       "fsnavBox=D- civaBox=E+ maddogBox=D- tu154Box=D- xplane11Box=E+ gpxBox=E+ msfsBox=E+"},
      {"X-plane from nothing ticked",
       {},
       false,
       kXPlane,
       "super80Box=D- fs2004Box=D- kmlBox=E- iflyBox=E- leveldBox=D- xplaneBox=E+ pmdgBox=D- "
       "fsnavBox=D- civaBox=E- maddogBox=D- tu154Box=D- xplane11Box=E- gpxBox=E- msfsBox=E-"},
      {"FSX from everything ticked",
       {},
       true,
       kFsx,
       "super80Box=D- fs2004Box=E+ kmlBox=E+ iflyBox=D- leveldBox=E+ xplaneBox=D- pmdgBox=E+ "
       "fsnavBox=D- civaBox=E+ maddogBox=D- tu154Box=D- xplane11Box=E+ gpxBox=E+ msfsBox=E+"},
      // The FSX plan can be ticked in FSX mode after X-plane.
      {"FSX after X-plane enables FSX, PMDG and LVLD",
       {kXPlane},
       true,
       kFsx,
       "super80Box=D- fs2004Box=E- kmlBox=E+ iflyBox=D- leveldBox=E- xplaneBox=D- pmdgBox=E- "
       "fsnavBox=D- civaBox=E+ maddogBox=D- tu154Box=D- xplane11Box=E+ gpxBox=E+ msfsBox=E+"},
      {"FS9 after X-plane",
       {kXPlane},
       true,
       kFs9,
       "super80Box=E- fs2004Box=E- kmlBox=E+ iflyBox=E+ leveldBox=E- xplaneBox=D- pmdgBox=E- "
       "fsnavBox=E- civaBox=E+ maddogBox=E- tu154Box=E- xplane11Box=E+ gpxBox=E+ msfsBox=E+"},
      {"FS9 after FSX",
       {kFsx},
       true,
       kFs9,
       "super80Box=E- fs2004Box=E+ kmlBox=E+ iflyBox=E- leveldBox=E+ xplaneBox=D- pmdgBox=E+ "
       "fsnavBox=E- civaBox=E+ maddogBox=E- tu154Box=E- xplane11Box=E+ gpxBox=E+ msfsBox=E+"},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    w.Start();
    for (const Simulator s : c.before)
      w.model->SimulatorSelected(s);
    if (c.tick_all)
      TickEveryEnabledBox(w);
    w.model->SimulatorSelected(c.pick);
    EXPECT_EQ(Boxes(w), c.expected);
    EXPECT_EQ(w.model->AppliedSimulator(), c.pick);
  }
}

TEST(WindowModel, SelectionCaptionsAndPickingTheSelectedItemAgain) {
  Window w;
  w.Start();
  w.model->SimulatorSelected(Simulator::kFsx);
  EXPECT_EQ(w[kFs2004Box].caption, "&FSX");
  EXPECT_EQ(w[kPmdgBox].caption, "P&MDG 747");
  w.model->SimulatorSelected(Simulator::kXPlane);
  w.Tick(kXPlaneBox);  // unticked by the user
  w.model->SimulatorSelected(Simulator::kXPlane);
  EXPECT_FALSE(w[kXPlaneBox].ticked);
  w.model->SimulatorSelected(Simulator::kFs9);
  EXPECT_EQ(w[kFs2004Box].caption, "&FS2004");
  EXPECT_EQ(w[kPmdgBox].caption, "P&MDG 737/747");
}

struct ShowHideCase {
  const char* name;
  std::vector<Control> clicks;
  bool super80_shown, super80_ticked, plan_number_shown;
};

TEST(WindowModel, ShowHideRules) {
  using enum Control;
  const ShowHideCase cases[] = {
      {"FS2004 shows Flight1", {kFs2004Box}, true, false, false},
      {"Flight1 shows the plan number", {kFs2004Box, kSuper80Box}, true, true, true},
      {"unticking FS2004 hides and unticks Flight1, hides the plan number",
       {kFs2004Box, kSuper80Box, kFs2004Box},
       false,
       false,
       false},
      {"TU154 alone shows the plan number", {kTu154Box}, false, false, true},
      // The plan number stays while either of its plans is ticked.
      {"unticking TU154 keeps the plan number of a ticked Flight1",
       {kFs2004Box, kSuper80Box, kTu154Box, kTu154Box},
       true,
       true,
       true},
      {"unticking Flight1 keeps the plan number of a ticked TU154",
       {kTu154Box, kFs2004Box, kSuper80Box, kSuper80Box},
       true,
       false,
       true},
      {"unticking FS2004 keeps the plan number of a ticked TU154",
       {kTu154Box, kFs2004Box, kSuper80Box, kFs2004Box},
       false,
       false,
       true},
      {"unticking both hides it",
       {kTu154Box, kFs2004Box, kSuper80Box, kSuper80Box, kTu154Box},
       true,
       false,
       false},
  };
  for (const ShowHideCase& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    w.Start();
    for (const Control box : c.clicks)
      w.Tick(box);
    EXPECT_EQ(w[Control::kSuper80Box].visible, c.super80_shown);
    EXPECT_EQ(w[Control::kSuper80Box].ticked, c.super80_ticked);
    EXPECT_EQ(w[Control::kPlanNumber].visible, c.plan_number_shown);
    EXPECT_EQ(w[Control::kPlanNumberLabel].visible, c.plan_number_shown);
  }
}

TEST(WindowModel, SelectionsUntickThroughTheShowHideRules) {
  Window w;
  w.Start();
  for (const Control box : {kFs2004Box, Control::kSuper80Box, kTu154Box})
    w.Tick(box);
  w.model->SimulatorSelected(Simulator::kFsx);
  EXPECT_TRUE(w[Control::kSuper80Box].visible);  // the FSX plan box stays ticked
  EXPECT_FALSE(w[Control::kSuper80Box].ticked);
  EXPECT_FALSE(w[Control::kPlanNumber].visible);
  w.model->SimulatorSelected(Simulator::kXPlane);
  EXPECT_FALSE(w[Control::kSuper80Box].visible);
}

// The window's own controls as the window is created (the view tests check
// that each view draws these states); the targets' boxes shown and unticked.
TEST(WindowModel, DesignStates) {
  struct Design {
    Control control;
    const char* caption;
    bool visible;
  };
  const Design designs[] = {
      {Control::kSuper80Box, "Flight1 S&uper 80 format", false},
      {Control::kPlanNumberLabel, "Flight pl&an nr", false},
      {Control::kPlanNumber, "", false},
      {Control::kStatusLine, "", true},
      {Control::kRunwayLabel, "Departing &Runway", true},
      {Control::kRunwayBox, "", true},
      {Control::kRunwayPrompt, "Modify Runway", false},
      {Control::kGoButton, "G&O!!!", true},
      {Control::kGrid, "", true},
  };
  Window w;
  w.Create();
  for (const Design& design : designs) {
    EXPECT_EQ(w[design.control].caption, design.caption) << InfoOf(design.control).name;
    EXPECT_EQ(w[design.control].visible, design.visible) << InfoOf(design.control).name;
    EXPECT_FALSE(w[design.control].ticked) << InfoOf(design.control).name;
  }
  EXPECT_EQ(w[Control::kPlanNumber].value, kPlanNumberDefault);
  EXPECT_EQ(w[Control::kSimulatorSelection].value, static_cast<int>(Simulator::kFs9));
  // The captions the user sees, with their Alt+letters.
  const std::map<std::string_view, std::string_view> box_captions = {
      {"fs2004", "&FS2004"},          {"kml", "Google &Earth"},
      {"ifly", "&iFly737"},           {"leveld", "&LVLD 767"},
      {"xplane", "X-Pla&ne"},         {"pmdg", "P&MDG 737/747"},
      {"fsnav", "FSNa&vigator"},      {"civa", "&CIVA"},
      {"maddog", "Mad&Dog2008"},      {"tu154", "&TU154"},
      {"xplane11", "X-Plane &11/12"}, {"gpx", "&GPX"},
      {"msfs", "M&SFS 2020"}};
  for (const TargetDescriptor& target : Targets()) {
    EXPECT_EQ(w[BoxOf(target.target)].caption, box_captions.at(target.cli_name)) << target.cli_name;
    EXPECT_TRUE(w[BoxOf(target.target)].visible) << target.cli_name;
    EXPECT_FALSE(w[BoxOf(target.target)].ticked) << target.cli_name;
  }
  const std::string_view item_captions[] = {"FS&9", "FS&X", "X-&plane"};
  for (const SimulatorInfo& item : kSimulators)
    EXPECT_EQ(item.caption, item_captions[static_cast<std::size_t>(item.simulator)]);
}

TEST(WindowModel, StartUpOrder) {
  Window w;
  test::WriteFile(w.Settings(),
                  "[TForm1]\r\nRadioGroup1_ItemIndex=2\r\nTu154_Checked=True\r\n"
                  "TestPlacement=AAAA\r\n");
  WindowModel& m = w.Create();
  EXPECT_FALSE(m.ConversionAllowed());
  EXPECT_FALSE(w[Control::kConversionButton].enabled);
  EXPECT_TRUE(w[Control::kProgressPanel].visible);
  EXPECT_EQ(w[Control::kProgressPanel].caption, "Loading Routes .....");
  EXPECT_TRUE(w.view.events.empty());

  m.WindowShown();
  // Restored, with the show/hide rule run for the restored tick; the item is
  // marked but the selection waits for the timer.
  EXPECT_TRUE(w[kTu154Box].ticked);
  EXPECT_TRUE(w[Control::kPlanNumber].visible);
  EXPECT_EQ(w[Control::kSimulatorSelection].value, 2);
  EXPECT_EQ(m.AppliedSimulator(), Simulator::kFs9);
  EXPECT_FALSE(w[kXPlaneBox].ticked);
  // The boxes the item turns off already look so when the window shows.
  EXPECT_FALSE(w[kFs2004Box].enabled);
  EXPECT_FALSE(w[kMadDogBox].enabled);
  EXPECT_TRUE(w[kXPlaneBox].enabled);
  EXPECT_EQ(w.view.events, (std::vector<std::string>{"placement", "timer 200"}));
  EXPECT_EQ(w.view.restored_placement, "AAAA");
  EXPECT_FALSE(m.ConversionAllowed());

  m.WindowShown();  // shown again (restored from minimised): nothing more
  EXPECT_EQ(w.view.events.size(), 2U);

  m.TimerFired();
  EXPECT_EQ(m.AppliedSimulator(), Simulator::kXPlane);
  EXPECT_TRUE(w[kXPlaneBox].ticked);
  EXPECT_FALSE(w[kTu154Box].ticked);
  EXPECT_FALSE(w[Control::kPlanNumber].visible);
  EXPECT_FALSE(w[Control::kProgressPanel].visible);
  EXPECT_TRUE(m.ConversionAllowed());
  EXPECT_TRUE(w[Control::kConversionButton].enabled);
  EXPECT_EQ(w.view.events.back(), "start-up ended");
  EXPECT_TRUE(w.view.Messages().empty());
}

// The first start without the FMC's data says where the list belongs; the
// status line keeps a note of it under every later status.
TEST(WindowModel, MissingAirportDatabaseEndsTheStartUpToo) {
  Window w;
  const fs::path list = w.dir / "fs9/Fmcwp/NAVDATA/wpNavApt.txt";
  fs::remove(list);
  w.Start();
  EXPECT_EQ(w.view.Messages(),
            std::vector<std::string>{"No airport list at " + ShownPath(list) +
                                     ". Plans will show airport elevation 0. Install your FMC's "
                                     "navigation data there, or choose its folder under Folders."});
  EXPECT_FALSE(w[Control::kProgressPanel].visible);
  EXPECT_TRUE(w.model->ConversionAllowed());
  EXPECT_EQ(w[Control::kStatusLine].caption, "No airport list: airport elevation 0");
  w.Convert();
  EXPECT_EQ(w[Control::kStatusLine].caption,
            "The clipboard holds no text (No airport list: airport elevation 0)");
}

struct RestoreCase {
  const char* stored;
  bool super80_shown, super80_ticked, plan_number_shown;
};

TEST(WindowModel, RestoredTicksRunTheShowHideRules) {
  const RestoreCase cases[] = {
      {"CheckBox4_Checked=True", true, false, false},
      {"CheckBox1_Checked=True\r\nCheckBox4_Checked=True", true, true, true},
      {"Tu154_Checked=True", false, false, true},
      {"CheckBox1_Checked=True\r\nCheckBox4_Checked=False", false, false, false},
      {"CheckBox1_Checked=True\r\nCheckBox4_Checked=False\r\nTu154_Checked=True", false, false,
       true},
      {"CheckBox1_Checked=True\r\nCheckBox4_Checked=True\r\nTu154_Checked=True\r\n"
       "RadioGroup1_ItemIndex=2",
       false, false, false},
  };
  for (const RestoreCase& c : cases) {
    SCOPED_TRACE(c.stored);
    Window w;
    test::WriteFile(w.Settings(), std::string("[TForm1]\r\n") + c.stored + "\r\n");
    w.Start();
    EXPECT_EQ(w[Control::kSuper80Box].visible, c.super80_shown);
    EXPECT_EQ(w[Control::kSuper80Box].ticked, c.super80_ticked);
    EXPECT_EQ(w[Control::kPlanNumber].visible, c.plan_number_shown);
  }
}

TEST(WindowModel, StatesKeptAcrossStarts) {
  Window w;
  const std::string settings =
      "; folders of the add-ons\r\n[Main]\r\nLVLDFolder = C:\\LVLD\\  \r\n\r\n[Other]\nkey=value\n";
  test::WriteFile(w.Settings(), settings);
  w.Start();
  for (const Control box : {kFs2004Box, Control::kSuper80Box, kTu154Box, kGoogleEarthBox, kGpxBox})
    w.Tick(box);
  w.model->PlanNumberChanged(42);
  w.model->SimulatorSelected(Simulator::kFsx);
  EXPECT_TRUE(w.model->CloseRequested());

  const std::string kept = test::ReadFile(w.Settings());
  EXPECT_EQ(kept.substr(0, settings.size()), settings);
  EXPECT_NE(
      kept.find(
          "[TForm1]\r\nCheckBox1_Checked=False\r\nRxSpinEdit1_Value=42\r\n"
          "CheckBox2_Checked=False\r\nCheckBox3_Checked=False\r\n"
          "CheckBox4_Checked=True\r\nCheckBox5_Checked=False\r\n"
          "MadDog2006_Checked=False\r\nTu154_Checked=False\r\n"
          "RadioGroup1_ItemIndex=1\r\nCheckBox6_Checked=False\r\n"
          "CheckBox7_Checked=False\r\nCheckBox8_Checked=True\r\n"
          "CheckBox9_Checked=False\r\nXPlane11_Checked=False\r\n"
          "Gpx_Checked=True\r\nMsfs_Checked=False\r\nTestPlacement=placement-of-the-view\r\n"),
      std::string::npos)
      << kept;

  Window again;
  fs::copy_file(w.Settings(), again.Settings());
  again.Start();
  EXPECT_EQ(again.model->AppliedSimulator(), Simulator::kFsx);
  EXPECT_EQ(again[kFs2004Box].caption, "&FSX");
  EXPECT_TRUE(again[kFs2004Box].ticked);
  EXPECT_TRUE(again[kGoogleEarthBox].ticked);
  EXPECT_TRUE(again[kGpxBox].ticked);
  EXPECT_FALSE(again[kXPlane11Box].ticked);
  EXPECT_EQ(again[Control::kPlanNumber].value, 42);
  EXPECT_EQ(again.view.restored_placement, "placement-of-the-view");
  EXPECT_FALSE(again.view.restored_old);
}

// A settings file written before the X-Plane 11/12 and GPX boxes: its keys
// keep their bytes and order, the two new ones follow them in the section.
TEST(WindowModel, NewBoxesAppendTheirTicksToAnEarlierSettingsFile) {
  Window w;
  const std::string earlier =
      "[TForm1]\r\nCheckBox1_Checked=False\r\nRxSpinEdit1_Value=661\r\n"
      "CheckBox2_Checked=False\r\nCheckBox3_Checked=False\r\nCheckBox4_Checked=False\r\n"
      "CheckBox5_Checked=False\r\nMadDog2006_Checked=False\r\nTu154_Checked=False\r\n"
      "RadioGroup1_ItemIndex=0\r\nCheckBox6_Checked=False\r\nCheckBox7_Checked=False\r\n"
      "CheckBox8_Checked=True\r\nCheckBox9_Checked=False\r\n"
      "TestPlacement=placement-of-the-view\r\n";
  test::WriteFile(w.Settings(), earlier);
  w.Start();
  EXPECT_FALSE(w[kXPlane11Box].ticked);
  EXPECT_FALSE(w[kGpxBox].ticked);
  w.Tick(kXPlane11Box);
  EXPECT_TRUE(w.model->CloseRequested());
  EXPECT_EQ(test::ReadFile(w.Settings()),
            earlier + "XPlane11_Checked=True\r\nGpx_Checked=False\r\nMsfs_Checked=False\r\n");
}

TEST(WindowModel, UnreadableStoredValuesLeaveTheirControls) {
  Window w;
  test::WriteFile(w.Settings(),
                  "[tform1]\r\ncheckbox8_checked=true\r\nCheckBox2_Checked=maybe\r\n"
                  "RxSpinEdit1_Value=many\r\nRadioGroup1_ItemIndex=7\r\n");
  w.Start();
  EXPECT_TRUE(w[kGoogleEarthBox].ticked);
  EXPECT_FALSE(w[kPmdgBox].ticked);
  EXPECT_EQ(w[Control::kPlanNumber].value, kPlanNumberDefault);
  EXPECT_EQ(w[Control::kSimulatorSelection].value, 0);

  // An item index one past the last item, or before the first, leaves the
  // selection as it is.
  for (const char* index : {"3", "-1"}) {
    Window other;
    test::WriteFile(other.Settings(),
                    "[TForm1]\r\nRadioGroup1_ItemIndex=" + std::string(index) + "\r\n");
    other.Start();
    EXPECT_EQ(other[Control::kSimulatorSelection].value, 0) << index;
    EXPECT_EQ(other.model->AppliedSimulator(), Simulator::kFs9) << index;
  }

  // Numbers out of range are brought into it.
  Window big;
  test::WriteFile(big.Settings(), "[TForm1]\r\nRxSpinEdit1_Value=123456.7\r\n");
  big.Start();
  EXPECT_EQ(big[Control::kPlanNumber].value, 99999);
  big.model->PlanNumberChanged(0);
  EXPECT_EQ(big[Control::kPlanNumber].value, 1);
}

TEST(WindowModel, OldPlacementKeysServeUntilTheToolkitsOwnIsKept) {
  Window w;
  test::WriteFile(
      w.Settings(),
      "[TForm1]\r\nLeft=10\r\nTop=-20\r\nWidth=700\r\nHeight=500\r\nMaximized=True\r\n");
  w.Start();
  EXPECT_EQ(w.view.restored_placement, "");
  ASSERT_TRUE(w.view.restored_old);
  EXPECT_EQ(w.view.restored_old->left, 10);
  EXPECT_EQ(w.view.restored_old->top, -20);
  EXPECT_EQ(w.view.restored_old->width, 700);
  EXPECT_EQ(w.view.restored_old->height, 500);
  EXPECT_TRUE(w.view.restored_old->maximized);

  Window partial;
  test::WriteFile(partial.Settings(), "[TForm1]\r\nLeft=10\r\nTop=20\r\nWidth=700\r\n");
  partial.Start();
  EXPECT_FALSE(partial.view.restored_old);
}

// ---- the conversion --------------------------------------------------------

std::string ExampleRouteUtf8() {
  return Cp1252ToUtf8(test::ReadFile(test::DataDir() / "example_route.txt"));
}

TEST(WindowModel, ConversionWaitsForTheAirportLoad) {
  Window w;
  w.view.clipboard = ExampleRouteUtf8();
  WindowModel& m = w.Create();
  m.WindowShown();
  w.Convert();
  EXPECT_FALSE(fs::exists(w.dir / "app/route.txt"));
  m.TimerFired();
  w.Convert();
  EXPECT_TRUE(fs::exists(w.dir / "fs9/routes/EAAAEBBB.rts"));
  // The elevations of the airport database.
  ASSERT_EQ(m.Waypoints().Count(), 5U);
  EXPECT_EQ(m.Waypoints()[0].alt, 364);
}

// The line shows the route string of the grid's route, and Copy puts it on
// the clipboard; a run that leaves no route empties the line.
TEST(WindowModel, RouteStringLineAndCopy) {
  Window w;
  WindowModel& m = w.Start();
  EXPECT_EQ(w[Control::kRouteStringLine].caption, "");
  EXPECT_FALSE(w[Control::kCopyButton].enabled);
  w.view.clipboard = ExampleRouteUtf8();
  w.Convert();
  const std::string route_string = w[Control::kRouteStringLine].caption;
  EXPECT_EQ(route_string, RouteString(m.Waypoints()));
  EXPECT_EQ(route_string.substr(0, 5), "EAAA ");
  EXPECT_EQ(route_string.substr(route_string.size() - 5), " EBBB");
  EXPECT_TRUE(w[Control::kCopyButton].enabled);

  m.CopyClicked();
  EXPECT_EQ(w.view.clipboard, route_string);
  EXPECT_EQ(w[Control::kStatusLine].caption, kRouteStringCopied);
  w.view.clipboard = "kept";
  w.view.clipboard_free = false;
  m.CopyClicked();
  EXPECT_EQ(w.view.clipboard, "kept");
  EXPECT_EQ(w[Control::kStatusLine].caption, kRouteStringNotCopied);

  w.view.clipboard = "Computed route from A (EAAA) to B (EBBB)\r\nEAAA > EBBB\r\n";
  w.Convert();
  EXPECT_EQ(w[Control::kRouteStringLine].caption, "");
  EXPECT_FALSE(w[Control::kCopyButton].enabled);
  const std::string status = w[Control::kStatusLine].caption;
  m.CopyClicked();
  EXPECT_EQ(w[Control::kStatusLine].caption, status);
}

TEST(WindowModel, RunGuard) {
  Window w;
  w.Start();
  w.Tick(kFs2004Box);
  w.Tick(kMadDogBox);
  w.view.clipboard = "hello\r\n";
  // At the run's first message the user presses the button again.
  int refused_inside = 0;
  w.view.on_message = [&] {
    EXPECT_TRUE(w.model->Running());
    EXPECT_FALSE(w[Control::kConversionButton].enabled);
    const auto before = w.view.Messages().size();
    w.model->Convert(w.view.now);
    refused_inside += w.view.Messages().size() == before ? 1 : 0;
  };
  w.Convert();
  // Two ticked targets, one message: the route did not read.
  EXPECT_EQ(w.view.Messages(), std::vector<std::string>{"Wrong format"});
  EXPECT_EQ(refused_inside, 1);
  EXPECT_TRUE(w[Control::kConversionButton].enabled);
  EXPECT_EQ(w.view.events.back(), "focus conversionButton");

  // The second click of a double-click, just after the run ended: ignored.
  w.view.on_message = nullptr;
  const auto ended = w.view.now;
  w.model->Convert(ended + 499ms);
  EXPECT_EQ(w.view.Messages().size(), 1U);
  w.model->Convert(ended + 500ms);
  EXPECT_EQ(w.view.Messages().size(), 2U);
}

// A close asked for during the start-up load or a run happens after it, with
// the states as they are then.
TEST(WindowModel, ClosingWaitsForTheLoadAndTheRun) {
  Window w;
  fs::remove(w.dir / "fs9/Fmcwp/NAVDATA/wpNavApt.txt");
  std::vector<bool> allowed;
  w.view.on_message = [&] { allowed.push_back(w.model->CloseRequested()); };
  w.Start();  // "File wpNavApt.txt missing" during the load
  EXPECT_EQ(w.view.events.back(), "close");
  w.Tick(kMadDogBox);
  w.view.clipboard = "hello\r\n";
  w.Convert();  // "Wrong format" during the run
  EXPECT_EQ(allowed, (std::vector<bool>{false, false}));
  EXPECT_EQ(std::count(w.view.events.begin(), w.view.events.end(), "close"), 2);
  EXPECT_FALSE(fs::exists(w.Settings()));
  EXPECT_TRUE(w.model->CloseRequested());
  EXPECT_NE(test::ReadFile(w.Settings()).find("MadDog2006_Checked=True"), std::string::npos);
}

// The screenshot script's run: every box it can tick, the Super 80 box that
// the FS2004 tick shows included.
TEST(WindowModel, DemoTicksEveryShownEnabledBoxAndConverts) {
  Window w;
  // Not the current folder, wherever the tests run, for the X-Plane 11/12 plan.
  fs::create_directories(w.dir / "xplane11");
  test::WriteFile(w.Settings(),
                  "[Main]\r\nXPlane11Folder=" + PathToUtf8(w.dir / "xplane11") + "\r\n");
  w.Start();
  w.view.clipboard = ExampleRouteUtf8();
  w.model->RunDemo(w.view.now + 10s);
  EXPECT_EQ(Boxes(w),
            "super80Box=E+ fs2004Box=E+ kmlBox=E+ iflyBox=E+ leveldBox=E+ xplaneBox=D- "
            "pmdgBox=E+ fsnavBox=E+ civaBox=E+ maddogBox=E+ tu154Box=E+ xplane11Box=E+ gpxBox=E+ "
            "msfsBox=E+");
  EXPECT_EQ(w[Control::kPlanNumber].value, kDemoPlanNumber);
  EXPECT_EQ(test::ReadFile(w.dir / "app/route.txt"),
            test::ReadFile(test::DataDir() / "example_route.txt"));
  EXPECT_TRUE(fs::exists(w.dir / "xplane11/EAAAEBBB.fms"));
}

TEST(WindowModel, StatusLineSaysWhyNothingWasWritten) {
  Window w;
  w.Start();
  w.Tick(kMadDogBox);
  w.view.clipboard = ExampleRouteUtf8();
  w.Convert();
  EXPECT_EQ(w[Control::kStatusLine].caption, "File EAAAEBBB.mdr created");

  std::string no_details = w.view.clipboard;
  no_details.resize(no_details.find("Details:"));
  const struct {
    std::string text;
    std::set<Control> ticked;
    std::string status;
  } cases[] = {
      {no_details, {kMadDogBox}, "No details list found"},
      {"hello\r\n", {kMadDogBox}, "Wrong format"},
      {"hello\r\n", {}, "Wrong format"},  // nothing ticked, and no route for the ".rts" copy
      {"", {kMadDogBox}, "The clipboard holds no text"},
      {no_details, {}, "No details list found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    w.model->BoxTicked(kMadDogBox, c.ticked.count(kMadDogBox) != 0);
    w.view.clipboard = c.text;
    w.Convert();
    EXPECT_EQ(w[Control::kStatusLine].caption, c.status);
  }

  // A target that fails says so in the status line, and the run's one
  // message lists it.
  w.model->BoxTicked(kMadDogBox, true);
  w.view.clipboard = ExampleRouteUtf8();
  w.Convert();
  fs::remove_all(w.dir / "fs9/MADDOG2008");
  w.Convert();
  const std::string failure = "MadDog2008: Cannot create ";
  EXPECT_EQ(w[Control::kStatusLine].caption.rfind(failure, 0), 0U)
      << w[Control::kStatusLine].caption;
  ASSERT_EQ(w.view.Messages().size(), 3U);  // two "Wrong format", the summary
  EXPECT_EQ(w.view.Messages().back(), "Not written:\n" + w[Control::kStatusLine].caption);
}

// An X-Plane plan of the two airports alone.
constexpr std::string_view kTwoPointFms =
    "I\r\n1100 Version\r\nADEP EAAA\r\nADES EBBB\r\nNUMENR 2\r\n"
    "1 EAAA ADEP 364.000000 50.033333 8.570556\r\n1 EBBB ADES 50.000000 50.866667 5.250000\r\n";

// A dropped or opened file converts like the clipboard's route, whatever its
// kind; the status line names the file when nothing was written.
TEST(WindowModel, DroppedAndOpenedFilesConvert) {
  Window w;
  w.Start();
  w.Tick(kMadDogBox);
  test::WriteFile(w.dir / "plan.fms", std::string(kTwoPointFms));
  test::WriteFile(w.dir / "bad.gpx", "<gpx>\n<wpt>\n");
  const fs::path mdr = w.dir / "fs9/MADDOG2008/Routes/EAAAEBBB.mdr";
  const auto drop = [&](std::vector<fs::path> files) {
    w.view.now += 10s;
    w.model->FilesDropped(files, w.view.now);
  };

  drop({w.dir / "plan.fms", w.dir / "bad.gpx", w.dir / "none"});
  EXPECT_TRUE(fs::exists(mdr));
  EXPECT_EQ(w[Control::kStatusLine].caption,
            "File EAAAEBBB.mdr created (2 other dropped files were not read)");
  EXPECT_EQ(w.model->Waypoints().Count(), 2U);

  fs::remove(mdr);
  drop({w.dir / "bad.gpx"});
  EXPECT_FALSE(fs::exists(mdr));
  ASSERT_EQ(w.view.Messages().size(), 1U);
  EXPECT_EQ(w[Control::kStatusLine].caption, "bad.gpx: " + w.view.Messages()[0]);
  EXPECT_TRUE(w.view.Messages()[0].starts_with("Not a readable flight plan: "));

  drop({w.dir / "none"});
  EXPECT_TRUE(w[Control::kStatusLine].caption.starts_with(PathToUtf8(w.dir / "none") + ": "));

  w.view.now += 10s;
  w.model->OpenFile(w.view.now);  // cancelled: nothing happens
  EXPECT_FALSE(fs::exists(mdr));
  w.view.open_answer = w.dir / "plan.fms";
  w.view.now += 10s;
  w.model->OpenFile(w.view.now);
  EXPECT_TRUE(fs::exists(mdr));
  // The documents folder first, then the folder of the file opened.
  w.view.open_answer.reset();
  w.view.now += 10s;
  w.model->OpenFile(w.view.now);
  EXPECT_EQ(w.view.open_folders, (std::vector<fs::path>{w.model->Folders().documents_dir,
                                                        w.model->Folders().documents_dir,
                                                        (w.dir / "plan.fms").parent_path()}));

  // The clipboard may hold a plan as well.
  fs::remove(mdr);
  w.view.clipboard = kTwoPointFms;
  w.Convert();
  EXPECT_TRUE(fs::exists(mdr));
  w.model->BoxTicked(kMadDogBox, false);
  drop({w.dir / "plan.fms"});
  EXPECT_EQ(w[Control::kStatusLine].caption, "plan.fms: Nothing ticked: nothing written");
}

// With nothing ticked the route text is still kept: the status line says
// where, the simulator's copy first.
TEST(WindowModel, ARunWithNothingTickedSaysWhereTheRouteCopyWent) {
  Window w;
  w.source.fsx.reset();  // no FSX: no copy among its routes
  w.Start();
  w.view.clipboard = ExampleRouteUtf8();
  w.Convert();
  EXPECT_EQ(w[Control::kStatusLine].caption,
            "Nothing ticked: the route copy is " + ShownPath(w.dir / "fs9/routes/EAAAEBBB.rts"));
  w.model->SimulatorSelected(Simulator::kFsx);
  w.Convert();
  EXPECT_EQ(w[Control::kStatusLine].caption,
            "Nothing ticked: the route copy is " + ShownPath(w.dir / "app/route.txt"));
}

// A route that names its departure runway puts it into the runway box over
// what an earlier route left there; a runway typed after that wins for that
// route.
TEST(WindowModel, ARoutesRunwayShowsInTheRunwayBox) {
  Window w;
  w.Start();
  w.Tick(kMadDogBox);
  const auto plan = [](std::string_view runway) {
    std::string text(kTwoPointFms);
    return text.insert(text.find("NUMENR"), "DEPRWY RW" + std::string(runway) + "\r\n");
  };
  const struct {
    std::string typed;  // before the run; empty: nothing typed
    std::string clipboard;
    std::string box;
  } steps[] = {
      {"27L", plan("16C"), "16C"},
      {"27L", plan("16C"), "27L"},
      {"", plan("09L"), "09L"},
      {"", ExampleRouteUtf8(), "09L"},  // the route finder's text names no runway
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.box);
    if (!step.typed.empty())
      w.model->RunwayEdited(step.typed);
    w.view.clipboard = step.clipboard;
    w.Convert();
    EXPECT_EQ(w[Control::kRunwayBox].caption, step.box);
  }
}

// What only standard error saw before: the settings that cannot be kept (a
// box at the close) and the document no viewer opened (the status line).
TEST(WindowModel, FailuresOutsideTheRunShowInTheWindow) {
  Window w;
  w.Start();
  w.view.viewer = false;
  w.Tick(kGoogleEarthBox);
  w.view.clipboard = ExampleRouteUtf8();
  w.Convert();
  const std::string& status = w[Control::kStatusLine].caption;
  EXPECT_TRUE(status.starts_with("No viewer opened ") && status.ends_with(".kml")) << status;

  fs::create_directories(w.Settings());  // no file can be written there
  EXPECT_TRUE(w.model->CloseRequested());
  ASSERT_FALSE(w.view.Messages().empty());
  EXPECT_TRUE(w.view.Messages().back().starts_with("The window's settings were not saved to " +
                                                   ShownPath(w.Settings()) + ".\n"))
      << w.view.Messages().back();
}

// The plan number is marked while the ticked Tu-154 box's store cannot hold
// it; 0 becomes 1.
TEST(WindowModel, PlanNumberBeyondTheTu154Store) {
  Window w;
  w.Start();
  EXPECT_EQ(w[Control::kPlanNumber].value, 1);
  const struct {
    bool tu154;
    int typed, value;
    bool marked;
  } cases[] = {
      {false, 26, 26, false}, {true, 26, 26, true},        {true, 25, 25, false},
      {true, 0, 1, false},    {true, 100000, 99999, true}, {false, 99999, 99999, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    w.model->BoxTicked(kTu154Box, c.tu154);
    w.model->PlanNumberChanged(c.typed);
    EXPECT_EQ(w[Control::kPlanNumber].value, c.value);
    EXPECT_EQ(w[Control::kPlanNumber].marked, c.marked);
    EXPECT_EQ(w[Control::kPlanNumber].tooltip,
              c.marked ? "The Tu-154 store holds plans 1 to 25" : "");
  }
}

// The arrows select the simulator items round and round, as radio buttons do.
TEST(WindowModel, ArrowsSelectTheSimulatorItems) {
  Window w;
  w.Start();
  EXPECT_FALSE(w.model->KeyPressed(Key::kNextItem, kFs2004Box, w.view.now));
  const std::pair<Key, Simulator> steps[] = {
      {Key::kNextItem, Simulator::kFsx},
      {Key::kNextItem, Simulator::kXPlane},
      {Key::kNextItem, Simulator::kFs9},
      {Key::kPreviousItem, Simulator::kXPlane},
  };
  for (const auto& [key, selected] : steps) {
    EXPECT_TRUE(w.model->KeyPressed(key, Control::kSimulatorSelection, w.view.now));
    EXPECT_EQ(w.model->AppliedSimulator(), selected);
    EXPECT_EQ(w.view.events.back(), "focus simulatorSelection");
  }
}

// A plan's note stays on the status line once its files are written.
TEST(WindowModel, APlanNoteOnTheStatusLine) {
  Window w;
  w.Start();
  w.Tick(kMadDogBox);
  const fs::path plan = test::DataDir() / "plans/mission_xplane11_numenr.fms";
  w.view.now += 10s;
  w.model->FilesDropped(std::span(&plan, 1), w.view.now);
  EXPECT_TRUE(fs::exists(w.dir / "fs9/MADDOG2008/Routes/PHNLPHOG.mdr"));
  EXPECT_EQ(w[Control::kStatusLine].caption,
            "The plan counts 11 en-route points but lists 9; the 9 listed were read");
}

// A file dropped while the airport database loads or a run goes on is
// converted once that has ended; a drop is no double-click.
TEST(WindowModel, AFileDroppedWhileBusyConvertsAfterwards) {
  Window w;
  test::WriteFile(w.Settings(), "[TForm1]\r\nMadDog2006_Checked=True\r\n");
  test::WriteFile(w.dir / "plan.fms", std::string(kTwoPointFms));
  const std::vector<fs::path> dropped = {w.dir / "plan.fms", w.dir / "other.gpx"};
  const fs::path mdr = w.dir / "fs9/MADDOG2008/Routes/EAAAEBBB.mdr";

  w.Create();
  w.model->WindowShown();
  w.view.on_events = [&] { w.model->FilesDropped(dropped, w.view.now); };
  w.model->TimerFired();  // the drop comes during the load
  EXPECT_TRUE(fs::exists(mdr));
  EXPECT_EQ(w.model->Waypoints().Count(), 2U);
  EXPECT_EQ(w[Control::kStatusLine].caption,
            "File EAAAEBBB.mdr created (1 other dropped file was not read)");

  // During a clipboard run; at once after it, within the double-click time.
  w.view.clipboard = ExampleRouteUtf8();
  w.view.on_events = [&] { w.model->FilesDropped(std::span(dropped).first(1), w.view.now); };
  w.Convert();
  EXPECT_EQ(w.model->Waypoints().Count(), 2U);
  w.Convert();
  EXPECT_EQ(w.model->Waypoints().Count(), 5U);
  w.model->FilesDropped(std::span(dropped).first(1), w.view.now);
  EXPECT_EQ(w.model->Waypoints().Count(), 2U);
}

// Under every selection the two boxes stay as the user left them, and a run
// writes both files: the X-Plane 11/12 plan beside the version-3 one (which it
// never replaces), the GPX route into the documents folder.
TEST(WindowModel, XPlane11AndGpxWrittenUnderEverySelection) {
  for (const Simulator simulator : {Simulator::kFs9, Simulator::kFsx, Simulator::kXPlane}) {
    SCOPED_TRACE(static_cast<int>(simulator));
    Window w;
    fs::create_directories(w.dir / "xplane");
    test::WriteFile(w.Settings(),
                    "[Main]\r\nX-PlaneFolder=" + PathToUtf8(w.dir / "xplane") + "\r\n");
    w.Start();
    w.Tick(kXPlane11Box);
    w.Tick(kGpxBox);
    w.model->SimulatorSelected(simulator);
    EXPECT_TRUE(w[kXPlane11Box].ticked && w[kXPlane11Box].enabled);
    EXPECT_TRUE(w[kGpxBox].ticked && w[kGpxBox].enabled);
    w.view.clipboard = ExampleRouteUtf8();
    w.Convert();
    EXPECT_TRUE(w.view.Messages().empty());

    const fs::path plan = w.dir / "xplane/EAAAEBBB.fms";
    const fs::path route = w.dir / "docs/EAAA-EBBB.gpx";
    EXPECT_EQ(test::ReadFile(plan).substr(0, 23), "I\r\n1100 Version\r\nCYCLE ");
    EXPECT_NE(test::ReadFile(route).find("<name>EAAA-EBBB</name>"), std::string::npos);
    // The X-Plane selection ticks the version-3 box too: both files, apart.
    EXPECT_EQ(fs::exists(w.dir / "xplane/EAAA-EBBB.fms"), simulator == Simulator::kXPlane);
    EXPECT_EQ(w[Control::kStatusLine].caption, "File " + ShownPath(route) + " created");
  }
}

TEST(WindowModel, GoButtonAndRunwayPrompt) {
  Window w;
  w.Start();
  w.model->GoClicked();
  EXPECT_EQ(w.view.events.back(), "focus runwayBox");
  EXPECT_TRUE(w[Control::kRunwayPrompt].visible);
  w.model->RunwayEdited("25R");
  w.Tick(kFs2004Box);
  // The Super 80 box and the plan number reach the run as its options.
  w.Tick(Control::kSuper80Box);
  w.model->PlanNumberChanged(7);
  w.view.clipboard = ExampleRouteUtf8();
  w.Convert();
  EXPECT_FALSE(w[Control::kRunwayPrompt].visible);
  const std::string super80 = test::ReadFile(w.dir / "docs/Flight Simulator Files/eaaa-ebbb-7.pln");
  EXPECT_NE(super80.find("25R"), std::string::npos);
}

// Each writer's "/T" dialog names its target, offers its own extension and
// holds the name last confirmed in it, else the name a cancel writes (the
// numbered files' next number).
TEST(WindowModel, SaveDialogsOfTheWriters) {
  Window w;
  for (const char* folder :
       {"xplane", "fs9/ifly/737NG/navdata/Fltplan", "fs9/Level-D Simulations/navdata/Flightplans",
        "fs9/Pmdg/Flightplans", "fs9/Modules/FSNavigator/plan"}) {
    fs::create_directories(w.dir / folder);
  }
  test::WriteFile(w.Settings(), "[Main]\r\nX-PlaneFolder=" + PathToUtf8(w.dir / "xplane") + "\r\n");
  w.Start(true);
  for (const Control box :
       {kIflyBox, kLevelDBox, kPmdgBox, kFsNavigatorBox, kMadDogBox, kXPlaneBox}) {
    w.model->BoxTicked(box, true);
  }
  fs::create_directories(w.dir / "out");
  w.view.answers = {
      w.dir / "out/mine.fltplan", std::nullopt, std::nullopt, std::nullopt, std::nullopt,
      w.dir / "out/mine.mdr"};
  w.view.clipboard = ExampleRouteUtf8();
  w.Convert();
  std::vector<std::string> shown;
  for (const SaveDialogRequest& r : w.view.requests)
    shown.push_back(r.title + " | " + r.Filter() + " | " + r.file_name);
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "Save the iFly 737NG plan | iFly 737NG plan|*.fltplan | EAAAEBBB.fltplan",
                       "Save the Level-D 767 route | Route file|*.rte | EAAAEBBB.rte",
                       "Save the X-Plane plan | X-Plane plan|*.fms | EAAA-EBBB.fms",
                       "Save the PMDG route | Route file|*.rte | EAAAEBBB001.rte",
                       "Save the FSNavigator plan | FSNavigator plan|*.fsn | EAAA-EBBB001.fsn",
                       "Save the MadDog 2008 route | MadDog 2008 route|*.mdr | EAAAEBBB.mdr"}));
  EXPECT_EQ(w.view.requests[0].folder, w.dir / "fs9/ifly/737NG/navdata/Fltplan");
  EXPECT_TRUE(fs::exists(w.dir / "out/mine.fltplan"));
  EXPECT_TRUE(fs::exists(w.dir / "out/mine.mdr"));
  EXPECT_TRUE(w.view.Messages().empty());

  w.view.requests.clear();
  w.Convert();
  ASSERT_EQ(w.view.requests.size(), 6U) << w.view.Messages().back();
  EXPECT_EQ(w.view.requests[0].file_name, "mine.fltplan");
  EXPECT_EQ(w.view.requests[1].file_name, "EAAAEBBB.rte");
  EXPECT_EQ(w.view.requests[3].file_name, "EAAAEBBB002.rte");
  EXPECT_EQ(w.view.requests[5].file_name, "mine.mdr");
}

}  // namespace
}  // namespace korvanta
