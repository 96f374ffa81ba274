#include "ui/action.h"

#include <utility>

namespace vireo::ui {
namespace {

thread_local Action current;
thread_local std::uint64_t events = 0;

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
