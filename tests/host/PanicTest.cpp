// The panic key on the virtual clock: what it hides, closes and cleans, in which order,
// how it behaves during a run, with a browser that will not close, and pressed twice;
// the key table and the blinking hint.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "app/Wait.h"
#include "panic/Panic.h"
#include "panic/PanicKey.h"
#include "program/Startup.h"
#include "settings/SettingsStore.h"

namespace {

using platform::sim::SimDesktop;
namespace vkey = platform::vkey;
constexpr uint32_t WM_CLOSE = 0x10, WM_COMMAND = 0x111;

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class PanicKey : public ::testing::Test, protected TestApp {
 protected:
  void SetUp() override {
    taskbar = machine.desktop.open("Shell_TrayWnd", "");
    program::Form_Load(app);
    app.frm.chkWinSettings[5].setValue(1);  // Cleaning Clipboard...
  }
  // Ctrl and the key pressed together at `atMs`, let go 200 ms later.
  void pressAt(uint32_t atMs, int key = vkey::F11) {
    machine.loop.at(atMs, [this, key] {
      machine.desktop.press(vkey::Control);
      machine.desktop.press(key);
    });
    machine.loop.at(atMs + 200, [this, key] {
      machine.desktop.release(key);
      machine.desktop.release(vkey::Control);
    });
  }
  std::vector<std::string> postedClasses() const {
    std::vector<std::string> out;
    for (const SimDesktop::Message& m : machine.desktop.posted)
      out.push_back(m.className + " " + std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
                    std::to_string(m.lParam));
    return out;
  }
  platform::WindowHandle taskbar = 0;
};

TEST_F(PanicKey, HidesClosesTheBrowsersMinimisesCleansAndUnloadsInThatOrder) {
  for (int i = 0; i < 3; ++i) machine.desktop.open("IEFrame", "Start page - Microsoft Internet Explorer");
  machine.desktop.open("MozillaWindowClass", "Netscape 7.1 Mail");
  machine.desktop.open("MozillaWindowClass", "News - NETSCAPE");  // on top: found first
  bool hiddenAtFirstClose = false, cleanedBeforeMinimise = true;
  uint32_t firstPostAt = 0;
  machine.desktop.onPost = [&](const SimDesktop::Message& m) {
    if (!firstPostAt) {
      firstPostAt = now();
      hiddenAtFirstClose = !app.frm.form.visible() && machine.shell.trayIcons == 0;
    }
    if (m.message == WM_COMMAND) cleanedBeforeMinimise = contains(lines(), "Cleaning Clipboard...");
  };
  const uint32_t pressed = now() + 1000;
  pressAt(pressed);
  app::WaitSeconds(app.os, 5);

  EXPECT_GE(firstPostAt, pressed);
  EXPECT_LE(firstPostAt, pressed + 60) << "the 50 ms poll sees the keys";
  EXPECT_TRUE(hiddenAtFirstClose);
  EXPECT_EQ(postedClasses(), (std::vector<std::string>{"IEFrame 16 1 1", "IEFrame 16 1 1", "IEFrame 16 1 1",
                                                       "MozillaWindowClass 16 0 0", "Shell_TrayWnd 273 419 0"}));
  EXPECT_EQ(machine.desktop.windowText(machine.desktop.findWindowByClass("MozillaWindowClass")), "Netscape 7.1 Mail");
  EXPECT_FALSE(cleanedBeforeMinimise);
  const std::vector<std::string> got = lines();
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(got.end() - 3, got.end()),
            (std::vector<std::string>{"Cleaning Clipboard...", "Done...", std::string(43, ' ')}));
  EXPECT_TRUE(app.unloaded);
  EXPECT_FALSE(app.panicking);
  EXPECT_EQ(machine.shell.trayIcons, 0);
}

TEST_F(PanicKey, DuringARunOnlySweepsAndTheRunEndsTheProgram) {
  machine.desktop.open("IEFrame", "Microsoft Internet Explorer");
  app.frm.chkWinSettings[0].setValue(1);
  pressAt(now() + 2500);
  EXPECT_THROW(app::cmdClean_Click(app), platform::ProgramEnded);
  const std::vector<std::string> got = lines();
  EXPECT_EQ(std::count(got.begin(), got.end(), "Cleaning Clipboard..."), 1) << "one pass only";
  EXPECT_EQ(got[got.size() - 6], "Cleaning Is Done.");
  EXPECT_EQ(machine.desktop.countOfClass("IEFrame"), 0u);
  EXPECT_FALSE(app.frm.form.visible());
  EXPECT_TRUE(app.unloaded) << "the session's choices are saved before the program ends";
}

TEST_F(PanicKey, ABrowserThatWillNotCloseHoldsThePanicTenSecondsAndASecondPressDoesNotNest) {
  const platform::WindowHandle stubborn = machine.desktop.open("IEFrame", "Internet Explorer");
  machine.desktop.window(stubborn).refusesClose = true;
  machine.desktop.open("MozillaWindowClass", "Netscape");
  uint32_t firstClose = 0, netscapeClose = 0;
  machine.desktop.onPost = [&](const SimDesktop::Message& m) {
    if (m.className == "IEFrame" && !firstClose) firstClose = now();
    if (m.className == "MozillaWindowClass") netscapeClose = now();
  };
  const uint32_t pressed = now() + 1000;
  pressAt(pressed);
  // Ctrl+F11 again while the sweep still waits for the browser.
  machine.loop.at(pressed + 3000, [&] { panic::Panic(app); });
  app::WaitSeconds(app.os, 20);

  EXPECT_GE(netscapeClose - firstClose, 10000u);
  EXPECT_LE(netscapeClose - firstClose, 10100u);
  const auto& posted = machine.desktop.posted;
  EXPECT_EQ(std::count_if(posted.begin(), posted.end(), [](auto& m) { return m.className == "MozillaWindowClass"; }), 1);
  EXPECT_EQ(std::count_if(posted.begin(), posted.end(), [](auto& m) { return m.message == WM_COMMAND; }), 1);
  const std::vector<std::string> got = lines();
  EXPECT_EQ(std::count(got.begin(), got.end(), "Cleaning Clipboard..."), 1);
  EXPECT_TRUE(app.unloaded);
}

TEST_F(PanicKey, TheChosenKeyIsStoredAndAKeyTheListLacksGivesWayToTheF11Shown) {
  app.frm.cmbPanic.setText("F12");
  app.frm.startUp.cmbPanOK.click();
  EXPECT_EQ(app.panicKey, 123);
  EXPECT_EQ(settings::GetSetting(machine.registry, "Quellery", "panic", "panKey", "none"), "123");

  // F1 is no entry of the list: F11 is shown and put in force, as for any code outside F2 to F12.
  app.panicKey = 112;
  panic::getPanicSetting(app);
  EXPECT_EQ(app.frm.cmbPanic.text(), "F11");
  EXPECT_EQ(app.panicKey, 122);

  app.panicKey = 5;
  panic::getPanicSetting(app);
  EXPECT_EQ(app.frm.cmbPanic.text(), "F11");
  pressAt(now() + 100, 5);
  app::WaitSeconds(app.os, 1);
  EXPECT_FALSE(app.unloaded) << "Ctrl with key 5 is not the key shown";
  pressAt(now() + 100, vkey::F11);
  app::WaitSeconds(app.os, 3);
  EXPECT_TRUE(app.unloaded) << "Ctrl+F11, the key shown, panics";
}

TEST_F(PanicKey, TheKeyListOffersItsEntriesOnlyAndTheHintShowsTheStoredKey) {
  app.frm.cmbPanic.setText("F7");
  app.frm.cmbPanic.setText("F1");  // typed: not an entry of the list
  EXPECT_EQ(app.frm.cmbPanic.text(), "F7");
  app.frm.startUp.cmbPanOK.click();
  EXPECT_EQ(settings::GetSetting(machine.registry, "Quellery", "panic", "panKey", "none"), "118");
  app.panicHintKeyNext = true;
  panic::timPanic_Timer(app);
  EXPECT_EQ(app.frm.cleaning.lblPanic.caption(), "Ctrl+F7");
}

TEST_F(PanicKey, TheHintBlinksTwiceASecondAndShowsDuringARun) {
  app.frm.cmbPanic.setText("F9");
  std::vector<std::string> captions;
  bool shownDuringRun = false;
  for (int i = 0; i < 4; ++i)
    machine.loop.at(now() + 1250 + 500 * i, [&] {
      captions.push_back(app.frm.cleaning.lblPanic.caption());
      shownDuringRun = app.frm.cleaning.fraPanic.visible();
    });
  app::cmdClean_Click(app);
  // The first blink, 500 ms after start, shows "Panic"; the second the key.
  EXPECT_EQ(captions, (std::vector<std::string>{"Ctrl+F9", "Panic", "Ctrl+F9", "Panic"}));
  EXPECT_TRUE(shownDuringRun);
  EXPECT_FALSE(app.frm.cleaning.fraPanic.visible());
}

}  // namespace
