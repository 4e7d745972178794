#pragma once
// Everything the program asks of Windows, handed to it as one bundle.
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"

namespace platform {

struct Platform {
  EventLoop& loop;
  Registry& registry;
  FileSystem& files;
  Shell& shell;
  System& system;
};

}  // namespace platform
