// What the rows share: values, actions, what controls show, the mirrored fills, the placeholders
// and the paths. The rows themselves are in ui_rows.cpp and ui_rows_files.cpp.
#include "cases/ui_cases.h"

#include <cstdio>

#include "resource.h"

namespace vireo::cases {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

void ReplaceAll(std::string* text, const std::string& from, const std::string& to) {
  for (auto at = text->find(from); at != std::string::npos; at = text->find(from, at + to.size()))
    text->replace(at, from.size(), to);
}

}  // namespace

Stored Absent() {
  return {};
}
Stored NoKey() {
  return {Stored::kNoKey, ""};
}
Stored Text(std::string text) {
  return {Stored::kText, std::move(text)};
}
Stored Number(std::uint32_t number) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
  return {Stored::kNumber, bytes};
}
Stored Binary(std::initializer_list<unsigned char> bytes) {
  return {Stored::kBinary, std::string(bytes.begin(), bytes.end())};
}

std::string Describe(const Stored& value) {
  switch (value.kind) {
    case Stored::kAbsent:
      return "nothing";
    case Stored::kNoKey:
      return "no key";
    case Stored::kText:
      return "text \"" + value.data + "\"";
    default:
      break;
  }
  std::string out = value.kind == Stored::kNumber ? "number" : "binary";
  for (const char c : value.data) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(c));
    out += hex;
  }
  return out;
}

bool IsReading(Act act) {
  return act == Act::kStart || act == Act::kRefresh || act == Act::kPageSwitch;
}

Shown Ticked(int control, int item) {
  return {control, item, "ticked"};
}
Shown Cleared(int control, int item) {
  return {control, item, "cleared"};
}
Shown Shows(int control, std::string text) {
  return {control, -1, std::move(text)};
}

Action Click(int control) {
  return {Act::kClick, control};
}
Action Choose(int control, int item) {
  return {Act::kChoose, control, item};
}
Action Type(int control, std::string text) {
  return {Act::kType, control, 0, std::move(text)};
}
Action Backspace(int control, int count) {
  return {Act::kBackspace, control, count};
}
Action Toggle(int control, int item) {
  return {Act::kToggle, control, item};
}
Action Step(int control, int delta) {
  return {Act::kStep, control, delta};
}
Action Reading(Act act) {
  return {act};
}

UiCase Row(Page page, std::string name, Action action, std::vector<Value> before,
           std::vector<Value> after, std::vector<Shown> shows, Act mirror) {
  UiCase row;
  row.name = std::move(name);
  row.page = page;
  row.act = action.act;
  row.control = action.control;
  row.item = action.item;
  row.text = std::move(action.text);
  row.before = std::move(before);
  row.after = std::move(after);
  row.shows = std::move(shows);
  row.mirror = mirror;
  return row;
}

std::vector<UiCase> UiCases() {
  std::vector<UiCase> rows;
  for (auto* page : {&ControlPanelRows, &ExplorerRows, &DesktopRows, &FoldersRows, &FilesRows}) {
    for (UiCase& row : (*page)()) {
      if (row.mirror != Act::kNone) {
        // The fill that reads what the action stored shows what the action left.
        UiCase fill = row;
        fill.act = row.mirror;
        fill.control = 0;
        fill.mirror = Act::kNone;
        fill.name += row.mirror == Act::kStart     ? ", as start-up reads it"
                     : row.mirror == Act::kRefresh ? ", as the refresh reads it"
                                                   : ", as a page switch reads it";
        if (row.mirror == Act::kStart) {
          fill.before.insert(fill.before.end(), row.after.begin(), row.after.end());
          fill.after.clear();
        }
        rows.push_back(row);
        rows.push_back(std::move(fill));
      } else {
        rows.push_back(std::move(row));
      }
    }
  }
  return rows;
}

std::string Expand(const std::string& text, const std::string& windows, const std::string& system) {
  std::string out = text;
  ReplaceAll(&out, "%WINDOWS_UPPER%", Upper(windows));
  ReplaceAll(&out, "%WINDOWS%", windows);
  ReplaceAll(&out, "%SYSTEM%", system);
  return out;
}

bool SplitPath(const std::string& path, RegPath* out) {
  if (!IniKey(path).empty()) return false;
  const auto first = path.find('\\');
  const auto last = path.rfind('\\');
  if (first == std::string::npos) return false;
  out->root = path.substr(0, first);
  out->key = first == last ? "" : path.substr(first + 1, last - first - 1);
  out->name = path.substr(last + 1);
  return true;
}

std::string IniKey(const std::string& path) {
  const std::string prefix = kIniPrefix;
  return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : "";
}

bool Below(const std::string& path, const std::string& key_path) {
  return path.size() >= key_path.size() &&
         Upper(path.substr(0, key_path.size())) == Upper(key_path);
}

bool NeedsStart(const UiCase& row) {
  if (row.act == Act::kStart || row.keeps || !row.file.empty()) return true;
  auto start_up_only = [](int control) {
    for (const int id : {IDC_LST_APPLETS, IDC_VSCROLL1, IDC_LABEL3, IDC_COMMAND1, IDC_CMB_FOLDER,
                         IDC_TXT_PATH, IDC_CHECK1}) {
      if (control == id) return true;
    }
    return false;
  };
  bool found = start_up_only(row.control);
  for (const Shown& shown : row.shows) found = found || start_up_only(shown.control);
  return found;
}

std::vector<std::string> WatchedPaths(const std::vector<UiCase>& rows) {
  std::vector<std::string> paths;
  for (const UiCase& row : rows) {
    for (const auto* values : {&row.before, &row.after}) {
      for (const Value& value : *values) {
        bool known = false;
        for (const std::string& path : paths) known = known || Upper(path) == Upper(value.path);
        if (!known) paths.push_back(value.path);
      }
    }
  }
  return paths;
}

}  // namespace vireo::cases
