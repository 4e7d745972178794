#pragma once
// What the Chrome items remove from a profile's SQLite files (Chrome 1 to 49 and Chromium).
// Bookmarks live in a file of their own, passwords in "Login Data" (in "Web Data" before
// Chrome 4), search engines in "Web Data"'s keywords: none of them is touched.
#include "browsers/DatabaseEdit.h"

namespace browsers {

// History: every page, visit, search term and most-visited segment.
extern const DatabaseItem kChromeHistory;
// History: every download and its chain of redirects.
extern const DatabaseItem kChromeDownloads;
extern const DatabaseItem kChromeCookies;   // Cookies
extern const DatabaseItem kChromeFormData;  // Web Data: what was typed into forms

}  // namespace browsers
