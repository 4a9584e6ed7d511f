#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace korvanta {

// One element of a document that was read, with everything below it.
struct XmlElement {
  std::string name;  // as written, a namespace prefix included ("gx:altitudeMode")
  // In document order; values with their references resolved.
  std::vector<std::pair<std::string, std::string>> attributes;
  // Every piece of character data directly inside the element (CDATA
  // included, references resolved, line ends as LF), joined in document
  // order. Blanks are kept as written.
  std::string text;
  std::vector<XmlElement> children;

  // Children are found by name as written; a name given without a prefix
  // ("rte") also finds them under any prefix ("gpx:rte").
  // The first child of that name; nullptr when there is none.
  const XmlElement* Child(std::string_view child_name) const;
  // Every child of that name, in document order.
  std::vector<const XmlElement*> Children(std::string_view child_name) const;
  // The text of the first child of that name; empty when there is none.
  std::string_view ChildText(std::string_view child_name) const;
  // The value of the attribute of that name; empty when there is none.
  std::string_view Attribute(std::string_view attribute_name) const;

  bool operator==(const XmlElement&) const = default;
};

// Why a document is not well-formed XML, and the line (from 1) where the
// fault starts.
struct XmlReadError {
  std::string reason;
  int line = 0;

  bool operator==(const XmlReadError&) const = default;
};

// Elements nested deeper than this are refused, so that no document can
// exhaust the stack of the code that walks or drops the tree.
inline constexpr int kXmlMaxDepth = 256;

// Reads a whole document into its root element, its text made UTF-8 first
// (XmlDocumentToUtf8: a document not valid in its encoding is refused). A byte-order mark and
// blanks before the first markup are skipped. Non-validating: the XML
// declaration and other processing instructions, comments and a DOCTYPE
// (internal subset included) are skipped; no DTD is read and no entity other
// than the five predefined ones is expanded. Character references must name
// a character that XML allows. Attribute values have their literal tabs and
// line ends made blanks, as XML asks.
std::variant<XmlElement, XmlReadError> ReadXml(std::string_view document);

// The name of the root element as ReadXml finds it, read no further than its
// start tag: the byte-order mark, blanks, the declaration, comments and the
// DOCTYPE before it are stepped over as ReadXml steps over them. Empty when
// the document's start does not read up to a start tag.
std::string XmlRootElementName(std::string_view document);

}  // namespace korvanta
