#include "RunSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

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
                             {"chkOPsettings", 6, "cmdDeselectAllOP"},
                             {"chkFFsettings", 6, "cmdDeselectAllFF"},
                             {"chkCRsettings", 6, "cmdDeselectAllCR"},
                             {"chkSFsettings", 4, "cmdDeselectAllSF"},
                             {"chkAPsettings", 21, "cmdDeselectAllAP"}};

std::string tickName(const Tick& t) { return std::string(t.array) + "(" + std::to_string(t.index) + ")"; }

LRESULT checkOf(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0); }

}  // namespace

bool tickOnly(const Program& program, const std::vector<Tick>& ticks) {
  for (const TickGroup& group : kGroups) {
    if (HWND button = program.control(group.deselectAll)) SendMessageA(button, BM_CLICK, 0, 0);
    for (int i = 0; i < group.size; ++i) {
      HWND box = program.control(group.array, i);
      if (!box) return false;
      if (checkOf(box) != BST_UNCHECKED) {
        fail(std::string(group.deselectAll) + " empties " + tickName({group.array, i}), "0",
             std::to_string(checkOf(box)));
        // A click empties a ticked or grey box; the case can still go on.
        SendMessageA(box, BM_CLICK, 0, 0);
        if (checkOf(box) != BST_UNCHECKED) return false;
      }
    }
  }
  for (const Tick& t : ticks) {
    HWND box = program.control(t.array, t.index);
    if (!box) return false;
    SendMessageA(box, BM_CLICK, 0, 0);
    if (checkOf(box) != BST_CHECKED) {
      fail("tick " + tickName(t), "1", std::to_string(checkOf(box)));
      return false;
    }
  }
  return true;
}

std::string shown(const std::string& line) {
  if (!line.empty() && line.find_first_not_of(' ') == std::string::npos)
    return line.size() == 1 ? "\" \"" : "<" + std::to_string(line.size()) + " blanks>";
  return "\"" + line + "\"";
}

std::string sideBySide(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  std::ostringstream out;
  const size_t rows = std::max(expected.size(), actual.size());
  out << "    #  expected" << std::string(52, ' ') << "actual\n";
  for (size_t i = 0; i < rows; ++i) {
    const std::string e = i < expected.size() ? shown(expected[i]) : "(none)";
    const std::string a = i < actual.size() ? shown(actual[i]) : "(none)";
    std::string index = std::to_string(i);
    out << (e == a ? "  " : "! ") << std::string(3 - std::min<size_t>(3, index.size()), ' ') << index << "  " << e
        << std::string(e.size() < 60 ? 60 - e.size() : 1, ' ') << a << "\n";
  }
  return out.str();
}

void expectLines(const std::string& what, const std::vector<std::string>& expected,
                 const std::vector<std::string>& actual) {
  if (expected != actual) ADD_FAILURE() << what << "\n" << sideBySide(expected, actual);
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool runEnded(const std::vector<std::string>& lines, const char* closing) {
  const size_t n = lines.size();
  return n >= 6 && lines[n - 6] == closing && lines[n - 1] == kReady[3];
}

bool waitForLines(HWND list, std::vector<std::string>* lines,
                  const std::function<bool(const std::vector<std::string>&)>& done, DWORD ms) {
  return waitUntil(
      [&] {
        std::vector<std::string> now;
        if (!listLines(list, &now)) return false;
        *lines = now;
        return done(now);
      },
      ms);
}

bool tickOnly(const Program& program, const char* array, const std::vector<int>& indices) {
  std::vector<Tick> ticks;
  for (int index : indices) ticks.push_back({array, index});
  return tickOnly(program, ticks);
}

bool runToEnd(const Program& program, std::vector<std::string>* lines) {
  HWND list = program.control("lstClean");
  HWND start = program.control("cmdClean");
  if (!list || !start) return false;
  // Posted: the click's handler pumps events until the run is over.
  PostMessageA(start, BM_CLICK, 0, 0);
  return waitForLines(list, lines, [](const auto& now) { return runEnded(now, "Cleaning Is Done."); },
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
