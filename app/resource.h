#pragma once
/* Resource ids of the editor (shared with Lumivo.rc). */
#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128

/* Bars: the images of the auto-hide strips and library tabs, the status panes. */
#define IDB_STRIPS 131
#define ID_INDICATOR_PAGE 59142
#define ID_INDICATOR_SIZE 59143

/* Dialogs: new album, colour, options, and the colour dialog's slider bitmaps. */
#define IDD_IMG_COLOR 103
#define IDD_NUOVO_SPOSALBO 132
#define IDB_SLIDER_CHANNEL 147
#define IDB_SLIDER_CHANNEL_ACTIVE 148
#define IDB_SLIDER_THUMB 149
#define IDB_SLIDER_THUMB_ACTIVE 150
#define IDD_OPZIONI 175

/* Controls of the new album dialog. */
#define IDC_NS_NAME 1000
#define IDC_NS_TEMPLATE 1001
#define IDC_NS_FOLDER 1002
#define IDC_NS_BROWSE_FOLDER 1003
#define IDC_NS_BROWSE_TEMPLATE 1004
#define IDC_NS_WIDTH 1030
#define IDC_NS_HEIGHT 1031
#define IDC_NS_FROM_TEMPLATE 1054
#define IDC_NS_BLANK 1055

/* Controls of the colour dialog: slider, spin button and edit of each channel. */
#define IDC_COL_RED_SLIDER 1005
#define IDC_COL_GREEN_SLIDER 1006
#define IDC_COL_BLUE_SLIDER 1007
#define IDC_COL_RED_SPIN 1008
#define IDC_COL_RED_EDIT 1009
#define IDC_COL_GREEN_SPIN 1010
#define IDC_COL_GREEN_EDIT 1011
#define IDC_COL_BLUE_SPIN 1012
#define IDC_COL_BLUE_EDIT 1013
#define IDC_COL_BRIGHTNESS_SLIDER 1014
#define IDC_COL_BRIGHTNESS_SPIN 1015
#define IDC_COL_BRIGHTNESS_EDIT 1016
#define IDC_COL_CONTRAST_SLIDER 1017
#define IDC_COL_CONTRAST_SPIN 1018
#define IDC_COL_CONTRAST_EDIT 1019
#define IDC_COL_SATURATION_SLIDER 1020
#define IDC_COL_SATURATION_SPIN 1021
#define IDC_COL_SATURATION_EDIT 1022
#define IDC_COL_ALPHA_SLIDER 1023
#define IDC_COL_ALPHA_SPIN 1024
#define IDC_COL_ALPHA_EDIT 1025

/* Controls of the options dialog. */
#define IDC_OPT_FONT_LIST 1001
#define IDC_OPT_FOLDER 1002
#define IDC_OPT_BROWSE_FOLDER 1003
#define IDC_OPT_EXT_APP 1030
#define IDC_OPT_BROWSE_EXT_APP 1031

/* Album commands. */
#define ID_ALBUM_LOAD_IMAGES 32871
#define ID_ALBUM_NEW 32874
#define ID_ALBUM_OPEN 32875
#define ID_ALBUM_CLOSE 32876
#define ID_ALBUM_LOAD_CD 32877
#define ID_ALBUM_SAVE 32889
#define ID_ALBUM_PRINT 32954
#define ID_ALBUM_DATA 33052
#define ID_ALBUM_SAVE_AS_TEMPLATE 33065
#define ID_ALBUM_SEND_TO_LAB 33066
#define ID_OPTIONS 33076
#define ID_EDIT_IMAGE_EXTERNAL 33083
#define ID_PAGE_SAVE_AS_TEMPLATE 33092

/* Page navigation and page-list commands. */
#define ID_PAGE_FIRST 32958
#define ID_PAGE_PREVIOUS 32959
#define ID_PAGE_NEXT 32960
#define ID_PAGE_LAST 32961
#define ID_PAGE_NEW 33054
#define ID_PAGE_CUT 33055
#define ID_PAGE_COPY 33056
#define ID_PAGE_PASTE 33057
#define ID_PAGE_DELETE 33058
#define ID_PAGE_MOVE_BEFORE 33059
#define ID_PAGE_MOVE_AFTER 33060
#define ID_PAGE_COVER 33090

/* Selection (undo, redo, cut, copy and paste are the framework's ids). */
#define ID_SELECT_ALL 32955
#define ID_SELECT_NONE 32956
#define ID_SELECTION_DELETE 33062

/* View: pan, zoom, tool modes, ruler and bars. */
#define ID_PAN_LEFT 32919
#define ID_PAN_UP 32920
#define ID_PAN_RIGHT 32921
#define ID_PAN_DOWN 32922
#define ID_PAN_CENTRE 32923
#define ID_ZOOM_NORMAL 32925
#define ID_ZOOM_IN 32928
#define ID_ZOOM_OUT 32929
#define ID_TOOL_SELECT 33017
#define ID_TOOL_PAN 33018
#define ID_TOOL_ZOOM 33019
#define ID_VIEW_RULER 33077
#define ID_VIEW_PHOTO_BAR 32886
#define ID_VIEW_TOOLS_BAR 32888
#define ID_VIEW_PAGE_BAR 32953

/* Arrangement: groups, order, rotation, lock. */
#define ID_GROUP 32894
#define ID_UNGROUP 32896
#define ID_ROTATE_NONE 32901
#define ID_ROTATE_45 32902
#define ID_ROTATE_10 32903
#define ID_ROTATE_90 32904
#define ID_ROTATE_180 32905
#define ID_ORDER_FRONT 32984
#define ID_ORDER_BACK 32985
#define ID_ORDER_FORWARD 32986
#define ID_ORDER_BACKWARD 32987
#define ID_LOCK 33063
#define ID_UNLOCK 33064

/* Alignment and size. */
#define ID_ALIGN_LEFT 33028
#define ID_ALIGN_RIGHT 33030
#define ID_ALIGN_TOP 33031
#define ID_ALIGN_BOTTOM 33032
#define ID_ALIGN_VERTICAL 33033
#define ID_ALIGN_HORIZONTAL 33034
#define ID_CENTRE_VERTICAL 33036
#define ID_CENTRE_HORIZONTAL 33037
#define ID_PLACE_LEFT_OF_CENTRE 33038
#define ID_PLACE_RIGHT_OF_CENTRE 33039
#define ID_SIZE_SAME_HEIGHT 33067
#define ID_SIZE_SAME_WIDTH 33068
#define ID_SIZE_SAME_BOTH 33069
#define ID_SIZE_RESET_ASPECT 33070
#define ID_ALIGN_CROP 33078
#define ID_SIZE_HALF_PAGE 33086
#define ID_SIZE_PAGE 33087

/* Text, colour, background, effect and crop. */
#define ID_TEXT_ADD 32932
#define ID_TEXT_EDIT 32933
#define ID_BACKGROUND_REMOVE 32938
#define ID_BACKGROUND_COLOUR 32939
#define ID_BACKGROUND_ROTATE 32940
#define ID_EFFECT_REMOVE 32946
#define ID_EFFECT_MIRROR_V 32950
#define ID_EFFECT_MIRROR_H 32951
#define ID_SELECTION_COLOUR 32997
#define ID_EFFECT_ROTATE_0 33000
#define ID_EFFECT_ROTATE_90 33001
#define ID_EFFECT_ROTATE_180 33002
#define ID_EFFECT_ROTATE_270 33012
#define ID_CROP 33080

/* Page surface: its context menu and cursors. */
#define IDR_PAGE_CONTEXT_MENU 134
#define IDC_CURSOR_ZOOM_IN 155
#define IDC_CURSOR_BAND 156
#define IDC_CURSOR_ZOOM_OUT 158
#define IDC_CURSOR_ADD 159
#define IDC_CURSOR_SELECT 160
#define IDC_CURSOR_HAND 162

/* The text dialog: the font choice's template with the text edit. */
#define IDD_TESTO 1543
#define IDC_TESTO_TEXT 1010

/* Thumbnail lists: drop cursor, used mark, the photo list's menu. */
#define IDC_CURSOR_DROP 106
#define IDB_USED_MARK 169
#define IDR_PHOTO_MENU 199
#define ID_PHOTO_DELETE 33084

/* Application start-up: failure texts and the splash picture. */
#define IDP_OLE_INIT_FAILED 100
#define IDP_SOCKETS_INIT_FAILED 104
#define IDB_SPLASH 139

/* Crop tool: the crop dialog, its controls and button bitmaps. */
#include "crop/CropResources.h"
/* Menus of the right mouse button and the menu icons (the page's menu is 134). */
#define IDB_MENU_ICONS 135
#define IDB_SELECTION_ICONS 138

/* The wedding-data page's dialog. */
#define IDD_DATI_SPOSALBO 163
