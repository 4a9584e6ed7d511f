#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "window/window_model.hpp"

namespace korvanta::win32 {

// The window's place as Windows keeps it (GetWindowPlacement): the restored
// frame in workspace coordinates and whether the window is maximized. Kept in
// the settings file as one line "left,top,right,bottom,maximized".
struct SavedPlacement {
  RECT normal{};
  bool maximized = false;
};

std::string PlacementText(const SavedPlacement& placement);
// Nullopt for a text that does not read or an empty frame.
std::optional<SavedPlacement> ReadPlacement(std::string_view text);

// The frame moved (and shrunk, where larger) so that it lies within `area`;
// a frame inside it stays as it is.
RECT MovedInto(RECT frame, RECT area);

// The placement of an earlier version's keys: its left and top are the
// frame's and its width and height the client area's.
SavedPlacement FromOldPlacement(const OldPlacement& old, DWORD style, DWORD ex_style, UINT dpi);

// Gets and sets the window's placement. Setting it brings a frame whose title
// bar is on no monitor back into the nearest monitor's work area, and keeps a
// hidden window hidden (the caller shows it, maximized or not).
SavedPlacement GetPlacement(HWND window);
void SetPlacement(HWND window, const SavedPlacement& placement);

}  // namespace korvanta::win32
