#include "text/utf8.hpp"

namespace korvanta {

namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The bytes of the character at byte `at`. ASCII, nearly all of a route's
// text, is told by its byte without decoding it.
std::size_t LengthAt(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) < 0x80 ? 1 : ReadCharacter(text, at).length;
}

// The byte offset `count` characters on from byte `at`, at most the text's end.
std::size_t Skip(std::string_view text, std::size_t at, std::size_t count) {
  for (; count > 0 && at < text.size(); --count)
    at += LengthAt(text, at);
  return at;
}

}  // namespace

Utf8Character ReadCharacter(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80)
    return {true, lead, 1};
  std::size_t length = 0;
  char32_t code_point = 0;
  // The bounds of the second byte exclude overlong forms, surrogates and
  // code points beyond U+10FFFF.
  unsigned char second_min = 0x80;
  unsigned char second_max = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code_point = lead & 0x0F;
    if (lead == 0xE0)
      second_min = 0xA0;
    else if (lead == 0xED)
      second_max = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code_point = lead & 0x07;
    if (lead == 0xF0)
      second_min = 0x90;
    else if (lead == 0xF4)
      second_max = 0x8F;
  } else {
    return {false, 0, 1};
  }
  std::size_t i = 1;
  for (; i < length && at + i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    const bool in_range = i == 1 ? byte >= second_min && byte <= second_max : IsContinuation(byte);
    if (!in_range)
      return {false, 0, i};
    code_point = (code_point << 6) | (byte & 0x3F);
  }
  if (i < length)
    return {false, 0, i};  // cut off at the end of the text
  return {true, code_point, length};
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Character character = ReadCharacter(bytes, at);
    if (!character.valid)
      return false;
    at += character.length;
  }
  return true;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += LengthAt(text, at))
    ++count;
  return count;
}

std::string_view CharacterSlice(std::string_view text, std::size_t first, std::size_t count) {
  const std::size_t begin = Skip(text, 0, first);
  return text.substr(begin, Skip(text, begin, count) - begin);
}

std::string_view WithoutLastCharacter(std::string_view text) {
  std::size_t last = 0;
  for (std::size_t at = 0; at < text.size(); at += LengthAt(text, at))
    last = at;
  return text.substr(0, last);
}

}  // namespace korvanta
