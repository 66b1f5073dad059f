#include "doc_view_classes.h"

#include "test_ids.h"

std::vector<std::string>& CommandLog() {
  static std::vector<std::string> log;
  return log;
}

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
IMPLEMENT_DYNCREATE(CTestView, CView)
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
  ON_COMMAND(ID_TEST_DOCONLY, OnDocOnly)
  ON_COMMAND(ID_TEST_HANDLED, OnHandled)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTestView, CView)
  ON_COMMAND(ID_TEST_VIEWONLY, OnViewOnly)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
  ON_COMMAND(ID_TEST_HANDLED, OnHandled)
  ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
  ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTopStrip, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

BOOL CTopStrip::Make(CWnd* pParent, UINT nID) {
  return Create(nullptr, "strip", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pParent, nID);
}

LRESULT CTopStrip::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  CRect strip(layout->rect);
  strip.bottom = strip.top + kHeight;
  AfxRepositionWindow(layout, m_hWnd, &strip);
  layout->rect.top += kHeight;
  layout->sizeTotal.cy += kHeight;
  return 0;
}

LRESULT CTopStrip::OnIdleUpdate(WPARAM, LPARAM) {
  ++idleUpdates;
  // Like a toolbar button: enabled as the frame's update handlers say.
  CCmdUI state;
  state.m_nID = ID_TEST_DISABLED;
  state.m_pOther = this;
  state.DoUpdate(GetParentFrame(), TRUE);
  return 0;
}
