#pragma once
#include "ui/Control.h"

namespace ui {

class Form : public Control {
 public:
  Form(std::string name, Rect client, std::string caption)
      : Control(nullptr, Kind::Form, std::move(name), client, std::move(caption)) {}
  std::uintptr_t hWnd = 0;   // filled in by the view that shows the form
  std::uintptr_t hIcon = 0;  // the window icon, likewise
  Handler onClose;  // the close box of a window other than the main one
};

class Frame : public Control {
 public:
  Frame(Control* parent, std::string name, Rect rect, std::string caption = {})
      : Control(parent, Kind::Frame, std::move(name), rect, std::move(caption)) {}
};

class Label : public Control {
 public:
  Label(Control* parent, std::string name, Rect rect, std::string caption, int index = -1)
      : Control(parent, Kind::Label, std::move(name), rect, std::move(caption), index) {}
  Handler onClick;
  void click();
  uint32_t foreColor = 0;  // 0x00BBGGRR
};

class Button : public Control {
 public:
  Button(Control* parent, std::string name, Rect rect, std::string caption, int index = -1)
      : Control(parent, Kind::Button, std::move(name), rect, std::move(caption), index) {}
  Handler onClick;
  void click();
};

// Value 0 unticked, 1 ticked, 2 grey. Any change of value raises onClick.
class CheckBox : public Control {
 public:
  CheckBox(Control* parent, std::string name, Rect rect, std::string caption, int index = -1)
      : Control(parent, Kind::CheckBox, std::move(name), rect, std::move(caption), index) {}
  int value() const { return value_; }
  void setValue(int value);
  Handler onClick;

 private:
  int value_ = 0;
};

// Setting an option button clears the other option buttons of the same parent.
class OptionButton : public Control {
 public:
  OptionButton(Control* parent, std::string name, Rect rect, std::string caption, int index = -1)
      : Control(parent, Kind::OptionButton, std::move(name), rect, std::move(caption), index) {}
  bool value() const { return value_; }
  void setValue(bool value);
  Handler onClick;

 private:
  bool value_ = false;
};

// List box, or combo box when the kind says so. ListIndex -1 is no selection.
class ListBox : public Control {
 public:
  // A multiple-selection list marks entries one click at a time: a click toggles the
  // entry it lands on and leaves every other mark as it was.
  ListBox(Control* parent, std::string name, Rect rect, bool multiSelect = false,
          Kind kind = Kind::ListBox)
      : Control(parent, kind, std::move(name), rect), multiSelect(multiSelect) {}
  const bool multiSelect;
  int listCount() const { return static_cast<int>(items_.size()); }
  const std::string& list(int i) const { return items_.at(i); }
  void addItem(const std::string& text);
  void removeItem(int i);
  void clear();
  int listIndex() const { return listIndex_; }
  void setListIndex(int i);  // raises onClick when it changes
  bool selected(int i) const { return selected_.at(i) != 0; }
  void setSelected(int i, bool on);
  // A user's plain click on entry i.
  void click(int i);
  // A multiple-selection list's marks and caret as its window shows them after a user's
  // click or key. One click, one onClick: a mark taken back on the line of the caret is as
  // much a change as a mark on a new line.
  void takeUserMarks(const std::vector<bool>& marks, int caret);
  // A double click on an entry, after the click that selected it.
  void dblClick();
  // A combo box shows its entry, or a typed text when no entry is selected.
  std::string text() const { return listIndex_ >= 0 ? items_[listIndex_] : editText_; }
  // Combo boxes: selects the entry of that text, else shows the text with no entry
  // selected. A drop-down list shows only its entries: another text changes nothing.
  void setText(const std::string& text);
  Handler onClick;
  // The colour of every line's text, 0x00BBGGRR; 0 is the system's text colour.
  uint32_t foreColor() const { return foreColor_; }
  void setForeColor(uint32_t color);
  Handler onDblClick;

 private:
  uint32_t foreColor_ = 0;
  std::vector<std::string> items_;
  std::vector<char> selected_;
  int listIndex_ = -1;
  std::string editText_;
};

class TextBox : public Control {
 public:
  TextBox(Control* parent, std::string name, Rect rect, std::string text = {})
      : Control(parent, Kind::TextBox, std::move(name), rect), text_(std::move(text)) {}
  const std::string& text() const { return text_; }
  void setText(const std::string& text);  // raises onChange when it changes
  Handler onChange;

 private:
  std::string text_;
};

// A filled square (the progress cells).
class Shape : public Control {
 public:
  Shape(Control* parent, std::string name, Rect rect, int index = -1)
      : Control(parent, Kind::Shape, std::move(name), rect, {}, index) {}
  static constexpr uint32_t White = 0xFFFFFF, Grey = 0x808080;
  uint32_t fillColor() const { return fillColor_; }
  void setFillColor(uint32_t color);

 private:
  uint32_t fillColor_ = White;
};

class StatusBar : public Control {
 public:
  struct Panel {
    enum Style { Text, Date, Time, CapsLock, Insert, NumLock } style;
    int width;  // twips
    std::string text;
  };
  StatusBar(Control* parent, std::string name, Rect rect, std::vector<Panel> panels)
      : Control(parent, Kind::StatusBar, std::move(name), rect), panels_(std::move(panels)) {}
  const std::vector<Panel>& panels() const { return panels_; }
  // 1-based, as the program numbers them.
  const std::string& panelText(int panel) const { return panels_.at(panel - 1).text; }
  void setPanelText(int panel, const std::string& text);

 private:
  std::vector<Panel> panels_;
};

}  // namespace ui

namespace ui {

// A time-of-day picker (hours 0-23, minutes 0-59).
class TimePicker : public Control {
 public:
  TimePicker(Control* parent, std::string name, Rect rect)
      : Control(parent, Kind::Picker, std::move(name), rect) {}
  int hour() const { return hour_; }
  int minute() const { return minute_; }
  void setTime(int hour, int minute);  // out-of-range values are refused
  Handler onChange;

 private:
  int hour_ = 12, minute_ = 0;
};

// Spin buttons that step the number in their buddy text box between min and max.
class UpDown : public Control {
 public:
  UpDown(Control* parent, std::string name, Rect rect, TextBox* buddy, int min, int max)
      : Control(parent, Kind::Spinner, std::move(name), rect), buddy(buddy), min(min), max(max) {}
  TextBox* const buddy;
  const int min, max;
  int increment = 1;
  // One press of the up or down arrow.
  void up() { step(increment); }
  void down() { step(-increment); }

 private:
  void step(int delta);
};

}  // namespace ui
