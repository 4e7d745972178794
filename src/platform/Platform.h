#pragma once
// Everything the program asks of Windows, handed to it as one bundle.
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/Http.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/UrlCache.h"
#include "platform/UrlHistory.h"
#include "platform/Launcher.h"
#include "platform/Desktop.h"

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
};

}  // namespace platform
