#include "cookies/SafariCookiesPlist.h"

#include <map>
#include <utility>

#include "cookies/CookieSort.h"
#include "cookies/XmlText.h"

namespace cookies {

namespace {

// Reads the file from the front; every step either takes what it expects or leaves `at` alone.
struct Scan {
  const std::string& text;
  size_t at = 0;

  bool sees(const char* what) const { return text.compare(at, std::char_traits<char>::length(what), what) == 0; }
  bool take(const char* what) {
    if (!sees(what)) return false;
    at += std::char_traits<char>::length(what);
    return true;
  }
  void skipBlanks() {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n')) ++at;
  }
  // Moves past the next `end`; false when the file ends first.
  bool skipPast(const char* end) {
    const size_t found = text.find(end, at);
    if (found == std::string::npos) return false;
    at = found + std::char_traits<char>::length(end);
    return true;
  }
  // The text up to the next tag, which must be `close`.
  bool readText(const char* close, std::string* value) {
    const size_t tag = text.find('<', at);
    if (tag == std::string::npos || !DecodeXmlText(text.substr(at, tag - at), value)) return false;
    at = tag;
    return take(close);
  }
};

// The XML declaration, the document type and comments before <plist ...>.
bool readProlog(Scan& scan) {
  scan.take("\xEF\xBB\xBF");
  for (;;) {
    scan.skipBlanks();
    if (scan.take("<?")) {
      if (!scan.skipPast("?>")) return false;
    } else if (scan.take("<!--")) {
      if (!scan.skipPast("-->")) return false;
    } else if (scan.take("<!DOCTYPE")) {
      // A document type with declarations of its own could give the text meanings we do not read.
      const size_t end = scan.text.find('>', scan.at);
      if (end == std::string::npos || scan.text.find('[', scan.at) < end) return false;
      scan.at = end + 1;
    } else {
      break;
    }
  }
  if (!scan.take("<plist") || scan.at == scan.text.size()) return false;
  const char after = scan.text[scan.at];
  if (after != '>' && after != ' ' && after != '\t' && after != '\r' && after != '\n') return false;
  const size_t end = scan.text.find('>', scan.at);
  if (end == std::string::npos || scan.text[end - 1] == '/' || scan.text.find('<', scan.at) < end) return false;
  scan.at = end + 1;
  return true;
}

// A value of a cookie's dict: a string is kept for the caller, the other plain values are passed.
bool readValue(Scan& scan, bool* isString, std::string* value) {
  *isString = false;
  if (scan.take("<string/>")) {
    *isString = true;
    value->clear();
    return true;
  }
  if (scan.take("<string>")) {
    *isString = true;
    return scan.readText("</string>", value);
  }
  if (scan.take("<true/>") || scan.take("<false/>")) return true;
  static const struct {
    const char *open, *close;
  } kPlain[] = {{"<date>", "</date>"}, {"<real>", "</real>"}, {"<integer>", "</integer>"}, {"<data>", "</data>"}};
  std::string ignored;
  for (const auto& plain : kPlain)
    if (scan.take(plain.open)) return scan.readText(plain.close, &ignored);
  return false;
}

struct PlistCookie {
  std::string domain, name, path;
};

// One <dict>...</dict> of the top array, flat, each key once, with Domain, Name and Path strings.
bool readCookie(Scan& scan, PlistCookie* cookie) {
  if (!scan.take("<dict>")) return false;
  std::map<std::string, std::pair<bool, std::string>> values;
  for (;;) {
    scan.skipBlanks();
    if (scan.take("</dict>")) break;
    std::string key, value;
    bool isString = false;
    if (!scan.take("<key>") || !scan.readText("</key>", &key)) return false;
    scan.skipBlanks();
    if (!readValue(scan, &isString, &value)) return false;
    // Two Domain keys could be read either way: the file is not ours to guess about.
    if (!values.emplace(key, std::make_pair(isString, value)).second) return false;
  }
  const auto text = [&](const char* key, std::string* out) {
    const auto found = values.find(key);
    if (found == values.end() || !found->second.first) return false;
    *out = found->second.second;
    return true;
  };
  return text("Domain", &cookie->domain) && text("Name", &cookie->name) && text("Path", &cookie->path);
}

bool fail(std::string* why, const char* reason) {
  *why = reason;
  return false;
}

}  // namespace

bool FilterSafariCookiesPlist(const std::string& file, const KeepsHost& keeps, FilteredCookies* out, std::string* why) {
  if (file.compare(0, 8, "bplist00") == 0) return fail(why, "a binary property list, not an XML one");
  Scan scan{file};
  if (!readProlog(scan)) return fail(why, "not an XML property list");
  scan.skipBlanks();
  FilteredCookies filtered;
  size_t copied = 0;
  if (!scan.take("<array/>")) {
    if (!scan.take("<array>")) return fail(why, "the property list holds no array of cookies");
    for (;;) {
      const size_t blanks = scan.at;
      scan.skipBlanks();
      if (scan.take("</array>")) break;
      const size_t start = scan.at;
      PlistCookie cookie;
      if (!readCookie(scan, &cookie))
        return fail(why, "an entry of the cookie array is not a cookie as Safari writes it");
      if (!SortCookie(keeps, cookie.domain, cookie.path, cookie.name, scan.at - start, &filtered)) {
        filtered.bytes += file.substr(copied, blanks - copied);
        copied = scan.at;
      }
    }
  }
  scan.skipBlanks();
  if (!scan.take("</plist>")) return fail(why, "the cookie array is not followed by the end of the property list");
  scan.skipBlanks();
  if (scan.at != file.size()) return fail(why, "something follows the end of the property list");
  filtered.bytes += file.substr(copied);
  *out = std::move(filtered);
  return true;
}

}  // namespace cookies
