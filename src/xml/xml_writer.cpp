#include "xml/xml_writer.hpp"

#include "errors/run_error.hpp"

namespace korvanta {

namespace {

constexpr int kIndentStep = 4;

std::string Escape(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      default: {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 && c != '\t') ? '?' : c;
      }
    }
  }
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
  lines_.clear();
  open_.clear();
  indent_ = -kIndentStep;
  value_ = false;
}

void XmlDocument::AddLine(std::string line) {
  lines_.push_back(std::move(line));
}

void XmlDocument::AddElementLine(std::string_view body) {
  std::string line(indent_ > 0 ? static_cast<std::size_t>(indent_) : 0, ' ');
  line += body;
  lines_.push_back(std::move(line));
}

void XmlDocument::OpenTag(std::string_view text) {
  if (!value_)
    indent_ += kIndentStep;
  AddElementLine("<" + std::string(text) + ">");
  open_.emplace_back(text);
  value_ = false;
}

void XmlDocument::OpenTag(std::string_view name, std::initializer_list<XmlAttribute> attributes) {
  std::string text(name);
  for (const XmlAttribute& a : attributes) {
    text += ' ';
    text += a.name;
    text += "=\"";
    text += XmlEscapeAttribute(a.value);
    text += '"';
  }
  OpenTag(text);
}

void XmlDocument::ValueTag(std::string_view name, std::string_view value) {
  if (!value_)
    indent_ += kIndentStep;
  std::string body = "<";
  body += name;
  body += '>';
  body += XmlEscapeText(value);
  body += "</";
  body += name;
  body += '>';
  AddElementLine(body);
  value_ = true;
}

void XmlDocument::CloseTag() {
  if (open_.empty())
    throw RunError("XML element closed with none open");
  indent_ -= kIndentStep;
  AddElementLine("</" + std::string(FirstWord(open_.back())) + ">");
  open_.pop_back();
}

std::string XmlDocument::Text() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace korvanta
