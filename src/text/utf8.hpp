#pragma once

#include <cstddef>
#include <string_view>

namespace korvanta {

// Text inside the core is UTF-8, and every width and position of a text
// format counts characters, never the bytes of one character. These step
// through such text a character at a time. A byte sequence that is no
// well-formed character counts as one character (as it becomes one "?" in
// Windows-1252), so any bytes can be stepped through.

// One step of reading UTF-8: a character, or a malformed sequence, and the
// number of bytes it takes.
struct Utf8Character {
  bool valid = false;
  char32_t code_point = 0;
  std::size_t length = 1;
};

// Reads the character at byte `at` (`at` < the text's size). A malformed
// sequence covers the longest start of a well-formed one (at least one
// byte), so that the text after it is read as it stands. Overlong forms,
// surrogates and code points beyond U+10FFFF are malformed.
Utf8Character ReadCharacter(std::string_view text, std::size_t at);

// Whether the bytes are well-formed UTF-8 throughout.
bool IsUtf8(std::string_view bytes);

std::size_t CharacterCount(std::string_view text);

// At most `count` characters of the text from character `first` on (counted
// from 0); empty when the text has no more than `first` characters.
std::string_view CharacterSlice(std::string_view text, std::size_t first,
                                std::size_t count = std::string_view::npos);

// The text without its last character.
std::string_view WithoutLastCharacter(std::string_view text);

}  // namespace korvanta
