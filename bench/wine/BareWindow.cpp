// The yardstick for start-up: a bare Win32 window that shows and waits to be ended.
#include <windows.h>

#include "ShowBareWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return bench::showBareWindow(instance, "BareWindow"); }
