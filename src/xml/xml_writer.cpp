#include "xml/xml_writer.hpp"

#include <array>

#include "errors/run_error.hpp"

namespace korvanta {

namespace {

constexpr int kIndentStep = 4;
constexpr std::string_view kLineEnd = "\r\n";

// What a character becomes in the document; empty when it stands as it is.
constexpr std::string_view Replacement(char c, bool attribute) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return attribute ? "&quot;" : "";
    case '\t':
      return "";
    default:
      return static_cast<unsigned char>(c) < 0x20 ? "?" : "";
  }
}

// Which bytes stand as they are, looked up instead of asked of Replacement
// for every byte of a large document.
constexpr std::array<bool, 256> PlainBytes(bool attribute) {
  std::array<bool, 256> plain{};
  for (std::size_t byte = 0; byte < plain.size(); ++byte)
    plain[byte] = Replacement(static_cast<char>(byte), attribute).empty();
  return plain;
}
constexpr std::array<bool, 256> kPlainInText = PlainBytes(false);
constexpr std::array<bool, 256> kPlainInAttribute = PlainBytes(true);

// Route texts rarely hold a character to replace, so the text goes in by
// runs of characters that stand as they are.
void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  const std::array<bool, 256>& plain = attribute ? kPlainInAttribute : kPlainInText;
  std::size_t run_start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (plain[static_cast<unsigned char>(text[i])])
      continue;
    const std::string_view replacement = Replacement(text[i], attribute);
    out.append(text, run_start, i - run_start);
    out += replacement;
    run_start = i + 1;
  }
  out.append(text, run_start);
}

std::string Escape(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text, attribute);
  return out;
}

}  // namespace

std::string_view FirstWord(std::string_view text) {
  return text.substr(0, text.find(' '));
}

std::string XmlEscapeText(std::string_view text) {
  return Escape(text, false);
}

std::string XmlEscapeAttribute(std::string_view text) {
  return Escape(text, true);
}

void XmlDocument::XmlBeginDocument() {
  text_.clear();
  open_.clear();
  indent_ = -kIndentStep;
  value_ = false;
}

void XmlDocument::AddLine(std::string_view line) {
  text_ += line;
  EndLine();
}

void XmlDocument::BeginElementLine() {
  text_.append(indent_ > 0 ? static_cast<std::size_t>(indent_) : 0, ' ');
}

void XmlDocument::EndLine() {
  text_ += kLineEnd;
}

void XmlDocument::OpenTag(std::string_view text) {
  if (!value_)
    indent_ += kIndentStep;
  BeginElementLine();
  text_ += '<';
  text_ += text;
  text_ += '>';
  EndLine();
  open_.emplace_back(text);
  value_ = false;
}

void XmlDocument::OpenTag(std::string_view name, std::initializer_list<XmlAttribute> attributes) {
  std::string text(name);
  for (const XmlAttribute& attribute : attributes) {
    text += ' ';
    text += attribute.name;
    text += "=\"";
    AppendEscaped(text, attribute.value, true);
    text += '"';
  }
  OpenTag(text);
}

void XmlDocument::ValueTag(std::string_view name, std::string_view value) {
  if (!value_)
    indent_ += kIndentStep;
  BeginElementLine();
  text_ += '<';
  text_ += name;
  text_ += '>';
  AppendEscaped(text_, value, false);
  text_ += "</";
  text_ += name;
  text_ += '>';
  EndLine();
  value_ = true;
}

void XmlDocument::CloseTag() {
  if (open_.empty())
    throw RunError("XML element closed with none open");
  indent_ -= kIndentStep;
  BeginElementLine();
  text_ += "</";
  text_ += FirstWord(open_.back());
  text_ += '>';
  EndLine();
  open_.pop_back();
}

std::vector<std::string> XmlDocument::Lines() const {
  std::vector<std::string> lines;
  std::string_view rest = text_;
  while (!rest.empty()) {
    const std::size_t end = rest.find(kLineEnd);
    lines.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + kLineEnd.size());
  }
  return lines;
}

}  // namespace korvanta
