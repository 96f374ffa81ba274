#include "main/catalogue.h"

#include <iterator>
#include <stdexcept>

#include "catalogue_ids.h"
#include "registry/reg_access.h"
#include "registry/value_tip.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

using ui::Trap;

using registry::RegValue;
using registry::ValueType;
namespace ids = catalogue;

struct Placement {
  Group group;
  int row;
};

// Where each element of the arrays stands: its frame and its row there. The string table gives
// the number of elements (catalogue_ids.h); each has its place here.
constexpr Placement kRestrictionPlaces[] = {
    // Elements from 1; element 0, the template box, stays on the main window.
    {Group::kSystemOption, 0},   {Group::kSystemOption, 1},   {Group::kSystemOption, 2},
    {Group::kSystemOption, 3},   {Group::kScreenOption, 0},   {Group::kScreenOption, 1},
    {Group::kScreenOption, 2},   {Group::kScreenOption, 3},   {Group::kScreenOption, 4},
    {Group::kPasswordOption, 0}, {Group::kPasswordOption, 1}, {Group::kPasswordOption, 2},
    {Group::kPrinterOption, 0},  {Group::kPrinterOption, 1},  {Group::kPrinterOption, 2},
    {Group::kNetworkOption, 0},  {Group::kNetworkOption, 1},  {Group::kNetworkOption, 2},
    {Group::kFrame2, 0},         {Group::kFrame2, 1},         {Group::kFrame2, 2},
    {Group::kFrame2, 3},         {Group::kFrame3, 0},         {Group::kFrame3, 1},
};
static_assert(std::size(kRestrictionPlaces) == ids::kRestrictionCount,
              "a place for each restriction box of the string table");

// Frame13 keeps row 1 for the two-pane box; Frame16 keeps rows 0 and 1 for the two boxes of the
// any-file context menu.
constexpr Placement kCheckSettingPlaces[] = {
    {Group::kFrame10, 0}, {Group::kFrame10, 1}, {Group::kFrame10, 2}, {Group::kFrame10, 3},
    {Group::kFrame13, 0}, {Group::kFrame12, 0}, {Group::kFrame12, 1}, {Group::kFrame12, 2},
    {Group::kFrame12, 3}, {Group::kFrame12, 4}, {Group::kFrame13, 2}, {Group::kFrame13, 3},
    {Group::kFrame13, 4}, {Group::kFrame13, 5}, {Group::kFrame13, 6}, {Group::kFrame16, 2},
    {Group::kFrame16, 3}, {Group::kFrame16, 4},
};
static_assert(std::size(kCheckSettingPlaces) == ids::kCheckCount,
              "a place for each check setting of the string table");

constexpr Placement kTextPlaces[] = {
    {Group::kFrame1, 0},  {Group::kFrame1, 1}, {Group::kFrame1, 2},  {Group::kFrame1, 3},
    {Group::kFrame5, 0},  {Group::kFrame8, 0}, {Group::kFrame8, 1},  {Group::kFrame8, 2},
    {Group::kFrame8, 3},  {Group::kFrame8, 4}, {Group::kFrame8, 5},  {Group::kFrame8, 6},
    {Group::kFrame8, 7},  {Group::kFrame8, 8}, {Group::kFrame20, 0}, {Group::kFrame20, 1},
    {Group::kFrame20, 2},
};
static_assert(std::size(kTextPlaces) == ids::kTextCount,
              "a place for each text setting of the string table");
// The My Computer boxes follow each other below the name text in Frame5, and the one choice
// setting has Frame7 to itself.
static_assert(ids::kChoiceCount == 1, "Frame7 holds one choice setting");
// Each array's control ids stay in its own block (resource.h).
static_assert(IDC_RESTRICTION_FIRST + ids::kRestrictionCount < IDC_MY_COMPUTER_FIRST &&
                  IDC_MY_COMPUTER_FIRST + ids::kMyComputerCount <= IDC_CHECK_SETTING_FIRST &&
                  IDC_CHECK_SETTING_FIRST + ids::kCheckCount <= IDC_CHOICE_SETTING_FIRST &&
                  IDC_CHOICE_SETTING_FIRST + ids::kChoiceCount <= IDC_TEXT_SETTING_FIRST &&
                  IDC_TEXT_SETTING_FIRST + ids::kTextCount <= IDC_APPLETS_FRAME,
              "the catalogue's control ids overlap");

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
                     const std::array<Page*, kPageCount>& pages)
    : platform_(platform), pages_(pages) {
  for (int i = 0; i <= ids::kRestrictionCount; ++i) {
    ui::ControlArgs args{.id = IDC_RESTRICTION_FIRST + i};
    if (i == 0) {
      // The template lies below the client area and is never configured nor used.
      args.rect = {0, 440, 100, 17};
      args.text = "Check1";
      chk.push_back(toolkit.CreateCheckBox(window, args));
      chk.back()->SetVisible(false);
      chk_page_.push_back(-1);
      continue;
    }
    const Placement& place = kRestrictionPlaces[i - 1];
    args.rect = {kFrameRowLeft, CheckRowTop(place.row), 285, 17};
    chk.push_back(toolkit.CreateCheckBox(Frame(place.group, &chk_page_), args));
    chk.back()->on_click = ui::Trapped(&Catalogue::chk_Click, this, i);
    chk.back()->SetTooltip([this, i] {
      return ui::TrapText([&] {
        return registry::DescribeValue(platform_.registry, String(ids::kIdsRestrictionPath + i));
      });
    });
  }

  for (int i = 0; i < ids::kCheckCount; ++i) {
    const Placement& place = kCheckSettingPlaces[i];
    chka.push_back(std::make_unique<controls::ChkAdvanced>(
        toolkit, Frame(place.group, &chka_page_), kFrameRowLeft, CheckRowTop(place.row),
        platform.registry, IDC_CHECK_SETTING_FIRST + i));
  }

  opt.push_back(std::make_unique<controls::OptSelect>(toolkit, Frame(Group::kFrame7, &opt_page_),
                                                      kFrameRowLeft, kFrameRowTop,
                                                      platform.registry, IDC_CHOICE_SETTING_FIRST));

  for (int i = 0; i < ids::kTextCount; ++i) {
    const Placement& place = kTextPlaces[i];
    txt.push_back(std::make_unique<controls::TxtLabel>(toolkit, Frame(place.group, &txt_page_),
                                                       kFrameRowLeft, TextRowTop(place.row),
                                                       IDC_TEXT_SETTING_FIRST + i));
    txt.back()->on_change = ui::Trapped(&Catalogue::txt_Change, this, i);
    // A text setting writes each of its paths: the tooltip tells of every one.
    txt.back()->box().SetTooltip([this, i] {
      return ui::TrapText(
          [&] { return registry::DescribeValues(platform_.registry, TextPaths(i)); });
    });
  }

  // The My Computer boxes follow the name text in Frame5.
  for (int i = 0; i < ids::kMyComputerCount; ++i) {
    ui::ControlArgs args{.id = IDC_MY_COMPUTER_FIRST + i,
                         .rect = {kFrameRowLeft, TextRowTop(1) + i * kCheckRowStep, 285, 17}};
    chkm.push_back(toolkit.CreateCheckBox(Frame(Group::kFrame5, &chkm_page_), args));
    chkm.back()->on_click = ui::Trapped(&Catalogue::chkm_Click, this, i);
    chkm.back()->SetTooltip([this, i] {
      return ui::TrapText([&] {
        return registry::DescribeKey(platform_.registry, String(ids::kIdsMyComputerKey + i));
      });
    });
  }
}

ui::Container& Catalogue::Frame(Group group, std::vector<int>* pages) {
  for (int p = 0; p < kPageCount; ++p) {
    if (ui::Frame* frame = pages_[p]->GroupFrame(group)) {
      pages->push_back(p);
      return *frame;
    }
  }
  throw std::logic_error("no page holds the frame");
}

Catalogue::~Catalogue() = default;

std::string Catalogue::String(int id) {
  std::string text;
  if (!platform_.strings.Load(id, &text)) throw std::out_of_range("no catalogue entry");
  return text;
}

void Catalogue::Configure() {
  for (size_t i = 0; i < chka.size(); ++i) ConfigureCheck(i);
  for (size_t i = 0; i < opt.size(); ++i) ConfigureChoice(i);
  for (size_t i = 1; i < chk.size(); ++i) ConfigureRestriction(i);
  for (size_t i = 0; i < txt.size(); ++i) ConfigureText(i);
  for (size_t i = 0; i < chkm.size(); ++i) ConfigureMyComputer(i);
}

void Catalogue::Reread() {
  for (size_t i = 0; i < chka.size(); ++i) RereadCheck(i);
  for (size_t i = 0; i < opt.size(); ++i) RereadChoice(i);
  ReadRestrictions();
  ReadTexts();
  ReadMyComputer();
}

void Catalogue::ConfigureEntry(int id) {
  if (id < 0) return;
  const int block = id / 1000;
  const size_t i = static_cast<size_t>(id % 1000);
  if (block == ids::kIdsRestrictionCaption / 1000 || block == ids::kIdsRestrictionPath / 1000) {
    if (i >= 1 && i < chk.size()) ConfigureRestriction(i);
  } else if (block == ids::kIdsTextCaption / 1000 || block == ids::kIdsTextPath / 1000) {
    if (i < txt.size()) ConfigureText(i);
  } else if (block == ids::kIdsMyComputerCaption / 1000 || block == ids::kIdsMyComputerKey / 1000) {
    if (i < chkm.size()) ConfigureMyComputer(i);
  } else if (block >= ids::kIdsChoiceCaption / 1000 && block <= ids::kIdsChoiceType / 1000) {
    if (i < opt.size()) {
      ConfigureChoice(i);
      RereadChoice(i);
    }
  } else if (block >= ids::kIdsCheckKey / 1000 && block <= ids::kIdsCheckCaption / 1000) {
    if (i < chka.size()) {
      ConfigureCheck(i);
      RereadCheck(i);
    }
  }
}

void Catalogue::ConfigureCheck(size_t n) {
  const int i = static_cast<int>(n);
  controls::ChkAdvanced& c = *chka[n];
  Trap([&] { c.SetCaption(String(ids::kIdsCheckCaption + i)); });
  Trap([&] { c.SetDefault(Number(String(ids::kIdsCheckDefault + i))); });
  Trap([&] { c.SetTypeValue(static_cast<ValueType>(Number(String(ids::kIdsCheckType + i)))); });
  Trap([&] { c.SetKey(String(ids::kIdsCheckKey + i)); });
  Trap([&] { c.SetValues(String(ids::kIdsCheckValues + i)); });
  // The first display: the state that the registry stands for.
  Trap([&] { c.Repaint(); });
}

void Catalogue::ConfigureChoice(size_t n) {
  const int i = static_cast<int>(n);
  controls::OptSelect& c = *opt[n];
  Trap([&] { c.SetCaption(String(ids::kIdsChoiceCaption + i)); });
  Trap([&] { c.SetTypeValue(static_cast<ValueType>(Number(String(ids::kIdsChoiceType + i)))); });
  Trap([&] { c.SetKey(String(ids::kIdsChoiceKey + i)); });
  Trap([&] { c.SetValues(String(ids::kIdsChoiceValues + i)); });
  Trap([&] { c.SetOptions(String(ids::kIdsChoiceOptions + i)); });
}

// Captions touch no registry, so the reads keep the order of the arrays.
void Catalogue::ConfigureRestriction(size_t i) {
  Trap([&] { chk[i]->SetText(String(ids::kIdsRestrictionCaption + static_cast<int>(i))); });
  Trap([&] { ReadRestrictionBox(i); });
}

void Catalogue::ConfigureText(size_t i) {
  Trap([&] { txt[i]->SetCaption(String(ids::kIdsTextCaption + static_cast<int>(i))); });
  Trap([&] { ReadTextSetting(i); });
}

void Catalogue::ConfigureMyComputer(size_t i) {
  Trap([&] { chkm[i]->SetText(String(ids::kIdsMyComputerCaption + static_cast<int>(i))); });
  Trap([&] { ReadMyComputerBox(i); });
}

void Catalogue::RereadCheck(size_t i) {
  Trap([&] { chka[i]->SetValues(String(ids::kIdsCheckValues + static_cast<int>(i))); });
  // The repaint that follows the refresh shows what the registry holds now.
  Trap([&] { chka[i]->Repaint(); });
}

void Catalogue::RereadChoice(size_t i) {
  Trap([&] { opt[i]->SetOptions(String(ids::kIdsChoiceOptions + static_cast<int>(i))); });
}

void Catalogue::RereadPage(PageId page) {
  const int p = static_cast<int>(page);
  for (size_t i = 0; i < chka.size(); ++i) {
    if (chka_page_[i] == p) RereadCheck(i);
  }
  for (size_t i = 0; i < opt.size(); ++i) {
    if (opt_page_[i] == p) RereadChoice(i);
  }
  ReadRestrictions(p);
  ReadTexts(p);
  ReadMyComputer(p);
}

// A cleared restriction box means that its restriction value holds 1: a 32-bit number 1, or a
// text that reads as the number 1. Anything else, and no value at all, shows the box ticked.
void Catalogue::ReadRestrictionBox(size_t i) {
  RegValue value;
  const std::string path = String(ids::kIdsRestrictionPath + static_cast<int>(i));
  const bool read = registry::RegRead(platform_.registry, path, &value) == 0;
  const bool restricted = read && (value.IsNumber() || value.IsText()) && value.NumericValue() == 1;
  chk[i]->SetChecked(restricted ? 0 : 1);
}

void Catalogue::ReadTextSetting(size_t i) {
  RegValue value = RegValue::Text("");
  const std::string path = FirstPath(String(ids::kIdsTextPath + static_cast<int>(i)));
  if (registry::RegRead(platform_.registry, path, &value) != 0) value = RegValue::Text("");
  txt[i]->SetText(value.AsText());
}

// A ticked My Computer box means that its name-space key exists: its default value reads.
void Catalogue::ReadMyComputerBox(size_t i) {
  RegValue value;
  const std::string path = String(ids::kIdsMyComputerKey + static_cast<int>(i));
  chkm[i]->SetChecked(registry::RegRead(platform_.registry, path, &value) == 0 ? 1 : 0);
}

void Catalogue::ReadRestrictions(int page) {
  for (size_t i = 1; i < chk.size(); ++i) {
    if (page < 0 || chk_page_[i] == page) Trap([&] { ReadRestrictionBox(i); });
  }
}

void Catalogue::ReadTexts(int page) {
  for (size_t i = 0; i < txt.size(); ++i) {
    if (page < 0 || txt_page_[i] == page) Trap([&] { ReadTextSetting(i); });
  }
}

void Catalogue::ReadMyComputer(int page) {
  for (size_t i = 0; i < chkm.size(); ++i) {
    if (page < 0 || chkm_page_[i] == page) Trap([&] { ReadMyComputerBox(i); });
  }
}

std::vector<Binding> Catalogue::Bindings() {
  std::vector<Binding> made;
  auto add = [&](ui::Widget& control, ui::Widget& caption, int page, Group group,
                 std::function<std::vector<std::string>()> paths) {
    made.push_back({.control = &control,
                    .caption = &caption,
                    .frame = pages_[static_cast<std::size_t>(page)]->GroupFrame(group),
                    .paths = [paths = std::move(paths)](int) { return paths(); },
                    .page = page});
  };
  for (int i = 1; i < static_cast<int>(chk.size()); ++i) {
    const auto n = static_cast<std::size_t>(i);
    add(*chk[n], *chk[n], chk_page_[n], kRestrictionPlaces[n - 1].group,
        [this, i] { return std::vector<std::string>{String(ids::kIdsRestrictionPath + i)}; });
  }
  for (std::size_t i = 0; i < chka.size(); ++i) {
    controls::ChkAdvanced& c = *chka[i];
    add(c.box(), c.box(), chka_page_[i], kCheckSettingPlaces[i].group,
        [&c] { return std::vector<std::string>{c.key()}; });
  }
  for (std::size_t i = 0; i < opt.size(); ++i) {
    controls::OptSelect& c = *opt[i];
    add(c.list(), c.label(), opt_page_[i], Group::kFrame7,
        [&c] { return std::vector<std::string>{c.key()}; });
    // The help lists the choices.
    for (int item = 0; item < c.list().Count(); ++item)
      made.back().help += c.list().Item(item) + " ";
  }
  for (int i = 0; i < static_cast<int>(txt.size()); ++i) {
    const auto n = static_cast<std::size_t>(i);
    add(txt[n]->box(), txt[n]->label(), txt_page_[n], kTextPlaces[n].group,
        [this, i] { return TextPaths(i); });
  }
  for (int i = 0; i < static_cast<int>(chkm.size()); ++i) {
    const auto n = static_cast<std::size_t>(i);
    add(*chkm[n], *chkm[n], chkm_page_[n], Group::kFrame5,
        [this, i] { return std::vector<std::string>{String(ids::kIdsMyComputerKey + i)}; });
  }
  return made;
}

std::vector<std::string> Catalogue::TextPaths(int index) {
  const std::string entry = String(ids::kIdsTextPath + index);
  const auto bar = entry.find('|');
  if (bar == std::string::npos) return {entry};
  return {entry.substr(0, bar), entry.substr(bar + 1)};
}

// A change whose write fails reads the registry back at once, so the box never shows a state
// the registry does not hold.
void Catalogue::chk_Click(int index) {
  const std::string path = String(ids::kIdsRestrictionPath + index);
  const std::int32_t status =
      chk[index]->Checked()
          ? registry::RegDelete(platform_.registry, path)
          : registry::RegWrite(platform_.registry, path, RegValue::Number(1), ValueType::kNumber);
  if (status != 0) ReadRestrictionBox(static_cast<size_t>(index));
}

void Catalogue::chkm_Click(int index) {
  const std::string path = String(ids::kIdsMyComputerKey + index);
  const std::int32_t status =
      chkm[index]->Checked()
          ? registry::RegWrite(platform_.registry, path, RegValue::Text(""), ValueType::kString)
          : registry::RegDelete(platform_.registry, path);
  if (status != 0) ReadMyComputerBox(static_cast<size_t>(index));
}

// Every change of the text, keystroke by keystroke, writes the whole text to every path of the
// entry.
void Catalogue::txt_Change(int index) {
  const RegValue text = RegValue::Text(txt[index]->text());
  bool written = true;
  for (const std::string& path : TextPaths(index)) {
    written =
        registry::RegWrite(platform_.registry, path, text, ValueType::kString) == 0 && written;
  }
  if (!written) ReadTextSetting(static_cast<size_t>(index));
}

}  // namespace vireo::main
