#include "ui/ListView.h"

#include <algorithm>
#include <cctype>

namespace ui {

namespace {

// The number a text starts with, thousands separators skipped: "1,234 files" is 1234.
int64_t leadingNumber(const std::string& text) {
  int64_t n = 0;
  bool negative = false;
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && text[i] == '-') negative = true, ++i;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9')
      n = n * 10 + (c - '0');
    else if (c != ',')
      break;
  }
  return negative ? -n : n;
}

int64_t numberOf(const ListView::Row& row, int column) {
  if (column < static_cast<int>(row.keys.size())) return row.keys[column];
  return column < static_cast<int>(row.cells.size()) ? leadingNumber(row.cells[column]) : 0;
}

const std::string& textOf(const ListView::Row& row, int column) {
  static const std::string none;
  return column < static_cast<int>(row.cells.size()) ? row.cells[column] : none;
}

int compareText(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

void ListView::setColumns(std::vector<Column> columns) {
  columns_ = std::move(columns);
  rows_.clear();
  sortColumn_ = -1;
  descending_ = false;
  selected_ = -1;
  notify(Change::Columns);
}

void ListView::setRows(std::vector<Row> rows) {
  rows_ = std::move(rows);
  selected_ = -1;
  sortRows();
  notify(Change::Rows);
}

void ListView::clickHeader(int column) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  descending_ = column == sortColumn_ ? !descending_ : false;
  sortColumn_ = column;
  selected_ = -1;
  sortRows();
  notify(Change::Rows);
}

void ListView::sortRows() {
  if (sortColumn_ < 0) return;
  const int column = sortColumn_;
  const bool numeric = columns_.at(column).numeric;
  const bool descending = descending_;
  // Stable, so that equal rows keep the program's order; pinned rows stay at the end.
  std::stable_sort(rows_.begin(), rows_.end(), [=](const Row& a, const Row& b) {
    if (a.pinned != b.pinned) return b.pinned;
    if (a.pinned) return false;
    int order = 0;
    if (numeric) {
      const int64_t na = numberOf(a, column), nb = numberOf(b, column);
      order = na == nb ? 0 : na < nb ? -1 : 1;
    } else {
      order = compareText(textOf(a, column), textOf(b, column));
    }
    return descending ? order > 0 : order < 0;
  });
}

void ListView::setSelectedRow(int i) {
  if (i < -1 || i >= rowCount() || i == selected_) return;
  selected_ = i;
  notify(Change::Selection, i);
  if (onClick) onClick();
}

void ListView::dblClick(int i) {
  if (i < 0 || i >= rowCount()) return;
  setSelectedRow(i);
  if (onDblClick) onDblClick();
}

void ProgressBar::setRange(int min, int max) {
  if (max < min) return;
  min_ = min;
  max_ = max;
  value_ = std::min(std::max(value_, min_), max_);
  notify(Change::Value);
}

void ProgressBar::setValue(int value) {
  value = std::min(std::max(value, min_), max_);
  if (value == value_) return;
  value_ = value;
  notify(Change::Value);
}

}  // namespace ui
