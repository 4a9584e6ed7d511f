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
#include "settings/folder_set.hpp"
#include "settings/folder_source.hpp"
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
  std::optional<std::filesystem::path> app_dir, fs9_dir, fsx_dir, documents_dir;
  korvanta::win32::DemoOptions demo;
};

Options ReadOptions(const std::vector<std::string>& arguments) {
  Options options;
  const auto absolute = [](std::string_view text) {
    std::error_code ignored;
    return std::filesystem::absolute(PathFromUtf8(text), ignored);
  };
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    const std::string& value = arguments[i + 1];
    if (name == "--app-dir")
      options.app_dir = absolute(value);
    else if (name == "--fs9-dir")
      options.fs9_dir = absolute(value);
    else if (name == "--fsx-dir")
      options.fsx_dir = absolute(value);
    else if (name == "--documents-dir")
      options.documents_dir = absolute(value);
    else if (name == "--demo-convert")
      options.demo.route_file = absolute(value);
    else if (name == "--demo-screenshot")
      options.demo.screenshot = absolute(value);
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
      options.app_dir ? *options.app_dir : korvanta::DefaultAppDir(korvanta::RunningProgramFile());
  std::error_code ec;
  std::filesystem::create_directories(app_dir, ec);
  // Relative folders (the X-Plane plans' default ".") mean the program folder.
  std::filesystem::current_path(app_dir, ec);

  const std::unique_ptr<korvanta::FolderSource> platform = korvanta::PlatformFolderSource();
  korvanta::FixedFolderSource folders;
  folders.personal = options.documents_dir ? options.documents_dir : platform->Personal();
  folders.fs9 = options.fs9_dir ? options.fs9_dir : platform->Fs9Path();
  folders.fsx = options.fsx_dir ? options.fsx_dir : platform->FsxPath();
  folders.default_simulator = platform->DefaultSimulatorPath();

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
