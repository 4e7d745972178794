// A program that breaks every rule the import check enforces, to show the
// check notices: a wide function that Windows 9x only stubs, a function
// that only NT-based Windows has, one that none of the named systems has,
// a header asking for Windows Vista, and its debug sections left in.
#include <windows.h>

int main() {
  CreateFileW(L"x", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CreateHardLinkA("a", "b", nullptr);
  return static_cast<int>(GetTickCount64() & 1);
}
