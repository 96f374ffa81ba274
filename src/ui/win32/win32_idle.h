// Idle work over a timer of its owner window. WM_TIMER is the last message a queue hands out:
// input, posted and sent messages and painting all come first, so a tick means the program has
// nothing else to do. A tick then runs slices for as long as nothing arrives, asking the queue
// between slices, and leaves the rest to the next tick once something does. Windows 95 has both
// SetTimer and GetQueueStatus. Used by the Win32 toolkit only.
#pragma once

#include <windows.h>

#include "ui/toolkit.h"
#include "ui/win32/win32_windows.h"

namespace vireo::ui::win32::detail {

class Win32IdleWork : public ui::IdleWork {
 public:
  Win32IdleWork(Win32Window& owner, UINT_PTR timer_id) : timer_(owner, timer_id) {
    timer_.on_tick = [this] { Tick(); };
  }
  void Start() override {
    if (running_) return;
    running_ = true;
    // The shortest interval: the system makes it its own (10 ms, or a clock tick on Windows 9x).
    timer_.Start(1);
  }
  void Stop() override {
    running_ = false;
    timer_.Stop();
  }
  bool Running() const override { return running_; }

 private:
  void Tick() {
    while (running_) {
      if (!on_slice || !on_slice()) {
        Stop();
        return;
      }
      if (SomethingWaits()) return;
    }
  }
  // Whether input, a posted or sent message or painting waits. The flags are named one by one:
  // QS_INPUT of newer headers includes QS_RAWINPUT, which systems before XP refuse.
  static bool SomethingWaits() {
    constexpr UINT kWaiting = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_PAINT |
                              QS_SENDMESSAGE | QS_HOTKEY;
    return HIWORD(GetQueueStatus(kWaiting)) != 0;
  }

  Win32Timer timer_;
  bool running_ = false;
};

}  // namespace vireo::ui::win32::detail
