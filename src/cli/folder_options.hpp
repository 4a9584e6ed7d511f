#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <map>
#include <string>

#include "settings/folder_set.hpp"

namespace korvanta::cli {

// The folder options of a command, as given: --app-dir and one option per
// folder setting.
struct FolderArgs {
  std::string app_dir;
  std::map<std::string, std::string, std::less<>> by_key;  // the options' texts, by settings key
};

// Adds --app-dir and every folder setting's option to `command`.
void AddFolderOptions(CLI::App& command, FolderArgs& args);

// The folder set of a run: the options over the settings file of the program
// folder and what the platform finds.
FolderSet FoldersOf(const FolderArgs& args, const std::filesystem::path& executable);

// `korvanta-cli folders`: the folders a run would use, where each came from
// and whether it exists.
std::function<int()> AddFoldersCommand(CLI::App& app, const std::filesystem::path& executable);

}  // namespace korvanta::cli
