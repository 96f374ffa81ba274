// The "Сервис" and "Справка" menus: each entry is one command that keeps no state between
// clicks. What these commands start or open runs on its own; the program never waits for it
// and reads no result.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::service {

inline constexpr char kAuthorMail[] = "mailto:vireo@example.org";

inline constexpr char kBackupQuestion[] =
    "Вы действительно желаете сделать резервную копию реестра?\r\n"
    "Это может занять до 20 Мб места на диске.";
inline constexpr char kRestoreQuestion[] =
    "Вы действительно желаете восстановить реестр из резервной копии?\r\n"
    "Это может повлечь за собой неработоспособность некоторых программ.";
inline constexpr char kBackupMissing[] =
    "Файл reg.reg отсутствует в каталоге программы.\r\n"
    "Вероятно, сохранение реестра не производилось,\r\n"
    "следовательно, его восстановление\r\n"
    "невозможно.";
inline constexpr char kRunTitle[] = "Запуск программы";
inline constexpr char kRunPrompt[] =
    "Введите имя программы, папки или документа, который требуется открыть";
// The shell command file that minimises every window, or brings them back.
inline constexpr char kToggleFile[] =
    "[Shell]\r\nCommand = 2\r\nIconFile=explorer.exe,3\r\n[Taskbar]\r\nCommand=ToggleDesktop\r\n";

class ServiceMenu {
 public:
  ServiceMenu(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner)
      : platform_(platform), toolkit_(toolkit), owner_(owner) {}

  // Runs the command of an entry of "Сервис" or "Справка"; false when `command_id` is neither
  // menu's.
  bool OnCommand(int command_id);

  // "Журнал изменений...": the main window opens the journal's window.
  std::function<void()> on_journal;

 private:
  bool Ask(const std::string& question, platform::MessageStyle style);
  void MinimiseAll();
  void BackUpRegistry();
  void RestoreRegistry();
  void EndSession(const std::string& question, std::uint32_t flags);

  platform::Platform& platform_;
  ui::Toolkit& toolkit_;  // the tool windows open modally over `owner_`
  ui::Window& owner_;
};

}  // namespace vireo::service
