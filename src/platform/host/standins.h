// Stand-ins for the operating system, for tests, one header per concern: the directories and the
// shell (host_system.h), the file operations (host_files.h), the profile files (ini_profile.h),
// the dialogs, message boxes and regions (host_dialogs.h), the machine, processes and windows
// (host_machine.h).
#pragma once

#include "platform/host/host_dialogs.h"
#include "platform/host/host_files.h"
#include "platform/host/host_machine.h"
#include "platform/host/host_system.h"
#include "platform/host/ini_profile.h"
