#include "settings/wine_prefix_source.hpp"

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

#include <pwd.h>
#include <unistd.h>

namespace korvanta {

namespace {

namespace fs = std::filesystem;

// A Wine prefix's registry files grow with what is installed in it: tens of
// megabytes at most.
constexpr std::size_t kRegistryFileLimit = std::size_t{256} << 20;

constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kFs9Key = "Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
constexpr std::string_view kFsxKey = "Microsoft\\Microsoft Games\\Flight Simulator\\10.0";
constexpr std::string_view kFsxSteamKey =
    "Microsoft\\Microsoft Games\\Flight Simulator - Steam Edition\\10.0";
constexpr std::string_view kDefaultSimulator = "c:\\Program Files\\Microsoft Games\\FS9";

std::string ReadText(const fs::path& file) {
  FileRead read = ReadFileBytes(file, kRegistryFileLimit);
  return read.Ok() ? std::move(read.bytes) : std::string();
}

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  return v < base ? v : -1;
}

// Reads a number of at most `max_digits` digits of `base` at `pos`.
char32_t ReadCode(std::string_view line, std::size_t& pos, int base, int max_digits) {
  char32_t code = 0;
  for (int n = 0; n < max_digits && pos < line.size(); ++n) {
    const int d = DigitValue(line[pos], base);
    if (d < 0)
      break;
    code = code * static_cast<char32_t>(base) + static_cast<char32_t>(d);
    ++pos;
  }
  return code;
}

// Wine's escaped text from `pos` up to the unescaped `end_char`, as UTF-8;
// `pos` is left after `end_char`. Wine writes "\\" and "\"" for the
// characters themselves, C escapes for control characters and "\x" with up
// to four hex digits (a UTF-16 unit) for anything outside ASCII. nullopt when
// the line ends first.
std::optional<std::string> ReadEscaped(std::string_view line, std::size_t& pos, char end_char) {
  std::string out;
  char32_t high_surrogate = 0;
  const auto put = [&](char32_t unit) {
    if (unit >= 0xD800 && unit < 0xDC00) {
      high_surrogate = unit;
      return;
    }
    if (unit >= 0xDC00 && unit < 0xE000 && high_surrogate != 0) {
      unit = 0x10000 + ((high_surrogate - 0xD800) << 10) + (unit - 0xDC00);
    }
    high_surrogate = 0;
    AppendUtf8(out, unit);
  };
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == end_char)
      return out;
    if (c != '\\') {
      high_surrogate = 0;
      out += c;
      continue;
    }
    if (pos >= line.size())
      break;
    const char e = line[pos++];
    constexpr std::string_view kLetters = "abefnrtv";
    constexpr std::string_view kControls = "\a\b\x1B\f\n\r\t\v";
    if (const std::size_t at = kLetters.find(e); at != std::string_view::npos) {
      put(static_cast<unsigned char>(kControls[at]));
    } else if (e == 'x' && pos < line.size() && DigitValue(line[pos], 16) >= 0) {
      put(ReadCode(line, pos, 16, 4));
    } else if (DigitValue(e, 8) >= 0) {
      --pos;
      put(ReadCode(line, pos, 8, 3));
    } else {
      put(static_cast<unsigned char>(e));
    }
  }
  return std::nullopt;
}

std::size_t SkipBlanks(std::string_view line, std::size_t pos) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
    ++pos;
  return pos;
}

// The text of value `name` of `key` in a Wine registry file. Keys and value
// names match without regard to letter case; only string values count
// (plain and str(2), the expandable kind, read as they stand).
std::optional<std::string> RegistryString(std::string_view reg_text, std::string_view key,
                                          std::string_view name) {
  bool in_key = false;
  std::size_t pos = 0;
  while (pos < reg_text.size()) {
    std::size_t lf = reg_text.find('\n', pos);
    if (lf == std::string_view::npos)
      lf = reg_text.size();
    std::string_view line = reg_text.substr(pos, lf - pos);
    pos = lf + 1;
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);

    if (line.starts_with('[')) {
      if (in_key)
        return std::nullopt;  // the key was there, the value not
      std::size_t at = 1;
      const auto key_name = ReadEscaped(line, at, ']');
      in_key = key_name && EqualNoCase(*key_name, key);
      continue;
    }
    if (!in_key || !line.starts_with('"'))
      continue;
    std::size_t at = 1;
    const auto value_name = ReadEscaped(line, at, '"');
    if (!value_name || !EqualNoCase(*value_name, name))
      continue;
    at = SkipBlanks(line, at);
    if (at >= line.size() || line[at] != '=')
      continue;
    at = SkipBlanks(line, at + 1);
    std::string_view data = line.substr(at);
    if (data.starts_with("str(2):"))
      data.remove_prefix(7);
    if (!data.starts_with('"'))
      return std::nullopt;
    std::size_t data_at = 1;
    return ReadEscaped(data, data_at, '"');
  }
  return std::nullopt;
}

// A recorded folder: present, not empty, one trailing backslash dropped.
std::optional<std::string> RecordedFolder(std::optional<std::string> value) {
  if (!value || value->empty())
    return std::nullopt;
  if (value->back() == '\\')
    value->pop_back();
  return value;
}

// `folder`/`name`, where `name` takes the letter case of an entry that is
// already there, as Wine finds Windows names on a case-sensitive disk.
fs::path JoinExistingCase(const fs::path& folder, const std::string& name) {
  fs::path exact = folder / PathFromUtf8(name);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(exact, ec)))
    return exact;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualNoCase(PathToUtf8(it->path().filename()), name))
      return it->path();
  }
  return exact;
}

std::optional<fs::path> XdgDocuments(const fs::path& home) {
  fs::path config;
  if (const char* env = std::getenv("XDG_CONFIG_HOME"); env && PathFromUtf8(env).is_absolute()) {
    config = PathFromUtf8(env);
  } else if (!home.empty()) {
    config = home / ".config";
  } else {
    return std::nullopt;
  }
  std::ifstream in(config / "user-dirs.dirs", std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view entry = Trim(line);
    const std::size_t eq = entry.find('=');
    if (entry.starts_with('#') || eq == std::string_view::npos ||
        Trim(entry.substr(0, eq)) != "XDG_DOCUMENTS_DIR") {
      continue;
    }
    // The value is shell-quoted: "$HOME/Documents" or an absolute path.
    std::string value;
    const std::string_view quoted = Trim(entry.substr(eq + 1));
    for (std::size_t i = 0; i < quoted.size(); ++i) {
      if (quoted[i] == '"')
        continue;
      if (quoted[i] == '\\' && i + 1 < quoted.size())
        ++i;
      value += quoted[i];
    }
    std::string_view rest = value;
    if (rest.starts_with("$HOME")) {
      rest.remove_prefix(5);
    } else if (rest.starts_with("${HOME}")) {
      rest.remove_prefix(7);
    } else {
      const fs::path folder = PathFromUtf8(value);
      return folder.is_absolute() ? std::optional<fs::path>(folder) : std::nullopt;
    }
    while (rest.starts_with('/'))
      rest.remove_prefix(1);
    // A documents folder set to the home folder itself means "disabled".
    if (rest.empty() || home.empty())
      return std::nullopt;
    return home / PathFromUtf8(rest);
  }
  return std::nullopt;
}

fs::path HomeFromEnvironment() {
  if (const char* home = std::getenv("HOME"); home && *home)
    return PathFromUtf8(home);
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
    return PathFromUtf8(pw->pw_dir);
  return {};
}

}  // namespace

WinePrefixFolderSource::WinePrefixFolderSource(std::filesystem::path prefix,
                                               std::filesystem::path home)
    : prefix_(std::move(prefix)), home_(std::move(home)) {}

std::unique_ptr<WinePrefixFolderSource> WinePrefixFolderSource::FromEnvironment() {
  fs::path home = HomeFromEnvironment();
  fs::path prefix;
  if (const char* env = std::getenv("WINEPREFIX"); env && *env) {
    prefix = PathFromUtf8(env);
  } else {
    prefix = home / ".wine";
  }
  return std::make_unique<WinePrefixFolderSource>(std::move(prefix), std::move(home));
}

std::optional<std::filesystem::path> WinePrefixFolderSource::Documents() const {
  if (auto mapped = RecordedDocuments())
    return mapped;
  if (auto xdg = XdgDocuments(home_))
    return xdg;
  if (home_.empty())
    return std::nullopt;
  return home_ / "Documents";
}

namespace {

// The simulators' installers are 32-bit: a 64-bit prefix keeps their keys
// under Wow6432Node, a 32-bit one under Software\Microsoft directly.
std::optional<std::string> SimulatorFolder(std::string_view system_reg, std::string_view key,
                                           std::string_view name) {
  for (const std::string_view root : {"Software\\Wow6432Node\\", "Software\\"}) {
    const std::string full_key = std::string(root) + std::string(key);
    if (auto folder = RecordedFolder(RegistryString(system_reg, full_key, name)))
      return folder;
  }
  return std::nullopt;
}

}  // namespace

const std::string& WinePrefixFolderSource::SystemReg() const {
  if (!system_reg_)
    system_reg_ = ReadText(prefix_ / "system.reg");
  return *system_reg_;
}

std::optional<std::filesystem::path> WinePrefixFolderSource::Fs9Path() const {
  const auto folder = SimulatorFolder(SystemReg(), kFs9Key, "EXE Path");
  return folder ? MapWindowsPath(*folder) : std::nullopt;
}

std::optional<std::filesystem::path> WinePrefixFolderSource::FsxPath() const {
  // The boxed FSX; else the Steam Edition, filed for the user, else for the
  // machine.
  auto folder = SimulatorFolder(SystemReg(), kFsxKey, "SetupPath");
  if (!folder)
    folder = RecordedFolder(
        RegistryString(UserReg(), "Software\\" + std::string(kFsxSteamKey), "AppPath"));
  if (!folder)
    folder = SimulatorFolder(SystemReg(), kFsxSteamKey, "AppPath");
  return folder ? MapWindowsPath(*folder) : std::nullopt;
}

FolderOrigin WinePrefixFolderSource::FoundOrigin() const {
  return FolderOrigin::kWinePrefix;
}

FolderOrigin WinePrefixFolderSource::DocumentsOrigin() const {
  return RecordedDocuments() ? FolderOrigin::kWinePrefix : FolderOrigin::kDefault;
}

std::optional<std::filesystem::path> WinePrefixFolderSource::RecordedDocuments() const {
  const auto documents = ShellFolder("Personal");
  return documents ? MapWindowsPath(*documents) : std::nullopt;
}

std::optional<std::filesystem::path> WinePrefixFolderSource::XPlaneListFolder() const {
  // X-Plane runs natively here: its lists are in the home folder.
  if (home_.empty())
    return std::nullopt;
  return home_ / ".x-plane";
}

std::optional<std::filesystem::path> WinePrefixFolderSource::LocalAppData() const {
  const auto folder = ShellFolder("Local AppData");
  return folder ? MapWindowsPath(*folder) : std::nullopt;
}

std::optional<std::filesystem::path> WinePrefixFolderSource::RoamingAppData() const {
  const auto folder = ShellFolder("AppData");
  return folder ? MapWindowsPath(*folder) : std::nullopt;
}

std::optional<std::string> WinePrefixFolderSource::ShellFolder(std::string_view name) const {
  return RecordedFolder(RegistryString(UserReg(), kShellFolders, name));
}

const std::string& WinePrefixFolderSource::UserReg() const {
  if (!user_reg_)
    user_reg_ = ReadText(prefix_ / "user.reg");
  return *user_reg_;
}

std::filesystem::path WinePrefixFolderSource::DefaultSimulatorPath() const {
  if (auto mapped = MapWindowsPath(kDefaultSimulator))
    return *mapped;
  return prefix_ / "drive_c" / "Program Files" / "Microsoft Games" / "FS9";
}

std::optional<std::filesystem::path> WinePrefixFolderSource::MapWindowsPath(
    std::string_view windows_path) const {
  // The system reads a path only up to its first NUL (a registry value can
  // hold one through an escape), and Windows reads the value so too: the
  // mapping stops there as well, so that the folder it names, checked to stay
  // below the drive's root, is the folder that is opened.
  windows_path = windows_path.substr(0, windows_path.find('\0'));
  if (windows_path.size() < 2 || windows_path[1] != ':')
    return std::nullopt;
  const char drive = AsciiLower(windows_path[0]);
  if (drive < 'a' || drive > 'z')
    return std::nullopt;

  const fs::path dosdevices = prefix_ / "dosdevices";
  const fs::path link = dosdevices / std::string{drive, ':'};
  std::error_code ec;
  const fs::file_status link_status = fs::symlink_status(link, ec);
  fs::path root;
  if (fs::is_symlink(link_status)) {
    const fs::path target = fs::read_symlink(link, ec);
    if (ec)
      return std::nullopt;
    root = (target.is_absolute() ? target : dosdevices / target).lexically_normal();
    if (!root.has_filename() && root.has_relative_path())
      root = root.parent_path();
  } else if (fs::exists(link_status)) {
    root = link;
  } else if (drive == 'c' && fs::is_directory(prefix_ / "drive_c", ec)) {
    root = prefix_ / "drive_c";
  } else {
    return std::nullopt;
  }

  // Windows names: either slash separates, "." stays, ".." stops at the root.
  std::vector<std::string> parts;
  std::string_view rest = windows_path.substr(2);
  while (!rest.empty()) {
    const std::size_t cut = rest.find_first_of("\\/");
    const std::string_view part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (part.empty() || part == ".")
      continue;
    if (part == "..") {
      if (!parts.empty())
        parts.pop_back();
      continue;
    }
    parts.emplace_back(part);
  }
  fs::path mapped = root;
  for (const std::string& part : parts)
    mapped = JoinExistingCase(mapped, part);
  return mapped;
}

std::unique_ptr<FolderSource> PlatformFolderSource() {
  return WinePrefixFolderSource::FromEnvironment();
}

}  // namespace korvanta
