#include "platform/win32/win32_system.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "platform/win32/library_export.h"

namespace vireo::platform {
namespace {

std::string UpToNul(const char* buffer, size_t size) {
  return std::string(buffer, strnlen(buffer, size));
}

HRGN AsRegion(RegionHandle region) {
  return reinterpret_cast<HRGN>(region);
}

}  // namespace

std::string Win32System::WindowsDirectory() {
  char buffer[256] = {};
  GetWindowsDirectoryA(buffer, 255);
  return UpToNul(buffer, sizeof buffer);
}

std::string Win32System::SystemDirectory() {
  char buffer[256] = {};
  if (GetSystemDirectoryA(buffer, 255) < 1) return {};
  return UpToNul(buffer, sizeof buffer);
}

std::string Win32System::ProgramDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path(buffer, length);
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool Win32System::Version(OsVersion* version) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  if (!GetVersionExA(&info)) return false;
  version->major = info.dwMajorVersion;
  version->minor = info.dwMinorVersion;
  version->build = info.dwBuildNumber;
  version->platform_id = info.dwPlatformId;
  version->csd = UpToNul(info.szCSDVersion, sizeof info.szCSDVersion);
  return true;
}

bool RunsOnWindows9x() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void Win32System::ExitNow(int code) {
  ExitProcess(static_cast<UINT>(code));
}

std::string Win32Profile::GetString(const std::string& section, const std::string& key,
                                    const std::string& fallback, const std::string& file) {
  char buffer[1024] = {};
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                buffer, sizeof buffer, file.c_str());
  return std::string(buffer, length);
}

bool Win32Profile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& file) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

bool Win32Profile::DeleteKey(const std::string& section, const std::string& key,
                             const std::string& file) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str());
}

bool Win32Shell::Open(const std::string& verb, const std::string& target, int show) {
  // Anything above 32 is success; 31 means that no program is associated with the target.
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  const auto execute = LibraryExport<ShellExecuteFn>("shell32.dll", "ShellExecuteA");
  if (!execute) return false;
  const auto result = reinterpret_cast<std::uintptr_t>(
      execute(nullptr, verb.c_str(), target.c_str(), "", "", show));
  return result > 32;
}

void Win32Shell::Start(const std::string& command_line) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  std::string line = command_line;  // CreateProcessA may write into its command line
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

bool Win32Shell::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32Session::ShutDownDialog() {
  using ExitWindowsDialog = void(WINAPI*)(HWND);
  if (auto dialog = LibraryOrdinal<ExitWindowsDialog>("shell32.dll", 60)) dialog(nullptr);
}

void Win32Session::RunDialog(OwnerHandle owner, const std::string& title,
                             const std::string& prompt) {
  // On Windows 9x the Run dialog takes single-byte texts.
  using RunFileDlg = int(WINAPI*)(HWND, HICON, LPCSTR, LPCSTR, LPCSTR, UINT);
  if (auto dialog = LibraryOrdinal<RunFileDlg>("shell32.dll", 61)) {
    dialog(reinterpret_cast<HWND>(owner), nullptr, nullptr, title.c_str(), prompt.c_str(), 0);
  }
}

void Win32Session::AboutWindows(OwnerHandle owner, const std::string& application,
                                const std::string& other) {
  using ShellAboutFn = INT(WINAPI*)(HWND, LPCSTR, LPCSTR, HICON);
  if (auto about = LibraryExport<ShellAboutFn>("shell32.dll", "ShellAboutA")) {
    about(reinterpret_cast<HWND>(owner), application.c_str(), other.c_str(), nullptr);
  }
}

void Win32Session::EndSession(std::uint32_t flags) {
  HANDLE token = nullptr;
  if (!windows_9x_ && OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
      AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
  }
  ExitWindowsEx(flags, 0);
}

Answer Win32MessageBoxes::Show(OwnerHandle owner, const std::string& text, const std::string& title,
                               MessageStyle style) {
  UINT flags = 0;
  switch (style) {
    case MessageStyle::kCriticalOk:
      flags = MB_ICONSTOP | MB_OK;
      break;
    case MessageStyle::kQuestionYesNo:
      flags = MB_ICONQUESTION | MB_YESNO;
      break;
    case MessageStyle::kExclamationYesNo:
      flags = MB_ICONEXCLAMATION | MB_YESNO;
      break;
  }
  const int result = MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), title.c_str(), flags);
  if (result == IDYES) return Answer::kYes;
  if (result == IDNO) return Answer::kNo;
  return Answer::kOk;
}

std::string Win32FileChooser::ChooseFileToOpen(OwnerHandle owner, const std::string& filter_list,
                                               const std::string& title) {
  char file[261] = {};
  OPENFILENAMEA request = {};
  // The old-style structure that Windows 95/98/Me know: 76 bytes in the 32-bit build.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = reinterpret_cast<HWND>(owner);
  request.hInstance = instance_;
  request.lpstrFilter = filter_list.empty() ? nullptr : filter_list.c_str();
  request.lpstrFile = file;
  request.nMaxFile = 260;
  // No title is NULL, the system's own "Open": an empty string would empty the title bar.
  request.lpstrTitle = title.empty() ? nullptr : title.c_str();
  request.Flags = OFN_HIDEREADONLY;
  using Dialog = BOOL(WINAPI*)(LPOPENFILENAMEA);
  const auto dialog = LibraryExport<Dialog>("comdlg32.dll", "GetOpenFileNameA");
  if (!dialog || !dialog(&request)) return {};
  return UpToNul(file, sizeof file);
}

std::string Win32FileChooser::ChooseFileToSave(OwnerHandle owner, const std::string& filter_list,
                                               const std::string& title,
                                               const std::string& extension) {
  char file[261] = {};
  OPENFILENAMEA request = {};
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = reinterpret_cast<HWND>(owner);
  request.hInstance = instance_;
  request.lpstrFilter = filter_list.empty() ? nullptr : filter_list.c_str();
  request.lpstrFile = file;
  request.nMaxFile = 260;
  request.lpstrTitle = title.empty() ? nullptr : title.c_str();
  request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  request.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  using Dialog = BOOL(WINAPI*)(LPOPENFILENAMEA);
  const auto dialog = LibraryExport<Dialog>("comdlg32.dll", "GetSaveFileNameA");
  if (!dialog || !dialog(&request)) return {};
  return UpToNul(file, sizeof file);
}

RegionHandle Win32Regions::CreateRoundRect(int left, int top, int right, int bottom, int ellipse_w,
                                           int ellipse_h) {
  return reinterpret_cast<RegionHandle>(
      CreateRoundRectRgn(left, top, right, bottom, ellipse_w, ellipse_h));
}

bool Win32Regions::CombineUnion(RegionHandle dest, RegionHandle a, RegionHandle b) {
  return CombineRgn(AsRegion(dest), AsRegion(a), AsRegion(b), RGN_OR) != ERROR;
}

bool Win32Regions::SetWindowRegion(std::uintptr_t window, RegionHandle region, bool redraw) {
  return SetWindowRgn(reinterpret_cast<HWND>(window), AsRegion(region), redraw) != 0;
}

void Win32Regions::Delete(RegionHandle region) {
  DeleteObject(AsRegion(region));
}

}  // namespace vireo::platform
