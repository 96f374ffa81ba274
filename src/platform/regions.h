// The window-region calls that give the splash window its rounded outline.
#pragma once

#include <cstdint>

namespace vireo::platform {

using RegionHandle = std::uintptr_t;

class Regions {
 public:
  virtual ~Regions() = default;
  // CreateRoundRectRgn.
  virtual RegionHandle CreateRoundRect(int left, int top, int right, int bottom, int ellipse_w,
                                       int ellipse_h) = 0;
  // CombineRgn(dest, a, b, RGN_OR). False on failure.
  virtual bool CombineUnion(RegionHandle dest, RegionHandle a, RegionHandle b) = 0;
  // SetWindowRgn: once set, the region belongs to the window.
  virtual bool SetWindowRegion(std::uintptr_t window, RegionHandle region, bool redraw) = 0;
  // DeleteObject.
  virtual void Delete(RegionHandle region) = 0;
};

}  // namespace vireo::platform
