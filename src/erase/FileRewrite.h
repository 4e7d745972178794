#pragma once
// A file another program keeps (a browser's cookie file) rewritten in place: read and
// written through one handle opened relative to its held folder, so what was judged is
// what is written, and what the new text no longer holds is overwritten before the file is
// cut to its new length, leaving none of it in the freed space.
#include <functional>
#include <string>

#include "erase/RunContext.h"

namespace erase {

enum class RewriteEnd {
  Missing,   // no such file
  Refused,   // a link, a second name of another file, or a folder reached through a link
  Unread,    // it could not be opened or read whole; `reason` says why
  Unedited,  // the edit left it as it was
  Written,
  Failed,    // the write failed; `reason` says why, and the file may be cut short
};

struct Rewrite {
  RewriteEnd end;
  std::string reason;
};

// `edit` gets the file's bytes and gives the new ones, or false to leave it as it is. A
// file larger than `limit` is not read.
using FileEdit = std::function<bool(const std::string& old, std::string* fresh)>;
Rewrite RewriteFileInHeldFolder(const RunContext& run, const std::string& path, size_t limit, const FileEdit& edit);

}  // namespace erase
