#include "fuzz_support.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace korvanta::fuzz {

void Require(bool holds, std::string_view what) {
  if (holds)
    return;
  std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string_view()
                   : std::string_view(reinterpret_cast<const char*>(data), size);
}

std::vector<std::string_view> SplitAtNul(std::string_view bytes, std::size_t count) {
  std::vector<std::string_view> parts;
  parts.reserve(count);
  while (parts.size() + 1 < count) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos)
      break;
    parts.push_back(bytes.substr(0, nul));
    bytes.remove_prefix(nul + 1);
  }
  parts.push_back(bytes);
  parts.resize(count);
  return parts;
}

bool OnlyCrLfLineEnds(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
      return false;
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
      return false;
  }
  return true;
}

bool EndsWithCrLf(std::string_view text) {
  return text.empty() || text.ends_with("\r\n");
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvanta-fuzz.XXXXXX").native();
  Require(::mkdtemp(pattern.data()) != nullptr, "cannot make a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace korvanta::fuzz
