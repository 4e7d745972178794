#include "cookies/KeptSites.h"

#include <algorithm>
#include <cctype>

#include "cookies/CookieKeeper.h"
#include "erase/EraseFiles.h"
#include "platform/FreshFile.h"
#include "platform/WinError.h"

namespace cookies {

namespace {

std::string lowerCased(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The host as cookies of every browser name it: lower case, no leading or trailing dot.
std::string plainHost(const std::string& host) {
  std::string h = lowerCased(host);
  while (!h.empty() && h.front() == '.') h.erase(0, 1);
  while (!h.empty() && h.back() == '.') h.pop_back();
  return h;
}

std::vector<std::string> labelsOf(const std::string& host) {
  std::vector<std::string> labels;
  size_t start = 0;
  for (;;) {
    const size_t dot = host.find('.', start);
    labels.push_back(host.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) return labels;
    start = dot + 1;
  }
}

bool isAddress(const std::string& host) {
  if (host.find(':') != std::string::npos) return true;  // IPv6
  const std::vector<std::string> labels = labelsOf(host);
  return labels.size() == 4 && std::all_of(labels.begin(), labels.end(), [](const std::string& label) {
           return !label.empty() && label.size() <= 3 &&
                  std::all_of(label.begin(), label.end(), [](char c) { return c >= '0' && c <= '9'; });
         });
}

// Names a country's registry hands out below its own code ("co.uk", "com.au"); a site is
// registered one name below them.
bool isSecondLevelRegistry(const std::string& label) {
  static const char* const kNames[] = {"ac", "co", "com", "edu", "gob", "gov", "govt", "gv", "mil", "ne",
                                       "net", "nhs", "nom", "or", "org", "plc", "ltd", "sch", "go", "gen"};
  return std::any_of(std::begin(kNames), std::end(kNames), [&](const char* name) { return label == name; });
}

}  // namespace

std::string siteOfHost(const std::string& host) {
  const std::string h = plainHost(host);
  if (isAddress(h)) return h;
  const std::vector<std::string> labels = labelsOf(h);
  size_t keep = 2;
  if (labels.size() >= 3 && labels.back().size() == 2 && isSecondLevelRegistry(labels[labels.size() - 2])) keep = 3;
  if (labels.size() <= keep) return h;
  std::string site;
  for (size_t i = labels.size() - keep; i < labels.size(); ++i) site += (site.empty() ? "" : ".") + labels[i];
  return site;
}

bool isSiteName(const std::string& site) {
  if (site.empty() || site.size() > 253) return false;
  for (const std::string& label : labelsOf(site)) {
    if (label.empty()) return false;
    for (char c : label)
      if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_')) return false;
  }
  return true;
}

bool KeptSites::keeps(const std::string& host) const {
  const std::string h = plainHost(host);
  if (h.empty()) return false;
  for (const std::string& site : sites) {
    if (h == site) return true;
    if (!isAddress(site) && h.size() > site.size() && h.compare(h.size() - site.size(), site.size(), site) == 0 &&
        h[h.size() - site.size() - 1] == '.')
      return true;
  }
  return false;
}

std::string keptSitesPath(const erase::RunContext& run) {
  const std::string cookiesInf = keepListPath(run);
  return cookiesInf.substr(0, cookiesInf.find_last_of('\\') + 1) + "cookiesites.inf";
}

bool ReadKeptSites(const erase::RunContext& run, KeptSites* out, std::string* why) {
  out->sites.clear();
  std::string text;
  const std::string path = keptSitesPath(run);
  const long read = run.os.files.readFile(path, &text);
  if (read == platform::winerr::FileNotFound || read == platform::winerr::PathNotFound) return true;
  if (read != platform::winerr::Success) {
    *why = "the list of kept sites cannot be read (" + erase::describeError(read) + "): no cookie can be told kept";
    return false;
  }
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    if (!isSiteName(line)) {
      *why = "the list of kept sites holds a line that names no site: no cookie can be told kept";
      out->sites.clear();
      return false;
    }
    out->sites.push_back(line);
  }
  return true;
}

long SaveKeptSites(const erase::RunContext& run, const KeptSites& kept) {
  std::string text;
  for (const std::string& site : kept.sites)
    if (isSiteName(site)) text += site + "\r\n";
  return platform::ReplaceWithNewFile(run.os.files, keptSitesPath(run), text);
}

}  // namespace cookies
