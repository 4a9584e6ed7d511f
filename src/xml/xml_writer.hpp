#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvanta {

// An attribute of an opening tag; the value is escaped when it is written.
struct XmlAttribute {
  std::string_view name;
  std::string_view value;
};

// The text up to the first blank (exclusive); the whole text without a blank.
std::string_view FirstWord(std::string_view text);

// Element content: "&", "<" and ">" as entities. Control characters that XML
// cannot carry (C0 controls other than tab) become "?". Text without any of
// these comes back unchanged.
std::string XmlEscapeText(std::string_view text);
// Attribute values: as element content, and the double quote as &quot;.
std::string XmlEscapeAttribute(std::string_view text);

// An XML document built line by line, in document order, with four blanks of
// indentation per level. Each element call appends exactly one finished line;
// the open elements are kept so that a closing tag needs no argument. Names
// are the caller's constants and are written as they stand; values and
// attribute values are escaped. Texts are UTF-8.
//
// The first child of an element goes one level deeper than its opening tag,
// later siblings stay at that level, a closing tag goes back to the level of
// its opening tag. (An element closed right after it was opened gets its
// closing tag one level to the left; the documents written here have none.)
class XmlDocument {
 public:
  XmlDocument() { XmlBeginDocument(); }

  // Starts a new document: no lines, nothing open, the first element at
  // column 0.
  void XmlBeginDocument();

  // A line of the caller's own (a document head, a closing line), as it stands.
  void AddLine(std::string_view line);

  // Opens an element. `text` is the element name, or a name followed by a
  // blank and attribute text the caller wrote itself; the closing tag names
  // its first word.
  void OpenTag(std::string_view text);
  // Opens an element with attributes: name="value" each, separated by blanks.
  void OpenTag(std::string_view name, std::initializer_list<XmlAttribute> attributes);
  // An element with text content, opened and closed on one line.
  void ValueTag(std::string_view name, std::string_view value);
  // Closes the innermost open element. RunError when none is open.
  void CloseTag();

  // Makes room for a document of about that many bytes at once, so that a
  // large one is not copied as it grows.
  void Reserve(std::size_t bytes) { text_.reserve(bytes); }

  // The document's lines, without their line ends.
  std::vector<std::string> Lines() const;
  // The document's bytes: every line followed by CR LF. A finished document
  // is handed over without a copy: std::move(xml).Text().
  const std::string& Text() const& { return text_; }
  std::string Text() && { return std::move(text_); }

 private:
  // Starts an element's line at the current indentation.
  void BeginElementLine();
  void EndLine();

  // The lines are written straight into the document's bytes: a large
  // document is held once, not once as lines and again when joined.
  std::string text_;
  std::vector<std::string> open_;  // the text each open element was opened with
  int indent_ = -4;                // blanks in front of the last element line
  bool value_ = false;             // the last element line was a value element
};

}  // namespace korvanta
