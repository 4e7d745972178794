#pragma once
// frmCustom: the browser customisation window, a model of its controls. It is loaded while
// `loaded` holds and shown modally over the main window.
#include "ui/Controls.h"

namespace custom {

struct CustomWindow {
  CustomWindow();

  ui::Form form;  // "Custom Settings"
  // Internet Explorer's start page.
  ui::Frame fraCustSettigs;
  ui::Label lblHomePage;
  ui::TextBox txthome;
  ui::Button cmdSet, cmdUseBlank;
  // The Favorites guard.
  ui::Frame fraAutoBookMark;
  ui::Label lblAutoBookMark;
  ui::Button cmdEnableAutoBookMark, cmdDisableAutoBookMark;

  bool loaded = false;
};

}  // namespace custom
