#pragma once
// One prepared SQL statement: bind, step through its rows, read their columns.
#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace database {

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters count from 1, as in SQL's ?1.
  Statement& bind(int index, const std::string& text);
  Statement& bind(int index, int64_t number);
  // True while there is a row to read; false at the end, or on an error (ok() tells).
  bool next();
  // Steps to the end, for statements that return no rows; true when nothing failed.
  bool run();
  // Back to before the first row, the bindings kept, for running it again.
  void reset();
  // Columns count from 0. NULL reads as "" and 0.
  std::string text(int column) const;
  int64_t integer(int column) const;
  // Nothing has failed: the statement was prepared and each step and bind went through.
  bool ok() const { return ok_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
  bool ok_ = false;
};

}  // namespace database
