#include "readers/reader_table.hpp"

#include <string>
#include <vector>

#include "readers/gpx_reader.hpp"
#include "readers/msfs_plan_reader.hpp"
#include "readers/xplane_plan_reader.hpp"

namespace korvanta {

namespace {

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
      .name = "an FSX, Prepar3D or MSFS flight plan",
      .short_name = "FSX/MSFS .pln",
      .detects = [](std::string_view bytes) { return XmlRootName(bytes) == "SimBase.Document"; },
      .read = ReadMsfsPlan,
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
      .detects =
          [](std::string_view bytes) {
            const std::string root = XmlRootName(bytes);
            return root == "gpx" || root.ends_with(":gpx");
          },
      .read = ReadGpxRoute,
  });
  return readers;
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
  return Readers().front();
}

std::string FromWordsHelp() {
  std::string help;
  const std::span<const ReaderDescriptor> readers = Readers();
  for (std::size_t index = 0; index < readers.size(); ++index) {
    if (index > 0)
      help += index + 1 == readers.size() ? " or " : ", ";
    help += std::string(readers[index].from_word) + " (" + std::string(readers[index].name) + ")";
  }
  return help;
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
  return InputKind::kText;
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
