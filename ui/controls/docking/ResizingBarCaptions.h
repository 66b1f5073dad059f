#pragma once
// Resizing bars with a strip along their side while docked: CResizingBarG
// draws a gripper and a close button there; CResizingBarCF draws a caption
// with the bar's title instead (a gradient when the system draws gradient
// captions, active while the focus is inside the bar). The strip runs along
// the left of bars docked at the top or bottom and along the top of the
// others; a floating bar leaves it to its frame's caption.
#include "framework/framework.h"
#include "ui/controls/docking/ResizingBar.h"

class CResizingBarG : public CResizingBar {
  DECLARE_DYNAMIC(CResizingBarG)
 public:
  virtual BOOL HasGripper() const { return TRUE; }
  void NcCalcClient(LPRECT pRc, UINT nDockBarID) override;
  void NcPaintGripper(CDC* pDC, const CRect& rcClient) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  afx_msg LRESULT OnNcHitTest(CPoint point);

  // A button of the strip: its place in window coordinates and its state.
  struct StripButton {
    CRect rect;
    bool hover = false;
    bool pushed = false;
    // Whether a screen point is on it, for the window at rcWindow.
    bool Contains(const CRect& rcWindow, CPoint point) const;
    // Follows the pointer (screen) and the left button; true when it changed.
    bool Follow(const CRect& rcWindow, CPoint pointer, bool leftDown);
  };

  int m_cyGripper = 12;
  StripButton m_close;

  static constexpr int kButtonSize = 11;

 protected:
  // The strip in window coordinates (empty while floating).
  CRect m_rcStrip;
  BOOL HasStrip() const { return !m_rcStrip.IsRectEmpty(); }
  // Where the pointer is and whether the left button is down (a test answers them).
  virtual CPoint PointerPos() const;
  virtual bool LeftButtonDown() const;
  void DrawCloseButton(CDC* pDC) const;
  DECLARE_MESSAGE_MAP()
};

class CResizingBarCF : public CResizingBarG {
  DECLARE_DYNAMIC(CResizingBarCF)
 public:
  CResizingBarCF();
  void NcPaintGripper(CDC* pDC, const CRect& rcClient) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

  BOOL m_bActive = FALSE;
  // "Tahoma" when installed, else "Arial".
  static CString CaptionFaceName();

 protected:
  // The strip's background: a gradient of the caption colours, or flat.
  void PaintCaption(CDC* pDC, const CRect& strip, bool vertical) const;
  CFont m_font;      // along a strip at the top
  CFont m_fontVert;  // turned, along a strip at the left
  DECLARE_MESSAGE_MAP()
};
