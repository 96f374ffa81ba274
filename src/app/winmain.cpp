// The composition root of the real program: the Win32 adapters and toolkit, the main window, the
// event loop.
#include <windows.h>

#include <string>

#include "main/main_window.h"
#include "platform/open_file.h"
#include "platform/program_files.h"
#include "platform/win32/resource_strings.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "service/journal.h"
#include "service/setup_export.h"
#include "ui/win32/win32_toolkit.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace vireo;
  try {
    const bool windows_9x = platform::RunsOnWindows9x();
    platform::Win32Registry registry;
    platform::Win32System system;
    platform::Win32Profile profile;
    // Windows 9x replaces files by the swap, never with MoveFileExA.
    platform::Win32Files files(windows_9x ? platform::Win32Files::Way::kSwap
                                          : platform::Win32Files::Way::kMoveOver);
    // Every change goes through the journal's recorders, which log it in the program directory.
    service::Journal journal(registry, profile, files);
    journal.log_path = platform::ProgramFile(system, service::kLogFile);
    // An export stopped in the middle of its swap may have left Setup.reg moved aside: put it
    // back before anything reads it. Start-up writes nothing else.
    const std::string setup = platform::ProgramFile(system, service::kSetupFile);
    if (!setup.empty()) files.RecoverMovedAside(setup);
    platform::Win32Shell shell;
    platform::Win32MessageBoxes messages;
    platform::Win32FileChooser chooser(instance);
    platform::OpenFileDialog open_file(chooser);
    platform::Win32Regions regions;
    platform::Win32Strings strings(instance);
    platform::Win32Session session(windows_9x);
    platform::Win32Machine machine;
    platform::Win32Processes processes;
    platform::Win32TopWindows top_windows;
    platform::Platform services{journal.registry(), system,    journal.profile(), shell,
                                messages,           open_file, regions,           strings,
                                journal.files(),    session,   machine,           processes,
                                top_windows};

    ui::win32::Win32Toolkit toolkit(instance);
    main::MainWindow window(services, toolkit, &journal);
    if (!window.Load()) return 0;
    window.Show();
    return toolkit.Run();
  } catch (...) {
    return 1;
  }
}
