// Stand-ins for the navigation files' loaders, so that the program links
// before they are built: every load fails, naming the folder it was given.

#include <fmt/format.h>

#include "io/utf8_path.hpp"
#include "navdata/navigation_files.hpp"

namespace korvanta {

NavigationLoadResult LoadFmcNavigation(const std::filesystem::path& folder) {
  return NavigationLoadError{
      fmt::format("{}: reading the FMC data folder is not built in", ShownPath(folder))};
}

}  // namespace korvanta
