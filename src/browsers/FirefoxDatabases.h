#pragma once
// What the Firefox items remove from the profile's SQLite files (Firefox 3.0 to 52, and the
// SeaMonkey and Netscape versions built on the same code). Bookmarks, their keywords and
// favicons, saved passwords and everything else in the files stay.
#include "browsers/DatabaseEdit.h"

namespace browsers {

// places.sqlite: every visit, typed input, and place no bookmark or keyword points to, with
// its annotations and favicon; bookmarked places forget their visits.
extern const DatabaseItem kFirefoxHistory;
// places.sqlite (Firefox 21 on): the downloads' visits and annotations, and the places that
// only a download made.
extern const DatabaseItem kFirefoxDownloadPlaces;
// downloads.sqlite (Firefox 3 to 20): every download.
extern const DatabaseItem kFirefoxDownloads;
extern const DatabaseItem kFirefoxCookies;      // cookies.sqlite
extern const DatabaseItem kFirefoxFormHistory;  // formhistory.sqlite

}  // namespace browsers
