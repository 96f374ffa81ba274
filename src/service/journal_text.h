// How a change reads: in the journal's window, in its log ("Vireo.log") and in the REGEDIT4 file
// that undoes a session.
#pragma once

#include <string>
#include <vector>

#include "service/journal.h"

namespace vireo::service {

// Readable forms, for the window and the log.
std::string RootName(platform::HKey root);
std::string TargetText(const Change& change);
std::string BeforeText(const Change& change);
std::string AfterText(const Change& change);

// What a merge of the REGEDIT4 text gives back: the registry as it was before every entry of
// `entries` (oldest first in the vector; the text undoes them newest first). Keys the entries
// created are deleted ("[-...]"), values they created deleted ("name"=-), the rest written back
// with their type and exact bytes. Profile lines and files are not registry data and are left out.
std::string UndoFileText(const std::vector<Entry>& entries);

}  // namespace vireo::service
