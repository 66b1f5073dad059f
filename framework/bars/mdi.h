#pragma once
// CMDIFrameWnd and CMDIChildWnd: a frame whose client area is the system's
// MDI client, and the child frames inside it. Enough to make and lay them out
// with a menu; the editor itself is single-document.
#include "framework/frame.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  CMDIFrameWnd();
  // Makes the MDI client (with the window menu as the place for the children's list).
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  CFrameWnd* GetActiveFrame() override;
  HMENU GetWindowMenuPopup(HMENU hMenuBar);

  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDITile() { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, 0, 0); }
  void MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }

  HWND m_hWndMDIClient = nullptr;
  DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIChildWnd();
  virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  CMDIFrameWnd* GetMDIFrame() const;
  BOOL DestroyWindow() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  void MDIDestroy() { ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0); }
  void MDIActivate() { ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0); }
  DECLARE_MESSAGE_MAP()
};
