#pragma once
// A program on a simulated machine, for tests that drive it as a user would.
#include <string>
#include <vector>

#include "program/App.h"
#include "platform/sim/SimMachine.h"

struct TestApp {
  platform::sim::SimMachine machine;
  program::App app{machine.platform()};

  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    const ui::ListBox& list = app.frm.lstClean;
    for (int i = 0; i < list.listCount(); ++i) out.push_back(list.list(i));
    return out;
  }
  uint32_t now() { return machine.loop.tickCount(); }
  // Ctrl+F11, the panic key until another is chosen, held 200 ms from `atMs`.
  void pressPanicKeyAt(uint32_t atMs) {
    machine.loop.at(atMs, [this] {
      machine.desktop.press(platform::vkey::Control);
      machine.desktop.press(platform::vkey::F11);
    });
    machine.loop.at(atMs + 200, [this] {
      machine.desktop.release(platform::vkey::F11);
      machine.desktop.release(platform::vkey::Control);
    });
  }
};
