#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

// A settings file holds some keys and folders: kilobytes.
inline constexpr std::size_t kSettingsFileLimit = std::size_t{4} << 20;

// An INI-style profile file with the behaviour of the Windows profile
// functions that the program relies on: section and key names match without
// regard to letter case, CR LF and LF line ends read alike, and a missing
// file, section or key reads as the default. Every read goes to the file, so
// an edit takes effect at the next read.
class IniProfile {
 public:
  explicit IniProfile(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& File() const { return file_; }

  // The key's value (surrounding blanks removed), or `fallback`.
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) const;

  // Sets the key: an existing key is updated in place, a missing key is added
  // at the end of its section, a missing section at the end of the file.
  // Every other byte of the file stays as it was. The file is replaced whole
  // (written to a temporary file and renamed); on failure it is left as it
  // was and RunError is thrown.
  void Write(std::string_view section, std::string_view key, std::string_view value) const;

  // Several keys of one section with one read and one write of the file:
  // all of them or, on failure, none. An entry without a value removes its
  // key.
  struct Entry {
    std::string key;
    std::optional<std::string> value;
  };
  void Write(std::string_view section, const std::vector<Entry>& entries) const;

  // The file's text as it is now (empty when missing or unreadable), for
  // several look-ups with IniLookup without reading the file each time.
  std::string Text() const;

 private:
  std::filesystem::path file_;
};

// The pure text operations behind IniProfile, for callers that hold the text.
std::optional<std::string> IniLookup(std::string_view text, std::string_view section,
                                     std::string_view key);
// Removes every line of the key from the section that IniLookup reads, so
// that it reads as missing; every other byte stays.
std::string IniRemove(std::string_view text, std::string_view section, std::string_view key);
std::string IniUpdate(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace korvanta
