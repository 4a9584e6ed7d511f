// clang-format off
#include <windows.h>
// clang-format on

#include <string_view>
#include <vector>

#include "../test_support.hpp"
#include "io/wide_text.hpp"

namespace korvanta::test {

namespace {

// The words of a POSIX shell's argument text: blanks separate, '…' is taken
// as it stands, "…" and a backslash escape as in the shell.
std::vector<std::string> ShellWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (in_word)
        words.push_back(std::move(word));
      word.clear();
      in_word = false;
      continue;
    }
    in_word = true;
    if (c == '\'') {
      const std::size_t end = text.find('\'', i + 1);
      word.append(text.substr(i + 1, end - i - 1));
      i = end;
    } else if (c == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size() &&
            std::string_view("\"\\$`").find(text[i + 1]) != std::string_view::npos) {
          ++i;
        }
        word += text[i];
      }
    } else if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
    } else {
      word += c;
    }
  }
  if (in_word)
    words.push_back(std::move(word));
  return words;
}

// One argument of a Windows command line, quoted so that the C runtime's
// splitting gives it back unchanged.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

HANDLE InheritedFile(const std::filesystem::path& file, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(file.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string WithoutCr(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
      out += text[i];
  }
  return out;
}

}  // namespace

CommandResult RunCli(const std::string& args, const std::string& stdin_file) {
  TempDir dir;
  std::wstring command = Quoted(WideFromUtf8(KORVANTA_CLI_PATH));
  for (const std::string& word : ShellWords(args))
    command += L" " + Quoted(WideFromUtf8(word));

  const HANDLE in =
      InheritedFile(stdin_file.empty() ? std::filesystem::path(L"NUL")
                                       : std::filesystem::path(WideFromUtf8(stdin_file)),
                    false);
  const HANDLE out = InheritedFile(dir / "out", true);
  const HANDLE err = InheritedFile(dir / "err", true);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  CommandResult r;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code))
      r.status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (const HANDLE h : {in, out, err}) {
    if (h != INVALID_HANDLE_VALUE)
      CloseHandle(h);
  }
  // A Windows program's text output ends its lines with CR LF.
  r.out = WithoutCr(ReadFile(dir / "out"));
  r.err = WithoutCr(ReadFile(dir / "err"));
  return r;
}

void SetEnvironment(const std::string& name, const std::string& value) {
  _wputenv_s(WideFromUtf8(name).c_str(), WideFromUtf8(value).c_str());
}

}  // namespace korvanta::test
