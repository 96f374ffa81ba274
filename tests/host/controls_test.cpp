// The check and choice setting controls, driven as a user would on headless widgets, with the
// in-memory registry checked afterwards. The text setting is driven on its pages
// (catalogue_pages_test.cpp).
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "controls/chk_advanced.h"
#include "controls/opt_select.h"
#include "fixture.h"
#include "registry/reg_access.h"

namespace vireo::registry {
void PrintTo(const RegValue& value, std::ostream* out) {
  *out << static_cast<int>(value.kind()) << ":\"" << value.AsText() << "\"";
}
}  // namespace vireo::registry

namespace vireo::controls {
namespace {

using registry::RegValue;
using Op = platform::CountingRegistry::Operation;

constexpr char kTest[] = "HKCU\\Software\\Test\\Value";
constexpr char kSharing[] = "HKCR\\Network\\SharingHandler\\";
constexpr char kBin[] =
    "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder\\Attributes";
constexpr char kBinValues[] = "40010020|50010020|60010020|70010020";
constexpr char kBinOptions[] =
    "Отсутствует|Только Переименовать|Только удалить|Удалить и переименовать";

constexpr auto Num = &RegValue::Number;
constexpr auto Text = &RegValue::Text;
constexpr auto Bin = &RegValue::Bytes;

class ControlsTest : public test::Fixture {
 protected:
  ControlsTest() { window->Show(); }

  // A control configured as the container does it, then shown.
  std::unique_ptr<ChkAdvanced> Check(const char* values, int type, int default_state,
                                     const char* key = kTest) {
    auto c = std::make_unique<ChkAdvanced>(toolkit, *window, 0, 0, counting);
    c->SetCaption("caption");
    c->SetDefault(default_state);
    c->SetTypeValue(static_cast<registry::ValueType>(type));
    c->SetKey(key);
    c->SetValues(values);
    c->Repaint();
    return c;
  }
  std::unique_ptr<OptSelect> Choice(int type, const char* values, const char* options,
                                    const char* key = kTest) {
    auto c = std::make_unique<OptSelect>(toolkit, *window, 0, 0, counting);
    c->SetCaption("Меню элемента");
    c->SetTypeValue(static_cast<registry::ValueType>(type));
    c->SetKey(key);
    c->SetValues(values);
    c->SetOptions(options);
    return c;
  }
  static void Click(ChkAdvanced& c) { dynamic_cast<ui::headless::HCheckBox&>(c.box()).Click(); }
  static void Choose(OptSelect& c, int i) {
    dynamic_cast<ui::headless::HDropDown&>(c.list()).Choose(i);
  }

  // Stores `value` under its own type (1, 3 or 4); an empty value deletes it.
  void Put(const std::string& path, const RegValue& value) {
    const registry::ValueType types[] = {registry::ValueType{}, registry::ValueType::kString,
                                         registry::ValueType::kBinary,
                                         registry::ValueType::kNumber};
    value.IsEmpty()
        ? registry::RegDelete(memory, path)
        : registry::RegWrite(memory, path, value, types[static_cast<int>(value.kind())]);
  }
  RegValue Read(const std::string& path) {
    RegValue value;
    registry::RegRead(memory, path, &value);
    return value;
  }

  std::unique_ptr<ui::Window> window = toolkit.CreateTopWindow({});
};

TEST_F(ControlsTest, CheckSettingShowsTheStateItsValueStandsFor) {
  const struct {
    const char* values;
    int type, default_state;
    std::vector<std::pair<RegValue, int>> shows;  // a stored value and the state it shows
  } settings[] = {
      // ShowInfoTip, NoSaveSettings, NoEntireNetwork
      {"0|1", 4, 0, {{Num(1), 1}, {Text("1"), 1}, {Num(0), 0}, {{}, 0}, {Text("yes"), 0}}},
      {"01000000|00000000", 3, 1, {{Bin({1, 0, 0, 0}), 0}, {{}, 1}, {Bin({0, 0, 0, 0}), 1}}},
      {"01000000|00000000", 3, 1, {{Num(1), 1}}},
      {"1|-", 4, 1, {{Num(1), 0}, {{}, 1}, {Num(0), 1}}},
      // A string setting compares text exactly; a number counts as its decimal text.
      {"0|1", 1, 0, {{Text("1"), 1}, {Num(1), 1}, {Text("1 "), 0}}},
      // Binary data in a number setting counts only when its characters read as a number.
      {"0|1", 4, 0, {{Bin({' ', '1'}), 1}, {Bin({1, 0, 0, 0}), 0}}},
      // A delete marker stands for an absent value only; any Default but 0 stands for ticked.
      {"-|1", 4, 1, {{{}, 0}, {Num(0), 1}}},
      {"-|1", 1, 1, {{Text("-"), 1}}},
      {"0|1", 4, 2, {{Num(5), 1}}},
  };
  for (const auto& setting : settings) {
    for (const auto& [stored, shown] : setting.shows) {
      Put(kTest, stored);
      auto c = Check(setting.values, setting.type, setting.default_state);
      EXPECT_EQ(c->box().Checked(), shown) << setting.values << " " << stored.AsText();
      // Every repaint shows the state afresh.
      c->box().SetChecked(1 - shown);
      c->Repaint();
      EXPECT_EQ(c->box().Checked(), shown) << setting.values << " " << stored.AsText();
    }
  }
}

TEST_F(ControlsTest, ClicksWriteOrDeleteTheEntryOfTheNewState) {
  auto tip = Check("0|1", 4, 0);
  Click(*tip);
  EXPECT_EQ(Read(kTest), Num(1));
  Click(*tip);
  EXPECT_EQ(Read(kTest), Num(0));

  auto save = Check("01000000|00000000", 3, 1);
  Click(*save);
  EXPECT_EQ(Read(kTest), Bin({1, 0, 0, 0}));

  Put(kTest, Num(1));
  auto network = Check("1|-", 4, 1);
  EXPECT_EQ(network->box().Checked(), 0);
  Click(*network);
  EXPECT_EQ(Read(kTest), RegValue());
  Click(*network);
  EXPECT_EQ(Read(kTest), Num(1));

  // An entry that is not a number writes nothing, not even the key.
  auto word = Check("0|on", 4, 0, "HKCU\\Software\\Other\\Value");
  counting.Reset();
  Click(*word);
  EXPECT_EQ(Writes(), 0u);
  EXPECT_FALSE(memory.Exists(platform::kCurrentUser, "Software\\Other"));

  // A failed write shows the registry's state again at once.
  auto failed = Check("0|1", 4, 0, "HKXX\\Software\\Test\\Value");
  Click(*failed);
  EXPECT_EQ(failed->box().Checked(), 0);
}

TEST_F(ControlsTest, SharingHandlerDeletesAndRecreatesItsKey) {
  Put(kSharing, Text("msshrui.dll"));
  Put("HKCR\\Network\\SharingHandler\\Sub\\x", Text("below"));
  auto c = Check("-|msshrui.dll", 1, 0, kSharing);
  EXPECT_EQ(c->box().Checked(), 1);

  Click(*c);
  EXPECT_FALSE(
      memory.Exists(platform::kLocalMachine, "Software\\Classes\\Network\\SharingHandler"));
  EXPECT_TRUE(memory.Exists(platform::kLocalMachine, "Software\\Classes\\Network"));
  Click(*c);
  EXPECT_EQ(Read("HKLM\\Software\\Classes\\Network\\SharingHandler\\"), Text("msshrui.dll"));
}

TEST_F(ControlsTest, ConfiguringAndRepaintingOnlyRead) {
  // The caption comes before the key: that repaint leaves the registry alone.
  ChkAdvanced early(toolkit, *window, 0, 0, counting);
  early.SetCaption("Сохранять позиции иконок");
  EXPECT_EQ(counting.total(), 0u);
  EXPECT_EQ(early.box().Text(), "Сохранять позиции иконок");

  // A Default 1 box whose value matches neither entry, a box that matches, a matching choice.
  Put(kTest, Bin({9, 9}));
  Put("HKCU\\Software\\Test\\Tip", Num(1));
  Put(kBin, Bin({0x60, 0x01, 0x00, 0x20}));
  counting.Reset();
  auto save = Check("01000000|00000000", 3, 1);
  auto tip = Check("0|1", 4, 0, "HKCU\\Software\\Test\\Tip");
  auto bin = Choice(3, kBinValues, kBinOptions, kBin);
  EXPECT_EQ(save->box().Checked(), 1);
  EXPECT_EQ(tip->box().Checked(), 1);
  EXPECT_EQ(bin->list().Selection(), 2);
  EXPECT_EQ(counting.count(Op::kOpen), 3u) << "one read for each control";

  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ControlsTest, ValuePairParsing) {
  auto c = Check("0|1", 4, 0);
  c->SetValues("7");  // no bar: entry 0 stays
  EXPECT_EQ(c->entry(0), Text("0"));
  EXPECT_EQ(c->entry(1), Text("7"));
  c->SetValues("a|b|c");
  EXPECT_EQ(c->entry(1), Text("b|c"));
  c->SetDefault(300);  // beyond 8 bits: refused
  EXPECT_EQ(c->default_state(), 0);
}

TEST_F(ControlsTest, CatalogueChoiceWritesBinaryAndMatchesOnlyItsBytes) {
  Choose(*Choice(3, kBinValues, kBinOptions, kBin), 3);
  EXPECT_EQ(Read(kBin), Bin({0x70, 0x01, 0x00, 0x20}));
  // Absent, other bytes or a number select nothing on first display.
  for (const RegValue& stored : {RegValue(), Bin({0x60, 0x01, 0x00}), Num(0x20000160)}) {
    Put(kBin, stored);
    EXPECT_EQ(Choice(3, kBinValues, kBinOptions, kBin)->list().Selection(), -1);
  }
}

TEST_F(ControlsTest, ChoiceListsAndMatching) {
  // Four choices, three values: the fourth writes the empty value of its type.
  Choose(*Choice(3, "01|02|03", "a|b|c|d"), 3);
  EXPECT_EQ(Read(kTest), Bin({}));
  auto text = Choice(1, "x|y|x", "A|B|C|D");
  Choose(*text, 3);
  EXPECT_EQ(Read(kTest), Text(""));

  // The last match wins; no match leaves the selection; a refill reads afresh.
  Put(kTest, Text("x"));
  text->Repaint();
  EXPECT_EQ(text->list().Selection(), 2);
  Put(kTest, Text("z"));
  text->Repaint();
  EXPECT_EQ(text->list().Selection(), 2);
  text->SetOptions("A|B|C|D");
  EXPECT_EQ(text->list().Selection(), -1);

  // A trailing bar adds an empty last choice; text beyond the 51st entry is ignored.
  text->SetOptions("A|B|");
  EXPECT_EQ(text->list().Count(), 3);
  EXPECT_EQ(text->list().Item(2), "");
  std::string many;
  for (int i = 0; i < 60; ++i) many += std::to_string(i) + "|";
  text->SetValues(many);
  text->SetOptions(many);
  EXPECT_EQ(text->list().Count(), 51);
  EXPECT_EQ(text->value(50), Text("50"));

  // Number choices compare by value; a choice that is not a number writes nothing.
  Put(kTest, Text(" 1"));
  auto number = Choice(4, "0|1|x", "A|B|C");
  EXPECT_EQ(number->list().Selection(), 1);
  counting.Reset();
  Choose(*number, 2);
  EXPECT_EQ(Writes(), 0u);
  Choose(*number, 0);
  EXPECT_EQ(Read(kTest), Num(0));
}

}  // namespace
}  // namespace vireo::controls
