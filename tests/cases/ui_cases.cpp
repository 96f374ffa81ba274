// What the rows share (ui_cases.h); the rows are in ui_rows.cpp.
#include "cases/ui_cases.h"

#include <cstdio>

#include "resource.h"

namespace vireo::cases {

namespace {

// "Explorer: toggle 1301 item 25; NoDrives number 00 00 00 02".
std::string Name(const UiCase& row) {
  static const char* const kPages[] = {"Control Panel", "Explorer", "Active Desktop", "Folders",
                                       "Files"};
  const Action& a = row.action;
  std::string name = kPages[static_cast<int>(row.page)] + std::string(": ") + ActName(a.act);
  if (a.control != 0) name += " " + std::to_string(a.control);
  if (a.act == kChoose || a.act == kToggle || a.act == kStep)
    name += " item " + std::to_string(a.item);
  if (a.act == kType) name += " \"" + a.text + "\"";
  for (const Value& value : a.act == kStart ? row.before : row.after) {
    name += "; " + value.path.substr(value.path.rfind('\\', value.path.size() - 2) + 1) + " " +
            Describe(value.stored);
  }
  return name + (row.keeps ? "; not read" : "") + (row.refuses.empty() ? "" : "; refused");
}

// Whether `path` lies in the key `key_path` (ending in a backslash) or below, in any letter case.
bool Below(const std::string& path, const std::string& key_path) {
  return Upper(path.substr(0, key_path.size())) == Upper(key_path);
}

// The page a reading brings to the front in between.
Page OtherPage(Page page) {
  return page == Page::kExplorer ? Page::kFiles : Page::kExplorer;
}

}  // namespace

std::string Upper(std::string text) {
  for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  return text;
}

const char* ActName(Act act) {
  static const char* const kActs[] = {"",          "start-up", "refresh", "page switch",
                                      "away",      "click",    "choose",  "type",
                                      "backspace", "toggle",   "step"};
  return kActs[act];
}

Stored None() {
  return {};
}
Stored Gone() {
  return {Stored::kNoKey};
}
Stored Txt(std::string text) {
  return {Stored::kText, std::move(text)};
}
Stored Num(std::uint32_t number) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
  return {Stored::kNumber, bytes};
}
Stored Bin(std::initializer_list<unsigned char> bytes) {
  return {Stored::kBinary, std::string(bytes.begin(), bytes.end())};
}

std::string Describe(const Stored& value) {
  if (value.kind <= Stored::kNoKey) return value.kind == Stored::kAbsent ? "nothing" : "no key";
  if (value.kind == Stored::kText) return "text \"" + value.data + "\"";
  std::string out = value.kind == Stored::kNumber ? "number" : "binary";
  for (const char c : value.data) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(c));
    out += hex;
  }
  return out;
}

bool Matches(const Stored& found, const Stored& wanted) {
  return wanted.kind == Stored::kAbsent ? found.kind <= Stored::kNoKey : found == wanted;
}

std::vector<UiCase> UiCases() {
  std::vector<UiCase> rows;
  for (UiCase& row : Rows()) {
    row.name = Name(row);
    rows.push_back(row);
    if (row.mirror == kNone) continue;
    // The reading of what the action stored shows what the action left.
    UiCase fill = std::move(row);
    fill.action = {fill.mirror};
    if (fill.mirror == kStart) {
      fill.before.insert(fill.before.end(), fill.after.begin(), fill.after.end());
      fill.after.clear();
    }
    fill.mirror = kNone;
    fill.name = Name(fill);
    rows.push_back(std::move(fill));
  }
  return rows;
}

std::string Expand(const std::string& text, const std::string& windows, const std::string& system) {
  std::string out = text;
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"%WINDOWS_UPPER%", Upper(windows)},
        {"%WINDOWS%", windows},
        {"%SYSTEM%", system}}) {
    for (auto at = out.find(from); at != std::string::npos; at = out.find(from, at + to.size()))
      out.replace(at, from.size(), to);
  }
  return out;
}

std::string IniKey(const std::string& path) {
  return path.rfind(kIniPrefix, 0) == 0 ? path.substr(sizeof kIniPrefix - 1) : "";
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

bool NeedsStart(const UiCase& row) {
  if (row.action.act == kStart || row.keeps || !row.file.empty()) return true;
  std::vector<int> controls = {row.action.control};
  for (const Shown& shown : row.shows) controls.push_back(shown.control);
  for (const int control : controls) {
    for (const int id :
         {IDC_APPLETS_LIST, IDC_ICON_SIZE_SPIN, IDC_ICON_SIZE_VALUE, IDC_ICON_SIZE_DEFAULT,
          IDC_SPECIAL_FOLDER_LIST, IDC_SPECIAL_FOLDER_PATH, IDC_TWO_PANE}) {
      if (control == id) return true;
    }
  }
  return false;
}

int PageButton(Page page) {
  return IDC_PAGE_BUTTON_FIRST + static_cast<int>(page);
}

Stored Side::Expanded(Stored value) {
  if (value.kind == Stored::kText) value.data = Expand(value.data);
  return value;
}

std::vector<Value> Side::Snapshot(const std::vector<std::string>& paths) {
  std::vector<Value> values;
  for (const std::string& path : paths) values.push_back({path, Read(path)});
  return values;
}

std::string Side::Check(const UiCase& row, std::vector<Value> expected, bool tips) {
  std::string wrong;
  const Act act = row.action.act;
  if (act == kRefresh || act == kPageSwitch || act == kAway) {
    if (act == kPageSwitch) ToFront(OtherPage(row.page));
    const std::string first = Show(row.shows.at(0));
    if ((first == Expand(row.shows[0].text)) != row.keeps) wrong += "; beforehand " + first;
    if (!Store(row.after)) wrong += "; the values from outside were not stored";
    if (!(act == kRefresh ? Refresh() : ToFront(act == kAway ? OtherPage(row.page) : row.page)))
      wrong += "; no answer";
  } else if (act != kStart) {
    for (const Value& value : row.after) {
      if (Matches(Read(value.path), Expanded(value.stored)))
        wrong += "; beforehand " + value.path + " holds it already";
    }
    if (!Perform(row.action)) wrong += "; the program did not take the action";
  }
  for (Value& want : expected) {
    if (want.stored == Gone()) want.stored = None();  // a key that the program may make
    for (const Value& value : row.after) {
      if (Upper(want.path) == Upper(value.path))
        want.stored = Expanded(value.stored);
      else if (value.stored == Gone() && Below(want.path, value.path))
        want.stored = None();
    }
    if (const Stored found = Read(want.path); !Matches(found, want.stored))
      wrong += "; " + want.path + " holds " + Describe(found) + ", not " + Describe(want.stored);
  }
  for (const Shown& shown : row.shows) {
    const std::string found = Show(shown), text = Expand(shown.text);
    if ((tips || !shown.tip) && found != text) {
      wrong += "; control " + std::to_string(shown.control) + " " + std::to_string(shown.item) +
               " shows \"" + found + "\", not \"" + text + "\"";
    }
  }
  return wrong;
}

}  // namespace vireo::cases
