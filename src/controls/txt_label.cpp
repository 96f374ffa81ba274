#include "controls/txt_label.h"

#include "ui/action.h"
#include "ui/trap.h"

namespace vireo::controls {

TxtLabel::TxtLabel(ui::Toolkit& toolkit, ui::Container& parent, int x, int y, int id) {
  // The label sits a little lower so that its text lines up with the box's.
  ui::ControlArgs label{.rect = {x, y + 2, kLabelWidth, kLabelHeight}};
  label_ = toolkit.CreateLabel(parent, label);
  ui::ControlArgs box{.id = id, .rect = {x + kBoxLeft, y, kBoxWidth, kBoxHeight}};
  box_ = toolkit.CreateTextBox(parent, box);
  box_->on_change = ui::Trapped(&TxtLabel::OnBoxChange, this);
}

void TxtLabel::SetText(const std::string& text) {
  text_ = text;
  Repaint();
}

void TxtLabel::SetCaption(const std::string& caption) {
  caption_ = caption;
  Repaint();
}

void TxtLabel::Repaint() {
  box_->SetText(text_);
  label_->SetText(caption_);
}

void TxtLabel::OnBoxChange() {
  const ui::ActionScope action(caption_);
  text_ = box_->Text();
  if (on_change) on_change();
}

}  // namespace vireo::controls
