#include "navdata/navigation_source.hpp"

namespace korvanta {

// Placeholder until the loaders land: no data anywhere.
struct NavigationSource::State {
  std::optional<NavigationData> data;
  std::string problem = "No navigation data";
};

NavigationSource::NavigationSource() : state_(std::make_unique<State>()) {}

NavigationSource::NavigationSource(std::filesystem::path, std::filesystem::path)
    : NavigationSource() {}

NavigationSource::NavigationSource(NavigationData data) : NavigationSource() {
  state_->data = std::move(data);
}

NavigationSource::~NavigationSource() = default;
NavigationSource::NavigationSource(NavigationSource&&) noexcept = default;
NavigationSource& NavigationSource::operator=(NavigationSource&&) noexcept = default;

const NavigationData* NavigationSource::Data() const {
  return state_->data ? &*state_->data : nullptr;
}

const std::string& NavigationSource::Problem() const {
  return state_->problem;
}

std::vector<XPlaneAirport> NavigationSource::XPlaneAirports(std::span<const std::string>) const {
  return {};
}

}  // namespace korvanta
