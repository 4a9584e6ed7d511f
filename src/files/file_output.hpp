#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/temporary_file.hpp"

namespace korvanta {

// Writes `bytes` as the whole file: into a temporary file in the target's
// folder, then renamed over the target. On failure the temporary file is
// removed, an existing file of that name is left as it was, and RunError is
// thrown naming the file; a read-only target is such a failure. With
// `create_folders` missing folders of the path are made first. Temporary
// files a killed run left in the folder more than an hour ago are removed.
// The replaced file's permission bits, owner and group stay (see NewFile).
void WriteWholeFile(const std::filesystem::path& file, std::string_view bytes,
                    bool create_folders = false, const WriteStepObserver& observer = {});

// Gives `copy` the file date of `source`, when both can be reached (a copy
// that keeps its original's date; a failure leaves the copy's own date).
void KeepFileDate(const std::filesystem::path& source, const std::filesystem::path& copy);

// RunError "<file> is not a regular file" when a symbolic link, a named pipe,
// a folder or a device has the name `file`; nothing for a regular file or
// none at all. Checked before a file the program merges into is read, so that
// such a file never makes the run wait or write elsewhere.
void RefuseUnlessRegularFile(const std::filesystem::path& file);

// A file that the run reads back to merge into it (a plan store, the
// settings file): a store of 99 plans of the longest routes is some hundred
// megabytes.
inline constexpr std::size_t kKeptFileLimit = std::size_t{256} << 20;

// The whole file's bytes; RunError naming the file when it cannot be read,
// is no regular file or is larger than kKeptFileLimit.
std::string ReadWholeFile(const std::filesystem::path& file);

// Drops one trailing separator of a folder path ("D:\Plans\" is D:\Plans).
std::filesystem::path WithoutTrailingSeparator(const std::filesystem::path& folder);

}  // namespace korvanta
