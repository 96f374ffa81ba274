#include "main/page.h"

#include "registry/reg_access.h"
#include "registry/value_tip.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {

std::string ReadString(platform::Registry& registry, const std::string& path) {
  registry::RegValue value;
  if (registry::RegRead(registry, path, &value) != 0) return "";
  return value.AsText();
}

std::int32_t WriteString(platform::Registry& registry, const std::string& path,
                         const std::string& text) {
  return registry::RegWrite(registry, path, registry::RegValue::Text(text),
                            registry::ValueType::kString);
}

std::function<std::string()> ValuesTip(platform::Registry& registry,
                                       std::vector<std::string> paths) {
  return [&registry, paths = std::move(paths)] {
    return ui::TrapText([&] { return registry::DescribeValues(registry, paths); });
  };
}

void BindValues(PageContext& context, ui::Widget& control, ui::Widget& caption, ui::Widget& frame,
                std::vector<std::string> paths) {
  control.SetTooltip(ValuesTip(context.platform.registry, paths));
  context.bindings.push_back(
      {.control = &control, .caption = &caption, .frame = &frame, .paths = [paths](int) {
         return paths;
       }});
}

void BindItems(PageContext& context, ui::ListControl& list, ui::Widget& frame,
               std::function<std::vector<std::string>(int item)> paths,
               std::function<void(int item)> select) {
  context.bindings.push_back({.control = &list,
                              .caption = &frame,
                              .frame = &frame,
                              .paths = std::move(paths),
                              .list = &list,
                              .select = std::move(select)});
}

bool ShowItems(ui::ListControl& list, const std::vector<std::string>& items, Reading reading) {
  const int count = static_cast<int>(items.size());
  bool same = list.Count() == count;
  for (int i = 0; same && i < count; ++i) same = list.Item(i) == items[i];
  if (!same) {
    list.Clear();
    for (const std::string& item : items) list.AddItem(item);
  }
  const bool keep_place = same && reading == Reading::kPageSwitch && list.Selection() >= 0;
  if (!keep_place && list.Selection() != 0) list.SetSelection(0);
  return same;
}

void ShowRows(ui::CheckList& list, const std::vector<CheckRow>& rows, Reading reading) {
  std::vector<std::string> texts;
  for (const CheckRow& row : rows) texts.push_back(row.text);
  const bool kept = ShowItems(list, texts, reading);
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const bool shown = kept && list.ItemChecked(i);  // a new item comes unticked
    if (shown != rows[i].checked) list.SetItemChecked(i, rows[i].checked);
  }
}

Page::~Page() = default;

ui::Frame* Page::GroupFrame(Group group) const {
  for (const auto& [g, frame] : groups_) {
    if (g == group) return frame;
  }
  return nullptr;
}

void Page::Reread() {
  for (const PlacedPart& placed : parts_) {
    ui::Trap([&] { placed.part->Refresh(Reading::kPageSwitch); });
  }
}

ui::Frame& Page::AddFrame(int id, const std::string& caption, ui::Rect rect,
                          ui::Container* parent) {
  ui::ControlArgs args{.id = id, .rect = rect, .text = caption};
  frames_.push_back(toolkit().CreateFrame(parent ? *parent : frame_, args));
  return *frames_.back();
}

ui::Frame& Page::AddGroup(Group group, const std::string& caption, ui::Rect rect) {
  ui::Frame& made = AddFrame(IDC_GROUP_FIRST + static_cast<int>(group), caption, rect);
  groups_.emplace_back(group, &made);
  return made;
}

ui::Label& Page::AddLabel(ui::Container& parent, int id, const std::string& text, ui::Rect rect) {
  ui::ControlArgs args{.id = id, .rect = rect, .text = text};
  labels_.push_back(toolkit().CreateLabel(parent, args));
  return *labels_.back();
}

}  // namespace vireo::main
