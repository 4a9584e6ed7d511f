#include "cli/folder_options.hpp"

#include <fmt/core.h>

#include <memory>
#include <system_error>

#include "cli/exit_codes.hpp"
#include "io/utf8_path.hpp"
#include "run/folder_rows.hpp"
#include "run/targets.hpp"
#include "settings/folder_overrides.hpp"
#include "settings/folder_source.hpp"

namespace korvanta::cli {

namespace {

// What the help adds to a folder setting's caption: its default.
std::string DefaultHelp(std::string_view key) {
  if (key == kFs9FolderKey)
    return "from the registry; on Linux from the Wine prefix, $WINEPREFIX or ~/.wine";
  if (key == kFsxFolderKey)
    return "as the FS2004 folder, FSX Steam Edition when the boxed FSX is absent";
  if (key == kDocumentsFolderKey)
    return "the user's documents; on Linux from the Wine prefix, else the XDG documents folder, "
           "else ~/Documents";
  if (key == kXPlaneInstallFolderKey)
    return "the first existing folder in x-plane_install_12.txt, then _11.txt (%LOCALAPPDATA%, "
           "~/.x-plane)";
  if (key == kPlanFolderKey)
    return "\"Flight Simulator Files\" in the documents folder";
  if (key == kFmcDataFolderKey)
    return "Fmcwp/NAVDATA below the FS2004 folder";
  if (key == "XPlane11Folder")
    return "the X-Plane plans' folder when X-PlaneFolder or --xplane-dir names it, else "
           "\"Output/FMS plans\" of the X-Plane installation";
  if (key == "X-PlaneFolder")
    return "\"Output/FMS plans\" of the X-Plane installation";
  if (key == "GPXFolder" || key == "MSFSFolder")
    return "the documents folder";
  return "below the simulator folder";
}

std::string StateText(const FolderRow& row) {
  if (!row.in_use.Set())
    return "not set";
  return fmt::format("{} ({}, {})", ShownPath(row.in_use.folder),
                     FolderOriginText(row.in_use.origin), row.exists ? "exists" : "missing");
}

struct FoldersArgs {
  FolderArgs folders;
  std::string sim = "fs9";
  std::filesystem::path executable;
};

int RunFolders(const FoldersArgs& args) {
  const FolderSet folders = FoldersOf(args.folders, args.executable);
  const Simulator simulator = SimulatorByCliName(args.sim).value_or(Simulator::kFs9);
  for (const FolderRow& row : FolderRows(folders, simulator))
    fmt::print("{}: {}\n", row.caption, StateText(row));
  std::error_code error;
  const std::filesystem::path airports = folders.AirportListFile();
  fmt::print("Airport list: {} ({})\n", ShownPath(airports),
             std::filesystem::is_regular_file(airports, error) ? "found" : "missing");
  for (const auto& [caption, settings] : {std::pair{"MSFS 2020", folders.msfs2020_settings},
                                          std::pair{"MSFS 2024", folders.msfs2024_settings}}) {
    if (settings)
      fmt::print("{} installation: {} (found)\n", caption, ShownPath(*settings));
    else
      fmt::print("{} installation: not found\n", caption);
  }
  return kExitOk;
}

}  // namespace

void AddFolderOptions(CLI::App& command, FolderArgs& args) {
  command.add_option("--app-dir", args.app_dir,
                     "the program folder (settings file korvanta.ini, temp.tmp, route.txt); "
                     "default: the executable's folder when writable, else the per-user data "
                     "folder (~/.local/share/korvanta, %LOCALAPPDATA%\\Korvanta)");
  for (const FolderSettingInfo& setting : FolderSettings()) {
    command
        .add_option(std::string(setting.option), args.by_key[std::string(setting.key)],
                    fmt::format("{} (settings key {}; default: {})", setting.caption, setting.key,
                                DefaultHelp(setting.key)))
        ->type_name("DIR");
  }
}

FolderSet FoldersOf(const FolderArgs& args, const std::filesystem::path& executable) {
  FolderOverrides overrides;
  if (!args.app_dir.empty())
    overrides.app_dir = PathFromUtf8(args.app_dir);
  for (const auto& [key, text] : args.by_key) {
    if (!text.empty())
      overrides.folders.emplace(key, PathFromUtf8(text));
  }
  const std::filesystem::path app_dir = ProgramFolder(overrides, executable);
  const OverriddenFolderSource source(PlatformFolderSource(), overrides);
  return BuildFolderSet(app_dir, source);
}

std::function<int()> AddFoldersCommand(CLI::App& app, const std::filesystem::path& executable) {
  auto args = std::make_shared<FoldersArgs>();
  args->executable = executable;
  CLI::App* cmd = app.add_subcommand(
      "folders",
      "Print the folders that a conversion uses, one line each: the simulators' and the\n"
      "documents folders, the X-Plane installation, each target's folder and the airport list's\n"
      "folder, with where it came from (option, settings key, registry, Wine prefix, X-Plane's\n"
      "list, default) and whether it exists; then the airport list and whether it was found,\n"
      "and whether MSFS 2020 and 2024 are installed.");
  cmd->add_option("--sim", args->sim, "the simulator selection: fs9 (default), fsx or xplane")
      ->check(CLI::IsMember({"fs9", "fsx", "xplane"}));
  AddFolderOptions(*cmd, args->folders);
  return [cmd, args]() { return cmd->parsed() ? RunFolders(*args) : -1; };
}

}  // namespace korvanta::cli
