#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace korvanta {

// The file of `folder` named `name` without regard to the case of its ASCII
// letters (the name spelt exactly when the folder holds several spellings);
// none when the folder holds no such file or cannot be listed. Installers
// of navigation data write "wpNavAPT.txt", "WPNAVFIX.TXT" and other spellings.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

}  // namespace korvanta
