#include "engine/PlanReport.h"

namespace engine {

namespace {

// A tab or line break inside a name would shift the columns.
std::string field(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

std::string ReportText(const erase::Plan& plan) {
  std::string text = "Item\tKind\tTarget\tBytes\tOutcome\tReason\r\n";
  for (const erase::ItemPlan& item : plan.items)
    for (const erase::Target& target : item.targets)
      text += field(item.caption) + '\t' + erase::kindName(target.kind) + '\t' + field(target.where) + '\t' +
              std::to_string(target.bytes) + '\t' + erase::outcomeName(target.outcome) + '\t' +
              field(target.reason) + "\r\n";
  if (plan.stopped) text += "Stopped before every ticked item was seen\r\n";
  return text;
}

}  // namespace engine
