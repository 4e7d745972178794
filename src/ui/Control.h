#pragma once
// Window models: every control is a plain object. Changing one in code raises the same
// handler a user's click raises; a view (the Win32 one, or none on the host) follows the
// model through the observer.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ui {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;  // twips, 15 to a pixel at 96 dpi
};

enum class Kind {
  Form, Frame, Button, CheckBox, OptionButton, ListBox, ComboBox, DropDownList, TextBox, Label,
  Shape, StatusBar, TreeView, Picker, Spinner, ListView, ProgressBar
};

// A combo box with a box to type in, or one that only offers its entries.
inline bool isCombo(Kind kind) { return kind == Kind::ComboBox || kind == Kind::DropDownList; }

enum class Change {
  Caption, Value, Enabled, Visible, ZOrder, ItemAdded, ItemRemoved, ItemsCleared, Selection,
  Text, FillColor, PanelText, NodeAdded, NodeExpanded, Bounds, ForeColor,
  Columns, Rows  // a list view's columns, or all its rows (filled anew or sorted)
};

class Control;
using Handler = std::function<void()>;

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  // `detail` names the item, cell, panel or node a change is about.
  virtual void controlChanged(Control& control, Change change, int detail) = 0;
};

class Control {
 public:
  Control(Control* parent, Kind kind, std::string name, Rect rect, std::string caption = {},
          int index = -1);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // position in a control array, -1 when alone
  Control* parent() const { return parent_; }
  const std::vector<Control*>& children() const { return children_; }
  const Rect& rect() const { return rect_; }

  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  // Brings the control in front of its siblings.
  void zOrder();
  uint64_t zStamp() const { return zStamp_; }
  // True when no sibling at the same place was brought forward later.
  bool inFront() const;

  std::string toolTip;
  static void setObserver(ControlObserver* observer) { observer_ = observer; }

 protected:
  void notify(Change change, int detail = 0);

 private:
  Control* parent_;
  Kind kind_;
  std::string name_;
  Rect rect_;
  std::string caption_;
  int index_;
  bool enabled_ = true;
  bool visible_ = true;
  uint64_t zStamp_ = 0;
  std::vector<Control*> children_;
  static ControlObserver* observer_;
};

// A control array, addressed by index like chkRun(3). Elements never move.
template <typename T>
using ControlArray = std::deque<T>;

}  // namespace ui
