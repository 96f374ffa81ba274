// What a user can do to the controls of a window, found by walking it, and the snapshot of a file
// tree; shared by the injected-failure runs and the random undo sequences.
#pragma once

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "main/page.h"
#include "main/page_table.h"
#include "resource.h"
#include "ui/headless/headless.h"

namespace vireo::test {

// `text` in small letters (the registry's names compare so).
inline std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every file and directory below `root` by its path relative to it, but the one named `skip`;
// the root's own path inside a file reads "<root>".
inline std::map<std::string, std::string> FileTree(const std::filesystem::path& root,
                                                   const std::string& skip = "") {
  std::map<std::string, std::string> files;
  for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
    if (item.path().filename() == skip) continue;
    std::string contents = item.is_directory() ? "<dir>" : ReadWhole(item.path());
    for (auto at = contents.find(root.string()); at != std::string::npos;
         at = contents.find(root.string())) {
      contents.replace(at, root.string().size(), "<root>");
    }
    files[std::filesystem::relative(item.path(), root).string()] = contents;
  }
  return files;
}

// One user action on the control `id`: "click", "option", "type" or "replace" (`text`),
// "backspace", "choose" or "double" (item `index`), "toggle" (item `index`), "step" (index 0 up, 1
// down), "button".
struct UserAction {
  int id = 0;
  std::string what;
  int index = -1;
  std::string text = "7";

  std::string Name() const {
    return "control " + std::to_string(id) + " " + what +
           (index >= 0 ? " " + std::to_string(index) : "") +
           (what == "type" || what == "replace" ? " " + text : "");
  }
  void Perform(ui::headless::Node& top) const {
    using namespace ui::headless;
    Node* node = top.FindId(id);
    if (what == "click") dynamic_cast<HCheckBox*>(node)->Click();
    if (what == "option") dynamic_cast<HOptionButton*>(node)->Click();
    if (what == "type") dynamic_cast<HTextBox*>(node)->Type(text);
    if (what == "replace") dynamic_cast<HTextBox*>(node)->Replace(text);
    if (what == "backspace") dynamic_cast<HTextBox*>(node)->Backspace();
    if (what == "choose") dynamic_cast<HDropDown*>(node)->Choose(index);
    if (what == "double") dynamic_cast<HDropDown*>(node)->DoubleClick(index);
    if (what == "toggle") {
      dynamic_cast<HCheckList*>(node)->Choose(index);
      dynamic_cast<HCheckList*>(node)->ToggleCheck(index);
    }
    if (what == "step") dynamic_cast<HScrollBar*>(node)->Step(index == 0 ? -1 : 1);
    if (what == "button") dynamic_cast<HButton*>(node)->Click();
  }
};

// The actions a user can take on the shown and enabled controls below `node`: each box clicked,
// an option not yet chosen, a text typed into and (when not empty) a character taken back, the
// next item of a drop-down, the first item of a list double-clicked, the first and the last item
// of a check list toggled, each scroll arrow, each button; the page buttons only when asked.
inline void CollectUserActions(ui::headless::Node* node, std::vector<UserAction>* out,
                               bool page_buttons = false) {
  using namespace ui::headless;
  const int id = node->id();
  if (id != 0 && node->Shown() && node->enabled()) {
    switch (node->kind()) {
      case Kind::kCheckBox:
        out->push_back({id, "click"});
        break;
      case Kind::kOptionButton:
        if (!dynamic_cast<HOptionButton*>(node)->Checked()) out->push_back({id, "option"});
        break;
      case Kind::kTextBox:
        if (!dynamic_cast<HTextBox*>(node)->ReadOnly()) {
          out->push_back({id, "type"});
          if (!node->text().empty()) out->push_back({id, "backspace"});
        }
        break;
      case Kind::kDropDown: {
        auto* list = dynamic_cast<HDropDown*>(node);
        if (list->Count() > 1) {
          out->push_back({id, "choose", (list->Selection() + 1) % list->Count()});
        }
        break;
      }
      case Kind::kListBox:
        if (dynamic_cast<HDropDown*>(node)->Count() > 0) out->push_back({id, "double", 0});
        break;
      case Kind::kCheckList: {
        const int count = dynamic_cast<HCheckList*>(node)->Count();
        if (count > 0) out->push_back({id, "toggle", 0});
        if (count > 1) out->push_back({id, "toggle", count - 1});
        break;
      }
      case Kind::kScrollBar:
        out->push_back({id, "step", 0});
        out->push_back({id, "step", 1});
        break;
      case Kind::kButton:
        if (page_buttons || id < IDC_PAGE_BUTTON_FIRST ||
            id >= IDC_PAGE_BUTTON_FIRST + main::kPageCount) {
          out->push_back({id, "button"});
        }
        break;
      default:
        break;
    }
  }
  for (Node* child : node->children()) CollectUserActions(child, out, page_buttons);
}

}  // namespace vireo::test
