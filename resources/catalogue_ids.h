// Id blocks of the settings catalogue (strings.rc). Element i of an array finds its string at
// base + i. Plain constants, so the portable core and the tests can use them too.
#pragma once

namespace vireo::catalogue {

// Restriction boxes chk, elements 1 to 24 (element 0 is a template and has no entries).
inline constexpr int kIdsRestrictionCaption = 0;
inline constexpr int kIdsRestrictionPath = 1000;  // the value holds 1 when the item is hidden
// The launch menus (Programs and Applets) own 2001-2024 and 3001-3021.
inline constexpr int kIdsProgramsMenu = 2000;
inline constexpr int kIdsAppletsMenu = 3000;
// Text settings txt, elements 0 to 16.
inline constexpr int kIdsTextCaption = 4000;
inline constexpr int kIdsTextPath = 5000;  // "first" or "first|second"
// My Computer boxes chkm, elements 0 to 2.
inline constexpr int kIdsMyComputerCaption = 6000;
inline constexpr int kIdsMyComputerKey = 7000;  // a key path with a trailing backslash
// Choice setting opt, element 0.
inline constexpr int kIdsChoiceCaption = 8000;
inline constexpr int kIdsChoiceValues = 9000;
inline constexpr int kIdsChoiceOptions = 10000;
inline constexpr int kIdsChoiceKey = 11000;
inline constexpr int kIdsChoiceType = 12000;
// Check settings chka, elements 0 to 17.
inline constexpr int kIdsCheckKey = 13000;
inline constexpr int kIdsCheckValues = 14000;  // "cleared|ticked"; "-" deletes
inline constexpr int kIdsCheckDefault = 15000;
inline constexpr int kIdsCheckType = 16000;  // 1, 3 or 4
inline constexpr int kIdsCheckCaption = 17000;

// Number of catalogue entries of each array (the arrays themselves are sized by their windows).
inline constexpr int kRestrictionCount = 24;  // elements 1..24
inline constexpr int kTextCount = 17;
inline constexpr int kMyComputerCount = 3;
inline constexpr int kChoiceCount = 1;
inline constexpr int kCheckCount = 18;

}  // namespace vireo::catalogue
