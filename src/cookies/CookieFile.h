#pragma once
// A browser's cookie file with the cookies of the sites not kept left out, written back in
// the file's own format: what the browser reads again, each kept cookie byte for byte.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace cookies {

// One cookie of a file.
struct FileCookie {
  std::string host;   // the host or domain as the file names it: "www.example.com", ".example.com"
  std::string label;  // how the preview and the report name it: "www.example.com/path name"
  uint64_t bytes = 0;  // the size of its record in the file
};

// Whether the cookies of a host stay.
using KeepsHost = std::function<bool(const std::string& host)>;

struct FilteredCookies {
  std::string bytes;  // the file as it is to be written back
  std::vector<FileCookie> kept, removed;
};

// Each reader returns false, with `why`, for a file it cannot read whole: then no cookie
// can be told kept, and the caller leaves the file as it is.
using CookieFilter = bool (*)(const std::string& file, const KeepsHost& keeps, FilteredCookies* out,
                              std::string* why);

}  // namespace cookies
