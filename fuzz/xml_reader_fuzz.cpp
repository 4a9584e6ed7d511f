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
  for (const XmlElement& child : element.children)
    deepest = std::max(deepest, Depth(child));
  return deepest + 1;
}

void Write(const XmlElement& element, std::string& out) {
  out += '<' + element.name;
  for (const auto& [name, value] : element.attributes)
    out += ' ' + name + "=\"" + korvanta::XmlEscapeAttribute(value) + '"';
  out += '>';
  out += korvanta::XmlEscapeText(element.text);
  for (const XmlElement& child : element.children)
    Write(child, out);
  out += "</" + element.name + '>';
}

std::string Carried(std::string text, bool attribute) {
  for (char& c : text) {
    if (c == '\t' && attribute)
      c = ' ';
    else if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
      c = '?';
  }
  return text;
}

// The tree as the writer's escaping carries it.
XmlElement Carried(const XmlElement& element) {
  XmlElement out{element.name, {}, Carried(element.text, false), {}};
  for (const auto& [name, value] : element.attributes)
    out.attributes.emplace_back(name, Carried(value, true));
  for (const XmlElement& child : element.children)
    out.children.push_back(Carried(child));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view document = korvanta::fuzz::AsText(data, size);
  const auto result = korvanta::ReadXml(document);

  if (const auto* error = std::get_if<korvanta::XmlReadError>(&result)) {
    Require(!error->reason.empty(), "a refusal without a reason");
    Require(error->line >= 1 && error->line <= Lines(document), "a refusal names no line");
  } else {
    const XmlElement& root = std::get<XmlElement>(result);
    Require(Depth(root) <= korvanta::kXmlMaxDepth, "a tree deeper than the limit");
    std::string written;
    Write(root, written);
    const auto again = korvanta::ReadXml(written);
    Require(std::holds_alternative<XmlElement>(again), "the written tree does not read");
    Require(std::get<XmlElement>(again) == Carried(root), "the written tree reads differently");
  }

  // A mark and blanks before a document that is UTF-8 as it stands change
  // nothing; before one in another encoding they hide its declaration.
  const std::string_view byte_order_mark = "\xEF\xBB\xBF";
  const auto decoded = korvanta::XmlDocumentToUtf8(document);
  const auto* as_decoded = std::get_if<std::optional<std::string>>(&decoded);
  if (!document.starts_with(byte_order_mark) && as_decoded != nullptr && !*as_decoded) {
    const std::string marked = std::string(byte_order_mark) + " \t" + std::string(document);
    Require(korvanta::ReadXml(marked) == result, "a byte-order mark and blanks changed the result");
  }
  return 0;
}
