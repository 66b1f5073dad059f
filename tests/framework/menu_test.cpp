#include <gtest/gtest.h>

#include "framework/framework.h"
#include "test_support.h"

namespace {
const UINT kOwnerDrawnId = 900;

class COwnerMenu : public CMenu {
 public:
  int measured = 0;
  int drawn = 0;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override {
    ++measured;
    lpMIS->itemWidth = 80;
    lpMIS->itemHeight = 20;
  }
  void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
};

// Ends menu tracking as soon as it starts, noting which menu was tracked.
class CTrackingHost : public CHostWnd {
 public:
  HMENU trackedDuringInit = nullptr;
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu) {
    trackedDuringInit = CMenu::GetTrackingMenu();
    CWnd::OnInitMenuPopup(pMenu, nIndex, bSysMenu);
    ::EndMenu();
  }
  DECLARE_MESSAGE_MAP()
};
}  // namespace

BEGIN_MESSAGE_MAP(CTrackingHost, CHostWnd)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

TEST(Menu, AttachedMenusAreFoundAgainAndTemporariesAreNot) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  EXPECT_EQ(CMenu::FromHandlePermanent(menu.m_hMenu), &menu);
  EXPECT_TRUE(menu.AppendMenu(MF_STRING, 1, "One"));
  EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 2, "Two"));
  EXPECT_EQ(menu.GetMenuItemCount(), 2u);
  EXPECT_EQ(menu.GetMenuItemID(0), 2u);
  CString text;
  menu.GetMenuString(1, text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "One");
  menu.EnableMenuItem(1, MF_BYCOMMAND | MF_GRAYED);
  menu.CheckMenuItem(2, MF_BYCOMMAND | MF_CHECKED);
  EXPECT_NE(menu.GetMenuState(1, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_NE(menu.GetMenuState(2, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_TRUE(menu.ModifyMenu(2, MF_BYCOMMAND | MF_STRING, 3, "Three"));
  EXPECT_TRUE(menu.RemoveMenu(3, MF_BYCOMMAND));
  EXPECT_EQ(menu.GetMenuItemCount(), 1u);
  HMENU raw = ::CreatePopupMenu();
  CMenu* temp = CMenu::FromHandle(raw);
  EXPECT_EQ(CMenu::FromHandlePermanent(raw), nullptr);
  EXPECT_EQ(temp->m_hMenu, raw);
  AfxDeleteTempMaps();
  EXPECT_TRUE(::IsMenu(raw));
  ::DestroyMenu(raw);
  HMENU h = menu.Detach();
  EXPECT_EQ(CMenu::FromHandlePermanent(h), nullptr);
  ::DestroyMenu(h);
}

TEST(Menu, OwnerDrawnItemsOfTheMenuBarReachTheirMenuObject) {
  CHostWnd host;
  CMenu bar;
  COwnerMenu popup;
  ASSERT_TRUE(bar.CreateMenu());
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_OWNERDRAW, kOwnerDrawnId, nullptr);
  bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "Menu");
  host.SetMenu(&bar);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = kOwnerDrawnId;
  host.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(popup.measured, 1);
  EXPECT_EQ(mis.itemWidth, 80u);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = kOwnerDrawnId;
  dis.hwndItem = reinterpret_cast<HWND>(popup.m_hMenu);
  host.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(popup.drawn, 1);
  host.SetMenu(nullptr);
  bar.RemoveMenu(0, MF_BYPOSITION);  // the popup is destroyed by its own object
}

TEST(Menu, TrackingRecordsTheMenuAndWindowForItsDuration) {
  CTrackingHost host;
  host.ShowWindow(SW_SHOWNA);
  COwnerMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_OWNERDRAW, kOwnerDrawnId, nullptr);
  popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 10, 10, &host);
  EXPECT_EQ(host.trackedDuringInit, popup.m_hMenu);
  EXPECT_GE(popup.measured, 1);  // measured while tracked, through the tracking record
  EXPECT_EQ(CMenu::GetTrackingMenu(), nullptr);
  EXPECT_EQ(CMenu::GetTrackingWindow(), nullptr);
}

TEST(Menu, CommandUiChangesTextCheckAndEnableByPosition) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 10, "Old");
  CCmdUI state;
  state.m_pMenu = &menu;
  state.m_nIndex = 0;
  state.m_nID = 10;
  state.SetText("New");
  state.SetCheck(1);
  state.Enable(FALSE);
  CString text;
  menu.GetMenuString(10, text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "New");
  UINT flags = menu.GetMenuState(10, MF_BYCOMMAND);
  EXPECT_NE(flags & MF_CHECKED, 0u);
  EXPECT_NE(flags & MF_GRAYED, 0u);
  state.Enable(TRUE);
  state.SetRadio(FALSE);
  flags = menu.GetMenuState(10, MF_BYCOMMAND);
  EXPECT_EQ(flags & (MF_CHECKED | MF_GRAYED), 0u);
}
