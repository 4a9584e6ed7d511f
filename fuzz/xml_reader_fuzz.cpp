// The XML reader over arbitrary bytes.
//
// A refused document names a line the document has. A document that reads
// gives a tree no deeper than the limit; written again through the XML
// writer's escaping it reads back as the same tree, but for what the writer
// cannot carry (control characters other than tab become "?", and a tab in an
// attribute value reads back as a blank). A byte-order mark and blanks in
// front change nothing.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz_support.hpp"
#include "xml/xml_encoding.hpp"
#include "xml/xml_reader.hpp"
#include "xml/xml_writer.hpp"

namespace {

using korvanta::XmlElement;
using korvanta::fuzz::Require;

int Lines(std::string_view text) {
  int lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++lines;
  }
  return lines;
}

int Depth(const XmlElement& element) {
  int deepest = 0;
  for (const XmlElement& child : element.Children())
    deepest = std::max(deepest, Depth(child));
  return deepest + 1;
}

void Write(const XmlElement& element, std::string& out) {
  out += '<' + std::string(element.name);
  for (const auto& [name, value] : element.Attributes())
    out += ' ' + std::string(name) + "=\"" + korvanta::XmlEscapeAttribute(value) + '"';
  out += '>';
  out += korvanta::XmlEscapeText(element.text);
  for (const XmlElement& child : element.Children())
    Write(child, out);
  out += "</" + std::string(element.name) + '>';
}

std::string Carried(std::string_view text, bool attribute) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\t' && attribute)
      c = ' ';
    else if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
      c = '?';
  }
  return out;
}

// The tree on one line, every string with its length in front so that no two
// trees give the same line; as the writer's escaping carries it when `carry`.
std::string Outline(const XmlElement& element, bool carry) {
  const auto field = [carry](std::string_view text, bool attribute) {
    const std::string shown = carry ? Carried(text, attribute) : std::string(text);
    return std::to_string(shown.size()) + ':' + shown;
  };
  std::string out = field(element.name, false) + '{';
  for (const auto& [name, value] : element.Attributes())
    out += field(name, false) + field(value, true);
  out += '}' + field(element.text, false) + '[';
  for (const XmlElement& child : element.Children())
    out += Outline(child, carry);
  return out + ']';
}

// A document that reads as its outline, one that does not as its refusal.
std::string Outcome(const std::variant<korvanta::XmlTree, korvanta::XmlReadError>& result) {
  if (const auto* error = std::get_if<korvanta::XmlReadError>(&result))
    return "refused at line " + std::to_string(error->line) + ": " + error->reason;
  return Outline(std::get<korvanta::XmlTree>(result).Root(), false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view document = korvanta::fuzz::AsText(data, size);
  const auto result = korvanta::ReadXml(document);

  if (const auto* error = std::get_if<korvanta::XmlReadError>(&result)) {
    Require(!error->reason.empty(), "a refusal without a reason");
    Require(error->line >= 1 && error->line <= Lines(document), "a refusal names no line");
  } else {
    const XmlElement root = std::get<korvanta::XmlTree>(result).Root();
    Require(Depth(root) <= korvanta::kXmlMaxDepth, "a tree deeper than the limit");
    std::string written;
    Write(root, written);
    const auto again = korvanta::ReadXml(written);
    Require(std::holds_alternative<korvanta::XmlTree>(again), "the written tree does not read");
    Require(Outline(std::get<korvanta::XmlTree>(again).Root(), false) == Outline(root, true),
            "the written tree reads differently");
  }

  // A mark and blanks before a document that is UTF-8 as it stands change
  // nothing; before one in another encoding they hide its declaration.
  const std::string_view byte_order_mark = "\xEF\xBB\xBF";
  const auto decoded = korvanta::XmlDocumentToUtf8(document);
  const auto* as_decoded = std::get_if<std::optional<std::string>>(&decoded);
  if (!document.starts_with(byte_order_mark) && as_decoded != nullptr && !*as_decoded) {
    const std::string marked = std::string(byte_order_mark) + " \t" + std::string(document);
    Require(Outcome(korvanta::ReadXml(marked)) == Outcome(result),
            "a byte-order mark and blanks changed the result");
  }
  return 0;
}
