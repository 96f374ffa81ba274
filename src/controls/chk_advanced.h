// chkAdvanced: a check box bound to one registry entry. Each repaint reads the entry and shows
// the state that the stored value stands for; when the user ticks or clears the box it writes
// the entry of the new state, or deletes the value (or the key, for a path that ends in a
// backslash) when that entry is the delete marker "-". It raises no events to its container.
//
// Only the user's clicks write: configuring the control and repainting it only read.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry.h"
#include "registry/reg_value.h"
#include "ui/toolkit.h"

namespace vireo::controls {

class ChkAdvanced {
 public:
  // 4215 x 255 twips; the box Check1 fills 4125 x 255 twips of it at the top left.
  static constexpr int kWidth = 281;
  static constexpr int kHeight = 17;
  static constexpr int kBoxWidth = 275;

  // Places the control at (x, y) of `parent`, in pixels: its widgets go straight into `parent`
  // (the control has no window of its own). The box starts clear.
  // `id` is the box's control id.
  ChkAdvanced(ui::Toolkit& toolkit, ui::Container& parent, int x, int y,
              platform::Registry& registry, int id = 0);
  ChkAdvanced(const ChkAdvanced&) = delete;
  ChkAdvanced& operator=(const ChkAdvanced&) = delete;

  // The properties, in the order the container sets them.
  // Stores the caption and repaints at once.
  void SetCaption(const std::string& caption);
  // The state shown when the stored value does not stand for the other one. Kept as an unsigned
  // 8-bit value: a number outside 0 to 255 is refused and the old Default stays; any value
  // other than 0 stands for the ticked state.
  void SetDefault(std::int32_t value);
  // 1 string, 3 binary, 4 number; any other type shows Default and never writes.
  void SetTypeValue(registry::ValueType type) { type_value_ = type; }
  void SetKey(const std::string& key) { key_ = key; }
  // The value pair "a|b": a belongs to the cleared state, b (everything after the first bar) to
  // the ticked one; hexadecimal text becomes bytes when TypeValue is 3 at this moment. A text
  // without a bar keeps entry 0 and gives all of itself to entry 1.
  void SetValues(const std::string& values);

  // Reads the entry once and shows its state and the caption. Writes nothing. A control without
  // a Key is not bound yet: it shows its caption and leaves the registry alone.
  void Repaint();

  ui::CheckBox& box() { return *box_; }
  const std::string& caption() const { return caption_; }
  const std::string& key() const { return key_; }
  registry::ValueType type_value() const { return type_value_; }
  std::uint8_t default_state() const { return default_; }
  // Entry 0 (cleared) or 1 (ticked), as the control compares and writes it.
  const registry::RegValue& entry(int state) const { return entries_[state != 0 ? 1 : 0]; }

 private:
  // The user changed the box's state. A write that fails shows the registry's state again.
  void OnClick();
  // Whether `stored` stands for the state `state`. A delete marker stands for an absent value
  // only, whatever the type: that is what deleting leaves behind.
  bool Matches(int state, const registry::RegValue& stored) const;
  bool IsDeleteMarker(int state) const { return texts_[state] == "-"; }

  platform::Registry& registry_;
  std::unique_ptr<ui::CheckBox> box_;
  std::string caption_;
  std::string key_;
  registry::ValueType type_value_{};
  std::uint8_t default_ = 0;
  std::array<std::string, 2> texts_;  // the entries as given, to find the delete marker
  std::array<registry::RegValue, 2> entries_ = {registry::RegValue::Text(""),
                                                registry::RegValue::Text("")};
};

}  // namespace vireo::controls
