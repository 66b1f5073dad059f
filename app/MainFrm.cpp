#include "app/MainFrm.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
END_MESSAGE_MAP()

void CMainFrame::OnUpdateFrameTitle(BOOL) {
  // Without an open album the title is the program's name.
  UpdateFrameTitleForDocument(nullptr);
}
