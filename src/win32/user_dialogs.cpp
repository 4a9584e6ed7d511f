#include "win32/user_dialogs.hpp"

#include <commdlg.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <cstdio>
#include <system_error>
#include <vector>

#include "io/utf8_path.hpp"
#include "io/wide_text.hpp"

namespace korvanta::win32 {

namespace {

// Long enough for a path beyond MAX_PATH (the program is long-path aware).
constexpr DWORD kPathBufferSize = 32768;

}  // namespace

std::wstring SaveDialogFilter(const SaveDialogRequest& request) {
  const std::wstring pattern = L"*." + WideFromUtf8(request.extension);
  std::wstring filter = WideFromUtf8(request.filter_name) + L" (" + pattern + L")";
  filter.push_back(L'\0');
  filter += pattern;
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

void DesktopDialogs::ShowError(HWND owner, const std::string& text) {
  MessageBoxW(owner, WideFromUtf8(text).c_str(), L"Error", MB_OK | MB_ICONERROR | MB_APPLMODAL);
}

namespace {

// Asks with `ask` (GetSaveFileNameW or GetOpenFileNameW) in a dialog that
// opens in `folder` holding `name`, filled in from `dialog` (owner, filter,
// title, its own flags). The program's relative folders ("." for X-Plane
// plans) mean the program folder, so the current folder stays where it is.
std::optional<std::filesystem::path> AskForFile(BOOL(WINAPI* ask)(LPOPENFILENAMEW),
                                                OPENFILENAMEW dialog,
                                                const std::filesystem::path& folder,
                                                const std::wstring& name) {
  std::vector<wchar_t> file(kPathBufferSize, L'\0');
  if (name.size() < file.size())
    name.copy(file.data(), name.size());
  const std::wstring initial_folder = folder.native();
  dialog.lStructSize = sizeof(dialog);
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathBufferSize;
  dialog.lpstrInitialDir = initial_folder.empty() ? nullptr : initial_folder.c_str();
  dialog.Flags |=
      OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_LONGNAMES;

  std::error_code ec;
  const std::filesystem::path current = std::filesystem::current_path(ec);
  const bool confirmed = ask(&dialog) != FALSE;
  if (!ec)
    std::filesystem::current_path(current, ec);
  if (!confirmed || file[0] == L'\0')
    return std::nullopt;
  return std::filesystem::path(std::wstring(file.data()));
}

}  // namespace

std::optional<std::filesystem::path> DesktopDialogs::ChooseSaveFile(
    HWND owner, const SaveDialogRequest& request) {
  const std::wstring filter = SaveDialogFilter(request);
  const std::wstring title = WideFromUtf8(request.title);
  const std::wstring extension = WideFromUtf8(request.extension);
  OPENFILENAMEW dialog{};
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT;
  return AskForFile(GetSaveFileNameW, dialog, request.folder, WideFromUtf8(request.file_name));
}

namespace {

// Releases a COM interface at the end of its scope.
template <typename Interface>
class ComReference {
 public:
  ComReference() = default;
  ~ComReference() {
    if (pointer_ != nullptr)
      pointer_->Release();
  }
  ComReference(const ComReference&) = delete;
  ComReference& operator=(const ComReference&) = delete;
  Interface** Receive() { return &pointer_; }
  Interface* operator->() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

// COM for this thread while the folder picker is open.
class ComScope {
 public:
  ComScope()
      : initialized_(
            SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
  }
  ~ComScope() {
    if (initialized_)
      CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialized_;
};

}  // namespace

// The system's folder picker (the file dialog choosing folders).
std::optional<std::filesystem::path> DesktopDialogs::ChooseFolder(
    HWND owner, const std::string& title, const std::filesystem::path& folder) {
  const ComScope com;
  ComReference<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(dialog.Receive()))))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
  const std::wstring wide_title = WideFromUtf8(title);
  dialog->SetTitle(wide_title.c_str());
  ComReference<IShellItem> start;
  if (!folder.empty() && SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr,
                                                               IID_PPV_ARGS(start.Receive()))))
    dialog->SetFolder(start.operator->());
  if (FAILED(dialog->Show(owner)))
    return std::nullopt;
  ComReference<IShellItem> chosen;
  if (FAILED(dialog->GetResult(chosen.Receive())))
    return std::nullopt;
  wchar_t* name = nullptr;
  if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &name)))
    return std::nullopt;
  std::filesystem::path path(name);
  CoTaskMemFree(name);
  return path;
}

std::optional<std::filesystem::path> DesktopDialogs::ChooseOpenFile(
    HWND owner, const std::filesystem::path& folder) {
  OPENFILENAMEW dialog{};
  dialog.hwndOwner = owner;
  dialog.lpstrFilter =
      L"Route texts and flight plans (*.txt;*.pln;*.fms;*.gpx)\0*.txt;*.pln;*.fms;*.gpx\0"
      L"All files (*.*)\0*.*\0";
  dialog.lpstrTitle = L"Open a route text or flight plan";
  dialog.Flags = OFN_FILEMUSTEXIST;
  return AskForFile(GetOpenFileNameW, dialog, folder, L"");
}

bool DesktopDialogs::OpenDocument(const std::filesystem::path& file) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // 32 and below are ShellExecute's error codes (no program for the type...).
  return result > 32;
}

void ConsoleDialogs::ShowError(HWND /*owner*/, const std::string& text) {
  std::fprintf(stderr, "korvanta: %s\n", text.c_str());
}

std::optional<std::filesystem::path> ConsoleDialogs::ChooseSaveFile(
    HWND /*owner*/, const SaveDialogRequest& /*request*/) {
  return std::nullopt;
}

std::optional<std::filesystem::path> ConsoleDialogs::ChooseFolder(
    HWND /*owner*/, const std::string& /*title*/, const std::filesystem::path& /*folder*/) {
  return std::nullopt;
}

std::optional<std::filesystem::path> ConsoleDialogs::ChooseOpenFile(
    HWND /*owner*/, const std::filesystem::path& /*folder*/) {
  return std::nullopt;
}

bool ConsoleDialogs::OpenDocument(const std::filesystem::path& file) {
  std::fprintf(stderr, "korvanta: written for the viewer: %s\n", PathToUtf8(file).c_str());
  return true;
}

}  // namespace korvanta::win32
