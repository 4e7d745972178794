#include "program/CommandLineRun.h"

#include <exception>

#include "app/CleaningRun.h"
#include "engine/ReportFile.h"
#include "platform/FreshFile.h"
#include "program/App.h"
#include "program/SavedSelections.h"
#include "report/RuntimeError.h"
#include "shredder/Shredder.h"

namespace program {

using report::resumeNext;

namespace {

constexpr uint32_t kOkExclamation = 0x30;   // MB_OK | MB_ICONEXCLAMATION
constexpr uint32_t kOkInformation = 0x40;   // MB_OK | MB_ICONASTERISK

// The ticks and the overwrite choice as the user left them, and none of the window's
// clocks: with nobody to watch, the hot keys would bring up a window, the panic key and
// the scheduler start passes of their own. Nothing else of the window is restored:
// restoring its lists writes to the registry, which a preview must leave as it was.
void prepareUnattended(App& app) {
  program::getLastTicks(app);
  shredder::fillSecurityLevels(app);
  program::getOverwriteChoice(app);
  app::MainWindow& f = app.frm;
  for (ui::Timer* timer : {&f.timeHide, &f.timPanic, &f.timeHardWare, &f.timerScheduler})
    resumeNext([&] { timer->setEnabled(false); });
  app.flags.unattended = true;
}

bool reportSaved(App& app, const std::string& path, const erase::Plan& plan) {
  return path.empty() || engine::SaveReport(app.os.files, path, plan);
}

int clean(App& app, const std::string& reportPath) {
  // The other copy may be cleaning or showing what it will clean: two at once would
  // undercut each other, and the user's window would tell a story no longer true.
  if (app.os.system.anotherInstanceRunning()) return exitcode::AnotherCopy;
  app.os.system.markCommandLineRun();
  prepareUnattended(app);
  app::cleaningPass(app);
  const int code = CleanExitCode(app.lastRun);
  return reportSaved(app, reportPath, app.lastRun) ? code : exitcode::NotAllDone;
}

int preview(App& app, const std::string& reportPath) {
  prepareUnattended(app);
  const erase::Plan plan = app::CollectPlan(app, nullptr);
  return reportSaved(app, reportPath, plan) ? exitcode::Done : exitcode::NotAllDone;
}

// A run asked for where nobody may answer a box: the answer goes to the report it names,
// else to the log beside the program, and the run ends with 1 since it did nothing.
int answerInFile(App& app, const CommandLine& command, const std::string& text) {
  std::string path = command.reportPath;
  if (path.empty()) {
    path = app.os.system.programFolder();
    if (path.empty() || path.back() != '\\') path += '\\';
    path += kCommandLineLog;
  }
  platform::ReplaceWithNewFile(app.os.files, path, text + "\r\n");
  return exitcode::NotAllDone;
}

}  // namespace

int CleanExitCode(const erase::Plan& run) {
  if (run.stopped) return exitcode::NotAllDone;
  for (const erase::ItemPlan& item : run.items)
    if (item.count(erase::Outcome::Failed) + item.count(erase::Outcome::Refused) > 0) return exitcode::NotAllDone;
  return exitcode::Done;
}

int RunCommandLine(App& app, const CommandLine& command) {
  try {
    switch (command.action) {
      case CommandLine::Action::Clean: return clean(app, command.reportPath);
      case CommandLine::Action::Preview: return preview(app, command.reportPath);
      case CommandLine::Action::Usage:
        if (command.unattended) return answerInFile(app, command, kUsage);
        app.os.shell.messageBox(0, kUsage, "Quellery", kOkInformation);
        return exitcode::Done;
      case CommandLine::Action::Mistake: {
        const std::string text = command.mistake + "\r\n\r\n" + kUsage;
        if (command.unattended) return answerInFile(app, command, text);
        app.os.shell.messageBox(0, text, "Quellery", kOkExclamation);
        return exitcode::NotAllDone;
      }
      case CommandLine::Action::ShowWindow: break;
    }
  } catch (const std::exception&) {
  }
  return exitcode::NotAllDone;
}

}  // namespace program
