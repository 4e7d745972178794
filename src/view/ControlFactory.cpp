#include "view/ControlFactory.h"

#include <commctrl.h>

#include "ui/Controls.h"
#include "view/Twips.h"

namespace view {

const char kFrameClass[] = "QuelleryFrame";
const char kShapeClass[] = "QuelleryShape";

std::string escapeMnemonics(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (char c : caption) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

WindowDesign designFor(const ui::Control& control) {
  WindowDesign design;
  const ui::Rect& r = control.rect();
  design.rect = {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.left + r.width),
               twipsToPixels(r.top + r.height)};
  design.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!control.enabled()) design.style |= WS_DISABLED;
  const std::string caption = escapeMnemonics(control.caption());
  using ui::Kind;
  switch (control.kind()) {
    case Kind::Form:
      design.className = "QuelleryMain";
      design.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
      design.text = control.caption();  // a caption bar shows '&' as it is
      break;
    case Kind::Frame:
      // The group box inside carries the caption; the container holds the children.
      // No WS_CLIPCHILDREN: the group box covers the container and paints no inside.
      design.className = kFrameClass;
      design.text = caption;
      break;
    case Kind::Button:
      design.className = "BUTTON";
      design.style |= WS_TABSTOP | BS_PUSHBUTTON;
      design.text = caption;
      break;
    case Kind::CheckBox:
      // Not automatic: the model decides the next value (0/1, and the grey 2 of code).
      design.className = "BUTTON";
      design.style |= WS_TABSTOP | BS_3STATE | BS_MULTILINE;
      design.text = caption;
      break;
    case Kind::OptionButton:
      design.className = "BUTTON";
      design.style |= WS_TABSTOP | BS_RADIOBUTTON;
      design.text = caption;
      break;
    case Kind::ListBox:
      design.className = "LISTBOX";
      design.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
      if (static_cast<const ui::ListBox&>(control).multiSelect) design.style |= LBS_MULTIPLESEL;
      design.exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::ComboBox:
      design.className = "COMBOBOX";
      // Editable, as a combo box's text may be one that is not in its list.
      design.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
      design.rect.bottom += kComboDropHeight;
      break;
    case Kind::DropDownList:
      design.className = "COMBOBOX";
      // Only its entries can be chosen: a typed text would be a key or a day it cannot use.
      design.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      design.rect.bottom += kComboDropHeight;
      break;
    case Kind::TextBox:
      design.className = "EDIT";
      design.style |= WS_TABSTOP | ES_AUTOHSCROLL;
      design.exStyle = WS_EX_CLIENTEDGE;
      design.text = static_cast<const ui::TextBox&>(control).text();
      break;
    case Kind::Label: {
      const auto& label = static_cast<const ui::Label&>(control);
      design.className = "STATIC";
      design.style |= SS_LEFT;
      if (label.onClick) design.style |= SS_NOTIFY;  // links answer clicks
      design.text = caption;
      break;
    }
    case Kind::Shape:
      design.className = kShapeClass;
      break;
    case Kind::StatusBar:
      design.className = STATUSCLASSNAMEA;
      design.style = WS_CHILD;
      break;
    case Kind::TreeView:
      design.className = WC_TREEVIEWA;
      design.style |= WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
      design.exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::Picker:
      design.className = DATETIMEPICK_CLASSA;
      design.style |= WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN;
      break;
    case Kind::ListView:
      design.className = WC_LISTVIEWA;
      design.style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
      design.exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::ProgressBar:
      design.className = PROGRESS_CLASSA;
      break;
    case Kind::Spinner:
      design.className = UPDOWN_CLASSA;
      // The model steps the buddy's number; the control only reports the presses.
      design.style |= UDS_ARROWKEYS;
      break;
  }
  return design;
}

}  // namespace view
