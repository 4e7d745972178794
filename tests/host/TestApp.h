#pragma once
// A program on a simulated machine, for tests that drive it as a user would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Catalogue.h"
#include "engine/Executor.h"
#include "platform/sim/SimMachine.h"
#include "program/App.h"

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
  // Cleans the catalogue item of this caption alone, as a run's executor does, its targets
  // going to app.flags.plan.
  void cleanItem(const std::string& caption) {
    for (const engine::CleaningItem& item : engine::catalogue())
      if (caption == item.caption) return engine::executeItem(item, app.run(), engine::Mode::Clean);
    ADD_FAILURE() << "no item " << caption;
  }
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
