#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <thread>

#include "files/platform_files.hpp"
#include "io/wide_text.hpp"

namespace korvanta {

namespace {

// Another program (a second run replacing the same file, a virus scanner, a
// simulator reading the plan) may hold the target for a moment; the
// replacement is tried again for this long before it counts as failed.
constexpr auto kReplaceRetry = std::chrono::milliseconds(20);
constexpr auto kReplaceWaitAtMost = std::chrono::milliseconds(2000);
// WriteFile takes a DWORD count; larger files go in pieces.
constexpr std::size_t kWritePiece = 1u << 30;

// The system's text for an error code, as UTF-8.
std::string SystemReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide = length != 0 && text != nullptr ? std::wstring(text, length)
                                                     : L"error " + std::to_wstring(error);
  if (text != nullptr)
    LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' '))
    wide.pop_back();
  return Utf8FromWide(wide);
}

// The path as the wide-character calls take it. A long file name under a deep
// folder passes the classic 260-character limit; such an absolute path is
// handed over in the "\\?\" form, which has no such limit but also no
// clean-up of "/", "." or "..", so it is normalised first.
std::wstring SystemPath(const std::filesystem::path& path) {
  constexpr std::size_t kClassicLimit = MAX_PATH - 12;
  if (path.native().size() < kClassicLimit || !path.is_absolute())
    return path.native();
  std::wstring text = path.lexically_normal().make_preferred().native();
  if (text.rfind(L"\\\\?\\", 0) == 0)
    return text;
  if (text.rfind(L"\\\\", 0) == 0)
    return L"\\\\?\\UNC\\" + text.substr(2);
  return L"\\\\?\\" + text;
}

bool WriteAll(HANDLE out, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min(bytes.size(), kWritePiece));
    DWORD written = 0;
    if (!WriteFile(out, bytes.data(), piece, &written, nullptr))
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// MoveFileExW, tried again while another program holds one of the files; the
// error of the last try, or ERROR_SUCCESS. An existing target held that way
// looks like a folder in the way (access denied), so a move that may not
// replace stops at once when the target exists.
DWORD MoveWhileHeld(const std::wstring& source, const std::wstring& target, DWORD flags) {
  const auto give_up = std::chrono::steady_clock::now() + kReplaceWaitAtMost;
  while (!MoveFileExW(source.c_str(), target.c_str(), flags)) {
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    const bool name_taken = (flags & MOVEFILE_REPLACE_EXISTING) == 0 &&
                            GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!held || name_taken || std::chrono::steady_clock::now() >= give_up)
      return error;
    std::this_thread::sleep_for(kReplaceRetry);
  }
  return ERROR_SUCCESS;
}

}  // namespace

NewFile::NewFile(const std::filesystem::path& file) : file_(file) {
  // Shared with nobody, for deleting and renaming neither: while it is open
  // no other file can take its name. A link of that name makes the create
  // fail as an existing file.
  const HANDLE created = CreateFileW(SystemPath(file).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created != INVALID_HANDLE_VALUE) {
    handle_ = reinterpret_cast<std::intptr_t>(created);
    created_ = {CreateResult::kCreated, ""};
    return;
  }
  const DWORD error = GetLastError();
  // A folder of that name refuses the create as access denied.
  const bool exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                      (error == ERROR_ACCESS_DENIED &&
                       GetFileAttributesW(SystemPath(file).c_str()) != INVALID_FILE_ATTRIBUTES);
  created_ = exists ? ExclusiveCreate{CreateResult::kAlreadyExists, ""}
                    : ExclusiveCreate{CreateResult::kFailed, SystemReason(error)};
}

NewFile::~NewFile() {
  Close();
}

void NewFile::Close() {
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  if (file != INVALID_HANDLE_VALUE)
    CloseHandle(file);
  handle_ = -1;
}

// The new file takes the access rules of its folder, as a file saved there by
// any program would; Windows has no permission bits to carry over. Nothing
// can take the file's name while the handle is open (see the constructor).
FileStep NewFile::WriteFlushed(std::string_view bytes, const std::filesystem::path& /*keep_of*/) {
  const HANDLE out = reinterpret_cast<HANDLE>(handle_);
  if (out == INVALID_HANDLE_VALUE)
    return FileStep::Failed(created_.reason);
  if (!WriteAll(out, bytes) || !FlushFileBuffers(out)) {
    const DWORD error = GetLastError();
    Close();  // so that the caller can remove the file
    return FileStep::Failed(SystemReason(error));
  }
  const BOOL closed = CloseHandle(out);
  handle_ = -1;
  if (!closed)
    return FileStep::Failed(SystemReason(GetLastError()));
  return FileStep::Done();
}

FileStep MoveOverTarget(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::wstring source = SystemPath(from);
  const std::wstring target = SystemPath(to);
  // A read-only file stays as the user protected it. Checked here because not
  // every file system refuses the replacement by itself (Wine maps the
  // attribute to permission bits, which a rename ignores).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return FileStep::Failed(std::string(kReadOnlyReason));
  const DWORD error =
      MoveWhileHeld(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (error != ERROR_SUCCESS)
    return FileStep::Failed(SystemReason(error));
  return FileStep::Done();
}

NameStep NameIfFree(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::wstring target = SystemPath(to);
  const DWORD error = MoveWhileHeld(SystemPath(from), target, MOVEFILE_WRITE_THROUGH);
  if (error == ERROR_SUCCESS)
    return {NameResult::kNamed, ""};
  // A folder of that name refuses the move as access denied.
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
      GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
    return {NameResult::kNameTaken, ""};
  if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION)
    return {NameResult::kNotOffered, ""};
  return {NameResult::kFailed, SystemReason(error)};
}

bool IsNonRegularFile(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(SystemPath(file).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0;
}

bool FileLock::Open(const std::filesystem::path& lock_file) {
  // Read and write access: Wine turns a lock through a handle that may only
  // read into a shared lock, which would not exclude the Linux build. A link
  // is opened as itself, never followed, and then refused.
  const HANDLE file =
      CreateFileW(SystemPath(lock_file).c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    reason_ = IsNonRegularFile(lock_file) ? NotRegularFileReason(lock_file) : SystemReason(error);
    return false;
  }
  BY_HANDLE_FILE_INFORMATION opened{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &opened) ||
      (opened.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    reason_ = NotRegularFileReason(lock_file);
    CloseHandle(file);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return true;
}

FileLock::Attempt FileLock::TryOnce() {
  OVERLAPPED at_start{};
  if (LockFileEx(reinterpret_cast<HANDLE>(handle_),
                 LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at_start))
    return Attempt::kLocked;
  const DWORD error = GetLastError();
  if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
    return Attempt::kHeldElsewhere;
  reason_ = SystemReason(error);
  return Attempt::kFailed;
}

void FileLock::Close() {
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  if (file == INVALID_HANDLE_VALUE)
    return;
  if (state_ == State::kLocked) {
    OVERLAPPED at_start{};
    UnlockFileEx(file, 0, 1, 0, &at_start);
  }
  CloseHandle(file);
}

}  // namespace korvanta
