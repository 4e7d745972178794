#pragma once
// The program's executable files on the simulated disk. A held file refuses writers,
// renames and deletes (as any program's open file there does); a started program records
// the bytes the new process was started from.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/ProgramFiles.h"
#include "platform/sim/SimFileSystem.h"

namespace platform::sim {

class SimProgramFiles : public ProgramFiles {
 public:
  explicit SimProgramFiles(SimFileSystem& files) : files_(files) {}

  std::unique_ptr<HeldFile> writeAndHold(const std::string& path, const std::string& data, long* error) override;
  std::unique_ptr<HeldFile> hold(const std::string& path, size_t maxBytes, long* error) override;
  bool startProgram(const std::string& path, const std::string& folder, int show) override;
  long moveReplacing(const std::string& from, const std::string& to) override;
  long rename(const std::string& from, const std::string& to) override;

  struct Start {
    std::string path, folder, image;  // image: the file's bytes when the process started
    int show;
    bool held;  // whether the program held the file while it was started
  };
  std::vector<Start> started;
  bool startSucceeds = true;
  // Called as a process is started, before it reads its file: another program's move.
  std::function<void(const std::string& path)> whileStarting;
  // False plays Windows 95, 98 and ME, whose MoveFileExA does nothing.
  bool moveFileExWorks = true;
  // A nonzero answer fails that rename with the answer as its error: a failing disk.
  std::function<long(const std::string& from, const std::string& to)> renameFault;

 private:
  friend class SimHeldFile;
  SimFileSystem& files_;
  std::multiset<std::string> held_;  // host paths
};

}  // namespace platform::sim
