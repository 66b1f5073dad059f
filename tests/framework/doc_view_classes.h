#pragma once
// A document, a view and a frame for the routing, layout and template tests.
#include <string>
#include <vector>

#include "framework/framework.h"

// Who handled which command, across all test objects.
std::vector<std::string>& CommandLog();

class CTestDoc : public CDocument {
  DECLARE_DYNCREATE(CTestDoc)
 public:
  afx_msg void OnDocOnly() { CommandLog().push_back("doc"); }
  afx_msg void OnHandled() { CommandLog().push_back("doc handled"); }
  DECLARE_MESSAGE_MAP()
};

class CTestView : public CView {
  DECLARE_DYNCREATE(CTestView)
 public:
  int draws = 0;
  int initialUpdates = 0;
  void OnDraw(CDC*) override { ++draws; }
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
  afx_msg void OnViewOnly() { CommandLog().push_back("view"); }
  DECLARE_MESSAGE_MAP()
};

class CTestFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CTestFrame)
 public:
  BOOL disableItem = TRUE;
  afx_msg void OnHandled() { CommandLog().push_back("frame handled"); }
  afx_msg void OnDisabled() { CommandLog().push_back("frame disabled"); }
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(!disableItem); }
  afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  DECLARE_MESSAGE_MAP()
};

// A strip along the top of its frame, laid out through WM_SIZEPARENT.
class CTopStrip : public CWnd {
 public:
  static constexpr int kHeight = 30;
  int idleUpdates = 0;
  BOOL Make(CWnd* pParent, UINT nID);
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};
