#pragma once
// The program's own executable files as an upgrade handles them: written and held so that
// nobody changes them between their check and their start, started by path, and put in
// the place of another.
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// A file kept open for reading, shared for reading only: while it is held nobody writes,
// renames or deletes it. What it held when it was opened is in data().
class HeldFile {
 public:
  virtual ~HeldFile() = default;
  virtual const std::string& data() const = 0;
};

class ProgramFiles {
 public:
  virtual ~ProgramFiles() = default;
  // Creates the file `path` with `data`, then holds it and reads it back through the held
  // handle. A file already there is another's and is left alone: FileExists. Null with
  // `*error` set on failure.
  virtual std::unique_ptr<HeldFile> writeAndHold(const std::string& path, const std::string& data, long* error) = 0;
  // Holds an existing file and reads at most `maxBytes` + 1 bytes of it, so that a longer
  // file shows as longer. Null with `*error` set on failure.
  virtual std::unique_ptr<HeldFile> hold(const std::string& path, size_t maxBytes, long* error) = 0;
  // CreateProcessA of the program `path`, in `folder`, shown as `show` (showcmd); true once
  // the process exists. A file held by the caller may be started.
  virtual bool startProgram(const std::string& path, const std::string& folder, int show) = 0;
  // MoveFileExA replacing `to`: the new file is in place, or the old one stays.
  // CallNotImplemented on Windows 95, 98 and ME, which export it without doing it.
  virtual long moveReplacing(const std::string& from, const std::string& to) = 0;
  // MoveFileA: a new name for a file; fails when the new name is taken.
  virtual long rename(const std::string& from, const std::string& to) = 0;
};

}  // namespace platform
