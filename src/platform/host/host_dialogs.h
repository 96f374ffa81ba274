// The stand-ins of what the program shows the user: scripted message boxes, the file dialogs,
// the shell's dialogs and the end of the session, window regions; each records what it was asked.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/regions.h"
#include "platform/session.h"

namespace vireo::platform {

// Records what the shell's dialogs and the end of the session were asked for, one line each:
// "shutdown dialog", "run dialog|<owner>|<title>|<prompt>", "about|<owner>|<application>|<other>",
// "exit|<flags>".
class RecordingSession : public Session {
 public:
  void ShutDownDialog() override { calls.push_back("shutdown dialog"); }
  void RunDialog(OwnerHandle owner, const std::string& title, const std::string& prompt) override {
    calls.push_back("run dialog|" + std::to_string(owner) + "|" + title + "|" + prompt);
  }
  void AboutWindows(OwnerHandle owner, const std::string& application,
                    const std::string& other) override {
    calls.push_back("about|" + std::to_string(owner) + "|" + application + "|" + other);
  }
  void EndSession(std::uint32_t flags) override {
    calls.push_back("exit|" + std::to_string(flags));
  }
  std::vector<std::string> calls;
};

class ScriptedMessages : public MessageBoxes {
 public:
  struct Shown {
    std::string text;
    std::string title;
    MessageStyle style;
    OwnerHandle owner;
  };
  Answer Show(OwnerHandle owner, const std::string& text, const std::string& title,
              MessageStyle style) override;
  // Answers given in turn; when none is left, OK boxes answer kOk and Yes/No boxes kNo.
  std::deque<Answer> answers;
  std::vector<Shown> shown;
};

class RecordingChooser : public FileChooser {
 public:
  struct Request {
    OwnerHandle owner;
    std::string filter_list;
    std::string title;
  };
  std::string ChooseFileToOpen(OwnerHandle owner, const std::string& filter_list,
                               const std::string& title) override;
  // Recorded as the open requests are, with the extension after the title ("title|reg").
  std::string ChooseFileToSave(OwnerHandle owner, const std::string& filter_list,
                               const std::string& title, const std::string& extension) override;
  std::string next_choice;  // empty: the user cancels
  std::vector<Request> requests;
};

class RecordingRegions : public Regions {
 public:
  RegionHandle CreateRoundRect(int left, int top, int right, int bottom, int ellipse_w,
                               int ellipse_h) override;
  bool CombineUnion(RegionHandle dest, RegionHandle a, RegionHandle b) override;
  bool SetWindowRegion(std::uintptr_t window, RegionHandle region, bool redraw) override;
  void Delete(RegionHandle region) override;

  std::vector<std::string> calls;
  // Regions created and neither deleted nor handed to a window.
  int Outstanding() const { return static_cast<int>(owned_.size()); }

 private:
  RegionHandle next_ = 0x100;
  std::vector<RegionHandle> owned_;
};

}  // namespace vireo::platform
