// Id blocks of the settings catalogue (strings.rc). Element i of an array finds its string at
// base + i. Plain constants, so the portable core and the tests can use them too.
#pragma once

#include "catalogue_blocks.h"  // generated from strings.rc by tools/rcstrings.cpp

namespace vireo::catalogue {

// Restriction boxes chk, elements from 1 (element 0 is a template and has no entries).
inline constexpr int kIdsRestrictionCaption = 0;
inline constexpr int kIdsRestrictionPath = 1000;  // the value holds 1 when the item is hidden
// The launch menus (Programs and Applets) own 2001-2024 and 3001-3021.
inline constexpr int kIdsProgramsMenu = 2000;
inline constexpr int kIdsAppletsMenu = 3000;
// Text settings txt, elements from 0.
inline constexpr int kIdsTextCaption = 4000;
inline constexpr int kIdsTextPath = 5000;  // "first" or "first|second"
// My Computer boxes chkm, elements from 0.
inline constexpr int kIdsMyComputerCaption = 6000;
inline constexpr int kIdsMyComputerKey = 7000;  // a key path with a trailing backslash
// Choice setting opt, elements from 0.
inline constexpr int kIdsChoiceCaption = 8000;
inline constexpr int kIdsChoiceValues = 9000;
inline constexpr int kIdsChoiceOptions = 10000;
inline constexpr int kIdsChoiceKey = 11000;
inline constexpr int kIdsChoiceType = 12000;
// Check settings chka, elements from 0.
inline constexpr int kIdsCheckKey = 13000;
inline constexpr int kIdsCheckValues = 14000;  // "cleared|ticked"; "-" deletes
inline constexpr int kIdsCheckDefault = 15000;
inline constexpr int kIdsCheckType = 16000;  // 1, 3 or 4
inline constexpr int kIdsCheckCaption = 17000;

// How many entries the string table holds in the block of `base`.
constexpr int Entries(int base) {
  return base / 1000 < kBlockCount ? kBlockEntries[base / 1000] : 0;
}

// The number of elements of each array is the number of its entries in the string table: a
// setting is added there, and where the catalogue places it (main/catalogue.cpp), which checks
// that it places each one.
inline constexpr int kRestrictionCount = Entries(kIdsRestrictionCaption);  // elements 1..count
inline constexpr int kTextCount = Entries(kIdsTextCaption);
inline constexpr int kMyComputerCount = Entries(kIdsMyComputerCaption);
inline constexpr int kChoiceCount = Entries(kIdsChoiceCaption);
inline constexpr int kCheckCount = Entries(kIdsCheckKey);

// Every element has its entry in each block of its array.
static_assert(Entries(kIdsRestrictionPath) == kRestrictionCount,
              "each restriction box has a caption and a path");
static_assert(Entries(kIdsTextPath) == kTextCount, "each text setting has a caption and a path");
static_assert(Entries(kIdsMyComputerKey) == kMyComputerCount,
              "each My Computer box has a caption and a key");
static_assert(Entries(kIdsChoiceValues) == kChoiceCount &&
                  Entries(kIdsChoiceOptions) == kChoiceCount &&
                  Entries(kIdsChoiceKey) == kChoiceCount && Entries(kIdsChoiceType) == kChoiceCount,
              "each choice setting has a caption, values, options, a key and a type");
static_assert(Entries(kIdsCheckValues) == kCheckCount && Entries(kIdsCheckDefault) == kCheckCount &&
                  Entries(kIdsCheckType) == kCheckCount && Entries(kIdsCheckCaption) == kCheckCount,
              "each check setting has a key, values, a default, a type and a caption");

}  // namespace vireo::catalogue
