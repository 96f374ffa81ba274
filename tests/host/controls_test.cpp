// The check and choice setting controls, driven as a user would on headless widgets, with the
// in-memory registry checked afterwards, in configurations beyond the catalogue's; the catalogue's
// own settings are rows of the case table (tests/cases/ui_cases.h).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/chk_advanced.h"
#include "controls/opt_select.h"
#include "fixture.h"
#include "registry/reg_access.h"

namespace vireo::controls {
namespace {

using registry::RegValue;

constexpr char kTest[] = "HKCU\\Software\\Test\\Value";

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
  std::unique_ptr<OptSelect> Choice(int type, const char* values, const char* options) {
    auto c = std::make_unique<OptSelect>(toolkit, *window, 0, 0, counting);
    c->SetCaption("caption");
    c->SetTypeValue(static_cast<registry::ValueType>(type));
    c->SetKey(kTest);
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
    const int types[] = {0, 1, 3, 4};
    value.IsEmpty()
        ? registry::RegDelete(memory, path)
        : registry::RegWrite(memory, path, value,
                             registry::ValueType{types[static_cast<int>(value.kind())]});
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
      // A text without a bar is entry 1 alone, and entry 1 is all after the first bar; a Default
      // beyond 8 bits is refused.
      {"7", 4, 300, {{Num(7), 1}, {Text("0"), 0}, {Num(5), 0}}},
      {"5|1|2", 1, 0, {{Text("1|2"), 1}, {Text("2"), 0}}},
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

// The catalogue's settings click as rows of the case table (tests/cases/ui_cases.h); here what no
// catalogue entry has.
TEST_F(ControlsTest, ClicksOfEntriesThatCannotBeWritten) {
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

TEST_F(ControlsTest, ChoiceListsAndMatching) {
  // A binary choice matches only its bytes (the rows write them): absent, other bytes or a number
  // select nothing on first display.
  for (const RegValue& stored : {RegValue(), Bin({0x60, 0x01, 0x00}), Num(0x20000160)}) {
    Put(kTest, stored);
    EXPECT_EQ(Choice(3, "40010020|50010020|60010020|70010020", "a|b|c|d")->list().Selection(), -1);
  }

  // Four choices, three values: the fourth writes the empty value of its type.
  Choose(*Choice(3, "01|02|03", "a|b|c|d"), 3);
  EXPECT_EQ(Read(kTest), Bin({}));
  auto text = Choice(1, "x|y|x", "A|B|C|D");
  Choose(*text, 3);
  EXPECT_EQ(Read(kTest), Text(""));
  EXPECT_EQ(Choice(1, "x|y|x", "A|B|C|D")->list().Selection(), 3);  // the last choice shows too

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
