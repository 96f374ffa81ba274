#include "controls/opt_select.h"

#include "controls/setting_entries.h"
#include "registry/reg_access.h"
#include "registry/value_tip.h"
#include "ui/action.h"
#include "ui/trap.h"

namespace vireo::controls {

using registry::RegValue;

OptSelect::OptSelect(ui::Toolkit& toolkit, ui::Container& parent, int x, int y,
                     platform::Registry& registry, int id)
    : registry_(registry) {
  values_.fill(RegValue::Text(""));
  // The label sits a little lower so that its text lines up with the list's.
  ui::ControlArgs label{.rect = {x, y + 3, kLabelWidth, kHeight - 3}};
  label_ = toolkit.CreateLabel(parent, label);
  ui::ControlArgs combo{.id = id, .rect = {x + kListLeft, y, kListWidth, kHeight}};
  list_ = toolkit.CreateDropDown(parent, combo);
  list_->on_select = ui::Trapped(&OptSelect::OnSelect, this);
  list_->SetTooltip([this] {
    return ui::TrapText(
        [this] { return key_.empty() ? std::string() : registry::DescribeValue(registry_, key_); });
  });
}

void OptSelect::SetCaption(const std::string& caption) {
  caption_ = caption;
  Repaint();
}

void OptSelect::SetValues(const std::string& values) {
  values_.fill(RegValue::Text(""));
  const auto entries = SplitEntries(values, kMaxEntries);
  for (std::size_t i = 0; i < entries.size(); ++i) values_[i] = EntryValue(entries[i], type_value_);
}

void OptSelect::SetOptions(const std::string& options) {
  const auto captions = SplitEntries(options, kMaxEntries);
  list_->Clear();
  for (const std::string& caption : captions) list_->AddItem(caption);
  count_ = static_cast<int>(captions.size()) - 1;
  Repaint();
}

void OptSelect::Repaint() {
  if (!key_.empty()) {
    RegValue stored;
    registry::RegRead(registry_, key_, &stored);
    for (int i = 0; i <= count_; ++i) {
      if (EntryMatches(values_[i], stored, type_value_)) list_->SetSelection(i);
    }
  }
  label_->SetText(caption_);
}

void OptSelect::OnSelect() {
  const ui::ActionScope action(caption_);
  const int choice = list_->Selection();
  if (choice < 0 || choice > count_) return;
  if (WriteEntry(registry_, key_, values_[choice], type_value_) != 0) Repaint();
}

}  // namespace vireo::controls
