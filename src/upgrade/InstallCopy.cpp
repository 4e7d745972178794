#include "upgrade/InstallCopy.h"

#include "app/Wait.h"
#include "crypto/Sha256.h"
#include "platform/Platform.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "upgrade/State.h"
#include "upgrade/Upgrade.h"

namespace upgrade {

namespace {

void deleteIfThere(platform::Platform& os, const std::string& path) {
  report::resumeNext([&] {
    if (os.files.getAttributes(path) != platform::fileattr::Invalid) os.files.deleteFile(path);
  });
}

// The file `path`, held, when it holds the program whose SHA-256 the first step stored.
std::unique_ptr<platform::HeldFile> holdVerified(platform::Platform& os, const std::string& path) {
  const std::string expected = readState(os, "sha256", "");
  long error = 0;
  std::unique_ptr<platform::HeldFile> held = os.programFiles->hold(path, kMaxProgram, &error);
  if (!held || expected.empty() || toHex(crypto::sha256(held->data()).data(), 32) != expected) return nullptr;
  return held;
}

// Puts the new program's bytes in the place of "Quellery.exe" without a moment in which
// there is none: written under a new name beside it, then moved over it.
bool putInPlace(platform::Platform& os, const std::string& data) {
  platform::ProgramFiles& programs = *os.programFiles;
  const std::string exe = programPath(os, "Quellery.exe"), fresh = programPath(os, "Quellery.new");
  deleteIfThere(os, fresh);
  long error = 0;
  std::unique_ptr<platform::HeldFile> written = programs.writeAndHold(fresh, data, &error);
  const bool whole = written && written->data() == data;
  written.reset();  // a move needs the file let go
  if (!whole) {
    deleteIfThere(os, fresh);
    return false;
  }
  error = programs.moveReplacing(fresh, exe);
  if (error == platform::winerr::CallNotImplemented) {
    // Windows 95, 98 and ME: the old program steps aside, and comes back if the new one
    // cannot take its place.
    const std::string aside = programPath(os, "Quellery.old");
    deleteIfThere(os, aside);
    error = programs.rename(exe, aside);
    if (error == platform::winerr::Success) {
      error = programs.rename(fresh, exe);
      if (error != platform::winerr::Success) programs.rename(aside, exe);
      else
        deleteIfThere(os, aside);
    }
  }
  if (error != platform::winerr::Success) deleteIfThere(os, fresh);
  return error == platform::winerr::Success;
}

// Starts the program file `name` of the folder, held and checked until it has started.
bool startVerified(platform::Platform& os, const char* name) {
  std::unique_ptr<platform::HeldFile> held = holdVerified(os, programPath(os, name));
  return held && os.programFiles->startProgram(programPath(os, name), os.system.programFolder(),
                                               platform::showcmd::MinimizedFocus);
}

// "qy.exe" is not what was checked: the old program stays and is started again, and the
// hand-over is over.
void refuseCopy(platform::Platform& os) {
  saveState(os, "ver", readState(os, "oldver", ""));
  saveState(os, "Up", "a");
  deleteState(os, "donreq");
  deleteState(os, "oldver");
  deleteState(os, "sha256");
  report::resumeNext([&] {
    os.programFiles->startProgram(programPath(os, "Quellery.exe"), os.system.programFolder(),
                                  platform::showcmd::MinimizedFocus);
  });
  os.system.endProgram();
}

}  // namespace

void installCopy(platform::Platform& os) {
  if (!os.programFiles) return;
  app::WaitSeconds(os, 4);
  std::string program;
  if (std::unique_ptr<platform::HeldFile> copy = holdVerified(os, programPath(os, "qy.exe"))) {
    program = copy->data();
  } else {
    refuseCopy(os);
  }
  app::WaitSeconds(os, 4);
  // Until the program's file is the new one, "Up" stays "b" and the copy goes on running
  // as the program: an installation that did not happen is never announced as done.
  if (!putInPlace(os, program)) return;
  saveState(os, "Up", "c");
  app::WaitSeconds(os, 4);
  if (startVerified(os, "Quellery.exe")) os.system.endProgram();
}

}  // namespace upgrade
