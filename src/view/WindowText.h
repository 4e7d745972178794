#pragma once
// A window's text, whatever its length.
#include <windows.h>

#include <string>

namespace view {

inline std::string windowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(length + 1, '\0');
  const int got = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(got > 0 ? got : 0);
  return text;
}

}  // namespace view
