// Where the per-user settings live, one REG_SZ value each:
// HKEY_CURRENT_USER\software\Velmot\<application name>\Settings.
#pragma once

#define PELORIN_REGISTRY_KEY    L"Velmot"
#define PELORIN_SECTION         L"Settings"
#define PELORIN_ENTRY_DIR1      L"Dir1"     // first path field, as history text
#define PELORIN_ENTRY_DIR2      L"Dir2"     // second path field, as history text
#define PELORIN_ENTRY_SUBDIR    L"SubDir"   // "1" or "0"
#define PELORIN_ENTRY_WINDIFF   L"WinDiff"  // path of the comparison tool
