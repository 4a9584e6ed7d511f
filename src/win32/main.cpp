#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "io/utf8_path.hpp"
#include "io/wide_text.hpp"
#include "settings/app_dir.hpp"
#include "settings/folder_overrides.hpp"
#include "settings/folder_set.hpp"
#include "win32/demo.hpp"
#include "win32/main_window.hpp"
#include "win32/user_dialogs.hpp"

namespace {

using korvanta::PathFromUtf8;

// The command line as UTF-8, without the program's name.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i)
    arguments.push_back(korvanta::Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

// The folder options of the Linux window, for the screenshot script and
// for trying the program on a prepared folder tree:
// --app-dir, --fs9-dir, --fsx-dir, --documents-dir DIR, and the hidden
// --demo-convert FILE and --demo-screenshot BMP.
struct Options {
  korvanta::FolderOverrides folders;
  korvanta::DemoOptions demo;
};

Options ReadOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    const auto value = [&] { return korvanta::NamedPath(PathFromUtf8(arguments[i + 1])); };
    if (name == "--app-dir")
      options.folders.app_dir = value();
    else if (name == "--fs9-dir")
      options.folders.folders.insert_or_assign(std::string(korvanta::kFs9FolderKey), value());
    else if (name == "--fsx-dir")
      options.folders.folders.insert_or_assign(std::string(korvanta::kFsxFolderKey), value());
    else if (name == "--documents-dir")
      options.folders.folders.insert_or_assign(std::string(korvanta::kDocumentsFolderKey), value());
    else if (name == "--demo-convert")
      options.demo.route_file = value();
    else if (name == "--demo-screenshot")
      options.demo.screenshot = value();
    else
      continue;
    ++i;
  }
  return options;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show_command) {
  const std::vector<std::string> arguments = Arguments();
  const Options options = ReadOptions(arguments);

  const std::filesystem::path app_dir =
      korvanta::EnterProgramFolder(options.folders, korvanta::RunningProgramFile());
  const korvanta::OverriddenFolderSource folders(korvanta::PlatformFolderSource(), options.folders);

  // An unattended demo must not wait for anyone to answer a message box.
  korvanta::win32::DesktopDialogs desktop;
  korvanta::win32::ConsoleDialogs console;
  korvanta::win32::UserDialogs& dialogs =
      options.demo.Any() ? static_cast<korvanta::win32::UserDialogs&>(console) : desktop;

  korvanta::win32::MainWindow window(instance, app_dir, folders,
                                     korvanta::FileDialogRequested(arguments), dialogs);
  if (!window.IsOpen()) {
    MessageBoxW(nullptr, L"The window cannot be created.", L"Korvanta", MB_OK | MB_ICONERROR);
    return 1;
  }
  window.EndProgramOnClose();
  bool demo_due = false;
  bool demo_ok = true;
  if (options.demo.Any())
    window.OnStartUpEnded([&demo_due] { demo_due = true; });
  window.Show(show_command);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!window.TranslateDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (demo_due) {
      demo_due = false;
      demo_ok = korvanta::win32::RunDemo(window, options.demo);
    }
  }
  if (!demo_ok)
    return 1;
  return static_cast<int>(message.wParam);
}
