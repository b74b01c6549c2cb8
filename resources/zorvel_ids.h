// Resource and command ids of the monitor, shared by zorvel.rc and the code.
#pragma once

// Cursor shown while a column is dragged.
#define IDC_MOVE_COLUMN 2

// Main menu "Zorvel"
#define IDM_OPEN 101
#define IDM_SAVE 102
#define IDM_SAVE_AS 103
#define IDM_EXIT 107
#define IDM_VIEW_DEFAULT 108
#define IDM_EDIT_REPORT 109
#define IDM_CONFIG 110
#define IDM_FONT 111
#define IDM_HELP 112
#define IDM_ABOUT 113

// Grid context menu
#define IDM_REMOVE 140
#define IDM_RESET 141
#define IDM_PROPERTIES 142
#define IDM_ADD 143
#define IDM_GRAPH_PORT 144

// Program Setup dialog "CONFIGDLG"
#define IDC_DAY_SPAWN 182
#define IDC_DAY_TEST 186
#define IDC_HOUR_SPAWN 188
#define IDC_DAY_SINGLE 190
#define IDC_DAY_MULTI 191
#define IDC_HOUR_TEST 192
#define IDC_UPDATE_TIME 193
#define IDC_SETUP_HELP 194
#define IDC_HOUR_MULTI 195
#define IDC_HOUR_SINGLE 196

// Column Setup dialog "CELLDLG"
#define IDC_CELL_TYPE 150
#define IDC_CELL_INPUT 153
#define IDC_CELL_NAME 154
#define IDC_CELL_WIDTH 155
#define IDC_CELL_COLOR0 156
#define IDC_CELL_COLOR1 157
#define IDC_CELL_HELP 194
