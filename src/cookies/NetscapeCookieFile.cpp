#include "cookies/NetscapeCookieFile.h"

#include <utility>
#include <vector>

#include "cookies/CookieSort.h"

namespace cookies {

namespace {

// curl and later browsers mark an HTTP-only cookie so; older readers skip the line as a comment.
const std::string kHttpOnly = "#HttpOnly_";

struct CookieLine {
  std::string domain, path, name;
};

std::vector<std::string> fieldsOf(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab = text.find('\t'); tab != std::string::npos; tab = text.find('\t', start)) {
    fields.push_back(text.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(text.substr(start));
  return fields;
}

bool isFlag(const std::string& field) { return field == "TRUE" || field == "FALSE"; }

bool isNumber(const std::string& field) {
  if (field.empty()) return false;
  for (char c : field)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isBlank(const std::string& text) {
  for (char c : text)
    if (c != ' ' && c != '\t') return false;
  return true;
}

// Six fields are a cookie whose empty value was written without its tab, as some writers of
// the format did; readers take the value for empty.
bool readCookie(const std::string& text, CookieLine* cookie) {
  const std::vector<std::string> fields = fieldsOf(text);
  if (fields.size() != 7 && fields.size() != 6) return false;
  if (fields[0].empty() || !isFlag(fields[1]) || !isFlag(fields[3]) || !isNumber(fields[4])) return false;
  *cookie = {fields[0], fields[2], fields[5]};
  return true;
}

}  // namespace

bool FilterNetscapeCookies(const std::string& file, const KeepsHost& keeps, FilteredCookies* out, std::string* why) {
  FilteredCookies filtered;
  size_t start = 0, number = 0;
  while (start < file.size()) {
    ++number;
    const size_t newline = file.find('\n', start);
    const size_t end = newline == std::string::npos ? file.size() : newline + 1;
    std::string text = file.substr(start, (newline == std::string::npos ? file.size() : newline) - start);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::string line = file.substr(start, end - start);
    start = end;
    const bool httpOnly = text.compare(0, kHttpOnly.size(), kHttpOnly) == 0;
    if (!httpOnly && (isBlank(text) || text[0] == '#')) {
      filtered.bytes += line;
      continue;
    }
    CookieLine cookie;
    if (!readCookie(httpOnly ? text.substr(kHttpOnly.size()) : text, &cookie)) {
      *why = "line " + std::to_string(number) + " is neither a cookie nor a comment";
      return false;
    }
    if (SortCookie(keeps, cookie.domain, cookie.path, cookie.name, line.size(), &filtered)) filtered.bytes += line;
  }
  *out = std::move(filtered);
  return true;
}

}  // namespace cookies
