#include <gtest/gtest.h>

#include "TestApp.h"
#include "app/Wait.h"
#include "sysinfo/HardwareInfo.h"
#include "sysinfo/MemInfo.h"

namespace {

using platform::OsVersion;
namespace osp = platform::osplatform;

class HardwarePage : public ::testing::Test, protected TestApp {
 protected:
  app::HardwarePage& page = app.frm.hardware;
  static const std::string& value(const ui::ControlArray<ui::Label>& pair) { return pair[1].caption(); }
  void refresh() { hardware::GetSystemInformation(app); }
};

struct VersionCase {
  const char* name;
  OsVersion version;
  const char* osType;
  const char* versionText;
  const char* additional;
};

TEST_F(HardwarePage, WindowsVersionTextsPerPlatform) {
  const VersionCase cases[] = {
      // 98 SE keeps 4.10 in the build field's high word: only "2222" is the build.
      {"Windows 98", {4, 10, 0x040A08AE, osp::Windows9x, " A "}, "Microsoft Windows 98", "4.10.2222", " A "},
      {"Windows 2000", {5, 0, 2195, osp::WindowsNT, ""}, "Microsoft Windows 2000", "5.00.2195", "Not Available"},
      {"Windows XP", {5, 1, 2600, osp::WindowsNT, "Service Pack 2"}, "Microsoft Windows XP Build 2600", "5.01.2600",
       "Service Pack 2"},
      {"Windows NT 4", {4, 0, 1381, osp::WindowsNT, "Service Pack 6"}, "Microsoft Windows NT", "4.00.1381",
       "Service Pack 6"},
  };
  for (const VersionCase& c : cases) {
    SCOPED_TRACE(c.name);
    machine.system.version = c.version;
    refresh();
    EXPECT_EQ(value(page.lblWin), c.osType);
    EXPECT_EQ(value(page.lblWinVer), c.versionText);
    EXPECT_EQ(value(page.lblWinAdditional), c.additional);
  }
}

TEST_F(HardwarePage, KilobytesRoundToTheNearestHalvesToEven) {
  const struct {
    uint64_t bytes;
    int64_t kilobytes;
  } cases[] = {{0, 0}, {511, 0}, {512, 0}, {513, 1}, {1535, 1}, {1536, 2}, {2560, 2}, {3584, 4}, {268435456, 262144}};
  for (const auto& c : cases) EXPECT_EQ(hardware::kilobytes(c.bytes), c.kilobytes) << c.bytes << " bytes";
}

TEST_F(HardwarePage, MemoryOf256MegabytesAndProcessorFacts) {
  refresh();
  EXPECT_EQ(value(page.lblPhysical), " 262144 kByte");
  EXPECT_EQ(value(page.lblFreePhysical), " 102400 kByte");
  EXPECT_EQ(value(page.lblUsedPhysical), " 159744 kByte");
  EXPECT_EQ(value(page.lblVirtual), " 2097152 kByte");
  EXPECT_EQ(value(page.lblSwapFile), " 614400 kByte");
  EXPECT_EQ(value(page.lblUsedSwap), " 204800 kByte");
  EXPECT_EQ(value(page.lblVirtualAlloc), " 4096");
  EXPECT_EQ(value(page.lblLowLoadAddr), "10000");
  EXPECT_EQ(value(page.lblHighLoadAddr), "7FFEFFFF");
  EXPECT_EQ(value(page.lblNumProcessors), " 1");
  EXPECT_EQ(value(page.lblBlockAddress), " 65536");
  EXPECT_EQ(page.lblPhysical[0].caption(), "Physical memory :");
  EXPECT_EQ(page.lblUsedSwap[0].caption(), "Used swap file memory :");
}

TEST_F(HardwarePage, UsedIsTheShownTotalLessTheShownFree) {
  // 262144.5 kB shows as 262144 and 102401.5 kB as 102402: used must read 159742, not the
  // 159743 the byte counts would round to.
  machine.system.memory.totalPhys = 262144ull * 1024 + 512;
  machine.system.memory.availPhys = 102401ull * 1024 + 512;
  refresh();
  EXPECT_EQ(value(page.lblPhysical), " 262144 kByte");
  EXPECT_EQ(value(page.lblFreePhysical), " 102402 kByte");
  EXPECT_EQ(value(page.lblUsedPhysical), " 159742 kByte");
}

TEST_F(HardwarePage, MachinesOfThreeAndFiveGigabytesShowTheirTrueSize) {
  machine.system.memory.totalPhys = 3ull << 30;
  machine.system.memory.availPhys = 1ull << 30;
  refresh();
  EXPECT_EQ(value(page.lblPhysical), " 3145728 kByte");
  EXPECT_EQ(value(page.lblUsedPhysical), " 2097152 kByte");

  machine.system.memory.totalPhys = 5ull << 30;
  machine.system.memory.availPhys = 4ull << 30;
  machine.system.memory.totalPageFile = 6ull << 30;
  machine.system.memory.availPageFile = 5ull << 30;
  // A 64-bit process: 128 TB of address space.
  machine.system.memory.totalVirtual = 0x7FFFFFFE0000ull;
  machine.system.processor.maximumApplicationAddress = 0x7FFFFFFEFFFFull;
  refresh();
  EXPECT_EQ(value(page.lblPhysical), " 5242880 kByte");
  EXPECT_EQ(value(page.lblFreePhysical), " 4194304 kByte");
  EXPECT_EQ(value(page.lblUsedPhysical), " 1048576 kByte");
  EXPECT_EQ(value(page.lblSwapFile), " 6291456 kByte");
  EXPECT_EQ(value(page.lblVirtual), " 137438953344 kByte");
  EXPECT_EQ(value(page.lblHighLoadAddr), "7FFFFFFEFFFF");
}

TEST_F(HardwarePage, TheTimerRefreshesAndAFailedQueryKeepsWhatWasShown) {
  refresh();
  machine.system.memory.availPhys = 50ull << 20;
  app::WaitSeconds(app.os, 0.15);
  EXPECT_EQ(value(page.lblFreePhysical), " 51200 kByte");

  machine.system.memoryFails = true;
  machine.system.versionFails = true;
  machine.system.memory.availPhys = 10ull << 20;
  app::WaitSeconds(app.os, 0.15);
  EXPECT_EQ(value(page.lblFreePhysical), " 51200 kByte");
  EXPECT_EQ(value(page.lblWinVer), "5.01.2600");
  EXPECT_EQ(value(page.lblNumProcessors), " 1");
}

}  // namespace
