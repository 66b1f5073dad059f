#pragma once
/* Resource ids of the editor (shared with Lumivo.rc). */
#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128
