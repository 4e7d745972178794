#include "database/Statement.h"

#include <sqlite3.h>

namespace database {

Statement::Statement(sqlite3* db, const std::string& sql)
    : ok_(sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement_, nullptr) == SQLITE_OK &&
          statement_) {}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement& Statement::bind(int index, const std::string& text) {
  if (ok_)
    ok_ = sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) ==
          SQLITE_OK;
  return *this;
}

Statement& Statement::bind(int index, int64_t number) {
  if (ok_) ok_ = sqlite3_bind_int64(statement_, index, number) == SQLITE_OK;
  return *this;
}

bool Statement::next() {
  if (!ok_) return false;
  const int rc = sqlite3_step(statement_);
  ok_ = rc == SQLITE_ROW || rc == SQLITE_DONE;
  return rc == SQLITE_ROW;
}

bool Statement::run() {
  while (next()) {
  }
  return ok_;
}

void Statement::reset() {
  if (statement_) ok_ = sqlite3_reset(statement_) == SQLITE_OK;
}

std::string Statement::text(int column) const {
  const unsigned char* value = sqlite3_column_text(statement_, column);
  return value ? std::string(reinterpret_cast<const char*>(value),
                             static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
               : std::string();
}

int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

}  // namespace database
