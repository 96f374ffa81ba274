#include "main/file_types.h"

#include <cstdint>
#include <string>

#include "registry/reg_access.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

using registry::RegValue;
using registry::ValueType;

bool Readable(platform::Registry& registry, const std::string& path) {
  RegValue value;
  return registry::RegRead(registry, path, &value) == 0;
}

bool Delete(platform::Registry& registry, const std::string& path) {
  return registry::RegDelete(registry, path) == 0;
}

constexpr int kLabelWidth = 62;
constexpr int kBoxLeft = kFrameRowLeft + kLabelWidth + 4;
constexpr int kBoxWidth = 295 - kBoxLeft;

}  // namespace

AnyFileOptions::AnyFileOptions(PageContext& context, ui::Container& frame16) : context_(context) {
  ui::Toolkit& tk = context.toolkit;
  check2_ = tk.CreateCheckBox(frame16, {.id = IDC_QUICK_VIEW,
                                        .rect = {kFrameRowLeft, kFrameRowTop, 285, 17},
                                        .text = "Пункт \"Быстрый просмотр\""});
  check3_ =
      tk.CreateCheckBox(frame16, {.id = IDC_OPEN_WITH,
                                  .rect = {kFrameRowLeft, kFrameRowTop + kCheckRowStep, 285, 17},
                                  .text = "Пункт \"Открыть с помощью...\""});
  check2_->on_click = ui::Trapped(&AnyFileOptions::OnCheck2, this);
  check3_->on_click = ui::Trapped(&AnyFileOptions::OnCheck3, this);
  BindValues(context, *check2_, *check2_, frame16, {kQuickView});
  BindValues(context, *check3_, *check3_, frame16, {kOpenWithCommand, kOpenWithVerb});
}

void AnyFileOptions::ReadQuickView() {
  check2_->SetChecked(ReadString(context_.platform.registry, kQuickView) == "*" ? 1 : 0);
}

// Any command ticks the box: it is not compared with the program's own.
void AnyFileOptions::ReadOpenWith() {
  check3_->SetChecked(Readable(context_.platform.registry, kOpenWithCommand) ? 1 : 0);
}

void AnyFileOptions::Load() {
  ui::Trap([this] { ReadQuickView(); });
  ui::Trap([this] { ReadOpenWith(); });
}

void AnyFileOptions::OnCheck2() {
  platform::Registry& reg = context_.platform.registry;
  const bool done =
      check2_->Checked() == 1 ? WriteString(reg, kQuickView, "*") == 0 : Delete(reg, kQuickView);
  if (!done) ReadQuickView();
}

void AnyFileOptions::OnCheck3() {
  platform::Registry& reg = context_.platform.registry;
  bool done = true;
  if (check3_->Checked() == 1) {
    // The command first: the box shows whether it is there. A failed step does not stop the next.
    done = WriteString(reg, kOpenWithCommand, kOpenWithProgram) == 0;
    done = WriteString(reg, kOpenWithVerb, kOpenWithText) == 0 && done;
  } else {
    done = Delete(reg, kOpenWithVerb);
  }
  if (!done) ReadOpenWith();
}

UnknownFiles::UnknownFiles(PageContext& context, ui::Container& frame) : context_(context) {
  ui::Toolkit& tk = context.toolkit;
  const int second = kFrameRowTop + kTextRowStep;
  lbl_o_ = tk.CreateLabel(
      frame, {.rect = {kFrameRowLeft, kFrameRowTop + 3, kLabelWidth, 17}, .text = "Открытие:"});
  txt_o_ = tk.CreateTextBox(
      frame, {.id = IDC_UNKNOWN_FILES_COMMAND, .rect = {kBoxLeft, kFrameRowTop, kBoxWidth, 20}});
  lbl_d_ = tk.CreateLabel(
      frame, {.rect = {kFrameRowLeft, second + 3, kLabelWidth, 17}, .text = "Описание:"});
  txt_d_ = tk.CreateTextBox(
      frame, {.id = IDC_UNKNOWN_FILES_DESCRIPTION, .rect = {kBoxLeft, second, kBoxWidth, 20}});
  txt_o_->on_change = ui::Trapped(&UnknownFiles::OnCommandChange, this);
  txt_d_->on_change = ui::Trapped(&UnknownFiles::OnDescriptionChange, this);
  BindValues(context, *txt_o_, *lbl_o_, frame, {kUnknownCommand, kUnknownDefaultVerb});
  BindValues(context, *txt_d_, *lbl_d_, frame, {kUnknownDescription});
}

void UnknownFiles::ReadCommand() {
  txt_o_->SetText(ReadString(context_.platform.registry, kUnknownCommand));
}

void UnknownFiles::ReadDescription() {
  txt_d_->SetText(ReadString(context_.platform.registry, kUnknownDescription));
}

void UnknownFiles::Load() {
  ui::Trap([this] { ReadCommand(); });
  ui::Trap([this] { ReadDescription(); });
}

void UnknownFiles::OnCommandChange() {
  const std::string text = txt_o_->Text();
  platform::Registry& reg = context_.platform.registry;
  bool done = true;
  if (text.empty()) {
    // Only a command that is there takes the verb away; otherwise nothing is written.
    if (ReadString(reg, kUnknownCommand).empty()) return;
    done = Delete(reg, kUnknownOpenVerb);
    done = WriteString(reg, kUnknownDefaultVerb, "") == 0 && done;
  } else {
    done = WriteString(reg, kUnknownCommand, text) == 0;
    done = WriteString(reg, kUnknownDefaultVerb, "open") == 0 && done;
  }
  if (!done) ReadCommand();
}

// An empty description is written as such, never deleted.
void UnknownFiles::OnDescriptionChange() {
  if (WriteString(context_.platform.registry, kUnknownDescription, txt_d_->Text()) != 0) {
    ReadDescription();
  }
}

}  // namespace vireo::main
