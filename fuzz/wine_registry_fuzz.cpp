// The Wine prefix source over arbitrary registry files and Windows paths.
//
// A scratch prefix is made once: drive C: as Wine makes it (a relative link
// to ../drive_c), D: an absolute link to a folder outside the prefix, E: a
// relative link written with a trailing slash, F: a folder in dosdevices
// itself, G: a link to nothing, and a few folders on C: to match letter case
// against. Each input gives system.reg, user.reg and a Windows path (cut at
// NULs). Every folder the source gives, from the registry or from the path,
// lies inside the root of a drive - as the operating system reads the path,
// that is up to its first NUL byte, since the file functions stop there.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_support.hpp"
#include "settings/wine_prefix_source.hpp"

namespace {

namespace fs = std::filesystem;
using korvanta::fuzz::Require;

struct Drive {
  char letter;
  fs::path root;  // where the drive's files are, lexically normal
};

class ScratchPrefix {
 public:
  ScratchPrefix() {
    const fs::path base = scratch_.Path();
    prefix_ = base / "prefix";
    home_ = base / "home";
    const fs::path dosdevices = prefix_ / "dosdevices";
    fs::create_directories(dosdevices);
    fs::create_directories(home_);
    // The documents fallback reads the XDG settings; keep it in the scratch
    // home rather than the fuzzing user's.
    ::setenv("XDG_CONFIG_HOME", (home_ / ".config").c_str(), 1);
    fs::create_directories(prefix_ / "drive_c" / "Program Files" / "Microsoft Games" / "FS9");
    fs::create_directories(prefix_ / "drive_c" / "users" / "pilot" / "My Documents");
    fs::create_directories(base / "cdrom" / "FSX");
    fs::create_directories(prefix_ / "drive_e");
    fs::create_directories(dosdevices / "f:" / "Games");
    fs::create_directory_symlink("../drive_c", dosdevices / "c:");
    fs::create_directory_symlink(base / "cdrom", dosdevices / "d:");
    fs::create_directory_symlink("../drive_e/", dosdevices / "e:");
    fs::create_directory_symlink(base / "missing", dosdevices / "g:");
    drives_ = {{'c', prefix_ / "drive_c"},
               {'d', base / "cdrom"},
               {'e', prefix_ / "drive_e"},
               {'f', dosdevices / "f:"},
               {'g', base / "missing"}};
  }

  const fs::path& Prefix() const { return prefix_; }
  const fs::path& Home() const { return home_; }

  // The root of the drive `letter` (either case), or nullptr when unmapped.
  const fs::path* RootOf(char letter) const {
    for (const Drive& d : drives_) {
      if (d.letter == letter || d.letter + ('A' - 'a') == letter)
        return &d.root;
    }
    return nullptr;
  }

  bool InsideSomeDrive(const fs::path& path) const {
    for (const Drive& d : drives_) {
      if (Inside(path, d.root))
        return true;
    }
    return false;
  }

  void Put(const std::string& name, std::string_view text) const {
    std::ofstream out(prefix_ / name, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    Require(out.good(), "cannot write the registry file");
  }

  // Whether the path as the system reads it is `root` or below it.
  static bool Inside(const fs::path& path, const fs::path& root) {
    const std::string& native = path.native();
    const fs::path seen = fs::path(native.substr(0, native.find('\0'))).lexically_normal();
    const fs::path relative = seen.lexically_relative(root);
    return !relative.empty() && *relative.begin() != "..";
  }

 private:
  korvanta::fuzz::ScratchFolder scratch_;
  fs::path prefix_;
  fs::path home_;
  std::vector<Drive> drives_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchPrefix scratch;
  const auto parts = korvanta::fuzz::SplitAtNul(korvanta::fuzz::AsText(data, size), 3);
  scratch.Put("system.reg", parts[0]);
  scratch.Put("user.reg", parts[1]);
  const std::string_view windows_path = parts[2];

  const korvanta::WinePrefixFolderSource source(scratch.Prefix(), scratch.Home());
  for (const auto& folder : {source.Fs9Path(), source.FsxPath()}) {
    if (folder)
      Require(scratch.InsideSomeDrive(*folder), "a simulator folder lies outside every drive");
  }
  if (const auto documents = source.Documents()) {
    Require(
        scratch.InsideSomeDrive(*documents) || ScratchPrefix::Inside(*documents, scratch.Home()),
        "the documents folder lies outside every drive and the home folder");
  }
  Require(ScratchPrefix::Inside(source.DefaultSimulatorPath(), *scratch.RootOf('c')),
          "the default simulator folder is not on drive C:");

  const auto mapped = source.MapWindowsPath(windows_path);
  const fs::path* root = windows_path.size() >= 2 && windows_path[1] == ':'
                             ? scratch.RootOf(windows_path[0])
                             : nullptr;
  Require(mapped.has_value() == (root != nullptr), "a mapped drive is not mapped, or the reverse");
  if (mapped)
    Require(ScratchPrefix::Inside(*mapped, *root), "a Windows path leaves its drive's root");
  return 0;
}
