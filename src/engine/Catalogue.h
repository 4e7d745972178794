#pragma once
// The cleaning items in run order, each declared as data: its place, its texts and the
// actions the executor carries out.
#include <vector>

#include "engine/Action.h"

namespace engine {

enum class CleaningGroup { Windows, IE, Netscape, Opera, Firefox, Chrome, Safari, Applications };
// Every group, in the order their ticks are saved.
inline constexpr CleaningGroup kGroups[] = {CleaningGroup::IE,      CleaningGroup::Netscape, CleaningGroup::Opera,
                                            CleaningGroup::Windows, CleaningGroup::Firefox,  CleaningGroup::Chrome,
                                            CleaningGroup::Safari,  CleaningGroup::Applications};

struct CleaningItem {
  enum class Progress { None, BeforeText, AfterText };
  CleaningGroup group;
  int index;  // its tick box in the group's array, saved as the array's name and this index
  const char* caption;
  const char* statusText;
  std::vector<Action> actions;
  Progress progress = Progress::None;
  // Opera Cache and Opera Cookies close with a single blank and run for any non-zero tick.
  bool operaStyle = false;
  // The activity log's line once the item has cleaned, and the one once Stop was pressed
  // (null: the same); items with none log what they did themselves.
  const char* doneLog = nullptr;
  const char* stoppedLog = nullptr;
  // Shown over the tick: what the item removes, and any choice of the user's it resets.
  const char* tooltip = nullptr;
  // The browser whose cookies the item cleans, for the list of sites: "Firefox".
  const char* cookiesOf = nullptr;
};

const std::vector<CleaningItem>& catalogue();
const char* arrayName(CleaningGroup group);  // "chkWinSettings", ...

extern const char* const kLongSeparator;  // 43 blanks

}  // namespace engine
