// A user's actions on the program's controls, and what the controls show, read from outside.
// Keys are posted, so that they pass the program's message loop (its accelerators and dialog
// keys) as the keyboard delivers them; a posted key is handled after any message the driver
// sends later, so what it changes is waited for. Mouse clicks are sent straight to the control
// (a button press and its release), so that they are handled when the call returns.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace driver {

// ---- acting -------------------------------------------------------------------------------

// A key pressed and released over `window`.
void pressKey(HWND window, UINT key);
// A click of the left button at (x, y) of the window's client area; false when the program did
// not answer.
bool clickAt(HWND window, int x, int y);
// A push button's or check box's click.
bool click(HWND button);
// Types `text` (code page 1251) into an edit box at its caret, one character at a time, as the
// keyboard delivers them: a Unicode WM_CHAR whatever the code page. `afterEach` runs after every
// character has been taken. False when the program did not take one.
bool typeText(HWND edit, std::string_view text, const std::function<void()>& afterEach = {});
// Puts the caret of an edit box after its last character.
void caretToEnd(HWND edit);

// ---- the items of a list box ----------------------------------------------------------------

// A click on item `index` of a list box at `x` pixels from its left edge (the item must be in
// view).
bool clickItem(HWND list, int index, int x);
// Whether an item of a check list is ticked (its item data is 1), as text: "ticked", "cleared"
// or "unknown".
const char* itemState(HWND list, int index);
std::string itemText(HWND list, int index);

// ---- what a control shows -------------------------------------------------------------------

// "ticked", "cleared" or "unknown" for a check box.
const char* boxState(HWND box);
// The current contents of an edit box, or the text of a drop-down list's selection (the text
// the system keeps for another process's edit box is not what the box shows).
std::string shownText(HWND field);

}  // namespace driver
