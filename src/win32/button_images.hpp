#pragma once

#include <windows.h>

#include <commctrl.h>

namespace korvanta::win32 {

// The pictures of a button that shows `icon`, one for each of its states in
// the order of a button image list (normal, hot, pressed, disabled, default,
// default animating): the icon itself, and for the disabled state the icon
// greyed towards `face`, as the Qt window greys a disabled picture. The
// button draws its frame and focus mark itself. Null when the icon's pixels
// cannot be read; the caller owns the list.
HIMAGELIST MakeButtonImages(HICON icon, COLORREF face);

}  // namespace korvanta::win32
