#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace korvanta {

// What other simulators leave behind where Korvanta can look for it, on
// every platform alike; the folders come from the platform's FolderSource.

// The X-Plane installation folder from the installer's lists in
// `list_folder`: "x-plane_install_12.txt", then "x-plane_install_11.txt",
// one folder a line; the first listed folder that exists.
std::optional<std::filesystem::path> FindXPlaneInstallation(
    const std::filesystem::path& list_folder);

// The MSFS editions, each with the settings file "UserCfg.opt" that marks it
// installed: the Store edition's below the local application data, the Steam
// edition's below the roaming one.
struct MsfsEdition {
  std::string_view caption;        // "MSFS 2020"
  std::string_view store_package;  // the Store package's folder below "Packages"
  std::string_view steam_folder;   // the Steam edition's folder in the roaming data
};
inline constexpr MsfsEdition kMsfs2020{"MSFS 2020", "Microsoft.FlightSimulator_8wekyb3d8bbwe",
                                       "Microsoft Flight Simulator"};
inline constexpr MsfsEdition kMsfs2024{"MSFS 2024", "Microsoft.Limitless_8wekyb3d8bbwe",
                                       "Microsoft Flight Simulator 2024"};

// The edition's "UserCfg.opt" that exists, the Store edition's first.
std::optional<std::filesystem::path> FindMsfsSettings(
    const MsfsEdition& edition, const std::optional<std::filesystem::path>& local_app_data,
    const std::optional<std::filesystem::path>& roaming_app_data);

}  // namespace korvanta
