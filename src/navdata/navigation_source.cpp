#include "navdata/navigation_source.hpp"

#include <fmt/format.h>

#include <mutex>
#include <system_error>
#include <utility>
#include <variant>

#include "io/utf8_path.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

// The file whose presence makes the FMC data folder the run's navigation
// data: the FS2004 add-ons read that folder, so it wins over X-Plane's.
constexpr std::string_view kFmcFixFile = "wpNavFIX.txt";

// Whether `folder` holds the file `name`, its name matched without regard to
// case: installers write "wpNavFIX.txt", "WPNAVFIX.TXT" and other spellings.
bool HoldsFileNoCase(const std::filesystem::path& folder, std::string_view name) {
  if (folder.empty())
    return false;
  std::error_code error;
  for (std::filesystem::directory_iterator entries(folder, error), end; !error && entries != end;
       entries.increment(error)) {
    std::error_code type_error;
    if (EqualNoCase(PathToUtf8(entries->path().filename()), name) &&
        entries->is_regular_file(type_error))
      return true;
  }
  return false;
}

// Where the FMC data folder was looked at, for the message of a run without
// navigation data.
std::string FmcFolderText(const std::filesystem::path& fmc_folder) {
  if (fmc_folder.empty())
    return "no FMC data folder";
  return fmt::format("no {} in {}", kFmcFixFile, ShownPath(fmc_folder));
}

}  // namespace

struct NavigationSource::State {
  std::filesystem::path fmc_folder;
  std::filesystem::path xplane_folder;
  std::once_flag loaded;
  std::optional<NavigationData> data;
  std::string problem;

  void Load();
  // Keeps the loaded data, or the load's error as the problem.
  void Take(NavigationLoadResult result, std::string description);
};

void NavigationSource::State::Take(NavigationLoadResult result, std::string description) {
  if (auto* error = std::get_if<NavigationLoadError>(&result)) {
    problem = std::move(error->message);
    return;
  }
  data = std::move(std::get<NavigationData>(result));
  if (data->description.empty())
    data->description = std::move(description);
}

void NavigationSource::State::Load() {
  if (HoldsFileNoCase(fmc_folder, kFmcFixFile)) {
    Take(LoadFmcNavigation(fmc_folder), "FMC data folder " + ShownPath(fmc_folder));
    return;
  }
  if (xplane_folder.empty()) {
    problem = fmt::format("No navigation data: {} and no X-Plane installation",
                          FmcFolderText(fmc_folder));
    return;
  }
  Take(LoadXPlaneNavigation(xplane_folder), "X-Plane " + ShownPath(xplane_folder));
  if (!data)
    problem = fmt::format("No navigation data: {}; {}", FmcFolderText(fmc_folder), problem);
}

NavigationSource::NavigationSource() : state_(std::make_unique<State>()) {}

NavigationSource::NavigationSource(std::filesystem::path fmc_folder,
                                   std::filesystem::path xplane_folder)
    : NavigationSource() {
  state_->fmc_folder = std::move(fmc_folder);
  state_->xplane_folder = std::move(xplane_folder);
}

NavigationSource::NavigationSource(NavigationData data) : NavigationSource() {
  state_->data = std::move(data);
  std::call_once(state_->loaded, [] {});
}

NavigationSource::~NavigationSource() = default;
NavigationSource::NavigationSource(NavigationSource&&) noexcept = default;
NavigationSource& NavigationSource::operator=(NavigationSource&&) noexcept = default;

const NavigationData* NavigationSource::Data() const {
  State& state = *state_;
  std::call_once(state.loaded, [&state] { state.Load(); });
  return state.data ? &*state.data : nullptr;
}

const std::string& NavigationSource::Problem() const {
  Data();
  return state_->problem;
}

std::vector<XPlaneAirport> NavigationSource::XPlaneAirports(
    std::span<const std::string> icaos) const {
  if (state_->xplane_folder.empty() || icaos.empty())
    return {};
  const std::optional<std::filesystem::path> airport_file =
      XPlaneAirportFile(state_->xplane_folder);
  if (!airport_file)
    return {};
  return ScanXPlaneAirports(*airport_file, icaos);
}

}  // namespace korvanta
