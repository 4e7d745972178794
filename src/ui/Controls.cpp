#include "ui/Controls.h"

#include <algorithm>
#include <cstdlib>

#include "ui/Timer.h"
#include "ui/TreeView.h"

namespace ui {

ControlObserver* Control::observer_ = nullptr;

namespace {
uint64_t nextZStamp = 0;

bool overlaps(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}
}  // namespace

Control::Control(Control* parent, Kind kind, std::string name, Rect rect, std::string caption,
                 int index)
    : parent_(parent), kind_(kind), name_(std::move(name)), rect_(rect),
      caption_(std::move(caption)), index_(index), zStamp_(++nextZStamp) {
  if (parent_) parent_->children_.push_back(this);
}

void Control::notify(Change change, int detail) {
  if (observer_) observer_->controlChanged(*this, change, detail);
}

void Control::setCaption(const std::string& caption) {
  // The hardware page sets its labels ten times a second; an unchanged text is not redrawn.
  if (caption_ == caption) return;
  caption_ = caption;
  notify(Change::Caption);
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  notify(Change::Enabled);
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  notify(Change::Visible);
}

void Control::zOrder() {
  zStamp_ = ++nextZStamp;
  notify(Change::ZOrder);
}

bool Control::inFront() const {
  if (!parent_) return true;
  for (const Control* sibling : parent_->children_)
    if (sibling != this && sibling->visible_ && sibling->zStamp_ > zStamp_ &&
        overlaps(sibling->rect_, rect_))
      return false;
  return true;
}

void Label::click() {
  if (onClick) onClick();
}

void Button::click() {
  if (onClick) onClick();
}

void CheckBox::setValue(int value) {
  if (value_ == value) return;
  value_ = value;
  notify(Change::Value);
  if (onClick) onClick();
}

void OptionButton::setValue(bool value) {
  if (value && parent()) {
    for (Control* sibling : parent()->children())
      if (sibling != this && sibling->kind() == Kind::OptionButton)
        static_cast<OptionButton*>(sibling)->setValue(false);
  }
  if (value_ == value) return;
  value_ = value;
  notify(Change::Value);
  if (value_ && onClick) onClick();
}

void ListBox::addItem(const std::string& text) {
  items_.push_back(text);
  selected_.push_back(0);
  notify(Change::ItemAdded, listCount() - 1);
}

void ListBox::removeItem(int i) {
  items_.erase(items_.begin() + i);
  selected_.erase(selected_.begin() + i);
  if (listIndex_ >= listCount()) listIndex_ = listCount() - 1;
  notify(Change::ItemRemoved, i);
}

void ListBox::clear() {
  items_.clear();
  selected_.clear();
  listIndex_ = -1;
  notify(Change::ItemsCleared);
}

void ListBox::setListIndex(int i) {
  if (i < -1 || i >= listCount() || i == listIndex_) return;
  listIndex_ = i;
  if (!multiSelect && i >= 0) {
    std::fill(selected_.begin(), selected_.end(), 0);
    selected_[i] = 1;
  }
  notify(Change::Selection, i);
  if (onClick) onClick();
}

void ListBox::setText(const std::string& text) {
  for (int i = 0; i < listCount(); ++i)
    if (items_[i] == text) {
      setListIndex(i);
      return;
    }
  if (kind() == Kind::DropDownList) return;
  editText_ = text;
  if (listIndex_ != -1) {
    listIndex_ = -1;
    std::fill(selected_.begin(), selected_.end(), 0);
    notify(Change::Selection, -1);
  }
  notify(Change::Text);
}

void ListBox::dblClick() {
  if (onDblClick) onDblClick();
}

void ListBox::click(int i) {
  if (i < 0 || i >= listCount()) return;
  if (multiSelect) setSelected(i, !selected(i));
  if (i == listIndex_ && onClick) onClick();
  setListIndex(i);
}

void ListBox::takeUserMarks(const std::vector<bool>& marks, int caret) {
  bool marked = false;
  for (int i = 0; i < listCount() && i < static_cast<int>(marks.size()); ++i)
    if (marks[i] != selected(i)) {
      setSelected(i, marks[i]);
      marked = true;
    }
  const int before = listIndex_;
  setListIndex(caret);
  if (listIndex_ == before && marked && onClick) onClick();
}

void ListBox::setSelected(int i, bool on) {
  selected_.at(i) = on ? 1 : 0;
  notify(Change::Selection, i);
}

void ListBox::setForeColor(uint32_t color) {
  foreColor_ = color;
  notify(Change::ForeColor);
}

void TextBox::setText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  notify(Change::Text);
  if (onChange) onChange();
}

void Shape::setFillColor(uint32_t color) {
  fillColor_ = color;
  notify(Change::FillColor, index());
}

void StatusBar::setPanelText(int panel, const std::string& text) {
  panels_.at(panel - 1).text = text;
  notify(Change::PanelText, panel);
}

int TreeView::add(int parentNode, const std::string& text, int image) {
  nodes_.push_back({text, parentNode, image, false});
  notify(Change::NodeAdded, nodeCount());
  return nodeCount();
}

int TreeView::find(const std::string& text) const {
  for (int i = 1; i <= nodeCount(); ++i)
    if (node(i).text == text) return i;
  return 0;
}

void TreeView::setExpanded(int i, bool expanded) {
  Node& n = nodes_.at(i - 1);
  if (n.expanded == expanded) return;
  n.expanded = expanded;
  notify(Change::NodeExpanded, i);
  auto& handler = expanded ? onExpand : onCollapse;
  if (handler) handler(i);
}

void TreeView::clickNode(int i) {
  selected_ = i;
  notify(Change::Selection, i);
  if (onClick) onClick();
}

Timer::~Timer() {
  if (loop_) loop_->killTimer(this);
}

void Timer::attach(platform::EventLoop* loop) {
  loop_ = loop;
  arm();
}

void Timer::setInterval(uint32_t ms) {
  interval_ = ms;
  arm();
}

void Timer::setEnabled(bool on) {
  enabled_ = on;
  arm();
}

void Timer::arm() {
  if (!loop_) return;
  if (!enabled_ || interval_ == 0) {
    loop_->killTimer(this);
    return;
  }
  loop_->setTimer(this, interval_, [this] {
    if ((busy_ && !ticksWhileBusy) || !onTimer) return;
    const bool outermost = !busy_;
    busy_ = true;
    try {
      onTimer();
    } catch (...) {
      if (outermost) busy_ = false;
      throw;
    }
    if (outermost) busy_ = false;
  });
}

}  // namespace ui

namespace ui {

void TimePicker::setTime(int hour, int minute) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return;
  if (hour == hour_ && minute == minute_) return;
  hour_ = hour;
  minute_ = minute;
  notify(Change::Value);
  if (onChange) onChange();
}

void UpDown::step(int delta) {
  if (!buddy) return;
  // A box without a number starts from the bottom of the range.
  const std::string& text = buddy->text();
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str()) value = min;
  else value += delta;
  if (value < min) value = min;
  if (value > max) value = max;
  buddy->setText(std::to_string(value));
}

}  // namespace ui
