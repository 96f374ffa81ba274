// The registry layer's agreement cases: one list of situations run through RegRead, RegWrite,
// RegDelete and the platform registry itself, each reported as one line "name: what happened".
// The host tests check the lines against the in-memory registry; the Wine program runs the same
// list against the real registry and the stand-in and compares them line by line.
//
// The cases use only HKCU\Software\VireoTest, HKLM\Software\VireoTest, HKCR\VireoTest, the value
// HKCU\VireoTestRootValue and the key HKCU\VireoTestRootKey; they remove them before and after.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace vireo::cases {

std::vector<std::string> RunRegistryCases(platform::Registry& registry);

// Removes everything the cases create.
void CleanRegistryCases(platform::Registry& registry);

}  // namespace vireo::cases
