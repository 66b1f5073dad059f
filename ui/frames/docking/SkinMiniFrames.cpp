#include "ui/frames/docking/SkinMiniFrames.h"

#include "ui/frames/SkinFrameImpl.h"

template class CSkinFrame<CMiniDockFrameWnd>;
template class CSkinFrame<CMiniFrameWnd>;

IMPLEMENT_DYNCREATE(CSkinMiniDockFrameWnd, CMiniDockFrameWnd)
IMPLEMENT_DYNCREATE(CSkinMiniFrameWnd, CMiniFrameWnd)

CSkinMiniDockFrameWnd::CSkinMiniDockFrameWnd() = default;
CSkinMiniDockFrameWnd::~CSkinMiniDockFrameWnd() = default;
CSkinMiniFrameWnd::CSkinMiniFrameWnd() = default;
CSkinMiniFrameWnd::~CSkinMiniFrameWnd() = default;
