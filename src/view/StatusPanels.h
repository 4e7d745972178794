#pragma once
// The status bar's six panels: where they end, and what the automatic ones show.
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace view {

// Right edges in pixels for SB_SETPARTS. Panels keep their design widths, except the
// message panel (the first Text panel), which takes what the others leave.
std::vector<int> panelRightEdges(const std::vector<ui::StatusBar::Panel>& panels, int barWidth);

// What an automatic panel shows now; the Text panels keep the program's text.
std::string indicatorText(ui::StatusBar::Panel::Style style, bool on);
std::string currentPanelText(const ui::StatusBar::Panel& panel);

}  // namespace view
