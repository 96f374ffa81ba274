// The user-setup export and its merge, the two "Сервис" commands "Сохранить пользовательскую
// настройку" (mnuServiceSetup) and "Восстановить пользовательскую настройку"
// (mnuServiceLoadSetup). The export reads "savereg.dat" from the program directory, one registry
// path per line, looks each value up and writes them all, in list order, into "Setup.reg" there in
// the REGEDIT4 import format; the restore hands that file to the registry editor.
//
// Failures of the export are shown as "Произошла ошибка №" n " при сохранении файла реестра.":
//   1  "savereg.dat" is there but cannot be read;
//   2  a line of the list names no value (fewer than two backslashes, an empty line included);
//   3  "Setup.reg" cannot be written;
//   4  a value of the list is there but cannot be read: access to it is denied, or it grew past
//      the size asked (a missing one gets its key line only, and so do a number stored in more
//      than four bytes and a root the system does not have).
// The whole file is made in memory and replaces "Setup.reg" in one step, so after any failure the
// previous "Setup.reg" is still there exactly as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "registry/reg_value.h"

namespace vireo::service {

inline constexpr char kListFile[] = "savereg.dat";
inline constexpr char kSetupFile[] = "Setup.reg";

// The messages of the two commands.
inline constexpr char kMissingList[] =
    "Файл savereg.dat отсутствует в каталоге программы.\r\n"
    "Сохранение пользовательской настройки невозможно.";
inline constexpr char kAskExport[] = "Вы действительно желаете сделать резервную копию реестра?";
inline constexpr char kMissingSetup[] =
    "Файл setup.reg отсутствует в каталоге программы.\r\n"
    "Вероятно, сохранение пользовательской настройки\r\n"
    "не производилось, следовательно, ее восстановление\r\n"
    "невозможно.";
inline constexpr char kAskRestore[] =
    "Вы действительно желаете восстановить пользовательскую настройку из файла setup.reg?";

// Failure numbers shown in the export's error message, FailureText.
enum ExportError : int {
  kListUnreadable = 1,
  kMalformedLine = 2,
  kSetupUnwritable = 3,
  kValueUnreadable = 4,
};

// A list line split at its first and its last backslash.
struct ListLine {
  std::string root;  // as written in the list
  std::string key;   // may itself hold backslashes
  std::string name;  // "" is the key's default value
};
// False when the line holds fewer than two backslashes.
bool SplitListLine(std::string_view line, ListLine* out);

// The lines of the list file: each ends with CR LF (a bare LF is taken as well); a last line
// without its line end counts, an empty text after the last line end does not.
std::vector<std::string> ListLines(const std::string& text);

// "HKCU" gives "HKEY_CURRENT_USER", and so on for the seven short roots; any other text (lower
// case, a long form) stays as it is.
std::string LongRoot(std::string_view root);

// The text after "=" of a value line for what the registry read gave (see ValueData in
// regedit4_text.h): a string with its closing NUL, the bytes of binary data, the four bytes of a
// number; empty (no value line) when nothing was read or the value's type is none of these.
std::string DataText(const registry::RegValue& value);

// One record: the key line "[" long root "\" key "]" and, when `data_text` is not empty, the value
// line (ValueLine in regedit4_text.h).
std::string Record(const ListLine& line, const std::string& data_text);

// What an export of `list` gives: the whole text of "Setup.reg", or false with the failure number
// in `*error` when a line is malformed or a value cannot be read. Reads the registry only, one
// value per line.
bool ExportText(platform::Registry& registry, const std::string& list, std::string* text,
                int* error);

// "Произошла ошибка №" `number` " при сохранении файла реестра." and what to do about it.
std::string FailureText(int number);

// mnuServiceSetup: asks first; writes "Setup.reg" or shows why it could not.
void ExportSetup(platform::Platform& platform, platform::OwnerHandle owner);

// mnuServiceLoadSetup: asks first, then hands "setup.reg" to the shell to open. Where the shell
// has no open action for registry files, the registry editor of the Windows directory is started
// with the file instead, so that the merge still happens.
void RestoreSetup(platform::Platform& platform, platform::OwnerHandle owner);

}  // namespace vireo::service
