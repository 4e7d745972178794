#pragma once
// What an item removes from a browser's database, declared as rows and carried out by one
// routine for the preview and the clean alike.
#include <string>
#include <vector>

#include "erase/Plan.h"
#include "erase/RunContext.h"

namespace database {
class Database;
}

namespace browsers {

// The rows of one table an item removes. `where` is written against the file as found and
// must pick the same rows after the row sets before it are gone: the preview, which
// changes nothing, lists what each condition picks in the untouched file.
struct RowSet {
  std::string table;
  std::string where;  // "1" for every row
  std::string label;  // SQL naming a row for the preview and the report: its URL, host or field
  std::string bytes;  // SQL for the text the row holds
  erase::TargetKind kind;
  // Cookies: SQL for the row's host, and whether the set is the rows of the kept sites,
  // which are listed as kept and never removed.
  std::string host = {};
  bool kept = false;
};

// Rows an item keeps but makes forget (a bookmarked place's visit count), after the removals.
struct Reset {
  std::string table;
  std::string set;    // "visit_count = 0, typed = 0"
  std::string where;
  std::string what;   // how the report names it: "visit counts of bookmarked places"
};

struct DatabaseEdit {
  std::vector<RowSet> rows;
  std::vector<Reset> resets;
  bool empty() const { return rows.empty() && resets.empty(); }
};

// The edit that fits the schema of the file at hand (browsers change their tables between
// versions); empty when the file is not the one the item knows.
using EditFor = DatabaseEdit (*)(database::Database& db);

struct DatabaseItem {
  const char* file;     // "places.sqlite", "History"
  const char* browser;  // "Firefox", named when it holds the file
  EditFor editFor;
  // The file's rows name hosts by "kept_site(host)", true for a host whose site the user
  // keeps; the list of kept sites is read before anything is removed.
  bool sparesKeptSites = false;
};

// Removes what `item` declares from the database `path`, in one transaction that is kept
// only when the file still passes SQLite's integrity check, then leaves no removed text in
// the file or beside it. Every row is recorded in the run's plan with what became of it;
// while the run collects, the rows are only listed. A file the browser holds is not
// touched: the item says "Skipped: <browser> is running".
void CleanDatabase(const erase::RunContext& run, const std::string& path, const DatabaseItem& item);

}  // namespace browsers
