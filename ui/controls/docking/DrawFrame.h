#pragma once
// CDrawFrame: the pop-up that slides a pinned-away bar's content out beside
// its auto-hide strip while the pointer rests on the strip's tab. It hides
// again when it loses activation; its caption's pin puts the bar back in its
// docked place. The user may make it shallower or deeper (up to 160 pixels)
// from its edge away from the strip.
#include "framework/framework.h"

class CAutoHideBar;

// Messages of the pop-up: slide out (sent by the strip), hide and restore
// (posted to itself).
#define WM_DRAWFRAME_SLIDEOUT (WM_USER + 1)
#define WM_DRAWFRAME_HIDE (WM_USER + 2)
#define WM_DRAWFRAME_RESTORE (WM_USER + 3)
// Hit code of a pin button.
#define HTPIN 19

class CDrawFrame : public CWnd {
  DECLARE_DYNAMIC(CDrawFrame)
 public:
  explicit CDrawFrame(CAutoHideBar* pStrip);
  ~CDrawFrame() override;
  // A hidden pop-up of that size holding the content window, owned by the
  // strip's frame, titled like the tab.
  BOOL Create(CWnd* pContent, LPCSTR lpszTitle, const CRect& rect);
  // Destroys the window and this object now, or, while one of its own
  // message handlers runs, when that handler has returned.
  void DestroyDeferred();
  CWnd* GetContent() const { return m_pContent; }

  // Its place beside the strip: as long as the strip, its depth capped, but
  // never less than its content needs.
  CRect PlaceBesideStrip() const;

  static constexpr UINT_PTR kSlideTimer = 1;
  static constexpr int kMaxDepth = 160;
  CAutoHideBar* m_pStrip;
  int m_nDepth = 200;
  int m_cyCaption = 12;
  BOOL m_bSliding = FALSE;
  CRect m_rcPin;  // window coordinates
  BOOL m_bPinHover = FALSE;
  BOOL m_bActive = FALSE;  // its caption shows the active colours

  // The window depth the content needs to show whole (0: any).
  int DepthNeeded() const;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  afx_msg LRESULT OnSlideOut(WPARAM, LPARAM);
  afx_msg LRESULT OnHideFrame(WPARAM, LPARAM);
  afx_msg LRESULT OnRestore(WPARAM, LPARAM);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);

 protected:
  void FitBesideStrip();
  void HideFrame();
  CWnd* m_pContent = nullptr;
  CFont m_font;
  int m_nDispatch = 0;
  BOOL m_bDestroyPending = FALSE;
  DECLARE_MESSAGE_MAP()
};

// Draws a pin button (pinned: upright; unpinned: lying) in an 11 x 11 box.
void DrawPinButton(CDC* pDC, const CRect& box, bool pinned, bool hover, bool pushed);
