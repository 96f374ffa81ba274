#include "ui/headless/headless.h"

#include <algorithm>

#include "ui/action.h"

namespace vireo::ui::headless {

Node::Node(Kind kind, Node* parent, Rect rect, int id)
    : kind_(kind), id_(id), parent_(parent), rect_(rect) {
  // A new child is created on top of its siblings, as windows are.
  if (parent_) parent_->children_.insert(parent_->children_.begin(), this);
}

Node::~Node() {
  for (Node* child : children_) child->parent_ = nullptr;
  if (parent_) std::erase(parent_->children_, this);
}

int Node::ZIndex() const {
  if (!parent_) return 0;
  const auto& siblings = parent_->children_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

bool Node::Shown() const {
  for (const Node* n = this; n; n = n->parent_) {
    if (!n->visible_) return false;
  }
  return true;
}

Node* Node::Find(const std::string& text) {
  if (text_ == text) return this;
  for (Node* child : children_) {
    if (Node* found = child->Find(text)) return found;
  }
  return nullptr;
}

Node* Node::Find(Kind kind, const std::string& text) {
  if (kind_ == kind && text_ == text) return this;
  for (Node* child : children_) {
    if (Node* found = child->Find(kind, text)) return found;
  }
  return nullptr;
}

Node* Node::FindId(int id) {
  if (id_ == id) return this;
  for (Node* child : children_) {
    if (Node* found = child->FindId(id)) return found;
  }
  return nullptr;
}

void Node::MoveToFront() {
  if (!parent_) return;
  auto& siblings = parent_->children_;
  std::erase(siblings, this);
  siblings.insert(siblings.begin(), this);
}

bool HPicture::LoadFile(const std::string& path) {
  const auto& files = *loadable_;
  if (std::find(files.begin(), files.end(), path) == files.end()) return false;
  picture_ = path;
  return true;
}

void HButton::Click() {
  const ActionScope action(text(), Handle(), false);
  if (Shown() && enabled() && on_click) on_click();
}

void HCheckBox::Click() {
  if (!Shown() || !enabled()) return;
  checked_ = checked_ ? 0 : 1;
  const ActionScope action(text(), Handle(), false);
  if (on_click) on_click();
}

namespace {
// Test texts are UTF-8: a keystroke is one character, a lead byte and its continuation bytes.
bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

void HTextBox::Type(const std::string& text) {
  if (!Editable()) return;
  for (size_t i = 0; i < text.size();) {
    size_t end = i + 1;
    while (end < text.size() && IsContinuation(text[end])) ++end;
    SetTextState(this->text() + text.substr(i, end - i));
    const ActionScope action("", Handle(), true);
    if (on_change) on_change();
    i = end;
  }
}

void HTextBox::Backspace() {
  if (!Editable() || text().empty()) return;
  std::string t = text();
  while (!t.empty() && IsContinuation(t.back())) t.pop_back();
  if (!t.empty()) t.pop_back();
  SetTextState(t);
  const ActionScope action("", Handle(), true);
  if (on_change) on_change();
}

void HTextBox::Replace(const std::string& text) {
  if (!Editable() || text == this->text()) return;
  SetTextState(text);
  const ActionScope action("", Handle(), true);
  if (on_change) on_change();
}

void HTextBox::Arrow(int step) {
  auto* list =
      keys_to_ && parent() ? dynamic_cast<HDropDown*>(parent()->FindId(keys_to_)) : nullptr;
  if (!list || list->Count() == 0) return;
  const int line = std::clamp(list->Selection() + step, 0, list->Count() - 1);
  if (line != list->Selection()) list->Choose(line);
}

void HOptionButton::SetChecked(bool checked) {
  checked_ = checked;
  if (!checked || !parent()) return;
  for (Node* sibling : parent()->children()) {
    if (auto* other = dynamic_cast<HOptionButton*>(sibling); other && other != this) {
      other->checked_ = false;
    }
  }
}

void HOptionButton::Click() {
  if (!Shown() || !enabled()) return;
  SetChecked(true);
  const ActionScope action(text(), Handle(), false);
  if (on_click) on_click();
}

void HCheckList::Clear() {
  HList::Clear();
  checks_.clear();
}

int HCheckList::AddItem(const std::string& text) {
  checks_.push_back(false);
  return HList::AddItem(text);
}

void HCheckList::SetItemChecked(int index, bool checked) {
  if (index >= 0 && index < Count()) checks_[index] = checked;
}

bool HCheckList::ItemChecked(int index) const {
  return index >= 0 && index < Count() && checks_[index];
}

void HCheckList::ToggleCheck(int index) {
  if (!enabled() || index < 0 || index >= Count()) return;
  checks_[index] = !checks_[index];
  const ActionScope action(Item(index), Handle(), false);
  if (on_item_check) on_item_check(index);
}

void HScrollBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  value_ = std::clamp(value_, min_, max_);
}

bool HScrollBar::SetValue(int value) {
  if (value < min_ || value > max_) return false;
  value_ = value;
  return true;
}

void HScrollBar::Step(int delta) {
  if (!enabled()) return;
  const int next = std::clamp(value_ + delta, min_, max_);
  if (next == value_) return;
  value_ = next;
  const ActionScope action(text(), Handle(), false);
  if (on_change) on_change();
}

void HMenu::AddItem(int command_id, const std::string& caption) {
  items_.push_back({command_id, caption, true});
}

void HMenu::AddSeparator() {
  items_.push_back({0, "", true});
}

void HMenu::SetItemEnabled(int command_id, bool enabled) {
  for (auto& item : items_) {
    if (item.id == command_id) item.enabled = enabled;
  }
}

bool HMenu::ItemEnabled(int command_id) const {
  for (const auto& item : items_) {
    if (item.id == command_id) return item.enabled;
  }
  return false;
}

HWindow::HWindow(HeadlessToolkit* toolkit, const WindowArgs& args, int sequence)
    : Widget(Kind::kWindow, nullptr,
             ControlArgs{.rect = {0, 0, args.client_width, args.client_height},
                         .text = args.title,
                         .font = args.font}),
      toolkit_(toolkit),
      args_(args),
      sequence_(sequence) {
  // A window is created hidden, and shown by Show().
  SetVisibleState(false);
}

HWindow::~HWindow() {
  if (toolkit_) toolkit_->Forget(this);
}

void HWindow::Show() {
  if (!open_) return;
  shown_ = true;
  SetVisibleState(true);
  Paint();
}

std::string HWindow::CommandCaption(int command_id) const {
  for (const auto& [position, menu] : menus_) {
    for (const HMenu::Item& item : menu.items()) {
      if (item.id == command_id) return item.caption;
    }
  }
  return {};
}

void HWindow::Paint() {
  if (!open_ || !visible()) return;
  ++paint_count_;
  if (on_paint) on_paint();
}

void HWindow::Close() {
  GiveOwnerBack();
  open_ = false;
  SetVisibleState(false);
}

void HWindow::GiveOwnerBack() {
  if (!modal_owner_) return;
  owner_stayed_disabled_ = !modal_owner_->Enabled();
  if (owner_was_enabled_) modal_owner_->SetEnabled(true);
  modal_owner_ = nullptr;
}

void HWindow::AddLine(int x1, int y1, int x2, int y2, int system_color) {
  lines_.push_back({x1, y1, x2, y2, system_color});
}

Menu* HWindow::MenuAt(int position) {
  if (args_.menu_id == 0) return nullptr;
  return &menus_[position];
}

void HWindow::Command(int command_id) {
  const ActionScope action(CommandCaption(command_id), Handle(), false);
  if (open_ && on_command) on_command(command_id);
}

void HWindow::UserClose() {
  if (!open_) return;
  Close();
  if (on_close) on_close();
}

std::unique_ptr<ui::Window> HeadlessToolkit::CreateTopWindow(const WindowArgs& args) {
  auto window = std::make_unique<HWindow>(this, args, ++sequence_);
  windows_.push_back(window.get());
  created_titles_.push_back(args.title);
  return window;
}

namespace {
Node* AsNode(Container& parent) {
  return dynamic_cast<Node*>(&parent);
}
}  // namespace

std::unique_ptr<ui::Frame> HeadlessToolkit::CreateFrame(Container& parent,
                                                        const ControlArgs& args) {
  return std::make_unique<HFrame>(AsNode(parent), args);
}
std::unique_ptr<ui::Picture> HeadlessToolkit::CreatePicture(Container& parent,
                                                            const ControlArgs& args) {
  return std::make_unique<HPicture>(AsNode(parent), args, &loadable_pictures);
}
std::unique_ptr<ui::Label> HeadlessToolkit::CreateLabel(Container& parent,
                                                        const ControlArgs& args) {
  return std::make_unique<HLabel>(AsNode(parent), args);
}
std::unique_ptr<ui::Button> HeadlessToolkit::CreateButton(Container& parent,
                                                          const ControlArgs& args) {
  return std::make_unique<HButton>(AsNode(parent), args);
}
std::unique_ptr<ui::CheckBox> HeadlessToolkit::CreateCheckBox(Container& parent,
                                                              const ControlArgs& args) {
  return std::make_unique<HCheckBox>(AsNode(parent), args);
}
std::unique_ptr<ui::TextBox> HeadlessToolkit::CreateTextBox(Container& parent,
                                                            const ControlArgs& args) {
  return std::make_unique<HTextBox>(AsNode(parent), args);
}
std::unique_ptr<ui::ListControl> HeadlessToolkit::CreateDropDown(Container& parent,
                                                                 const ControlArgs& args) {
  return std::make_unique<HDropDown>(AsNode(parent), args, Kind::kDropDown);
}
std::unique_ptr<ui::ListControl> HeadlessToolkit::CreateListBox(Container& parent,
                                                                const ControlArgs& args) {
  return std::make_unique<HDropDown>(AsNode(parent), args, Kind::kListBox);
}
std::unique_ptr<ui::CheckList> HeadlessToolkit::CreateCheckList(Container& parent,
                                                                const ControlArgs& args) {
  return std::make_unique<HCheckList>(AsNode(parent), args);
}
std::unique_ptr<ui::ScrollBar> HeadlessToolkit::CreateScrollBar(Container& parent,
                                                                const ControlArgs& args) {
  return std::make_unique<HScrollBar>(AsNode(parent), args);
}
std::unique_ptr<ui::OptionButton> HeadlessToolkit::CreateOptionButton(Container& parent,
                                                                      const ControlArgs& args) {
  return std::make_unique<HOptionButton>(AsNode(parent), args);
}

void HeadlessToolkit::RunModal(ui::Window& window, ui::Window& owner) {
  auto& modal = dynamic_cast<HWindow&>(window);
  modal.modal_owner_ = &owner;
  modal.owner_was_enabled_ = owner.Enabled();
  owner.SetEnabled(false);
  modal.Show();
  if (modal.open() && on_modal) on_modal(modal);
  modal.UserClose();
  modal.GiveOwnerBack();  // a window closed before it was shown
  modal_runs.push_back({modal.args().title, modal.owner_stayed_disabled_});
}

std::unique_ptr<ui::Timer> HeadlessToolkit::CreateTimer(ui::Window& owner) {
  auto timer = std::make_unique<HTimer>(this, &owner);
  timers_.push_back(timer.get());
  return timer;
}

HTimer::~HTimer() {
  std::erase(toolkit_->timers_, this);
}

std::unique_ptr<ui::IdleWork> HeadlessToolkit::CreateIdleWork(ui::Window& /*owner*/) {
  auto work = std::make_unique<HIdleWork>(this);
  idle_works_.push_back(work.get());
  return work;
}

HIdleWork::~HIdleWork() {
  std::erase(toolkit_->idle_works_, this);
}

int HeadlessToolkit::RunIdle(int slices) {
  int ran = 0;
  while (ran < slices && Idling()) {
    // A slice may make or destroy works: take the list afresh each round.
    const std::vector<HIdleWork*> works = idle_works_;
    for (HIdleWork* work : works) {
      if (ran == slices) break;
      if (std::find(idle_works_.begin(), idle_works_.end(), work) == idle_works_.end() ||
          !work->Running()) {
        continue;
      }
      work->Slice();
      ++ran;
    }
  }
  return ran;
}

bool HeadlessToolkit::Idling() const {
  return std::any_of(idle_works_.begin(), idle_works_.end(),
                     [](const HIdleWork* work) { return work->Running(); });
}

HTimer* HeadlessToolkit::TimerOf(const ui::Window& window) const {
  for (auto it = timers_.rbegin(); it != timers_.rend(); ++it) {
    if ((*it)->owner() == &window) return *it;
  }
  return nullptr;
}

std::vector<HWindow*> HeadlessToolkit::Windows() const {
  return windows_;
}

HWindow* HeadlessToolkit::FindWindow(const std::string& title) const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->args().title == title) return *it;
  }
  return nullptr;
}

int HeadlessToolkit::CreatedCount(const std::string& title) const {
  return static_cast<int>(std::count(created_titles_.begin(), created_titles_.end(), title));
}

void HeadlessToolkit::Forget(HWindow* window) {
  std::erase(windows_, window);
}

}  // namespace vireo::ui::headless
