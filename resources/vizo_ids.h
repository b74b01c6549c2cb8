// Resource and command ids of the trace viewer, shared by vizo.rc and the code.
#pragma once

// Main menu "VIZO"; each item is also its own help context.
#define IDM_LOG_TO_DISK 100
#define IDM_CLEAR_DISK_LOG 101
#define IDM_CLEAR_SCREEN 102
#define IDM_VIEW_DISK_LOG 103
#define IDM_EXIT 107
#define IDM_HELP 112
#define IDM_ABOUT 113
