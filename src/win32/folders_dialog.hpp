#pragma once

#include <windows.h>

#include <functional>

#include "window/folders_dialog_model.hpp"

namespace korvanta::win32 {

class UserDialogs;

// OK asks this, which saves the dialog's changes; the dialog closes only
// when it succeeds.
using ConfirmFolders = std::function<bool(const FoldersDialogModel&)>;

// The Folders dialog, modal over `owner`: drawn from the template
// IDD_FOLDERS and the dialog model's lines (per folder setting its caption,
// whose Alt+letter moves to the folder, the folder in use, where it came
// from, Browse… and Reset to automatic). True when OK closed it.
bool ShowFoldersDialog(HINSTANCE instance, HWND owner, FoldersDialogModel model,
                       UserDialogs& dialogs, const ConfirmFolders& confirm);

}  // namespace korvanta::win32
