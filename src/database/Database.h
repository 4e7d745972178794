#pragma once
// A browser's SQLite database opened in place for editing: never copied, held shared with
// nobody through the platform's file system, so no other program can touch it (nor its
// journal or WAL) while it is open. Its bytes stay the browser's: schema, page size,
// user_version and journal mode (WAL or rollback, as the file records it) are left as found.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "database/Statement.h"
#include "platform/FileSystem.h"

struct sqlite3;

namespace database {

class PlatformVfs;

enum class OpenOutcome {
  Opened,
  Locked,        // another program has the file open (the browser is running)
  Missing,       // no file of that name
  Link,          // the name, or its journal's, is a link: never acted through
  NotADatabase,  // the file is not an SQLite database
  Failed,        // anything else; the message says what
};

class Database;

struct OpenResult {
  OpenOutcome outcome = OpenOutcome::Failed;
  std::string message;                 // SQLite's or the platform's words when not Opened
  std::unique_ptr<Database> database;  // set when Opened
};

// Edit: read and written, a journal left beside it repaired and removed. Look: read
// only, for a preview, which must change nothing: neither the file nor what lies beside it.
enum class Access { Edit, Look };

class Database {
 public:
  // Opens the existing file `path` ("C:\\...\\places.sqlite").
  static OpenResult open(platform::FileSystem& files, const std::string& path, Access access = Access::Edit);
  // Closes it; a journal left beside it is zeroed and removed.
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Runs one or more statements; false with lastError() when one fails.
  bool exec(const std::string& sql);
  Statement prepare(const std::string& sql);
  std::string lastError() const;

  // PRAGMA user_version, by which a browser tells its schema's version.
  std::optional<int64_t> userVersion();
  // Names are compared as SQLite compares them: without case.
  bool hasTable(const std::string& name);
  bool hasColumn(const std::string& table, const std::string& column);
  // A function of one text argument for the statements of this connection, answering 1 or
  // 0: "kept_site(host)". `test` must outlive the connection's statements.
  bool defineTest(const std::string& name, const std::function<bool(const std::string&)>* test);
  // PRAGMA integrity_check answers "ok".
  bool integrityOk();
  bool isWal() const { return wal_; }
  // Runs `edits` in one transaction: committed when they return true, else rolled back.
  // False when the edits or the commit failed.
  bool transaction(const std::function<bool()>& edits);
  // After the edits: leaves removed rows recoverable neither from the file nor beside it.
  // Deleted cells are zeroed as they go (secure_delete); the WAL is checkpointed into the
  // file and emptied, the file rebuilt without free pages (VACUUM), the WAL emptied again.
  // An emptied journal or WAL has had its bytes zeroed first.
  bool finishClean();

 private:
  Database(platform::FileSystem& files, std::string path, std::unique_ptr<PlatformVfs> vfs, sqlite3* db);
  bool checkpoint();
  void removeLeftJournal();

  platform::FileSystem& files_;
  std::string path_;
  std::unique_ptr<PlatformVfs> vfs_;  // outlives the connection, which uses it
  sqlite3* db_;
  bool wal_ = false;
  bool lookOnly_ = false;
};

}  // namespace database
