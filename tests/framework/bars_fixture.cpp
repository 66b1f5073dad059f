#include "bars_fixture.h"

#include "test_ids.h"

IMPLEMENT_DYNCREATE(CCountingMiniFrame, CMiniDockFrameWnd)
int CCountingMiniFrame::destroyed = 0;

BOOL CBlockBar::Make(CWnd* pParent, UINT nID, LPCSTR lpszTitle, DWORD dwBarStyle) {
  SplitStyle(dwBarStyle);
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, cls, lpszTitle, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
}

void BarsTest::SetUp() {
  CommandLog().clear();
  m_template = new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                      RUNTIME_CLASS(CTestView));
  CTestDoc* doc = static_cast<CTestDoc*>(m_template->OpenDocumentFile(nullptr, FALSE));
  ASSERT_NE(doc, nullptr);
  POSITION pos = doc->GetFirstViewPosition();
  view = static_cast<CTestView*>(doc->GetNextView(pos));
  frame = static_cast<CTestFrame*>(view->GetParentFrame());
  frame->MoveWindow(0, 0, kWidth, kHeight);
  frame->ShowWindow(SW_SHOWNA);
  TestApp().m_pMainWnd = frame;
}

void BarsTest::TearDown() {
  if (TestApp().m_pMainWnd == frame) TestApp().m_pMainWnd = nullptr;
  delete m_template;  // closes the document, which destroys the frame and its bars
  PumpPending();
}

CRect BarsTest::InFrame(const CWnd* pWnd) const {
  CRect r;
  pWnd->GetWindowRect(&r);
  frame->ScreenToClient(&r);
  return r;
}

CRect BarsTest::Client() const {
  CRect r;
  frame->GetClientRect(&r);
  return r;
}

void BarsTest::Drag(CControlBar* pBar, CPoint from, const std::vector<CPoint>& path, bool release) {
  for (CPoint pt : path) {
    pBar->ScreenToClient(&pt);
    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
  }
  if (release) {
    CPoint last = path.empty() ? from : path.back();
    pBar->ScreenToClient(&last);
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
  }
  pBar->m_pDockContext->StartDrag(from);
}
