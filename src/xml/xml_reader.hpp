#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace korvanta {

class XmlTree;

// One element of a document that was read: its name and text, and the way
// to its attributes and children. A view into the XmlTree it came from,
// which must outlive it and stay where it is; a few words to copy.
class XmlElement {
 public:
  std::string_view name;  // as written, a namespace prefix included ("gx:altitudeMode")
  // Every piece of character data directly inside the element (CDATA
  // included, references resolved, line ends as LF), joined in document
  // order. Blanks are kept as written.
  std::string_view text;

  // Children are found by name as written; a name given without a prefix
  // ("rte") also finds them under any prefix ("gpx:rte").
  // The first child of that name; none when there is none.
  std::optional<XmlElement> Child(std::string_view child_name) const;
  // Every child of that name, in document order.
  std::vector<XmlElement> Children(std::string_view child_name) const;
  // Every child, in document order.
  std::vector<XmlElement> Children() const;
  // The text of the first child of that name; empty when there is none.
  std::string_view ChildText(std::string_view child_name) const;
  // The value of the attribute of that name; empty when there is none.
  std::string_view Attribute(std::string_view attribute_name) const;
  // Every attribute, name and value (references resolved), in document order.
  std::vector<std::pair<std::string_view, std::string_view>> Attributes() const;

 private:
  friend class XmlTree;
  XmlElement(const XmlTree& document, std::uint32_t index);

  const XmlTree* document_;
  std::uint32_t index_;
};

// A document that was read, held compactly: a great many small elements are
// what a hostile file of the largest size accepted would hold, so an element
// costs a few words in one array and its strings sit in one buffer.
class XmlTree {
 public:
  XmlElement Root() const { return XmlElement(*this, 0); }

 private:
  friend class XmlElement;
  friend class XmlTreeBuilder;

  // Where a string starts in the strings buffer: its length in front, seven
  // bits a byte, low bits first and the high bit set on all but the last;
  // then its bytes. An empty string is stored as none.
  using StringAt = std::uint32_t;
  static constexpr StringAt kEmpty = UINT32_MAX;

  // The elements are kept in document order (each before its children), so
  // that an element's children start right after it and its attributes run
  // up to the next element's first.
  struct Node {
    StringAt name = kEmpty;
    StringAt text = kEmpty;
    std::uint32_t first_attribute = 0;
    std::uint32_t subtree_end = 0;  // the index past the element's last descendant
  };
  struct AttributeNode {
    StringAt name = kEmpty;
    StringAt value = kEmpty;
  };

  std::string_view View(StringAt at) const;
  // The first attribute of the element `node` and the one past its last.
  std::pair<std::size_t, std::size_t> AttributeSpan(std::uint32_t node) const;

  std::vector<char> strings_;  // never grows once read, so views into it stay valid
  std::vector<Node> nodes_;
  std::vector<AttributeNode> attributes_;
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

// Reads a whole document, its text made UTF-8 first (XmlDocumentToUtf8: a
// document not valid in its encoding is refused). A byte-order mark and
// blanks before the first markup are skipped. Non-validating: the XML
// declaration and other processing instructions, comments and a DOCTYPE
// (internal subset included) are skipped; no DTD is read and no entity other
// than the five predefined ones is expanded. Character references must name
// a character that XML allows. Attribute values have their literal tabs and
// line ends made blanks, as XML asks. The document read holds copies of what
// it shows, not views into `document`.
std::variant<XmlTree, XmlReadError> ReadXml(std::string_view document);

// The name of the root element as ReadXml finds it, read no further than its
// start tag: the byte-order mark, blanks, the declaration, comments and the
// DOCTYPE before it are stepped over as ReadXml steps over them. Empty when
// the document's start does not read up to a start tag.
std::string XmlRootElementName(std::string_view document);

}  // namespace korvanta
