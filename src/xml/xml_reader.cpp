#include "xml/xml_reader.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
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

// Upper bounds of what a document can hold, so that the arrays are made once
// at their full size: growing an array by doubling would hold the old and the
// new one at once, half again as much as the array itself. The smallest
// element is "<a/>", the smallest attribute " a=''".
constexpr std::size_t kSmallestElement = 4;
constexpr std::size_t kSmallestAttribute = 5;

std::size_t MostElements(std::string_view document) {
  std::size_t starts = 0;
  for (std::size_t at = document.find('<'); at != std::string_view::npos;
       at = document.find('<', at + 1)) {
    if (at + 1 < document.size() && IsNameStart(document[at + 1]))
      ++starts;
  }
  return std::min(starts, document.size() / kSmallestElement);
}

std::size_t MostAttributes(std::string_view document) {
  const auto equals = static_cast<std::size_t>(std::count(document.begin(), document.end(), '='));
  return std::min(equals, document.size() / kSmallestAttribute);
}

}  // namespace

// One pass over the document into an XmlTree. The elements still open are
// kept on a stack of their own instead of the call stack; each step reads one
// piece of markup or text and returns false once a fault is recorded.
class XmlTreeBuilder {
 public:
  explicit XmlTreeBuilder(std::string_view document) : document_(document) {}

  std::variant<XmlTree, XmlReadError> Read();
  std::string_view RootName();

 private:
  using StringAt = XmlTree::StringAt;

  // An element whose closing tag is still to come.
  struct OpenElement {
    std::uint32_t node = 0;
    std::size_t tag_start = 0;     // where its start tag is, for a fault reported later
    std::size_t pending_text = 0;  // where its text starts in pending_text_
  };

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

  StringAt Stored(std::string_view text);
  std::string_view View(StringAt at) const { return tree_.View(at); }
  std::string_view OpenName() const { return View(tree_.nodes_[open_.back().node].name); }

  bool ReadText();
  bool ReadReference(std::string& out);
  bool ReadStartTag();
  bool ReadAttributeValue(std::size_t tag_start, std::string_view element_name);
  bool CheckAttributesDiffer(std::size_t tag_start, std::uint32_t first_attribute,
                             std::string_view element_name);
  bool ReadEndTag();
  bool ReadCdata();
  bool SkipPast(std::size_t opening_size, std::string_view end, std::string_view what);
  bool SkipDoctype();
  void Close(std::size_t text_start);

  std::string_view document_;
  std::size_t position_ = 0;
  XmlTree tree_;
  std::vector<OpenElement> open_;
  // The text read so far of each open element, the innermost last: an
  // element's text is joined around its children, whose text is taken off the
  // end as they close.
  std::string pending_text_;
  std::string attribute_value_;  // the value being read, references resolved
  bool root_closed_ = false;
  std::size_t fault_at_ = 0;
  std::string fault_;
};

std::variant<XmlTree, XmlReadError> XmlTreeBuilder::Read() {
  // The strings read, each with its length in front, take no more than the
  // document's bytes: names, text and values are copied once each, the markup
  // around them leaves room for their lengths, and references and line ends
  // only shorten. (Should they take more, the buffer grows: nothing points
  // into it until the document is read.)
  if (document_.size() > std::numeric_limits<std::uint32_t>::max() / 2)
    return XmlReadError{"the document is too large to read", 1};
  tree_.strings_.reserve(document_.size());
  tree_.nodes_.reserve(MostElements(document_));
  tree_.attributes_.reserve(MostAttributes(document_));
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
    return XmlReadError{"the element <" + Shown(OpenName()) + "> is not closed",
                        LineAt(document_, open_.back().tag_start)};
  }
  if (!root_closed_)
    return XmlReadError{"the document holds no element", LineAt(document_, position_)};
  return std::move(tree_);
}

std::string_view XmlTreeBuilder::RootName() {
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

bool XmlTreeBuilder::SkipBlanks() {
  const std::size_t start = position_;
  while (position_ < document_.size() && IsBlank(document_[position_]))
    ++position_;
  return position_ > start;
}

std::string_view XmlTreeBuilder::ReadName() {
  const std::size_t start = position_;
  if (position_ < document_.size() && IsNameStart(document_[position_])) {
    while (position_ < document_.size() && IsNameCharacter(document_[position_]))
      ++position_;
  }
  return document_.substr(start, position_ - start);
}

bool XmlTreeBuilder::Fail(std::size_t at, std::string reason) {
  fault_at_ = at;
  fault_ = std::move(reason);
  return false;
}

XmlTree::StringAt XmlTreeBuilder::Stored(std::string_view text) {
  if (text.empty())
    return XmlTree::kEmpty;
  std::vector<char>& strings = tree_.strings_;
  const auto at = static_cast<StringAt>(strings.size());
  std::size_t rest = text.size();
  do {
    const auto low_bits = static_cast<unsigned char>(rest & 0x7F);
    rest >>= 7;
    strings.push_back(static_cast<char>(rest != 0 ? low_bits | 0x80 : low_bits));
  } while (rest != 0);
  strings.insert(strings.end(), text.begin(), text.end());
  return at;
}

bool XmlTreeBuilder::ReadText() {
  if (open_.empty()) {
    SkipBlanks();
    if (position_ < document_.size() && document_[position_] != '<') {
      return Fail(position_,
                  root_closed_ ? "text after the root element" : "text before the root element");
    }
    return true;
  }
  while (position_ < document_.size() && document_[position_] != '<') {
    const std::size_t stop = FindStop(position_, [](char c) { return c == '<' || c == '&'; });
    AppendWithLineFeeds(pending_text_, document_.substr(position_, stop - position_));
    position_ = stop;
    if (position_ < document_.size() && document_[position_] == '&' &&
        !ReadReference(pending_text_))
      return false;
  }
  return true;
}

bool XmlTreeBuilder::ReadReference(std::string& out) {
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

bool XmlTreeBuilder::ReadStartTag() {
  const std::size_t start = position_;
  ++position_;  // "<"
  const std::string_view name = ReadName();
  if (name.empty())
    return Fail(start, "a \"<\" that starts no tag (\"&lt;\" writes one)");
  if (root_closed_)
    return Fail(start, "a second root element <" + Shown(name) + ">");
  if (open_.size() >= static_cast<std::size_t>(kXmlMaxDepth))
    return Fail(start, "elements nested deeper than " + std::to_string(kXmlMaxDepth) + " levels");
  const auto node = static_cast<std::uint32_t>(tree_.nodes_.size());
  const auto first_attribute = static_cast<std::uint32_t>(tree_.attributes_.size());
  tree_.nodes_.push_back({Stored(name), XmlTree::kEmpty, first_attribute, 0});
  const auto tag = [name] { return "the tag <" + Shown(name) + ">"; };
  while (true) {
    const bool blank = SkipBlanks();
    if (position_ == document_.size())
      return Fail(start, tag() + " is not finished");
    if (LooksAt(">") || LooksAt("/>"))
      break;
    const std::string_view attribute = ReadName();
    if (!blank || attribute.empty())
      return Fail(start, tag() + " is malformed");
    tree_.attributes_.push_back({Stored(attribute), XmlTree::kEmpty});
    if (!ReadAttributeValue(start, name))
      return false;
  }
  if (!CheckAttributesDiffer(start, first_attribute, name))
    return false;
  open_.push_back({node, start, pending_text_.size()});
  if (LooksAt("/>")) {
    position_ += 2;
    Close(pending_text_.size());
    return true;
  }
  ++position_;  // ">"
  return true;
}

// Reads `= "value"` into the last attribute.
bool XmlTreeBuilder::ReadAttributeValue(std::size_t tag_start, std::string_view element_name) {
  XmlTree::AttributeNode& stored = tree_.attributes_.back();
  const auto attribute = [&] {
    return "the attribute " + Shown(View(stored.name)) + " of <" + Shown(element_name) + ">";
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
  std::string& value = attribute_value_;
  value.clear();
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
  stored.value = Stored(value);
  return true;
}

// The first of the repeated names in sorted order is the one reported. A
// few attributes are compared pair by pair; many are sorted, so that a tag
// with a great many attributes cannot make the check slow.
bool XmlTreeBuilder::CheckAttributesDiffer(std::size_t tag_start, std::uint32_t first_attribute,
                                           std::string_view element_name) {
  constexpr std::size_t kComparedPairwise = 8;
  const auto name_of = [this](std::size_t index) { return View(tree_.attributes_[index].name); };
  const std::size_t end = tree_.attributes_.size();
  std::optional<std::string_view> repeated;
  if (end - first_attribute <= kComparedPairwise) {
    for (std::size_t later = first_attribute + 1; later < end; ++later) {
      for (std::size_t earlier = first_attribute; earlier < later; ++earlier) {
        const std::string_view name = name_of(later);
        if (name == name_of(earlier) && (!repeated || name < *repeated))
          repeated = name;
      }
    }
  } else {
    // Sorted by index, a quarter of what sorting the names' views would hold.
    std::vector<std::uint32_t> order(end - first_attribute);
    for (std::size_t i = 0; i < order.size(); ++i)
      order[i] = static_cast<std::uint32_t>(first_attribute + i);
    const auto by_name = [&](std::uint32_t left, std::uint32_t right) {
      return name_of(left) < name_of(right);
    };
    std::sort(order.begin(), order.end(), by_name);
    const auto same_name = [&](std::uint32_t left, std::uint32_t right) {
      return name_of(left) == name_of(right);
    };
    if (const auto found = std::adjacent_find(order.begin(), order.end(), same_name);
        found != order.end())
      repeated = name_of(*found);
  }
  if (!repeated)
    return true;
  return Fail(tag_start, "the attribute " + Shown(*repeated) + " of <" + Shown(element_name) +
                             "> is given twice");
}

bool XmlTreeBuilder::ReadEndTag() {
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
  if (OpenName() != name)
    return Fail(start, tag() + " does not match <" + Shown(OpenName()) + ">");
  Close(open_.back().pending_text);
  return true;
}

bool XmlTreeBuilder::ReadCdata() {
  const std::size_t start = position_;
  if (open_.empty())
    return Fail(start, "a CDATA section outside the root element");
  constexpr std::size_t kOpeningSize = 9;  // "<![CDATA["
  const std::size_t end = document_.find("]]>", start + kOpeningSize);
  if (end == std::string_view::npos)
    return Fail(start, "the CDATA section is not closed");
  AppendWithLineFeeds(pending_text_,
                      document_.substr(start + kOpeningSize, end - start - kOpeningSize));
  position_ = end + 3;
  return true;
}

bool XmlTreeBuilder::SkipPast(std::size_t opening_size, std::string_view end,
                              std::string_view what) {
  const std::size_t found = document_.find(end, position_ + opening_size);
  if (found == std::string_view::npos)
    return Fail(position_, "the " + std::string(what) + " is not closed");
  position_ = found + end.size();
  return true;
}

// Skips the DOCTYPE with any internal subset; quoted texts and the subset's
// comments and processing instructions may hold "]" and ">".
bool XmlTreeBuilder::SkipDoctype() {
  const std::size_t start = position_;
  if (root_closed_ || !open_.empty())
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

// Closes the innermost open element: its text, from `text_start` in the
// pending text on, is stored, and its children are all read.
void XmlTreeBuilder::Close(std::size_t text_start) {
  XmlTree::Node& node = tree_.nodes_[open_.back().node];
  node.text = Stored(std::string_view(pending_text_).substr(text_start));
  node.subtree_end = static_cast<std::uint32_t>(tree_.nodes_.size());
  pending_text_.resize(text_start);
  open_.pop_back();
  root_closed_ = open_.empty();
}

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

std::string_view XmlTree::View(StringAt at) const {
  if (at == kEmpty)
    return {};
  std::size_t size = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(strings_[at++]);
    size |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0)
      break;
  }
  return {strings_.data() + at, size};
}

XmlElement::XmlElement(const XmlTree& document, std::uint32_t index)
    : name(document.View(document.nodes_[index].name)),
      text(document.View(document.nodes_[index].text)),
      document_(&document),
      index_(index) {}

std::vector<XmlElement> XmlElement::Children() const {
  std::vector<XmlElement> children;
  const auto& nodes = document_->nodes_;
  for (std::uint32_t child = index_ + 1; child < nodes[index_].subtree_end;
       child = nodes[child].subtree_end)
    children.push_back(XmlElement(*document_, child));
  return children;
}

std::optional<XmlElement> XmlElement::Child(std::string_view child_name) const {
  const auto& nodes = document_->nodes_;
  for (std::uint32_t child = index_ + 1; child < nodes[index_].subtree_end;
       child = nodes[child].subtree_end) {
    if (NameMatches(document_->View(nodes[child].name), child_name))
      return XmlElement(*document_, child);
  }
  return std::nullopt;
}

std::vector<XmlElement> XmlElement::Children(std::string_view child_name) const {
  std::vector<XmlElement> found;
  const auto& nodes = document_->nodes_;
  for (std::uint32_t child = index_ + 1; child < nodes[index_].subtree_end;
       child = nodes[child].subtree_end) {
    if (NameMatches(document_->View(nodes[child].name), child_name))
      found.push_back(XmlElement(*document_, child));
  }
  return found;
}

std::string_view XmlElement::ChildText(std::string_view child_name) const {
  const std::optional<XmlElement> child = Child(child_name);
  return child ? child->text : std::string_view();
}

std::pair<std::size_t, std::size_t> XmlTree::AttributeSpan(std::uint32_t node) const {
  const std::size_t end =
      node + 1 < nodes_.size() ? nodes_[node + 1].first_attribute : attributes_.size();
  return {nodes_[node].first_attribute, end};
}

std::vector<std::pair<std::string_view, std::string_view>> XmlElement::Attributes() const {
  std::vector<std::pair<std::string_view, std::string_view>> attributes;
  const auto [first, end] = document_->AttributeSpan(index_);
  for (std::size_t i = first; i < end; ++i) {
    const XmlTree::AttributeNode& attribute = document_->attributes_[i];
    attributes.emplace_back(document_->View(attribute.name), document_->View(attribute.value));
  }
  return attributes;
}

std::string_view XmlElement::Attribute(std::string_view attribute_name) const {
  const auto [first, end] = document_->AttributeSpan(index_);
  for (std::size_t i = first; i < end; ++i) {
    const XmlTree::AttributeNode& attribute = document_->attributes_[i];
    if (document_->View(attribute.name) == attribute_name)
      return document_->View(attribute.value);
  }
  return {};
}

std::string XmlRootElementName(std::string_view document) {
  // Only UTF-16 needs decoding to find the name: every other encoding read
  // writes markup as ASCII.
  if (document.starts_with("\xFF\xFE") || document.starts_with("\xFE\xFF")) {
    const auto decoded = XmlDocumentToUtf8(document);
    const auto* text = std::get_if<std::optional<std::string>>(&decoded);
    return text != nullptr && *text ? std::string(XmlTreeBuilder(**text).RootName())
                                    : std::string();
  }
  return std::string(XmlTreeBuilder(document).RootName());
}

std::variant<XmlTree, XmlReadError> ReadXml(std::string_view document) {
  const auto decoded = XmlDocumentToUtf8(document);
  if (const auto* error = std::get_if<XmlReadError>(&decoded))
    return *error;
  const std::optional<std::string>& text = std::get<std::optional<std::string>>(decoded);
  return XmlTreeBuilder(text ? std::string_view(*text) : document).Read();
}

}  // namespace korvanta
