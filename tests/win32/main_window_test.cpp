// The Win32 window, created from its dialog template and driven with window
// messages as a user's clicks would send them, on a fresh folder tree per
// test. Message boxes, the save dialog and the viewer are answered by a
// recorder in place of the user.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "io/utf8_path.hpp"
#include "io/wide_text.hpp"
#include "map/map_svg.hpp"
#include "run/folder_rows.hpp"
#include "settings/folder_source.hpp"
#include "settings/ini_profile.hpp"
#include "text/cp1252.hpp"
#include "win32/clipboard.hpp"
#include "win32/dpi.hpp"
#include "win32/main_window.hpp"
#include "win32/map_view.hpp"
#include "win32/placement.hpp"
#include "win32/resource_ids.h"
#include "win32/tick_box_spans.hpp"
#include "win32/user_dialogs.hpp"

namespace korvanta::win32 {
namespace {

namespace fs = std::filesystem;

int BoxItem(Target target) {
  return ItemOf(BoxOf(target));
}

// The test data folder is a Linux path; Wine shows the Linux root as Z:.
// Whether the control's dialog item shows the model's caption as its text
// (the conversion button shows a picture, the grid, the selection's group and
// the plan number none of the model's).
bool ShowsCaption(Control control) {
  return control != Control::kConversionButton && control != Control::kGrid &&
         control != Control::kSimulatorSelection && control != Control::kPlanNumber;
}

fs::path TestData(std::string_view name) {
  std::wstring folder = WideFromUtf8(KORVANTA_TEST_DATA);
  if (!folder.empty() && folder.front() == L'/')
    folder.insert(0, L"Z:");
  std::replace(folder.begin(), folder.end(), L'/', L'\\');
  return fs::path(folder) / name;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The example route as a browser puts it on the clipboard.
std::string ExampleRoute() {
  return Cp1252ToUtf8(ReadBytes(TestData("example_route.txt")));
}

class RecordingDialogs : public UserDialogs {
 public:
  void ShowError(HWND owner, const std::string& text) override {
    EXPECT_NE(owner, nullptr) << "a message box must be owned by the window";
    messages.push_back(text);
  }
  std::optional<fs::path> ChooseSaveFile(HWND /*owner*/,
                                         const SaveDialogRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<fs::path> ChooseFolder(HWND /*owner*/, const std::string& /*title*/,
                                       const fs::path& /*folder*/) override {
    return folder_answer;
  }
  std::optional<fs::path> ChooseOpenFile(HWND owner, const fs::path& /*folder*/) override {
    EXPECT_NE(owner, nullptr) << "the file dialog must be owned by the window";
    ++open_dialogs;
    return open_answer;
  }
  bool OpenDocument(const fs::path& file) override {
    opened.push_back(file);
    return true;
  }

  std::vector<std::string> messages;
  std::vector<SaveDialogRequest> requests;
  std::optional<fs::path> answer;  // nullopt: the user cancels
  int open_dialogs = 0;            // the file dialogs shown
  std::optional<fs::path> folder_answer;
  std::optional<fs::path> open_answer;
  std::vector<fs::path> opened;
};

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::path(temp) / (std::string("korvanta-win32-") + info->name());
    fs::remove_all(root_);
    app_ = root_ / "app";
    fs9_ = root_ / "FS2004";
    for (const char* folder : {"Fmcwp/NAVDATA", "isg/FlightPlans", "Pmdg/Flightplans",
                               "Modules/FSNavigator/plan", "routes"})
      fs::create_directories(fs9_ / folder);
    fs::create_directories(app_);
    fs::create_directories(root_ / "FSX");
    fs::create_directories(root_ / "Documents" / "Flight Simulator Files");
    fs::create_directories(root_ / "Documents" / "Flight Simulator X Files");
    fs::copy_file(TestData("wpNavApt.txt"), fs9_ / "Fmcwp" / "NAVDATA" / "wpNavApt.txt");
    source_.documents = root_ / "Documents";
    source_.fs9 = fs9_;
    source_.fsx = root_ / "FSX";
  }

  void TearDown() override {
    window_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // Creates and shows the window; waits for the start-up unless told not to.
  MainWindow& Open(bool file_dialog = false, bool wait = true) {
    window_ = std::make_unique<MainWindow>(
        GetModuleHandleW(nullptr), app_, source_, file_dialog, dialogs_,
        [this] { return std::chrono::milliseconds(GetTickCount64()) + skipped_; });
    EXPECT_TRUE(window_->IsOpen());
    window_->Show(SW_SHOWNORMAL);
    if (wait) {
      EXPECT_TRUE(PumpUntil([this] { return window_->Model().StartUpEnded(); }));
    }
    return *window_;
  }

  // The user closes the window: its states are kept.
  void Close() {
    SendMessageW(window_->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window_->IsOpen());
    window_.reset();
  }

  bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 10000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
    while (!done()) {
      if (GetTickCount64() > end)
        return false;
      window_->ProcessPendingEvents();
      Sleep(5);
    }
    return true;
  }

  // Past the double-click time after a run, when a new click starts a run:
  // the window's clock moves on instead of the test waiting.
  void WaitPastDoubleClick() { skipped_ += std::chrono::milliseconds(GetDoubleClickTime() + 1); }

  HWND Item(int id) const { return GetDlgItem(window_->Handle(), id); }
  void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  bool Ticked(int id) const { return IsDlgButtonChecked(window_->Handle(), id) == BST_CHECKED; }
  bool Shown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  std::string Text(int id) const {
    wchar_t text[4096] = {};
    GetWindowTextW(Item(id), text, 4096);
    return Utf8FromWide(text);
  }
  RECT Place(int id) const {
    RECT rect{};
    GetWindowRect(Item(id), &rect);
    return rect;
  }

  void Convert(std::string_view route) {
    ASSERT_TRUE(PutClipboardText(window_->Handle(), route));
    Click(IDC_CONVERT);
  }

  // Drops the files onto the window as the shell does: WM_DROPFILES with an
  // HDROP, a DROPFILES header followed by the wide names, each ended by a
  // NUL, and one more NUL. The window frees it (DragFinish).
  void Drop(const std::vector<fs::path>& files) {
    std::wstring names;
    for (const fs::path& file : files)
      names += file.native() + L'\0';
    names += L'\0';
    const std::size_t name_bytes = names.size() * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + name_bytes);
    ASSERT_NE(drop, nullptr);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), name_bytes);
    GlobalUnlock(drop);
    SendMessageW(window_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  }

  // A key pressed and released with the given keys held, posted to the
  // control with the focus as the keyboard sends it: WM_KEYDOWN and WM_KEYUP,
  // or with Alt WM_SYSKEYDOWN and WM_SYSKEYUP; the window's message handling
  // makes the characters of them.
  enum Held { kNothing = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
  void PressKey(WPARAM key, int held = kNothing) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const auto hold = [&](bool down) {
      keys[VK_SHIFT] = down && (held & kShift) != 0 ? 0x80 : 0;
      keys[VK_CONTROL] = down && (held & kCtrl) != 0 ? 0x80 : 0;
      keys[VK_MENU] = down && (held & kAlt) != 0 ? 0x80 : 0;
      SetKeyboardState(keys);
    };
    // Alt with Ctrl (AltGr) gives ordinary key messages.
    const bool system = held == kAlt || held == (kAlt | kShift);
    const auto data = static_cast<LPARAM>(1 | MapVirtualKeyW(static_cast<UINT>(key), 0) << 16 |
                                          ((held & kAlt) != 0 ? 1u << 29 : 0u));
    hold(true);
    PostMessageW(GetFocus(), system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, data);
    window_->ProcessPendingEvents();
    PostMessageW(GetFocus(), system ? WM_SYSKEYUP : WM_KEYUP, key,
                 data | static_cast<LPARAM>(3u << 30));
    window_->ProcessPendingEvents();
    hold(false);
  }

  std::vector<std::string> GridIds() const {
    std::vector<std::string> ids;
    for (const auto& row : GridRows())
      ids.push_back(row[0]);
    return ids;
  }

  std::vector<std::vector<std::string>> GridRows() const {
    const HWND grid = Item(IDC_WAYPOINTS);
    std::vector<std::vector<std::string>> rows;
    const auto count = static_cast<int>(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
      std::vector<std::string> row;
      for (int column = 0; column < 8; ++column) {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(grid, LVM_GETITEMTEXTW, static_cast<WPARAM>(r),
                     reinterpret_cast<LPARAM>(&item));
        row.push_back(Utf8FromWide(text));
      }
      rows.push_back(row);
    }
    return rows;
  }

  std::vector<int> ColumnWidths() const {
    std::vector<int> widths;
    for (int column = 0; column < 8; ++column) {
      widths.push_back(static_cast<int>(
          SendMessageW(Item(IDC_WAYPOINTS), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)));
    }
    return widths;
  }

  // The text of the status line's tooltip, from the window's tooltip control.
  std::string StatusTooltip() const {
    struct Search {
      HWND owner;
      HWND found;
    } search{window_->Handle(), nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          wchar_t name[64] = {};
          GetClassNameW(candidate, name, 64);
          if (GetWindow(candidate, GW_OWNER) == s->owner && lstrcmpiW(name, TOOLTIPS_CLASSW) == 0)
            s->found = candidate;
          return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
      return "(no tooltip)";
    wchar_t text[4096] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_->Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_STATUS_LINE));
    tool.lpszText = text;
    SendMessageW(search.found, TTM_GETTEXTW, 4096, reinterpret_cast<LPARAM>(&tool));
    return Utf8FromWide(text);
  }

  std::string Settings() const { return ReadBytes(app_ / "korvanta.ini"); }

  fs::path root_, app_, fs9_;
  FixedFolderSource source_;
  RecordingDialogs dialogs_;
  std::chrono::milliseconds skipped_{};  // the time the window's clock has skipped
  std::unique_ptr<MainWindow> window_;
};

// ---- the window as designed ---------------------------------------------------

TEST_F(Win32WindowTest, OpensWithTheDesignedCaptionSizeStatesAndTabOrder) {
  Open();
  const HWND window = window_->Handle();
  wchar_t caption[128] = {};
  GetWindowTextW(window, caption, 128);
  EXPECT_EQ(Utf8FromWide(caption), "Quillberton to FS2004/FSX  plan");

  RECT client{};
  GetClientRect(window, &client);
  const UINT dpi = WindowDpi(window);
  EXPECT_EQ(client.right, ScaleForDpi(638, dpi));
  EXPECT_EQ(client.bottom, ScaleForDpi(448, dpi));

  // The captions are the model's (its tests hold the texts), the items' the
  // selection's.
  for (const ControlInfo& info : Controls()) {
    if (ShowsCaption(info.control)) {
      EXPECT_EQ(Text(ItemOf(info.control)), window_->Model().StateOf(info.control).caption)
          << info.name;
    }
  }
  for (const SimulatorInfo& item : kSimulators)
    EXPECT_EQ(Text(kSimulatorItemIds[static_cast<std::size_t>(item.simulator)]), item.caption);
  EXPECT_TRUE(Ticked(IDC_SIMULATOR_FS9));
  for (int hidden : {IDC_SUPER80, IDC_PLAN_NUMBER_LABEL, IDC_PLAN_NUMBER, IDC_PLAN_NUMBER_SPIN,
                     IDC_MODIFY_RUNWAY_PROMPT, IDC_LOAD_PROGRESS})
    EXPECT_FALSE(Shown(hidden)) << hidden;
  // The conversion button shows the program's icon through an image list
  // with a picture for each state: without its disabled one the button is
  // blank under Wine during the airport load and a run.
  BUTTON_IMAGELIST pictures{};
  SendMessageW(Item(IDC_CONVERT), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&pictures));
  EXPECT_EQ(ImageList_GetImageCount(pictures.himl), 6);
  int least = 0;
  int most = 0;
  SendMessageW(Item(IDC_PLAN_NUMBER_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&least),
               reinterpret_cast<LPARAM>(&most));
  EXPECT_EQ(least, kPlanNumberMin);
  EXPECT_EQ(most, kPlanNumberMax);

  // Tab visits the enabled, shown controls in the designed order, from GO!!!:
  // the selected item, then the tick rows' controls in the rows' order, the
  // route string's line (Copy waits for a route).
  std::vector<int> expected = {IDC_GO, IDC_RUNWAY, IDC_CONVERT, IDC_SIMULATOR_FS9, IDC_FOLDERS};
  for (const Control control : TickRowOrder()) {
    const ControlState& state = window_->Model().StateOf(control);
    if ((IsTickBox(control) || control == Control::kPlanNumber) && state.visible && state.enabled)
      expected.push_back(ItemOf(control));
  }
  EXPECT_FALSE(Enabled(IDC_COPY));
  expected.push_back(IDC_ROUTE_STRING);
  expected.push_back(IDC_WAYPOINTS);
  ASSERT_GE(expected.size(), Targets().size());
  std::vector<int> order;
  HWND at = Item(IDC_GO);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    order.push_back(GetDlgCtrlID(at));
    at = GetNextDlgTabItem(window, at, FALSE);
  }
  EXPECT_EQ(order, expected);
  EXPECT_EQ(GetDlgCtrlID(at), IDC_GO) << "the tab order wraps to GO!!!";

  // Along each tick row its controls, the template's and the created boxes,
  // follow the rows' order clear of one another.
  const std::vector<Control> rows = TickRowOrder();
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (InfoOf(rows[i - 1]).place->row == InfoOf(rows[i]).place->row) {
      EXPECT_LE(Place(ItemOf(rows[i - 1])).right, Place(ItemOf(rows[i])).left)
          << InfoOf(rows[i]).name;
    }
  }
  // The boxes of the last tick row stay clear of each other and of the grid
  // below them, inside the window.
  const RECT xplane11 = Place(BoxItem(Target::kXPlane11));
  const RECT gpx = Place(BoxItem(Target::kGpx));
  const RECT msfs = Place(BoxItem(Target::kMsfs));
  const RECT google_earth = Place(BoxItem(Target::kGoogleEarth));
  const RECT grid = Place(IDC_WAYPOINTS);
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_LE(xplane11.right, gpx.left);
  EXPECT_GE(xplane11.top, google_earth.bottom);
  EXPECT_LE(gpx.right, msfs.left);
  EXPECT_LE(gpx.bottom, grid.top);
  EXPECT_LE(msfs.right, frame.right);
  EXPECT_LE(gpx.right, frame.right);
}

TEST_F(Win32WindowTest, HiddenControlsKeepTheirPlace) {
  Open();
  const RECT tu154 = Place(BoxItem(Target::kTu154));
  const RECT maddog = Place(BoxItem(Target::kMadDog));
  Click(BoxItem(Target::kFs2004));
  Click(IDC_SUPER80);
  EXPECT_TRUE(Shown(IDC_SUPER80));
  EXPECT_TRUE(Shown(IDC_PLAN_NUMBER));
  const RECT tu154_after = Place(BoxItem(Target::kTu154));
  const RECT maddog_after = Place(BoxItem(Target::kMadDog));
  EXPECT_TRUE(EqualRect(&tu154, &tu154_after) != FALSE);
  EXPECT_TRUE(EqualRect(&maddog, &maddog_after) != FALSE);
}

// ---- the start-up and the run ---------------------------------------------------

TEST_F(Win32WindowTest, ConversionWaitsForTheAirportLoadThenConvertsTheClipboard) {
  Open(false, false);
  EXPECT_FALSE(Enabled(IDC_CONVERT)) << "no run before the airports are loaded";
  EXPECT_TRUE(Shown(IDC_LOAD_PROGRESS));
  EXPECT_EQ(Text(IDC_LOAD_PROGRESS).rfind("Loading Routes .....", 0), 0u);
  ASSERT_TRUE(PumpUntil([this] { return window_->Model().StartUpEnded(); }));
  EXPECT_TRUE(Enabled(IDC_CONVERT));
  EXPECT_FALSE(Shown(IDC_LOAD_PROGRESS));

  Click(BoxItem(Target::kFs2004));
  Click(BoxItem(Target::kPmdg));
  SetFocus(Item(IDC_CONVERT));
  Convert(ExampleRoute());

  const fs::path pmdg = fs9_ / "Pmdg" / "Flightplans" / "EAAAEBBB001.rte";
  EXPECT_TRUE(fs::exists(pmdg));
  const std::string status = Text(IDC_STATUS_LINE);
  EXPECT_EQ(status.rfind("File ", 0), 0u) << status;
  EXPECT_NE(status.find("EAAAEBBB001.rte created"), std::string::npos) << status;
  EXPECT_EQ(StatusTooltip(), status) << "the whole status text is the status line's tooltip";
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(GetFocus(), Item(IDC_CONVERT)) << "the focus is back on the conversion button";

  const auto rows = GridRows();
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows.front()[0], "EAAA");
  EXPECT_EQ(rows.back()[0], "EBBB");
  EXPECT_EQ(rows[1][4], "UL602");
  // The columns fit the window: no horizontal scroll bar.
  RECT grid{};
  GetClientRect(Item(IDC_WAYPOINTS), &grid);
  const auto widths = ColumnWidths();
  int total = 0;
  for (int width : widths) {
    EXPECT_GT(width, 0);
    total += width;
  }
  EXPECT_LE(total, grid.right);
}

// The line above the grid shows the route string of a run's route, read-only;
// Alt+Y copies it, and Copy keeps to the window's right edge.
TEST_F(Win32WindowTest, RouteStringLineShowsTheRouteAndAltYCopiesIt) {
  Open();
  EXPECT_EQ(Text(IDC_ROUTE_STRING), "");
  EXPECT_NE(GetWindowLongPtrW(Item(IDC_ROUTE_STRING), GWL_STYLE) & ES_READONLY, 0);
  Convert(ExampleRoute());
  const std::string route_string = Text(IDC_ROUTE_STRING);
  EXPECT_EQ(route_string, window_->Model().StateOf(Control::kRouteStringLine).caption);
  EXPECT_EQ(route_string.rfind("EAAA ", 0), 0u) << route_string;
  ASSERT_TRUE(Enabled(IDC_COPY));

  ASSERT_TRUE(PutClipboardText(window_->Handle(), "other"));
  PressKey('Y', kAlt);
  EXPECT_EQ(ReadClipboardText(window_->Handle()), route_string);
  EXPECT_EQ(Text(IDC_STATUS_LINE), kRouteStringCopied);

  const RECT grid = Place(IDC_WAYPOINTS);
  const RECT copy = Place(IDC_COPY);
  RECT frame{};
  GetWindowRect(window_->Handle(), &frame);
  EXPECT_LE(Place(IDC_ROUTE_STRING).right, copy.left);
  EXPECT_LE(copy.bottom, grid.top);
  SetWindowPos(window_->Handle(), nullptr, 0, 0, frame.right - frame.left + 100,
               frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  const RECT moved = Place(IDC_COPY);
  EXPECT_EQ(moved.left - copy.left, 100);
  EXPECT_EQ(moved.right - moved.left, copy.right - copy.left);
}

TEST_F(Win32WindowTest, ClipboardUnicodeTextIsReadAsWindows1252) {
  Open();
  // "Ü" has a Windows-1252 form, the airliner has none.
  Convert("Computed route from Z\xC3\x9CRICH \xE2\x9C\x88 (LSZH) to X (EBBB)\r\n");
  const std::string kept = ReadBytes(app_ / "route.txt");
  EXPECT_EQ(kept, "Computed route from Z\xDCRICH ? (LSZH) to X (EBBB)\r\n");
}

TEST_F(Win32WindowTest, ARunThatWritesNothingSaysWhyAndTheGridKeepsItsColumns) {
  Open();
  Click(BoxItem(Target::kPmdg));
  Convert(
      "Computed route from ALPHA (EAAA) to BETA (EBBB)\r\n"
      "Cruise altitude between FL330 and FL350\r\nEAAA > EBBB\r\n");
  EXPECT_EQ(Text(IDC_STATUS_LINE), "No details list found");
  EXPECT_TRUE(GridRows().empty());
  for (int width : ColumnWidths())
    EXPECT_GT(width, 10) << "the columns do not collapse";
}

TEST_F(Win32WindowTest, ADoubleClickMakesOneRun) {
  Open();
  Click(BoxItem(Target::kPmdg));
  Convert(ExampleRoute());
  Click(IDC_CONVERT);  // the second click of a double-click
  const fs::path folder = fs9_ / "Pmdg" / "Flightplans";
  EXPECT_TRUE(fs::exists(folder / "EAAAEBBB001.rte"));
  EXPECT_FALSE(fs::exists(folder / "EAAAEBBB002.rte"));
  WaitPastDoubleClick();
  Click(IDC_CONVERT);
  EXPECT_TRUE(fs::exists(folder / "EAAAEBBB002.rte"));
}

// With the keyboard alone, from the runway box: under each simulator, picked
// with the arrow keys, Tab goes round every shown and enabled control in the
// designed order (the grid, filled by a first run, does not keep it; the
// selection's stop is its checked item), Space ticks each box on the way and
// Enter unticks it on the way back with Shift+Tab; each box's Alt+letter
// reaches and ticks it unless it is hidden or the selection has turned it
// off, and Space unticks it again on a way back where the arrow keys move on
// from the buttons and boxes. The items' Alt+letters pick them; GO!!!'s
// (and Enter on GO!!!) leads to the runway box, Tab from there to the
// conversion button, and Space, Enter and F5 run.
TEST_F(Win32WindowTest, KeyboardAloneReachesEveryControlAndRuns) {
  Open();
  const WindowModel& model = window_->Model();
  const auto focus = [] { return GetDlgCtrlID(GetFocus()); };
  const auto alt = [&](std::string_view caption) {
    PressKey(static_cast<WPARAM>(MnemonicOf(caption)), kAlt);
  };
  std::map<int, Control> boxes;
  std::vector<int> order = {
      IDC_GO, IDC_RUNWAY, IDC_CONVERT, IDC_SIMULATOR_FS9, IDC_SIMULATOR_FSX, IDC_SIMULATOR_XPLANE};
  order.push_back(IDC_FOLDERS);
  for (const Control control : TickRowOrder()) {
    if (IsTickBox(control))
      boxes[ItemOf(control)] = control;
    if (IsTickBox(control) || control == Control::kPlanNumber)
      order.push_back(ItemOf(control));
  }
  order.push_back(IDC_ROUTE_STRING);
  order.push_back(IDC_COPY);
  order.push_back(IDC_WAYPOINTS);
  // Where Tab (step 1) or Shift+Tab (step -1) goes from `from` by the design.
  const auto next_stop = [&](int from, int step) {
    const auto size = static_cast<int>(order.size());
    int at = static_cast<int>(std::find(order.begin(), order.end(), from) - order.begin());
    do {
      at = (at + step + size) % size;
    } while (!Shown(order[at]) || !Enabled(order[at]) ||
             (order[at] >= IDC_SIMULATOR_FS9 && order[at] <= IDC_SIMULATOR_XPLANE &&
              !Ticked(order[at])));
    return order[at];
  };
  // Once round from the runway box, turning every box on the way over. With
  // `arrows` the arrow keys move on from a button or a box as Tab does.
  const auto round = [&](int step, WPARAM tick_key, bool arrows = false) {
    do {
      if (const auto box = boxes.find(focus()); box != boxes.end()) {
        const bool was = Ticked(box->first);
        PressKey(tick_key);
        EXPECT_NE(Ticked(box->first), was) << InfoOf(box->second).name;
        EXPECT_EQ(model.StateOf(box->second).ticked, !was) << InfoOf(box->second).name;
      }
      if (focus() == IDC_WAYPOINTS) {
        EXPECT_EQ(ListView_GetNextItem(Item(IDC_WAYPOINTS), -1, LVNI_FOCUSED), 0)
            << "the grid shows its focus on a row";
      }
      const int expected = next_stop(focus(), step);
      if (arrows && (boxes.count(focus()) > 0 || focus() == IDC_GO || focus() == IDC_CONVERT))
        PressKey(step > 0 ? VK_DOWN : VK_UP);
      else
        PressKey(VK_TAB, step > 0 ? kNothing : kShift);
      ASSERT_EQ(focus(), expected) << "Tab " << step << (arrows ? " or arrow" : "");
    } while (focus() != IDC_RUNWAY);
  };
  const auto ticks = [&] {
    std::vector<bool> out;
    for (const ControlInfo& info : Controls())
      out.push_back(model.StateOf(info.control).ticked);
    return out;
  };

  // GO!!! has the focus as the window opens: Enter presses it.
  ASSERT_EQ(focus(), IDC_GO);
  PressKey(VK_RETURN);
  EXPECT_EQ(focus(), IDC_RUNWAY);
  EXPECT_TRUE(Shown(IDC_MODIFY_RUNWAY_PROMPT));
  // A run with no box ticked fills the grid.
  ASSERT_TRUE(PutClipboardText(window_->Handle(), ExampleRoute()));
  PressKey(VK_F5);
  ASSERT_EQ(GridRows().size(), 5u);
  std::array<bool, kTargetCount> enabled{};
  enabled.fill(true);
  for (const SimulatorInfo& simulator : kSimulators) {
    SCOPED_TRACE(simulator.cli_name);
    const auto index = static_cast<std::size_t>(simulator.simulator);
    alt(InfoOf(Control::kRunwayLabel).caption);
    ASSERT_EQ(focus(), IDC_RUNWAY);
    if (index > 0) {
      PressKey(VK_TAB);
      PressKey(VK_TAB);
      EXPECT_EQ(focus(), IDC_SIMULATOR_FS9 + static_cast<int>(index) - 1);
      PressKey(VK_RIGHT);
      EXPECT_EQ(focus(), IDC_SIMULATOR_FS9 + static_cast<int>(index));
      PressKey(VK_TAB, kShift);
      PressKey(VK_TAB, kShift);
    }
    EXPECT_TRUE(Ticked(IDC_SIMULATOR_FS9 + static_cast<int>(index)));
    EXPECT_EQ(model.AppliedSimulator(), simulator.simulator);
    // A box the selection keeps stays as the selection before left it.
    for (const TargetDescriptor& target : Targets()) {
      const BoxRule rule = target.on_selection[index].rule;
      bool& usable = enabled[static_cast<std::size_t>(target.target)];
      usable = rule == BoxRule::kKeep ? usable : rule != BoxRule::kOff;
      EXPECT_EQ(Enabled(BoxItem(target.target)), usable) << target.cli_name;
      if (rule == BoxRule::kOff || rule == BoxRule::kEnableAndTick) {
        EXPECT_EQ(Ticked(BoxItem(target.target)), rule != BoxRule::kOff) << target.cli_name;
      }
    }
    const std::vector<bool> before = ticks();
    round(1, VK_SPACE);
    ASSERT_FALSE(HasFatalFailure());
    round(-1, VK_RETURN);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ticks(), before);
    // Each box's letter, along the rows: the FS2004 box's tick shows the
    // Flight1 box after it. A box that cannot be ticked keeps its tick.
    for (const Control control : TickRowOrder()) {
      if (!IsTickBox(control))
        continue;
      const int id = ItemOf(control);
      const bool was = Ticked(id);
      const bool usable = Shown(id) && Enabled(id);
      alt(Text(id));
      EXPECT_EQ(Ticked(id), usable ? !was : was) << InfoOf(control).name;
      if (usable) {
        EXPECT_EQ(focus(), id) << InfoOf(control).name;
      }
    }
    alt(InfoOf(Control::kRunwayLabel).caption);
    round(-1, VK_SPACE, true);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ticks(), before);
  }
  for (const std::size_t index : {1, 2, 0}) {
    alt(kSimulators[index].caption);
    EXPECT_TRUE(Ticked(IDC_SIMULATOR_FS9 + static_cast<int>(index)));
    EXPECT_EQ(model.AppliedSimulator(), kSimulators[index].simulator);
  }

  for (const Target target : {Target::kPmdg, Target::kFsNavigator}) {
    alt(DescriptorOf(target).caption);
    EXPECT_TRUE(Ticked(BoxItem(target)));
  }
  // The plan number's label leads to it while the TU154 box shows it.
  alt(DescriptorOf(Target::kTu154).caption);
  alt(InfoOf(Control::kPlanNumberLabel).caption);
  EXPECT_EQ(focus(), IDC_PLAN_NUMBER);
  alt(DescriptorOf(Target::kTu154).caption);
  EXPECT_FALSE(Shown(IDC_PLAN_NUMBER));
  alt(InfoOf(Control::kGoButton).caption);
  EXPECT_EQ(focus(), IDC_RUNWAY);
  EXPECT_TRUE(Shown(IDC_MODIFY_RUNWAY_PROMPT));
  PressKey(VK_TAB);
  ASSERT_EQ(focus(), IDC_CONVERT);
  const char* const numbers[] = {"001", "002", "003"};
  const WPARAM run_keys[] = {VK_SPACE, VK_RETURN, VK_F5};
  for (std::size_t run = 0; run < std::size(run_keys); ++run) {
    WaitPastDoubleClick();
    PressKey(run_keys[run]);
    EXPECT_TRUE(fs::exists(fs9_ / "Pmdg" / "Flightplans" /
                           (std::string("EAAAEBBB") + numbers[run] + ".rte")))
        << run_keys[run];
    EXPECT_TRUE(fs::exists(fs9_ / "Modules" / "FSNavigator" / "plan" /
                           (std::string("EAAA-EBBB") + numbers[run] + ".fsn")))
        << run_keys[run];
    EXPECT_EQ(focus(), IDC_CONVERT);
  }
  EXPECT_TRUE(dialogs_.messages.empty());
}

// The least track size shows every control whole; a smaller kept size comes
// back raised to it.
TEST_F(Win32WindowTest, NoSmallerThanItsControlsAndASmallKeptSizeIsRaised) {
  Open();
  const HWND window = window_->Handle();
  MINMAXINFO limits{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  const UINT dpi = WindowDpi(window);
  RECT least{0, 0, ScaleForDpi(638, dpi), ScaleForDpi(347, dpi)};
  AdjustFrameForDpi(least, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
  EXPECT_NEAR(limits.ptMinTrackSize.x, least.right - least.left, 2);
  EXPECT_NEAR(limits.ptMinTrackSize.y, least.bottom - least.top, 2);

  SetWindowPos(window, nullptr, 0, 0, limits.ptMinTrackSize.x, limits.ptMinTrackSize.y,
               SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  for (const TargetDescriptor& target : Targets())
    EXPECT_LE(Place(BoxItem(target.target)).right, client.right) << target.cli_name;
  EXPECT_LE(Place(IDC_SIMULATOR_GROUP).right, client.right);
  const RECT map = Place(IDC_MAP);
  EXPECT_GT(map.right - map.left, 0) << "the map still shows, if small";
  EXPECT_LE(map.right, client.right);

  Close();
  WriteBytes(app_ / "korvanta.ini", "[TForm1]\r\nWin32Placement=10,10,310,210,0\r\n");
  Open();
  RECT frame{};
  GetWindowRect(window_->Handle(), &frame);
  EXPECT_GE(frame.right - frame.left, limits.ptMinTrackSize.x);
  EXPECT_GE(frame.bottom - frame.top, limits.ptMinTrackSize.y);
}

TEST_F(Win32WindowTest, SaveDialogAndViewerGoThroughTheUsersSeam) {
  Open(true);
  Click(BoxItem(Target::kPmdg));
  Click(BoxItem(Target::kGoogleEarth));
  fs::create_directories(root_ / "chosen");
  dialogs_.answer = root_ / "chosen" / "myplan.rte";
  Convert(ExampleRoute());

  ASSERT_EQ(dialogs_.requests.size(), 1u);
  const SaveDialogRequest& asked = dialogs_.requests.front();
  EXPECT_EQ(asked.title, "Save the PMDG route");
  EXPECT_EQ(asked.extension, "rte");
  EXPECT_EQ(asked.file_name, "EAAAEBBB001.rte");  // what a cancel would write
  EXPECT_TRUE(fs::equivalent(asked.folder, fs9_ / "Pmdg" / "Flightplans"));
  EXPECT_EQ(SaveDialogFilter(asked), std::wstring(L"Route file (*.rte)\0*.rte\0", 25) + L'\0');
  EXPECT_TRUE(fs::exists(root_ / "chosen" / "myplan.rte"));
  ASSERT_EQ(dialogs_.opened.size(), 1u);
  EXPECT_EQ(dialogs_.opened.front().extension(), ".kml");
  EXPECT_TRUE(fs::exists(dialogs_.opened.front()));
}

// A plan file of each kind dropped onto the window converts with the ticked
// targets and fills the grid with its points; of several files dropped at
// once the first converts and the status line says the others were not read.
TEST_F(Win32WindowTest, DroppedPlanFilesConvertTheFirstOfThem) {
  const fs::path example = TestData("expected/example_fs9");
  const fs::path pln = example / "docs" / "EAAA-EBBB.pln";
  const fs::path fms = example / "xplane" / "EAAAEBBB.fms";
  const fs::path gpx = TestData("expected/south_west_fsx/docs/KSEA-YSSY.gpx");
  const std::vector<std::string> example_ids = {"EAAA", "TOBAK", "RUDOL", "KOMAR", "EBBB"};
  struct Case {
    std::vector<fs::path> dropped;
    std::string status;
    const char* pmdg_plan;
    std::vector<std::string> grid_ids;
  };
  const Case cases[] = {
      {{pln}, "File EAAA-EBBB001.fsn created", "EAAAEBBB001.rte", example_ids},
      {{gpx, pln},
       "File KSEA-YSSY001.fsn created (1 other dropped file was not read)",
       "KSEAYSSY001.rte",
       {"KSEA", "SEA", "MOXEE", "GIPOL", "BOBOX", "TOBAK", "KARLO", "SYD", "YSSY"}},
      {{fms}, "File EAAA-EBBB002.fsn created", "EAAAEBBB002.rte", example_ids},
  };
  Open();
  EXPECT_NE(GetWindowLongPtrW(window_->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0)
      << "the shell sends dropped files only to a window that takes them";
  Click(BoxItem(Target::kPmdg));
  Click(BoxItem(Target::kFsNavigator));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dropped.front().filename().string());
    WaitPastDoubleClick();
    Drop(c.dropped);
    EXPECT_EQ(Text(IDC_STATUS_LINE), c.status);
    EXPECT_TRUE(fs::exists(fs9_ / "Pmdg" / "Flightplans" / c.pmdg_plan));
    EXPECT_EQ(GridIds(), c.grid_ids);
  }
  EXPECT_TRUE(dialogs_.messages.empty());
}

// Ctrl+O anywhere in the window asks the file dialog for a file and converts
// the chosen one; Ctrl+Alt+O (AltGr+O, a letter on some keyboards) and O
// alone do not ask.
TEST_F(Win32WindowTest, CtrlOAsksTheFileDialogAndConvertsTheChosenFile) {
  Open();
  Click(BoxItem(Target::kPmdg));
  struct Case {
    int item;
    bool control;
    bool alt;
    int dialogs;  // the file dialogs shown so far
  };
  const Case cases[] = {
      {IDC_CONVERT, true, false, 1},   {IDC_RUNWAY, true, false, 2},
      {IDC_WAYPOINTS, true, false, 3}, {IDC_RUNWAY, true, true, 3},
      {IDC_CONVERT, false, false, 3},
  };
  for (const Case& c : cases) {
    SendMessageW(window_->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(c.item)), TRUE);
    PressKey('O', (c.control ? kCtrl : kNothing) | (c.alt ? kAlt : kNothing));
    EXPECT_EQ(dialogs_.open_dialogs, c.dialogs) << c.item << " " << c.control << c.alt;
  }
  EXPECT_TRUE(fs::is_empty(fs9_ / "Pmdg" / "Flightplans")) << "a cancelled dialog converts nothing";

  dialogs_.open_answer = TestData("expected/example_fs9/xplane/EAAAEBBB.fms");
  WaitPastDoubleClick();
  SendMessageW(window_->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_CONVERT)), TRUE);
  PressKey('O', kCtrl);
  EXPECT_TRUE(fs::exists(fs9_ / "Pmdg" / "Flightplans" / "EAAAEBBB001.rte"));
  EXPECT_EQ(GridRows().size(), 5u);
}

// ---- the selection and the show/hide rules, by clicks -------------------------------

// The controls as the window draws them match the model's states through
// selections and ticks, the show/hide rules' included (the rules themselves
// are the model's).
TEST_F(Win32WindowTest, BoxesDrawTheModelsStates) {
  Open();
  const auto tick_every_enabled_box = [&] {
    for (const Control control : TickRowOrder()) {
      const int id = ItemOf(control);
      if (IsTickBox(control) && Shown(id) && Enabled(id) && !Ticked(id))
        Click(id);
    }
  };
  for (const int step : {IDC_SIMULATOR_FSX, 0, IDC_SIMULATOR_XPLANE, BoxItem(Target::kXPlane),
                         IDC_SIMULATOR_FS9, 0, IDC_SIMULATOR_FSX, IDC_SIMULATOR_FS9}) {
    if (step == 0)
      tick_every_enabled_box();
    else
      Click(step);
    for (const ControlInfo& info : Controls()) {
      const ControlState& state = window_->Model().StateOf(info.control);
      const int id = ItemOf(info.control);
      if (ShowsCaption(info.control)) {
        EXPECT_EQ(Text(id), state.caption) << step << " " << info.name;
      }
      if (IsTickBox(info.control)) {
        EXPECT_EQ(Ticked(id), state.ticked) << step << " " << info.name;
      }
      EXPECT_EQ(Enabled(id), state.enabled) << step << " " << info.name;
      EXPECT_EQ(Shown(id), state.visible) << step << " " << info.name;
    }
  }
}

// ---- kept from one start to the next ----------------------------------------------

TEST_F(Win32WindowTest, TicksNumberAndSelectionSurviveARestart) {
  Open();
  Click(BoxItem(Target::kFs2004));
  Click(IDC_SUPER80);
  Click(BoxItem(Target::kCiva));
  Click(BoxItem(Target::kXPlane11));
  SetDlgItemInt(window_->Handle(), IDC_PLAN_NUMBER, 42, FALSE);
  Close();

  const std::string settings = Settings();
  for (const char* line :
       {"[TForm1]\r\n", "CheckBox1_Checked=True\r\n", "RxSpinEdit1_Value=42\r\n",
        "CheckBox2_Checked=False\r\n", "CheckBox4_Checked=True\r\n", "RadioGroup1_ItemIndex=0\r\n",
        "CheckBox7_Checked=True\r\n",
        "CheckBox9_Checked=False\r\nXPlane11_Checked=True\r\nGpx_Checked=False\r\n",
        "Win32Placement="})
    EXPECT_NE(settings.find(line), std::string::npos) << line << " in\n" << settings;

  Open();
  EXPECT_TRUE(Ticked(BoxItem(Target::kFs2004)));
  EXPECT_TRUE(Ticked(IDC_SUPER80));
  EXPECT_TRUE(Shown(IDC_SUPER80));
  EXPECT_TRUE(Ticked(BoxItem(Target::kCiva)));
  EXPECT_TRUE(Ticked(BoxItem(Target::kXPlane11)));
  EXPECT_FALSE(Ticked(BoxItem(Target::kGpx)));
  EXPECT_TRUE(Shown(IDC_PLAN_NUMBER));
  EXPECT_EQ(Text(IDC_PLAN_NUMBER), "42");
  Click(IDC_SIMULATOR_FSX);
  Close();

  Open();
  EXPECT_TRUE(Ticked(IDC_SIMULATOR_FSX));
  EXPECT_EQ(Text(BoxItem(Target::kFs2004)), "&FSX")
      << "the restored selection is applied at start-up";
  EXPECT_FALSE(Enabled(BoxItem(Target::kFsNavigator)));
}

// A typed 0 or a box left empty becomes 1; a number the ticked Tu-154 store
// cannot hold is marked.
TEST_F(Win32WindowTest, PlanNumberBoxTakesOneAndUp) {
  Open();
  Click(BoxItem(Target::kTu154));
  EXPECT_EQ(Text(IDC_PLAN_NUMBER), "1");
  const struct {
    const wchar_t* typed;
    const char* shown;
    bool marked;
  } cases[] = {{L"26", "26", true}, {L"0", "1", false}, {L"", "1", false}};
  for (const auto& c : cases) {
    SetDlgItemTextW(window_->Handle(), IDC_PLAN_NUMBER, c.typed);
    SendMessageW(window_->Handle(), WM_COMMAND, MAKEWPARAM(IDC_PLAN_NUMBER, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(Item(IDC_PLAN_NUMBER)));
    EXPECT_EQ(Text(IDC_PLAN_NUMBER), c.shown);
    EXPECT_EQ(window_->Model().StateOf(Control::kPlanNumber).marked, c.marked) << c.shown;
  }
}

// The grid without rows has no row to show the focus on: a frame round its
// rows' area does, while it has the focus.
TEST_F(Win32WindowTest, TheEmptyGridShowsItsFocus) {
  Open();
  const HWND grid = Item(IDC_WAYPOINTS);
  // The pixels along the top of the rows' area, as the grid draws them now.
  const auto top_line = [&] {
    RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT title{};
    GetWindowRect(ListView_GetHeader(grid), &title);
    const int top = static_cast<int>(title.bottom - title.top) + 1;
    const HDC dc = GetDC(grid);
    std::vector<COLORREF> line;
    for (int x = 4; x < 40; ++x)
      line.push_back(GetPixel(dc, x, top));
    ReleaseDC(grid, dc);
    return line;
  };
  SetFocus(Item(IDC_GO));
  const std::vector<COLORREF> unfocused = top_line();
  SetFocus(grid);
  EXPECT_NE(top_line(), unfocused);
  SetFocus(Item(IDC_GO));
  EXPECT_EQ(top_line(), unfocused);
}

// ---- the map ---------------------------------------------------------------------

// Beside the grid, the map shows the last route read at the map's own size,
// also after the window is resized and after a run that moves a point but
// leaves the grid's columns as they were; a click on a mark selects its row in
// the grid, and the grid's selected row is ringed on the map.
TEST_F(Win32WindowTest, MapShowsTheRouteAndSharesTheGridsSelection) {
  Open();
  MapView& map = window_->Map();
  const auto expect_route_at_map_size = [&] {
    RECT client{};
    GetClientRect(Item(IDC_MAP), &client);
    const MapPicture expected = window_->Model().RouteMap(
        {static_cast<double>(client.right), static_cast<double>(client.bottom), kMapViewMargin});
    EXPECT_GT(expected.marks.size(), 0u);
    EXPECT_EQ(map.Picture().PrimitiveCount(), expected.PrimitiveCount());
    EXPECT_EQ(MapSvg(map.Picture()), MapSvg(expected));
  };
  UpdateWindow(Item(IDC_MAP));  // the empty route's picture, before any run
  Convert(ExampleRoute());
  expect_route_at_map_size();
  EXPECT_LE(Place(IDC_WAYPOINTS).right, Place(IDC_MAP).left);
  RECT frame{};
  GetWindowRect(window_->Handle(), &frame);
  SetWindowPos(window_->Handle(), nullptr, 0, 0, frame.right - frame.left + 150,
               frame.bottom - frame.top + 50, SWP_NOMOVE | SWP_NOZORDER);
  expect_route_at_map_size();
  UpdateWindow(Item(IDC_MAP));
  std::string moved = ExampleRoute();
  const std::size_t rudol = moved.find("20'00.00\" E007");
  ASSERT_NE(rudol, std::string::npos);
  moved[rudol] = '3';
  WaitPastDoubleClick();
  Convert(moved);
  expect_route_at_map_size();

  const MapMark mark = map.Picture().marks.at(2);
  const HWND grid = Item(IDC_WAYPOINTS);
  const auto ring_pixel = [&] {
    RedrawWindow(Item(IDC_MAP), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC dc = GetDC(Item(IDC_MAP));
    const COLORREF pixel =
        GetPixel(dc, static_cast<int>(mark.at.x) + 7, static_cast<int>(mark.at.y));
    ReleaseDC(Item(IDC_MAP), dc);
    return pixel;
  };
  const COLORREF unringed = ring_pixel();
  SendMessageW(Item(IDC_MAP), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(static_cast<int>(mark.at.x), static_cast<int>(mark.at.y)));
  EXPECT_EQ(ListView_GetNextItem(grid, -1, LVNI_SELECTED), static_cast<int>(mark.row));
  EXPECT_EQ(map.MarkedRow(), mark.row);
  EXPECT_NE(ring_pixel(), unringed);
  ListView_SetItemState(grid, 4, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(map.MarkedRow(), 4u);
  EXPECT_EQ(ring_pixel(), unringed);
}

TEST_F(Win32WindowTest, SettingsWrittenByTheLinuxWindowAreReadTheSame) {
  const std::string main_section = "[Main]\r\nPMDGFolder=nic\r\n";
  WriteBytes(app_ / "korvanta.ini", main_section +
                                        "[TForm1]\r\nCheckBox1_Checked=False\r\n"
                                        "RxSpinEdit1_Value=12\r\nCheckBox2_Checked=True\r\n"
                                        "CheckBox3_Checked=False\r\nCheckBox4_Checked=False\r\n"
                                        "CheckBox5_Checked=True\r\nMadDog2006_Checked=False\r\n"
                                        "Tu154_Checked=True\r\nRadioGroup1_ItemIndex=0\r\n"
                                        "CheckBox6_Checked=False\r\nCheckBox7_Checked=False\r\n"
                                        "CheckBox8_Checked=True\r\nCheckBox9_Checked=False\r\n"
                                        "XPlane11_Checked=False\r\nGpx_Checked=True\r\n"
                                        "Left=120\r\nTop=90\r\nWidth=700\r\nHeight=500\r\n"
                                        "Maximized=False\r\n");
  Open();
  EXPECT_TRUE(Ticked(BoxItem(Target::kPmdg)));
  EXPECT_TRUE(Ticked(BoxItem(Target::kFsNavigator)));
  EXPECT_TRUE(Ticked(BoxItem(Target::kTu154)));
  EXPECT_TRUE(Ticked(BoxItem(Target::kGoogleEarth)));
  EXPECT_FALSE(Ticked(BoxItem(Target::kLevelD)));
  EXPECT_FALSE(Ticked(BoxItem(Target::kXPlane11)));
  EXPECT_TRUE(Ticked(BoxItem(Target::kGpx)));
  EXPECT_TRUE(Shown(IDC_PLAN_NUMBER));
  EXPECT_EQ(Text(IDC_PLAN_NUMBER), "12");
  RECT frame{};
  GetWindowRect(window_->Handle(), &frame);
  EXPECT_EQ(frame.left, 120);
  EXPECT_EQ(frame.top, 90);
  RECT client{};
  GetClientRect(window_->Handle(), &client);
  EXPECT_EQ(client.right, 700);
  EXPECT_EQ(client.bottom, 500);
  Close();
  EXPECT_EQ(Settings().rfind(main_section, 0), 0u) << "the other section stays as it was";
}

TEST_F(Win32WindowTest, PlacementStaysOverRestartsAndComesBackOnScreen) {
  Open();
  SetWindowPos(window_->Handle(), nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Close();
  for (int start = 0; start < 10; ++start) {
    Open();
    Close();
  }
  Open();
  RECT frame{};
  GetWindowRect(window_->Handle(), &frame);
  EXPECT_EQ(frame.left, 37);
  EXPECT_EQ(frame.top, 41) << "the window does not climb at each restart";

  SetWindowPos(window_->Handle(), nullptr, -5000, -4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Close();
  Open();
  GetWindowRect(window_->Handle(), &frame);
  RECT title_bar = frame;
  title_bar.bottom = title_bar.top + 10;
  EXPECT_NE(MonitorFromRect(&title_bar, MONITOR_DEFAULTTONULL), nullptr)
      << "the title bar is back on a monitor";
}

// ---- the pure parts ------------------------------------------------------------------

TEST(Win32Placement, TextRoundTripsAndRefusesWhatDoesNotRead) {
  const SavedPlacement kept{RECT{-20, 30, 700, 520}, true};
  const auto read = ReadPlacement(PlacementText(kept));
  ASSERT_TRUE(read.has_value());
  EXPECT_TRUE(EqualRect(&read->normal, &kept.normal) != FALSE);
  EXPECT_TRUE(read->maximized);
  EXPECT_EQ(PlacementText(kept), "-20,30,700,520,1");
  for (const char* bad : {"", "1,2,3,4", "1,2,3,4,5", "1,2,3,4,0,", "10,10,5,20,0", "a,b,c,d,0",
                          "1, 2,300,400,0", "AdnQywADAAAAAAAA"})
    EXPECT_FALSE(ReadPlacement(bad).has_value()) << bad;
}

TEST(Win32Placement, AFrameOffTheAreaIsMovedIntoIt) {
  struct Case {
    RECT frame;
    RECT expected;
  };
  const RECT area{0, 0, 1280, 1024};
  const Case cases[] = {
      {{100, 100, 740, 580}, {100, 100, 740, 580}},       // inside: unchanged
      {{-5000, -4000, -4360, -3520}, {0, 0, 640, 480}},   // far off: to the corner
      {{1000, 900, 1640, 1380}, {640, 544, 1280, 1024}},  // past the far corner
      {{-10, 10, 2000, 1500}, {0, 0, 1280, 1024}},        // larger: shrunk to the area
  };
  for (const Case& c : cases) {
    const RECT moved = MovedInto(c.frame, area);
    EXPECT_TRUE(EqualRect(&moved, &c.expected) != FALSE)
        << moved.left << "," << moved.top << "," << moved.right << "," << moved.bottom;
  }
}

TEST(Win32Text, Utf8AndUtf16RoundTrip) {
  const std::string text = "Z\xC3\x9CRICH \xE2\x9C\x88 \xF0\x9D\x84\x9E";  // Ü, airliner, G clef
  const std::wstring wide = WideFromUtf8(text);
  EXPECT_EQ(wide, L"Z\u00DCRICH \u2708 \U0001D11E");
  EXPECT_EQ(Utf8FromWide(wide), text);
  EXPECT_EQ(WideFromUtf8(""), L"");
}

// Each target's box has a place in this window, and along each row the boxes
// follow the rows' order without covering one another.
TEST(Win32TickBoxSpans, EveryBoxPlacedInTheRowsOrder) {
  std::map<int, TickBoxSpan> last_in_row;
  for (const Control control : TickRowOrder()) {
    const std::optional<Target> target = TargetOfBox(control);
    if (!target)
      continue;
    const std::optional<TickBoxSpan> span = TickBoxSpanOf(*target);
    ASSERT_TRUE(span) << DescriptorOf(*target).cli_name;
    EXPECT_GT(span->width, 0) << DescriptorOf(*target).cli_name;
    const int row = InfoOf(control).place->row;
    if (const auto before = last_in_row.find(row); before != last_in_row.end()) {
      EXPECT_LE(before->second.left + before->second.width, span->left)
          << DescriptorOf(*target).cli_name;
    }
    last_in_row[row] = *span;
  }
}

}  // namespace
}  // namespace korvanta::win32

namespace korvanta::win32 {
namespace {

// What a timer of the test's thread does inside a modal dialog's own loop.
std::function<void()>& InModalLoop() {
  static std::function<void()> action;
  return action;
}

void CALLBACK RunInModalLoop(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
  KillTimer(nullptr, timer);
  if (auto action = std::exchange(InModalLoop(), nullptr))
    action();
}

// Ctrl+Comma opens the Folders dialog; Browse… shows the chosen folder and
// OK saves it to its key, and a second time Reset to automatic removes it.
TEST_F(Win32WindowTest, FoldersDialogSetsAndResetsAFolder) {
  Open();
  const fs::path chosen = root_ / "PMDG plans";
  fs::create_directories(chosen);
  dialogs_.folder_answer = chosen;
  const auto settings = FolderSettings();
  const int first = IDC_FOLDER_LINE_FIRST +
                    5 * static_cast<int>(std::find_if(settings.begin(), settings.end(),
                                                      [](const FolderSettingInfo& setting) {
                                                        return setting.key == "PMDGFolder";
                                                      }) -
                                         settings.begin());
  std::vector<std::string> shown;
  const auto in_dialog = [&](int button) {
    InModalLoop() = [&, button] {
      const HWND dialog = FindWindowW(nullptr, L"Folders");
      SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
      wchar_t text[MAX_PATH] = {};
      GetWindowTextW(GetDlgItem(dialog, first + 1), text, MAX_PATH);
      shown.push_back(Utf8FromWide(text));
      SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
    SetTimer(nullptr, 0, 100, &RunInModalLoop);
  };
  const IniProfile profile(app_ / "korvanta.ini");
  in_dialog(first + 3);
  PressKey(VK_OEM_COMMA, kCtrl);
  EXPECT_EQ(profile.Read("Main", "PMDGFolder", "none"), PathToUtf8(chosen));
  in_dialog(first + 4);
  Click(IDC_FOLDERS);
  EXPECT_EQ(profile.Read("Main", "PMDGFolder", "none"), "none");
  EXPECT_EQ(shown, (std::vector<std::string>{ShownPath(chosen), ""}));
}

}  // namespace
}  // namespace korvanta::win32
