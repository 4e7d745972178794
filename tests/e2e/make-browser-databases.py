#!/usr/bin/env python3
"""Writes the C++ source that holds the browsers' databases the end-to-end driver seeds:
a Firefox 52 places.sqlite, a Firefox 4 cookies.sqlite and a Chrome 49 History, made by the
host's SQLite, since the driver runs on Windows without one.

usage: make-browser-databases.py <output .cpp>
"""
import os
import sqlite3
import sys
import tempfile

# Firefox 52's tables as far as the history item reads them, in WAL mode as Firefox keeps
# them: a bookmarked page, a keyword's page and a page only visited.
FIREFOX_52 = """
  PRAGMA user_version = 35;
  PRAGMA journal_mode = WAL;
  CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR,
    visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL,
    favicon_id INTEGER, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT,
    foreign_count INTEGER DEFAULT 0 NOT NULL, url_hash INTEGER DEFAULT 0 NOT NULL);
  CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER, visit_date INTEGER,
    visit_type INTEGER, session INTEGER);
  CREATE TABLE moz_inputhistory (place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL, use_count INTEGER,
    PRIMARY KEY (place_id, input));
  CREATE TABLE moz_hosts (id INTEGER PRIMARY KEY, host TEXT NOT NULL UNIQUE, frecency INTEGER,
    typed INTEGER NOT NULL DEFAULT 0, prefix TEXT);
  CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, parent INTEGER,
    position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, dateAdded INTEGER,
    lastModified INTEGER, guid TEXT);
  CREATE TABLE moz_keywords (id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE, place_id INTEGER,
    post_data TEXT);
  CREATE TABLE moz_favicons (id INTEGER PRIMARY KEY, url LONGVARCHAR UNIQUE, data BLOB, mime_type VARCHAR(32),
    expiration LONG);
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
    (3, 'http://search.example/?q=%s', 'Search', 0, 0, NULL, 100, NULL);
  INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES
    (1, 1, 1), (1, 2, 1), (2, 4, 1), (2, 5, 1);
  INSERT INTO moz_inputhistory VALUES (2, 'private-cl', 1);
  INSERT INTO moz_hosts (host, frecency) VALUES ('private-clinic.example', 150), ('news.example', 2000);
  INSERT INTO moz_bookmarks (id, type, fk, parent, position, title) VALUES
    (1, 2, NULL, 0, 0, ''), (2, 1, 1, 1, 0, 'News I read');
  INSERT INTO moz_keywords (keyword, place_id) VALUES ('s', 3);
  INSERT INTO moz_anno_attributes VALUES (1, 'Places/SmartBookmark');
  INSERT INTO moz_annos (place_id, anno_attribute_id, content) VALUES (2, 1, 'private-clinic note');
"""

# Firefox 4's cookies.sqlite, in WAL mode: a site's own cookie and its sub-domain's, and the
# cookies of two hosts that only look like it. BrowserDatabaseFixtures.h lists the rows.
FIREFOX_4_COOKIES = """
  PRAGMA journal_mode = WAL;
  CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, baseDomain TEXT, name TEXT, value TEXT, host TEXT, path TEXT,
    expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER,
    CONSTRAINT moz_uniqueid UNIQUE (name, host, path));
  CREATE INDEX moz_basedomain ON moz_cookies (baseDomain);
  INSERT INTO moz_cookies VALUES
    (1, 'example.com', 'SID', 'fx-sid-31d4', '.example.com', '/', 1900000000, 1480000000000001, 1480000000000001, 0, 1),
    (2, 'example.com', 'lang', 'fx-lang-en', 'www.example.com', '/', 1900000000, 1480000000000002, 1480000000000002,
     0, 0),
    (3, 'badexample.com', 'track', 'fx-track-77a0', 'badexample.com', '/', 1900000000, 1480000000000003,
     1480000000000003, 0, 0),
    (4, 'com.evil', 'steal', 'fx-steal-5e11', 'example.com.evil', '/', 1900000000, 1480000000000004,
     1480000000000004, 0, 0);
"""

# Chrome 49's History: a page, its visit, what was searched for on it and its segment.
CHROME_49 = """
  CREATE TABLE meta (key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
  INSERT INTO meta VALUES ('version', '30'), ('last_compatible_version', '16');
  CREATE TABLE urls (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER DEFAULT 0,
    typed_count INTEGER DEFAULT 0, last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0,
    favicon_id INTEGER DEFAULT 0);
  CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER NOT NULL, visit_time INTEGER NOT NULL,
    from_visit INTEGER, transition INTEGER DEFAULT 0, segment_id INTEGER, visit_duration INTEGER DEFAULT 0);
  CREATE TABLE visit_source (id INTEGER PRIMARY KEY, source INTEGER NOT NULL);
  CREATE TABLE keyword_search_terms (keyword_id INTEGER, url_id INTEGER, lower_term LONGVARCHAR, term LONGVARCHAR);
  CREATE TABLE segments (id INTEGER PRIMARY KEY, name VARCHAR, url_id INTEGER);
  CREATE TABLE segment_usage (id INTEGER PRIMARY KEY, segment_id INTEGER, time_slot INTEGER, visit_count INTEGER);
  CREATE TABLE downloads (id INTEGER PRIMARY KEY, guid VARCHAR, current_path LONGVARCHAR, target_path LONGVARCHAR);
  CREATE TABLE downloads_url_chains (id INTEGER, chain_index INTEGER, url LONGVARCHAR,
    PRIMARY KEY (id, chain_index));
  CREATE INDEX urls_url_index ON urls (url);
  INSERT INTO urls VALUES (1, 'http://private-clinic.example/appointment', 'Your appointment', 2, 1,
    13100000000000000, 0, 0);
  INSERT INTO visits (url, visit_time, transition, segment_id) VALUES (1, 13100000000000000, 1, 1),
    (1, 13100000001000000, 1, 1);
  INSERT INTO keyword_search_terms VALUES (2, 1, 'private-clinic opening hours', 'private-clinic opening hours');
  INSERT INTO segments VALUES (1, 'http://private-clinic.example/', 1);
  INSERT INTO segment_usage (segment_id, time_slot, visit_count) VALUES (1, 13100000000000000, 2);
"""


def database(script):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "made.sqlite")
        connection = sqlite3.connect(path, isolation_level=None)
        connection.executescript(script)
        connection.close()  # folds a WAL into the file and deletes it
        with open(path, "rb") as made:
            return made.read()


def definition(name, data):
    rows = [", ".join("0x%02x" % byte for byte in data[at:at + 16]) for at in range(0, len(data), 16)]
    body = ",\n    ".join(rows)
    return ("std::string %s() {\n  static const unsigned char bytes[] = {\n    %s};\n"
            "  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);\n}\n" % (name, body))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    text = ("// Written by the build from tests/e2e/make-browser-databases.py.\n"
            '#include "BrowserDatabaseFixtures.h"\n\nnamespace e2e {\n\n' +
            definition("firefox52Places", database(FIREFOX_52)) + "\n" +
            definition("firefox4Cookies", database(FIREFOX_4_COOKIES)) + "\n" +
            definition("chrome49History", database(CHROME_49)) + "\n}  // namespace e2e\n")
    os.makedirs(os.path.dirname(os.path.abspath(sys.argv[1])), exist_ok=True)
    with open(sys.argv[1], "w") as out:
        out.write(text)


if __name__ == "__main__":
    main()
