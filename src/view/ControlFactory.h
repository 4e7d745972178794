#pragma once
// How each kind of model control becomes a real window: class, styles, text and place.
#include <windows.h>

#include <string>

#include "ui/Control.h"

namespace view {

extern const char kFrameClass[];  // the container that holds a frame's children
extern const char kShapeClass[];  // a filled square with a black border

struct WindowDesign {
  std::string className;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  RECT rect = {};  // pixels, relative to the parent window
};

// '&' marks a mnemonic in buttons, ticks, labels and group boxes; doubling it shows it.
std::string escapeMnemonics(const std::string& caption);

// Everything but visibility, which the view decides (only the front page shows).
WindowDesign designFor(const ui::Control& control);

// The extra height a drop-down list needs below its edit field.
constexpr int kComboDropHeight = 150;

}  // namespace view
