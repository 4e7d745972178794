// The floor for start-up of a window built of the common controls: the bare window, but
// with the common controls loaded first as Quellery loads them (the classes it makes,
// through the version its manifest asks for). Whatever Quellery takes beyond this is its
// own work; what this takes beyond the bare window, any such program pays.
#include <windows.h>
#include <commctrl.h>

#include "ShowBareWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES |
                                              ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  return bench::showBareWindow(instance, "CommonControlsWindow");
}
