#pragma once
// The Win32 face of frmMain and of the windows it opens (frmCustom): real windows built
// from the model, kept in step with it both ways. Model changes arrive through
// ui::ControlObserver; clicks and edits go back as the model's own calls, which raise the
// program's handlers. Another form gets its windows the first time it is shown, owned by
// the main window.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <vector>

#include "ui/Controls.h"
#include "ui/ListView.h"
#include "view/ControlFactory.h"

namespace program {
class App;
}

namespace view {

class MainView : public ui::ControlObserver {
 public:
  // Builds the main window hidden, without its pages (each gets its windows when first
  // shown), and records the window and its icon in the form model, so that nothing shows
  // before Form_Load decides to.
  MainView(program::App& app, HINSTANCE instance);
  ~MainView() override;
  MainView(const MainView&) = delete;
  MainView& operator=(const MainView&) = delete;

  // Form_Load, then the activation that arrived while it ran.
  void runFormLoad();
  // A dialog form made on demand gets its window when shown, as every form does; true when
  // it has one. The program waits for it to close, then has the window destroyed before
  // the form goes.
  bool openDialog(ui::Form& form);
  void closeDialog(ui::Form& form);

  HWND window() const { return main_; }
  HWND handleOf(const ui::Control& control) const;
  ui::Control* controlOf(HWND hwnd) const;
  HTREEITEM treeItem(int node) const;

  void controlChanged(ui::Control& control, ui::Change change, int detail) override;

 private:
  static bool formPrologue(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, MainView** view, LRESULT* result);
  static LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ownedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK shapeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static void registerClasses(HINSTANCE instance);

  void build(ui::Control& control, HWND parent);
  void forget(ui::Control& control);
  HWND createForm(ui::Form& form, const WindowDesign& design);
  void buildOwnedForm(ui::Form& form);
  void stackChildren(ui::Control& control);
  void buildPage(ui::Frame& page);
  void attachBuddies(const ui::Control& root);
  void createToolTips();
  void addToolTips(const ui::Control& root);
  void createImageList();
  bool isPage(const ui::Control& control) const;
  bool shownInView(const ui::Control& control) const;
  void showPages();
  // How the view follows a change: one rule per kind of control and change (ApplyRules.cpp).
  struct ApplyRule;
  static const std::vector<ApplyRule>& applyRules();
  void apply(ui::Control& control, ui::Change change, int detail);
  void onListViewNotify(ui::ListView& list, NMHDR* header);
  void insertNode(int node);
  void refreshStatusPanels(bool all);

  // Messages that children send to their parent (the main window or a frame).
  bool parentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  void onCommand(HWND from, int code);
  LRESULT onNotify(NMHDR* header);
  void onTreeClick();
  void closeForm(int unloadMode);

  template <typename F>
  void handler(F&& f);

  // Posted once the main window has shown: what no one sees before pointing at a control.
  static constexpr UINT kAfterFirstShow = WM_APP + 1;

  program::App& app_;
  HINSTANCE instance_;
  HWND main_ = nullptr;
  HFONT font_ = nullptr, linkFont_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HWND toolTips_ = nullptr;
  std::map<const ui::Control*, HWND> windows_;
  std::map<HWND, ui::Control*> controls_;
  std::map<const ui::Control*, HWND> groupBoxes_;
  std::vector<HTREEITEM> nodes_;  // by node number - 1
  std::map<int, std::string> panelShown_;
  int nextUnlistedId_;
  int applying_ = 0;           // >0 while the view follows the model: ignore control echoes
  bool loaded_ = false, activatePending_ = false, closing_ = false;
  // A dialog opened inside a click's handler: the main window's activation waits until
  // that handler is done with what the dialog chose, past the clicks inside the dialog.
  bool deferActivate_ = false;
  int dialogsOpen_ = 0;
};

}  // namespace view
