#pragma once
// What the preview window's lists show of a plan: one row per item and a totals row, and
// an item's targets.
#include <vector>

#include "erase/Plan.h"
#include "ui/ListView.h"

namespace preview {

// A collected plan: what each item would remove, by kind, what a guard keeps, and which
// earlier items remove what it shares with them (counted there alone).
std::vector<ui::ListView::Column> planColumns();
// A run's report: what each item's targets came to.
std::vector<ui::ListView::Column> reportColumns();
std::vector<ui::ListView::Column> targetColumns();

// Rows tagged with the item's place in the plan; the totals row is pinned, tagged -1.
std::vector<ui::ListView::Row> planRows(const erase::Plan& plan);
std::vector<ui::ListView::Row> reportRows(const erase::Plan& plan);
std::vector<ui::ListView::Row> targetRows(const erase::ItemPlan& item);

}  // namespace preview
