#include "erase/WalkRules.h"

#include "app/App.h"
#include "erase/ActivityLog.h"

namespace erase {

void yieldOnce(app::App& app) {
  try {
    app.os.loop.doEvents();
  } catch (const std::exception&) {
  }
}

bool aborted(app::App& app) { return app.flags.abort; }

void logSkipped(const std::string& path, const char* reason) {
  LogActivity(path + " **** skipped: " + reason, ActivityTimeStamp());
}

}  // namespace erase
