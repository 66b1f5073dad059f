#pragma once
// The frame's side of auto-hiding: its four strips made together with its
// dock bars, and a pinned bar moved onto the strip of its side.
#include "framework/framework.h"
#include "ui/controls/docking/AutoHideBar.h"
#include "ui/controls/docking/PinDockBar.h"

typedef void (*DockEnabler)(CFrameWnd* pFrame, DWORD dwDockStyle);
// The framework's own dock bars.
void EnablePlainDocking(CFrameWnd* pFrame, DWORD dwDockStyle);

// For each side allowed (CBRS_ALIGN_*) the strip first, then the dock bars
// (through enableDocking); the left and right strips then follow the top dock
// bar in the layout order, so they run beside the other dock bars. strips[]
// is indexed by strip side (top, left, right, bottom).
BOOL EnableAutoHideDocking(CFrameWnd* pFrame, CAutoHideBar* strips, DWORD dwDockStyle,
                           DockEnabler enableDocking = &EnablePlainDocking);

// The strip side (CAutoHideBar::Side) of a dock bar id, -1 for none.
int StripSideOf(UINT nDockBarID);

// What a frame does with WM_PINBAR_AUTOHIDE: the bar's tabs go onto the strip
// of its side between separators, and the bar hides. False (nothing done)
// when lParam is not a pin dock bar of this frame docked on a side.
BOOL PinBarAway(CFrameWnd* pFrame, LPARAM lParam, CAutoHideBar* strips);
