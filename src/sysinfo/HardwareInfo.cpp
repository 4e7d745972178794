#include "sysinfo/HardwareInfo.h"

#include "app/Session.h"
#include "report/RuntimeError.h"
#include "sysinfo/MemInfo.h"
#include "sysinfo/NumberText.h"
#include "sysinfo/ProcInfo.h"
#include "sysinfo/WinInfo.h"
#include "sysinfo/WinInfo.h"

namespace hardware {

using report::resumeNext;

namespace {

void show(ui::ControlArray<ui::Label>& pair, const std::string& value) { pair[1].setCaption(value); }

std::string kByte(int64_t kilobytes) { return numberText(kilobytes) + " kByte"; }

}  // namespace

void GetSystemInformation(app::Session& session) {
  app::HardwarePage& page = session.frm.hardware;
  platform::System& system = session.os.system;
  resumeNext([&] {
    ProcessorFigures cpu;
    if (!GetProcessorInfo(system, &cpu)) return;
    show(page.lblVirtualAlloc, numberText(cpu.pageSize));
    show(page.lblLowLoadAddr, cpu.lowestAddress);
    show(page.lblHighLoadAddr, cpu.highestAddress);
    show(page.lblNumProcessors, numberText(cpu.processors));
    show(page.lblBlockAddress, numberText(cpu.granularity));
  });
  resumeNext([&] {
    // Used is worked out from the same figures that are shown, so the three always agree.
    MemoryFigures m;
    if (!GetMemoryStatus(system, &m)) return;
    show(page.lblPhysical, kByte(m.totalPhys));
    show(page.lblFreePhysical, kByte(m.availPhys));
    show(page.lblUsedPhysical, kByte(m.totalPhys - m.availPhys));
    show(page.lblVirtual, kByte(m.totalVirtual));
    show(page.lblFreeVirtual, kByte(m.availVirtual));
    show(page.lblUsedVirtual, kByte(m.totalVirtual - m.availVirtual));
    show(page.lblSwapFile, kByte(m.totalPageFile));
    show(page.lblFreeSwap, kByte(m.availPageFile));
    show(page.lblUsedSwap, kByte(m.totalPageFile - m.availPageFile));
  });
  resumeNext([&] {
    WindowsVersion windows;
    const bool known = GetWindowsVersion(system, &windows);
    show(page.lblWin, hardware::FindOS(session.os));
    if (!known) return;
    show(page.lblWinVer, windows.version);
    show(page.lblWinAdditional, windows.servicePack);
  });
}

void timeHardWare_Timer(app::Session& session) {
  resumeNext([&] { GetSystemInformation(session); });
}

}  // namespace hardware
