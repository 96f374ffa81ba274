#include "platform/host/host_dialogs.h"

#include <sstream>

namespace vireo::platform {

Answer ScriptedMessages::Show(OwnerHandle owner, const std::string& text, const std::string& title,
                              MessageStyle style) {
  shown.push_back({text, title, style, owner});
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return style == MessageStyle::kCriticalOk ? Answer::kOk : Answer::kNo;
}

std::string RecordingChooser::ChooseFileToOpen(OwnerHandle owner, const std::string& filter_list,
                                               const std::string& title) {
  requests.push_back({owner, filter_list, title});
  return next_choice;
}

std::string RecordingChooser::ChooseFileToSave(OwnerHandle owner, const std::string& filter_list,
                                               const std::string& title,
                                               const std::string& extension) {
  requests.push_back({owner, filter_list, title + "|" + extension});
  return next_choice;
}

RegionHandle RecordingRegions::CreateRoundRect(int left, int top, int right, int bottom,
                                               int ellipse_w, int ellipse_h) {
  std::ostringstream call;
  call << "round " << left << ',' << top << ',' << right << ',' << bottom << ' ' << ellipse_w << 'x'
       << ellipse_h;
  calls.push_back(call.str());
  owned_.push_back(++next_);
  return next_;
}

bool RecordingRegions::CombineUnion(RegionHandle dest, RegionHandle a, RegionHandle b) {
  calls.push_back("union " + std::to_string(dest) + "=" + std::to_string(a) + "|" +
                  std::to_string(b));
  return true;
}

bool RecordingRegions::SetWindowRegion(std::uintptr_t, RegionHandle region, bool redraw) {
  calls.push_back("set " + std::to_string(region) + (redraw ? " redraw" : ""));
  std::erase(owned_, region);
  return true;
}

void RecordingRegions::Delete(RegionHandle region) {
  calls.push_back("delete " + std::to_string(region));
  std::erase(owned_, region);
}

}  // namespace vireo::platform
