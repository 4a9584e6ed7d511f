#include "files/safe_file_name.hpp"

#include <algorithm>
#include <cstring>

#include "errors/run_error.hpp"
#include "io/utf8_path.hpp"
#include "text/cp1252.hpp"
#include "text/text.hpp"
#include "text/utf8.hpp"

namespace korvanta {

namespace {

// The control characters, C0 and C1, and the characters no file system
// takes (the C1 controls include the five bytes Windows-1252 leaves without
// a character).
bool Unsafe(char32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F) ||
         (code_point < 0x80 && std::strchr("/\\:*?\"<>|", static_cast<int>(code_point)) != nullptr);
}

// The text with every character the name may not hold as "_".
std::string SafeCharacters(std::string_view text, NameCharacters characters) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character character = ReadCharacter(text, at);
    const bool kept =
        character.valid && !Unsafe(character.code_point) &&
        (characters == NameCharacters::kUnicode || HasCp1252Form(character.code_point));
    if (kept)
      out.append(text.substr(at, character.length));
    else
      out += '_';
    at += character.length;
  }
  return out;
}

std::size_t NextCharacter(std::string_view utf8, std::size_t at) {
  return at + ReadCharacter(utf8, at).length;
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
  for (std::size_t end = name.size(); end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ');
       --end)
    name[end - 1] = '_';
}

void MarkDeviceName(std::string& name) {
  const std::size_t stem_end = std::min(name.find('.'), name.size());
  if (DeviceStem(std::string_view(name).substr(0, stem_end)))
    name.insert(stem_end, 1, '_');
}

}  // namespace

std::string SafeFileNameText(const RouteFileName& name, FileNameLimit limit,
                             NameCharacters characters) {
  const std::string whole = name.text + name.kept_end;
  if (whole.empty() || whole == "." || whole == "..")
    throw RunError("Cannot use \"" + whole + "\" as a file name");

  std::string text = SafeCharacters(name.text, characters);
  std::string end = SafeCharacters(name.kept_end, characters);
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

std::filesystem::path SafeFileName(std::string_view text, std::string_view kept_end,
                                   NameCharacters characters) {
  return PathFromUtf8(
      SafeFileNameText({std::string(text), std::string(kept_end)}, kFileNameLimit, characters));
}

}  // namespace korvanta
