// The Folders dialog without a toolkit: its lines, Browse… and Reset, and
// OK, whose keys the next start reads.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "io/utf8_path.hpp"
#include "run/folder_rows.hpp"
#include "test_support.hpp"
#include "window/window_model.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

class MessageView : public WindowView {
 public:
  std::vector<std::string> messages;
  std::string status;  // the status line

  void Render(Control control, const ControlState& state) override {
    if (control == Control::kStatusLine)
      status = state.caption;
  }
  void Focus(Control) override {}
  void StartTimer(std::chrono::milliseconds) override {}
  void ProcessPendingEvents() override {}
  std::chrono::milliseconds Now() const override { return {}; }
  std::chrono::milliseconds DoubleClickTime() const override { return {}; }
  std::string ClipboardText() override { return {}; }
  bool PutClipboardText(const std::string&) override { return false; }
  std::optional<fs::path> ChooseOpenFile(const fs::path&) override { return {}; }
  std::string_view PlacementKey() const override { return "TestPlacement"; }
  std::string SavePlacement() override { return {}; }
  void RestorePlacement(const std::string&, const std::optional<OldPlacement>&) override {}
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<fs::path> ChooseSaveFile(const SaveDialogRequest&) override { return {}; }
  bool OpenDocument(const fs::path&) override { return true; }
  void CloseWindow() override {}
};

// A program folder and an FS2004 folder found where it installs, with its
// airport list; a second list in "other".
struct Machine {
  test::TempDir dir;
  FixedFolderSource source;
  MessageView view;

  Machine() {
    for (const char* sub : {"app", "docs", "fs9/Fmcwp/NAVDATA", "other", "empty"})
      fs::create_directories(dir / sub);
    fs::copy_file(test::DataDir() / "wpNavApt.txt", dir / "fs9/Fmcwp/NAVDATA/wpNavApt.txt");
    test::WriteFile(dir / "other/wpNavApt.txt", "");
    source.documents = dir / "docs";
    source.default_simulator = dir / "fs9";
  }
  fs::path Settings() const { return dir / "app/korvanta.ini"; }
  std::unique_ptr<WindowModel> Start() {
    auto model = std::make_unique<WindowModel>(dir / "app", source, false, view);
    model->WindowShown();
    model->TimerFired();
    return model;
  }
};

std::size_t LineOf(const FoldersDialogModel& dialog, std::string_view key) {
  for (std::size_t i = 0; i < dialog.Lines().size(); ++i) {
    if (dialog.Lines()[i].key == key)
      return i;
  }
  ADD_FAILURE() << key;
  return 0;
}

// Every folder setting has its line, with a mnemonic of its own.
TEST(FoldersDialog, OneLinePerSettingWithItsOwnMnemonic) {
  Machine machine;
  const FoldersDialogModel dialog = *machine.Start()->FoldersDialog();
  ASSERT_EQ(dialog.Lines().size(), FolderSettings().size());
  std::set<char> mnemonics;
  for (const FolderLine& line : dialog.Lines()) {
    EXPECT_EQ(line.caption.find('&'), line.caption.rfind('&')) << line.caption;
    EXPECT_TRUE(mnemonics.insert(MnemonicOf(line.caption)).second) << line.caption;
  }
  EXPECT_FALSE(mnemonics.contains('\0'));
  const FolderLine& fs9 = dialog.Lines()[LineOf(dialog, kFs9FolderKey)];
  EXPECT_EQ(fs9.folder, ShownPath(machine.dir / "fs9"));
  EXPECT_EQ(fs9.origin, "default");
  EXPECT_EQ(dialog.Lines()[LineOf(dialog, "PMDGFolder")].origin, "simulator folder, missing");
}

// Each case: the settings file, one choice (a folder below the test's) or a
// reset, the file OK leaves, and the line as the next start shows it.
struct DialogCase {
  const char* name;
  std::string before;
  std::string_view key;
  std::optional<std::string> chosen;  // none: Reset to automatic
  std::string after;                  // "@" stands for the test's folder
  std::string origin_next_start;
};

TEST(FoldersDialog, OkSavesChoicesAndResetsForTheNextStart) {
  const DialogCase cases[] = {
      {"a choice is added", "", "PMDGFolder", "other", "[Main]\r\nPMDGFolder=@other\r\n",
       "settings key"},
      {"a choice replaces the key", "[Main]\r\nFS9Folder=D:\\FS9\r\n", kFs9FolderKey, "fs9",
       "[Main]\r\nFS9Folder=@fs9\r\n", "settings key"},
      {"a reset removes the key",
       "[Main]\r\nIFGFolder=D:\\I\r\nX=1\r\n",
       "IFGFolder",
       {},
       "[Main]\r\nX=1\r\n",
       "simulator folder, missing"},
      {"a reset finds the folder again",
       "[Main]\r\nFS9Folder=D:\\FS9\r\n",
       kFs9FolderKey,
       {},
       "[Main]\r\n",
       "default"},
  };
  for (const DialogCase& c : cases) {
    Machine machine;
    const std::string root = PathToUtf8(machine.dir.path()) + "/";
    if (!c.before.empty())
      test::WriteFile(machine.Settings(), c.before);
    auto model = machine.Start();
    FoldersDialogModel dialog = *model->FoldersDialog();
    const std::size_t line = LineOf(dialog, c.key);
    if (c.chosen)
      dialog.Choose(line, PathFromUtf8(root + *c.chosen));
    else
      dialog.Reset(line);
    EXPECT_EQ(dialog.Lines()[line].resettable, c.chosen.has_value()) << c.name;
    ASSERT_TRUE(model->FoldersConfirmed(dialog)) << c.name;
    std::string after = c.after;
    if (const auto at = after.find('@'); at != std::string::npos)
      after.replace(at, 1, root);
    EXPECT_EQ(test::ReadFile(machine.Settings()), after) << c.name;
    // The same line now and at the next start: the run's folders agree.
    const FolderLine now = model->FoldersDialog()->Lines()[line];
    const FolderLine next = machine.Start()->FoldersDialog()->Lines()[line];
    EXPECT_EQ(now.origin, c.origin_next_start) << c.name;
    EXPECT_EQ(next.origin, c.origin_next_start) << c.name;
    EXPECT_EQ(now.folder, next.folder) << c.name;
  }
}

// A changed airport list folder loads its list; a missing list says where
// it belongs, and its note on the status line goes once a list is found.
TEST(FoldersDialog, TheAirportListOfTheChosenFolderLoads) {
  Machine machine;
  auto model = machine.Start();
  ASSERT_TRUE(machine.view.messages.empty());
  FoldersDialogModel dialog = *model->FoldersDialog();
  dialog.Choose(LineOf(dialog, kFmcDataFolderKey), machine.dir / "empty");
  ASSERT_TRUE(model->FoldersConfirmed(dialog));
  EXPECT_EQ(model->Folders().AirportListFile(), machine.dir / "empty" / "wpNavApt.txt");
  ASSERT_EQ(machine.view.messages.size(), 1u);
  EXPECT_TRUE(machine.view.messages[0].starts_with("No airport list at "))
      << machine.view.messages[0];
  EXPECT_EQ(machine.view.status, "No airport list: airport elevation 0");
  EXPECT_TRUE(model->ConversionAllowed());

  dialog = *model->FoldersDialog();
  dialog.Choose(LineOf(dialog, kFmcDataFolderKey), machine.dir / "other");
  ASSERT_TRUE(model->FoldersConfirmed(dialog));
  EXPECT_EQ(machine.view.messages.size(), 1u);
  EXPECT_EQ(machine.view.status, "");
}

// A settings file that cannot be written is said, and nothing changes.
TEST(FoldersDialog, ASettingsFileThatCannotBeWrittenKeepsTheDialogOpen) {
  Machine machine;
  auto model = machine.Start();
  fs::create_directories(machine.Settings());
  FoldersDialogModel dialog = *model->FoldersDialog();
  dialog.Choose(LineOf(dialog, kFs9FolderKey), machine.dir / "other");
  EXPECT_FALSE(model->FoldersConfirmed(dialog));
  EXPECT_EQ(machine.view.messages.size(), 1u);
  EXPECT_EQ(model->Folders().fs9_dir, machine.dir / "fs9");
}

}  // namespace
}  // namespace korvanta
