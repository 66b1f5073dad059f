#include "tests/ui/controls/docking_fixture.h"

#include "framework/scripted_ui.h"

namespace {
CScriptedUi g_fallbackUi;  // nothing is ever shown
}  // namespace

void PumpQueued() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

BEGIN_MESSAGE_MAP(CDockingFrame, CFrameWnd)
  ON_MESSAGE(WM_PINBAR_AUTOHIDE, OnPinBarAutoHide)
END_MESSAGE_MAP()

CDockingFrame::CDockingFrame() {
  Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700));
  view.Create(AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), "view",
              WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST);
  EnableAutoHideDocking(this, strips, CBRS_ALIGN_ANY);
  m_pFloatingFrameClass = RUNTIME_CLASS(CResizingMiniDockFrameWnd);
  images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  for (CAutoHideBar& strip : strips) strip.SetImageList(&images);
  ShowWindow(SW_SHOWNA);
}

LRESULT CDockingFrame::OnPinBarAutoHide(WPARAM, LPARAM lParam) {
  PinBarAway(this, lParam, strips);
  return 0;
}

BEGIN_MESSAGE_MAP(CTestPinBar, CPinDockBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CTestPinBar::Make(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle, CSize size) {
  if (!Create(lpszTitle, pFrame, size, TRUE, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP)) return FALSE;
  SetBarStyle(GetBarStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
  EnableDocking(CBRS_ALIGN_ANY);
  return content.Create(AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), "content",
                        WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, 201);
}

void CTestPinBar::PlaceContent() {
  CRect r;
  GetClientRect(&r);
  content.MoveWindow(9, 9, r.Width() - 18, r.Height() - 18);
}

void CTestPinBar::OnSize(UINT nType, int cx, int cy) {
  CPinDockBar::OnSize(nType, cx, cy);
  if (content.m_hWnd && ::GetParent(content.m_hWnd) == m_hWnd) PlaceContent();
}

void CTestPinBar::AddToAutoHideBar(CAutoHideBar* pStrip) {
  CRect r;
  GetClientRect(&r);
  content.ShowWindow(SW_SHOW);
  pStrip->AddTab(AHT_GROUPED | AHT_SHOWTITLE, &content, " Test ", &r, reinterpret_cast<DWORD_PTR>(this), 0);
}

void CTestPinBar::RemoveFromAutoHideBar(CAutoHideBar* pStrip, CWnd* pContent) {
  pStrip->RemoveTab(pContent);
  pStrip->TrimSeparators();
  pStrip->RecalcLayout();
  pStrip->Invalidate(TRUE);
  m_pDockSite->ShowControlBar(this, TRUE, FALSE);
  content.ShowWindow(SW_SHOW);
  PlaceContent();
}

void DockingBarsTest::SetUp() { frame = new CDockingFrame; }

void DockingBarsTest::TearDown() {
  frame->DestroyWindow();
  delete frame;
  PumpQueued();
}

CRect DockingBarsTest::InFrame(const CWnd* pWnd) const {
  CRect r;
  pWnd->GetWindowRect(&r);
  frame->ScreenToClient(&r);
  return r;
}

CRect DockingBarsTest::Client() const {
  CRect r;
  frame->GetClientRect(&r);
  return r;
}

CPoint DockingBarsTest::OnScreen(const CWnd* pWnd, CPoint windowPoint) const {
  CRect r;
  pWnd->GetWindowRect(&r);
  return CPoint(r.left + windowPoint.x, r.top + windowPoint.y);
}

void DockingBarsTest::DragEdge(CResizingBar& bar, UINT hit, CPoint windowPoint, CSize delta) {
  CPoint start = OnScreen(&bar, windowPoint);
  bar.SendMessage(WM_NCLBUTTONDOWN, hit, MAKELPARAM(start.x, start.y));
  // Two steps, as a hand would move.
  for (int step = 1; step <= 2; ++step) {
    CPoint pt(start.x + delta.cx * step / 2, start.y + delta.cy * step / 2);
    bar.ScreenToClient(&pt);
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  }
  bar.SendMessage(WM_LBUTTONUP, 0, 0);
}
