#include "platform/sim/SimProgramFiles.h"

#include <fstream>
#include <sstream>

#include "platform/WinError.h"

namespace platform::sim {

namespace {

// The host file's bytes as a handle of its holder reads them, past the simulated locks.
bool readHost(const std::string& host, size_t maxBytes, std::string* data) {
  std::ifstream in(host, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  *data = all.str();
  if (data->size() > maxBytes) data->resize(maxBytes);
  return true;
}

}  // namespace

class SimHeldFile : public HeldFile {
 public:
  SimHeldFile(SimProgramFiles& owner, std::string path, std::string host, std::string data)
      : owner_(owner), path_(std::move(path)), host_(std::move(host)), data_(std::move(data)) {
    owner_.held_.insert(host_);
    owner_.files_.lock(path_);
  }
  ~SimHeldFile() override {
    owner_.held_.erase(owner_.held_.find(host_));
    if (!owner_.held_.count(host_)) owner_.files_.unlock(path_);
  }
  const std::string& data() const override { return data_; }

 private:
  SimProgramFiles& owner_;
  std::string path_, host_, data_;
};

std::unique_ptr<HeldFile> SimProgramFiles::writeAndHold(const std::string& path, const std::string& data,
                                                        long* error) {
  *error = files_.getAttributes(path) == fileattr::Invalid ? files_.writeFile(path, data) : winerr::FileExists;
  if (*error != winerr::Success) return nullptr;
  return hold(path, data.size(), error);
}

std::unique_ptr<HeldFile> SimProgramFiles::hold(const std::string& path, size_t maxBytes, long* error) {
  if (files_.getAttributes(path) == fileattr::Invalid) {
    *error = winerr::FileNotFound;
    return nullptr;
  }
  const std::string host = files_.hostPath(path);
  // Another program's open file refuses a holder that would keep it from writing.
  if (!held_.count(host) && files_.openForReading(path) == winerr::SharingViolation) {
    *error = winerr::SharingViolation;
    return nullptr;
  }
  std::string data;
  if (!readHost(host, maxBytes + 1, &data)) {
    *error = winerr::AccessDenied;
    return nullptr;
  }
  *error = winerr::Success;
  return std::make_unique<SimHeldFile>(*this, path, host, std::move(data));
}

bool SimProgramFiles::startProgram(const std::string& path, const std::string& folder, int show) {
  if (whileStarting) whileStarting(path);
  const std::string host = files_.hostPath(path);
  Start start{path, folder, {}, show, held_.count(host) > 0};
  if (!startSucceeds || !readHost(host, std::string::npos, &start.image)) return false;
  started.push_back(start);
  return true;
}

long SimProgramFiles::moveReplacing(const std::string& from, const std::string& to) {
  if (!moveFileExWorks) return winerr::CallNotImplemented;
  return files_.replaceFile(from, to);
}

long SimProgramFiles::rename(const std::string& from, const std::string& to) {
  if (renameFault)
    if (const long fault = renameFault(from, to)) return fault;
  return files_.moveFile(from, to);
}

}  // namespace platform::sim
