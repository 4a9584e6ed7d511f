#include "run/plan_file_source.hpp"

#include <utility>
#include <variant>

#include "readers/plan_reader.hpp"
#include "readers/reader_table.hpp"

namespace korvanta {

PlanFileSource::PlanFileSource(InputKind kind, std::string_view bytes)
    : kind_(kind), bytes_(bytes) {}

const PlanReadResult& PlanFileSource::Plan(const AirportDatabase& airports) const {
  if (!plan_ || read_with_ != &airports) {
    plan_ = ReadPlan(kind_, bytes_, airports);
    read_with_ = &airports;
  }
  return *plan_;
}

RouteReading PlanFileSource::Read(const ParseOptions& options,
                                  const AirportDatabase& airports) const {
  const PlanReadResult& result = Plan(airports);
  RouteReading reading;
  if (const auto* error = std::get_if<PlanReadError>(&result)) {
    reading.result = ParseResult::kUnreadable;
    reading.message = error->message;
    return reading;
  }
  // The positions are the same numbers in every reading.
  PlanRoute route = std::get<PlanRoute>(result);
  // The Super 80 plan names the airports by their codes, as for route text.
  if (options.super80) {
    route.header.departure_name = route.header.departure_icao;
    route.header.destination_name = route.header.destination_icao;
  }
  reading.header = std::move(route.header);
  reading.waypoints = std::move(route.waypoints);
  reading.notes = std::move(route.notes);
  return reading;
}

std::optional<std::string> PlanFileSource::Runway() const {
  // The runway does not depend on the airport database: a plan not read yet
  // is read without one, or its runway taken alone where its kind does not
  // read without the user's data.
  if (!plan_ && ReaderOf(kind_).runway)
    return ReaderOf(kind_).runway(bytes_);
  PlanReadResult unread;
  if (!plan_)
    unread = ReadPlan(kind_, bytes_, AirportDatabase{});
  const auto* route = std::get_if<PlanRoute>(plan_ ? &*plan_ : &unread);
  if (route == nullptr || route->runway.empty())
    return std::nullopt;
  return route->runway;
}

}  // namespace korvanta
