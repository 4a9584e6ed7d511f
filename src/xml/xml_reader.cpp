#include "xml/xml_reader.hpp"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "text/text.hpp"
#include "xml/xml_encoding.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Names quoted in a reason are cut to this many bytes, so that a hostile
// document cannot fill the message line.
constexpr std::size_t kShownBytes = 40;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// XML allows far fewer name characters than these; a reader that only has to
// find the names a document holds can take every non-ASCII byte.
bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameCharacter(char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The characters a document may hold: no C0 control but tab and the line
// ends, no surrogate, not U+FFFE or U+FFFF.
bool IsXmlCharacter(char32_t code_point) {
  return code_point == 0x9 || code_point == 0xA || code_point == 0xD ||
         (code_point >= 0x20 && code_point <= 0xD7FF) ||
         (code_point >= 0xE000 && code_point <= 0xFFFD) ||
         (code_point >= 0x10000 && code_point <= 0x10FFFF);
}

// The value of a digit in base 10 or 16; -1 for any other character.
int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

std::string Shown(std::string_view text) {
  if (text.size() <= kShownBytes)
    return std::string(text);
  std::size_t cut = kShownBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    --cut;
  return std::string(text.substr(0, cut)) + "...";
}

// Appends a piece of character data with its line ends made LF, as XML asks
// of every reader.
void AppendWithLineFeeds(std::string& out, std::string_view piece) {
  while (!piece.empty()) {
    const std::size_t return_at = std::min(piece.find('\r'), piece.size());
    out.append(piece.substr(0, return_at));
    if (return_at == piece.size())
      return;
    out += '\n';
    piece.remove_prefix(piece.substr(return_at).starts_with("\r\n") ? return_at + 2
                                                                    : return_at + 1);
  }
}

// The line (from 1) of a byte of the document; CR LF, LF and a lone CR each
// end a line. Counted once, when a fault is reported.
int LineAt(std::string_view document, std::size_t position) {
  int line = 1;
  for (std::size_t i = 0; i < position && i < document.size(); ++i) {
    if (document[i] == '\n' ||
        (document[i] == '\r' && (i + 1 == document.size() || document[i + 1] != '\n')))
      ++line;
  }
  return line;
}

// One pass over the document. The elements still open are kept on a stack of
// their own instead of the call stack; each step reads one piece of markup or
// text and returns false once a fault is recorded.
class Reader {
 public:
  explicit Reader(std::string_view document) : document_(document) {}

  std::variant<XmlElement, XmlReadError> Read();
  std::string_view RootName();

 private:
  bool LooksAt(std::string_view text) const {
    return document_.size() - position_ >= text.size() &&
           document_.compare(position_, text.size(), text) == 0;
  }
  // The first position from `from` on whose byte `is_stop` takes, or the
  // document's size. A plain loop: find_first_of looks every byte up in its
  // set with a call of its own.
  template <typename IsStop>
  std::size_t FindStop(std::size_t from, IsStop is_stop) const {
    while (from < document_.size() && !is_stop(document_[from]))
      ++from;
    return from;
  }
  bool SkipBlanks();
  std::string_view ReadName();
  bool Fail(std::size_t at, std::string reason);

  bool ReadText();
  bool ReadReference(std::string& out);
  bool ReadStartTag();
  bool ReadAttributeValue(std::size_t tag_start, XmlElement& element);
  bool CheckAttributesDiffer(std::size_t tag_start, const XmlElement& element);
  bool ReadEndTag();
  bool ReadCdata();
  bool SkipPast(std::size_t opening_size, std::string_view end, std::string_view what);
  bool SkipDoctype();
  void Finish(XmlElement element);

  std::string_view document_;
  std::size_t position_ = 0;
  std::vector<XmlElement> open_;      // the elements whose closing tag is still to come
  std::vector<std::size_t> open_at_;  // where each open element's tag starts
  std::optional<XmlElement> root_;    // set once the root element is closed
  std::size_t fault_at_ = 0;
  std::string fault_;
};

std::variant<XmlElement, XmlReadError> Reader::Read() {
  if (document_.starts_with(kByteOrderMark))
    position_ = kByteOrderMark.size();
  while (position_ < document_.size()) {
    bool read = false;
    const char after = position_ + 1 < document_.size() ? document_[position_ + 1] : '\0';
    if (document_[position_] != '<')
      read = ReadText();
    else if (after != '!' && after != '?' && after != '/')
      read = ReadStartTag();  // the most common markup, known by its second byte
    else if (LooksAt("<!--"))
      read = SkipPast(4, "-->", "comment");
    else if (LooksAt("<?"))
      read = SkipPast(2, "?>", "processing instruction");
    else if (LooksAt("<![CDATA["))
      read = ReadCdata();
    else if (LooksAt("<!DOCTYPE"))
      read = SkipDoctype();
    else if (LooksAt("<!"))
      read = Fail(position_, "unknown markup \"<!\"");
    else if (LooksAt("</"))
      read = ReadEndTag();
    else
      read = ReadStartTag();
    if (!read)
      return XmlReadError{std::move(fault_), LineAt(document_, fault_at_)};
  }
  if (!open_.empty()) {
    return XmlReadError{"the element <" + Shown(open_.back().name) + "> is not closed",
                        LineAt(document_, open_at_.back())};
  }
  if (!root_)
    return XmlReadError{"the document holds no element", LineAt(document_, position_)};
  return std::move(*root_);
}

std::string_view Reader::RootName() {
  if (document_.starts_with(kByteOrderMark))
    position_ = kByteOrderMark.size();
  for (;;) {
    SkipBlanks();
    bool read = false;
    if (LooksAt("<!--"))
      read = SkipPast(4, "-->", "comment");
    else if (LooksAt("<?"))
      read = SkipPast(2, "?>", "processing instruction");
    else if (LooksAt("<!DOCTYPE"))
      read = SkipDoctype();
    else if (LooksAt("<")) {
      ++position_;
      return ReadName();
    }
    if (!read)
      return {};
  }
}

bool Reader::SkipBlanks() {
  const std::size_t start = position_;
  while (position_ < document_.size() && IsBlank(document_[position_]))
    ++position_;
  return position_ > start;
}

std::string_view Reader::ReadName() {
  const std::size_t start = position_;
  if (position_ < document_.size() && IsNameStart(document_[position_])) {
    while (position_ < document_.size() && IsNameCharacter(document_[position_]))
      ++position_;
  }
  return document_.substr(start, position_ - start);
}

bool Reader::Fail(std::size_t at, std::string reason) {
  fault_at_ = at;
  fault_ = std::move(reason);
  return false;
}

bool Reader::ReadText() {
  if (open_.empty()) {
    SkipBlanks();
    if (position_ < document_.size() && document_[position_] != '<') {
      return Fail(position_,
                  root_ ? "text after the root element" : "text before the root element");
    }
    return true;
  }
  std::string& text = open_.back().text;
  while (position_ < document_.size() && document_[position_] != '<') {
    const std::size_t stop = FindStop(position_, [](char c) { return c == '<' || c == '&'; });
    AppendWithLineFeeds(text, document_.substr(position_, stop - position_));
    position_ = stop;
    if (position_ < document_.size() && document_[position_] == '&' && !ReadReference(text))
      return false;
  }
  return true;
}

bool Reader::ReadReference(std::string& out) {
  const std::size_t start = position_;
  ++position_;  // "&"
  if (LooksAt("#")) {
    ++position_;
    int base = 10;
    if (LooksAt("x")) {
      base = 16;
      ++position_;
    }
    // Held at one past the highest code point, so that long digit runs cannot
    // overflow.
    char32_t code_point = 0;
    std::size_t digits = 0;
    for (; position_ < document_.size(); ++position_, ++digits) {
      const int digit = DigitValue(document_[position_], base);
      if (digit < 0)
        break;
      code_point = std::min<char32_t>(code_point * base + digit, 0x110000);
    }
    if (digits == 0 || !LooksAt(";"))
      return Fail(start, "a character reference without its digits or \";\"");
    ++position_;
    if (!IsXmlCharacter(code_point)) {
      return Fail(start, "the character reference " +
                             Shown(document_.substr(start, position_ - start)) +
                             " names no character XML allows");
    }
    AppendUtf8(out, code_point);
    return true;
  }
  const std::string_view name = ReadName();
  if (name.empty() || !LooksAt(";"))
    return Fail(start, "an \"&\" that starts no reference (\"&amp;\" writes one)");
  ++position_;
  constexpr std::pair<std::string_view, char> kPredefined[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [entity, character] : kPredefined) {
    if (name == entity) {
      out += character;
      return true;
    }
  }
  return Fail(start, "the entity &" + Shown(name) + "; is unknown");
}

bool Reader::ReadStartTag() {
  const std::size_t start = position_;
  ++position_;  // "<"
  XmlElement element;
  element.name = ReadName();
  if (element.name.empty())
    return Fail(start, "a \"<\" that starts no tag (\"&lt;\" writes one)");
  if (root_)
    return Fail(start, "a second root element <" + Shown(element.name) + ">");
  if (open_.size() >= static_cast<std::size_t>(kXmlMaxDepth))
    return Fail(start, "elements nested deeper than " + std::to_string(kXmlMaxDepth) + " levels");
  const auto tag = [&element] { return "the tag <" + Shown(element.name) + ">"; };
  while (true) {
    const bool blank = SkipBlanks();
    if (position_ == document_.size())
      return Fail(start, tag() + " is not finished");
    if (LooksAt(">") || LooksAt("/>"))
      break;
    const std::string_view attribute = ReadName();
    if (!blank || attribute.empty())
      return Fail(start, tag() + " is malformed");
    element.attributes.emplace_back(attribute, std::string());
    if (!ReadAttributeValue(start, element))
      return false;
  }
  if (!CheckAttributesDiffer(start, element))
    return false;
  if (LooksAt("/>")) {
    position_ += 2;
    Finish(std::move(element));
    return true;
  }
  ++position_;  // ">"
  open_.push_back(std::move(element));
  open_at_.push_back(start);
  return true;
}

// Reads `= "value"` into the element's last attribute.
bool Reader::ReadAttributeValue(std::size_t tag_start, XmlElement& element) {
  std::string& value = element.attributes.back().second;
  const auto attribute = [&element] {
    return "the attribute " + Shown(element.attributes.back().first) + " of <" +
           Shown(element.name) + ">";
  };
  SkipBlanks();
  if (!LooksAt("="))
    return Fail(tag_start, attribute() + " has no value");
  ++position_;
  SkipBlanks();
  if (!LooksAt("\"") && !LooksAt("'"))
    return Fail(tag_start, attribute() + " has no quoted value");
  const char quote = document_[position_++];
  const auto is_stop = [quote](char c) {
    return c == quote || c == '<' || c == '&' || c == '\t' || c == '\r' || c == '\n';
  };
  while (true) {
    const std::size_t stop = FindStop(position_, is_stop);
    if (stop == document_.size())
      return Fail(tag_start, attribute() + " is not closed");
    value.append(document_.substr(position_, stop - position_));
    position_ = stop;
    const char c = document_[stop];
    if (c == quote) {
      ++position_;
      break;
    }
    if (c == '<')
      return Fail(stop, "\"<\" in the value of " + attribute());
    if (c == '&') {
      if (!ReadReference(value))
        return false;
      continue;
    }
    // A literal tab or line end is a blank in an attribute value; CR LF is one.
    value += ' ';
    ++position_;
    if (c == '\r' && LooksAt("\n"))
      ++position_;
  }
  return true;
}

// The first of the repeated names in sorted order is the one reported. A
// few attributes are compared pair by pair; many are sorted, so that a tag
// with a great many attributes cannot make the check slow.
bool Reader::CheckAttributesDiffer(std::size_t tag_start, const XmlElement& element) {
  constexpr std::size_t kComparedPairwise = 8;
  const auto& attributes = element.attributes;
  std::optional<std::string_view> repeated;
  if (attributes.size() <= kComparedPairwise) {
    for (std::size_t later = 1; later < attributes.size(); ++later) {
      for (std::size_t earlier = 0; earlier < later; ++earlier) {
        const std::string_view name = attributes[later].first;
        if (name == attributes[earlier].first && (!repeated || name < *repeated))
          repeated = name;
      }
    }
  } else {
    std::vector<std::string_view> names;
    names.reserve(attributes.size());
    for (const auto& attribute : attributes)
      names.emplace_back(attribute.first);
    std::sort(names.begin(), names.end());
    if (const auto found = std::adjacent_find(names.begin(), names.end()); found != names.end())
      repeated = *found;
  }
  if (!repeated)
    return true;
  return Fail(tag_start, "the attribute " + Shown(*repeated) + " of <" + Shown(element.name) +
                             "> is given twice");
}

bool Reader::ReadEndTag() {
  const std::size_t start = position_;
  position_ += 2;  // "</"
  const std::string_view name = ReadName();
  SkipBlanks();
  if (name.empty() || !LooksAt(">"))
    return Fail(start, "a malformed closing tag </" + Shown(name) + ">");
  ++position_;
  const auto tag = [name] { return "the closing tag </" + Shown(name) + ">"; };
  if (open_.empty())
    return Fail(start, tag() + " closes no element");
  if (open_.back().name != name)
    return Fail(start, tag() + " does not match <" + Shown(open_.back().name) + ">");
  XmlElement element = std::move(open_.back());
  open_.pop_back();
  open_at_.pop_back();
  Finish(std::move(element));
  return true;
}

bool Reader::ReadCdata() {
  const std::size_t start = position_;
  if (open_.empty())
    return Fail(start, "a CDATA section outside the root element");
  constexpr std::size_t kOpeningSize = 9;  // "<![CDATA["
  const std::size_t end = document_.find("]]>", start + kOpeningSize);
  if (end == std::string_view::npos)
    return Fail(start, "the CDATA section is not closed");
  AppendWithLineFeeds(open_.back().text,
                      document_.substr(start + kOpeningSize, end - start - kOpeningSize));
  position_ = end + 3;
  return true;
}

bool Reader::SkipPast(std::size_t opening_size, std::string_view end, std::string_view what) {
  const std::size_t found = document_.find(end, position_ + opening_size);
  if (found == std::string_view::npos)
    return Fail(position_, "the " + std::string(what) + " is not closed");
  position_ = found + end.size();
  return true;
}

// Skips the DOCTYPE with any internal subset; quoted texts and the subset's
// comments and processing instructions may hold "]" and ">".
bool Reader::SkipDoctype() {
  const std::size_t start = position_;
  if (root_ || !open_.empty())
    return Fail(start, "a DOCTYPE after the first element");
  position_ += 9;  // "<!DOCTYPE"
  char quote = 0;
  bool in_subset = false;
  while (position_ < document_.size()) {
    const char c = document_[position_];
    if (quote != 0) {
      if (c == quote)
        quote = 0;
    } else if (in_subset && (LooksAt("<!--") || LooksAt("<?"))) {
      const bool comment = LooksAt("<!--");
      const std::string_view end = comment ? "-->" : "?>";
      const std::size_t found = document_.find(end, position_ + (comment ? 4 : 2));
      if (found == std::string_view::npos)
        break;
      position_ = found + end.size();
      continue;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      in_subset = true;
    } else if (c == ']') {
      in_subset = false;
    } else if (c == '>' && !in_subset) {
      ++position_;
      return true;
    }
    ++position_;
  }
  return Fail(start, "the DOCTYPE is not closed");
}

// Hands a closed element to its parent, or keeps it as the root.
void Reader::Finish(XmlElement element) {
  if (open_.empty()) {
    root_ = std::move(element);
    return;
  }
  // An element with children mostly has several: room for a few at once
  // spares the first reallocations.
  constexpr std::size_t kFirstChildren = 4;
  std::vector<XmlElement>& children = open_.back().children;
  if (children.empty())
    children.reserve(kFirstChildren);
  children.push_back(std::move(element));
}

}  // namespace

namespace {

// Whether an element's name is the name asked for. A name asked for without a
// prefix also finds the element under any prefix: GPX files written with
// "gpx:" before every element name are the same files as those without.
bool NameMatches(std::string_view element_name, std::string_view asked) {
  if (element_name == asked)
    return true;
  return asked.find(':') == std::string_view::npos && element_name.size() > asked.size() &&
         element_name.ends_with(asked) &&
         element_name[element_name.size() - asked.size() - 1] == ':';
}

}  // namespace

const XmlElement* XmlElement::Child(std::string_view child_name) const {
  for (const XmlElement& child : children) {
    if (NameMatches(child.name, child_name))
      return &child;
  }
  return nullptr;
}

std::vector<const XmlElement*> XmlElement::Children(std::string_view child_name) const {
  std::vector<const XmlElement*> found;
  for (const XmlElement& child : children) {
    if (NameMatches(child.name, child_name))
      found.push_back(&child);
  }
  return found;
}

std::string_view XmlElement::ChildText(std::string_view child_name) const {
  const XmlElement* child = Child(child_name);
  return child != nullptr ? std::string_view(child->text) : std::string_view();
}

std::string_view XmlElement::Attribute(std::string_view attribute_name) const {
  for (const auto& [name, value] : attributes) {
    if (name == attribute_name)
      return value;
  }
  return {};
}

std::string XmlRootElementName(std::string_view document) {
  // Only UTF-16 needs decoding to find the name: every other encoding read
  // writes markup as ASCII.
  if (document.starts_with("\xFF\xFE") || document.starts_with("\xFE\xFF")) {
    const auto decoded = XmlDocumentToUtf8(document);
    const auto* text = std::get_if<std::optional<std::string>>(&decoded);
    return text != nullptr && *text ? std::string(Reader(**text).RootName()) : std::string();
  }
  return std::string(Reader(document).RootName());
}

std::variant<XmlElement, XmlReadError> ReadXml(std::string_view document) {
  const auto decoded = XmlDocumentToUtf8(document);
  if (const auto* error = std::get_if<XmlReadError>(&decoded))
    return *error;
  const std::optional<std::string>& text = std::get<std::optional<std::string>>(decoded);
  return Reader(text ? std::string_view(*text) : document).Read();
}

}  // namespace korvanta
