// How the view follows each change of each kind of control: one rule per pair, the way
// ControlFactory designs a window per kind.
#include "view/MainView.h"

#include "program/App.h"
#include "ui/TreeView.h"
#include "view/ListViewFace.h"
#include "view/WindowText.h"

namespace view {

using ui::Change;
using ui::Kind;

namespace {

// The rule of every kind that has none of its own for the change.
constexpr Kind kAny = static_cast<Kind>(-1);

int checkState(int value) { return value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED; }

ui::ListBox& listOf(ui::Control& control) { return static_cast<ui::ListBox&>(control); }
ui::ListView& listViewOf(ui::Control& control) { return static_cast<ui::ListView&>(control); }

}  // namespace

struct MainView::ApplyRule {
  Kind kind;  // or kAny
  Change change;
  void (*apply)(MainView& view, ui::Control& control, HWND hwnd, int detail);
};

const std::vector<MainView::ApplyRule>& MainView::applyRules() {
  using V = MainView;
  using C = ui::Control;
  static const std::vector<ApplyRule> rules = {
      // Captions: a caption bar shows '&' as it is; a frame's group box carries its caption.
      {Kind::Form, Change::Caption, [](V&, C& c, HWND h, int) { SetWindowTextA(h, c.caption().c_str()); }},
      {Kind::Frame, Change::Caption,
       [](V& v, C& c, HWND, int) { SetWindowTextA(v.groupBoxes_[&c], escapeMnemonics(c.caption()).c_str()); }},
      {kAny, Change::Caption,
       [](V&, C& c, HWND h, int) { SetWindowTextA(h, escapeMnemonics(c.caption()).c_str()); }},

      {Kind::CheckBox, Change::Value,
       [](V&, C& c, HWND h, int) { SendMessageA(h, BM_SETCHECK, checkState(static_cast<ui::CheckBox&>(c).value()), 0); }},
      {Kind::OptionButton, Change::Value,
       [](V&, C& c, HWND h, int) {
         SendMessageA(h, BM_SETCHECK, static_cast<ui::OptionButton&>(c).value() ? BST_CHECKED : BST_UNCHECKED, 0);
       }},
      {Kind::Picker, Change::Value,
       [](V&, C& c, HWND h, int) {
         auto& picker = static_cast<ui::TimePicker&>(c);
         SYSTEMTIME time;
         GetLocalTime(&time);
         time.wHour = static_cast<WORD>(picker.hour());
         time.wMinute = static_cast<WORD>(picker.minute());
         time.wSecond = time.wMilliseconds = 0;
         SendMessageA(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
       }},
      {Kind::ProgressBar, Change::Value,
       [](V&, C& c, HWND h, int) { showProgress(h, static_cast<ui::ProgressBar&>(c)); }},

      {kAny, Change::Enabled,
       [](V& v, C& c, HWND h, int) {
         EnableWindow(h, c.enabled());
         // Back from a modal window: the main window takes the focus again, not another program.
         if (h == v.main_ && c.enabled() && IsWindowVisible(h)) SetActiveWindow(h);
       }},

      {Kind::Form, Change::Visible,
       [](V& v, C& c, HWND h, int) {
         if (&c == &v.app_.frm.form && c.visible()) v.showPages();  // the page in front shows with it
         ShowWindow(h, c.visible() ? SW_SHOW : SW_HIDE);
         if (c.visible()) UpdateWindow(h);
         if (h == v.main_ && c.visible() && !v.toolTips_) PostMessageA(h, kAfterFirstShow, 0, 0);
       }},
      {kAny, Change::Visible,
       [](V& v, C& c, HWND h, int) { ShowWindow(h, v.shownInView(c) ? SW_SHOWNA : SW_HIDE); }},

      {Kind::Form, Change::ZOrder, [](V&, C&, HWND h, int) { BringWindowToTop(h); }},
      {kAny, Change::ZOrder,
       [](V&, C&, HWND h, int) {
         SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
         InvalidateRect(h, nullptr, TRUE);
       }},

      // List boxes and combo boxes.
      {Kind::ListBox, Change::ItemAdded,
       [](V&, C& c, HWND h, int i) { SendMessageA(h, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(listOf(c).list(i).c_str())); }},
      {Kind::ComboBox, Change::ItemAdded,
       [](V&, C& c, HWND h, int i) { SendMessageA(h, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(listOf(c).list(i).c_str())); }},
      {Kind::DropDownList, Change::ItemAdded,
       [](V&, C& c, HWND h, int i) { SendMessageA(h, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(listOf(c).list(i).c_str())); }},
      {Kind::ListBox, Change::ItemRemoved, [](V&, C&, HWND h, int i) { SendMessageA(h, LB_DELETESTRING, i, 0); }},
      {Kind::ComboBox, Change::ItemRemoved, [](V&, C&, HWND h, int i) { SendMessageA(h, CB_DELETESTRING, i, 0); }},
      {Kind::DropDownList, Change::ItemRemoved, [](V&, C&, HWND h, int i) { SendMessageA(h, CB_DELETESTRING, i, 0); }},
      {Kind::ListBox, Change::ItemsCleared, [](V&, C&, HWND h, int) { SendMessageA(h, LB_RESETCONTENT, 0, 0); }},
      {Kind::ComboBox, Change::ItemsCleared, [](V&, C&, HWND h, int) { SendMessageA(h, CB_RESETCONTENT, 0, 0); }},
      {Kind::DropDownList, Change::ItemsCleared, [](V&, C&, HWND h, int) { SendMessageA(h, CB_RESETCONTENT, 0, 0); }},
      {Kind::ListBox, Change::Selection,
       [](V&, C& c, HWND h, int i) {
         auto& list = listOf(c);
         if (!list.multiSelect) {
           SendMessageA(h, LB_SETCURSEL, list.listIndex(), 0);
           return;
         }
         if (i >= 0 && i < list.listCount()) SendMessageA(h, LB_SETSEL, list.selected(i), i);
         if (list.listIndex() >= 0) SendMessageA(h, LB_SETCARETINDEX, list.listIndex(), FALSE);
       }},
      {Kind::ComboBox, Change::Selection,
       [](V&, C& c, HWND h, int) { SendMessageA(h, CB_SETCURSEL, listOf(c).listIndex(), 0); }},
      {Kind::DropDownList, Change::Selection,
       [](V&, C& c, HWND h, int) { SendMessageA(h, CB_SETCURSEL, listOf(c).listIndex(), 0); }},
      // What the user just typed is already there; writing it again would move the caret.
      {Kind::TextBox, Change::Text,
       [](V&, C& c, HWND h, int) {
         const std::string& text = static_cast<ui::TextBox&>(c).text();
         if (windowText(h) != text) SetWindowTextA(h, text.c_str());
       }},
      {Kind::ComboBox, Change::Text,
       [](V&, C& c, HWND h, int) {
         const std::string text = listOf(c).text();
         if (windowText(h) != text) SetWindowTextA(h, text.c_str());
       }},
      {Kind::DropDownList, Change::Text,
       [](V&, C& c, HWND h, int) {
         const std::string text = listOf(c).text();
         if (windowText(h) != text) SetWindowTextA(h, text.c_str());
       }},

      // Tree view.
      {Kind::TreeView, Change::Selection,
       [](V& v, C&, HWND h, int node) {
         if (HTREEITEM item = v.treeItem(node)) SendMessageA(h, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
       }},
      {Kind::TreeView, Change::NodeAdded, [](V& v, C&, HWND, int node) { v.insertNode(node); }},
      {Kind::TreeView, Change::NodeExpanded,
       [](V& v, C&, HWND h, int node) {
         if (HTREEITEM item = v.treeItem(node))
           SendMessageA(h, TVM_EXPAND, v.app_.frm.tvw1.node(node).expanded ? TVE_EXPAND : TVE_COLLAPSE,
                        reinterpret_cast<LPARAM>(item));
       }},

      // List view.
      {Kind::ListView, Change::Columns, [](V&, C& c, HWND h, int) { showColumns(h, listViewOf(c)); }},
      {Kind::ListView, Change::Rows, [](V&, C& c, HWND h, int) { showRows(h, listViewOf(c)); }},
      {Kind::ListView, Change::Selection, [](V&, C& c, HWND h, int) { showSelectedRow(h, listViewOf(c)); }},

      {kAny, Change::FillColor, [](V&, C&, HWND h, int) { InvalidateRect(h, nullptr, FALSE); }},
      {kAny, Change::ForeColor, [](V&, C&, HWND h, int) { InvalidateRect(h, nullptr, TRUE); }},
      {Kind::StatusBar, Change::PanelText,
       [](V& v, C&, HWND h, int panel) {
         const std::string& text = v.app_.frm.stBar.panelText(panel);
         v.panelShown_[panel - 1] = text;
         SendMessageA(h, SB_SETTEXTA, panel - 1, reinterpret_cast<LPARAM>(text.c_str()));
       }},
      {kAny, Change::Bounds,
       [](V&, C& c, HWND h, int) {
         const WindowDesign design = designFor(c);
         MoveWindow(h, design.rect.left, design.rect.top, design.rect.right - design.rect.left,
                    design.rect.bottom - design.rect.top, TRUE);
       }},
  };
  return rules;
}

void MainView::apply(ui::Control& control, ui::Change change, int detail) {
  // A page may come to the front before it has windows; showing it builds them.
  if (isPage(control) && (change == Change::Visible || change == Change::ZOrder)) {
    showPages();
    return;
  }
  HWND hwnd = handleOf(control);
  if (!hwnd) return;
  const ApplyRule* general = nullptr;
  for (const ApplyRule& rule : applyRules()) {
    if (rule.change != change) continue;
    if (rule.kind == control.kind()) {
      rule.apply(*this, control, hwnd, detail);
      return;
    }
    if (rule.kind == kAny && !general) general = &rule;
  }
  if (general) general->apply(*this, control, hwnd, detail);
}

}  // namespace view
