#pragma once
// Watches the status list of a program on the simulated machine: each start of a whole run
// empties it first, and every line added to it is seen.
#include <functional>
#include <string>
#include <vector>

#include "TestApp.h"
#include "ui/Control.h"

// Each start of a whole run empties the status list first: its moments on the clock.
// onLine sees every line added to the list.
struct RunStarts : ui::ControlObserver {
  RunStarts(const ui::ListBox& list, TestApp& t) : list(list), t(t) { ui::Control::setObserver(this); }
  ~RunStarts() override { ui::Control::setObserver(nullptr); }
  void controlChanged(ui::Control& control, ui::Change change, int detail) override {
    if (&control != &list) return;
    if (change == ui::Change::ItemsCleared) at.push_back(t.now());
    if (change == ui::Change::ItemAdded && onLine) onLine(list.list(detail));
  }
  const ui::ListBox& list;
  TestApp& t;
  std::vector<uint32_t> at;
  std::function<void(const std::string&)> onLine;
};
