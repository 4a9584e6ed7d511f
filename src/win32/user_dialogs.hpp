#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "run/front_end.hpp"

namespace korvanta::win32 {

// Everything of the window that waits for the user or hands work to another
// program: modal message boxes, the "/T" save dialog, opening a document in
// its viewer. The window takes one of these, so that tests answer in place of
// the user without anything blocking. Texts are UTF-8.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A modal message with the error icon and one OK button, owned by `owner`.
  virtual void ShowError(HWND owner, const std::string& text) = 0;
  // The confirmed path, or nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseSaveFile(HWND owner,
                                                              const SaveDialogRequest& request) = 0;
  // A folder for the Folders dialog, chosen from `folder` on; or nullopt
  // when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseFolder(
      HWND owner, const std::string& title, const std::filesystem::path& folder) = 0;
  // The route text or flight plan to convert, chosen from `folder` on; or
  // nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(
      HWND owner, const std::filesystem::path& folder) = 0;
  // Opens the file in the user's default program for it.
  virtual bool OpenDocument(const std::filesystem::path& file) = 0;
};

// Windows' own message box, save dialog and file associations.
class DesktopDialogs : public UserDialogs {
 public:
  void ShowError(HWND owner, const std::string& text) override;
  std::optional<std::filesystem::path> ChooseSaveFile(HWND owner,
                                                      const SaveDialogRequest& request) override;
  std::optional<std::filesystem::path> ChooseFolder(HWND owner, const std::string& title,
                                                    const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> ChooseOpenFile(HWND owner,
                                                      const std::filesystem::path& folder) override;
  bool OpenDocument(const std::filesystem::path& file) override;
};

// For unattended runs (the screenshot demo): messages go to standard error,
// the save dialog is always cancelled and no viewer is started.
class ConsoleDialogs : public UserDialogs {
 public:
  void ShowError(HWND owner, const std::string& text) override;
  std::optional<std::filesystem::path> ChooseSaveFile(HWND owner,
                                                      const SaveDialogRequest& request) override;
  std::optional<std::filesystem::path> ChooseFolder(HWND owner, const std::string& title,
                                                    const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> ChooseOpenFile(HWND owner,
                                                      const std::filesystem::path& folder) override;
  bool OpenDocument(const std::filesystem::path& file) override;
};

// The save dialog's filter in the form GetSaveFileNameW takes: the
// description with its pattern, the pattern, each ended by a NUL, and a
// second NUL at the end ("Route file (*.rte)\0*.rte\0\0").
std::wstring SaveDialogFilter(const SaveDialogRequest& request);

}  // namespace korvanta::win32
