#include "browsers/DatabaseEdit.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "cookies/KeptSites.h"
#include "database/Database.h"

namespace browsers {

namespace {

using erase::Outcome;
using erase::TargetKind;

struct Row {
  TargetKind kind;
  std::string where;
  uint64_t bytes;
  bool kept = false;
  std::string host = {};
};

std::string selectOf(const RowSet& set) {
  return "SELECT " + set.label + ", " + set.bytes + ", " + (set.host.empty() ? "''" : set.host) + " FROM " +
         set.table + " WHERE " + set.where;
}

// The rows a set picks now; false when the query fails.
bool rowsOf(database::Database& db, const std::string& path, const RowSet& set, std::vector<Row>* out) {
  database::Statement query = db.prepare(selectOf(set));
  while (query.next()) {
    const int64_t bytes = query.integer(1);
    out->push_back({set.kind, path + ": " + query.text(0), bytes > 0 ? static_cast<uint64_t>(bytes) : 0, set.kept,
                    query.text(2)});
  }
  return query.ok();
}

bool countOf(database::Database& db, const Reset& reset, int64_t* count) {
  database::Statement query = db.prepare("SELECT COUNT(*) FROM " + reset.table + " WHERE " + reset.where);
  if (!query.next()) return false;
  *count = query.integer(0);
  return query.ok();
}

std::string resetTarget(const std::string& path, const Reset& reset, int64_t count) {
  return path + ": " + reset.what + " (" + std::to_string(count) + ")";
}

// Kept rows stay kept whatever became of the others.
void recordAll(erase::RunFlags& flags, const std::vector<Row>& rows, Outcome outcome, const std::string& reason = {}) {
  for (const Row& row : rows) {
    if (row.kind == TargetKind::Cookie)
      erase::recordCookie(flags, row.where, row.host, row.bytes, row.kept ? Outcome::Kept : outcome,
                          row.kept ? std::string() : reason);
    else
      erase::record(flags, row.kind, row.where, row.bytes, outcome, reason);
  }
}

// Lists the rows, changing nothing.
void preview(const erase::RunContext& run, database::Database& db, const std::string& path, const DatabaseEdit& edit) {
  std::vector<Row> rows;
  for (const RowSet& set : edit.rows)
    if (!rowsOf(db, path, set, &rows)) return erase::recordGivenUp(run.flags, path, db.lastError());
  for (const Reset& reset : edit.resets) {
    int64_t count = 0;
    if (!countOf(db, reset, &count)) return erase::recordGivenUp(run.flags, path, db.lastError());
    if (count > 0) rows.push_back({TargetKind::Setting, resetTarget(path, reset, count), 0});
  }
  recordAll(run.flags, rows, Outcome::Planned);
}

void clean(const erase::RunContext& run, database::Database& db, const std::string& path, const DatabaseEdit& edit) {
  std::vector<Row> rows;
  std::string failure;
  const bool committed = db.transaction([&] {
    for (const RowSet& set : edit.rows) {
      if (!rowsOf(db, path, set, &rows) ||
          (!set.kept && !db.exec("DELETE FROM " + set.table + " WHERE " + set.where))) {
        failure = db.lastError();
        return false;
      }
    }
    for (const Reset& reset : edit.resets) {
      int64_t count = 0;
      if (!countOf(db, reset, &count) ||
          !db.exec("UPDATE " + reset.table + " SET " + reset.set + " WHERE " + reset.where)) {
        failure = db.lastError();
        return false;
      }
      if (count > 0) rows.push_back({TargetKind::Setting, resetTarget(path, reset, count), 0});
    }
    // A browser must open the file afterwards as it did before: an edit that breaks it is
    // undone whole.
    if (!db.integrityOk()) failure = "the edited file failed SQLite's integrity check; nothing was changed";
    return failure.empty();
  });
  if (!committed) {
    if (failure.empty()) failure = db.lastError();
    recordAll(run.flags, rows, Outcome::Failed, failure);
    return erase::recordGivenUp(run.flags, path, failure);
  }
  recordAll(run.flags, rows, Outcome::Removed);
  // The rows are gone from the tables; their text may still lie in free pages or the WAL.
  const bool removedAny = std::any_of(rows.begin(), rows.end(), [](const Row& row) { return !row.kept; });
  if (removedAny && !db.finishClean())
    erase::record(run.flags, TargetKind::File, path, 0, Outcome::Failed,
                  "removed rows may still be readable in the file: " + db.lastError());
}

}  // namespace

void CleanDatabase(const erase::RunContext& run, const std::string& path, const DatabaseItem& item) {
  const bool previewing = erase::collecting(run.flags);
  database::OpenResult opened = database::Database::open(
      run.os.files, path, previewing ? database::Access::Look : database::Access::Edit);
  switch (opened.outcome) {
    case database::OpenOutcome::Opened: break;
    case database::OpenOutcome::Missing: return;
    case database::OpenOutcome::Locked: {
      const std::string reason = std::string(item.browser) + " is running";
      erase::record(run.flags, TargetKind::File, path, 0, Outcome::Refused, reason);
      run.flags.skipped = "Skipped: " + reason;
      return;
    }
    case database::OpenOutcome::Link:
      return erase::record(run.flags, TargetKind::File, path, 0, Outcome::Refused, "a link");
    case database::OpenOutcome::NotADatabase:
    case database::OpenOutcome::Failed:
      return erase::record(run.flags, TargetKind::File, path, 0, Outcome::Failed, opened.message);
  }
  database::Database& db = *opened.database;
  cookies::KeptSites kept;
  std::string why;
  const std::function<bool(const std::string&)> keeps = [&](const std::string& host) { return kept.keeps(host); };
  if (item.sparesKeptSites) {
    // Without the list no cookie can be told kept: none goes.
    if (!cookies::ReadKeptSites(run, &kept, &why)) return erase::recordGivenUp(run.flags, path, why);
    if (!db.defineTest("kept_site", &keeps)) return erase::recordGivenUp(run.flags, path, db.lastError());
  }
  const DatabaseEdit edit = item.editFor(db);
  if (edit.empty()) return;
  if (previewing) return preview(run, db, path, edit);
  clean(run, db, path, edit);
}

}  // namespace browsers
