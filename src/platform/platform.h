// Everything the program needs from the operating system, handed to each window as one bundle
// at construction. The real program fills it with the Win32 adapters, the tests with stand-ins.
#pragma once

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/machine.h"
#include "platform/open_file.h"
#include "platform/processes.h"
#include "platform/regions.h"
#include "platform/registry.h"
#include "platform/session.h"
#include "platform/shell.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace vireo::platform {

struct Platform {
  Registry& registry;
  System& system;
  Profile& profile;
  Shell& shell;
  MessageBoxes& messages;
  OpenFileDialog& open_file;
  Regions& regions;
  Strings& strings;
  Files& files;
  Session& session;
  Machine& machine;
  Processes& processes;
  TopWindows& top_windows;
};

}  // namespace vireo::platform
