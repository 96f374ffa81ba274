// make_help <sources> <out>: writes the HTML Help project of Vireo.chm into <out> from the
// hand-written pages in <sources> (resources/help).
//
// The settings that the catalogue configures are never typed into the pages. A page marks the
// place of a group of settings with <!-- settings NAME --> (NAME is the frame's design name,
// such as Frame10) and the launch menus with <!-- menu programs --> and <!-- menu applets -->;
// this tool fills them in from the program itself: it builds the main window on the stand-ins
// and the headless toolkit, takes every catalogue control's frame, page and row from the window,
// and its caption, registry path and values from the catalogue (the same strings.rc that the
// Windows build compiles). A group of settings without its marker, a marker of a frame that is
// not on that page, or a marker used twice fails the build, so that no setting goes missing.
//
// <sources>/contents lists the topics in the order of the table of contents (two leading blanks
// nest a topic under the one above); "[pages]" stands for the pages' topics, in the order of the
// table of pages (resources/pages.def). Each topic's <title> names it in the contents and the
// index; <meta name="keywords" content="a;b"> adds index entries, as does every frame and setting.
// The output is UTF-8, like the sources; the build script converts it to code page 1251.
// Exit status 0 on success; 1 with a message on stderr.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue_ids.h"
#include "main/main_window.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standin_bundle.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "resource.h"
#include "ui/headless/headless.h"

namespace {

namespace fs = std::filesystem;
namespace ids = vireo::catalogue;
using vireo::main::Group;
using vireo::ui::headless::Kind;
using vireo::ui::headless::Node;

struct GroupName {
  Group group;
  const char* name;
};
constexpr GroupName kGroupNames[] = {
    {Group::kSystemOption, "SystemOption"},
    {Group::kScreenOption, "ScreenOption"},
    {Group::kPasswordOption, "PasswordOption"},
    {Group::kPrinterOption, "PrinterOption"},
    {Group::kNetworkOption, "NetworkOption"},
    {Group::kFrame10, "Frame10"},
    {Group::kFrame12, "Frame12"},
    {Group::kFrame13, "Frame13"},
    {Group::kFrame2, "Frame2"},
    {Group::kFrame3, "Frame3"},
    {Group::kFrame5, "Frame5"},
    {Group::kFrame7, "Frame7"},
    {Group::kFrame8, "Frame8"},
    {Group::kFrame1, "Frame1"},
    {Group::kFrame16, "Frame16"},
    {Group::kFrame20, "Frame20"},
};
static_assert(std::size(kGroupNames) == vireo::main::kGroupCount);

enum class Array { kChk, kChkm, kChka, kOpt, kTxt };

// One catalogue-bound control, where the window shows it.
struct Setting {
  Array array;
  int index;
  const Node* node;
};

class Catalogue {
 public:
  std::string Text(int id) {
    std::string text;
    if (!strings_.Load(id, &text)) {
      throw std::runtime_error("the catalogue has no string " + std::to_string(id));
    }
    return text;
  }
  bool Has(int id) {
    std::string text;
    return strings_.Load(id, &text);
  }

 private:
  vireo::platform::TableStrings strings_;
};

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = text.find(separator, start);
    parts.push_back(text.substr(start, bar - start));
    if (bar == std::string::npos) return parts;
    start = bar + 1;
  }
}

std::string Code(const std::string& text) {
  return "<code>" + Escape(text) + "</code>";
}

// A value as the registry receives it, with its type: the catalogue's type code 1, 3 or 4.
std::string Data(const std::string& entry, int type) {
  if (type == 3) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < entry.size(); i += 2) {
      if (!bytes.empty()) bytes += ' ';
      bytes += entry.substr(i, 2);
    }
    return Code(bytes) + " (двоичный)";
  }
  if (type == 4) return Code(entry) + " (DWORD)";
  return "строка " + Code(entry);
}

std::string Entry(const std::string& entry, int type, const std::string& path) {
  if (entry == "-") {
    return path.ends_with('\\') ? "раздел удаляется со всем содержимым" : "параметр удаляется";
  }
  return path.ends_with('\\') ? "значение по умолчанию раздела — " + Data(entry, type)
                              : Data(entry, type);
}

class Generator {
 public:
  Generator(vireo::main::MainWindow& window, Node& root) : window_(window), root_(root) {}

  void Run(const fs::path& sources, const fs::path& out);

 private:
  std::string Anchor(const Setting& s) const;
  std::string Caption(const Setting& s);
  std::string Row(const Setting& s);
  std::string Section(const std::string& group, const std::vector<Setting>& settings);
  std::string Menu(const std::string& which);
  std::string Fill(const std::string& file, const std::string& text, int page);
  void Collect();
  const Node& Find(int id) const;
  void AddKeyword(const std::string& word, const std::string& target) {
    index_[word].insert(target);
  }

  vireo::main::MainWindow& window_;
  Node& root_;
  Catalogue catalogue_;
  // The settings of each group, by design name, top to bottom; the page of each group.
  std::map<std::string, std::vector<Setting>> groups_;
  std::map<std::string, int> group_page_;
  std::map<std::string, std::set<std::string>> index_;
};

const Node& Generator::Find(int id) const {
  const Node* node = root_.FindId(id);
  if (node == nullptr) throw std::runtime_error("the window has no control " + std::to_string(id));
  return *node;
}

void Generator::Collect() {
  std::vector<Setting> all;
  auto add = [&](Array array, int first_id, int from, int count) {
    for (int i = from; i < from + count; ++i) all.push_back({array, i, &Find(first_id + i)});
  };
  add(Array::kChk, IDC_RESTRICTION_FIRST, 1, ids::kRestrictionCount);
  add(Array::kChkm, IDC_MY_COMPUTER_FIRST, 0, ids::kMyComputerCount);
  add(Array::kChka, IDC_CHECK_SETTING_FIRST, 0, ids::kCheckCount);
  add(Array::kOpt, IDC_CHOICE_SETTING_FIRST, 0, ids::kChoiceCount);
  add(Array::kTxt, IDC_TEXT_SETTING_FIRST, 0, ids::kTextCount);

  for (const Setting& s : all) {
    std::string name;
    for (int p = 0; p < vireo::main::kPageCount && name.empty(); ++p) {
      const vireo::main::Page& page = window_.page(vireo::main::kPages[p].id);
      for (const GroupName& g : kGroupNames) {
        auto* frame = dynamic_cast<const Node*>(page.GroupFrame(g.group));
        if (frame != nullptr && frame == s.node->parent()) {
          name = g.name;
          group_page_[name] = p;
        }
      }
    }
    if (name.empty()) {
      throw std::runtime_error("control " + std::to_string(s.node->id()) + " is in no group");
    }
    groups_[name].push_back(s);
  }
  for (auto& [name, settings] : groups_) {
    std::stable_sort(settings.begin(), settings.end(), [](const Setting& a, const Setting& b) {
      return a.node->rect().y < b.node->rect().y;
    });
  }
}

std::string Generator::Anchor(const Setting& s) const {
  static constexpr const char* kNames[] = {"chk", "chkm", "chka", "opt", "txt"};
  return std::string(kNames[static_cast<int>(s.array)]) + std::to_string(s.index);
}

std::string Generator::Caption(const Setting& s) {
  switch (s.array) {
    case Array::kChk:
      return catalogue_.Text(ids::kIdsRestrictionCaption + s.index);
    case Array::kChkm:
      return catalogue_.Text(ids::kIdsMyComputerCaption + s.index);
    case Array::kChka:
      return catalogue_.Text(ids::kIdsCheckCaption + s.index);
    case Array::kOpt:
      return catalogue_.Text(ids::kIdsChoiceCaption + s.index);
    case Array::kTxt:
      return catalogue_.Text(ids::kIdsTextCaption + s.index);
  }
  return {};
}

// A table row: the caption, the registry path(s), what is written.
std::string Generator::Row(const Setting& s) {
  const int i = s.index;
  std::string paths;
  std::string writes;
  switch (s.array) {
    case Array::kChk: {
      paths = Code(catalogue_.Text(ids::kIdsRestrictionPath + i));
      writes = "флажок снят: " + Data("1", 4) +
               ", элемент скрыт или запрещён;<br>"
               "флажок установлен: параметр удаляется, элемент виден или разрешён";
      break;
    }
    case Array::kChkm: {
      const std::string key = catalogue_.Text(ids::kIdsMyComputerKey + i);
      paths = Code(key);
      writes =
          "флажок установлен: раздел создаётся, его значение по умолчанию — пустая строка;"
          "<br>флажок снят: раздел удаляется со всем содержимым";
      break;
    }
    case Array::kChka: {
      const std::string key = catalogue_.Text(ids::kIdsCheckKey + i);
      const int type = std::stoi(catalogue_.Text(ids::kIdsCheckType + i));
      const auto pair = Split(catalogue_.Text(ids::kIdsCheckValues + i), '|');
      if (pair.size() != 2) throw std::runtime_error("a value pair without two entries");
      const int shown = std::stoi(catalogue_.Text(ids::kIdsCheckDefault + i)) == 0 ? 0 : 1;
      // An absent value matches the other entry when that entry is 0 or the empty text.
      const std::string& other = pair[1 - shown];
      const bool absent_is_other = (type == 4 && other == "0") || (type == 1 && other.empty());
      const int absent = absent_is_other ? 1 - shown : shown;
      paths = Code(key);
      writes = "флажок установлен: " + Entry(pair[1], type, key) +
               ";<br>флажок снят: " + Entry(pair[0], type, key) +
               ".<br>Если значения нет, флажок " + (absent == 1 ? "установлен." : "снят.");
      break;
    }
    case Array::kOpt: {
      const std::string key = catalogue_.Text(ids::kIdsChoiceKey + i);
      const int type = std::stoi(catalogue_.Text(ids::kIdsChoiceType + i));
      const auto values = Split(catalogue_.Text(ids::kIdsChoiceValues + i), '|');
      const auto options = Split(catalogue_.Text(ids::kIdsChoiceOptions + i), '|');
      paths = Code(key);
      for (std::size_t k = 0; k < values.size() && k < options.size(); ++k) {
        if (k > 0) writes += ";<br>";
        writes += "«" + Escape(options[k]) + "»: " + Data(values[k], type);
      }
      break;
    }
    case Array::kTxt: {
      const auto list = Split(catalogue_.Text(ids::kIdsTextPath + i), '|');
      for (const std::string& path : list) {
        if (!paths.empty()) paths += "<br>";
        paths += Code(path);
      }
      writes = list.size() > 1 ? "текст поля (строка) записывается в оба значения; поле "
                                 "показывает первое"
                               : "текст поля (строка)";
      writes += ". Пустое поле записывает пустую строку.";
      break;
    }
  }
  return "<tr><td><a name=\"" + Anchor(s) + "\"></a>" + Escape(Caption(s)) + "</td><td>" + paths +
         "</td><td>" + writes + "</td></tr>\n";
}

std::string Generator::Section(const std::string& group, const std::vector<Setting>& settings) {
  const std::string caption = settings.front().node->parent()->text();
  std::string html = "<h2><a name=\"" + group + "\"></a>" + Escape(caption) + "</h2>\n";
  html +=
      "<table class=\"settings\">\n<tr><th>Параметр</th><th>Реестр</th>"
      "<th>Что записывается</th></tr>\n";
  for (const Setting& s : settings) html += Row(s);
  return html + "</table>\n";
}

// The entries of a launch menu, from its string-table block.
std::string Generator::Menu(const std::string& which) {
  const bool programs = which == "programs";
  const int base = programs ? ids::kIdsProgramsMenu : ids::kIdsAppletsMenu;
  std::string html =
      "<table class=\"settings\">\n<tr><th>Пункт меню</th><th>Что запускает</th>"
      "</tr>\n";
  for (int i = 1; catalogue_.Has(base + i); ++i) {
    const std::string entry = catalogue_.Text(base + i);
    const std::size_t bar = entry.find('|');
    if (bar == std::string::npos) throw std::runtime_error("a menu entry without \"|\"");
    const std::string caption = entry.substr(bar + 1);
    if (caption == "-") {
      html += "<tr><td colspan=\"2\" class=\"separator\">разделитель</td></tr>\n";
      continue;
    }
    std::string runs;
    if (programs) {
      const std::string folder = entry[0] == '1' ? "папки Windows" : "системной папки Windows";
      runs = Code(entry.substr(1, bar - 1) + ".exe") + " из " + folder;
    } else {
      runs = "Панель управления с апплетом " + Code(entry.substr(0, bar) + ".cpl") +
             " из системной папки Windows";
    }
    html += "<tr><td>" + Escape(caption) + "</td><td>" + runs + "</td></tr>\n";
  }
  return html + "</table>\n";
}

// Replaces the markers of `text` (the file `file`, page `page` or -1) with what they stand for.
std::string Generator::Fill(const std::string& file, const std::string& text, int page) {
  static const std::string kOpen = "<!-- ";
  std::string out;
  std::size_t at = 0;
  for (;;) {
    const std::size_t start = text.find(kOpen, at);
    if (start == std::string::npos) break;
    const std::size_t end = text.find(" -->", start);
    if (end == std::string::npos) throw std::runtime_error(file + ": an unclosed comment");
    out += text.substr(at, start - at);
    const auto words = Split(text.substr(start + kOpen.size(), end - start - kOpen.size()), ' ');
    at = end + 4;
    if (words.size() == 2 && words[0] == "settings") {
      auto found = groups_.find(words[1]);
      if (found == groups_.end() || group_page_[words[1]] != page) {
        throw std::runtime_error(file + ": no settings of " + words[1] + " on this page");
      }
      out += Section(words[1], found->second);
      for (const Setting& s : found->second) AddKeyword(Caption(s), file + "#" + Anchor(s));
      AddKeyword(found->second.front().node->parent()->text(), file + "#" + words[1]);
      groups_.erase(found);
    } else if (words.size() == 2 && words[0] == "menu" &&
               (words[1] == "programs" || words[1] == "applets")) {
      out += Menu(words[1]);
    } else {
      out += text.substr(start, at - start);  // an ordinary comment
    }
  }
  return out + text.substr(at);
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  const std::size_t start = text.find(open);
  if (start == std::string::npos) return {};
  const std::size_t end = text.find(close, start + open.size());
  if (end == std::string::npos) return {};
  return text.substr(start + open.size(), end - start - open.size());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Object(const std::string& name, const std::string& local) {
  return "<OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"" + Escape(name) +
         "\">\n<param name=\"Local\" value=\"" + local + "\">\n</OBJECT>\n";
}

void Generator::Run(const fs::path& sources, const fs::path& out) {
  Collect();
  fs::create_directories(out);

  // The topics, in the order of the contents, with their depth.
  std::vector<std::pair<std::string, int>> topics;
  std::istringstream contents(ReadFile(sources / "contents"));
  for (std::string line; std::getline(contents, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t name = line.find_first_not_of(' ');
    if (name == std::string::npos) continue;
    const int level = static_cast<int>(name / 2);
    if (line.substr(name) == "[pages]") {
      for (const vireo::main::PageEntry& entry : vireo::main::kPages) {
        topics.emplace_back(entry.help, level);
      }
    } else {
      topics.emplace_back(line.substr(name), level);
    }
  }

  std::string hhc = "<HTML>\n<BODY>\n<UL>\n";
  int depth = 0;
  std::vector<std::string> files;
  std::map<std::string, std::string> titles;  // of each topic file
  for (const auto& [file, level] : topics) {
    std::string text = ReadFile(sources / file);
    int page = -1;
    for (int p = 0; p < vireo::main::kPageCount; ++p) {
      if (file == vireo::main::kPages[p].help) page = p;
    }
    text = Fill(file, text, page);
    WriteFile(out / file, text);
    files.push_back(file);

    const std::string title = Between(text, "<title>", "</title>");
    if (title.empty()) throw std::runtime_error(file + " has no <title>");
    titles[file] = title;
    AddKeyword(title, file);
    for (const std::string& word :
         Split(Between(text, "<meta name=\"keywords\" content=\"", "\""), ';')) {
      if (!word.empty()) AddKeyword(word, file);
    }
    for (; depth < level; ++depth) hhc += "<UL>\n";
    for (; depth > level; --depth) hhc += "</UL>\n";
    hhc += "<LI> " + Object(title, file);
  }
  for (; depth > 0; --depth) hhc += "</UL>\n";
  hhc += "</UL>\n</BODY>\n</HTML>\n";
  if (!groups_.empty()) {
    throw std::runtime_error("no page shows the settings of " + groups_.begin()->first);
  }

  // The index: every keyword, with every topic that it leads to. A keyword of several topics
  // names each, so that the viewer can offer them by their titles.
  std::string hhk = "<HTML>\n<BODY>\n<UL>\n";
  for (const auto& [word, targets] : index_) {
    hhk += "<LI> <OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"" + Escape(word) +
           "\">\n";
    for (const std::string& target : targets) {
      if (targets.size() > 1) {
        hhk += "<param name=\"Name\" value=\"" +
               Escape(titles[target.substr(0, target.find('#'))]) + "\">\n";
      }
      hhk += "<param name=\"Local\" value=\"" + target + "\">\n";
    }
    hhk += "</OBJECT>\n";
  }
  hhk += "</UL>\n</BODY>\n</HTML>\n";

  for (const auto& entry : fs::directory_iterator(sources)) {
    if (entry.path().extension() == ".css") {
      fs::copy_file(entry.path(), out / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
      files.push_back(entry.path().filename().string());
    }
  }

  std::string hhp =
      "[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=Vireo.chm\r\n"
      "Contents file=Vireo.hhc\r\nIndex file=Vireo.hhk\r\nDefault topic=" +
      topics.front().first +
      "\r\nDefault Window=main\r\nDisplay compile progress=No\r\n"
      "Full-text search=Yes\r\nLanguage=0x419 Russian\r\nTitle=Vireo: справка\r\n\r\n"
      "[WINDOWS]\r\nmain=\"Vireo: справка\",\"Vireo.hhc\",\"Vireo.hhk\",\"" +
      topics.front().first + "\",\"" + topics.front().first +
      "\",,,,,0x2520,,0x3006,[40,40,840,640],,,,,,,0\r\n\r\n[FILES]\r\n";
  for (const std::string& file : files) hhp += file + "\r\n";
  WriteFile(out / "Vireo.hhp", hhp);
  WriteFile(out / "Vireo.hhc", hhc);
  WriteFile(out / "Vireo.hhk", hhk);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_help <sources> <out>\n";
    return 1;
  }
  try {
    vireo::platform::MemoryRegistry registry;
    vireo::platform::StandIns standins;
    vireo::platform::Platform platform = standins.Bundle(registry);
    vireo::ui::headless::HeadlessToolkit toolkit;
    vireo::main::MainWindow window(platform, toolkit);
    if (!window.Load()) throw std::runtime_error("the main window did not load");
    Node* root = toolkit.FindWindow("Vireo");
    if (root == nullptr) throw std::runtime_error("no main window");
    Generator(window, *root).Run(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "make_help: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
