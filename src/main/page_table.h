// The table of pages (resources/pages.def) as the program reads it: the page ids, each page's
// factory, and what the shell shows for it. The main window makes its left bar, its page frames
// and its pages from this table alone.
#pragma once

#include <iterator>
#include <memory>

#include "main/page.h"
#include "ui/toolkit.h"

namespace vireo::main {

// The pages, in the order of their buttons from top to bottom.
enum class PageId {
#define VIREO_PAGE(id, ...) id,
#include "pages.def"
#undef VIREO_PAGE
};

// Each page's factory, defined in the page's own file.
#define VIREO_PAGE(id, factory, ...) \
  std::unique_ptr<Page> factory(PageContext& context, ui::Frame& frame);
#include "pages.def"
#undef VIREO_PAGE

struct PageEntry {
  PageId id;
  std::unique_ptr<Page> (*make)(PageContext& context, ui::Frame& frame);
  int icon_id;          // the button's icon
  const char* caption;  // the button's caption
  const char* title;    // the title bar over the page
  const char* help;     // the page's help topic
};

inline constexpr PageEntry kPages[] = {
#define VIREO_PAGE(id, factory, icon, icon_file, caption, title, help) \
  {PageId::id, &factory, icon, caption, title, help},
#include "pages.def"
#undef VIREO_PAGE
};
inline constexpr int kPageCount = static_cast<int>(std::size(kPages));

}  // namespace vireo::main
