#pragma once
// The 29 cleaning items in run order.
#include <string>
#include <vector>

#include "erase/RunContext.h"

namespace engine {

enum class CleaningGroup { Windows, IE, Netscape, Opera };

using Operation = void (*)(const erase::RunContext&);

struct CleaningItem {
  enum class Progress { None, BeforeText, AfterText };
  CleaningGroup group;
  int index;
  const char* caption;
  const char* statusText;
  Operation first;
  Operation second;  // null for items with one operation
  Progress progress;
  // Opera Cache and Opera Cookies close with a single blank and run for any non-zero tick.
  bool operaStyle;
};

const std::vector<CleaningItem>& catalogue();
int groupSize(CleaningGroup group);
const char* arrayName(CleaningGroup group);  // "chkWinSettings", ...

extern const char* const kLongSeparator;  // 43 blanks

}  // namespace engine
