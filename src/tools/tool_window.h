// What the tool windows share: the layout unit of their design and the making of a control.
#pragma once

#include <string>

#include "ui/toolkit.h"

namespace vireo::tools {

// The windows were laid out in twips: 15 to a pixel at the usual 96 dots per inch.
constexpr int Px(int twips) {
  return (twips + 7) / 15;
}

inline ui::Rect Twips(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

// A window shown modally, with a title bar and a close box.
inline ui::WindowArgs ModalArgs(const std::string& title, int width, int height) {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kModal;
  args.title = title;
  args.client_width = width;
  args.client_height = height;
  return args;
}

inline constexpr char kFixedFont[] = "Courier New";

// The on_command of a tool window: Enter and Escape close it.
inline void CloseOnEnterOrEscape(ui::Window* window, int command_id) {
  if (command_id == ui::kCommandEnter || command_id == ui::kCommandEscape) window->Close();
}

}  // namespace vireo::tools
