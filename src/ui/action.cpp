#include "ui/action.h"

#include <utility>

namespace vireo::ui {
namespace {

// The windows and their handlers run on one thread, the user-interface thread. (A thread-local
// object with a destructor would make the runtime import a function that Windows 9x lacks.)
Action current;
std::uint64_t events = 0;

}  // namespace

const Action& CurrentAction() {
  return current;
}

ActionScope::ActionScope(std::string caption, std::uintptr_t source, bool typing)
    : saved_(current) {
  current = Action{std::move(caption), source, typing, ++events};
}

ActionScope::ActionScope(std::string caption) : saved_(current) {
  if (current.serial != 0 && !caption.empty()) current.caption = std::move(caption);
}

ActionScope::~ActionScope() {
  current = std::move(saved_);
}

}  // namespace vireo::ui
