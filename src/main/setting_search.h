// The index of "Найти параметр...": one finding per registry-bound control of the pages, and
// one per item of a list whose items are settings each (an applet, a drive, an extension), made
// from the bindings (page.h) when the search window opens: the caption, the frame, the page, the
// paths the tooltip names and the words of the help, read from the widgets, the catalogue and
// the help's pages as the build found them, never from the registry. See docs/search.md.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "main/page.h"

namespace vireo::main {

struct Finding {
  std::size_t binding = 0;  // index into SettingIndex::bindings()
  int item = -1;            // the list's item, or -1 for the control itself
  int page = 0;
  std::string line{};    // what the result list shows: caption, page and registry entry
  std::string folded{};  // everything a word may match, in lower case
  // The help's sections about it, into SettingIndex's (kept once for all their findings).
  std::vector<int> help{};
};

class SettingIndex {
 public:
  explicit SettingIndex(std::vector<Binding> bindings);

  // The findings that every word of `query` occurs in, in the order of the pages and their
  // controls; every finding for a query without words.
  std::vector<int> Match(std::string_view query) const;

  int size() const { return static_cast<int>(findings_.size()); }
  const Finding& at(int i) const { return findings_.at(static_cast<std::size_t>(i)); }
  const Binding& binding(const Finding& f) const { return bindings_.at(f.binding); }

 private:
  void Add(std::size_t b, int item);

  std::vector<Binding> bindings_;
  std::vector<Finding> findings_;
  struct Section {
    std::string topic, heading, words;  // heading and words folded
  };
  std::vector<Section> help_;  // the sections of the pages' help topics
};

// A word of a query as it is looked for: in lower case (code page 1251), a root spelled out at
// its start (HKEY_CURRENT_USER\...) in its short form (hkcu\...).
std::string FoldWord(std::string_view word);

}  // namespace vireo::main
