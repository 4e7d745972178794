#include "database/Database.h"

#include <sqlite3.h>

#include "database/JournalWipe.h"
#include "database/PlatformVfs.h"
#include "platform/WinError.h"

namespace database {

namespace {

// Why a file could not be opened or first read: what the platform refused comes first,
// since SQLite words every refusal alike ("unable to open database file").
OpenResult refusal(const PlatformVfs& vfs, sqlite3* db, int rc) {
  OpenResult result;
  result.message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  const long error = vfs.firstRefusal();
  if (error) result.message += " (Windows error " + std::to_string(error) + ")";
  if (vfs.refusedLink())
    result.outcome = OpenOutcome::Link;
  else if (error == platform::winerr::SharingViolation)
    result.outcome = OpenOutcome::Locked;
  else if (error == platform::winerr::FileNotFound || error == platform::winerr::PathNotFound)
    result.outcome = OpenOutcome::Missing;
  else if ((rc & 0xFF) == SQLITE_NOTADB)
    result.outcome = OpenOutcome::NotADatabase;
  return result;
}

// Readies a fresh connection and reads the file for the first time; SQLite's result code.
int prepareConnection(sqlite3* db, bool lookOnly, bool* wal) {
  // Without shared memory SQLite reads a WAL database only in exclusive locking mode, which
  // must be set before the first read. Secure delete zeroes every cell a statement removes.
  int rc = sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; PRAGMA secure_delete=ON;", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return rc;
  {
    // The first read: a file that is not a database says so here.
    Statement first(db, "SELECT count(*) FROM sqlite_master");
    if (!first.next()) return sqlite3_errcode(db);
  }
  Statement mode(db, "PRAGMA journal_mode");
  if (!mode.next()) return sqlite3_errcode(db);
  *wal = mode.text(0) == "wal";
  if (*wal || lookOnly) return SQLITE_OK;
  // A rollback database's journal mode is not kept in the file. In exclusive locking mode
  // DELETE would keep the journal between transactions with its old pages in it; TRUNCATE
  // empties it at each commit, and the VFS zeroes what it empties.
  return sqlite3_exec(db, "PRAGMA journal_mode=TRUNCATE", nullptr, nullptr, nullptr);
}

}  // namespace

OpenResult Database::open(platform::FileSystem& files, const std::string& path, Access access) {
  auto vfs = std::make_unique<PlatformVfs>(files);
  sqlite3* db = nullptr;
  // No SQLITE_OPEN_CREATE: a missing file is reported, never made.
  const bool lookOnly = access == Access::Look;
  int rc = sqlite3_open_v2(path.c_str(), &db, lookOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE, vfs->name());
  bool wal = false;
  if (rc == SQLITE_OK) rc = prepareConnection(db, lookOnly, &wal);
  if (rc != SQLITE_OK) {
    OpenResult result = refusal(*vfs, db, rc);
    sqlite3_close(db);
    return result;
  }
  OpenResult result;
  result.outcome = OpenOutcome::Opened;
  result.database.reset(new Database(files, path, std::move(vfs), db));
  result.database->wal_ = wal;
  result.database->lookOnly_ = lookOnly;
  return result;
}

Database::Database(platform::FileSystem& files, std::string path, std::unique_ptr<PlatformVfs> vfs, sqlite3* db)
    : files_(files), path_(std::move(path)), vfs_(std::move(vfs)), db_(db) {}

Database::~Database() {
  // Closing checkpoints a WAL into the file and deletes it through the VFS, zeroed.
  if (sqlite3_close(db_) == SQLITE_OK && !lookOnly_) removeLeftJournal();
}

// A journal left after a clean close is no longer needed to repair the file: the one
// TRUNCATE mode leaves empty, or an older one of the browser's that still holds old pages.
void Database::removeLeftJournal() { zeroAndRemove(files_, path_ + "-journal"); }

bool Database::exec(const std::string& sql) {
  return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

Statement Database::prepare(const std::string& sql) { return Statement(db_, sql); }

std::string Database::lastError() const { return sqlite3_errmsg(db_); }

std::optional<int64_t> Database::userVersion() {
  Statement version(db_, "PRAGMA user_version");
  if (!version.next()) return std::nullopt;
  return version.integer(0);
}

bool Database::hasTable(const std::string& name) {
  Statement table(db_, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
  return table.bind(1, name).next();
}

bool Database::hasColumn(const std::string& table, const std::string& column) {
  Statement columns(db_, "SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2 COLLATE NOCASE");
  return columns.bind(1, table).bind(2, column).next();
}

bool Database::defineTest(const std::string& name, const std::function<bool(const std::string&)>* test) {
  auto call = [](sqlite3_context* context, int, sqlite3_value** args) {
    const auto* test = static_cast<const std::function<bool(const std::string&)>*>(sqlite3_user_data(context));
    const unsigned char* text = sqlite3_value_text(args[0]);
    const std::string value = text ? std::string(reinterpret_cast<const char*>(text), sqlite3_value_bytes(args[0]))
                                   : std::string();
    sqlite3_result_int(context, (*test)(value) ? 1 : 0);
  };
  return sqlite3_create_function(db_, name.c_str(), 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                 const_cast<std::function<bool(const std::string&)>*>(test), call, nullptr,
                                 nullptr) == SQLITE_OK;
}

bool Database::integrityOk() {
  Statement check(db_, "PRAGMA integrity_check");
  return check.next() && check.text(0) == "ok" && !check.next() && check.ok();
}

bool Database::transaction(const std::function<bool()>& edits) {
  if (!exec("BEGIN IMMEDIATE")) return false;
  if (edits() && exec("COMMIT")) return true;
  exec("ROLLBACK");
  return false;
}

// TRUNCATE: the WAL is copied into the file and then emptied, which the VFS zeroes first.
bool Database::checkpoint() {
  Statement checkpoint(db_, "PRAGMA wal_checkpoint(TRUNCATE)");
  return checkpoint.next() && checkpoint.integer(0) == 0;
}

bool Database::finishClean() {
  if (wal_ && !checkpoint()) return false;
  // VACUUM rebuilds the file from its live rows alone: no free page or freed cell space is
  // left holding what was removed. It keeps the page size, the user_version and the mode.
  if (!exec("VACUUM")) return false;
  return !wal_ || checkpoint();
}

}  // namespace database
