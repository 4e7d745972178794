#include "upgrade/InstallCopy.h"

#include "app/App.h"
#include "app/modTest.h"
#include "crypto/Sha256.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "upgrade/State.h"
#include "upgrade/Upgrade.h"

namespace upgrade {

namespace {

void deleteIfThere(app::App& app, const std::string& path) {
  report::resumeNext([&] {
    if (app.os.files.getAttributes(path) != platform::fileattr::Invalid) app.os.files.deleteFile(path);
  });
}

// The file `path`, held, when it holds the program whose SHA-256 the first step stored.
std::unique_ptr<platform::HeldFile> holdVerified(app::App& app, const std::string& path) {
  const std::string expected = readState(app, "sha256", "");
  long error = 0;
  std::unique_ptr<platform::HeldFile> held = app.os.programFiles->hold(path, kMaxProgram, &error);
  if (!held || expected.empty() || toHex(crypto::sha256(held->data()).data(), 32) != expected) return nullptr;
  return held;
}

// Puts the new program's bytes in the place of "Quellery.exe" without a moment in which
// there is none: written under a new name beside it, then moved over it.
bool putInPlace(app::App& app, const std::string& data) {
  platform::ProgramFiles& programs = *app.os.programFiles;
  const std::string exe = programPath(app, "Quellery.exe"), fresh = programPath(app, "Quellery.new");
  deleteIfThere(app, fresh);
  long error = 0;
  std::unique_ptr<platform::HeldFile> written = programs.writeAndHold(fresh, data, &error);
  const bool whole = written && written->data() == data;
  written.reset();  // a move needs the file let go
  if (!whole) {
    deleteIfThere(app, fresh);
    return false;
  }
  error = programs.moveReplacing(fresh, exe);
  if (error == platform::winerr::CallNotImplemented) {
    // Windows 95, 98 and ME: the old program steps aside, and comes back if the new one
    // cannot take its place.
    const std::string aside = programPath(app, "Quellery.old");
    deleteIfThere(app, aside);
    error = programs.rename(exe, aside);
    if (error == platform::winerr::Success) {
      error = programs.rename(fresh, exe);
      if (error != platform::winerr::Success) programs.rename(aside, exe);
      else deleteIfThere(app, aside);
    }
  }
  if (error != platform::winerr::Success) deleteIfThere(app, fresh);
  return error == platform::winerr::Success;
}

// Starts the program file `name` of the folder, held and checked until it has started.
bool startVerified(app::App& app, const char* name) {
  std::unique_ptr<platform::HeldFile> held = holdVerified(app, programPath(app, name));
  return held && app.os.programFiles->startProgram(programPath(app, name), app.os.system.programFolder(),
                                                   platform::showcmd::MinimizedFocus);
}

// "qy.exe" is not what was checked: the old program stays and is started again, and the
// hand-over is over.
void refuseCopy(app::App& app) {
  saveState(app, "ver", readState(app, "oldver", ""));
  saveState(app, "Up", "a");
  deleteState(app, "donreq");
  deleteState(app, "oldver");
  deleteState(app, "sha256");
  report::resumeNext([&] {
    app.os.programFiles->startProgram(programPath(app, "Quellery.exe"), app.os.system.programFolder(),
                                      platform::showcmd::MinimizedFocus);
  });
  app.os.system.endProgram();
}

}  // namespace

void installCopy(app::App& app) {
  if (!app.os.programFiles) return;
  app::WaitSeconds(app, 4);
  std::string program;
  if (std::unique_ptr<platform::HeldFile> copy = holdVerified(app, programPath(app, "qy.exe"))) {
    program = copy->data();
  } else {
    refuseCopy(app);
  }
  app::WaitSeconds(app, 4);
  // Until the program's file is the new one, "Up" stays "b" and the copy goes on running
  // as the program: an installation that did not happen is never announced as done.
  if (!putInPlace(app, program)) return;
  saveState(app, "Up", "c");
  app::WaitSeconds(app, 4);
  if (startVerified(app, "Quellery.exe")) app.os.system.endProgram();
}

}  // namespace upgrade
