// Rows removed from a browser's database, then finishClean(): their text is found neither in
// the file nor in any file beside it, and the file is still the browser's, as it was.
#include "DatabaseHarness.h"

using database::Database;

namespace {

class DatabaseClean : public DatabaseHarness {
 protected:
  // A history table and an index on its URLs, so that both b-trees hold the text: 100 rows
  // to be removed and 100 to be kept, in pages of 1024 bytes, schema version 26.
  void fillHistory(Database& db, bool wal) {
    ASSERT_TRUE(db.exec(wal ? "PRAGMA page_size=1024; PRAGMA journal_mode=WAL" : "PRAGMA page_size=1024"))
        << db.lastError();
    ASSERT_TRUE(db.exec("PRAGMA user_version=26;"
                        "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR);"
                        "CREATE INDEX moz_places_url ON moz_places (url)"))
        << db.lastError();
    ASSERT_TRUE(db.transaction([&] {
      database::Statement insert = db.prepare("INSERT INTO moz_places (url, title) VALUES (?1, ?2)");
      for (int i = 0; i < 200; ++i) {
        const std::string n = std::to_string(i);
        insert.bind(1, i % 2 ? std::string(kUrl) + "?" + n : "http://kept.example/" + n).bind(2, "Title " + n);
        if (!insert.run()) return false;
        insert.reset();
      }
      return true;
    })) << db.lastError();
  }
  void removeSecretRows(Database& db) {
    ASSERT_TRUE(db.transaction([&] {
      return db.prepare("DELETE FROM moz_places WHERE url LIKE ?1").bind(1, std::string(kUrl) + "%").run();
    })) << db.lastError();
    ASSERT_TRUE(db.finishClean()) << db.lastError();
  }
  // The header as SQLite's file format defines it: page size at 16 (big-endian), the write
  // and read versions at 18 and 19 (1 rollback journal, 2 WAL).
  void expectHeader(int pageSize, int version) {
    const std::string bytes = rawBytes(kPath);
    ASSERT_GE(bytes.size(), 100u);
    EXPECT_EQ((static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]), pageSize);
    EXPECT_EQ(bytes[18], version);
    EXPECT_EQ(bytes[19], version);
  }
  // Still readable as the browser left it: sound, its schema and version, the kept rows.
  void expectStillTheBrowsers(bool wal) {
    expectHeader(1024, wal ? 2 : 1);
    std::unique_ptr<Database> db = openOrFail();
    ASSERT_TRUE(db);
    EXPECT_EQ(db->isWal(), wal);
    EXPECT_TRUE(db->integrityOk());
    EXPECT_EQ(db->userVersion(), 26);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM moz_places WHERE url LIKE 'http://kept.example/%'"), 100);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM moz_places"), 100);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM sqlite_master WHERE sql IN ("
                         "'CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR)',"
                         "'CREATE INDEX moz_places_url ON moz_places (url)')"),
              2);
  }
  bool there(const std::string& suffix) {
    return fs.getAttributes(std::string(kPath) + suffix) != platform::fileattr::Invalid;
  }
};

TEST_F(DatabaseClean, RollbackDatabaseKeepsNoRemovedTextInTheFileOrBesideIt) {
  fillHistory(*createOrFail(), false);
  ASSERT_EQ(filesHolding(kUrl), std::vector<std::string>{"places.sqlite"});
  givenBack.clear();  // from here on, only what the cleaning gives back

  std::unique_ptr<Database> db = openOrFail();
  ASSERT_TRUE(db);
  EXPECT_FALSE(db->isWal());
  removeSecretRows(*db);
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{}) << "while the database is still open";
  db.reset();
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{});
  EXPECT_EQ(givenBackHolding(kUrl), std::vector<std::string>{}) << "cut or removed before it was zeroed";
  EXPECT_FALSE(there("-journal"));
  EXPECT_FALSE(there("-wal"));
  expectStillTheBrowsers(false);
}

TEST_F(DatabaseClean, WalDatabaseKeepsNoRemovedTextAndStaysWal) {
  fillHistory(*createOrFail(), true);
  givenBack.clear();
  std::unique_ptr<Database> db = openOrFail();
  ASSERT_TRUE(db);
  EXPECT_TRUE(db->isWal());
  removeSecretRows(*db);
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{}) << "while the database is still open";
  db.reset();
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{});
  EXPECT_EQ(givenBackHolding(kUrl), std::vector<std::string>{}) << "cut or removed before it was zeroed";
  EXPECT_FALSE(there("-wal"));
  expectStillTheBrowsers(true);
}

TEST_F(DatabaseClean, RowsAnEarlierWriterLeftInTheWalAreReadAndLeaveNoTrace) {
  std::string file, wal;
  {
    std::unique_ptr<Database> writer = createOrFail();
    ASSERT_TRUE(writer->exec("PRAGMA wal_autocheckpoint=0"));
    fillHistory(*writer, true);
    // The browser's state when it stopped without checkpointing: the rows are in the WAL.
    file = rawBytes(kPath);
    wal = rawBytes(std::string(kPath) + "-wal");
  }
  writeRaw(kPath, file);
  writeRaw(std::string(kPath) + "-wal", wal);
  ASSERT_EQ(filesHolding(kUrl), std::vector<std::string>{"places.sqlite-wal"});
  givenBack.clear();  // from here on, only what the cleaning gives back

  std::unique_ptr<Database> db = openOrFail();
  ASSERT_TRUE(db);
  EXPECT_EQ(count(*db, "SELECT count(*) FROM moz_places"), 200) << "the WAL's rows were not read";
  removeSecretRows(*db);
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{}) << "while the database is still open";
  db.reset();
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{});
  EXPECT_EQ(givenBackHolding(kUrl), std::vector<std::string>{}) << "cut or removed before it was zeroed";
  expectStillTheBrowsers(true);
}

TEST_F(DatabaseClean, TextTheBrowserDeletedWithoutSecureDeleteLingersOnlyUntilFinishClean) {
  {
    std::unique_ptr<Database> browser = createOrFail();
    ASSERT_TRUE(browser->exec("PRAGMA secure_delete=OFF"));
    fillHistory(*browser, false);
    ASSERT_TRUE(browser->exec("DELETE FROM moz_places WHERE url LIKE 'http://secret-diary.example/%'"));
  }
  ASSERT_EQ(filesHolding(kUrl), std::vector<std::string>{"places.sqlite"}) << "in free space, in no row";
  givenBack.clear();  // from here on, only what the cleaning gives back

  std::unique_ptr<Database> db = openOrFail();
  ASSERT_TRUE(db);
  ASSERT_TRUE(db->finishClean()) << db->lastError();
  db.reset();
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{});
  EXPECT_EQ(givenBackHolding(kUrl), std::vector<std::string>{}) << "cut or removed before it was zeroed";
  expectStillTheBrowsers(false);
}

TEST_F(DatabaseClean, AJournalTheBrowserLeftIsZeroedBeforeItGoes) {
  fillHistory(*createOrFail(), false);
  // A journal whose header is zeros is no longer needed to repair the file, but its pages
  // still hold what they held.
  writeRaw(std::string(kPath) + "-journal", std::string(512, '\0') + kUrl + std::string(3000, 'p'));
  givenBack.clear();  // from here on, only what the cleaning gives back

  std::unique_ptr<Database> db = openOrFail();
  ASSERT_TRUE(db);
  removeSecretRows(*db);
  db.reset();
  EXPECT_EQ(filesHolding(kUrl), std::vector<std::string>{});
  EXPECT_EQ(givenBackHolding(kUrl), std::vector<std::string>{}) << "cut or removed before it was zeroed";
  EXPECT_FALSE(there("-journal"));
}

}  // namespace
