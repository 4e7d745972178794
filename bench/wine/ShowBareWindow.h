#pragma once
// The yardstick's window: a class of its own, shown and painted, then messages until it is
// ended. Shared by the bare window and the window that loads the common controls first, so
// that they differ in nothing else.
#include <windows.h>

namespace bench {

inline LRESULT CALLBACK bareWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline int showBareWindow(HINSTANCE instance, const char* className) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = bareWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = className;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA(className, className, WS_OVERLAPPEDWINDOW, 0, 0, 663, 368, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

}  // namespace bench
