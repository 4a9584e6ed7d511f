#include "io/read_handle.hpp"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace korvanta {

namespace {

HANDLE Native(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// The C library's words for the common failures, as the command line and the
// window have always shown them on both platforms; the system's own text for
// the rest.
std::string LastErrorText() {
  const DWORD error = GetLastError();
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return std::generic_category().message(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return std::generic_category().message(EACCES);
    default:
      return std::system_category().message(static_cast<int>(error));
  }
}

}  // namespace

ReadHandle::ReadHandle(const std::filesystem::path& file) {
  // Another program may go on writing, renaming or removing the file while
  // it is read; the read takes what was there.
  const HANDLE opened = CreateFileW(file.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    error_ = LastErrorText();
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(opened);
  switch (GetFileType(opened)) {
    case FILE_TYPE_DISK: {
      type_ = OpenedType::kRegularFile;
      LARGE_INTEGER size{};
      if (GetFileSizeEx(opened, &size))
        announced_size_ = static_cast<std::uintmax_t>(size.QuadPart);
      break;
    }
    case FILE_TYPE_PIPE:
      type_ = OpenedType::kPipe;
      break;
    default:
      type_ = OpenedType::kOther;
      break;
  }
  open_ = true;
}

ReadHandle::~ReadHandle() {
  if (handle_ != -1)
    CloseHandle(Native(handle_));
}

std::optional<std::size_t> ReadHandle::Read(char* into, std::size_t size) {
  DWORD count = 0;
  const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (ReadFile(Native(handle_), into, asked, &count, nullptr))
    return static_cast<std::size_t>(count);
  // A pipe whose writer has closed it has simply ended.
  if (GetLastError() == ERROR_BROKEN_PIPE)
    return 0;
  error_ = LastErrorText();
  return std::nullopt;
}

}  // namespace korvanta
