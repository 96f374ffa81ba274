// The pages' own controls on the real window: what start-up shows from a prepared registry and
// control.ini, and what each user action writes. Start-up writes nothing, to the registry or to
// control.ini.
#include "pages.h"

#include "harness.h"
#include "rows.h"
#include "scenarios.h"

namespace driver {

const std::vector<Row>& pageRows() {
  static const std::vector<Row> rows = {
      {&kShellIconSize, &kShellIconSize},
      {&kNoDrives, &kNoDrives},
      {&kFolderOpen, &kFolderOpen},
      {&kBackBitmapShell, &kBackBitmapShell},
      {&kCookies, &kCookies},
      {&kUserCookies, &kUserCookies},
  };
  return rows;
}

namespace {

// control.ini as the driver prepares it: one applet not loaded, one loaded, another section.
const char kControlIni[] =
    "[MMCPL]\r\nNumApps=3\r\n\r\n[Don't Load]\r\ntimedate.cpl=no\r\nmain.cpl=\r\n";

// An 8 x 8 bitmap file of 24 bits per pixel, every pixel `colour`.
FileBytes solidBitmap(COLORREF colour) {
  constexpr int kSide = 8;
  constexpr DWORD kPixels = kSide * kSide * 3;  // rows of 24 bytes need no padding
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + kPixels;
  info.biSize = sizeof info;
  info.biWidth = kSide;
  info.biHeight = kSide;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = kPixels;
  FileBytes bytes{true, ""};
  bytes.data.append(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.data.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int i = 0; i < kSide * kSide; ++i) {
    bytes.data += static_cast<char>(GetBValue(colour));
    bytes.data += static_cast<char>(GetGValue(colour));
    bytes.data += static_cast<char>(GetRValue(colour));
  }
  return bytes;
}

std::string tempPath(const char* name) {
  char dir[MAX_PATH] = "";
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + name;
}

}  // namespace

int runPages(const std::string& exe, const char* desktop) {
  const std::string bitmap = tempPath("vireo-back.bmp");
  const COLORREF colour = RGB(0x20, 0xA0, 0x60);
  const FileBytes ini{true, kControlIni};
  const State prepared = {textValue("40"),
                          dword(1 << 4),
                          textValue(kOnePane),
                          textValue(bitmap),
                          textValue("C:\\Vireo\\Cookies"),
                          textValue("%USERPROFILE%\\Vireo Cookies")};
  // Declared before the program, so that a program that did not end is terminated before the
  // registry and the files are put back.
  RegistryRestore restore(pageRows(), touchedKeys());
  FileRestore iniRestore(controlIni());
  FileRestore bitmapRestore(bitmap);
  if (!check(writeState(pageRows(), prepared) && writeFile(controlIni(), ini) &&
                 writeFile(bitmap, solidBitmap(colour)),
             "the registry, control.ini and a bitmap are prepared before the start")) {
    return finish();
  }
  Program program;
  if (!program.start(exe, desktop)) return finish() | 1;
  HWND main = waitForMain(program);
  if (main == nullptr) return finish();
  expectState(pageRows(), prepared, "after start: the registry is as prepared");
  check(readFile(controlIni()) == ini, "after start: control.ini is byte for byte as prepared");

  Shell shell;
  if (findShell(main, shell)) {
    PageRun run{shell, prepared};
    checkApplets(run);
    if (bringToFront(shell, kExplorer)) checkExplorerPage(run, bitmap, colour);
    if (bringToFront(shell, kActiveDesktop)) checkIconSize(run);
    if (bringToFront(shell, kFolders)) checkSpecialFolders(run);
  }
  checkExit(program, main);
  return finish();
}

}  // namespace driver
