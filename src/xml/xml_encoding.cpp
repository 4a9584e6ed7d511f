#include "xml/xml_encoding.hpp"

#include <cstddef>

#include "text/cp1252.hpp"
#include "text/text.hpp"
#include "text/utf8.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// The line (from 1) that the text up to its end reaches: the line of a fault
// found after it.
int LinesIn(std::string_view text) {
  int line = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++line;
  }
  return line;
}

// The encoding that the XML declaration at the start names; empty when there
// is no declaration or it names none.
std::string_view DeclaredEncoding(std::string_view text) {
  if (!text.starts_with("<?xml") || text.size() < 6 ||
      (text[5] != ' ' && text[5] != '\t' && text[5] != '\r' && text[5] != '\n'))
    return {};
  const std::string_view declaration = text.substr(0, text.find("?>"));
  std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos)
    return {};
  at = declaration.find_first_of("\"'", at);
  if (at == std::string_view::npos)
    return {};
  const std::size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos)
    return {};
  return declaration.substr(at + 1, end - at - 1);
}

std::optional<XmlReadError> Utf8Fault(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character character = ReadCharacter(text, at);
    if (!character.valid)
      return XmlReadError{"the text is not valid UTF-8", LinesIn(text.substr(0, at))};
    at += character.length;
  }
  return std::nullopt;
}

std::variant<std::optional<std::string>, XmlReadError> FromUtf16(std::string_view units,
                                                                 bool big_endian) {
  std::string text;
  text.reserve(units.size() * 3 / 2);
  const auto unit_at = [&](std::size_t at) -> char32_t {
    const auto first = static_cast<unsigned char>(units[at]);
    const auto second = static_cast<unsigned char>(units[at + 1]);
    return big_endian ? (first << 8 | second) : (second << 8 | first);
  };
  const XmlReadError fault{"the text is not valid UTF-16", 0};
  std::size_t at = 0;
  for (; at + 1 < units.size(); at += 2) {
    char32_t code_point = unit_at(at);
    if (code_point >= 0xD800 && code_point <= 0xDBFF && at + 3 < units.size()) {
      const char32_t low = unit_at(at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code_point = 0x10000 + ((code_point - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    if (code_point >= 0xD800 && code_point <= 0xDFFF)
      return XmlReadError{fault.reason, LinesIn(text)};
    AppendUtf8(text, code_point);
  }
  if (at != units.size())
    return XmlReadError{fault.reason, LinesIn(text)};
  return std::optional<std::string>(std::move(text));
}

// ISO-8859-1 gives each byte the code point of its value.
std::string FromLatin1(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char byte : bytes)
    AppendUtf8(text, static_cast<unsigned char>(byte));
  return text;
}

}  // namespace

std::variant<std::optional<std::string>, XmlReadError> XmlDocumentToUtf8(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LittleEndianMark) || bytes.starts_with(kUtf16BigEndianMark))
    return FromUtf16(bytes.substr(2), bytes.starts_with(kUtf16BigEndianMark));
  const bool marked = bytes.starts_with(kUtf8Mark);
  const std::string_view encoding = DeclaredEncoding(marked ? bytes.substr(3) : bytes);
  if (marked || encoding.empty() || EqualNoCase(encoding, "UTF-8")) {
    if (std::optional<XmlReadError> fault = Utf8Fault(bytes))
      return *fault;
    return std::nullopt;
  }
  if (EqualNoCase(encoding, "windows-1252"))
    return std::optional<std::string>(Cp1252ToUtf8(bytes));
  if (EqualNoCase(encoding, "ISO-8859-1"))
    return std::optional<std::string>(FromLatin1(bytes));
  return XmlReadError{"the document is in " + std::string(encoding.substr(0, 40)) +
                          ", which is not read (UTF-8, UTF-16 with a byte-order mark, "
                          "windows-1252 and ISO-8859-1 are)",
                      1};
}

}  // namespace korvanta
