#include "settings/ini_profile.hpp"

#include <cstddef>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// One line of the text, as offsets into it: the content without its line end,
// and where the next line starts.
struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;

  bool HasLineEnd() const { return next > end; }
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
  while (pos < text.size()) {
    Line line;
    line.begin = pos;
    const std::size_t lf = text.find('\n', pos);
    if (lf == std::string_view::npos) {
      line.end = line.next = text.size();
    } else {
      line.end = lf > pos && text[lf - 1] == '\r' ? lf - 1 : lf;
      line.next = lf + 1;
    }
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

// What a line is: a section header carries its name, a key line its name and
// the offsets of its value (blanks around it excluded).
struct LineMeaning {
  LineKind kind = LineKind::kOther;
  std::string_view name;
  std::size_t value_begin = 0;
  std::size_t value_end = 0;
};

LineMeaning Classify(std::string_view text, const Line& line) {
  const std::string_view content = text.substr(line.begin, line.end - line.begin);
  const std::string_view trimmed = Trim(content);
  LineMeaning m;
  if (trimmed.empty()) {
    m.kind = LineKind::kBlank;
  } else if (trimmed.front() == ';') {
    m.kind = LineKind::kComment;
  } else if (trimmed.front() == '[') {
    // A header without its closing bracket still opens a section, named by
    // the rest of the line.
    const std::size_t close = trimmed.find(']');
    m.kind = LineKind::kSection;
    m.name = Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
  } else if (const std::size_t eq = content.find('='); eq != std::string_view::npos) {
    m.kind = LineKind::kKey;
    m.name = Trim(content.substr(0, eq));
    std::size_t begin = line.begin + eq + 1;
    std::size_t end = line.end;
    while (begin < end && IsBlank(text[begin]))
      ++begin;
    while (end > begin && IsBlank(text[end - 1]))
      --end;
    m.value_begin = begin;
    m.value_end = end;
  }
  return m;
}

// Where a key sits. Only the first section of the name counts, and in it the
// first line of the key.
struct Location {
  std::optional<std::size_t> section_line;
  std::optional<LineMeaning> key;
  std::size_t last_filled_line = 0;  // last non-blank line of the section
};

Location Locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                std::string_view key) {
  Location where;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineMeaning m = Classify(text, lines[i]);
    if (m.kind == LineKind::kSection) {
      if (where.section_line)
        break;
      if (EqualNoCase(m.name, section)) {
        where.section_line = i;
        where.last_filled_line = i;
      }
      continue;
    }
    if (!where.section_line)
      continue;
    if (m.kind != LineKind::kBlank)
      where.last_filled_line = i;
    if (m.kind == LineKind::kKey && EqualNoCase(m.name, key)) {
      where.key = m;
      break;
    }
  }
  return where;
}

// The line end that new lines get: the one the file already uses, CR LF for a
// file without any.
std::string_view LineEndOf(std::string_view text) {
  const std::size_t lf = text.find('\n');
  if (lf == std::string_view::npos)
    return "\r\n";
  return lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

std::string KeyLine(std::string_view key, std::string_view value, std::string_view eol) {
  std::string line(key);
  line += '=';
  line += value;
  line += eol;
  return line;
}

}  // namespace

std::optional<std::string> IniLookup(std::string_view text, std::string_view section,
                                     std::string_view key) {
  const Location where = Locate(text, SplitLines(text), section, key);
  if (!where.key)
    return std::nullopt;
  return std::string(
      text.substr(where.key->value_begin, where.key->value_end - where.key->value_begin));
}

std::string IniUpdate(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
  const std::vector<Line> lines = SplitLines(text);
  const Location where = Locate(text, lines, section, key);
  const std::string_view eol = LineEndOf(text);
  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

  if (where.key) {
    out += text.substr(0, where.key->value_begin);
    out += value;
    out += text.substr(where.key->value_end);
    return out;
  }
  if (where.section_line) {
    const Line& after = lines[where.last_filled_line];
    out += text.substr(0, after.next);
    if (!after.HasLineEnd())
      out += eol;
    out += KeyLine(key, value, eol);
    out += text.substr(after.next);
    return out;
  }
  out += text;
  if (!text.empty() && text.back() != '\n')
    out += eol;
  out += '[';
  out += section;
  out += ']';
  out += eol;
  out += KeyLine(key, value, eol);
  return out;
}

std::string IniRemove(std::string_view text, std::string_view section, std::string_view key) {
  std::string out(text.substr(0, text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0));
  bool in_section = false;
  bool section_seen = false;
  for (const Line& line : SplitLines(text)) {
    const LineMeaning meaning = Classify(text, line);
    if (meaning.kind == LineKind::kSection) {
      // Only the first section of the name is read.
      in_section = !section_seen && EqualNoCase(meaning.name, section);
      section_seen = section_seen || in_section;
    }
    if (in_section && meaning.kind == LineKind::kKey && EqualNoCase(meaning.name, key))
      continue;
    out += text.substr(line.begin, line.next - line.begin);
  }
  return out;
}

std::string IniProfile::Text() const {
  // A settings file that cannot be read, or is no regular file, counts as
  // missing: the defaults apply, and writing it reports why.
  FileRead read = ReadFileBytes(file_, kSettingsFileLimit);
  return read.Ok() ? std::move(read.bytes) : std::string();
}

std::string IniProfile::Read(std::string_view section, std::string_view key,
                             std::string_view fallback) const {
  return IniLookup(Text(), section, key).value_or(std::string(fallback));
}

void IniProfile::Write(std::string_view section, std::string_view key,
                       std::string_view value) const {
  Write(section, {{std::string(key), std::string(value)}});
}

void IniProfile::Write(std::string_view section, const std::vector<Entry>& entries) const {
  // A missing file starts empty; one that is there but cannot be read must
  // not be replaced by the new keys alone.
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(file_, ec);
  std::string text;
  if (status.type() != std::filesystem::file_type::not_found) {
    if (ec)
      throw RunError("Cannot read " + ShownPath(file_) + ": " + ec.message());
    if (!std::filesystem::is_directory(status))
      text = ReadWholeFile(file_);
  }
  for (const Entry& entry : entries) {
    text = entry.value ? IniUpdate(text, section, entry.key, *entry.value)
                       : IniRemove(text, section, entry.key);
  }
  WriteWholeFile(file_, text);
}

}  // namespace korvanta
