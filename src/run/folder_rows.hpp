#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "run/targets.hpp"
#include "settings/folder_set.hpp"
#include "settings/ini_profile.hpp"

namespace korvanta {

// One folder setting: its key in section "Main" of the settings file, the
// command line's option that names it for one run, and its caption.
struct FolderSettingInfo {
  std::string_view key;
  std::string_view option;  // with its "--"
  std::string_view caption;
};

// Every folder setting, in the order of the help and of the Folders list.
std::span<const FolderSettingInfo> FolderSettings();
const FolderSettingInfo* FolderSettingByKey(std::string_view key);

// The folder of the run's simulator selection.
FolderInUse SimulatorFolderOf(const FolderSet& folders, Simulator simulator);

// The folder that `row`'s files go into under the selection, as the run
// takes it, and where it came from; nothing is made.
FolderInUse RowFolder(const TargetDescriptor& row, const FolderSet& folders,
                      const IniProfile& settings, Simulator simulator);

// "The X-Plane folder is not set: give --xplane11-dir or
// --xplane-install-dir, or choose it under Folders".
std::string FolderNotSetMessage(const FolderRule& rule);

// One line of the Folders list: a folder setting or a target's folder (a
// target without a setting of its own has no key and no option), the folder
// in use, where it came from and whether it exists.
struct FolderRow {
  std::string_view key;
  std::string_view option;
  std::string caption;
  FolderInUse in_use;
  bool exists = false;
};

// The Folders list under the selection: the simulators' and the documents
// folders, the X-Plane installation, each target's folder in the run's
// order, and the folder of the airport list.
std::vector<FolderRow> FolderRows(const FolderSet& folders, Simulator simulator);

}  // namespace korvanta
