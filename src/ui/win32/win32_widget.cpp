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

bool Host::OpenNext() {
  HWND window = HostWindow();
  if (open_ || !window) return open_;
  if (!held_.empty()) {
    const Step step = held_.front();
    held_.erase(held_.begin());
    // A child with a later step still kept stays in the host's care until then.
    const bool kept = std::any_of(held_.begin(), held_.end(),
                                  [&](const Step& later) { return later.child == step.child; });
    if (!kept) step.child->host = nullptr;
    if (step.raise) {
      step.child->Raise();
    } else {
      step.child->Realize(window);
    }
  }
  open_ = held_.empty();
  return open_;
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
