// Stands in for Wine's wineboot.exe while a case asks Windows to restart: Wine's
// ExitWindowsEx starts wineboot with the request as its command line, and the real one
// would end every program of the prefix, the driver with it. This one only appends its
// command line to C:\e2e\restarts.txt.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HANDLE log = CreateFileA("C:\\e2e\\restarts.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  const char* line = GetCommandLineA();
  DWORD written = 0;
  WriteFile(log, line, lstrlenA(line), &written, nullptr);
  WriteFile(log, "\r\n", 2, &written, nullptr);
  CloseHandle(log);
  return 0;
}
