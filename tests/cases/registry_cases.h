// The registry layer's agreement cases: one list of situations run through RegRead, RegWrite and
// RegDelete, each reported as one line "name: what happened" beside the line it must be. The
// host tests run them on the in-memory registry, the Wine program on the real registry: both
// must give every expected line.
//
// The cases use only HKCU\Software\VireoTest, HKLM\Software\VireoTest, HKCR\VireoTest, the value
// HKCU\VireoTestRootValue and the key HKCU\VireoTestRootKey; they remove them before and after.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace vireo::cases {

struct CaseLine {
  std::string got;
  std::string expected;
};
std::vector<CaseLine> RunRegistryCases(platform::Registry& registry);

}  // namespace vireo::cases
