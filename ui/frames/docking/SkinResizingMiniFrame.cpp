#include "ui/frames/docking/SkinResizingMiniFrame.h"

#include "ui/frames/SkinFrameImpl.h"

template class CSkinFrame<CResizingMiniDockFrameWnd>;

IMPLEMENT_DYNCREATE(CSkinResizingMiniDockFrameWnd, CResizingMiniDockFrameWnd)

CSkinResizingMiniDockFrameWnd::CSkinResizingMiniDockFrameWnd() = default;
CSkinResizingMiniDockFrameWnd::~CSkinResizingMiniDockFrameWnd() = default;
