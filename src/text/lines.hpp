#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

// Splits text into lines at CR LF, LF or a lone CR; a last line end gives no
// extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Calls visit(line) for each line of SplitLines(text), in order, without
// copying them.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\n' || text[at] == '\r') {
      visit(text.substr(start, at - start));
      if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
        ++at;
      start = at + 1;
    }
  }
  if (start < text.size())
    visit(text.substr(start));
}

}  // namespace korvanta
