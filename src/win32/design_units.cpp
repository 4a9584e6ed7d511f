#include "win32/design_units.hpp"

#include <commctrl.h>

#include <algorithm>

#include "win32/dpi.hpp"
#include "win32/resource_ids.h"

namespace korvanta::win32 {

namespace {

// The dialog template's units: those of Tahoma 8 at 96 DPI, whose base units
// are 6 by 13 pixels (a unit across is a quarter, a unit down an eighth).
constexpr int kDesignBaseX = 6;
constexpr int kDesignBaseY = 13;

// The template units a position was made from: the inverse of Windows'
// MulDiv(units, base, per) for the dialog's own base units.
int TemplateUnits(int pixels, int base, int per) {
  const int guess = MulDiv(pixels, per, base);
  for (const int units : {guess, guess - 1, guess + 1}) {
    if (MulDiv(units, base, per) == pixels)
      return units;
  }
  return guess;
}

}  // namespace

void PlaceByDesignUnits(HWND dialog, UINT dpi) {
  RECT unit{0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  const int base_x = std::max(1, static_cast<int>(unit.right));
  const int base_y = std::max(1, static_cast<int>(unit.bottom));
  const auto x = [&](LONG pixels) {
    return MulDiv(TemplateUnits(pixels, base_x, 4), kDesignBaseX * static_cast<int>(dpi),
                  4 * static_cast<int>(kDesignDpi));
  };
  const auto y = [&](LONG pixels) {
    return MulDiv(TemplateUnits(pixels, base_y, 8), kDesignBaseY * static_cast<int>(dpi),
                  8 * static_cast<int>(kDesignDpi));
  };
  // The up-down control narrowed its buddy to sit inside the template's
  // rectangle; the pair is placed whole and the up-down attached again.
  const HWND spin = GetDlgItem(dialog, IDC_PLAN_NUMBER_SPIN);
  const HWND number = GetDlgItem(dialog, IDC_PLAN_NUMBER);
  for (HWND item = GetWindow(dialog, GW_CHILD); item != nullptr;
       item = GetWindow(item, GW_HWNDNEXT)) {
    if (item == spin)
      continue;
    RECT rect{};
    GetWindowRect(item, &rect);
    if (item == number) {
      RECT spin_rect{};
      GetWindowRect(spin, &spin_rect);
      UnionRect(&rect, &rect, &spin_rect);
    }
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(item, nullptr, x(rect.left), y(rect.top), x(rect.right - rect.left),
                 y(rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(number), 0);
}

}  // namespace korvanta::win32
