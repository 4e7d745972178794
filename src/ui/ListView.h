#pragma once
// A report-style list: columns with captions, rows of texts. A click on a column's header
// sorts the rows by it, a second click on the same column the other way round.
#include <cstdint>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class ListView : public Control {
 public:
  struct Column {
    std::string caption;
    int width;            // twips
    bool numeric = false;  // sorts by number, and shows its texts on the right
  };
  struct Row {
    std::vector<std::string> cells;
    // Sort keys of numeric columns whose text is no plain number ("1.50 MB"); a missing
    // key sorts by the number the text starts with.
    std::vector<int64_t> keys;
    int tag = -1;         // what the program's handlers know the row by
    bool pinned = false;  // stays below the others whatever the order (a totals row)
  };

  ListView(Control* parent, std::string name, Rect rect)
      : Control(parent, Kind::ListView, std::move(name), rect) {}

  const std::vector<Column>& columns() const { return columns_; }
  void setColumns(std::vector<Column> columns);  // empties the list

  int rowCount() const { return static_cast<int>(rows_.size()); }
  const Row& row(int i) const { return rows_.at(i); }
  const std::string& text(int row, int column) const { return rows_.at(row).cells.at(column); }
  // Replaces every row, in the order the current sort asks for.
  void setRows(std::vector<Row> rows);
  void clear() { setRows({}); }

  // A user's click on a column header.
  void clickHeader(int column);
  int sortColumn() const { return sortColumn_; }  // -1 while in the program's order
  bool sortDescending() const { return descending_; }

  int selectedRow() const { return selected_; }  // -1 for none
  void setSelectedRow(int i);                    // raises onClick when it changes
  // A double click on a row: selects it and raises onDblClick.
  void dblClick(int i);

  Handler onClick, onDblClick;

 private:
  void sortRows();
  std::vector<Column> columns_;
  std::vector<Row> rows_;
  int sortColumn_ = -1;
  bool descending_ = false;
  int selected_ = -1;
};

// A bar filled from min to max as far as its value.
class ProgressBar : public Control {
 public:
  ProgressBar(Control* parent, std::string name, Rect rect)
      : Control(parent, Kind::ProgressBar, std::move(name), rect) {}
  int min() const { return min_; }
  int max() const { return max_; }
  int value() const { return value_; }
  void setRange(int min, int max);  // the value is kept inside
  void setValue(int value);

 private:
  int min_ = 0, max_ = 100, value_ = 0;
};

}  // namespace ui
