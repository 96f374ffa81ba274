// The catch-all trap that every handler, filler and start-up step runs under: a failing step is
// skipped and the program goes on with the next one. Nothing escapes to a window procedure. The
// controls and the windows share this one trap; none writes its own catch-all.
#pragma once

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

}  // namespace vireo::ui
