#include "ui/frames/SkinDialog.h"
#include "ui/frames/SkinMDIFrames.h"
#include "ui/frames/docking/SkinMiniFrames.h"
#include "ui/frames/frames_fixture.h"

namespace {
// Every item of the menu is owner-drawn and carries item data the menu knows.
void ExpectThemed(HMENU hMenu) {
  CSkinMenu* menu = DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(hMenu));
  ASSERT_NE(menu, nullptr);
  const int count = ::GetMenuItemCount(hMenu);
  ASSERT_GT(count, 0);
  for (int pos = 0; pos < count; ++pos) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << pos;
    EXPECT_NE(menu->CheckItemData(mii.dwItemData), nullptr) << pos;
  }
}

bool HasCommand(HMENU hMenu, UINT id) { return ::GetMenuState(hMenu, id, MF_BYCOMMAND) != 0xFFFFFFFF; }

// A frame that counts itself and can be made to fail its creation.
class CCountedFrame : public CSkinFrameWnd {
 public:
  static int alive;
  static HMENU systemMenuAtEnd;
  bool failClient = false;
  CCountedFrame() { ++alive; }
  ~CCountedFrame() override {
    --alive;
    systemMenuAtEnd = m_SystemMenu.m_hMenu;
  }
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override {
    return !failClient && CSkinFrameWnd::OnCreateClient(lpcs, pContext);
  }
};
int CCountedFrame::alive = 0;
HMENU CCountedFrame::systemMenuAtEnd = nullptr;
}  // namespace

TEST_F(FrameTest, EveryKindOfFrameHasThemedMenusAndGoesCleanly) {
  CSkinMenu::SelectTheme(8);
  Open();
  HMENU bar = ::GetMenu(frame->m_hWnd);
  EXPECT_EQ(bar, frame->m_DefaultMenu.m_hMenu);
  ExpectThemed(bar);
  ExpectThemed(::GetSubMenu(bar, 0));
  HMENU system = ::GetSystemMenu(frame->m_hWnd, FALSE);
  EXPECT_EQ(frame->m_SystemMenu.m_hMenu, system);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
  ExpectThemed(system);
  EXPECT_TRUE(HasCommand(system, SC_CLOSE + 1)) << "window commands are drawn as glyphs while open";
  frame->DestroyWindow();
  frame = nullptr;
  EXPECT_FALSE(::IsMenu(bar));

  // The document template's way: the resource menu the window got becomes themed.
  auto* loaded = new CSkinFrameWnd;
  ASSERT_TRUE(loaded->LoadFrame(kTestMenu, WS_OVERLAPPEDWINDOW));
  EXPECT_EQ(::GetMenu(loaded->m_hWnd), loaded->m_DefaultMenu.m_hMenu);
  ExpectThemed(loaded->m_DefaultMenu.m_hMenu);
  loaded->DestroyWindow();

  // The multiple-document pair and the mini frame.
  auto* mdi = new CSkinMDIFrameWnd;
  ASSERT_TRUE(mdi->LoadFrame(kTestMenu, WS_OVERLAPPEDWINDOW));
  ExpectThemed(mdi->m_DefaultMenu.m_hMenu);
  auto* child = new CSkinMDIChildWnd;
  ASSERT_TRUE(child->Create(nullptr, "Figlio", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, mdi));
  EXPECT_NE(child->m_SystemMenu.m_hMenu, nullptr);
  child->DestroyWindow();
  mdi->DestroyWindow();
  auto* mini = new CSkinMiniFrameWnd;
  ASSERT_TRUE(mini->Create(nullptr, "Mini", WS_POPUP | WS_CAPTION | WS_SYSMENU, CRect(0, 0, 120, 80)));
  EXPECT_EQ(mini->m_SystemMenu.m_hMenu, ::GetSystemMenu(mini->m_hWnd, FALSE));
  mini->DestroyWindow();

  CSkinDialog dialog;
  ASSERT_TRUE(dialog.Create(kTestDialog));
  EXPECT_EQ(dialog.m_SystemMenu.m_hMenu, ::GetSystemMenu(dialog.m_hWnd, FALSE));
  dialog.DestroyWindow();
  EXPECT_EQ(dialog.m_SystemMenu.m_hMenu, nullptr);
  EXPECT_TRUE(SkinState().menuWindows.empty());
}

TEST_F(FrameTest, AFrameThatCannotBeMadeLeavesNoMenuOrObjectBehind) {
  auto* noMenu = new CCountedFrame;
  EXPECT_FALSE(noMenu->Create(nullptr, "x", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr,
                              MAKEINTRESOURCEA(999)));
  EXPECT_EQ(CCountedFrame::alive, 0);

  auto* failing = new CCountedFrame;
  failing->failClient = true;
  EXPECT_FALSE(failing->Create(nullptr, "x", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr,
                               MAKEINTRESOURCEA(kTestMenu)));
  EXPECT_EQ(CCountedFrame::alive, 0);
  EXPECT_EQ(CCountedFrame::systemMenuAtEnd, nullptr) << "no system menu is taken when creation fails";
}

TEST_F(FrameTest, HotTrackingRunsOnlyWhereTheSystemDoesNotTrack) {
  struct Case {
    int osClass;
    bool remote, tracks;
  };
  const Case cases[] = {{7, false, false}, {6, false, false}, {7, true, true}, {5, false, true}, {3, false, true}};
  for (const Case& c : cases) {
    SkinPlatform p;
    p.osClass = c.osClass;
    p.remoteDesktop = c.remote;
    Restart(p);
    CSkinMenu::SelectTheme(8);
    Open();
    EXPECT_EQ(HitTest(ItemCorner(1)), HTMENU) << c.osClass;
    EXPECT_EQ(frame->m_nHotItem, c.tracks ? 1 : -1) << c.osClass;
    EXPECT_EQ(frame->m_nTimerID != 0, c.tracks) << c.osClass;
    frame->DestroyWindow();
    frame = nullptr;
  }
}

TEST_F(FrameTest, TheItemUnderTheMouseIsDrawnHotWithOneTimerUntilTheMouseLeaves) {
  SkinPlatform p;
  p.osClass = 5;
  Restart(p);
  CSkinMenu::SelectTheme(8);
  Open();
  const COLORREF hot = ItemPixelDrawnAs(0, ODS_HOTLIGHT), plain = ItemPixelDrawnAs(0, 0);
  ASSERT_NE(plain, hot);
  ASSERT_EQ(FramePixel(ItemCorner(0)), plain);

  HitTest(ItemCorner(0));
  EXPECT_EQ(FramePixel(ItemCorner(0)), hot);
  const UINT_PTR timer = frame->m_nTimerID;
  ASSERT_NE(timer, 0u);
  HitTest(ItemCorner(1));
  EXPECT_EQ(frame->m_nHotItem, 1);
  EXPECT_EQ(frame->m_nTimerID, timer) << "one timer for the whole bar";
  EXPECT_EQ(FramePixel(ItemCorner(0)), plain);
  EXPECT_EQ(FramePixel(ItemCorner(1)), ItemPixelDrawnAs(1, ODS_HOTLIGHT));

  // A menu loop takes over: the hot item goes back to normal and stays so.
  frame->SendMessage(WM_ENTERMENULOOP, FALSE);
  EXPECT_EQ(frame->m_nHotItem, -1);
  EXPECT_EQ(frame->m_nTimerID, 0u);
  EXPECT_EQ(FramePixel(ItemCorner(1)), ItemPixelDrawnAs(1, 0));
  HitTest(ItemCorner(0));
  EXPECT_EQ(frame->m_nHotItem, -1);
  frame->SendMessage(WM_EXITMENULOOP, FALSE);

  HitTest(ItemCorner(0));
  EXPECT_EQ(frame->m_nHotItem, 0);
  RECT client;
  frame->GetClientRect(&client);
  POINT inside{client.right / 2, client.bottom / 2};
  frame->ClientToScreen(&inside);
  HitTest(inside);
  EXPECT_EQ(frame->m_nHotItem, -1);
  EXPECT_EQ(frame->m_nTimerID, 0u);
  EXPECT_EQ(FramePixel(ItemCorner(0)), plain);
}

TEST_F(FrameTest, TheLineUnderTheBarAndTheBarsEmptyEndShowTheThemeBrush) {
  CSkinMenu::SelectTheme(8);
  Open();
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  ASSERT_TRUE(::GetMenuInfo(frame->m_DefaultMenu.m_hMenu, &info));
  ASSERT_NE(info.hbrBack, nullptr);
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  PumpPending();
  // The brush painted from the window's origin, as a reference.
  RECT window;
  frame->GetWindowRect(&window);
  Canvas brush(window.right - window.left, 4);
  RECT strip{0, 0, window.right - window.left, 4};
  ::FillRect(brush.dc(), &strip, info.hbrBack);
  RECT client;
  frame->GetClientRect(&client);
  POINT top{0, 0};
  frame->ClientToScreen(&top);
  const int xs[] = {static_cast<int>(top.x + 5), static_cast<int>(top.x + client.right - 5)};
  for (int x : xs) EXPECT_EQ(FramePixel({x, top.y - 1}), brush.At(x - window.left, 0)) << x;
  const RECT last = ItemRect(2);
  const int beyond = (last.right + window.right) / 2;
  const COLORREF expected = brush.At(beyond - window.left, 0);
  ASSERT_NE(expected, ::GetSysColor(COLOR_MENUBAR));
  ASSERT_NE(expected, ::GetSysColor(COLOR_MENU));
  EXPECT_EQ(FramePixel({beyond, (last.top + last.bottom) / 2}), expected);
}
