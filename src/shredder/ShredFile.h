#pragma once
// Overwriting a file with the shred stream and deleting it, all through one handle.
#include <functional>
#include <memory>
#include <string>

namespace app {
struct Session;
}

namespace platform {
class OpenFile;
struct FileIdentity;
}

namespace shredder {

// Opens the held file anew after its read-only attribute was cleared (a read-only file is
// held for reading only); null when it cannot.
using Reopen = std::function<std::unique_ptr<platform::OpenFile>()>;

// Shreds a file already held. Refused, with its attributes left as they were, when the
// handle shows a link, a second name, a compressed, encrypted or sparse file (new data
// would land in new clusters), or named streams it cannot list. Otherwise clears its
// attributes, overwrites its old bytes in place and flushes them before it grows, then
// writes the stream of factor N on until at least one whole stream is written, overwrites
// bytes appended meanwhile, overwrites every named stream, cuts the file to nothing,
// renames it to a name of the same length made of one character and deletes it, each
// through the handle. Null when the file is gone; otherwise why it is not, also logged.
// `path` names the file in the log.
const char* ShredOpenFile(app::Session& session, std::unique_ptr<platform::OpenFile> file, const std::string& path,
                          int factor, const Reopen& reopen);

// Tells whether the file opened is the one meant (the entry a held folder listed).
using IsMeant = std::function<bool(const platform::FileIdentity& opened)>;

// Refuses what ShredGuard refuses, then opens the file once and shreds it as above; with
// `isMeant`, a file it does not accept is left whole. True when the file is gone;
// otherwise `failure`, when given, tells why.
bool ShredFile(app::Session& session, const std::string& path, int factor, std::string* failure = nullptr,
               const IsMeant& isMeant = nullptr);

// ShredFile at the level chosen in cmbOver ("Medium" when none is).
int chosenFactor(app::Session& session);

}  // namespace shredder
