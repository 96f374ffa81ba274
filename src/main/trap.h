// The catch-all trap that every handler, filler and start-up step runs under: a failing step is
// skipped and the program goes on with the next one. Nothing escapes to a window procedure.
#pragma once

#include <utility>

namespace vireo::main {

template <class Step>
void Trap(Step&& step) noexcept {
  try {
    std::forward<Step>(step)();
  } catch (...) {
    // Skipped on purpose: the control or file concerned stays as it was.
  }
}

}  // namespace vireo::main
