// The open-file dialog with its three settings. The settings are kept between calls: a caller
// that sets nothing gets the filter, owner and title of the last caller that did.
#pragma once

#include <string>

#include "platform/dialogs.h"

namespace vireo::platform {

// "Описание|*.ext|..." becomes "Описание\0*.ext\0...\0\0".
std::string MakeFilterList(const std::string& filter);

// Trims the blanks at both ends, as the dialog's result is trimmed.
std::string TrimBlanks(const std::string& text);

class OpenFileDialog {
 public:
  explicit OpenFileDialog(FileChooser& chooser) : chooser_(chooser) {}

  std::string filter;
  OwnerHandle owner = 0;
  std::string title;

  // The full path of the chosen file, or empty when the user cancels.
  std::string Show();
  // The chooser behind the dialog, for the save-file dialog.
  FileChooser& chooser() { return chooser_; }

 private:
  FileChooser& chooser_;
};

}  // namespace vireo::platform
