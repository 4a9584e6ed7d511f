#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "navdata/navigation_data.hpp"
#include "navdata/navigation_files.hpp"

namespace korvanta {

// Where a run finds the user's navigation data, loaded only when the run
// needs it (a route string, a plan point without a position) and then kept
// for the run.
class NavigationSource {
 public:
  // No navigation data at all.
  NavigationSource();
  // The FMC data folder's files when the folder holds them (the FS2004
  // add-ons read them), else X-Plane's data below its installation folder;
  // either path may be empty.
  NavigationSource(std::filesystem::path fmc_folder, std::filesystem::path xplane_folder);
  // Data made ready by the caller (the tests).
  explicit NavigationSource(NavigationData data);
  ~NavigationSource();
  NavigationSource(NavigationSource&&) noexcept;
  NavigationSource& operator=(NavigationSource&&) noexcept;

  // The fixes, navaids and airways, loaded at the first call; null when
  // none is found or it does not read, and then Problem() says why.
  const NavigationData* Data() const;
  // Why Data() is null: "No navigation data: no wpNavFIX.txt in … and no
  // X-Plane installation", or the load's error.
  const std::string& Problem() const;

  // The airports `icaos` from X-Plane's airport file, for a user who has X-Plane
  // but no airport list; empty when there is no X-Plane installation.
  std::vector<XPlaneAirport> XPlaneAirports(std::span<const std::string> icaos) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace korvanta
