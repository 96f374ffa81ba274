// A part of a page of the main window: one step of the start-up and refresh sequences. Here, below
// the windows, so that the pages (main/) and the menus that load with them (service/) share it.
#pragma once

namespace vireo::ui {

// What makes a part read again.
enum class Reading {
  kRefresh,     // "Обновить данные"
  kPageSwitch,  // the part's page was brought to the front
};

// One step of the start-up and refresh sequences: a filler, or a group of controls read together.
class PagePart {
 public:
  virtual ~PagePart() = default;
  // Start-up: reads what the part shows. Writes nothing.
  virtual void Load() = 0;
  // "Обновить данные", and the part's page brought to the front: one rule for both, the part
  // reads again what the refresh reads, by the same rules; by default nothing. A page switch
  // leaves a list's current item where the user put it (the refresh's fills make item 0
  // current). Writes nothing.
  virtual void Refresh(Reading reading) { (void)reading; }
  // After an undo: everything the part shows read again, start-up-only reads included, lists
  // keeping their current item; by default what a page switch reads. Writes nothing.
  virtual void Reload() { Refresh(Reading::kPageSwitch); }
  // Idle time after the first paint, once every page has its windows: reads ahead what would
  // otherwise make the page's first showing wait; by default nothing. Writes nothing.
  virtual void ReadAhead() {}
};

}  // namespace vireo::ui
