// optSelect: a labelled drop-down list bound to one registry entry, each choice standing for
// one value the entry can hold. Each repaint reads the entry and selects the choice whose value
// is stored; when the user picks a choice it writes that choice's value. It raises no events to
// its container.
//
// Only the user's choices write: configuring the control and repainting it only read.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry.h"
#include "registry/reg_value.h"
#include "ui/toolkit.h"

namespace vireo::controls {

class OptSelect {
 public:
  // Options and Values keep at most this many entries (indices 0 to 50).
  static constexpr int kMaxEntries = 51;

  // 4215 x 345 twips: Label1 at the left, 1335 twips wide; Combo1 from 1440 twips, 2760 wide.
  static constexpr int kWidth = 281;
  static constexpr int kHeight = 23;
  static constexpr int kLabelWidth = 89;
  static constexpr int kListLeft = 96;
  static constexpr int kListWidth = 184;

  // Places the control at (x, y) of `parent`, in pixels: its widgets go straight into `parent`
  // (the control has no window of its own). The list starts empty, with no selection.
  // `id` is the list's control id.
  OptSelect(ui::Toolkit& toolkit, ui::Container& parent, int x, int y, platform::Registry& registry,
            int id = 0);
  OptSelect(const OptSelect&) = delete;
  OptSelect& operator=(const OptSelect&) = delete;

  // The properties, in the order the container sets them.
  // Stores the caption and repaints at once.
  void SetCaption(const std::string& caption);
  // 1 string, 3 binary, 4 number; any other type never selects by number and never writes.
  void SetTypeValue(registry::ValueType type) { type_value_ = type; }
  void SetKey(const std::string& key) { key_ = key; }
  // The value list "v0|v1|...": every entry starts empty, then the given ones are parsed;
  // hexadecimal text becomes bytes when TypeValue is 3 at this moment.
  void SetValues(const std::string& values);
  // The choice captions "c0|c1|...": refills the list with them and repaints. The number of
  // choices is one more than the number of bars (a trailing bar adds an empty choice), at most
  // 51.
  void SetOptions(const std::string& options);

  // Reads the entry once and selects, of the choices 0 to count() in order, each one whose value
  // matches it, so the last match stays selected; when none matches the selection stays as it
  // was. Shows the caption. Writes nothing. A control without a Key is not bound yet: it shows
  // its caption and leaves the registry and the selection alone.
  void Repaint();

  ui::Label& label() { return *label_; }
  ui::ListControl& list() { return *list_; }
  const std::string& caption() const { return caption_; }
  const std::string& key() const { return key_; }
  registry::ValueType type_value() const { return type_value_; }
  // The index of the last choice.
  int count() const { return count_; }
  // The value of choice `index` (0 to 50), as the control compares and writes it.
  const registry::RegValue& value(int index) const { return values_.at(index); }

 private:
  // The user chose an item. A write that fails shows the registry's choice again.
  void OnSelect();

  platform::Registry& registry_;
  std::unique_ptr<ui::Label> label_;
  std::unique_ptr<ui::ListControl> list_;
  std::string caption_;
  std::string key_;
  registry::ValueType type_value_{};
  int count_ = 0;
  std::array<registry::RegValue, kMaxEntries> values_;
};

}  // namespace vireo::controls
