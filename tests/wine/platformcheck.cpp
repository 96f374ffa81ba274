// Checks the Win32 system adapters on the real system (Wine in Windows 98 mode): directories,
// version, file existence, the file operations (both ways of replacing a file, whatever the mode)
// and window regions. The profile calls, which pass straight to the system's, are proved by the
// driver on control.ini: read by the applet list and its tooltips, written and deleted by the
// change journal and its undo. Prints one line per check and a closing
// "platformcheck: N passed, M failed".
#include <windows.h>

#include <string>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_system.h"
#include "report.h"

namespace {

using namespace report;

std::string Box(HRGN region) {
  RECT box = {};
  GetRgnBox(region, &box);
  return std::to_string(box.left) + "," + std::to_string(box.top) + "," +
         std::to_string(box.right) + "," + std::to_string(box.bottom);
}

bool SameNoCase(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

void CheckDirectoriesAndVersion() {
  vireo::platform::Win32System system;
  const std::string windows = system.WindowsDirectory(), system_dir = system.SystemDirectory();
  check(!windows.empty() && windows.back() != '\\', "Windows directory without a backslash",
        windows);
  check(SameNoCase(system_dir.substr(0, windows.size()), windows) &&
            system_dir.size() > windows.size() && system_dir.back() != '\\',
        "System directory below the Windows directory, without a backslash", system_dir);

  char module[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  check(SameNoCase(system.ProgramDirectory() + "\\platformcheck.exe", module), "program directory",
        system.ProgramDirectory());

  vireo::platform::OsVersion v;
  same(system.Version(&v) ? std::to_string(v.platform_id) + " " + std::to_string(v.major) + "." +
                                std::to_string(v.minor)
                          : "no version",
       "1 4.10", "Windows 98 mode reports platform 1, version 4.10");
}

void CheckFileExists() {
  vireo::platform::Win32Shell shell;
  const std::string dir = tempDirectory();
  const std::string file = dir + "\\Vireo-Check.DLL";
  writeFile(file, {true, ""});
  check(shell.FileExists(file), "an existing file exists");
  check(shell.FileExists(dir + "\\vireo-check.dll"), "file names compare without regard to case");
  check(!shell.FileExists(dir), "a folder is no file");
  DeleteFileA(file.c_str());
  check(!shell.FileExists(file), "a deleted file does not exist");
}

// Closes the file handle `handle` after 150 ms.
DWORD WINAPI LetGoLater(void* handle) {
  Sleep(150);
  CloseHandle(static_cast<HANDLE>(handle));
  return 0;
}

// The calls this program makes to MoveFileExA, counted by a function of ours that takes its place
// in the program's import table; only the Win32 adapter's code calls it.
LONG move_file_ex_calls = 0;
decltype(&MoveFileExA) real_move_file_ex = nullptr;

BOOL WINAPI CountedMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
  ++move_file_ex_calls;
  return real_move_file_ex(from, to, flags);
}

bool CountMoveFileEx() {
  real_move_file_ex = &MoveFileExA;  // a dllimport's address: what the program's slot holds
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const auto& iat = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
  auto* slot = reinterpret_cast<ULONG_PTR*>(base + iat.VirtualAddress);
  for (auto* end = slot + iat.Size / sizeof *slot; slot != end; ++slot) {
    DWORD was = 0;
    if (*slot != reinterpret_cast<ULONG_PTR>(real_move_file_ex)) continue;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) return false;
    *slot = reinterpret_cast<ULONG_PTR>(&CountedMoveFileEx);
    return VirtualProtect(slot, sizeof *slot, was, &was);
  }
  return false;
}

// The file operations, replacing files the way `way` names (`tag` in front of each check).
void CheckFileOperations(vireo::platform::Win32Files::Way way, const std::string& tag) {
  vireo::platform::Win32Files files(way);
  const std::string dir = tempDirectory() + "\\Vireo-ShellNew";
  removeFolder(dir);
  check(files.MakeDirectory(dir), tag + "a directory is made");
  check(files.MakeDirectory(dir), tag + "a directory that exists counts as made");
  const std::string file = dir + "\\NewFile.txt";
  check(files.Replace(file, "first\r\n"), tag + "a new file is written");
  check(files.Replace(file, "second\r\n"), tag + "an existing file is replaced");
  same(readFile(file).data, "second\r\n", tag + "the file holds the new contents");
  check(!files.Replace(dir, "x"), tag + "a folder is not replaced by a file");
  const std::string copy = dir + "\\a.txt.txt";
  check(files.Copy(file, copy) && readFile(copy).data == "second\r\n", tag + "a file is copied");
  check(files.Copy(file, copy), tag + "a file is copied over an existing one");
  check(!files.Copy(dir + "\\missing.txt", copy), tag + "a missing source fails");
  same(readFile(copy).data, "second\r\n", tag + "a failed copy leaves the target as it was");
  // A read-only file is neither replaced nor copied over (Wine itself would move a file over it).
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  check(!files.Replace(file, "third\r\n"), tag + "a read-only file is not replaced");
  check(!files.Copy(copy, file), tag + "a read-only file is not copied over");
  same(readFile(file).data, "second\r\n", tag + "the read-only file keeps its contents");
  // A template copied from a read-only source (a CD) can itself be replaced later.
  check(files.Copy(file, copy) && files.Replace(copy, "second\r\n"),
        tag + "a copy of a read-only file can be replaced");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  // A file that another program holds open for a moment (a virus scanner, an editor reading it)
  // is replaced once it is let go; one held all along is not, and keeps its contents.
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  check(!files.Replace(file, "third\r\n"), tag + "a file held open all along is not replaced");
  same(readFile(file).data, "second\r\n", tag + "the held file keeps its contents");
  same(std::to_string(filesIn(dir).size()), "2", tag + "a refused replace leaves no other file");
  HANDLE letter = CreateThread(nullptr, 0, LetGoLater, held, 0, nullptr);
  check(files.Replace(file, "fourth\r\n"), tag + "a file held open for a moment is replaced");
  WaitForSingleObject(letter, INFINITE);
  CloseHandle(letter);
  same(readFile(file).data, "fourth\r\n", tag + "the file let go holds the new contents");
  same(std::to_string(filesIn(dir).size()), "2", tag + "no temporary file is left behind");

  removeFolder(dir);
}

// What a swap stopped by a kill leaves: the old file moved aside is put back at start-up; a
// backup beside the file, and a temporary file, go with the next swap.
void CheckSwapRecovery() {
  vireo::platform::Win32Files files(vireo::platform::Win32Files::Way::kSwap);
  const std::string dir = tempDirectory() + "\\Vireo-Swap";
  removeFolder(dir);
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string file = dir + "\\Setup.reg";
  const std::string backup = file + ".vir-old";
  const std::string temp = file + ".vir-new";
  writeFile(backup, {true, "old"});
  writeFile(temp, {true, "part"});
  check(files.RecoverMovedAside(file) && readFile(file).data == "old" && filesIn(dir).size() == 1,
        "swap: a file left moved aside is put back, its temporary file deleted",
        readFile(file).data + ", " + std::to_string(filesIn(dir).size()) + " files");
  writeFile(backup, {true, "stale"});
  writeFile(temp, {true, "part"});
  check(files.RecoverMovedAside(file) && filesIn(dir).size() == 3,
        "swap: a backup beside its file is left alone at start-up");
  check(files.Replace(file, "new") && readFile(file).data == "new" && filesIn(dir).size() == 1,
        "swap: the next replace deletes the backup and the temporary file",
        readFile(file).data + ", " + std::to_string(filesIn(dir).size()) + " files");
  removeFolder(dir);
}

void CheckRegions() {
  vireo::platform::Win32Regions regions;
  const auto first = regions.CreateRoundRect(0, 0, 320, 240, 20, 20);
  const auto second = regions.CreateRoundRect(10, 10, 330, 250, 20, 20);
  check(first != 0 && second != 0, "rounded regions are created");
  check(regions.CombineUnion(first, first, second), "their union is formed");
  // A rounded rectangle's region leaves out its right and bottom edge.
  same(Box(reinterpret_cast<HRGN>(first)), "0,0,329,249", "the union spans both rectangles");

  // A window that cannot be made is a failure of its own, with its error: Wine gives no window
  // at all on a desktop left without a display driver.
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 330, 250, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  const DWORD create_error = GetLastError();
  if (!check(window != nullptr, "a pop-up window is made to take the outline",
             window != nullptr ? "" : "error " + std::to_string(create_error))) {
    regions.Delete(first);
    regions.Delete(second);
    return;
  }
  const bool set = regions.SetWindowRegion(reinterpret_cast<std::uintptr_t>(window), first, true);
  const DWORD set_error = GetLastError();
  check(set, "the union becomes the window's outline",
        set ? "" : "error " + std::to_string(set_error));
  if (!set) regions.Delete(first);  // the window owns it only once it is set
  HRGN outline = CreateRectRgn(0, 0, 0, 0);
  same(GetWindowRgn(window, outline) != ERROR ? Box(outline) : "no region", "0,0,329,249",
       "the window keeps the outline");
  DeleteObject(outline);
  regions.Delete(second);
  DestroyWindow(window);
}

}  // namespace

int main() {
  CheckDirectoriesAndVersion();
  CheckFileExists();
  check(vireo::platform::RunsOnWindows9x(),
        "Windows 98 mode is Windows 9x to the program, which then replaces files by the swap");
  check(CountMoveFileEx(), "the calls to MoveFileExA are counted");
  CheckFileOperations(vireo::platform::Win32Files::Way::kMoveOver, "MoveFileExA: ");
  check(move_file_ex_calls > 0, "the NT family's way calls MoveFileExA",
        std::to_string(move_file_ex_calls));
  move_file_ex_calls = 0;
  CheckFileOperations(vireo::platform::Win32Files::Way::kSwap, "swap: ");
  CheckSwapRecovery();
  same(std::to_string(move_file_ex_calls), "0",
       "the swap never calls MoveFileExA (Windows 9x does not have it)");
  CheckRegions();
  return report::finish("platformcheck");
}
