// The settings file's text operations over arbitrary files.
//
// Input: section name, key name, value and the file's text, cut at NULs. The
// names and the value are first made into ones the program could write (no
// line ends, no blanks around them, no characters that would make a name
// read as something else). Then: the written key reads back; the file
// differs from the old one only in the key's value or in one inserted piece;
// the other keys of the section read as before; writing the same key again
// changes nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "settings/ini_profile.hpp"

namespace {

using korvanta::fuzz::Require;

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// The fuzzed text without the characters in `banned` and without line ends,
// blanks around it removed; `fallback` when nothing is left.
std::string Cleaned(std::string_view text, std::string_view banned, std::string_view fallback) {
  std::string out;
  for (const char c : text) {
    if (c != '\r' && c != '\n' && banned.find(c) == std::string_view::npos)
      out += c;
  }
  const std::string_view trimmed = TrimBlanks(out);
  return std::string(trimmed.empty() ? fallback : trimmed);
}

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
  std::size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n])
    ++n;
  return n;
}

std::size_t CommonSuffix(std::string_view a, std::string_view b, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && a[a.size() - 1 - n] == b[b.size() - 1 - n])
    ++n;
  return n;
}

// Whether `after` is `before` with the `old_value` at some offset replaced by
// `value`, every other byte in place.
bool OnlyValueReplaced(std::string_view before, std::string_view after, std::string_view old_value,
                       std::string_view value) {
  if (after.size() + old_value.size() != before.size() + value.size())
    return false;
  const std::size_t prefix = CommonPrefix(before, after);
  const std::size_t limit = std::min(before.size(), after.size());
  const std::size_t suffix = CommonSuffix(before, after, limit);
  // The value sits at `at`: the bytes before it are common to both texts and
  // so are the bytes after it.
  const std::size_t tail = before.size() - old_value.size();
  const std::size_t lowest = tail > suffix ? tail - suffix : 0;
  for (std::size_t at = lowest; at <= prefix && at <= tail; ++at) {
    if (before.substr(at, old_value.size()) == old_value && after.substr(at, value.size()) == value)
      return true;
  }
  return false;
}

// Whether `after` is `before` with one piece inserted somewhere.
bool OnePieceInserted(std::string_view before, std::string_view after) {
  if (after.size() <= before.size())
    return false;
  const std::size_t prefix = CommonPrefix(before, after);
  return prefix + CommonSuffix(before, after, before.size() - prefix) == before.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = korvanta::fuzz::SplitAtNul(korvanta::fuzz::AsText(data, size), 4);
  const std::string section = Cleaned(parts[0], "]", "TForm1");
  const std::string key = Cleaned(parts[1], "=[;", "CheckBox4_Checked");
  const std::string value = Cleaned(parts[2], "", "");
  const std::string_view text = parts[3];
  Require(key.front() != '[' && key.front() != ';', "the key is no key");

  const std::optional<std::string> old_value = korvanta::IniLookup(text, section, key);
  const std::string written = korvanta::IniUpdate(text, section, key, value);

  Require(korvanta::IniLookup(written, section, key) == value,
          "the written key does not read back");
  if (old_value) {
    Require(OnlyValueReplaced(text, written, *old_value, value),
            "more than the key's value changed");
  } else {
    Require(OnePieceInserted(text, written), "more than one inserted piece changed");
  }
  Require(korvanta::IniUpdate(written, section, key, value) == written,
          "writing the key again changed the file");

  // A second key of the same section is not disturbed by the first.
  const std::string other_key = key + "_other";
  Require(korvanta::IniLookup(written, section, other_key) ==
              korvanta::IniLookup(text, section, other_key),
          "another key of the section reads differently");
  return 0;
}
