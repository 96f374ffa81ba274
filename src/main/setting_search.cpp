#include "main/setting_search.h"

#include <algorithm>

#include "main/page_table.h"
#include "platform/registry.h"
#include "registry/ansi_text.h"
#include "registry/file_class.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

// The fields of a finding are kept apart, so that no word matches across two of them.
constexpr char kFieldBreak = '\n';

// The sections of the pages' help topics: the topic, the heading and the words of its text in
// lower case (tools/help_words.py).
struct HelpSection {
  const char* topic;
  const char* heading;
  const char* words;
};
constexpr HelpSection kHelpSections[] = {
#include "help_sections.inc"
};

// A section tells of a control when its heading is the control's caption or its frame's, or,
// for a caption of several words, holds it ("Пункт "Быстрый просмотр" и пункт ..."). Both are
// folded.
bool TellsOf(const std::string& heading, std::string caption) {
  if (!caption.empty() && caption.back() == ':') caption.pop_back();
  if (caption.empty()) return false;
  return heading == caption ||
         (caption.find(' ') != std::string::npos && heading.find(caption) != std::string::npos);
}

// The program names the classes below HKLM; a path typed from HKCR finds them too.
std::string ClassesAlias(const std::string& folded_path) {
  const std::string machine_classes =
      registry::LowerAnsi("HKLM\\" + std::string(registry::kClassesKey));
  if (folded_path.rfind(machine_classes, 0) != 0) return {};
  return "hkcr\\" + folded_path.substr(machine_classes.size());
}

}  // namespace

std::string FoldWord(std::string_view word) {
  std::string folded = registry::LowerAnsi(word);
  for (const platform::RootName& root : platform::kRoots) {
    const std::string name = registry::LowerAnsi(root.name);
    if (folded.rfind(name, 0) == 0 &&
        (folded.size() == name.size() || folded[name.size()] == '\\')) {
      return registry::LowerAnsi(root.abbreviation) + folded.substr(name.size());
    }
  }
  return folded;
}

SettingIndex::SettingIndex(std::vector<Binding> bindings) : bindings_(std::move(bindings)) {
  for (const HelpSection& section : kHelpSections) {
    help_.push_back(
        {section.topic, registry::LowerAnsi(section.heading), registry::LowerAnsi(section.words)});
  }
  // Page by page, in the order of the buttons; within a page, as the bindings were made.
  std::stable_sort(bindings_.begin(), bindings_.end(),
                   [](const Binding& a, const Binding& b) { return a.page < b.page; });
  for (std::size_t b = 0; b < bindings_.size(); ++b) {
    const Binding& binding = bindings_[b];
    if (binding.control == nullptr || binding.page < 0 || binding.page >= kPageCount) continue;
    if (binding.list == nullptr) {
      ui::Trap([&] { Add(b, -1); });
      continue;
    }
    // A list without items (the New menu's before its reading) is found as itself.
    const int count = binding.list->Count();
    if (count == 0) ui::Trap([&] { Add(b, -1); });
    for (int item = 0; item < count; ++item) ui::Trap([&] { Add(b, item); });
  }
}

void SettingIndex::Add(std::size_t b, int item) {
  const Binding& binding = bindings_[b];
  const PageEntry& page = kPages[binding.page];
  std::string caption =
      item >= 0 ? binding.list->Item(item) : (binding.caption ? binding.caption->Text() : "");
  const std::string frame = binding.frame ? binding.frame->Text() : "";
  if (caption.empty() || caption == frame) caption = frame;
  const bool paths_known = binding.paths && (item >= 0 || binding.list == nullptr);
  const std::vector<std::string> paths =
      paths_known ? binding.paths(item) : std::vector<std::string>{};

  Finding f{.binding = b, .item = item, .page = binding.page};
  std::string entry;
  for (const std::string& path : paths) entry += (entry.empty() ? "" : "; ") + path;
  // A label's colon goes; the frame, when it says more, follows in brackets.
  std::string shown = caption;
  if (!shown.empty() && shown.back() == ':') shown.pop_back();
  if (!frame.empty() && frame != caption) shown += " (" + frame + ")";
  f.line = shown + " — " + page.caption + " — " + entry;
  std::string all = caption + kFieldBreak + frame + kFieldBreak + page.caption + kFieldBreak +
                    page.title + kFieldBreak + binding.help;
  for (const std::string& path : paths) all += kFieldBreak + path;
  f.folded = registry::LowerAnsi(all);
  const std::string folded_caption = registry::LowerAnsi(caption);
  const std::string folded_frame = registry::LowerAnsi(frame);
  for (std::size_t s = 0; s < help_.size(); ++s) {
    if (help_[s].topic == page.help &&
        (TellsOf(help_[s].heading, folded_caption) || TellsOf(help_[s].heading, folded_frame))) {
      f.help.push_back(static_cast<int>(s));
    }
  }
  for (const std::string& path : paths) {
    const std::string alias = ClassesAlias(registry::LowerAnsi(path));
    if (!alias.empty()) f.folded += kFieldBreak + alias;
  }
  findings_.push_back(std::move(f));
}

std::vector<int> SettingIndex::Match(std::string_view query) const {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < query.size()) {
    const std::size_t end = std::min(query.find_first_of(" \t", at), query.size());
    if (end > at) words.push_back(FoldWord(query.substr(at, end - at)));
    at = end + 1;
  }
  // A finding matches by its own fields, or by the help's sections about it. The help of a list
  // tells of all its items at once (the applets' section names every applet's file): an item
  // found only through it is left out when another item of the list matches by its own fields.
  enum Via : char { kNone, kOwn, kHelp };
  std::vector<Via> how(findings_.size(), kNone);
  std::vector<bool> list_matched(bindings_.size(), false);
  const auto in = [](const std::string& text, const std::string& word) {
    return text.find(word) != std::string::npos;
  };
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    const Finding& f = findings_[i];
    // Each word is looked for once: in the finding's own fields, else in its help.
    how[i] = kOwn;
    for (const std::string& word : words) {
      if (in(f.folded, word)) continue;
      const bool helped = std::any_of(f.help.begin(), f.help.end(), [&](int s) {
        return in(help_[static_cast<std::size_t>(s)].words, word);
      });
      if (!helped) {
        how[i] = kNone;
        break;
      }
      how[i] = kHelp;
    }
    if (how[i] == kOwn && f.item >= 0) list_matched[f.binding] = true;
  }
  std::vector<int> found;
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    if (how[i] == kOwn || (how[i] == kHelp && !list_matched[findings_[i].binding])) {
      found.push_back(static_cast<int>(i));
    }
  }
  return found;
}

}  // namespace vireo::main
