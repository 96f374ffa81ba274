// Modal message boxes and the open-file and save-file dialogs.
#pragma once

#include <cstdint>
#include <string>

namespace vireo::platform {

// A window that owns a dialog, as the toolkit reports it; 0 is none.
using OwnerHandle = std::uintptr_t;

// The title of every message box the program shows.
inline constexpr char kMessageTitle[] = "Vireo";

enum class MessageStyle {
  kCriticalOk,        // an error or a missing file
  kQuestionYesNo,     // confirmation before an action
  kExclamationYesNo,  // confirmation before a full registry backup or restore
};

enum class Answer { kOk, kYes, kNo };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual Answer Show(OwnerHandle owner, const std::string& text, const std::string& title,
                      MessageStyle style) = 0;
};

// The platform file chooser. `filter_list` is already in the platform's form: pairs of
// description and pattern, each ended by a NUL, the whole list ended by one more NUL.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen file's full path, or empty when the user cancels.
  virtual std::string ChooseFileToOpen(OwnerHandle owner, const std::string& filter_list,
                                       const std::string& title) = 0;
  // The full path of the file to write, or empty when the user cancels. A name typed without an
  // extension gets `extension` (no dot); an existing file is replaced only when the user agrees.
  virtual std::string ChooseFileToSave(OwnerHandle owner, const std::string& filter_list,
                                       const std::string& title, const std::string& extension) = 0;
};

}  // namespace vireo::platform
