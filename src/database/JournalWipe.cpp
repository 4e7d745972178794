#include "database/JournalWipe.h"

#include <memory>

#include "platform/WinError.h"

namespace database {

long zeroFrom(platform::OpenFile& file, uint64_t from) {
  uint64_t size = 0;
  if (const long rc = file.size(&size)) return rc;
  if (size <= from) return platform::winerr::Success;
  const std::string zeros(64 * 1024, '\0');
  for (uint64_t at = from; at < size; at += zeros.size()) {
    const uint64_t left = size - at;
    const long rc = file.writeAt(at, left < zeros.size() ? zeros.substr(0, static_cast<size_t>(left)) : zeros);
    if (rc) return rc;
  }
  return file.flush();
}

long zeroAndRemove(platform::FileSystem& files, const std::string& path) {
  long error = 0;
  std::unique_ptr<platform::OpenFile> held = files.openFile(path, &error);
  if (!held) return error;
  const platform::FileIdentity identity = held->identity();
  if ((identity.attributes & platform::fileattr::ReparsePoint) || identity.links > 1)
    return platform::winerr::AccessDenied;
  if (const long rc = zeroFrom(*held, 0)) return rc;
  return held->remove();
}

}  // namespace database
