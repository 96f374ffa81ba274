// The catalogue-bound control arrays of the main window and the loops that configure and
// re-read them from the settings catalogue (the program's string table): the restriction boxes
// `chk`, the My Computer boxes `chkm`, the check settings `chka`, the choice setting `opt` and
// the text settings `txt`, with the main window's handlers for `chk`, `chkm` and `txt`.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/chk_advanced.h"
#include "controls/opt_select.h"
#include "controls/txt_label.h"
#include "main/page.h"
#include "main/page_table.h"
#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::main {

// The catalogue is the first part of the start-up and refresh sequences.
class Catalogue : public PagePart {
 public:
  // Creates the arrays in their frames, which it finds through the pages; `window` holds the
  // template box chk(0), out of sight.
  Catalogue(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& window,
            const std::array<Page*, kPageCount>& pages);
  ~Catalogue();
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;

  // Start-up: captions, paths, types and pairs from the catalogue, then the states.
  void Configure();
  void Load() override { Configure(); }
  void Refresh(Reading) override { Reread(); }
  // Refresh: the pairs and options again, then the states and texts; no captions.
  void Reread();
  // A page came to the front: the settings on it are read again as the refresh reads them.
  void RereadPage(PageId page);
  // The one element that catalogue entry `id` belongs to, configured as at start-up and then
  // re-read as a refresh re-reads it; nothing when no element of the arrays uses the id. A
  // change of a single entry is tried this way without the whole catalogue.
  void ConfigureEntry(int id);
  // The search's bindings of the elements (see Binding), each with its page; made when asked,
  // from the catalogue's paths, without reading the registry.
  std::vector<Binding> Bindings();

  std::vector<std::unique_ptr<ui::CheckBox>> chk;  // 0 is the unused template
  std::vector<std::unique_ptr<ui::CheckBox>> chkm;
  std::vector<std::unique_ptr<controls::ChkAdvanced>> chka;
  std::vector<std::unique_ptr<controls::OptSelect>> opt;
  std::vector<std::unique_ptr<controls::TxtLabel>> txt;

 private:
  // The catalogue text of `id`; throws when the id does not exist, so that the assignment that
  // needs it is skipped.
  std::string String(int id);
  // The frame of `group`; notes the page that holds it in `pages`.
  ui::Container& Frame(Group group, std::vector<int>* pages);
  // One element each: start-up's configuration, and what a refresh does again.
  void ConfigureCheck(size_t i);
  void ConfigureChoice(size_t i);
  void ConfigureRestriction(size_t i);
  void ConfigureText(size_t i);
  void ConfigureMyComputer(size_t i);
  void RereadCheck(size_t i);
  void RereadChoice(size_t i);
  void ReadRestrictionBox(size_t i);
  void ReadTextSetting(size_t i);
  void ReadMyComputerBox(size_t i);
  // Every element, or those on page `page` only.
  void ReadRestrictions(int page = -1);
  void ReadTexts(int page = -1);
  void ReadMyComputer(int page = -1);

  // The paths that text setting `index` writes: its entry split at the "|".
  std::vector<std::string> TextPaths(int index);

  void chk_Click(int index);
  void chkm_Click(int index);
  void txt_Change(int index);

  platform::Platform& platform_;
  std::array<Page*, kPageCount> pages_;
  // The page of each element, as an index into pages_ (-1 for the template box).
  std::vector<int> chk_page_, chka_page_, opt_page_, txt_page_, chkm_page_;
};

}  // namespace vireo::main
