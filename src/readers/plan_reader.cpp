#include "readers/plan_reader.hpp"

#include <string>

#include "readers/reader_table.hpp"
#include "readers/route_text_parser.hpp"

namespace korvanta {

PlanReadResult ReadPlan(InputKind kind, std::string_view bytes, const AirportDatabase& airports) {
  const ReaderDescriptor& reader = ReaderOf(kind);
  if (!reader.read)
    return PlanReadError{std::string(kWrongFormat)};
  return reader.read(bytes, airports);
}

}  // namespace korvanta
