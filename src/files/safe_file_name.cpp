#include "files/safe_file_name.hpp"

#include <algorithm>
#include <cstring>

#include "errors/run_error.hpp"
#include "io/utf8_path.hpp"
#include "route/cp1252.hpp"
#include "route/text.hpp"

namespace korvanta {

namespace {

bool UnsafeByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  const bool no_character = u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D;
  return u < 0x20 || u == 0x7F || no_character || std::strchr("/\\:*?\"<>|", c) != nullptr;
}

// The characters in UTF-8, the unsafe ones as "_".
std::string SafeUtf8(std::string_view cp1252) {
  std::string bytes(cp1252);
  std::replace_if(bytes.begin(), bytes.end(), UnsafeByte, '_');
  return Cp1252ToUtf8(bytes);
}

bool ContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t NextCharacter(std::string_view utf8, std::size_t at) {
  ++at;
  while (at < utf8.size() && ContinuationByte(utf8[at]))
    ++at;
  return at;
}

// The length of the character in bytes [at, next) in the limit's unit.
std::size_t Units(std::size_t at, std::size_t next, NameLengthUnit unit) {
  if (unit == NameLengthUnit::kUtf8Bytes)
    return next - at;
  return next - at == 4 ? 2 : 1;  // beyond the Basic Multilingual Plane: a surrogate pair
}

std::size_t Length(std::string_view utf8, NameLengthUnit unit) {
  std::size_t length = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t next = NextCharacter(utf8, at);
    length += Units(at, next, unit);
    at = next;
  }
  return length;
}

// The longest start of `utf8` that fits in `budget` units, in whole characters.
std::string_view Head(std::string_view utf8, std::size_t budget, NameLengthUnit unit) {
  std::size_t at = 0;
  std::size_t used = 0;
  while (at < utf8.size()) {
    const std::size_t next = NextCharacter(utf8, at);
    used += Units(at, next, unit);
    if (used > budget)
      break;
    at = next;
  }
  return utf8.substr(0, at);
}

std::string_view WithoutLastCharacter(std::string_view utf8) {
  std::size_t at = utf8.size();
  while (at > 0 && ContinuationByte(utf8[--at])) {
  }
  return utf8.substr(0, at);
}

// Windows opens a device for these stems, whatever follows the first "."
// and with blanks before it: "con.tar.gz" and "CON .rte" are the console.
bool DeviceStem(std::string_view stem) {
  while (!stem.empty() && stem.back() == ' ')
    stem.remove_suffix(1);
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (EqualNoCase(stem, device))
      return true;
  }
  if (stem.size() < 4 ||
      !(EqualNoCase(stem.substr(0, 3), "COM") || EqualNoCase(stem.substr(0, 3), "LPT")))
    return false;
  const std::string_view port = stem.substr(3);
  // Digits 0-9, and the superscripts one to three that Windows takes as digits.
  return (port.size() == 1 && port[0] >= '0' && port[0] <= '9') || port == "\xC2\xB9" ||
         port == "\xC2\xB2" || port == "\xC2\xB3";
}

void ReplaceHiddenAndDroppedEnds(std::string& name) {
  if (name.front() == '.')
    name.front() = '_';
  for (std::size_t i = name.size(); i > 0 && (name[i - 1] == '.' || name[i - 1] == ' '); --i)
    name[i - 1] = '_';
}

void MarkDeviceName(std::string& name) {
  const std::size_t stem_end = std::min(name.find('.'), name.size());
  if (DeviceStem(std::string_view(name).substr(0, stem_end)))
    name.insert(stem_end, 1, '_');
}

}  // namespace

std::string SafeFileNameText(const RouteFileName& name, FileNameLimit limit) {
  const std::string whole = name.text + name.kept_end;
  if (whole.empty() || whole == "." || whole == "..")
    throw RunError("Cannot use \"" + Cp1252ToUtf8(whole) + "\" as a file name");

  std::string text = SafeUtf8(name.text);
  std::string end = SafeUtf8(name.kept_end);
  if (Length(end, limit.unit) >= limit.max) {
    // An end that leaves no room is cut like the rest.
    text += end;
    end.clear();
  }
  std::string_view head = Head(text, limit.max - Length(end, limit.unit), limit.unit);
  for (;;) {
    std::string out = std::string(head) + end;
    ReplaceHiddenAndDroppedEnds(out);
    MarkDeviceName(out);
    // The device mark adds one character; the text makes room for it.
    if (Length(out, limit.unit) <= limit.max || head.empty())
      return out;
    head = WithoutLastCharacter(head);
  }
}

std::filesystem::path SafeFileName(std::string_view cp1252_text, std::string_view cp1252_kept_end) {
  return PathFromUtf8(
      SafeFileNameText({std::string(cp1252_text), std::string(cp1252_kept_end)}, kFileNameLimit));
}

std::filesystem::path SafeFileName(std::string_view cp1252_name) {
  const std::size_t dot = std::min(cp1252_name.rfind('.'), cp1252_name.size());
  return SafeFileName(cp1252_name.substr(0, dot), cp1252_name.substr(dot));
}

}  // namespace korvanta
