#include "ui/win32/win32_widget.h"

namespace vireo::ui::win32::detail {

Host::~Host() {
  for (const Step& step : held_) step.child->host = nullptr;
}

void Host::Adopt(Control& child) {
  HWND window = HostWindow();
  if (window && (open_ || child.CreatedAtOnce())) {
    child.Realize(window);
    return;
  }
  child.host = this;
  held_.push_back({&child, false});
}

void Host::Forget(Control& child) {
  std::erase_if(held_, [&](const Step& step) { return step.child == &child; });
}

void Host::NoteRaise(Control& child) {
  held_.push_back({&child, true});
}

void Host::Open() {
  HWND window = HostWindow();
  if (open_ || !window) return;
  open_ = true;
  std::vector<Step> steps;
  steps.swap(held_);
  for (const Step& step : steps) step.child->host = nullptr;
  for (const Step& step : steps) {
    if (step.raise) {
      step.child->Raise();
    } else {
      step.child->Realize(window);
    }
  }
}

void Host::OpenIfSeen() {
  HWND window = HostWindow();
  if (open_ || !window || !IsWindowVisible(window)) return;
  RECT mine;
  GetWindowRect(window, &mine);
  for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    RECT r;
    if (IsWindowVisible(above) && GetWindowRect(above, &r) && r.left <= mine.left &&
        r.top <= mine.top && r.right >= mine.right && r.bottom >= mine.bottom) {
      return;
    }
  }
  Open();
}

}  // namespace vireo::ui::win32::detail
