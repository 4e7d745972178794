#include "shredder/ShredFile.h"

#include <algorithm>

#include "app/App.h"
#include "erase/ActivityLog.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"
#include "shredder/ShredGuard.h"
#include "shredder/ShredStream.h"

namespace shredder {

using namespace platform;

namespace {

constexpr size_t kChunkBytes = 1 << 20;  // what one write hands to Windows
constexpr int kMediumIndex = 2;

// The file under a name of the same length made of one character, so neither its name
// nor its length survives in the folder; the name it has when the rename cannot be made.
std::string anonymise(app::App& app, const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  const std::string folder = path.substr(0, slash + 1);
  const size_t length = path.size() - folder.size();
  for (char c : std::string("ZYXWVUTSRQ0123456789")) {
    const std::string renamed = folder + std::string(length, c);
    if (app.os.files.moveFile(path, renamed) == winerr::Success) return renamed;
  }
  return path;
}

}  // namespace

int chosenFactor(app::App& app) {
  const int index = app.frm.cmbOver.listIndex();
  return repetitionFactor(index >= 0 && index <= 4 ? index : kMediumIndex);
}

bool ShredFile(app::App& app, const std::string& path, int factor) {
  try {
    if (const char* reason = fileRefusal(app, path)) {
      erase::logSkipped(path, reason);
      return false;
    }
    FileSystem& fs = app.os.files;
    FileIdentity identity;
    uint64_t size = 0;
    if (fs.fileInformation(path, &identity, &size) != winerr::Success) return false;
    const std::string stream = shredStream(factor);
    // Whole streams per write, so each write continues the stream where the last ended.
    std::string chunk;
    while (chunk.size() + stream.size() <= std::max(kChunkBytes, stream.size())) chunk += stream;
    const uint64_t total = std::max<uint64_t>(size, stream.size());
    for (uint64_t offset = 0; offset < total; offset += chunk.size()) {
      const uint64_t left = total - offset;
      const bool last = left <= chunk.size();
      const long rc = last ? fs.writeAt(path, offset, chunk.substr(0, static_cast<size_t>(left)), true)
                           : fs.writeAt(path, offset, chunk, false);
      if (rc != winerr::Success) {
        // Before the first write the file is untouched; later it is part overwritten.
        erase::logSkipped(path, offset == 0 ? "cannot be written" : "overwriting failed");
        return false;
      }
      erase::yieldOnce(app);
    }
    if (fs.setFileLength(path, 0) != winerr::Success) erase::logSkipped(path, "cannot be cut");
    const std::string renamed = anonymise(app, path);
    if (fs.deleteFile(renamed) != winerr::Success) {
      erase::logSkipped(renamed, "cannot be deleted");
      return false;
    }
    erase::LogActivity(path + " Shredded", erase::ActivityTimeStamp());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace shredder
