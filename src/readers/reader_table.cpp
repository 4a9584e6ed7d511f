#include "readers/reader_table.hpp"

#include <fmt/format.h>

#include <string>
#include <vector>

#include "readers/fs2004_plan_reader.hpp"
#include "readers/gpx_reader.hpp"
#include "readers/msfs_plan_reader.hpp"
#include "readers/route_string_reader.hpp"
#include "readers/route_text_parser.hpp"
#include "readers/xplane_plan_reader.hpp"

namespace korvanta {

namespace {

bool IsGpxRoot(std::string_view root) {
  return root == "gpx" || root.ends_with(":gpx");
}

// Both kinds of ".pln": the XML plan of FSX and MSFS, and FS2004's ini-style
// text, which starts with a section.
PlanReadResult ReadPlnFile(std::string_view bytes, const AirportDatabase& airports) {
  if (WithoutByteOrderMarkAndBlanks(bytes).starts_with('['))
    return ReadFs2004Plan(bytes, airports);
  return ReadMsfsPlan(bytes, airports);
}

// What a plan that no reader takes was found to be: "an XML document with
// root <FlightPlan>", "an X-Plane plan of version 1000"; empty for anything
// else (route-finder text among it).
std::string UnreadKindFound(std::string_view bytes) {
  const std::string root = XmlRootName(bytes);
  if (!root.empty())
    return fmt::format("an XML document with root <{}>", root);
  const std::string_view version = XPlanePlanVersion(bytes);
  if (!version.empty())
    return fmt::format("an X-Plane plan of version {}", version);
  return {};
}

// "a, b or c"
std::string ListText(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (index > 0)
      text += index + 1 == items.size() ? " or " : ", ";
    text += items[index];
  }
  return text;
}

// Every kind read, each as `describe` gives it.
template <typename Describe>
std::string ReadKindsText(Describe describe) {
  std::vector<std::string> items;
  for (const ReaderDescriptor& reader : Readers())
    items.push_back(describe(reader));
  return ListText(items);
}

PlanReadResult RefuseUnreadKind(std::string_view bytes, const AirportDatabase&) {
  return PlanReadError{fmt::format(
      "{}: {}, which Korvanta does not read; it reads {}", kWrongFormat,
      UnreadKindFound(WithoutByteOrderMarkAndBlanks(bytes)),
      ReadKindsText([](const ReaderDescriptor& reader) { return std::string(reader.name); }))};
}

std::vector<ReaderDescriptor> BuildReaders() {
  std::vector<ReaderDescriptor> readers;
  readers.push_back({
      .kind = InputKind::kText,
      .from_word = "text",
      .name = "a route finder's text",
  });
  readers.push_back({
      .kind = InputKind::kPln,
      .from_word = "pln",
      .name = "an FSX, Prepar3D, MSFS or FS2004 flight plan",
      .short_name = "FSX/MSFS/FS2004 .pln",
      .detects =
          [](std::string_view bytes) {
            return XmlRootName(bytes) == "SimBase.Document" || StartsLikeFs2004Plan(bytes);
          },
      .read = ReadPlnFile,
  });
  readers.push_back({
      .kind = InputKind::kFms,
      .from_word = "fms",
      .name = "an X-Plane plan",
      .short_name = "X-Plane .fms",
      .detects = StartsLikeXPlanePlan,
      .read = ReadXPlanePlan,
  });
  readers.push_back({
      .kind = InputKind::kGpx,
      .from_word = "gpx",
      .name = "a GPX file",
      .short_name = "GPX",
      .detects = [](std::string_view bytes) { return IsGpxRoot(XmlRootName(bytes)); },
      .read = ReadGpxRoute,
  });
  // After the plans: a route string is what none of them is.
  readers.push_back({
      .kind = InputKind::kRoute,
      .from_word = "route",
      .name = "a route string",
      .short_name = "route string",
      .detects = LooksLikeRouteString,
      .read = ReadRouteString,
      .runway = RouteStringRunway,
  });
  return readers;
}

// What looks like a plan and no reader takes: refused with what was found.
// No --from word names it, so it stands outside the table.
const ReaderDescriptor& UnreadKindRow() {
  static const ReaderDescriptor row = {
      .kind = InputKind::kUnreadKind,
      .detects = [](std::string_view bytes) { return !UnreadKindFound(bytes).empty(); },
      .read = RefuseUnreadKind,
  };
  return row;
}

}  // namespace

std::span<const ReaderDescriptor> Readers() {
  static const std::vector<ReaderDescriptor> readers = BuildReaders();
  return readers;
}

const ReaderDescriptor& ReaderOf(InputKind kind) {
  for (const ReaderDescriptor& reader : Readers()) {
    if (reader.kind == kind)
      return reader;
  }
  return kind == InputKind::kUnreadKind ? UnreadKindRow() : Readers().front();
}

std::string FromWordsHelp() {
  return ReadKindsText([](const ReaderDescriptor& reader) {
    return std::string(reader.from_word) + " (" + std::string(reader.name) + ")";
  });
}

std::string PlanKindsHelp() {
  std::string help;
  for (const ReaderDescriptor& reader : Readers()) {
    if (reader.short_name.empty())
      continue;
    if (!help.empty())
      help += ", ";
    help += reader.short_name;
  }
  return help;
}

InputKind DetectInputKind(std::string_view bytes) {
  bytes = WithoutByteOrderMarkAndBlanks(bytes);
  for (const ReaderDescriptor& reader : Readers()) {
    if (reader.detects && reader.detects(bytes))
      return reader.kind;
  }
  return UnreadKindRow().detects(bytes) ? InputKind::kUnreadKind : InputKind::kText;
}

std::optional<InputKind> InputKindFromName(std::string_view name) {
  for (const ReaderDescriptor& reader : Readers()) {
    if (reader.from_word == name)
      return reader.kind;
  }
  return std::nullopt;
}

std::string_view InputKindName(InputKind kind) {
  return ReaderOf(kind).from_word;
}

}  // namespace korvanta
