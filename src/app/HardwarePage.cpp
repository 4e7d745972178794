#include <string>

#include "app/Pages.h"

namespace app {

namespace {

constexpr int kRowHeight = 225;
constexpr int kFirstRow = 240;

// One figure: the caption on the left, the value beside it, on row `row` of the frame.
void addPair(ui::Frame& frame, ui::ControlArray<ui::Label>& pair, const char* name, int row, const char* caption) {
  const int top = kFirstRow + kRowHeight * row;
  pair.emplace_back(&frame, name, ui::Rect{240, top, 2895, kRowHeight}, caption, 0);
  pair.emplace_back(&frame, name, ui::Rect{3240, top, 3135, kRowHeight}, "", 1);
}

}  // namespace

HardwarePage::HardwarePage(ui::Control* form)
    : fraHardware(form, "fraHardware", kPageRect, "Hardware Info"),
      fraMemory(&fraHardware, "fraMemory", {120, 120, 6495, 2355}, "Memory"),
      fraWinInfo(&fraHardware, "fraWinInfo", {120, 2535, 6495, 975}, "    Windows"),
      fraProcessor(&fraHardware, "fraProcessor", {120, 3570, 6495, 1455}, "Processor") {
  addPair(fraMemory, lblPhysical, "lblPhysical", 0, "Physical memory :");
  addPair(fraMemory, lblFreePhysical, "lblFreePhysical", 1, "Free physical memory :");
  addPair(fraMemory, lblUsedPhysical, "lblUsedPhysical", 2, "Used physical memory :");
  addPair(fraMemory, lblVirtual, "lblVirtual", 3, "Virtual memory :");
  addPair(fraMemory, lblFreeVirtual, "lblFreeVirtual", 4, "Free virtual memory :");
  addPair(fraMemory, lblUsedVirtual, "lblUsedVirtual", 5, "Used virtual memory :");
  addPair(fraMemory, lblSwapFile, "lblSwapFile", 6, "Swap file size :");
  addPair(fraMemory, lblFreeSwap, "lblFreeSwap", 7, "Free swap file memory :");
  addPair(fraMemory, lblUsedSwap, "lblUsedSwap", 8, "Used swap file memory :");
  addPair(fraWinInfo, lblWin, "lblWin", 0, "OS Type :");
  addPair(fraWinInfo, lblWinVer, "lblWinVer", 1, "Version :");
  addPair(fraWinInfo, lblWinAdditional, "lblWinAdditional", 2, "Additional Info :");
  addPair(fraProcessor, lblVirtualAlloc, "lblVirtualAlloc", 0, "Page size for virtual alloc :");
  addPair(fraProcessor, lblLowLoadAddr, "lblLowLoadAddr", 1, "Lowest load address :");
  addPair(fraProcessor, lblHighLoadAddr, "lblHighLoadAddr", 2, "Highest load address :");
  addPair(fraProcessor, lblNumProcessors, "lblNumProcessors", 3, "Number of Processors :");
  addPair(fraProcessor, lblBlockAddress, "lblBlockAddress", 4, "Memory Block sizing :");
}

}  // namespace app
