#pragma once
// A file opened once and acted on through that one handle. A name can be made to lead
// elsewhere between a check and an action (a file swapped for a hard link to another,
// a junction above re-pointed, a drive letter redefined); a handle cannot: what its
// checks saw is what its writes, truncation, rename and deletion reach.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

// A named (alternate) data stream of an NTFS file: ":name:$DATA".
struct StreamInfo {
  std::string name;  // "name", without the colons and the type
  uint64_t size = 0;
};

class OpenFile {
 public:
  virtual ~OpenFile() = default;
  // What the handle sees: a link opened as itself shows the reparse-point attribute, a
  // file with other names more than one link; compressed, sparse and encrypted bits too.
  virtual FileIdentity identity() = 0;
  virtual long size(uint64_t* bytes) = 0;
  // Up to `bytes` bytes from `offset` into `out`: fewer where the file ends first.
  virtual long readAt(uint64_t offset, size_t bytes, std::string* out) = 0;
  virtual long writeAt(uint64_t offset, std::string_view data) = 0;
  virtual long flush() = 0;  // the written data has reached the disk
  virtual long setLength(uint64_t length) = 0;
  virtual long setAttributes(uint32_t attributes) = 0;
  // The file's named streams, the unnamed one left out; none on 95, 98, ME or FAT.
  virtual long namedStreams(std::vector<StreamInfo>* out) = 0;
  // One named stream of this very file, opened relative to this handle.
  virtual std::unique_ptr<OpenFile> openStream(const std::string& name, long* error) = 0;
  // A new name in the same folder, given through the handle.
  virtual long rename(const std::string& newName) = 0;
  // Puts this file in the place of the entry `newName` of the same folder, replacing it as
  // an entry: a link or another name of someone's file there is not written through. The
  // new file is in place, or the old entry stays as it was.
  virtual long replace(const std::string& newName) = 0;
  // Deletes the file through the handle: it is gone once the handle closes.
  virtual long remove() = 0;
};

}  // namespace platform
