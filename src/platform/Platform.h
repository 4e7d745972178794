#pragma once
// Everything the program asks of Windows, handed to it as one bundle.
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/Http.h"
#include "platform/Launcher.h"
#include "platform/ProgramFiles.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/UrlCache.h"
#include "platform/UrlHistory.h"

namespace platform {

struct Platform {
  EventLoop& loop;
  Registry& registry;
  FileSystem& files;
  Shell& shell;
  System& system;
  UrlCache& urlCache;
  UrlHistory& urlHistory;
  Launcher& launcher;
  Desktop& desktop;
  Http* http = nullptr;  // the main window's transfer object; none means off line
  Dialogs* dialogs = nullptr;  // none where no one can answer a dialog
  ProgramFiles* programFiles = nullptr;  // none where the program cannot replace itself
};

}  // namespace platform
