#include "input.h"

#include "harness.h"

namespace driver {

void pressKey(HWND window, UINT key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
  PostMessageA(window, WM_KEYDOWN, key, scan | 1);
  PostMessageA(window, WM_KEYUP, key, scan | 1 | static_cast<LPARAM>(0xC0000000));
}

bool clickAt(HWND window, int x, int y) {
  return send(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)) &&
         send(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool click(HWND button) {
  return send(button, BM_CLICK);
}

bool typeText(HWND edit, std::string_view text, const std::function<void()>& afterEach) {
  bool answered = true;
  for (char c : text) {
    wchar_t wide = 0;
    MultiByteToWideChar(1251, 0, &c, 1, &wide, 1);
    DWORD_PTR result = 0;
    answered =
        SendMessageTimeoutW(edit, WM_CHAR, wide, 1, SMTO_NORMAL, kWaitMs, &result) != 0 && answered;
    if (afterEach) afterEach();
  }
  return answered;
}

void caretToEnd(HWND edit) {
  const LRESULT length = ask(edit, WM_GETTEXTLENGTH);
  ask(edit, EM_SETSEL, length, length);
}

bool clickItem(HWND list, int index, int x) {
  const LRESULT top = ask(list, LB_GETTOPINDEX);
  const LRESULT height = ask(list, LB_GETITEMHEIGHT, 0);
  return clickAt(list, x, static_cast<int>((index - top) * height + height / 2));
}

const char* itemState(HWND list, int index) {
  const LRESULT data = ask(list, LB_GETITEMDATA, index);
  return data == 1 ? "ticked" : data == 0 ? "cleared" : "unknown";
}

// Across processes only the Unicode message brings an item's text back under Wine.
std::string itemText(HWND list, int index) {
  wchar_t wide[512] = L"";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL,
                           kWaitMs, &length) ||
      static_cast<LRESULT>(length) < 0) {
    return "(no answer)";
  }
  char text[1024] = "";
  WideCharToMultiByte(1251, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

const char* boxState(HWND box) {
  const LRESULT state = ask(box, BM_GETCHECK);
  return state == BST_CHECKED ? "ticked" : state == BST_UNCHECKED ? "cleared" : "unknown";
}

std::string shownText(HWND field) {
  char text[1024] = "";
  return send(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)) ? text
                                                                              : "(no answer)";
}

}  // namespace driver
