#include "platform/win32/win32_machine.h"

#include <tlhelp32.h>

#include <cstring>

#include "platform/win32/library_export.h"

namespace vireo::platform {
namespace {

std::string UpToNul(const char* buffer, size_t size) {
  return std::string(buffer, strnlen(buffer, size));
}

std::uint64_t Address(const void* address) {
  return reinterpret_cast<std::uintptr_t>(address);
}

// The full path of the program file of process `id`: its first module's path, else the image
// name that Windows Vista and later (and Wine) report; empty when neither is known.
std::string ProgramFileOf(DWORD id) {
  HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id);
  if (modules != INVALID_HANDLE_VALUE) {
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    const bool found = Module32First(modules, &module);
    CloseHandle(modules);
    if (found) return UpToNul(module.szExePath, sizeof module.szExePath);
  }
  using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
  static const auto query =
      LibraryExport<QueryImageName>("kernel32.dll", "QueryFullProcessImageNameA");
  if (!query) return {};
  constexpr DWORD kQueryLimitedInformation = 0x1000;
  HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, id);
  if (!process) return {};
  char path[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;
  const bool ok = query(process, 0, path, &size);
  CloseHandle(process);
  return ok ? std::string(path, size) : std::string();
}

ProcessEntry EntryOf(const PROCESSENTRY32& record) {
  ProcessEntry entry;
  entry.usage = record.cntUsage;
  entry.process_id = record.th32ProcessID;
  entry.default_heap_id = record.th32DefaultHeapID;
  entry.module_id = record.th32ModuleID;
  entry.threads = record.cntThreads;
  entry.parent_process_id = record.th32ParentProcessID;
  entry.priority = record.pcPriClassBase;
  entry.flags = record.dwFlags;
  entry.exe_file = UpToNul(record.szExeFile, sizeof record.szExeFile);
  if (entry.exe_file.find('\\') == std::string::npos) {
    const std::string full = ProgramFileOf(record.th32ProcessID);
    if (!full.empty()) entry.exe_file = full;
  }
  return entry;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  char title[513] = {};
  const int length = GetWindowTextA(window, title, 512);
  reinterpret_cast<std::vector<TopWindow>*>(list)->push_back(
      {Address(window), std::string(title, static_cast<size_t>(length > 0 ? length : 0))});
  return TRUE;
}

}  // namespace

std::uint32_t Win32Machine::TickCount() {
  return GetTickCount();
}

bool Win32Machine::ComputerName(std::string* name) {
  char buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (!GetComputerNameA(buffer, &size)) return false;
  *name = UpToNul(buffer, sizeof buffer);
  return true;
}

bool Win32Machine::Processor(ProcessorInfo* info) {
  SYSTEM_INFO system = {};
  GetSystemInfo(&system);
  info->processor_type = system.dwProcessorType;
  info->active_mask = system.dwActiveProcessorMask;
  info->processors = system.dwNumberOfProcessors;
  info->allocation_granularity = system.dwAllocationGranularity;
  info->oem_id = system.dwOemId;
  info->page_size = system.dwPageSize;
  info->max_application_address = Address(system.lpMaximumApplicationAddress);
  info->min_application_address = Address(system.lpMinimumApplicationAddress);
  return true;
}

bool Win32Machine::Memory(MemoryStatus* status) {
  MEMORYSTATUS memory = {};
  memory.dwLength = sizeof memory;  // 32 bytes in the 32-bit program
  GlobalMemoryStatus(&memory);
  status->total_physical = memory.dwTotalPhys;
  status->available_physical = memory.dwAvailPhys;
  status->total_page_file = memory.dwTotalPageFile;
  status->available_page_file = memory.dwAvailPageFile;
  status->total_virtual = memory.dwTotalVirtual;
  status->available_virtual = memory.dwAvailVirtual;
  return true;
}

std::vector<std::string> Win32Machine::Environment() {
  std::vector<std::string> entries;
  char* block = GetEnvironmentStrings();
  if (!block) return entries;
  for (const char* entry = block; *entry; entry += std::strlen(entry) + 1) {
    entries.emplace_back(entry);
  }
  FreeEnvironmentStringsA(block);
  return entries;
}

std::string Win32Machine::DecimalSeparator() {
  char buffer[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) < 2) return ".";
  return UpToNul(buffer, sizeof buffer);
}

bool Win32Machine::ProgramVersion(FileVersion* version) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
  if (!found) return false;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  const DWORD size = SizeofResource(nullptr, found);
  if (!bytes) return false;
  // The fixed part follows the block's key on a 4-byte boundary; it starts with its signature.
  for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, bytes + at, sizeof fixed);
    if (fixed.dwSignature != 0xFEEF04BD) continue;
    version->major = HIWORD(fixed.dwFileVersionMS);
    version->minor = LOWORD(fixed.dwFileVersionMS);
    version->patch = HIWORD(fixed.dwFileVersionLS);
    version->build = LOWORD(fixed.dwFileVersionLS);
    return true;
  }
  return false;
}

bool Win32Processes::Snapshot(std::vector<ProcessEntry>* processes) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (!snapshot) return false;
  processes->clear();
  // A snapshot that failed (the invalid handle) lists no process.
  if (snapshot == INVALID_HANDLE_VALUE) return true;
  PROCESSENTRY32 record = {};
  record.dwSize = sizeof record;
  for (BOOL more = Process32First(snapshot, &record); more;
       more = Process32Next(snapshot, &record)) {
    processes->push_back(EntryOf(record));
  }
  CloseHandle(snapshot);
  return true;
}

ProcessHandle Win32Processes::Open(std::uint32_t process_id, std::uint32_t access, bool inherit) {
  return reinterpret_cast<ProcessHandle>(OpenProcess(access, inherit, process_id));
}

bool Win32Processes::Terminate(ProcessHandle process, std::uint32_t exit_code) {
  return TerminateProcess(reinterpret_cast<HANDLE>(process), exit_code);
}

void Win32Processes::Close(ProcessHandle process) {
  CloseHandle(reinterpret_cast<HANDLE>(process));
}

void Win32Processes::Sleep(int milliseconds) {
  ::Sleep(static_cast<DWORD>(milliseconds));
}

std::vector<TopWindow> Win32TopWindows::List() {
  std::vector<TopWindow> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace vireo::platform
