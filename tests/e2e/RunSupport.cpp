#include "RunSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {

const std::string kLongBlank(43, ' ');
const char* const kReady[4] = {"Quellery is ready", "Select cleaning options",
                               "Click 'Start Cleaning' to begin cleaning process ",
                               "or click 'Clean & Reboot' to reboot after cleaning"};

namespace {

struct TickGroup {
  const char* array;
  int size;
  const char* deselectAll;
};
const TickGroup kGroups[] = {{"chkWinSettings", 10, "cmdDeselectAllWin"},
                             {"chkIEsettings", 10, "cmdDestAllIE"},
                             {"chkNSsettings", 6, "cmdDesellectAllNet"},
                             {"chkOPsettings", 3, "cmdDeselectAllOP"}};

}  // namespace

bool tickOnly(const Program& program, const char* array, const std::vector<int>& indices) {
  for (const TickGroup& group : kGroups) {
    HWND button = program.control(group.deselectAll);
    if (!button) return false;
    SendMessageA(button, BM_CLICK, 0, 0);
    for (int i = 0; i < group.size; ++i) {
      HWND box = program.control(group.array, i);
      if (!box) return false;
      if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_UNCHECKED) {
        ADD_FAILURE() << group.deselectAll << " left " << group.array << "(" << i << ") ticked";
        return false;
      }
    }
  }
  for (int i : indices) {
    HWND box = program.control(array, i);
    if (!box) return false;
    SendMessageA(box, BM_CLICK, 0, 0);
    if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED) {
      ADD_FAILURE() << "a click did not tick " << array << "(" << i << ")";
      return false;
    }
  }
  return true;
}

bool runToEnd(const Program& program, std::vector<std::string>* lines) {
  HWND list = program.control("lstClean");
  HWND start = program.control("cmdClean");
  if (!list || !start) return false;
  // Posted: the click's handler pumps events until the run is over.
  PostMessageA(start, BM_CLICK, 0, 0);
  return waitUntil(
      [&] {
        std::vector<std::string> now;
        if (!listLines(list, &now)) return false;
        *lines = now;
        return !now.empty() && now.back() == kReady[3] &&
               std::find(now.begin(), now.end(), "Cleaning Is Done.") != now.end();
      },
      kRunDeadlineMs);
}

std::vector<std::string> runLines(const std::vector<std::string>& itemStatusTexts) {
  std::vector<std::string> expected;
  for (const std::string& item : itemStatusTexts) expected.insert(expected.end(), {item, "Done...", kLongBlank});
  expected.insert(expected.end(), {" ", " ", " ", "Cleaning Is Done.", " "});
  expected.insert(expected.end(), std::begin(kReady), std::end(kReady));
  return expected;
}

}  // namespace e2e
