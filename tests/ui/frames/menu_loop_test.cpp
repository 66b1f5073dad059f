#include <string>

#include "ui/frames/frames_fixture.h"

namespace {
// A frame that acts once its menu loop idles: it looks at the open popup,
// photographs the screen on request, destroys itself if asked while the menu
// is still open, and ends the menu.
class CLoopFrame : public CSkinFrameWnd {
 public:
  bool destroyWhileOpen = false;
  std::string shot = "frame_popup.bmp";
  HWND popupWindow = nullptr;
  bool popupThemed = false;
  RECT firstItem{};
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho) {
    if (popupWindow || nWhy != MSGF_MENU) return;
    popupWindow = pWho ? pWho->m_hWnd : ::FindWindowA("#32768", nullptr);
    popupThemed = MenuHookDataOf(popupWindow) != nullptr;
    HMENU open = popupWindow ? reinterpret_cast<HMENU>(::SendMessageA(popupWindow, 0x01E1, 0, 0)) : nullptr;
    if (open) ::GetMenuItemRect(m_hWnd, open, 0, &firstItem);
    SaveShot(shot.c_str(), {m_hWnd, popupWindow});
    ::EndMenu();
    if (!destroyWhileOpen) return;
    // The menu's wake-up went to this window (and its popup went with it):
    // the loop needs another one.
    DestroyWindow();
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopFrame, CSkinFrameWnd)
  ON_WM_ENTERIDLE()
END_MESSAGE_MAP()
}  // namespace

TEST_F(FrameTest, APopupOfTheMenuBarOpensMeasuredAndThemedInEveryLook) {
  for (int theme : {8, 9, 2, 0, 4, 6, 10}) {
    CSkinMenu::SelectTheme(theme);
    auto* loop = new CLoopFrame;
    loop->shot = "frame_popup_theme" + std::to_string(theme) + ".bmp";
    Open(loop);
    // Alt+F through the system: the bar's own menu loop opens "File".
    loop->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_NE(loop->popupWindow, nullptr) << theme;
    EXPECT_TRUE(loop->popupThemed) << theme;
    EXPECT_GT(loop->firstItem.right - loop->firstItem.left, 40) << theme;
    EXPECT_GE(loop->firstItem.bottom - loop->firstItem.top, ::GetSystemMetrics(SM_CYMENU) - 2) << theme;
    EXPECT_TRUE(SkinState().menuWindows.empty()) << theme;
    frame->DestroyWindow();
    frame = nullptr;
  }
}

TEST_F(FrameTest, AFrameDestroyedWithItsMenuOpenOrItsBarHotLeavesNothingBehind) {
  SkinPlatform p;
  p.osClass = 5;
  Restart(p);
  CSkinMenu::SelectTheme(8);
  auto* loop = new CLoopFrame;
  loop->destroyWhileOpen = true;
  Open(loop);
  const POINT at = ItemCorner(0);
  loop->m_DefaultMenu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN, at.x, at.y + 30, loop);
  frame = nullptr;  // gone with its window, and its menus with it
  EXPECT_TRUE(SkinState().menuWindows.empty());

  // Its bar item drawn hot, and its popup's opening recorded for a window
  // that never came: nothing may point into the frame's menus afterwards.
  Open();
  HitTest(ItemCorner(0));
  ASSERT_NE(SkinState().hotTrackedItem, nullptr);
  SkinState().popupBeingInitialised = ::GetSubMenu(frame->m_DefaultMenu.m_hMenu, 1);
  frame->DestroyWindow();
  frame = nullptr;
  EXPECT_EQ(SkinState().hotTrackedItem, nullptr);
  EXPECT_EQ(SkinState().popupBeingInitialised, nullptr);
}
