#pragma once
#include "platform/OpenFile.h"
#include "platform/sim/SimFileSystem.h"

namespace platform::sim {

// A host file descriptor standing for a Windows handle opened with no sharing: while it
// is open the simulated disk refuses other opens of the same file and a swap of its name.
// A link is opened as itself (O_PATH | O_NOFOLLOW) and cannot be written. Rename and
// delete act on the name it was opened by only while that name still leads to this very
// file; otherwise they are refused, as Windows would act on the file whatever its name.
class SimOpenFile : public OpenFile {
 public:
  // Takes over `fd`. `host` is the host path it was opened by, `path` the Windows one.
  SimOpenFile(SimFileSystem& files, int fd, std::string host, std::string path, bool writable);
  ~SimOpenFile() override;
  SimOpenFile(const SimOpenFile&) = delete;
  SimOpenFile& operator=(const SimOpenFile&) = delete;

  FileIdentity identity() override;
  long size(uint64_t* bytes) override;
  long readAt(uint64_t offset, size_t bytes, std::string* out) override;
  long writeAt(uint64_t offset, std::string_view data) override;
  long flush() override;
  long setLength(uint64_t length) override;
  long setAttributes(uint32_t attributes) override;
  long namedStreams(std::vector<StreamInfo>* out) override;
  std::unique_ptr<OpenFile> openStream(const std::string& name, long* error) override;
  long rename(const std::string& newName) override;
  long replace(const std::string& newName) override;
  long remove() override;

 private:
  // The name still leads to the file this handle holds.
  bool nameIsStillThisFile() const;

  SimFileSystem& files_;
  int fd_;
  std::string host_, path_;
  bool writable_;
  SimFileSystem::FileKey key_;  // the file this handle holds
};

}  // namespace platform::sim
