#pragma once
// The browsers' databases the driver seeds, made on the build machine by its SQLite
// (tests/e2e/make-browser-databases.py): the driver itself has none that writes files.
#include <string>

namespace e2e {

// Firefox 52's places.sqlite in WAL mode: "http://news.example/" bookmarked as "News I read",
// "http://search.example/?q=%s" a keyword's page, and "http://private-clinic.example/appointment"
// only visited, with its icon, host, typed text and a note.
std::string firefox52Places();
// Chrome 49's History: "http://private-clinic.example/appointment" visited twice, a search
// made on it and its segment.
std::string chrome49History();

}  // namespace e2e
