#include "io/file_name_case.hpp"

#include <string>
#include <system_error>

#include "io/utf8_path.hpp"
#include "text/text.hpp"

namespace korvanta {

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name) {
  std::error_code error;
  const std::filesystem::path exact = folder / PathFromUtf8(name);
  if (std::filesystem::exists(exact, error))
    return exact;
  // Of several spellings, the same one on every run.
  std::optional<std::filesystem::path> found;
  std::string found_name;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string entry_name = PathToUtf8(entry->path().filename());
    if (EqualNoCase(entry_name, name) && (!found || entry_name < found_name)) {
      found = entry->path();
      found_name = entry_name;
    }
  }
  return found;
}

}  // namespace korvanta
