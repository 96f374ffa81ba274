// What the pages of the main window share. The main window is only the shell: it makes the page
// frames with their titles from the table of pages (page_table.h) and keeps an ordered list of
// page parts. A page fills its frame
// with its group frames and its own controls; each of its fillers is a page part that the main
// window asks to load at start-up and to refresh on "Обновить данные", in the order of the
// start-up sequence, each call its own trapped step.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/page_part.h"
#include "ui/toolkit.h"

namespace vireo::main {

// The frames that hold the catalogue's settings, by their design names. The page that holds a
// frame makes it; the catalogue finds it through the pages.
enum class Group {
  kSystemOption,    // Control Panel: "Отображать в "Свойства: Система""
  kScreenOption,    // "Отображать в "Свойства: Экран""
  kPasswordOption,  // "Отображать в "Пароли""
  kPrinterOption,   // "Отображать в "Принтеры""
  kNetworkOption,   // "Отображать в "Свойства: Сеть""
  kFrame10,         // Explorer: desktop
  kFrame12,         // network security
  kFrame13,         // Explorer settings, with the two-pane box and the toolbar background
  kFrame2,          // Active Desktop: items
  kFrame3,          // Active Desktop toolbar
  kFrame5,          // My Computer
  kFrame7,          // Recycle Bin
  kFrame8,          // tooltips
  kFrame1,          // Folders and shortcuts: system folder names
  kFrame16,         // Files: context menu of any file
  kFrame20,         // file type descriptions
};
inline constexpr int kGroupCount = 16;

// The shell's per-icon overrides, one value per system icon, named by the icon's index: the
// key below HKLM, and the registry path of its values (a value's name follows the backslash).
inline constexpr char kShellIconsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
inline constexpr char kShellIcons[] =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons\\";

// Geometry shared by the frames' contents: rows of controls start below the frame's caption,
// indented from its border.
inline constexpr int kFrameRowTop = 18;
inline constexpr int kFrameRowLeft = 10;
inline constexpr int kCheckRowStep = 18;  // check boxes and check settings
inline constexpr int kTextRowStep = 22;   // labelled text settings

// The parts of the pages (ui/page_part.h), by their names here.
using ui::PagePart;
using ui::Reading;

// The start-up sequence after the platform check and the separator: the place of each part in
// it. The refresh and the reading after an undo keep the same order. A part without a place of
// its own comes after these, page by page.
enum class StartStep {
  kCatalogue,       // the catalogue-bound arrays
  kExplorerView,    // the two-pane state and the toolbar background
  kLaunchMenus,     // the Applets and Programs menus (start-up only)
  kAppletList,      // FillAppletList (start-up only)
  kIconSize,        // ReadIconSize (start-up only)
  kNewMenu,         // FillNewList
  kAnyFileOptions,  // ReadAnyFileOptions
  kUnknownFiles,    // ReadUnknownFiles
  kDriveList,       // FillDriveList
  kExtensionList,   // FillExtList
  kIconList,        // FillIconList
  kFolderIcons,     // CheckIconSet
  kSourcePath,      // ReadSourcePath
  kInstallPaths,    // ReadInstallPaths
  kShellIcons3D,    // the 3-D icon availability test
  kSpecialFolder,   // the first special folder (start-up only)
  kLast,
};

// A part with its place in the start-up sequence.
struct PlacedPart {
  StartStep step;
  PagePart* part;
};

// The text of a value, "" when it cannot be read.
std::string ReadString(platform::Registry& registry, const std::string& path);
// Stores `text` as a string value; the status of the write.
std::int32_t WriteString(platform::Registry& registry, const std::string& path,
                         const std::string& text);

// The tooltip of a control bound to the values at `paths` (see registry::DescribeValues): it
// reads them each time the tooltip opens, never before.
std::function<std::string()> ValuesTip(platform::Registry& registry,
                                       std::vector<std::string> paths);

// Makes `list` show `items` with item 0 current. A list that already holds the same texts keeps
// them: clearing and refilling a list's window costs far more than the reading, and a page switch
// or a refresh would otherwise pay it for every list it reads. A page switch keeps the current
// item of a list whose items are kept. True when the items were kept. Set from code, so no event
// is raised.
bool ShowItems(ui::ListControl& list, const std::vector<std::string>& items,
               Reading reading = Reading::kRefresh);

// One item of a check list as a filler has read it.
struct CheckRow {
  std::string text;
  bool checked = false;
};
// The same for a check list: the items are kept when their texts are, and only the ticks that
// differ are set.
void ShowRows(ui::CheckList& list, const std::vector<CheckRow>& rows,
              Reading reading = Reading::kRefresh);

// A registry-bound control as "Найти параметр..." knows it (see docs/search.md): entered where
// its tooltip is made, from the very paths the tooltip describes, so that the search names what
// the tooltip names without reading the registry. A list whose items are settings each (an
// applet, a drive, an extension) is found item by item.
struct Binding {
  ui::Widget* control = nullptr;  // takes the focus
  ui::Widget* caption = nullptr;  // shows the caption: the control itself, its label or its frame
  ui::Widget* frame = nullptr;    // the frame it stands in
  // The paths its tooltip names (for a list, each item's); asked when the search window opens.
  std::function<std::vector<std::string>(int item)> paths{};
  // Words the help file gives it beyond its caption and paths (a choice setting's choices).
  std::string help{};
  ui::ListControl* list = nullptr;  // a list found item by item
  // Makes item `item` current as a user's choice would show it; SetSelection when empty.
  std::function<void(int item)> select{};
  int page = -1;  // index into kPages; the main window notes it for the pages' own controls
};

// What every page is built with.
struct PageContext {
  platform::Platform& platform;
  ui::Toolkit& toolkit;
  ui::Window& window;  // the main window, owner of the dialogs a page opens
  // The registry-bound controls that the pages make, in the order they are made.
  std::vector<Binding> bindings{};
};

// Gives `control` the tooltip of its values at `paths` (ValuesTip) and enters it into the
// search's bindings with its caption and its frame.
void BindValues(PageContext& context, ui::Widget& control, ui::Widget& caption, ui::Widget& frame,
                std::vector<std::string> paths);
// Enters list `list`, whose item i touches `paths(i)`, into the search's bindings.
void BindItems(PageContext& context, ui::ListControl& list, ui::Widget& frame,
               std::function<std::vector<std::string>(int item)> paths,
               std::function<void(int item)> select = {});

class Page {
 public:
  virtual ~Page();
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  ui::Frame& frame() { return frame_; }
  // The group frame `group` when this page holds it, or null.
  ui::Frame* GroupFrame(Group group) const;
  // The page was brought to the front: every part of it reads again what the refresh reads.
  void Reread();
  // The page's parts, in the order they were added, with their places in the start-up sequence.
  const std::vector<PlacedPart>& parts() const { return parts_; }

 protected:
  Page(PageContext& context, ui::Frame& frame) : context_(context), frame_(frame) {}

  // Makes a frame with a caption inside the page (or inside `parent`); with a group, the
  // catalogue finds it.
  ui::Frame& AddFrame(int id, const std::string& caption, ui::Rect rect,
                      ui::Container* parent = nullptr);
  ui::Frame& AddGroup(Group group, const std::string& caption, ui::Rect rect);
  // Keeps a label of the page (a description or a hint).
  ui::Label& AddLabel(ui::Container& parent, int id, const std::string& text, ui::Rect rect);
  // A part of the page: it loads at `step` of the start-up sequence, and reads again when the page
  // comes to the front.
  void AddPart(PagePart& part, StartStep step = StartStep::kLast) {
    parts_.push_back({step, &part});
  }

  platform::Platform& platform() { return context_.platform; }
  ui::Toolkit& toolkit() { return context_.toolkit; }
  ui::Window& window() { return context_.window; }

 private:
  PageContext& context_;
  ui::Frame& frame_;
  std::vector<std::unique_ptr<ui::Frame>> frames_;
  std::vector<std::pair<Group, ui::Frame*>> groups_;
  std::vector<std::unique_ptr<ui::Label>> labels_;
  std::vector<PlacedPart> parts_;
};

}  // namespace vireo::main
