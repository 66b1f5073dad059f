#include "ui/frames/SkinMDIFrames.h"

#include "ui/frames/SkinFrameImpl.h"

template class CSkinFrame<CMDIFrameWnd>;
template class CSkinFrame<CMDIChildWnd>;

IMPLEMENT_DYNCREATE(CSkinMDIFrameWnd, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CSkinMDIChildWnd, CMDIChildWnd)

CSkinMDIFrameWnd::CSkinMDIFrameWnd() = default;
CSkinMDIFrameWnd::~CSkinMDIFrameWnd() = default;
CSkinMDIChildWnd::CSkinMDIChildWnd() = default;
CSkinMDIChildWnd::~CSkinMDIChildWnd() = default;
