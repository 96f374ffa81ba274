// The catch-all trap that every handler, filler and start-up step runs under: a failing step is
// skipped and the program goes on with the next one. Nothing escapes to a window procedure. The
// controls and the windows share this one trap; none writes its own catch-all.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace vireo::ui {

template <class Step>
void Trap(Step&& step) noexcept {
  try {
    std::forward<Step>(step)();
  } catch (...) {
    // Skipped on purpose: the control or file concerned stays as it was.
  }
}

// A handler that makes the call `function(bound..., event...)` under the trap, as std::bind_front
// would bind it: `Trapped(&Page::OnClick, this)` for a click, `Trapped(&Catalogue::chk_Click,
// this, i)` for element i of an array; the event's own arguments (a list's item, a command id)
// come after the bound ones. Every event handler is hooked this way.
template <class Function, class... Bound>
auto Trapped(Function function, Bound... bound) {
  return [function, bound...](auto... event) {
    Trap([&] { std::invoke(function, bound..., event...); });
  };
}

// The same for a step that gives a text, such as a tooltip's provider: a failing step gives "",
// which shows no tooltip.
template <class Step>
std::string TrapText(Step&& step) noexcept {
  try {
    return std::forward<Step>(step)();
  } catch (...) {
    return {};
  }
}

}  // namespace vireo::ui
