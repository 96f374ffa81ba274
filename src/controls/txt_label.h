// txtLabel: a one-line text box with a caption to its left. It does not touch the registry: it
// holds a text, shows it, and tells its container after every change the user makes. Setting
// Text or Caption from code raises nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/toolkit.h"

namespace vireo::controls {

class TxtLabel {
 public:
  // 4215 x 300 twips: Label1 at the left, 1350 x 255 twips; Text1 from 1440 twips,
  // 2760 x 285 twips.
  static constexpr int kWidth = 281;
  static constexpr int kHeight = 20;
  static constexpr int kLabelWidth = 90;
  static constexpr int kLabelHeight = 17;
  static constexpr int kBoxLeft = 96;
  static constexpr int kBoxWidth = 184;
  static constexpr int kBoxHeight = 19;

  // Places the control at (x, y) of `parent`, in pixels: its widgets go straight into `parent`
  // (the control has no window of its own).
  // `id` is the box's control id.
  TxtLabel(ui::Toolkit& toolkit, ui::Container& parent, int x, int y, int id = 0);
  TxtLabel(const TxtLabel&) = delete;
  TxtLabel& operator=(const TxtLabel&) = delete;

  // Stores the text and shows it in the box.
  void SetText(const std::string& text);
  const std::string& text() const { return text_; }
  // Stores the caption and shows it in the label.
  void SetCaption(const std::string& caption);
  const std::string& caption() const { return caption_; }

  // Change: raised after every change the user makes to the box's contents (each keystroke),
  // once text() gives the new contents.
  std::function<void()> on_change;

  ui::Label& label() { return *label_; }
  ui::TextBox& box() { return *box_; }

 private:
  void Repaint();
  void OnBoxChange();

  std::unique_ptr<ui::Label> label_;
  std::unique_ptr<ui::TextBox> box_;
  std::string text_;
  std::string caption_;
};

}  // namespace vireo::controls
