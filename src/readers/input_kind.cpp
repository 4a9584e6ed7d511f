#include "readers/input_kind.hpp"

#include <array>
#include <utility>

#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr std::array<std::pair<InputKind, std::string_view>, 4> kNames = {{
    {InputKind::kText, "text"},
    {InputKind::kPln, "pln"},
    {InputKind::kFms, "fms"},
    {InputKind::kGpx, "gpx"},
}};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  return text;
}

// The name of the root element of text that starts like XML: the
// declaration, processing instructions, comments, a DOCTYPE and blanks before
// it are stepped over. Empty when the text does not lead to one.
std::string_view XmlRootName(std::string_view text) {
  while (text.starts_with('<')) {
    std::size_t end = std::string_view::npos;
    if (text.starts_with("<?")) {
      end = text.find("?>");
      end = end == std::string_view::npos ? end : end + 2;
    } else if (text.starts_with("<!--")) {
      end = text.find("-->", 4);
      end = end == std::string_view::npos ? end : end + 3;
    } else if (text.starts_with("<!")) {
      // A DOCTYPE ends at the first ">" outside its internal subset.
      bool in_subset = false;
      for (std::size_t i = 2; i < text.size() && end == std::string_view::npos; ++i) {
        if (text[i] == '[' || text[i] == ']')
          in_subset = text[i] == '[';
        else if (text[i] == '>' && !in_subset)
          end = i + 1;
      }
    } else {
      const std::size_t name_end = text.find_first_of(" \t\r\n/>", 1);
      return text.substr(1, name_end == std::string_view::npos ? name_end : name_end - 1);
    }
    if (end == std::string_view::npos)
      return {};
    text = WithoutLeadingBlanks(text.substr(end));
  }
  return {};
}

// The first two lines of the text, trimmed; empty where the text has none.
std::array<std::string_view, 2> FirstTwoLines(std::string_view text) {
  std::array<std::string_view, 2> lines;
  for (std::string_view& line : lines) {
    const std::size_t end = text.find_first_of("\r\n");
    line = Trim(text.substr(0, end));
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return lines;
}

bool IsXPlaneVersionLine(std::string_view line) {
  const std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos)
    return false;
  const std::string_view number = line.substr(0, blank);
  return (number == "3" || number == "1100") && EqualNoCase(Trim(line.substr(blank)), "version");
}

}  // namespace

InputKind DetectInputKind(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark))
    bytes.remove_prefix(kByteOrderMark.size());
  bytes = WithoutLeadingBlanks(bytes);

  const std::string_view root = XmlRootName(bytes);
  if (root == "SimBase.Document")
    return InputKind::kPln;
  if (root == "gpx" || root.ends_with(":gpx"))
    return InputKind::kGpx;

  const auto [first, second] = FirstTwoLines(bytes);
  if ((first == "I" || first == "A") && IsXPlaneVersionLine(second))
    return InputKind::kFms;
  return InputKind::kText;
}

std::optional<InputKind> InputKindFromName(std::string_view name) {
  for (const auto& [kind, kind_name] : kNames) {
    if (name == kind_name)
      return kind;
  }
  return std::nullopt;
}

std::string_view InputKindName(InputKind kind) {
  for (const auto& [listed, name] : kNames) {
    if (listed == kind)
      return name;
  }
  return {};
}

}  // namespace korvanta
