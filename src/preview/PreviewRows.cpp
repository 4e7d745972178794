#include "preview/PreviewRows.h"

#include <algorithm>
#include <functional>
#include <string>

#include "ui/ByteSize.h"

namespace preview {

using erase::ItemPlan;
using erase::Outcome;
using erase::TargetKind;
using Row = ui::ListView::Row;

namespace {

// A figure of a row: how many targets of the item it counts, or how many bytes.
struct Figure {
  std::function<uint64_t(const ItemPlan&)> of;
  bool bytes;
};

unsigned planned(const ItemPlan& item, std::initializer_list<TargetKind> kinds) {
  unsigned n = 0;
  for (const erase::Target& target : item.targets)
    for (TargetKind kind : kinds) n += target.outcome == Outcome::Planned && target.kind == kind;
  return n;
}

const std::vector<Figure>& planFigures() {
  static const std::vector<Figure> figures = {
      {[](const ItemPlan& i) { return planned(i, {TargetKind::File}); }, false},
      {[](const ItemPlan& i) { return planned(i, {TargetKind::Folder}); }, false},
      {[](const ItemPlan& i) { return planned(i, {TargetKind::RegistryValue, TargetKind::RegistryKey}); }, false},
      {[](const ItemPlan& i) {
         return planned(i, {TargetKind::Cookie, TargetKind::HistoryEntry, TargetKind::CacheEntry});
       }, false},
      {[](const ItemPlan& i) { return planned(i, {TargetKind::Clipboard, TargetKind::RecycleBin, TargetKind::Setting}); },
       false},
      {[](const ItemPlan& i) { return i.count(Outcome::Refused); }, false},
      {[](const ItemPlan& i) { return i.count(Outcome::Kept); }, false},
      {[](const ItemPlan& i) { return i.bytes(Outcome::Planned); }, true},
  };
  return figures;
}

const std::vector<Figure>& reportFigures() {
  static const std::vector<Figure> figures = {
      {[](const ItemPlan& i) { return i.count(Outcome::Removed); }, false},
      {[](const ItemPlan& i) { return i.count(Outcome::Failed); }, false},
      {[](const ItemPlan& i) { return i.count(Outcome::Refused); }, false},
      {[](const ItemPlan& i) { return i.count(Outcome::Kept); }, false},
      {[](const ItemPlan& i) { return i.count(Outcome::AtRestart); }, false},
      {[](const ItemPlan& i) { return i.bytes(Outcome::Removed); }, true},
  };
  return figures;
}

std::string figureText(uint64_t value, bool bytes) { return bytes ? ui::byteSizeText(value) : std::to_string(value); }

Row row(const std::string& caption, const std::vector<uint64_t>& values, const std::vector<Figure>& figures) {
  Row r;
  r.cells.push_back(caption);
  r.keys.push_back(0);
  for (size_t f = 0; f < figures.size(); ++f) {
    r.cells.push_back(figureText(values[f], figures[f].bytes));
    r.keys.push_back(static_cast<int64_t>(values[f]));
  }
  return r;
}

// A text after the figures, for the items only.
using Note = std::string (*)(const ItemPlan&);

std::vector<Row> rows(const erase::Plan& plan, const std::vector<Figure>& figures, Note note = nullptr) {
  std::vector<Row> out;
  std::vector<uint64_t> totals(figures.size(), 0);
  for (size_t i = 0; i < plan.items.size(); ++i) {
    std::vector<uint64_t> values;
    for (size_t f = 0; f < figures.size(); ++f) {
      values.push_back(figures[f].of(plan.items[i]));
      totals[f] += values.back();
    }
    out.push_back(row(plan.items[i].caption, values, figures));
    if (note) out.back().cells.push_back(note(plan.items[i]));
    out.back().tag = static_cast<int>(i);
  }
  out.push_back(row("Total", totals, figures));
  if (note) out.back().cells.emplace_back();
  out.back().pinned = true;
  return out;
}

// The earlier items that remove what this one shares with them: "also in Clean Cookies".
std::string sharedWith(const ItemPlan& item) {
  std::vector<std::string> owners;
  for (const erase::Target& target : item.targets)
    if (target.outcome == Outcome::Shared && std::find(owners.begin(), owners.end(), target.reason) == owners.end())
      owners.push_back(target.reason);
  std::string text;
  for (const std::string& owner : owners) text += (text.empty() ? "" : ", ") + owner;
  return text;
}

}  // namespace

std::vector<ui::ListView::Column> planColumns() {
  return {{"Item", 2775, false},  {"Files", 855, true}, {"Folders", 855, true}, {"Registry", 855, true},
          {"Entries", 855, true}, {"Other", 735, true}, {"Refused", 855, true}, {"Kept", 735, true},
          {"Size", 1215, true}, {"Shared", 2400, false}};
}

std::vector<ui::ListView::Column> reportColumns() {
  return {{"Item", 2775, false},   {"Removed", 1095, true},    {"Failed", 1095, true}, {"Refused", 1095, true},
          {"Kept", 855, true},     {"At restart", 1215, true}, {"Freed", 1575, true}};
}

std::vector<ui::ListView::Column> targetColumns() {
  return {{"Kind", 1215, false}, {"Target", 3855, false}, {"Size", 1095, true}, {"Outcome", 1095, false},
          {"Reason", 1935, false}};
}

std::vector<Row> planRows(const erase::Plan& plan) { return rows(plan, planFigures(), sharedWith); }

std::vector<Row> reportRows(const erase::Plan& plan) { return rows(plan, reportFigures()); }

std::vector<Row> targetRows(const ItemPlan& item) {
  std::vector<Row> out;
  for (size_t i = 0; i < item.targets.size(); ++i) {
    const erase::Target& t = item.targets[i];
    Row r;
    r.cells = {erase::kindName(t.kind), t.where, ui::byteSizeText(t.bytes), erase::outcomeName(t.outcome), t.reason};
    r.keys = {0, 0, static_cast<int64_t>(t.bytes)};
    r.tag = static_cast<int>(i);
    out.push_back(std::move(r));
  }
  return out;
}

}  // namespace preview
