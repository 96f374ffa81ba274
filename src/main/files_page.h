// The Files page (Frame15): the file type descriptions and the check settings of the context
// menu of any file, which the catalogue places in this page's frames.
#pragma once

#include "main/page.h"

namespace vireo::main {

class FilesPage : public Page {
 public:
  FilesPage(PageContext& context, ui::Frame& frame);
};

}  // namespace vireo::main
