// libFuzzer target for the reader of Opera's cookies4.dat. Whenever it reads a file whole, what
// it writes back is the file less exactly the cookies it removed, and reads whole again with
// exactly the kept ones, by checks written apart from the reader.
#include <cstdint>
#include <string>

#include "FuzzChecks.h"
#include "cookies/OperaCookieFile.h"

using fuzzchecks::check;

namespace {

// About half the hosts, the same ones every time.
bool keepsByHash(const std::string& host) {
  uint32_t hash = 2166136261u;
  for (char c : host) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash & 1;
}

bool keepsAll(const std::string&) { return true; }

bool same(const cookies::FileCookie& a, const cookies::FileCookie& b) {
  return a.host == b.host && a.label == b.label && a.bytes == b.bytes;
}

// Whether `part` is `whole` with some of its bytes left out.
bool leftOutOf(const std::string& part, const std::string& whole) {
  size_t at = 0;
  for (char c : whole)
    if (at < part.size() && part[at] == c) ++at;
  return at == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  cookies::FilteredCookies filtered, whole, again;
  std::string why;
  if (!cookies::FilterOperaCookies(file, keepsByHash, &filtered, &why)) {
    check(!why.empty() && filtered.bytes.empty() && filtered.kept.empty() && filtered.removed.empty());
    return 0;
  }
  uint64_t removed = 0;
  for (const cookies::FileCookie& cookie : filtered.removed) removed += cookie.bytes;
  check(filtered.bytes.size() + removed == file.size());
  check(leftOutOf(filtered.bytes, file));

  // Kept whole, the file comes back as it was, every cookie listed in file order, each one
  // kept or removed above as its host decides.
  check(cookies::FilterOperaCookies(file, keepsAll, &whole, &why));
  check(whole.bytes == file && whole.removed.empty());
  check(whole.kept.size() == filtered.kept.size() + filtered.removed.size());
  size_t kept = 0, gone = 0;
  for (const cookies::FileCookie& cookie : whole.kept) {
    if (keepsByHash(cookie.host))
      check(kept < filtered.kept.size() && same(cookie, filtered.kept[kept++]));
    else
      check(gone < filtered.removed.size() && same(cookie, filtered.removed[gone++]));
  }

  // What is written back reads whole again, with exactly the kept cookies.
  check(cookies::FilterOperaCookies(filtered.bytes, keepsAll, &again, &why));
  check(again.bytes == filtered.bytes && again.removed.empty() && again.kept.size() == filtered.kept.size());
  for (size_t i = 0; i < again.kept.size(); ++i) check(same(again.kept[i], filtered.kept[i]));
  return 0;
}
