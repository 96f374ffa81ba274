// The Files page (Frame15): the file type descriptions and the check settings of the context
// menu of any file, which the catalogue places in this page's frames, and the file-type controls
// of its own: the quick-view and open-with boxes of any file and the unknown-files frame.
#pragma once

#include <memory>

#include "main/file_types.h"
#include "main/page.h"

namespace vireo::main {

class FilesPage : public Page {
 public:
  FilesPage(PageContext& context, ui::Frame& frame);
  AnyFileOptions& any_file_options() { return *any_file_; }
  UnknownFiles& unknown_files() { return *unknown_; }

 private:
  std::unique_ptr<AnyFileOptions> any_file_;
  std::unique_ptr<UnknownFiles> unknown_;
};

}  // namespace vireo::main
