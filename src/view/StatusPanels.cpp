#include "view/StatusPanels.h"

#include <windows.h>

#include "view/Twips.h"

namespace view {

using Panel = ui::StatusBar::Panel;

std::vector<int> panelRightEdges(const std::vector<Panel>& panels, int barWidth) {
  int spring = -1, fixed = 0;
  for (size_t i = 0; i < panels.size(); ++i) {
    if (spring < 0 && panels[i].style == Panel::Text)
      spring = static_cast<int>(i);
    else
      fixed += twipsToPixels(panels[i].width);
  }
  std::vector<int> edges;
  int right = 0;
  for (size_t i = 0; i < panels.size(); ++i) {
    int width = twipsToPixels(panels[i].width);
    if (static_cast<int>(i) == spring) width = barWidth - fixed > 0 ? barWidth - fixed : 0;
    right += width;
    edges.push_back(right);
  }
  return edges;
}

std::string indicatorText(Panel::Style style, bool on) {
  if (!on) return std::string();
  switch (style) {
    case Panel::CapsLock: return "CAPS";
    case Panel::Insert: return "INS";
    case Panel::NumLock: return "NUM";
    default: return std::string();
  }
}

std::string currentPanelText(const Panel& panel) {
  char text[80] = {};
  switch (panel.style) {
    case Panel::Text:
      return panel.text;
    case Panel::Date:
      GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text);
      return text;
    case Panel::Time:
      GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, sizeof text);
      return text;
    case Panel::CapsLock:
      return indicatorText(panel.style, (GetKeyState(VK_CAPITAL) & 1) != 0);
    case Panel::Insert:
      return indicatorText(panel.style, (GetKeyState(VK_INSERT) & 1) != 0);
    case Panel::NumLock:
      return indicatorText(panel.style, (GetKeyState(VK_NUMLOCK) & 1) != 0);
  }
  return std::string();
}

}  // namespace view
