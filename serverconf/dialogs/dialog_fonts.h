#pragma once
// The fonts of the window design. Each named face is followed by installed
// CJK faces that take its place where it is missing, so every Chinese text
// renders on any desktop that has a CJK font.

#include <QFont>

namespace serverconf {

// "宋体" at the given point size: the base font of the main window and the About box.
QFont songFont(int pointSize);

// "System" 10 points: the base font of the small operation dialogs.
QFont systemTemplateFont();

// The dialog font: "新宋体", the given height in pixels, normal weight.
QFont dialogFont(int pixelHeight);

// The main window's caption title: Arial, 18 pixels, bold.
QFont captionTitleFont();

// "隶书" at the given point size: text of the main window's group frame.
QFont officialScriptFont(int pointSize);

}  // namespace serverconf
