#include <QApplication>
#include <QCommandLineParser>

#include <filesystem>
#include <optional>

#include "gui/demo.hpp"
#include "gui/icons.hpp"
#include "gui/main_window.hpp"
#include "gui/path_text.hpp"
#include "gui/user_dialogs.hpp"
#include "settings/folder_overrides.hpp"
#include "settings/folder_set.hpp"

namespace {

QCommandLineOption Hidden(QCommandLineOption option) {
  option.setFlags(QCommandLineOption::HiddenFromHelp);
  return option;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("korvanta"));
  QApplication::setApplicationVersion(QStringLiteral(KORVANTA_VERSION));
  QApplication::setWindowIcon(korvanta::gui::ProgramIcon());

  using korvanta::gui::TextPath;

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Turns an online route finder's text result, copied to the clipboard, or a\n"
      "flight plan of another program (.pln, .fms, .gpx), opened with Ctrl+O or dropped\n"
      "on the window, into flight-simulator plan files. The folders default to those\n"
      "of the Wine prefix ($WINEPREFIX or ~/.wine) where the simulators are installed."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("/T"),
      QStringLiteral("As the first argument: the writers that offer it ask for their file "
                     "with a save dialog."),
      QStringLiteral("[/T]"));
  const QCommandLineOption app_dir_option(
      QStringLiteral("app-dir"),
      QStringLiteral("The program folder (korvanta.ini, temp.tmp, route.txt); default: the "
                     "executable's folder when writable, else ~/.local/share/korvanta."),
      QStringLiteral("DIR"));
  const QCommandLineOption fs9_option(QStringLiteral("fs9-dir"),
                                      QStringLiteral("The FS2004 folder."), QStringLiteral("DIR"));
  const QCommandLineOption fsx_option(QStringLiteral("fsx-dir"), QStringLiteral("The FSX folder."),
                                      QStringLiteral("DIR"));
  const QCommandLineOption documents_option(QStringLiteral("documents-dir"),
                                            QStringLiteral("The documents folder."),
                                            QStringLiteral("DIR"));
  // For scripts/screenshot: convert a route file with every enabled box
  // ticked, save a picture of the window, report when start-up ended.
  const QCommandLineOption demo_option(Hidden(
      QCommandLineOption(QStringLiteral("demo-convert"), QString(), QStringLiteral("FILE"))));
  const QCommandLineOption screenshot_option(Hidden(
      QCommandLineOption(QStringLiteral("demo-screenshot"), QString(), QStringLiteral("PNG"))));
  const QCommandLineOption probe_option(
      Hidden(QCommandLineOption(QStringLiteral("startup-probe"))));
  parser.addOptions({app_dir_option, fs9_option, fsx_option, documents_option, demo_option,
                     screenshot_option, probe_option});
  parser.process(app);

  // Every path the command line names is taken before the current folder
  // moves to the program folder.
  const auto named = [&](const QCommandLineOption& option) -> std::optional<std::filesystem::path> {
    if (!parser.isSet(option))
      return std::nullopt;
    return korvanta::NamedPath(TextPath(parser.value(option)));
  };
  korvanta::FolderOverrides overrides;
  overrides.app_dir = named(app_dir_option);
  for (const auto& [option, key] : {std::pair{&fs9_option, korvanta::kFs9FolderKey},
                                    std::pair{&fsx_option, korvanta::kFsxFolderKey},
                                    std::pair{&documents_option, korvanta::kDocumentsFolderKey}}) {
    if (const auto folder = named(*option))
      overrides.folders.emplace(key, *folder);
  }

  korvanta::DemoOptions demo;
  demo.route_file = named(demo_option).value_or(std::filesystem::path());
  demo.screenshot = named(screenshot_option).value_or(std::filesystem::path());
  demo.startup_probe = parser.isSet(probe_option);

  const std::filesystem::path app_dir =
      korvanta::EnterProgramFolder(overrides, TextPath(QApplication::applicationFilePath()));
  const korvanta::OverriddenFolderSource folders(korvanta::PlatformFolderSource(), overrides);

  // An unattended demo must not wait for anyone to answer a message box.
  korvanta::gui::DesktopDialogs desktop;
  korvanta::gui::ConsoleDialogs console;
  korvanta::gui::UserDialogs& dialogs =
      demo.Any() ? static_cast<korvanta::gui::UserDialogs&>(console) : desktop;

  korvanta::gui::MainWindow window(app_dir, folders, QApplication::arguments().mid(1), dialogs);
  if (demo.Any())
    korvanta::gui::ArrangeDemo(window, demo);
  window.show();
  return QApplication::exec();
}
