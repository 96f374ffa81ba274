// The main window on the stand-in platform and the headless toolkit, built once for a fuzz
// target's whole run: building it for every input would leave little time for the inputs.
#pragma once

#include <memory>

#include "main/main_window.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standin_bundle.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "platform/platform.h"
#include "ui/headless/headless.h"

namespace vireo::fuzz {

struct Window {
  platform::MemoryRegistry memory;
  platform::CountingRegistry counting{memory};
  platform::StandIns standins;
  platform::Platform platform;
  ui::headless::HeadlessToolkit toolkit;
  std::unique_ptr<main::MainWindow> main;

  Window() : Window(standins.profile) {}
  // With the private-profile files kept by `profile` rather than by real files.
  explicit Window(platform::Profile& profile)
      : platform(standins.Bundle(counting, profile, standins.files)) {
    main = std::make_unique<main::MainWindow>(platform, toolkit);
    if (!main->Load()) std::abort();
    main->Show();
  }

  // Calls that change the registry.
  std::size_t Writes() const {
    using Op = platform::CountingRegistry::Operation;
    return counting.count(Op::kCreate) + counting.count(Op::kSet) + counting.count(Op::kDeleteKey) +
           counting.count(Op::kDeleteValue);
  }
};

}  // namespace vireo::fuzz
