#pragma once
// Cookies.binarycookies of Safari 5 for Windows, CFNetwork's format as on the Mac: "cook", the
// number of pages and each page's size (big-endian), the pages, then the checksum of the pages
// (big-endian) and the footer 07 17 20 05, which later versions follow with a property list.
// A page: 00 00 01 00, its cookie count and each record's offset (little-endian, as everything
// in a page), four zero bytes, the records back to back; a record: its size, version, flags,
// has-port, the offsets of its domain, name, path, value, comment and comment URL (0 for none),
// its expiry and creation dates (8 bytes each), then its NUL-terminated strings.
#include <string>

#include "cookies/CookieFile.h"

namespace cookies {

// Rebuilds the pages without the records of the cookies not kept: kept records copied byte for
// byte, each page's count and offsets, the page table and the checksum written anew, a page
// left without records dropped; the footer and what follows it stay as they are. A layout
// other than the one above, or a checksum that does not match the pages, makes the file
// unreadable.
bool FilterSafariBinaryCookies(const std::string& file, const KeepsHost& keeps, FilteredCookies* out, std::string* why);

}  // namespace cookies
