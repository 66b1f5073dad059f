#pragma once
/* Resource ids of the crop tool: the crop dialog, its controls and its button
   bitmaps (crop.rc). The editor's resource script includes them. */
/* The dialog shows the program's icon. */
#define IDI_CROP_DIALOG 128
#define IDD_CROP 1544
#define IDC_CROP_PANE 1041
#define IDC_CROP_LOAD 1042
#define IDC_CROP_SAVE 1043
#define IDC_CROP_FREEHAND 1044
#define IDC_CROP_POLYGON 1045
#define IDC_CROP_RECTANGLE 1046
#define IDC_CROP_TENSION 1048
#define IDC_CROP_TENSION_SPIN 1049
#define IDC_CROP_FEATHER 1050
#define IDC_CROP_FEATHER_SPIN 1051
#define IDC_CROP_ZOOM_IN 1052
#define IDC_CROP_ZOOM_OUT 1053
#define IDB_CROP_ZOOM_IN 182
#define IDB_CROP_ZOOM_IN_HOT 183
#define IDB_CROP_ZOOM_OUT 184
#define IDB_CROP_ZOOM_OUT_HOT 185
#define IDB_CROP_FREEHAND 186
#define IDB_CROP_FREEHAND_HOT 187
#define IDB_CROP_POLYGON 188
#define IDB_CROP_POLYGON_HOT 189
#define IDB_CROP_RECTANGLE 190
#define IDB_CROP_RECTANGLE_HOT 191
#define IDB_CROP_TENSION_LABEL 192
#define IDB_CROP_FEATHER_LABEL 193
#define IDB_CROP_SAVE_HOT 194
#define IDB_CROP_SAVE 195
#define IDB_CROP_LOAD_HOT 196
#define IDB_CROP_LOAD 198
