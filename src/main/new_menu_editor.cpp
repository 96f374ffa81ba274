#include "main/new_menu_editor.h"

#include "registry/ansi_text.h"
#include "registry/file_class.h"
#include "registry/reg_access.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

using registry::RegValue;
using registry::ValueType;

constexpr char kNullFile[] = "NullFile";
constexpr char kFileName[] = "FileName";
constexpr char kCommand[] = "Command";
constexpr char kBadNameCharacters[] = "\\/:*?\"<>|";

bool Readable(platform::Registry& registry, const std::string& path, std::string* text) {
  RegValue value = RegValue::Text("");
  if (registry::RegRead(registry, path, &value) != 0) return false;
  *text = value.AsText();
  return true;
}

// The file name at the end of `path`, after its last backslash (or slash, or drive colon);
// empty when that is no usable name.
std::string FileNameOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/:");
  std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (name == "." || name == ".." || name.find_first_of(kBadNameCharacters) != std::string::npos) {
    return {};
  }
  return name;
}

constexpr int kClientWidth = 400;
constexpr int kClientHeight = 345;
constexpr int kBoxLeft = 28;
constexpr int kBrowseLeft = 344;

}  // namespace

bool UsableType(const std::string& type) {
  if (type.empty() || type.find("..") != std::string::npos) return false;
  for (const char c : type) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return type.find_first_of(kBadNameCharacters) == std::string::npos;
}

void RunNewMenuEditor(PageContext& context, const std::string& type,
                      const std::string& description) {
  NewMenuEditor editor(context);
  if (!type.empty()) editor.Open(type, description);
  context.toolkit.RunModal(editor.window(), context.window);
}

NewMenuEditor::NewMenuEditor(PageContext& context) : context_(context) {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kModal;
  args.title = "Vireo: Меню \"Создать\"";
  args.client_width = kClientWidth;
  args.client_height = kClientHeight;
  window_ = context.toolkit.CreateTopWindow(args);
  CreateControls();
  window_->on_paint = ui::Trapped(&NewMenuEditor::OnPaint, this);
  window_->on_command = ui::Trapped(&NewMenuEditor::OnCommand, this);
}

NewMenuEditor::~NewMenuEditor() = default;

void NewMenuEditor::CreateControls() {
  ui::Toolkit& tk = context_.toolkit;
  ui::Window& w = *window_;
  lbl_type_ = tk.CreateLabel(w, {.rect = {8, 12, 70, 17}, .text = "Тип:"});
  txt_type_ = tk.CreateTextBox(w, {.id = IDC_NEW_ENTRY_EXTENSION, .rect = {80, 8, 312, 21}});
  lbl_desc_ = tk.CreateLabel(w, {.rect = {8, 38, 70, 17}, .text = "Описание:"});
  txt_desc_ = tk.CreateTextBox(w, {.id = IDC_NEW_ENTRY_DESCRIPTION, .rect = {80, 34, 312, 21}});
  contents_ = tk.CreateFrame(
      w,
      {.id = IDC_NEW_ENTRY_CONTENTS_FRAME, .rect = {8, 62, 384, 244}, .text = "Содержимое файла"});

  constexpr const char* kCaptions[kOptionCount] = {
      "Пустой", "Использовать файл", "Копировать из файла", "Ввести сейчас:", "Создать командой:"};
  constexpr int kTops[kOptionCount] = {18, 40, 84, 128, 196};
  for (int i = 0; i < kOptionCount; ++i) {
    options_[i] = tk.CreateOptionButton(*contents_, {.id = IDC_NEW_ENTRY_KIND_FIRST + i,
                                                     .rect = {kFrameRowLeft, kTops[i], 360, 17},
                                                     .text = kCaptions[i]});
    options_[i]->on_click = ui::Trapped(&NewMenuEditor::UpdateOptionControls, this);
  }
  ui::Frame& f = *contents_;
  txt_use_ = tk.CreateTextBox(f, {.id = IDC_NEW_ENTRY_USE_FILE, .rect = {kBoxLeft, 59, 312, 21}});
  cmd_use_ = tk.CreateButton(
      f, {.id = IDC_NEW_ENTRY_USE_BROWSE, .rect = {kBrowseLeft, 59, 28, 21}, .text = "..."});
  txt_copy_ =
      tk.CreateTextBox(f, {.id = IDC_NEW_ENTRY_COPY_FILE, .rect = {kBoxLeft, 103, 312, 21}});
  cmd_copy_ = tk.CreateButton(
      f, {.id = IDC_NEW_ENTRY_COPY_BROWSE, .rect = {kBrowseLeft, 103, 28, 21}, .text = "..."});
  ui::ControlArgs now{.id = IDC_NEW_ENTRY_TEXT,
                      .rect = {kBoxLeft, 147, 344, 44},
                      .font = {.face = "Lucida Console"},
                      .multiline = true};
  txt_now_ = tk.CreateTextBox(f, now);
  txt_command_ =
      tk.CreateTextBox(f, {.id = IDC_NEW_ENTRY_COMMAND, .rect = {kBoxLeft, 215, 344, 21}});

  cmd_ok_ = tk.CreateButton(w, {.id = IDC_NEW_ENTRY_OK, .rect = {152, 314, 76, 23}, .text = "OK"});
  cmd_cancel_ = tk.CreateButton(
      w, {.id = IDC_NEW_ENTRY_CANCEL, .rect = {234, 314, 76, 23}, .text = "Отмена"});
  cmd_apply_ = tk.CreateButton(
      w, {.id = IDC_NEW_ENTRY_APPLY, .rect = {316, 314, 76, 23}, .text = "Применить"});

  // Until an option is selected only the command box takes input.
  for (ui::Widget* off : std::initializer_list<ui::Widget*>{
           txt_use_.get(), cmd_use_.get(), txt_copy_.get(), cmd_copy_.get(), txt_now_.get()}) {
    off->SetEnabled(false);
  }

  txt_type_->on_change = ui::Trapped(&NewMenuEditor::OnTypeChange, this);
  cmd_use_->on_click = ui::Trapped(&NewMenuEditor::Browse, this, std::ref(*txt_use_));
  cmd_copy_->on_click = ui::Trapped(&NewMenuEditor::Browse, this, std::ref(*txt_copy_));
  cmd_apply_->on_click = ui::Trapped(&NewMenuEditor::Apply, this);
  cmd_ok_->on_click = ui::Trapped(&NewMenuEditor::OnOk, this);
  cmd_cancel_->on_click = ui::Trapped(&NewMenuEditor::OnCancel, this);
}

void NewMenuEditor::Open(const std::string& type, const std::string& description) {
  txt_type_->SetText(type);
  OnTypeChange();
  txt_desc_->SetText(description);
}

void NewMenuEditor::OnPaint() {
  const std::string type = txt_type_->Text();
  if (!type.empty()) txt_type_->SetReadOnly(true);
  // The entry's options are shown once for its type: later repaints (a dialog closing over the
  // window) keep the option and the texts the user has chosen since.
  if (type == shown_type_) return;
  shown_type_ = type;
  if (!UsableType(type)) return;
  platform::Registry& reg = context_.platform.registry;
  const std::string entry =
      registry::ShellNewKey(reg, std::string(registry::kClassesKey) + "." + type);
  if (entry.empty()) return;
  std::string text;
  // Later values win: with NullFile and Command both present, Option5 ends selected.
  if (Readable(reg, entry + kNullFile, &text)) {
    options_[0]->SetChecked(true);
    UpdateOptionControls();
  }
  if (Readable(reg, entry + kFileName, &text)) {
    options_[1]->SetChecked(true);
    txt_use_->SetText(text);
    UpdateOptionControls();
  }
  if (Readable(reg, entry + kCommand, &text)) {
    options_[4]->SetChecked(true);
    txt_command_->SetText(text);
    UpdateOptionControls();
  }
}

void NewMenuEditor::OnTypeChange() {
  const std::string type = txt_type_->Text();
  if (type.empty()) return;
  txt_desc_->SetText(registry::ClassDescription(context_.platform.registry, "." + type));
}

void NewMenuEditor::UpdateOptionControls() {
  const bool use = options_[1]->Checked();
  const bool copy = options_[2]->Checked();
  txt_use_->SetEnabled(use);
  cmd_use_->SetEnabled(use);
  txt_copy_->SetEnabled(copy);
  cmd_copy_->SetEnabled(copy);
  txt_now_->SetEnabled(options_[3]->Checked());
  txt_command_->SetEnabled(options_[4]->Checked());
}

void NewMenuEditor::Browse(ui::TextBox& box) {
  platform::OpenFileDialog& dialog = context_.platform.open_file;
  // The dialog belongs to this window while it is open; filter and title stay as they are.
  const platform::OwnerHandle owner = dialog.owner;
  dialog.owner = window_->Handle();
  const std::string chosen = dialog.Show();
  dialog.owner = owner;
  box.SetText(chosen);
}

int NewMenuEditor::SelectedOption() const {
  for (int i = 0; i < kOptionCount; ++i) {
    if (options_[i]->Checked()) return i;
  }
  return -1;
}

void NewMenuEditor::Apply() {
  platform::Registry& reg = context_.platform.registry;
  const std::string type = txt_type_->Text();
  if (!UsableType(type)) return;
  const std::string extension_key = std::string(registry::kClassesKey) + "." + type;
  platform::HKey handle = 0;
  if (reg.OpenKey(platform::kLocalMachine, extension_key, platform::kKeyQueryValue, &handle) !=
      platform::kSuccess) {
    return;
  }
  reg.CloseKey(handle);

  const std::string extension = "HKLM\\" + extension_key;
  const std::string entry = extension + "\\ShellNew\\";
  std::string class_name;
  Readable(reg, extension + "\\", &class_name);
  const std::string class_entry =
      "HKLM\\" + std::string(registry::kClassesKey) + class_name + "\\ShellNew\\";
  // The chosen value is written first, and only once it is stored do the other values go, from
  // the entry under the extension and from the one under its class (the latter only with a
  // class name: without one its path would name another key). A value or template that cannot
  // be written so leaves the entry as it was, not without any of the three. A class named like
  // the extension itself (".abc" for .abc) makes the two one key, which keeps its chosen value.
  const bool one_key = registry::UpperAnsi(class_entry) == registry::UpperAnsi(entry);
  const int option = SelectedOption();
  std::string kept;
  switch (option) {
    case 0:
      kept = kNullFile;
      if (WriteString(reg, entry + kNullFile, "") != platform::kSuccess) return;
      break;
    case 1:
      kept = kFileName;
      if (WriteString(reg, entry + kFileName, txt_use_->Text()) != platform::kSuccess) return;
      break;
    case 2:
      kept = kFileName;
      if (!CopyTemplate(entry, type)) return;
      break;
    case 3:
      kept = kFileName;
      if (!WriteTemplate(entry, type)) return;
      break;
    case 4:
      kept = kCommand;
      if (WriteString(reg, entry + kCommand, txt_command_->Text()) != platform::kSuccess) return;
      break;
    default:
      break;  // the entry is left without any of the three values
  }
  for (const char* value : {kNullFile, kFileName, kCommand}) {
    if (value != kept) registry::RegDelete(reg, entry + value);
    if (!class_name.empty() && !one_key) registry::RegDelete(reg, class_entry + value);
  }
}

bool NewMenuEditor::CopyTemplate(const std::string& entry, const std::string& type) {
  const std::string windows = context_.platform.system.WindowsDirectory();
  const std::string source = txt_copy_->Text();
  const std::string name = FileNameOf(source);
  if (windows.empty() || name.empty()) return false;
  const std::string folder = windows + "\\" + kShellNewFolder;
  // The source's own extension stays: a.doc of the type doc becomes a.doc.doc.
  const std::string target = folder + "\\" + name + "." + type;
  platform::Files& files = context_.platform.files;
  if (!files.MakeDirectory(folder) || !files.Copy(source, target)) return false;
  return WriteString(context_.platform.registry, entry + kFileName, target) == platform::kSuccess;
}

bool NewMenuEditor::WriteTemplate(const std::string& entry, const std::string& type) {
  const std::string windows = context_.platform.system.WindowsDirectory();
  if (windows.empty()) return false;
  const std::string folder = windows + "\\" + kShellNewFolder;
  const std::string target = folder + "\\NewFile." + type;
  platform::Files& files = context_.platform.files;
  if (!files.MakeDirectory(folder) || !files.Replace(target, txt_now_->Text() + "\r\n")) {
    return false;
  }
  return WriteString(context_.platform.registry, entry + kFileName, target) == platform::kSuccess;
}

void NewMenuEditor::OnOk() {
  Apply();
  window_->Close();
}

void NewMenuEditor::OnCommand(int command_id) {
  if (command_id == ui::kCommandEnter) OnOk();
  if (command_id == ui::kCommandEscape) OnCancel();
}

void NewMenuEditor::OnCancel() {
  window_->Close();
}

}  // namespace vireo::main
