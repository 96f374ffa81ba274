#include "main/catalogue.h"

#include <stdexcept>

#include "catalogue_ids.h"
#include "main/trap.h"
#include "registry/reg_access.h"

namespace vireo::main {
namespace {

using registry::RegValue;
namespace ids = catalogue;

constexpr int kRestrictionCount = 25;
constexpr int kMyComputerCount = 3;
constexpr int kCheckSettingCount = 18;
constexpr int kChoiceCount = 1;
constexpr int kTextCount = 17;

struct Placement {
  std::unique_ptr<ui::Frame> PageFrames::*frame;
  int row;
};

// Where each element of the arrays stands: its frame and its row there.
constexpr Placement kRestrictionPlaces[kRestrictionCount] = {
    {nullptr, 0},  // the template box
    {&PageFrames::SystemOption, 0},
    {&PageFrames::SystemOption, 1},
    {&PageFrames::SystemOption, 2},
    {&PageFrames::SystemOption, 3},
    {&PageFrames::ScreenOption, 0},
    {&PageFrames::ScreenOption, 1},
    {&PageFrames::ScreenOption, 2},
    {&PageFrames::ScreenOption, 3},
    {&PageFrames::ScreenOption, 4},
    {&PageFrames::PasswordOption, 0},
    {&PageFrames::PasswordOption, 1},
    {&PageFrames::PasswordOption, 2},
    {&PageFrames::PrinterOption, 0},
    {&PageFrames::PrinterOption, 1},
    {&PageFrames::PrinterOption, 2},
    {&PageFrames::NetworkOption, 0},
    {&PageFrames::NetworkOption, 1},
    {&PageFrames::NetworkOption, 2},
    {&PageFrames::Frame2, 0},
    {&PageFrames::Frame2, 1},
    {&PageFrames::Frame2, 2},
    {&PageFrames::Frame2, 3},
    {&PageFrames::Frame3, 0},
    {&PageFrames::Frame3, 1},
};

// Frame13 keeps row 1 for the two-pane box; Frame16 keeps rows 0 and 1 for the two boxes of the
// any-file context menu.
constexpr Placement kCheckSettingPlaces[kCheckSettingCount] = {
    {&PageFrames::Frame10, 0}, {&PageFrames::Frame10, 1}, {&PageFrames::Frame10, 2},
    {&PageFrames::Frame10, 3}, {&PageFrames::Frame13, 0}, {&PageFrames::Frame12, 0},
    {&PageFrames::Frame12, 1}, {&PageFrames::Frame12, 2}, {&PageFrames::Frame12, 3},
    {&PageFrames::Frame12, 4}, {&PageFrames::Frame13, 2}, {&PageFrames::Frame13, 3},
    {&PageFrames::Frame13, 4}, {&PageFrames::Frame13, 5}, {&PageFrames::Frame13, 6},
    {&PageFrames::Frame16, 2}, {&PageFrames::Frame16, 3}, {&PageFrames::Frame16, 4},
};

constexpr Placement kTextPlaces[kTextCount] = {
    {&PageFrames::Frame1, 0},  {&PageFrames::Frame1, 1},  {&PageFrames::Frame1, 2},
    {&PageFrames::Frame1, 3},  {&PageFrames::Frame5, 0},  {&PageFrames::Frame8, 0},
    {&PageFrames::Frame8, 1},  {&PageFrames::Frame8, 2},  {&PageFrames::Frame8, 3},
    {&PageFrames::Frame8, 4},  {&PageFrames::Frame8, 5},  {&PageFrames::Frame8, 6},
    {&PageFrames::Frame8, 7},  {&PageFrames::Frame8, 8},  {&PageFrames::Frame20, 0},
    {&PageFrames::Frame20, 1}, {&PageFrames::Frame20, 2},
};

int CheckRowTop(int row) {
  return kFrameRowTop + row * kCheckRowStep;
}
int TextRowTop(int row) {
  return kFrameRowTop + row * kTextRowStep;
}

// A catalogue number ("0", "1", "4"); a text that is no number fails the assignment.
std::int32_t Number(const std::string& text) {
  std::int32_t number = 0;
  if (registry::ParseNumber(text, &number) != registry::NumberParse::kOk) {
    throw std::invalid_argument("not a number");
  }
  return number;
}

// The first path of a text setting's entry: the text before the first "|", or all of it.
std::string FirstPath(const std::string& entry) {
  return entry.substr(0, entry.find('|'));
}

}  // namespace

Catalogue::Catalogue(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& window,
                     PageFrames& frames)
    : platform_(platform) {
  for (int i = 0; i < kRestrictionCount; ++i) {
    ui::ControlArgs args;
    if (i == 0) {
      // The template lies below the client area and is never configured nor used.
      args.rect = {0, 440, 100, 17};
      args.text = "Check1";
      chk.push_back(toolkit.CreateCheckBox(window, args));
      chk.back()->SetVisible(false);
      continue;
    }
    const Placement& place = kRestrictionPlaces[i];
    args.rect = {kFrameRowLeft, CheckRowTop(place.row), 285, 17};
    chk.push_back(toolkit.CreateCheckBox(*(frames.*place.frame), args));
    chk.back()->on_click = [this, i] { Trap([&] { chk_Click(i); }); };
  }

  for (int i = 0; i < kCheckSettingCount; ++i) {
    const Placement& place = kCheckSettingPlaces[i];
    chka.push_back(std::make_unique<controls::ChkAdvanced>(
        toolkit, *(frames.*place.frame), kFrameRowLeft, CheckRowTop(place.row), platform.registry));
  }

  opt.push_back(std::make_unique<controls::OptSelect>(toolkit, *frames.Frame7, kFrameRowLeft,
                                                      kFrameRowTop, platform.registry));

  for (int i = 0; i < kTextCount; ++i) {
    const Placement& place = kTextPlaces[i];
    txt.push_back(std::make_unique<controls::TxtLabel>(toolkit, *(frames.*place.frame),
                                                       kFrameRowLeft, TextRowTop(place.row)));
    txt.back()->on_change = [this, i] { Trap([&] { txt_Change(i); }); };
  }

  // The My Computer boxes follow the name text in Frame5.
  for (int i = 0; i < kMyComputerCount; ++i) {
    ui::ControlArgs args;
    args.rect = {kFrameRowLeft, TextRowTop(1) + i * kCheckRowStep, 285, 17};
    chkm.push_back(toolkit.CreateCheckBox(*frames.Frame5, args));
    chkm.back()->on_click = [this, i] { Trap([&] { chkm_Click(i); }); };
  }
}

Catalogue::~Catalogue() = default;

std::string Catalogue::String(int id) {
  std::string text;
  if (!platform_.strings.Load(id, &text)) throw std::out_of_range("no catalogue entry");
  return text;
}

void Catalogue::Configure() {
  for (size_t n = 0; n < chka.size(); ++n) {
    const int i = static_cast<int>(n);
    controls::ChkAdvanced& c = *chka[n];
    Trap([&] { c.SetCaption(String(ids::kIdsCheckCaption + i)); });
    Trap([&] { c.SetDefault(Number(String(ids::kIdsCheckDefault + i))); });
    Trap([&] { c.SetTypeValue(Number(String(ids::kIdsCheckType + i))); });
    Trap([&] { c.SetKey(String(ids::kIdsCheckKey + i)); });
    Trap([&] { c.SetValues(String(ids::kIdsCheckValues + i)); });
    // The first display: the state that the registry stands for.
    Trap([&] { c.Repaint(); });
  }
  for (size_t n = 0; n < opt.size(); ++n) {
    const int i = static_cast<int>(n);
    controls::OptSelect& c = *opt[n];
    Trap([&] { c.SetCaption(String(ids::kIdsChoiceCaption + i)); });
    Trap([&] { c.SetTypeValue(Number(String(ids::kIdsChoiceType + i))); });
    Trap([&] { c.SetKey(String(ids::kIdsChoiceKey + i)); });
    Trap([&] { c.SetValues(String(ids::kIdsChoiceValues + i)); });
    Trap([&] { c.SetOptions(String(ids::kIdsChoiceOptions + i)); });
  }
  for (size_t i = 1; i < chk.size(); ++i) {
    Trap([&] { chk[i]->SetText(String(ids::kIdsRestrictionCaption + static_cast<int>(i))); });
  }
  ReadRestrictions();
  for (size_t i = 0; i < txt.size(); ++i) {
    Trap([&] { txt[i]->SetCaption(String(ids::kIdsTextCaption + static_cast<int>(i))); });
  }
  ReadTexts();
  for (size_t i = 0; i < chkm.size(); ++i) {
    Trap([&] { chkm[i]->SetText(String(ids::kIdsMyComputerCaption + static_cast<int>(i))); });
  }
  ReadMyComputer();
}

void Catalogue::Reread() {
  for (size_t i = 0; i < chka.size(); ++i) {
    Trap([&] { chka[i]->SetValues(String(ids::kIdsCheckValues + static_cast<int>(i))); });
    // The repaint that follows the refresh shows what the registry holds now.
    Trap([&] { chka[i]->Repaint(); });
  }
  for (size_t i = 0; i < opt.size(); ++i) {
    Trap([&] { opt[i]->SetOptions(String(ids::kIdsChoiceOptions + static_cast<int>(i))); });
  }
  ReadRestrictions();
  ReadTexts();
  ReadMyComputer();
}

// A cleared restriction box means that its restriction value holds 1: a 32-bit number 1, or a
// text that reads as the number 1. Anything else, and no value at all, shows the box ticked.
void Catalogue::ReadRestrictions() {
  for (size_t i = 1; i < chk.size(); ++i) {
    Trap([&] {
      RegValue value;
      const std::string path = String(ids::kIdsRestrictionPath + static_cast<int>(i));
      const bool read = registry::RegRead(platform_.registry, path, &value) == 0;
      const bool restricted =
          read && (value.IsNumber() || value.IsText()) && value.NumericValue() == 1;
      chk[i]->SetChecked(restricted ? 0 : 1);
    });
  }
}

void Catalogue::ReadTexts() {
  for (size_t i = 0; i < txt.size(); ++i) {
    Trap([&] {
      RegValue value = RegValue::Text("");
      const std::string path = FirstPath(String(ids::kIdsTextPath + static_cast<int>(i)));
      if (registry::RegRead(platform_.registry, path, &value) != 0) value = RegValue::Text("");
      txt[i]->SetText(value.AsText());
    });
  }
}

// A ticked My Computer box means that its name-space key exists: its default value reads.
void Catalogue::ReadMyComputer() {
  for (size_t i = 0; i < chkm.size(); ++i) {
    Trap([&] {
      RegValue value;
      const std::string path = String(ids::kIdsMyComputerKey + static_cast<int>(i));
      chkm[i]->SetChecked(registry::RegRead(platform_.registry, path, &value) == 0 ? 1 : 0);
    });
  }
}

void Catalogue::chk_Click(int index) {
  const std::string path = String(ids::kIdsRestrictionPath + index);
  if (chk[index]->Checked()) {
    registry::RegDelete(platform_.registry, path);
  } else {
    registry::RegWrite(platform_.registry, path, RegValue::Number(1), 4);
  }
}

void Catalogue::chkm_Click(int index) {
  const std::string path = String(ids::kIdsMyComputerKey + index);
  if (chkm[index]->Checked()) {
    registry::RegWrite(platform_.registry, path, RegValue::Text(""), 1);
  } else {
    registry::RegDelete(platform_.registry, path);
  }
}

// Every change of the text, keystroke by keystroke, writes the whole text to every path of the
// entry.
void Catalogue::txt_Change(int index) {
  const std::string entry = String(ids::kIdsTextPath + index);
  const RegValue text = RegValue::Text(txt[index]->text());
  const auto bar = entry.find('|');
  if (bar == std::string::npos) {
    registry::RegWrite(platform_.registry, entry, text, 1);
    return;
  }
  registry::RegWrite(platform_.registry, entry.substr(0, bar), text, 1);
  registry::RegWrite(platform_.registry, entry.substr(bar + 1), text, 1);
}

}  // namespace vireo::main
