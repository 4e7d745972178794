#pragma once
// A junction, mount point or symbolic link named as a target leads wherever it points:
// the browser items leave such targets alone.
#include <string>

#include "platform/FileSystem.h"

namespace clean {

inline bool IsLinkAt(platform::FileSystem& files, const std::string& path) {
  const uint32_t attributes = files.getAttributes(path);
  return attributes != platform::fileattr::Invalid && (attributes & platform::fileattr::ReparsePoint);
}

}  // namespace clean
