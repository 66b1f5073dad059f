#include <gtest/gtest.h>

#include "framework/framework.h"
#include "test_support.h"

namespace {
// A button that handles its own click; unless it says it handled it alone, the
// parent sees the click too.
class CSelfClickButton : public CButton {
 public:
  int clicks = 0;
  BOOL handledAlone = TRUE;
  int drawn = 0;
  COLORREF drawnColour = 0;
  afx_msg BOOL OnClicked() {
    ++clicks;
    return handledAlone;
  }
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
    pDC->SetTextColor(RGB(1, 2, 3));
    lastCtlType = nCtlColor;
    return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  }
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    ++drawn;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    pDC->FillSolidRect(&lpDIS->rcItem, RGB(10, 200, 30));
  }
  UINT lastCtlType = 99;
  DECLARE_MESSAGE_MAP()
};

class CNotifyList : public CListCtrl {
 public:
  int reflected = 0;
  afx_msg void OnItemChanged(NMHDR*, LRESULT* pResult) {
    ++reflected;
    *pResult = 0;
  }
  DECLARE_MESSAGE_MAP()
};

class CParentWnd : public CHostWnd {
 public:
  int parentClicks = 0;
  int parentNotifies = 0;
  afx_msg void OnButton() { ++parentClicks; }
  afx_msg void OnListNotify(NMHDR*, LRESULT*) { ++parentNotifies; }
  DECLARE_MESSAGE_MAP()
};
}  // namespace

BEGIN_MESSAGE_MAP(CSelfClickButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CNotifyList, CListCtrl)
  ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CParentWnd, CHostWnd)
  ON_BN_CLICKED(501, OnButton)
  ON_NOTIFY(LVN_ITEMCHANGED, 502, OnListNotify)
END_MESSAGE_MAP()

TEST(Reflection, ControlHandlesItsOwnNotificationFirst) {
  CParentWnd parent;
  CSelfClickButton button;
  ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 501));
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.clicks, 1);
  EXPECT_EQ(parent.parentClicks, 0);  // taken by the control
  button.handledAlone = FALSE;
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.clicks, 2);
  EXPECT_EQ(parent.parentClicks, 1);  // the _EX handler let the parent have it
}

TEST(Reflection, NotifyGoesToTheControlInsteadOfTheParent) {
  CParentWnd parent;
  CNotifyList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 502));
  list.InsertColumn(0, "c", LVCFMT_LEFT, 80);
  list.InsertItem(0, "first");
  int before = list.reflected;
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_GT(list.reflected, before);
  EXPECT_EQ(parent.parentNotifies, 0);
}

TEST(Reflection, ColourMessageIsAnsweredByTheControl) {
  CParentWnd parent;
  CSelfClickButton button;
  ASSERT_TRUE(button.Create("b", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 501));
  CClientDC dc(&button);
  LRESULT brush = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.m_hDC),
                                     reinterpret_cast<LPARAM>(button.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(button.lastCtlType, static_cast<UINT>(CTLCOLOR_BTN));
  EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
}

TEST(Reflection, OwnerDrawGoesToTheControlsDrawItem) {
  CParentWnd parent;
  CSelfClickButton button;
  ASSERT_TRUE(button.Create("b", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 8, 8), &parent, 501));
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
  CBitmap* old = memory.SelectObject(&bitmap);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = 501;
  dis.hwndItem = button.m_hWnd;
  dis.hDC = memory.m_hDC;
  dis.rcItem = CRect(0, 0, 8, 8);
  parent.SendMessage(WM_DRAWITEM, 501, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(button.drawn, 1);
  EXPECT_EQ(memory.GetPixel(4, 4), RGB(10, 200, 30));
  memory.SelectObject(old);
}

namespace {
// A slider that takes its own scroll messages.
class CSelfScrollingSlider : public CSliderCtrl {
 public:
  int scrolls = 0;
  UINT lastCode = 99;
  afx_msg void HScroll(UINT nSBCode, UINT) {
    ++scrolls;
    lastCode = nSBCode;
  }
  DECLARE_MESSAGE_MAP()
};

// A parent that sees scroll messages of plain sliders.
class CScrollParent : public CHostWnd {
 public:
  CScrollBar* lastBar = nullptr;
  afx_msg void OnHScroll(UINT, UINT, CScrollBar* pScrollBar) { lastBar = pScrollBar; }
  DECLARE_MESSAGE_MAP()
};
}  // namespace

BEGIN_MESSAGE_MAP(CSelfScrollingSlider, CSliderCtrl)
  ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CScrollParent, CHostWnd)
  ON_WM_HSCROLL()
END_MESSAGE_MAP()

TEST(Reflection, ScrollMessagesReachTheControlOrTheParentHandler) {
  CHostWnd plainParent;
  CSelfScrollingSlider slider;
  ASSERT_TRUE(slider.Create(WS_CHILD, CRect(0, 0, 100, 20), &plainParent, 20));
  plainParent.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_LINEDOWN, 0), reinterpret_cast<LPARAM>(slider.m_hWnd));
  EXPECT_EQ(slider.scrolls, 1);
  EXPECT_EQ(slider.lastCode, static_cast<UINT>(TB_LINEDOWN));

  CScrollParent parent;
  CSliderCtrl plainSlider;
  ASSERT_TRUE(plainSlider.Create(WS_CHILD, CRect(0, 0, 100, 20), &parent, 21));
  parent.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_LINEUP, 0), reinterpret_cast<LPARAM>(plainSlider.m_hWnd));
  // The handler gets the slider's own object back (cast as the handler's type).
  EXPECT_EQ(reinterpret_cast<CSliderCtrl*>(parent.lastBar), &plainSlider);
}
