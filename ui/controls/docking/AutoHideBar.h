#pragma once
// CAutoHideBar: the strip along one side of the frame that shows pinned-away
// bars as tabs. It takes 24 pixels of the frame's layout while it has tabs and
// hides itself without; pointing at a tab slides that tab's content out in its
// CDrawFrame. The four strips of a frame share one image list.
#include <memory>
#include <vector>

#include "framework/framework.h"
#include "ui/controls/docking/AutoHideLayout.h"
#include "ui/controls/docking/DrawFrame.h"

class CAutoHideBar;

// Destroys a tab's pop-up when the tab goes (later, if it is busy).
struct CDrawFrameRelease {
  void operator()(CDrawFrame* p) const {
    if (p) p->DestroyDeferred();
  }
};

struct CAutoHideTab {
  UINT flags = 0;
  CWnd* content = nullptr;
  std::unique_ptr<CDrawFrame, CDrawFrameRelease> frame;  // none for separators
  CString title;
  CAutoHideBar* owner = nullptr;
  CRect rect;                                // on the strip
  CRect popupRect{0, 0, 190, 140};           // the pop-up's default size
  DWORD_PTR userValue = 0;                   // the bar the content belongs to
  int image = -1;
};

class CAutoHideBar : public CWnd {
  DECLARE_DYNAMIC(CAutoHideBar)
 public:
  enum Side { kTop = 0, kLeft = 1, kRight = 2, kBottom = 3 };
  static constexpr UINT kFirstID = 233;

  CAutoHideBar();
  ~CAutoHideBar() override;

  BOOL Create(int nSide, CWnd* pParentWnd);
  void SetImageList(CImageList* pImageList) { m_pImageList = pImageList; }
  // Appends a tab; a tab that is no separator gets its pop-up, which takes
  // the content window as its child.
  CAutoHideTab* AddTab(UINT flags, CWnd* pContent, LPCSTR lpszTitle, LPCRECT lpRect, DWORD_PTR userValue,
                       int image);
  // The content goes back to the bar it belongs to; the pop-up and the tab go.
  void RemoveTab(CWnd* pContent);
  void TrimSeparators();
  DWORD_PTR GetTabData(CWnd* pContent) const;
  void RecalcLayout();

  int GetSide() const { return m_nSide; }
  BOOL IsHorizontal() const { return m_nSide == kTop || m_nSide == kBottom; }
  int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
  CAutoHideTab* GetTab(int i) const { return m_tabs.at(static_cast<size_t>(i)).get(); }
  // The tab (no separator) under a point of the client area, or -1.
  int TabAt(CPoint point) const;
  // Every strip drops the tabs of a bar that is going away.
  static void ForgetUserValue(DWORD_PTR userValue);

  int m_nSide = kTop;
  int m_nThickness = 24;
  int m_nHot = -1;  // the tab under the pointer

  static constexpr COLORREF kBackground = RGB(0xE8, 0xE8, 0xE8);
  static constexpr COLORREF kTabColour = RGB(0xD2, 0xD2, 0xD2);

  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);

 protected:
  int TextWidth(const CString& text) const;
  void RemoveTabAt(size_t index);
  std::vector<std::unique_ptr<CAutoHideTab>> m_tabs;
  CFont m_fontHorz;
  CFont m_fontVert;
  CImageList* m_pImageList = nullptr;
  DECLARE_MESSAGE_MAP()
};
