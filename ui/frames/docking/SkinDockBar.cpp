#include "ui/frames/docking/SkinDockBar.h"

#include "ui/frames/docking/SkinMiniFrames.h"
#include "ui/menus/menu/SkinMenu.h"

IMPLEMENT_DYNAMIC(CSkinDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CSkinDockBar, CDockBar)
  ON_WM_ERASEBKGND()
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

bool FillWithBarBrush(HDC hDC, const RECT& rect, HWND hFrame) {
  HBRUSH brush = CSkinMenu::GetMenuBarBrush();
  if (!brush) return false;
  RECT frame{};
  if (hFrame) ::GetWindowRect(hFrame, &frame);
  POINT device{0, 0};  // where the device context starts on the screen
  ::GetDCOrgEx(hDC, &device);
  POINT old;
  ::SetBrushOrgEx(hDC, frame.left - device.x, 0, &old);
  ::FillRect(hDC, &rect, brush);
  ::SetBrushOrgEx(hDC, old.x, old.y, nullptr);
  return true;
}

CSkinDockBar::CSkinDockBar() : CDockBar(FALSE) {}

BOOL CSkinDockBar::OnEraseBkgnd(CDC* pDC) {
  CRect area;
  pDC->GetClipBox(&area);
  CWnd* frame = GetParentFrame();
  if (FillWithBarBrush(pDC->m_hDC, area, frame ? frame->m_hWnd : nullptr)) return TRUE;
  return CDockBar::OnEraseBkgnd(pDC);
}

void CSkinDockBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect client, window;
  GetClientRect(&client);
  GetWindowRect(&window);
  ScreenToClient(&window);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  dc.ExcludeClipRect(&client);
  dc.IntersectClipRect(&window);
  SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
  DrawGripper(&dc, window);
}

void EnableThemedDocking(CFrameWnd* pFrame, DWORD dwDockStyle) {
  pFrame->EnableDocking(dwDockStyle, RUNTIME_CLASS(CSkinMiniDockFrameWnd),
                        []() -> CDockBar* { return new CSkinDockBar; });
}
