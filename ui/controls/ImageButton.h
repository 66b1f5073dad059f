#pragma once
// CImageButton: a push button or check box that draws itself: a flat face that
// lights up under the pointer, an "in" picture while hovered or pressed and an
// "out" picture otherwise (one colour of each is transparent), an optional
// caption and a focus rectangle. Subclassed onto an existing button.
#include <memory>
#include <type_traits>

#include "framework/framework.h"
#include "ui/controls/MaskedBitmap.h"

// What the face shows for a state; plain logic, apart from the window.
struct ImageButtonFace {
  enum Background { backIn, backFocus, backOut };
  enum Border { borderNone, borderRaised, borderSunken };
  enum Picture { pictureIn, pictureOut };
  Background background;
  Border border;
  Picture picture;
  BOOL offsetPicture;  // a pressed push button's picture moves by the pressed offset
};

struct ImageButtonState {
  BOOL pressed, hovered, focused, checkBox, flat, drawBorder, hasOutPicture;
};

ImageButtonFace ChooseImageButtonFace(const ImageButtonState& state);

class CImageButton : public CButton {
  DECLARE_DYNAMIC(CImageButton)
 public:
  // The out picture handles that ask for a copy of the in picture instead.
  static HBITMAP const greyedOut;
  static HBITMAP const darkenedOut;

  CImageButton();
  ~CImageButton() override;

  // Results of SetBitmaps.
  enum { bitmapsSet = 0, bitmapSizeUnreadable = 1, bitmapMaskFailed = 2 };
  // Loads both bitmap resources; an out id of 0 means no out picture.
  int SetBitmaps(UINT nIDIn, COLORREF crInTransparent, UINT nIDOut, COLORREF crOutTransparent);
  // Takes both bitmaps over; greyedOut or darkenedOut for the out picture make
  // a copy of the in picture. On failure every picture is dropped.
  int SetBitmaps(HBITMAP hIn, COLORREF crInTransparent, HBITMAP hOut, COLORREF crOutTransparent);
  // Check boxes only.
  void SetCheck(int nCheck, BOOL bRepaint = TRUE);
  // The pointer's shape over the button, taken over (destroyed with the button
  // or when replaced: hand over a copy of a shared cursor); null for the
  // window class's own.
  void SetButtonCursor(HCURSOR hAdopted);
  int GetCheck() const { return m_nCheck; }
  BOOL IsCheckBox() const { return m_bIsCheckBox; }
  BOOL IsDefault() const { return m_bIsDefault; }
  BOOL IsHovered() const { return m_bMouseOnButton; }

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void PreSubclassWindow() override;

  virtual void DrawBackground(CDC* pDC, CRect* pRect);
  virtual void DrawBorder(CDC* pDC, CRect* pRect);
  // The picture step draws an icon first, then the bitmap. This button's
  // pictures are bitmaps, so its icon step draws nothing; a subclass that
  // shows an icon draws it here.
  virtual void DrawIcon(CDC* pDC, BOOL bHasCaption, const CRect& itemRect, CRect* pCaptionRect, BOOL bPressed,
                        BOOL bDisabled);
  virtual void DrawBitmap(CDC* pDC, BOOL bHasCaption, const CRect& itemRect, CRect* pCaptionRect,
                          BOOL bPressed, BOOL bDisabled);
  virtual void DrawCaption(CDC* pDC, const CRect& captionRect, BOOL bDisabled);

  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCancelMode();
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnSysColorChange();
  afx_msg UINT OnGetDlgCode();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg BOOL OnClicked();
  afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  enum { colourBackIn, colourTextIn, colourBackOut, colourTextOut, colourBackFocus, colourTextFocus, colourCount };
  void LoadSystemColours();
  void StopHover();
  void Repaint() { Invalidate(); }

  BOOL m_bIsFlat = TRUE;
  BOOL m_bMouseOnButton = FALSE;
  BOOL m_bIsPressed = FALSE;
  BOOL m_bIsFocused = FALSE;
  BOOL m_bIsDisabled = FALSE;
  BOOL m_bIsDefault = FALSE;
  BOOL m_bIsCheckBox = FALSE;
  int m_nCheck = 0;
  BOOL m_bDrawBorder = TRUE;
  BOOL m_bDrawFlatFocus = FALSE;
  BOOL m_bAlwaysTrack = TRUE;
  BOOL m_bFocusedAtCancel = FALSE;  // the focus was here when the mode was last cancelled
  CPoint m_ptPressedOffset{1, 1};
  COLORREF m_colours[colourCount] = {};
  CMaskedBitmap m_in;
  CMaskedBitmap m_out;
  struct CursorDestroyer {
    void operator()(HCURSOR hCursor) const { ::DestroyCursor(hCursor); }
  };
  std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDestroyer> m_cursor;
  CToolTipCtrl m_toolTip;
  UINT m_nTypeStyle = 0;
};
