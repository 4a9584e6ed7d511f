#pragma once

#include <QIcon>

namespace korvanta::gui {

// The program's icon (window and desktop entry).
QIcon ProgramIcon();
// The picture of the conversion button.
QIcon ConvertGlyph();

}  // namespace korvanta::gui
