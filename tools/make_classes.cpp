// make_classes <out.reg>: writes the class registry of a Windows 98 machine in use, as a REGEDIT4
// file of HKLM\Software\Classes, for the tests and the start-up benchmark. Wine's default prefix
// has about 15 extension keys and no ShellNew entries; a machine in use has hundreds of file
// types, a few dozen "New" menu entries and every kind of half-removed registration. The output
// is the same on every run (a fixed seed and our own generator, no library distribution).
//
// What it holds:
//  - about 1,700 keys directly below Classes, of which about 650 extension keys;
//  - ShellNew keys in all four places the lookup tries (below the class-named subkey of the
//    extension key, directly below the extension key, each also switched off as "ShellNew-"),
//    alone and together, empty or with NullFile, FileName or Command;
//  - extensions without a class (empty or no default value), extensions whose class key is
//    missing, classes without a description or with an empty one, descriptions with "(" and a
//    few in Russian, class names spelled in another letter case than their key;
//  - the Files page's thirteen extensions and thirteen icon kinds in each state the page tells
//    apart.
// Text is written in code page 1251, lines end in CR LF, as the 9x registry editor writes them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// splitmix64: small, and the same numbers on every compiler and library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
  // True with a chance of `percent` in a hundred.
  bool Chance(int percent) { return Below(100) < static_cast<std::size_t>(percent); }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::uint64_t state_;
};

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// UTF-8 (the source's literals) to code page 1251; only ASCII and Russian letters are used.
std::string ToCp1251(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if ((c & 0xE0) != 0xC0 || i + 1 >= utf8.size()) {
      std::cerr << "make_classes: unexpected text " << utf8 << "\n";
      std::exit(1);
    }
    const unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
    if (code >= 0x410 && code <= 0x44F) {
      out += static_cast<char>(0xC0 + (code - 0x410));
    } else if (code == 0x401) {
      out += static_cast<char>(0xA8);
    } else if (code == 0x451) {
      out += static_cast<char>(0xB8);
    } else {
      std::cerr << "make_classes: no code page 1251 letter for U+" << std::hex << code << "\n";
      std::exit(1);
    }
  }
  return out;
}

// A key of the tree to write: its values in the order given; the default value only when set.
struct Key {
  std::string name;
  std::optional<std::string> default_value;
  std::vector<std::pair<std::string, std::string>> values;
  std::map<std::string, std::unique_ptr<Key>> subkeys;  // by lower-case name, as an export sorts
};

class Tree {
 public:
  // The key at `path` below Classes ("a\b\c"), created with its parents when missing; names
  // compare without regard to case and keep their first spelling.
  Key& At(const std::string& path) {
    Key* key = &root_;
    std::size_t start = 0;
    while (start <= path.size()) {
      const std::size_t end = std::min(path.find('\\', start), path.size());
      const std::string name = path.substr(start, end - start);
      auto& slot = key->subkeys[Lower(name)];
      if (!slot) {
        slot = std::make_unique<Key>();
        slot->name = name;
      }
      key = slot.get();
      start = end + 1;
    }
    return *key;
  }
  bool Has(const std::string& name) const { return root_.subkeys.count(Lower(name)) != 0; }
  void SetDefault(const std::string& path, const std::string& text) {
    At(path).default_value = text;
  }
  void Set(const std::string& path, const std::string& name, const std::string& text) {
    At(path).values.emplace_back(name, text);
  }

  std::string Write() const {
    std::string out = "REGEDIT4\r\n\r\n";
    WriteKey(root_, "HKEY_LOCAL_MACHINE\\Software\\Classes", out);
    return out;
  }
  std::size_t TopKeys() const { return root_.subkeys.size(); }
  std::size_t ExtensionKeys() const {
    return std::count_if(root_.subkeys.begin(), root_.subkeys.end(),
                         [](const auto& entry) { return entry.first[0] == '.'; });
  }

 private:
  static std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : ToCp1251(text)) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out + "\"";
  }
  static void WriteKey(const Key& key, const std::string& path, std::string& out) {
    out += "[" + ToCp1251(path) + "]\r\n";
    if (key.default_value) out += "@=" + Quoted(*key.default_value) + "\r\n";
    for (const auto& [name, text] : key.values) out += Quoted(name) + "=" + Quoted(text) + "\r\n";
    out += "\r\n";
    for (const auto& [lower, subkey] : key.subkeys) {
      WriteKey(*subkey, path + "\\" + subkey->name, out);
    }
  }

  Key root_;
};

// Where an extension's "New" menu entry goes: the four places the lookup tries, in its order.
enum ShellNewPlace { kInClass, kInClassOff, kInExtension, kInExtensionOff };
constexpr const char* kShellNewNames[] = {"ShellNew", "ShellNew-", "ShellNew", "ShellNew-"};

struct Generator {
  Random random{0x5EED1998};
  Tree tree;
  std::set<std::string> classes;  // lower-case names of the class keys made so far
  int shell_new_entries = 0;
  int cyrillic = 0;

  // A class key with a description ("-" for none), an icon and an open command.
  void AddClass(const std::string& name, const std::string& description, bool details = true) {
    classes.insert(Lower(name));
    Key& key = tree.At(name);
    if (description != "-") key.default_value = description;
    if (!details) return;
    if (random.Chance(70)) {
      tree.SetDefault(name + "\\DefaultIcon",
                      "C:\\WINDOWS\\SYSTEM\\shell32.dll," + std::to_string(random.Below(40)));
    }
    if (random.Chance(80)) {
      const char* const kPrograms[] = {"notepad.exe", "C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE",
                                       "C:\\WINDOWS\\pbrush.exe",
                                       "C:\\Program Files\\Tools\\view.exe"};
      tree.SetDefault(name + "\\shell\\open\\command",
                      std::string(random.Pick(kPrograms)) + " \"%1\"");
    }
  }

  // One "New" menu entry for `extension` whose class is `class_name`, at `place`; its value
  // cycles through none, NullFile, FileName and Command.
  void AddShellNew(const std::string& extension, const std::string& class_name,
                   ShellNewPlace place) {
    // Without a class name the lookup's first two places are the last two.
    if (class_name.empty() && place == kInClass) place = kInExtension;
    if (class_name.empty() && place == kInClassOff) place = kInExtensionOff;
    std::string key = extension;
    if (place == kInClass || place == kInClassOff) key += "\\" + class_name;
    key += "\\" + std::string(kShellNewNames[place]);
    tree.At(key);
    switch (shell_new_entries++ % 4) {
      case 0:
        break;
      case 1:
        tree.Set(key, "NullFile", "");
        break;
      case 2:
        tree.Set(key, "FileName", "template" + extension);
        break;
      default:
        tree.Set(key, "Command", "C:\\WINDOWS\\rundll32.exe shell32.dll,NewFile \"%1\"");
        break;
    }
  }

  std::string Description(const std::string& extension) {
    const char* const kVendors[] = {"Corel", "Lotus", "Adobe", "Jasc",     "Borland", "Claris",
                                    "Visio", "Ulead", "Kodak", "Netscape", "WinZip",  "Intuit"};
    const char* const kKinds[] = {"Document", "Image",  "Archive", "Project",  "Template",
                                  "Data",     "Sound",  "Drawing", "Database", "Settings",
                                  "Macro",    "Script", "Chart",   "Font",     "Video Clip"};
    const char* const kRussian[] = {"Документ", "Архив",  "Рисунок",     "Звукозапись",
                                    "Таблица",  "Шаблон", "Файл справки"};
    std::string upper = extension.substr(1);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    const std::size_t kind = random.Below(100);
    if (kind < 2 || (kind < 4 && cyrillic < 8)) {
      ++cyrillic;
      return std::string(random.Pick(kRussian)) + " " + upper;
    }
    if (kind < 12) return std::string(random.Pick(kKinds)) + " (" + upper + ")";
    if (kind < 14) return std::string(random.Pick(kVendors)) + " " + random.Pick(kKinds) + " (v2";
    if (kind < 40) return upper + " File";
    return std::string(random.Pick(kVendors)) + " " + random.Pick(kKinds);
  }

  std::string NewProgId() {
    const char* const kVendors[] = {"Corel",  "Lotus",  "Adobe",    "Jasc",   "Borland",
                                    "Claris", "Visio",  "Ulead",    "Kodak",  "Netscape",
                                    "WinZip", "Intuit", "Symantec", "Novell", "Inso"};
    const char* const kParts[] = {"Document", "Sheet",       "Picture", "Drawing", "Project",
                                  "Control",  "Application", "Object",  "Chart",   "Template"};
    for (;;) {
      std::string name = std::string(random.Pick(kVendors)) + "." + random.Pick(kParts) + "." +
                         std::to_string(1 + random.Below(12));
      if (!classes.count(Lower(name)) && !tree.Has(name)) return name;
    }
  }

  // The Files page's extensions and icon kinds, each in a state of its own.
  void FilesPage() {
    // lstExt: a class with NeverShowExt, with it holding data, without it; no class name (empty,
    // never set); no key; a class name whose key is missing.
    AddClass("lnkfile", "Shortcut");
    tree.Set("lnkfile", "NeverShowExt", "");
    tree.SetDefault(".lnk", "lnkfile");
    tree.Set(".lnk\\ShellNew", "Command", "RunDLL32 AppWiz.Cpl,NewLinkHere %1");
    ++shell_new_entries;
    AddClass("piffile", "Shortcut to MS-DOS Program");
    tree.Set("piffile", "NeverShowExt", "");
    tree.SetDefault(".pif", "piffile");
    AddClass("InternetShortcut", "Internet Shortcut");
    tree.Set("InternetShortcut", "NeverShowExt", "1");
    tree.SetDefault(".URL", "InternetShortcut");
    AddClass("SHCmdFile", "Windows Explorer Command");
    tree.Set("SHCmdFile", "NeverShowExt", "yes");
    tree.SetDefault(".scf", "SHCmdFile");
    AddClass("ShellScrap", "Scrap object");
    tree.SetDefault(".shs", "shellscrap");   // the class key spelled otherwise
    tree.SetDefault(".shb", "DocShortcut");  // no class key
    tree.SetDefault(".job", "");
    tree.At(".jse");  // no default value
    AddClass("VBEFile", "VBScript Encoded Script File");
    tree.Set("VBEFile", "nevershowext", "");
    tree.SetDefault(".vbe", "VBEFile");
    AddClass("VBSFile", "VBScript Script File");
    tree.SetDefault(".vbs", "VBSFile");
    AddClass("JSFile", "-");  // a class without a description
    tree.Set("JSFile", "NeverShowExt", "");
    tree.SetDefault(".js", "JSFile");
    // .wsf: no key at all
    AddClass("Word.Document.8", "Microsoft Word Document");
    tree.SetDefault(".doc", "Word.Document.8");
    tree.Set(".doc\\Word.Document.8\\ShellNew", "FileName", "winword8.doc");
    ++shell_new_entries;

    // lstIco: "%1" with a backup, without one, with an empty one; a normal icon (also beside a
    // backup left over); a DefaultIcon key without a value; no DefaultIcon; no class key.
    AddClass("Paint.Picture", "Bitmap Image", false);
    tree.SetDefault("Paint.Picture\\DefaultIcon", "%1");
    tree.Set("Paint.Picture\\DefaultIcon", "Vireo Backup", "C:\\WINDOWS\\pbrush.exe,1");
    tree.SetDefault(".bmp", "Paint.Picture");
    tree.Set(".bmp\\ShellNew", "NullFile", "");
    ++shell_new_entries;
    struct Icon {
      const char* kind;
      const char* icon;    // "-" for no DefaultIcon key, "" for a key without a value
      const char* backup;  // "-" for none
    };
    const Icon kIcons[] = {
        {"cpl", "%1", "-"},
        {"dll", "C:\\WINDOWS\\SYSTEM\\shell32.dll,-154", "-"},
        {"ico", "%1", "C:\\WINDOWS\\SYSTEM\\shell32.dll,-151"},
        {"icl", "-", "-"},
        {"il", "%1", "C:\\WINDOWS\\SYSTEM\\shell32.dll,2"},
        {"ocx", "C:\\WINDOWS\\SYSTEM\\shell32.dll,-154", "-"},
        {"vbx", "C:\\WINDOWS\\SYSTEM\\shell32.dll,-154", "C:\\WINDOWS\\old.ico"},
        {"drv", "", "-"},
        {"scr", "%1", ""},
        {"ani", "%1", "-"},
        {"cur", "%1", "C:\\WINDOWS\\SYSTEM\\shell32.dll,3"},
    };
    for (const Icon& icon : kIcons) {
      const std::string name = std::string(icon.kind) + "file";
      AddClass(name, std::string(icon.kind) + " file", false);
      tree.SetDefault("." + std::string(icon.kind), name);
      if (std::string(icon.icon) == "-") continue;
      Key& key = tree.At(name + "\\DefaultIcon");
      if (*icon.icon) key.default_value = icon.icon;
      if (std::string(icon.backup) != "-") key.values.emplace_back("Vireo Backup", icon.backup);
    }
    // nilfile: no class key at all (.nil names it all the same).
    tree.SetDefault(".nil", "nilfile");
  }

  // Extensions of a machine in use, with their classes and "New" menu entries.
  void KnownTypes() {
    struct Type {
      const char* extension;
      const char* class_name;
      const char* description;
      int shell_new;  // a ShellNewPlace, or -1 for none
    };
    const Type kTypes[] = {
        {".txt", "txtfile", "Text Document", kInExtension},
        {".wav", "SoundRec", "Wave Sound", kInExtension},
        {".xls", "Excel.Sheet.8", "Microsoft Excel Worksheet", kInClass},
        {".ppt", "PowerPoint.Show.8", "Microsoft PowerPoint Presentation", kInClass},
        {".mdb", "Access.Application.8", "Microsoft Access Database", kInClass},
        {".rtf", "Word.RTF.8", "Rich Text Format", kInClassOff},
        {".wri", "wrifile", "Write Document", kInExtensionOff},
        {".bfc", "Briefcase", "Briefcase", kInExtension},
        {".htm", "htmlfile", "HTML Document", kInClassOff},
        {".html", "htmlfile", "-", -1},
        {".zip", "WinZip", "WinZip File", kInExtension},
        {".ini", "inifile", "Configuration Settings", -1},
        {".inf", "inffile", "Setup Information", -1},
        {".reg", "regfile", "Registration Entries", -1},
        {".bat", "batfile", "MS-DOS Batch File", -1},
        {".com", "comfile", "MS-DOS Application", -1},
        {".exe", "exefile", "Application", -1},
        {".hlp", "hlpfile", "Help File", -1},
        {".chm", "chm.file", "Compiled HTML Help file", -1},
        {".cnt", "cntfile", "Help contents file", -1},
        {".fon", "fonfile", "Font file", -1},
        {".ttf", "ttffile", "TrueType Font file", -1},
        {".jpg", "jpegfile", "JPEG Image", -1},
        {".jpeg", "jpegfile", "-", -1},
        {".jpe", "jpegfile", "-", -1},
        {".gif", "giffile", "GIF Image", -1},
        {".avi", "AVIFile", "Video Clip", -1},
        {".mid", "midfile", "MIDI Sequence", -1},
        {".rmi", "midfile", "-", -1},
        {".mpg", "mpegfile", "Movie File (MPEG)", -1},
        {".cda", "cdafile", "CD Audio Track", -1},
        {".css", "CSSfile", "Cascading Style Sheet Document", -1},
        {".hta", "htafile", "HTML Application", -1},
        {".wsh", "WSHFile", "Windows Script Host Settings File", -1},
        {".cab", "CABFolder", "Cabinet File", -1},
        {".theme", "Theme.Document", "Desktop Theme (Plus!)", -1},
        {".sys", "sysfile", "System file", -1},
        {".vxd", "vxdfile", "Virtual device driver", -1},
        {".log", "txtfile", "-", -1},
        {".dot", "Word.Template.8", "Microsoft Word Template", -1},
        {".xlt", "Excel.Template", "Microsoft Excel Template", -1},
        {".pdf", "AcroExch.Document", "Adobe Acrobat Document", -1},
        {".wmf", "wmffile", "Windows Metafile", -1},
        {".crt", "certificate", "Security Certificate", -1},
        {".msi", "Msi.Package", "Windows Installer Package", -1},
        {".dun", "dunfile", "Dial-Up Networking File", -1},
        {".xml", "xmlfile", "XML Document", -1},
        {".tmp", "", "-", kInExtension},
    };
    for (const Type& type : kTypes) {
      const std::string name = type.class_name;
      if (!name.empty() && !classes.count(Lower(name)) && name.find('\\') == std::string::npos) {
        AddClass(name, type.description);
      }
      tree.SetDefault(type.extension, name);
      if (type.shell_new >= 0) {
        AddShellNew(type.extension, name, static_cast<ShellNewPlace>(type.shell_new));
      }
    }
    // Keys that are no file type: the shell's own classes, the CLSID tree, protocols.
    const char* const kOthers[] = {"*",         "AllFilesystemObjects",
                                   "Directory", "Drive",
                                   "Folder",    "AudioCD",
                                   "Unknown",   "http",
                                   "ftp",       "mailto",
                                   "file",      "Interface",
                                   "TypeLib",   "NetShare",
                                   "Network",   "Printers"};
    for (const char* name : kOthers) AddClass(name, random.Chance(50) ? "-" : name);
    for (int i = 0; i < 60; ++i) {
      char guid[64];
      std::snprintf(guid, sizeof guid, "{%08llX-%04X-11CF-%04X-00AA00%06X}",
                    static_cast<unsigned long long>(random.Next() & 0xFFFFFFFFu),
                    static_cast<unsigned>(random.Below(0x10000)),
                    static_cast<unsigned>(random.Below(0x10000)),
                    static_cast<unsigned>(random.Below(0x1000000)));
      tree.SetDefault(std::string("CLSID\\") + guid, "Component " + std::to_string(i));
      tree.SetDefault(std::string("CLSID\\") + guid + "\\InprocServer32",
                      "C:\\WINDOWS\\SYSTEM\\comp" + std::to_string(i) + ".dll");
      tree.Set(std::string("CLSID\\") + guid + "\\InprocServer32", "ThreadingModel", "Apartment");
    }
  }

  // Made-up file types up to `extensions` extension keys, with the odd states in their share.
  void MadeUpTypes(std::size_t extensions) {
    const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789_";
    std::vector<std::string> made;
    int place = 0;  // the next ShellNew place, so that all four fill evenly
    while (tree.ExtensionKeys() < extensions) {
      std::string extension = ".";
      const std::size_t length = 2 + random.Below(3);
      for (std::size_t i = 0; i < length; ++i) {
        extension += kLetters[random.Below(i == 0 ? 26 : sizeof kLetters - 1)];
      }
      if (tree.Has(extension)) continue;
      std::string name;
      const std::size_t kind = random.Below(100);
      if (kind < 5) {  // empty default value
        tree.SetDefault(extension, "");
      } else if (kind < 9) {  // no default value
        tree.At(extension);
      } else if (kind < 14) {  // a class whose key is missing
        name = NewProgId();
        tree.SetDefault(extension, name);
      } else if (kind < 24 && !made.empty()) {  // a class another extension has
        name = made[random.Below(made.size())];
        tree.SetDefault(extension, random.Chance(30) ? Lower(name) : name);
      } else {
        name = random.Chance(50) ? extension.substr(1) + "file" : NewProgId();
        if (classes.count(Lower(name))) continue;
        const std::size_t description = random.Below(100);
        AddClass(name, description < 5 ? "-" : description < 9 ? "" : Description(extension));
        if (random.Chance(3)) tree.Set(name, "NeverShowExt", "");
        tree.SetDefault(extension, name);
        made.push_back(name);
      }
      if (random.Chance(9)) {
        // Now and then a second entry where the lookup must pass over it, or one below a class
        // that is not the extension's.
        const ShellNewPlace first = static_cast<ShellNewPlace>(place++ % 4);
        AddShellNew(extension, name, first);
        if (random.Chance(30) && first != kInExtensionOff) {
          AddShellNew(extension, name, static_cast<ShellNewPlace>(first + 1));
        }
        if (random.Chance(10)) AddShellNew(extension, "Other.Application.1", kInClass);
      }
    }
  }

  // ProgIDs of installed components: classes that no extension names.
  void ProgIds(std::size_t top_keys) {
    while (tree.TopKeys() < top_keys) {
      const std::string name = NewProgId();
      AddClass(name, random.Chance(15) ? "-" : name.substr(0, name.find('.')) + " component");
      if (random.Chance(40)) {
        tree.SetDefault(name + "\\CLSID", "{" +
                                              std::to_string(100000000 + random.Below(900000000)) +
                                              "-0000-0000-C000-000000000046}");
      }
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_classes <out.reg>\n";
    return 1;
  }
  Generator generator;
  generator.FilesPage();
  generator.KnownTypes();
  generator.MadeUpTypes(650);
  generator.ProgIds(1700);
  const std::string text = generator.tree.Write();
  std::ofstream out(argv[1], std::ios::binary);
  out << text;
  if (!out.flush()) {
    std::cerr << "make_classes: cannot write " << argv[1] << "\n";
    return 1;
  }
  std::cout << "make_classes: " << generator.tree.TopKeys() << " class keys, "
            << generator.tree.ExtensionKeys() << " extension keys, " << generator.shell_new_entries
            << " ShellNew entries, " << text.size() << " bytes\n";
  return 0;
}
