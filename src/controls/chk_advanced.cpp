#include "controls/chk_advanced.h"

#include "controls/setting_entries.h"
#include "registry/reg_access.h"
#include "registry/value_tip.h"
#include "ui/trap.h"

namespace vireo::controls {

using registry::RegValue;

ChkAdvanced::ChkAdvanced(ui::Toolkit& toolkit, ui::Container& parent, int x, int y,
                         platform::Registry& registry, int id)
    : registry_(registry) {
  ui::ControlArgs check{.id = id, .rect = {x, y, kBoxWidth, kHeight}};
  box_ = toolkit.CreateCheckBox(parent, check);
  box_->on_click = ui::Trapped(&ChkAdvanced::OnClick, this);
  box_->SetTooltip([this] {
    return ui::TrapText(
        [this] { return key_.empty() ? std::string() : registry::DescribeValue(registry_, key_); });
  });
}

void ChkAdvanced::SetCaption(const std::string& caption) {
  caption_ = caption;
  Repaint();
}

void ChkAdvanced::SetDefault(std::int32_t value) {
  if (value < 0 || value > 255) return;
  default_ = static_cast<std::uint8_t>(value);
}

void ChkAdvanced::SetValues(const std::string& values) {
  const std::size_t bar = values.find('|');
  if (bar == std::string::npos) {
    texts_[1] = values;
  } else {
    texts_[0] = values.substr(0, bar);
    texts_[1] = values.substr(bar + 1);
  }
  for (int i = 0; i < 2; ++i) entries_[i] = EntryValue(texts_[i], type_value_);
}

bool ChkAdvanced::Matches(int state, const RegValue& stored) const {
  // The state of a delete marker is reached by removing the value, so the marker stands for an
  // absent value and for nothing else (it is no number, and as text it would only match a
  // stored "-", which clicking never writes).
  if (IsDeleteMarker(state)) return stored.IsEmpty();
  return EntryMatches(entries_[state], stored, type_value_);
}

void ChkAdvanced::Repaint() {
  if (!key_.empty()) {
    RegValue stored;
    registry::RegRead(registry_, key_, &stored);
    const int shown_default = default_ != 0 ? 1 : 0;
    const int other = 1 - shown_default;
    box_->SetChecked(Matches(other, stored) ? other : shown_default);
  }
  box_->SetText(caption_);
}

void ChkAdvanced::OnClick() {
  const int state = box_->Checked() != 0 ? 1 : 0;
  if (!Writable(type_value_)) return;
  const std::int32_t status = IsDeleteMarker(state)
                                  ? registry::RegDelete(registry_, key_)
                                  : WriteEntry(registry_, key_, entries_[state], type_value_);
  if (status != 0) Repaint();
}

}  // namespace vireo::controls
