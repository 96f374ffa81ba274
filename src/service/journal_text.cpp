#include "service/journal_text.h"

#include <algorithm>

#include "registry/number_text.h"
#include "service/regedit4_text.h"

namespace vireo::service {

using platform::HKey;

namespace {

std::string Quoted(const std::string& text) {
  std::string shown = text;
  while (!shown.empty() && shown.back() == '\0') shown.pop_back();
  if (shown.size() > 80) shown = shown.substr(0, 80) + "...";
  return "\"" + shown + "\"";
}

std::string ValueText(const ItemState& state) {
  if (!state.present) return "(нет значения)";
  const std::string& b = state.bytes;
  if (state.type == platform::kRegSz || state.type == platform::kRegExpandSz) return Quoted(b);
  if (state.type == platform::kRegDword && b.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(b[i]);
    return "0x" + registry::HexText(number, 8, false) + " (" + std::to_string(number) + ")";
  }
  std::string text = state.type == platform::kRegBinary
                         ? std::string("hex:")
                         : "hex(" + std::to_string(state.type) + "):";
  text += HexBytes(std::string_view(b).substr(0, 16));
  if (b.size() > 16) text += ",...";
  return text;
}

std::string KeyText(bool present, const KeyTree& tree) {
  if (!present) return "(нет раздела)";
  return "раздел (параметров: " + std::to_string(tree.values.size()) +
         ", подразделов: " + std::to_string(tree.subkeys.size()) + ")";
}

std::string StateText(const Change& change, const ItemState& state, const KeyTree& tree) {
  switch (change.target) {
    case Target::kValue:
      return ValueText(state);
    case Target::kKey:
      return KeyText(state.present, tree);
    case Target::kProfile:
      return state.present ? Quoted(state.bytes) : "(нет строки)";
    case Target::kFile:
      return state.present ? "файл (" + std::to_string(state.bytes.size()) + " байт)"
                           : "(нет файла)";
    case Target::kDirectory:
      return state.present ? "папка" : "(нет папки)";
  }
  return {};
}

void RegeditTree(const std::string& path, const KeyTree& tree, std::string* text) {
  *text += "[" + path + "]\r\n";
  for (const auto& [name, state] : tree.values) {
    *text += ValueLine(name, ValueData(state.type, state.bytes));
  }
  *text += "\r\n";
  for (const KeyTree& sub : tree.subkeys) RegeditTree(path + "\\" + sub.name, sub, text);
}

}  // namespace

std::string RootName(HKey root) {
  for (const platform::RootName& known : platform::kRoots) {
    if (root == known.root) return std::string(known.name);
  }
  return {};
}

std::string TargetText(const Change& change) {
  const std::string key = RootName(change.root) + (change.key.empty() ? "" : "\\" + change.key);
  switch (change.target) {
    case Target::kValue:
      return key + " : " + (change.name.empty() ? "(по умолчанию)" : change.name);
    case Target::kKey:
      return key;
    case Target::kProfile:
      return change.file + " [" + change.section + "] " + change.name;
    case Target::kFile:
    case Target::kDirectory:
      return change.file;
  }
  return {};
}

std::string BeforeText(const Change& change) {
  return StateText(change, change.before, change.tree_before);
}

std::string AfterText(const Change& change) {
  return StateText(change, change.after, change.tree_after);
}

std::string UndoFileText(const std::vector<Entry>& entries) {
  std::string text = "REGEDIT4\r\n\r\n";
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    const Change& c = it->change;
    const std::string key = RootName(c.root) + (c.key.empty() ? "" : "\\" + c.key);
    if (c.target == Target::kValue) {
      text += "[" + key + "]\r\n" +
              ValueLine(c.name, c.before.present ? ValueData(c.before.type, c.before.bytes) : "-") +
              "\r\n";
    } else if (c.target == Target::kKey) {
      // Whatever is there now goes first, so that the key comes back exactly as it was.
      if (c.after.present || !c.before.present) text += "[-" + key + "]\r\n\r\n";
      if (c.before.present) RegeditTree(key, c.tree_before, &text);
    }
  }
  return text;
}
}  // namespace vireo::service
