#pragma once
// The browsers' databases the driver seeds, made on the build machine by its SQLite
// (tests/e2e/make-browser-databases.py): the driver itself has none that writes files.
#include <string>

namespace e2e {

// Firefox 52's places.sqlite in WAL mode: "http://news.example/" bookmarked as "News I read",
// "http://search.example/?q=%s" a keyword's page, and "http://private-clinic.example/appointment"
// only visited, with its icon, host, typed text and a note.
std::string firefox52Places();
// Firefox 4's cookies.sqlite in WAL mode, four rows of moz_cookies (id|baseDomain|name|value|host|path|
// expiry|lastAccessed|creationTime|isSecure|isHttpOnly):
//   1|example.com|SID|fx-sid-31d4|.example.com|/|1900000000|1480000000000001|1480000000000001|0|1
//   2|example.com|lang|fx-lang-en|www.example.com|/|1900000000|1480000000000002|1480000000000002|0|0
//   3|badexample.com|track|fx-track-77a0|badexample.com|/|1900000000|1480000000000003|1480000000000003|0|0
//   4|com.evil|steal|fx-steal-5e11|example.com.evil|/|1900000000|1480000000000004|1480000000000004|0|0
std::string firefox4Cookies();
// Chrome 49's History: "http://private-clinic.example/appointment" visited twice, a search
// made on it and its segment.
std::string chrome49History();

}  // namespace e2e
