#include "platform/win32/ControlFactory.h"

#include <commctrl.h>

#include "platform/win32/Twips.h"
#include "ui/Controls.h"

namespace platform::win32 {

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

WindowSpec specFor(const ui::Control& control) {
  WindowSpec spec;
  const ui::Rect& r = control.rect();
  spec.rect = {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.left + r.width),
               twipsToPixels(r.top + r.height)};
  spec.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!control.enabled()) spec.style |= WS_DISABLED;
  const std::string caption = escapeMnemonics(control.caption());
  using ui::Kind;
  switch (control.kind()) {
    case Kind::Form:
      spec.className = "QuelleryMain";
      spec.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
      spec.text = control.caption();  // a caption bar shows '&' as it is
      break;
    case Kind::Frame:
      // The group box inside carries the caption; the container holds the children.
      // No WS_CLIPCHILDREN: the group box covers the container and paints no inside.
      spec.className = kFrameClass;
      spec.text = caption;
      break;
    case Kind::Button:
      spec.className = "BUTTON";
      spec.style |= WS_TABSTOP | BS_PUSHBUTTON;
      spec.text = caption;
      break;
    case Kind::CheckBox:
      // Not automatic: the model decides the next value (0/1, and the grey 2 of code).
      spec.className = "BUTTON";
      spec.style |= WS_TABSTOP | BS_3STATE | BS_MULTILINE;
      spec.text = caption;
      break;
    case Kind::OptionButton:
      spec.className = "BUTTON";
      spec.style |= WS_TABSTOP | BS_RADIOBUTTON;
      spec.text = caption;
      break;
    case Kind::ListBox:
      spec.className = "LISTBOX";
      spec.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
      if (static_cast<const ui::ListBox&>(control).multiSelect) spec.style |= LBS_EXTENDEDSEL;
      spec.exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::ComboBox:
      spec.className = "COMBOBOX";
      // Editable, as a combo box's text may be one that is not in its list.
      spec.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
      spec.rect.bottom += kComboDropHeight;
      break;
    case Kind::TextBox:
      spec.className = "EDIT";
      spec.style |= WS_TABSTOP | ES_AUTOHSCROLL;
      spec.exStyle = WS_EX_CLIENTEDGE;
      spec.text = static_cast<const ui::TextBox&>(control).text();
      break;
    case Kind::Label: {
      const auto& label = static_cast<const ui::Label&>(control);
      spec.className = "STATIC";
      spec.style |= SS_LEFT;
      if (label.onClick) spec.style |= SS_NOTIFY;  // links answer clicks
      spec.text = caption;
      break;
    }
    case Kind::Shape:
      spec.className = kShapeClass;
      break;
    case Kind::StatusBar:
      spec.className = STATUSCLASSNAMEA;
      spec.style = WS_CHILD;
      break;
    case Kind::TreeView:
      spec.className = WC_TREEVIEWA;
      spec.style |= WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
      spec.exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::Picker:
      spec.className = DATETIMEPICK_CLASSA;
      spec.style |= WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN;
      break;
    case Kind::Spinner:
      spec.className = UPDOWN_CLASSA;
      // The model steps the buddy's number; the control only reports the presses.
      spec.style |= UDS_ARROWKEYS;
      break;
  }
  return spec;
}

}  // namespace platform::win32
