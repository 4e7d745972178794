#include "view/MainView.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "../../res/resource.h"
#include "program/App.h"
#include "program/Startup.h"
#include "ui/TimeFormat.h"
#include "ui/TreeView.h"
#include "view/ControlFactory.h"
#include "view/ControlIds.h"
#include "view/ListViewFace.h"
#include "view/StatusPanels.h"
#include "view/Twips.h"
#include "view/WindowText.h"

namespace view {

namespace {

constexpr UINT_PTR kStatusTimer = 1;  // date, time and key indicators
constexpr UINT kStatusRefreshMs = 250;
const char kMainClass[] = "QuelleryMain";
const char kOwnedClass[] = "QuelleryOwned";

void initCommonControls() {
  // InitCommonControlsEx is missing from the first Windows 95 common controls.
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  auto initEx = comctl ? reinterpret_cast<InitEx>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx"))) : nullptr;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES |
                                              ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS |
                                              ICC_LISTVIEW_CLASSES};
  if (!initEx || !initEx(&icc)) InitCommonControls();
}

// Fills a window with the dialog face colour; answers WM_ERASEBKGND.
LRESULT eraseFace(HWND hwnd, WPARAM wParam) {
  RECT area;
  GetClientRect(hwnd, &area);
  FillRect(reinterpret_cast<HDC>(wParam), &area, GetSysColorBrush(COLOR_BTNFACE));
  return 1;
}

MainView* viewOf(HWND hwnd) { return reinterpret_cast<MainView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

std::string localeText(LCTYPE item) {
  char text[32] = "";
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text, sizeof text) > 0 ? text : "";
}

std::string pickerFormat() { return ui::pickerTimeFormat(localeText(LOCALE_S1159), localeText(LOCALE_S2359)); }

}  // namespace

template <typename F>
void MainView::handler(F&& f) {
  // The program's handlers report their own errors; nothing unwinds into Windows.
  try {
    f();
  } catch (const std::exception&) {
  } catch (...) {
  }
}

void MainView::registerClasses(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpfnWndProc = &MainView::mainProc;
  wc.lpszClassName = kMainClass;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
  RegisterClassA(&wc);
  wc.hIcon = nullptr;
  wc.lpfnWndProc = &MainView::ownedProc;
  wc.lpszClassName = kOwnedClass;
  RegisterClassA(&wc);
  wc.lpfnWndProc = &MainView::frameProc;
  wc.lpszClassName = kFrameClass;
  RegisterClassA(&wc);
  wc.lpfnWndProc = &MainView::shapeProc;
  wc.lpszClassName = kShapeClass;
  wc.hbrBackground = nullptr;
  RegisterClassA(&wc);
}

MainView::MainView(program::App& app, HINSTANCE instance)
    : app_(app), instance_(instance), nextUnlistedId_(kFirstUnlistedId) {
  initCommonControls();
  registerClasses(instance);
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA link = {};
  GetObjectA(font_, sizeof link, &link);
  link.lfUnderline = TRUE;
  linkFont_ = CreateFontIndirectA(&link);

  // A form is not shown until Form_Load shows it; the model learns that here, so that
  // its setVisible(true) reaches the window.
  app_.frm.form.setVisible(false);
  build(app_.frm.form, nullptr);
  stackChildren(app_.frm.form);
  attachBuddies(app_.frm.form);
  createImageList();
  refreshStatusPanels(true);

  ui::Form& form = app_.frm.form;
  form.hWnd = reinterpret_cast<std::uintptr_t>(main_);
  HICON icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_APP));
  form.hIcon = reinterpret_cast<std::uintptr_t>(icon ? icon : LoadIconA(nullptr, IDI_APPLICATION));
  ui::Control::setObserver(this);
  SetTimer(main_, kStatusTimer, kStatusRefreshMs, nullptr);
  app_.openDialog = [this](ui::Form& dialog) { return openDialog(dialog); };
  app_.closeDialog = [this](ui::Form& dialog) { closeDialog(dialog); };
}

MainView::~MainView() {
  app_.openDialog = nullptr;
  app_.closeDialog = nullptr;
  ui::Control::setObserver(nullptr);
  KillTimer(main_, kStatusTimer);
  SetWindowLongPtrA(main_, GWLP_USERDATA, 0);
  for (const auto& entry : windows_)
    if (entry.first->kind() == ui::Kind::Frame || entry.first->kind() == ui::Kind::Form)
      SetWindowLongPtrA(entry.second, GWLP_USERDATA, 0);
  if (toolTips_) DestroyWindow(toolTips_);
  DestroyWindow(main_);
  if (images_) ImageList_Destroy(images_);
  if (linkFont_) DeleteObject(linkFont_);
}

void MainView::runFormLoad() {
  handler([&] { program::Form_Load(app_); });
  loaded_ = true;
  if (activatePending_) {
    activatePending_ = false;
    handler([&] { program::Form_Activate(app_); });
  }
}

bool MainView::openDialog(ui::Form& form) {
  if (!handleOf(form)) return false;
  ++dialogsOpen_;
  deferActivate_ = true;
  return true;
}

void MainView::closeDialog(ui::Form& form) {
  HWND dialog = handleOf(form);
  --dialogsOpen_;
  deferActivate_ = true;
  forget(form);
  if (dialog) DestroyWindow(dialog);
  SetForegroundWindow(main_);
}

void MainView::forget(ui::Control& control) {
  for (ui::Control* child : control.children()) forget(*child);
  auto found = windows_.find(&control);
  if (found == windows_.end()) return;
  controls_.erase(found->second);
  groupBoxes_.erase(&control);
  windows_.erase(found);
}

HWND MainView::handleOf(const ui::Control& control) const {
  auto found = windows_.find(&control);
  return found == windows_.end() ? nullptr : found->second;
}

ui::Control* MainView::controlOf(HWND hwnd) const {
  auto found = controls_.find(hwnd);
  return found == controls_.end() ? nullptr : found->second;
}

HTREEITEM MainView::treeItem(int node) const {
  return node >= 1 && node <= static_cast<int>(nodes_.size()) ? nodes_[node - 1] : nullptr;
}

bool MainView::isPage(const ui::Control& control) const {
  return control.kind() == ui::Kind::Frame && control.parent() == &app_.frm.form;
}

bool MainView::shownInView(const ui::Control& control) const {
  if (!control.visible()) return false;
  // Pages share one place; only the one in front is drawn, which is what a user sees.
  return !isPage(control) || &control == app_.frm.frontPage();
}

void MainView::build(ui::Control& control, HWND parent) {
  WindowDesign design = designFor(control);
  HWND hwnd = nullptr;
  if (control.kind() == ui::Kind::Form) {
    hwnd = createForm(static_cast<ui::Form&>(control), design);
  } else {
    int id = controlId(control.name(), control.index());
    if (id == 0) id = nextUnlistedId_++;
    if (shownInView(control)) design.style |= WS_VISIBLE;
    const bool statusBar = control.kind() == ui::Kind::StatusBar;
    hwnd = CreateWindowExA(design.exStyle, design.className.c_str(), design.text.c_str(), design.style,
                           statusBar ? 0 : design.rect.left, statusBar ? 0 : design.rect.top,
                           statusBar ? 0 : design.rect.right - design.rect.left,
                           statusBar ? 0 : design.rect.bottom - design.rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (!hwnd) return;
    const bool link = control.kind() == ui::Kind::Label && static_cast<ui::Label&>(control).onClick;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(link ? linkFont_ : font_), FALSE);
  }
  if (!hwnd) return;
  windows_[&control] = hwnd;
  controls_[hwnd] = &control;

  switch (control.kind()) {
    case ui::Kind::Form:
      break;
    case ui::Kind::Frame: {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      HWND box = CreateWindowExA(0, "BUTTON", design.text.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0,
                                 design.rect.right - design.rect.left, design.rect.bottom - design.rect.top, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xFFFF)), instance_, nullptr);
      SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      groupBoxes_[&control] = box;
      break;
    }
    case ui::Kind::Shape:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
      break;
    case ui::Kind::StatusBar: {
      const std::vector<int> edges = panelRightEdges(static_cast<ui::StatusBar&>(control).panels(),
                                                     twipsToPixels(app_.frm.form.rect().width));
      SendMessageA(hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
      break;
    }
    case ui::Kind::Spinner:
      break;
    case ui::Kind::ListView:
      prepareListView(hwnd);
      ++applying_;
      apply(control, ui::Change::Columns, 0);
      apply(control, ui::Change::Rows, 0);
      --applying_;
      break;
    case ui::Kind::ProgressBar:
      apply(control, ui::Change::Value, 0);
      break;
    case ui::Kind::Picker:
      // Hours and minutes only.
      SendMessageA(hwnd, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(pickerFormat().c_str()));
      [[fallthrough]];
    case ui::Kind::CheckBox:
    case ui::Kind::OptionButton:
    case ui::Kind::ListBox:
    case ui::Kind::ComboBox:
    case ui::Kind::DropDownList:
    case ui::Kind::TreeView:
      // Whatever the model already holds.
      ++applying_;
      apply(control, ui::Change::Value, 0);
      if (control.kind() == ui::Kind::ListBox || ui::isCombo(control.kind())) {
        auto& list = static_cast<ui::ListBox&>(control);
        for (int i = 0; i < list.listCount(); ++i) apply(control, ui::Change::ItemAdded, i);
        if (list.multiSelect) {
          for (int i = 0; i < list.listCount(); ++i) apply(control, ui::Change::Selection, i);  // every mark
        } else {
          apply(control, ui::Change::Selection, list.listIndex());
        }
        if (control.kind() == ui::Kind::ComboBox) apply(control, ui::Change::Text, 0);  // typed, not listed
      }
      if (control.kind() == ui::Kind::TreeView)
        for (int i = 1; i <= static_cast<ui::TreeView&>(control).nodeCount(); ++i) insertNode(i);
      --applying_;
      break;
    default:
      break;
  }
  // A page gets its windows when it is first shown (showPages): the pages hold most of the
  // program's windows, and creating them all would delay the start.
  for (ui::Control* child : control.children())
    if (!isPage(*child)) build(*child, hwnd);
}

HWND MainView::createForm(ui::Form& form, const WindowDesign& design) {
  const bool owned = &form != &app_.frm.form;
  // Another form is a dialog over the main window: no minimise box, no task-bar button.
  const DWORD style = owned ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN : design.style;
  RECT frame = {0, 0, design.rect.right - design.rect.left, design.rect.bottom - design.rect.top};
  AdjustWindowRect(&frame, style, FALSE);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owned) GetWindowRect(main_, &area);
  const int x = area.left + (area.right - area.left - width) / 2, y = area.top + (area.bottom - area.top - height) / 2;
  HWND hwnd = CreateWindowExA(owned ? WS_EX_DLGMODALFRAME : 0, owned ? kOwnedClass : kMainClass, design.text.c_str(),
                              style, x > 0 ? x : 0, y > 0 ? y : 0, width, height, owned ? main_ : nullptr, nullptr,
                              instance_, this);
  if (!owned) main_ = hwnd;
  return hwnd;
}

void MainView::buildOwnedForm(ui::Form& form) {
  // Built hidden, then shown by the change that asked for it.
  build(form, main_);
  stackChildren(form);
  form.hWnd = reinterpret_cast<std::uintptr_t>(handleOf(form));
}

void MainView::stackChildren(ui::Control& control) {
  std::vector<ui::Control*> children = control.children();
  std::stable_sort(children.begin(), children.end(),
                   [](const ui::Control* a, const ui::Control* b) { return a->zStamp() < b->zStamp(); });
  // The control brought forward last ends on top, as in the model.
  for (ui::Control* child : children) {
    if (HWND hwnd = handleOf(*child))
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    stackChildren(*child);
  }
  auto box = groupBoxes_.find(&control);
  if (box != groupBoxes_.end())
    SetWindowPos(box->second, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainView::attachBuddies(const ui::Control& root) {
  for (const ui::Control* child : root.children()) attachBuddies(*child);
  HWND hwnd = handleOf(root);
  if (!hwnd || root.kind() != ui::Kind::Spinner) return;
  const auto& spin = static_cast<const ui::UpDown&>(root);
  if (spin.buddy)
    if (HWND buddy = handleOf(*spin.buddy)) SendMessageA(hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(hwnd, UDM_SETRANGE, 0, MAKELONG(static_cast<short>(spin.max), static_cast<short>(spin.min)));
}

void MainView::createToolTips() {
  if (toolTips_) return;
  toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance_, nullptr);
  addToolTips(app_.frm.form);
}

void MainView::addToolTips(const ui::Control& root) {
  for (const ui::Control* child : root.children()) addToolTips(*child);
  HWND hwnd = handleOf(root);
  if (!toolTips_ || !hwnd || root.toolTip.empty()) return;
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;  // the size the first common controls know
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  tool.lpszText = const_cast<char*>(root.toolTip.c_str());
  SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainView::createImageList() {
  HWND tree = handleOf(app_.frm.tvw1);
  if (!tree) return;
  images_ = ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, TREE_ICON_COUNT, 0);
  // One strip, in one step: loading each picture alone cost a visible part of the start.
  HBITMAP strip = static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCEA(IDB_TREE_ICONS), IMAGE_BITMAP, 0, 0, 0));
  if (strip) {
    ImageList_AddMasked(images_, strip, RGB(255, 0, 255));  // magenta is see-through
    DeleteObject(strip);
  }
  SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
}

void MainView::buildPage(ui::Frame& page) {
  // What the model holds now shows as the windows appear; nothing echoes back to it.
  ++applying_;
  build(page, main_);
  stackChildren(page);
  attachBuddies(page);
  addToolTips(page);
  --applying_;
}

void MainView::showPages() {
  for (ui::Frame* page : app_.frm.pages()) {
    if (!handleOf(*page) && shownInView(*page)) buildPage(*page);
    HWND hwnd = handleOf(*page);
    if (!hwnd) continue;
    if (shownInView(*page))
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  for (ui::Frame* page : app_.frm.pages())
    if (HWND hwnd = handleOf(*page); hwnd && !shownInView(*page)) ShowWindow(hwnd, SW_HIDE);
}

void MainView::insertNode(int node) {
  HWND tree = handleOf(app_.frm.tvw1);
  const ui::TreeView::Node& n = app_.frm.tvw1.node(node);
  TVINSERTSTRUCTA insert = {};
  insert.hParent = n.parent ? treeItem(n.parent) : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(n.text.c_str());
  insert.item.iImage = insert.item.iSelectedImage = n.image - 1;
  insert.item.lParam = node;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (static_cast<int>(nodes_.size()) < node) nodes_.resize(node);
  nodes_[node - 1] = item;
  // A branch is expanded in the model before it has children; a real tree can only
  // open it once the first child is there.
  if (n.parent && app_.frm.tvw1.node(n.parent).expanded)
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(treeItem(n.parent)));
}

void MainView::refreshStatusPanels(bool all) {
  HWND bar = handleOf(app_.frm.stBar);
  if (!bar) return;
  const auto& panels = app_.frm.stBar.panels();
  for (size_t i = 0; i < panels.size(); ++i) {
    const std::string text = currentPanelText(panels[i]);
    auto shown = panelShown_.find(static_cast<int>(i));
    if (!all && shown != panelShown_.end() && shown->second == text) continue;
    panelShown_[static_cast<int>(i)] = text;
    SendMessageA(bar, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void MainView::controlChanged(ui::Control& control, ui::Change change, int detail) {
  if (control.kind() == ui::Kind::Form && change == ui::Change::Visible && control.visible() && !handleOf(control))
    handler([&] { buildOwnedForm(static_cast<ui::Form&>(control)); });
  ++applying_;
  handler([&] { apply(control, change, detail); });
  --applying_;
}

void MainView::onCommand(HWND from, int code) {
  ui::Control* control = controlOf(from);
  if (!control || applying_) return;
  using ui::Kind;
  handler([&] {
    switch (control->kind()) {
      case Kind::Button:
        if (code == BN_CLICKED) static_cast<ui::Button*>(control)->click();
        break;
      case Kind::CheckBox:
        if (code == BN_CLICKED) {
          // A click ticks an empty box and empties a ticked or grey one.
          auto* box = static_cast<ui::CheckBox*>(control);
          box->setValue(box->value() == 0 ? 1 : 0);
        }
        break;
      case Kind::OptionButton:
        if (code == BN_CLICKED) static_cast<ui::OptionButton*>(control)->setValue(true);
        break;
      case Kind::Label:
        if (code == STN_CLICKED) static_cast<ui::Label*>(control)->click();
        break;
      case Kind::ListBox: {
        if (code == LBN_DBLCLK) static_cast<ui::ListBox*>(control)->dblClick();
        if (code != LBN_SELCHANGE) break;
        auto* list = static_cast<ui::ListBox*>(control);
        if (list->multiSelect) {
          // Read whole before the model's echoes move the caret back to the old index.
          const int caret = static_cast<int>(SendMessageA(from, LB_GETCARETINDEX, 0, 0));
          std::vector<bool> marks(list->listCount());
          for (int i = 0; i < list->listCount(); ++i) marks[i] = SendMessageA(from, LB_GETSEL, i, 0) > 0;
          list->takeUserMarks(marks, caret);
        } else {
          list->setListIndex(static_cast<int>(SendMessageA(from, LB_GETCURSEL, 0, 0)));
        }
        break;
      }
      case Kind::ComboBox:
      case Kind::DropDownList:
        if (code == CBN_SELCHANGE)
          static_cast<ui::ListBox*>(control)->setListIndex(static_cast<int>(SendMessageA(from, CB_GETCURSEL, 0, 0)));
        if (code == CBN_EDITCHANGE) static_cast<ui::ListBox*>(control)->setText(windowText(from));
        break;
      case Kind::TextBox:
        if (code == EN_CHANGE) static_cast<ui::TextBox*>(control)->setText(windowText(from));
        break;
      default:
        break;
    }
  });
  if (deferActivate_ && dialogsOpen_ == 0) {
    deferActivate_ = false;
    if (activatePending_) {
      activatePending_ = false;
      handler([&] { program::Form_Activate(app_); });
    }
  }
}

void MainView::onTreeClick() {
  HWND tree = handleOf(app_.frm.tvw1);
  const DWORD pos = GetMessagePos();
  TVHITTESTINFO hit = {};
  hit.pt.x = static_cast<short>(LOWORD(pos));
  hit.pt.y = static_cast<short>(HIWORD(pos));
  ScreenToClient(tree, &hit.pt);
  SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  const HTREEITEM caret = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  // The tree reports the click before it selects: a click on another node raises the
  // program's click through the selection change that follows.
  if (hit.hItem && (hit.flags & TVHT_ONITEM) && hit.hItem != caret) return;
  // A click on the selected node (or beside the nodes) still raises it, on that node.
  const int node = app_.frm.tvw1.selectedNode();
  if (node > 0) handler([&] { app_.frm.tvw1.clickNode(node); });
}

LRESULT MainView::onNotify(NMHDR* header) {
  ui::Control* control = controlOf(header->hwndFrom);
  if (!control || applying_) return 0;
  if (control->kind() == ui::Kind::TreeView) {
    auto& tree = static_cast<ui::TreeView&>(*control);
    auto* notice = reinterpret_cast<NMTREEVIEWA*>(header);
    switch (header->code) {
      case TVN_SELCHANGEDA:
      case TVN_SELCHANGEDW: {
        const int node = static_cast<int>(notice->itemNew.lParam);
        if (node > 0) handler([&] { tree.clickNode(node); });
        break;
      }
      case TVN_ITEMEXPANDEDA:
      case TVN_ITEMEXPANDEDW: {
        const int node = static_cast<int>(notice->itemNew.lParam);
        const bool expanded = (SendMessageA(header->hwndFrom, TVM_GETITEMSTATE,
                                            reinterpret_cast<WPARAM>(notice->itemNew.hItem), TVIS_EXPANDED) &
                               TVIS_EXPANDED) != 0;
        if (node > 0) handler([&] { tree.setExpanded(node, expanded); });
        break;
      }
      case NM_CLICK:
        onTreeClick();
        break;
      default:
        break;
    }
  } else if (control->kind() == ui::Kind::ListView) {
    onListViewNotify(static_cast<ui::ListView&>(*control), header);
  } else if (control->kind() == ui::Kind::Spinner && header->code == UDN_DELTAPOS) {
    auto* press = reinterpret_cast<NMUPDOWN*>(header);
    auto* spin = static_cast<ui::UpDown*>(control);
    handler([&] { press->iDelta > 0 ? spin->up() : spin->down(); });
    return TRUE;  // the model has set the buddy's text already
  } else if (control->kind() == ui::Kind::Picker && header->code == DTN_DATETIMECHANGE) {
    auto* change = reinterpret_cast<NMDATETIMECHANGE*>(header);
    if (change->dwFlags == GDT_VALID)
      handler([&] { static_cast<ui::TimePicker*>(control)->setTime(change->st.wHour, change->st.wMinute); });
  }
  return 0;
}

void MainView::onListViewNotify(ui::ListView& list, NMHDR* header) {
  switch (header->code) {
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
      handler([&] { list.clickHeader(column); });
      break;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
        handler([&] { list.setSelectedRow(change->iItem); });
      break;
    }
    case NM_DBLCLK: {
      // The row under the pointer: the notice carries it only from the 4.71 controls on.
      const int row = rowUnderMouse(header->hwndFrom);
      if (row >= 0) handler([&] { list.dblClick(row); });
      break;
    }
    default:
      break;
  }
}

bool MainView::parentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
      if (lParam) onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      *result = 0;
      return true;
    case WM_NOTIFY:
      *result = onNotify(reinterpret_cast<NMHDR*>(lParam));
      return true;
    case WM_CTLCOLORSTATIC: {
      ui::Control* control = controlOf(reinterpret_cast<HWND>(lParam));
      if (!control || control->kind() != ui::Kind::Label) return false;
      const uint32_t color = static_cast<ui::Label*>(control)->foreColor;
      if (color == 0) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, color);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      return true;
    }
    case WM_CTLCOLORLISTBOX: {
      ui::Control* control = controlOf(reinterpret_cast<HWND>(lParam));
      if (!control || control->kind() != ui::Kind::ListBox) return false;
      const uint32_t color = static_cast<ui::ListBox*>(control)->foreColor();
      if (color == 0) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, color);
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return true;
    }
    default:
      return false;
  }
}

void MainView::closeForm(int unloadMode) {
  if (closing_ || app_.unloaded) return;
  closing_ = true;
  handler([&] { program::Form_QueryUnload(app_, unloadMode); });
  handler([&] { program::Form_Unload(app_); });
  closing_ = false;
}

// What every form's window does first: it finds its view (kept at WM_NCCREATE), paints
// the face and passes its children's notifications on. True when that answered `msg`.
bool MainView::formPrologue(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, MainView** view, LRESULT* result) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  *view = viewOf(hwnd);
  if (!*view) {
    *result = DefWindowProcA(hwnd, msg, wParam, lParam);
    return true;
  }
  if (msg == WM_ERASEBKGND) {
    *result = eraseFace(hwnd, wParam);
    return true;
  }
  return (*view)->parentMessage(msg, wParam, lParam, result);
}

LRESULT CALLBACK MainView::mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MainView* view = nullptr;
  LRESULT result = 0;
  if (formPrologue(hwnd, msg, wParam, lParam, &view, &result)) return result;
  switch (msg) {
    case WM_CLOSE:
      view->closeForm(0);
      return 0;
    case WM_QUERYENDSESSION:
      view->handler([&] { program::SessionEnding(view->app_); });
      return TRUE;
    case WM_ENDSESSION:
      view->handler([&] { program::SessionEnded(view->app_, wParam != 0); });
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (view->loaded_ && !view->deferActivate_)
          view->handler([&] { program::Form_Activate(view->app_); });
        else
          view->activatePending_ = true;  // Form_Activate follows Form_Load, never runs inside it
      }
      break;
    case WM_TIMER:
      if (wParam == kStatusTimer) {
        view->refreshStatusPanels(false);
        return 0;
      }
      break;
    case kAfterFirstShow:
      view->createToolTips();  // the tips wait until the window is there to point at
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MainView::ownedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MainView* view = nullptr;
  LRESULT result = 0;
  if (formPrologue(hwnd, msg, wParam, lParam, &view, &result)) return result;
  if (msg == WM_CLOSE) {
    // The program decides: its close handler unloads the form, which hides the window.
    // A dialog without a close handler is hidden, which ends its modal loop.
    if (auto* form = static_cast<ui::Form*>(view->controlOf(hwnd)); form && form->onClose)
      view->handler([&] { form->onClose(); });
    else if (form)
      form->setVisible(false);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MainView::frameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return eraseFace(hwnd, wParam);
  if (MainView* view = viewOf(hwnd)) {
    LRESULT result = 0;
    if (view->parentMessage(msg, wParam, lParam, &result)) return result;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MainView::shapeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT area;
    GetClientRect(hwnd, &area);
    auto* shape = reinterpret_cast<ui::Shape*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    HBRUSH fill = CreateSolidBrush(shape ? shape->fillColor() : ui::Shape::White);
    FillRect(dc, &area, fill);
    DeleteObject(fill);
    FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(hwnd, &paint);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace view
