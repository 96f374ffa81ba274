// The catalogue-bound control arrays of the main window and the loops that configure and
// re-read them from the settings catalogue (the program's string table): the restriction boxes
// `chk`, the My Computer boxes `chkm`, the check settings `chka`, the choice setting `opt` and
// the text settings `txt`, with the main window's handlers for `chk`, `chkm` and `txt`.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/chk_advanced.h"
#include "controls/opt_select.h"
#include "controls/txt_label.h"
#include "main/page_frames.h"
#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::main {

class Catalogue {
 public:
  // Creates the arrays in their frames; `window` holds the template box chk(0), out of sight.
  Catalogue(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& window,
            PageFrames& frames);
  ~Catalogue();
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;

  // Start-up: captions, paths, types and pairs from the catalogue, then the states.
  void Configure();
  // Refresh: the pairs and options again, then the states and texts; no captions.
  void Reread();

  std::vector<std::unique_ptr<ui::CheckBox>> chk;  // 0 is the unused template
  std::vector<std::unique_ptr<ui::CheckBox>> chkm;
  std::vector<std::unique_ptr<controls::ChkAdvanced>> chka;
  std::vector<std::unique_ptr<controls::OptSelect>> opt;
  std::vector<std::unique_ptr<controls::TxtLabel>> txt;

 private:
  // The catalogue text of `id`; throws when the id does not exist, so that the assignment that
  // needs it is skipped.
  std::string String(int id);
  void ReadRestrictions();
  void ReadTexts();
  void ReadMyComputer();

  void chk_Click(int index);
  void chkm_Click(int index);
  void txt_Change(int index);

  platform::Platform& platform_;
};

}  // namespace vireo::main
