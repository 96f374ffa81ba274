// The user's action that is being handled now: what the journal of changes names as the cause of
// each change. The toolkits open a scope around every event they raise for the user (a click, a
// keystroke, a choice, a menu command), with the widget's caption; a control that knows a better
// name (a setting's caption beside its box) opens an inner scope with that name only. Outside
// every scope there is no action: start-up, refresh and page switches run there.
//
// This is a scope, like ui::Trap, not program state: it lives only while a handler runs, on the
// user-interface thread, and the windows never read it.
#pragma once

#include <cstdint>
#include <string>

namespace vireo::ui {

struct Action {
  std::string caption;        // the widget's caption, a setting's name, a menu command
  std::uintptr_t source = 0;  // the widget that raised the event; 0 outside every event
  bool typing = false;        // a keystroke or an edit in a text box
  std::uint64_t serial = 0;   // counts the user's events, so two clicks are two actions
};

// The action being handled now; an empty one (source 0, serial 0) outside every event.
const Action& CurrentAction();

class ActionScope {
 public:
  // An event the toolkit raises for the user: a new action.
  ActionScope(std::string caption, std::uintptr_t source, bool typing);
  // A better name for the action already under way (a control that knows its caption); outside
  // every event it opens nothing.
  explicit ActionScope(std::string caption);
  ~ActionScope();
  ActionScope(const ActionScope&) = delete;
  ActionScope& operator=(const ActionScope&) = delete;

 private:
  Action saved_;
};

}  // namespace vireo::ui
