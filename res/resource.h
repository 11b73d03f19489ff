// Resource identifiers of Pelorin.
#pragma once

#define IDD_VERSION         100
#define IDS_VERSION_MENU    101
#define IDD_COMPARE         102
#define IDS_LAUNCH_FAILED   103     // the tool could not start: "%1" its path, "%2" the reason
#define IDS_NO_TOOL_PATH    104     // the reason when no tool path is set: none was found, Ref chooses one
#define IDS_SYSTEM_ERROR    105     // the reason when the system has no text for error "%1"
#define IDS_TOO_MANY_PATHS  106     // more than two paths given at start: "%1" how many
#define IDS_TOOL_IS_FOLDER  107     // the reason when the tool path names a folder
#define IDS_USE_FOUND_TOOL  108     // OK with no tool path, one found at "%1": use it from now on?
#define IDI_APPICON         128

// The system-menu command that opens the version window.
#define IDM_VERSION         0x0010

// Main dialog controls.
#define IDC_SUBDIR          1000
#define IDC_DIR1            1002
#define IDC_DIR2            1003
#define IDC_BROWSE_DIR1     1004
#define IDC_BROWSE_DIR2     1005
#define IDC_FILE_DIR1       1006
#define IDC_WINDIFF         1007
#define IDC_REF_WINDIFF     1008
#define IDC_FILE_DIR2       1009
#define IDC_EXCHANGE        1010

// Version window controls.
#define IDC_LINK            1005
#define IDC_VERSION_TEXT    1006

#ifndef IDC_STATIC
#define IDC_STATIC          (-1)
#endif
