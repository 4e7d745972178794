// The browsers' history, download, cookie and form databases: what goes, what stays (every
// bookmark, keyword and password), and that nothing removed can be read back from the bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestApp.h"
#include "browsers/ChromeDatabases.h"
#include "browsers/FirefoxDatabases.h"
#include "database/Database.h"
#include "platform/OpenFile.h"

namespace {

using erase::Outcome;

const std::string kProfile = "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\Firefox\\Profiles\\a1b2.default";
const std::string kPlaces = kProfile + "\\places.sqlite";
const char kVisited[] = "http://private-clinic.example/appointment";
const char kBookmarked[] = "http://news.example/";
const char kKeyworded[] = "http://search.example/?q=%s";
const char kDownloaded[] = "http://files.example/tax-return.pdf";

class BrowserDatabases : public ::testing::Test {
 protected:
  TestApp t;
  erase::ItemPlan plan;

  BrowserDatabases() { t.machine.files.makeFolders(kProfile); }

  std::unique_ptr<database::Database> open(const std::string& path) {
    database::OpenResult result = database::Database::open(t.machine.files, path);
    EXPECT_EQ(result.outcome, database::OpenOutcome::Opened) << result.message;
    return std::move(result.database);
  }
  void create(const std::string& path, const std::string& sql) {
    t.machine.files.writeFile(path, "");
    auto db = open(path);
    ASSERT_TRUE(db && db->exec(sql)) << (db ? db->lastError() : "");
  }
  int64_t number(const std::string& path, const std::string& sql) {
    auto db = open(path);
    if (!db) return -1;
    database::Statement query = db->prepare(sql);
    return query.next() ? query.integer(0) : -1;
  }
  std::string raw(const std::string& path) {
    std::ifstream in(t.machine.files.hostPath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  void run(const std::string& path, const browsers::DatabaseItem& item, bool preview = false) {
    t.app.flags.plan = &plan;
    t.app.flags.collecting = preview;
    browsers::CleanDatabase(t.app.run(), path, item);
    t.app.flags.collecting = false;
    t.app.flags.plan = nullptr;
  }
  bool listed(const std::string& where, Outcome outcome) const {
    for (const erase::Target& target : plan.targets)
      if (target.where == where && target.outcome == outcome) return true;
    return false;
  }
};

// Firefox 52's tables, as far as the items read them.
const char kFirefox52[] = R"(
  PRAGMA user_version = 35;
  CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR,
    visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL,
    favicon_id INTEGER, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT,
    foreign_count INTEGER DEFAULT 0 NOT NULL, url_hash INTEGER DEFAULT 0 NOT NULL);
  CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER, visit_date INTEGER,
    visit_type INTEGER, session INTEGER);
  CREATE TABLE moz_inputhistory (place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL, use_count INTEGER,
    PRIMARY KEY (place_id, input));
  CREATE TABLE moz_hosts (id INTEGER PRIMARY KEY, host TEXT NOT NULL UNIQUE, frecency INTEGER, typed INTEGER NOT NULL DEFAULT 0, prefix TEXT);
  CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, parent INTEGER,
    position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, dateAdded INTEGER,
    lastModified INTEGER, guid TEXT);
  CREATE TABLE moz_keywords (id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE, place_id INTEGER, post_data TEXT);
  CREATE TABLE moz_favicons (id INTEGER PRIMARY KEY, url LONGVARCHAR UNIQUE, data BLOB, mime_type VARCHAR(32), expiration LONG);
  CREATE TABLE moz_anno_attributes (id INTEGER PRIMARY KEY, name VARCHAR(32) UNIQUE NOT NULL);
  CREATE TABLE moz_annos (id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL, anno_attribute_id INTEGER,
    mime_type VARCHAR(32) DEFAULT NULL, content LONGVARCHAR, flags INTEGER DEFAULT 0, expiration INTEGER DEFAULT 0,
    type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0, lastModified INTEGER DEFAULT 0);
  CREATE INDEX moz_places_url_hashindex ON moz_places (url_hash);
  INSERT INTO moz_favicons VALUES (1, 'http://news.example/favicon.ico', x'89504e47', 'image/png', 0),
                                  (2, 'http://private-clinic.example/favicon.ico', x'89504e48', 'image/png', 0);
  INSERT INTO moz_places (id, url, title, visit_count, typed, favicon_id, frecency, last_visit_date) VALUES
    (1, 'http://news.example/', 'News', 3, 1, 1, 2000, 1480000000000000),
    (2, 'http://private-clinic.example/appointment', 'Your appointment', 2, 0, 2, 150, 1480000000000000),
    (3, 'http://search.example/?q=%s', 'Search', 0, 0, NULL, 100, NULL),
    (4, 'http://files.example/tax-return.pdf', NULL, 0, 0, NULL, 0, 1480000000000000),
    (5, 'http://mixed.example/report.pdf', 'Report', 1, 0, NULL, 100, 1480000000000000);
  INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES
    (1, 1, 1), (1, 2, 1), (1, 3, 2), (2, 4, 1), (2, 5, 1), (4, 6, 7), (5, 7, 1), (5, 8, 7);
  INSERT INTO moz_inputhistory VALUES (2, 'private-cl', 1);
  INSERT INTO moz_hosts (host, frecency) VALUES ('private-clinic.example', 150), ('news.example', 2000);
  INSERT INTO moz_bookmarks (id, type, fk, parent, position, title) VALUES
    (1, 2, NULL, 0, 0, ''), (2, 1, 1, 1, 0, 'News I read');
  INSERT INTO moz_keywords (keyword, place_id) VALUES ('s', 3);
  INSERT INTO moz_anno_attributes VALUES (1, 'downloads/destinationFileURI'), (2, 'Places/SmartBookmark');
  INSERT INTO moz_annos (place_id, anno_attribute_id, content) VALUES
    (2, 2, 'private-clinic note'), (4, 1, 'file:///C:/tax-return.pdf'), (5, 1, 'file:///C:/report.pdf'),
    (1, 2, 'kept note on a bookmark');
)";

TEST_F(BrowserDatabases, AFirefox52HistoryCleanKeepsBookmarksKeywordsAndTheirIconsAndLeavesNoTraceInTheBytes) {
  create(kPlaces, kFirefox52);
  const std::string before = raw(kPlaces);

  run(kPlaces, browsers::kFirefoxHistory, /*preview=*/true);
  EXPECT_EQ(raw(kPlaces), before) << "the preview changed the file";
  EXPECT_TRUE(listed(kPlaces + ": " + kVisited, Outcome::Planned));
  EXPECT_FALSE(listed(kPlaces + ": " + kBookmarked, Outcome::Planned));
  const size_t planned = plan.targets.size();

  plan = erase::ItemPlan();
  run(kPlaces, browsers::kFirefoxHistory);
  EXPECT_EQ(plan.targets.size(), planned) << "the clean removed other rows than the preview listed";
  EXPECT_EQ(plan.count(Outcome::Failed), 0u);
  EXPECT_TRUE(listed(kPlaces + ": " + kVisited, Outcome::Removed));

  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_historyvisits"), 0);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_places"), 2) << "the bookmarked and the keyword's place stay";
  EXPECT_EQ(number(kPlaces, "SELECT visit_count + typed FROM moz_places WHERE id = 1"), 0);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_places WHERE id = 1 AND last_visit_date IS NULL"), 1);
  EXPECT_EQ(number(kPlaces, "SELECT favicon_id FROM moz_places WHERE id = 1"), 1);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_favicons"), 1) << "only the bookmark's icon stays";
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_keywords WHERE place_id = 3"), 1);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_bookmarks"), 2);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_annos"), 1) << "the bookmark's note stays";
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_inputhistory") + number(kPlaces, "SELECT COUNT(*) FROM moz_hosts"), 0);
  EXPECT_EQ(number(kPlaces, "PRAGMA user_version"), 35);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM pragma_integrity_check WHERE integrity_check = 'ok'"), 1);

  for (const char* gone : {"private-clinic", "tax-return", "Your appointment"})
    EXPECT_EQ(raw(kPlaces).find(gone), std::string::npos) << gone << " can still be read in the file";
  EXPECT_NE(raw(kPlaces).find("News I read"), std::string::npos);
}

TEST_F(BrowserDatabases, FirefoxDownloadHistoryTakesOnlyWhatDownloadsMade) {
  create(kPlaces, kFirefox52);
  run(kPlaces, browsers::kFirefoxDownloadPlaces);
  EXPECT_EQ(plan.count(Outcome::Failed), 0u);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_places WHERE id = 4"), 0) << "a place only a download made goes";
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_places WHERE id IN (1, 2, 3, 5)"), 4)
      << "a page also visited, a bookmark and a keyword stay";
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_historyvisits WHERE visit_type = 7"), 0);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_historyvisits"), 6);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_annos"), 2) << "notes that are not downloads stay";
  EXPECT_EQ(raw(kPlaces).find("tax-return"), std::string::npos);
}

// Firefox 3.6: no keyword places, no hosts, no foreign counts; and a WAL left by a
// browser that ended without tidying up is folded in before the clean.
TEST_F(BrowserDatabases, AFirefox36HistoryCleanWorksOnItsOlderTables) {
  create(kPlaces, R"(
    PRAGMA user_version = 10;
    CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR,
      visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL,
      favicon_id INTEGER, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER);
    CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER,
      visit_date INTEGER, visit_type INTEGER, session INTEGER);
    CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, parent INTEGER,
      position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, dateAdded INTEGER, lastModified INTEGER);
    CREATE TABLE moz_keywords (id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE);
    CREATE TABLE moz_favicons (id INTEGER PRIMARY KEY, url LONGVARCHAR UNIQUE, data BLOB, mime_type VARCHAR(32), expiration LONG);
    INSERT INTO moz_places (id, url, visit_count) VALUES (1, 'http://news.example/', 4),
      (2, 'http://private-clinic.example/appointment', 1);
    INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES (1, 1, 1), (2, 2, 1);
    INSERT INTO moz_keywords VALUES (1, 'n');
    INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, keyword_id) VALUES (1, 2, NULL, 0, 0, '', NULL),
      (2, 1, 1, 1, 0, 'News', 1);
  )");
  run(kPlaces, browsers::kFirefoxHistory);
  EXPECT_EQ(plan.count(Outcome::Failed), 0u);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_places"), 1);
  EXPECT_EQ(number(kPlaces, "SELECT visit_count FROM moz_places WHERE url = 'http://news.example/'"), 0);
  EXPECT_EQ(number(kPlaces, "SELECT COUNT(*) FROM moz_keywords"), 1);
  EXPECT_EQ(number(kPlaces, "PRAGMA user_version"), 10);
  EXPECT_EQ(raw(kPlaces).find("private-clinic"), std::string::npos);
}

TEST_F(BrowserDatabases, ARunningBrowsersDatabaseIsSkippedAndLeftAsItWas) {
  create(kPlaces, kFirefox52);
  const std::string before = raw(kPlaces);
  long error = 0;
  auto heldByFirefox = t.machine.files.openFile(kPlaces, &error);
  ASSERT_TRUE(heldByFirefox);
  run(kPlaces, browsers::kFirefoxHistory);
  EXPECT_EQ(t.app.flags.skipped, "Skipped: Firefox is running");
  EXPECT_EQ(plan.count(Outcome::Refused), 1u) << "a refused target makes the command line's run fail";
  heldByFirefox.reset();
  EXPECT_EQ(raw(kPlaces), before);
}

TEST_F(BrowserDatabases, FirefoxCookiesAndFormHistoryGoWholeAndTheFilesStayUsable) {
  const std::string cookies = kProfile + "\\cookies.sqlite", forms = kProfile + "\\formhistory.sqlite";
  create(cookies, R"(
    CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, baseDomain TEXT, name TEXT, value TEXT, host TEXT, path TEXT,
      expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER);
    INSERT INTO moz_cookies (name, value, host, path) VALUES ('session', 'token-8812', '.bank.example', '/');
  )");
  create(forms, R"(
    CREATE TABLE moz_formhistory (id INTEGER PRIMARY KEY, fieldname TEXT NOT NULL, value TEXT NOT NULL,
      timesUsed INTEGER, firstUsed INTEGER, lastUsed INTEGER, guid TEXT);
    CREATE TABLE moz_deleted_formhistory (id INTEGER PRIMARY KEY, timeDeleted INTEGER, guid TEXT);
    INSERT INTO moz_formhistory (fieldname, value) VALUES ('ssn', '078-05-1120');
  )");
  run(cookies, browsers::kFirefoxCookies);
  run(forms, browsers::kFirefoxFormHistory);
  EXPECT_EQ(plan.count(erase::TargetKind::Cookie), 1u);
  EXPECT_EQ(plan.count(erase::TargetKind::FormEntry), 1u);
  EXPECT_EQ(number(cookies, "SELECT COUNT(*) FROM moz_cookies"), 0);
  EXPECT_EQ(number(forms, "SELECT COUNT(*) FROM moz_formhistory"), 0);
  EXPECT_EQ(raw(cookies).find("token-8812"), std::string::npos);
  EXPECT_EQ(raw(forms).find("078-05-1120"), std::string::npos);
}

TEST_F(BrowserDatabases, Chrome49HistoryDownloadsCookiesAndFormDataGoAndSearchEnginesAndPasswordsStay) {
  const std::string folder = "C:\\Documents and Settings\\User\\Local Settings\\Application Data\\Google\\Chrome\\User Data\\Default";
  t.machine.files.makeFolders(folder);
  const std::string history = folder + "\\History", webData = folder + "\\Web Data", cookies = folder + "\\Cookies";
  create(history, R"(
    CREATE TABLE urls (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER DEFAULT 0,
      typed_count INTEGER DEFAULT 0, last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0, favicon_id INTEGER DEFAULT 0);
    CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER NOT NULL, visit_time INTEGER NOT NULL, from_visit INTEGER,
      transition INTEGER DEFAULT 0, segment_id INTEGER, visit_duration INTEGER DEFAULT 0);
    CREATE TABLE visit_source (id INTEGER PRIMARY KEY, source INTEGER NOT NULL);
    CREATE TABLE keyword_search_terms (keyword_id INTEGER, url_id INTEGER, lower_term LONGVARCHAR, term LONGVARCHAR);
    CREATE TABLE segments (id INTEGER PRIMARY KEY, name VARCHAR, url_id INTEGER);
    CREATE TABLE segment_usage (id INTEGER PRIMARY KEY, segment_id INTEGER, time_slot INTEGER, visit_count INTEGER);
    CREATE TABLE downloads (id INTEGER PRIMARY KEY, guid VARCHAR, current_path LONGVARCHAR, target_path LONGVARCHAR);
    CREATE TABLE downloads_url_chains (id INTEGER, chain_index INTEGER, url LONGVARCHAR, PRIMARY KEY (id, chain_index));
    INSERT INTO urls VALUES (1, 'http://private-clinic.example/appointment', 'Appointment', 1, 0, 1, 0, 0);
    INSERT INTO visits (url, visit_time) VALUES (1, 1);
    INSERT INTO keyword_search_terms VALUES (2, 1, 'symptoms of flu', 'symptoms of flu');
    INSERT INTO segments VALUES (1, 'http://private-clinic.example/', 1);
    INSERT INTO downloads (id, current_path) VALUES (1, 'C:\tax-return.pdf');
    INSERT INTO downloads_url_chains VALUES (1, 0, 'http://files.example/tax-return.pdf');
  )");
  create(webData, R"(
    CREATE TABLE autofill (name VARCHAR, value VARCHAR, value_lower VARCHAR, pair_id INTEGER PRIMARY KEY, count INTEGER);
    CREATE TABLE autofill_dates (pair_id INTEGER, date_created INTEGER);
    CREATE TABLE keywords (id INTEGER PRIMARY KEY, short_name VARCHAR, keyword VARCHAR, url VARCHAR);
    CREATE TABLE logins (origin_url VARCHAR, username_value VARCHAR, password_value BLOB);
    INSERT INTO autofill VALUES ('email', 'me@mail.example', 'me@mail.example', 1, 3);
    INSERT INTO autofill_dates VALUES (1, 5);
    INSERT INTO keywords VALUES (1, 'My Search', 'ms', 'http://mysearch.example/?q={searchTerms}');
    INSERT INTO logins VALUES ('http://bank.example/', 'me', x'01');
  )");
  create(cookies, R"(
    CREATE TABLE cookies (creation_utc INTEGER PRIMARY KEY, host_key TEXT, name TEXT, value TEXT, path TEXT);
    INSERT INTO cookies VALUES (1, '.bank.example', 'session', 'token-8812', '/');
  )");
  run(history, browsers::kChromeHistory);
  run(history, browsers::kChromeDownloads);
  run(cookies, browsers::kChromeCookies);
  run(webData, browsers::kChromeFormData);
  EXPECT_EQ(plan.count(Outcome::Failed), 0u);
  for (const char* table : {"urls", "visits", "keyword_search_terms", "segments", "downloads", "downloads_url_chains"})
    EXPECT_EQ(number(history, std::string("SELECT COUNT(*) FROM ") + table), 0) << table;
  EXPECT_EQ(number(cookies, "SELECT COUNT(*) FROM cookies"), 0);
  EXPECT_EQ(number(webData, "SELECT COUNT(*) FROM autofill"), 0);
  EXPECT_EQ(number(webData, "SELECT COUNT(*) FROM keywords"), 1);
  EXPECT_EQ(number(webData, "SELECT COUNT(*) FROM logins"), 1);
  for (const char* gone : {"private-clinic", "symptoms of flu", "tax-return"})
    EXPECT_EQ(raw(history).find(gone), std::string::npos) << gone;
  EXPECT_EQ(raw(webData).find("me@mail.example"), std::string::npos);
  EXPECT_EQ(raw(cookies).find("token-8812"), std::string::npos);
}

}  // namespace
