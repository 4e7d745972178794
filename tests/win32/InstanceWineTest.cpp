// One copy at a time, under Wine: a window copy gives way to another window copy at once,
// and waits out a command-line run until it ends.
#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/Win32System.h"

namespace {

using platform::win32::Win32System;

constexpr char kName[] = "Quellery.InstanceWineTest";

TEST(Instances, AWindowCopyGivesWayToAWindowButWaitsOutACommandLineRun) {
  {
    Win32System window(kName);
    ASSERT_FALSE(window.anotherInstanceRunning());
    Win32System second(kName);
    ASSERT_TRUE(second.anotherInstanceRunning());
    const DWORD asked = GetTickCount();
    EXPECT_FALSE(second.waitOutCommandLineRun(5000)) << "the user's own window is no command-line run";
    EXPECT_LT(GetTickCount() - asked, 1000u) << "and is not waited for";
  }
  auto commandLine = std::make_unique<Win32System>(kName);
  ASSERT_FALSE(commandLine->anotherInstanceRunning());
  commandLine->markCommandLineRun();
  Win32System startUp(kName);
  ASSERT_TRUE(startUp.anotherInstanceRunning());
  EXPECT_FALSE(startUp.waitOutCommandLineRun(600)) << "the run still goes on";
  commandLine.reset();  // the /clean ends
  EXPECT_TRUE(startUp.waitOutCommandLineRun(5000));
  Win32System third(kName);
  EXPECT_TRUE(third.anotherInstanceRunning()) << "the start-up copy now holds the name";
}

}  // namespace
