#include "ui/menus/menus_fixture.h"

namespace {
// Tracks a themed popup; once the menu loop idles it looks at the popup window,
// optionally photographs the screen around it, and closes it with a posted key.
class CPopupHost : public CWnd {
 public:
  CPopupHost() {
    CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), "Host",
             WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr);
  }
  HWND menuWindow = nullptr;
  bool subclassed = false;
  COLORREF leftEdge = CLR_INVALID;
  RECT popupRect{};
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu) {
    CSkinMenu::OnInitMenuPopup(m_hWnd, pMenu, nIndex, bSysMenu);
  }
  afx_msg LRESULT OnEnterIdle(WPARAM, LPARAM lParam) {
    if (menuWindow) return 0;
    menuWindow = lParam ? reinterpret_cast<HWND>(lParam) : ::FindWindowA("#32768", nullptr);
    subclassed = MenuHookDataOf(menuWindow) != nullptr &&
                 ::GetWindowLongPtrA(menuWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&MenuWindowProc);
    ::GetWindowRect(menuWindow, &popupRect);
    HDC screen = ::GetDC(nullptr);
    leftEdge = ::GetPixel(screen, popupRect.left, (popupRect.top + popupRect.bottom) / 2);
    SaveShot("popup.bmp", {m_hWnd, menuWindow});
    ::ReleaseDC(nullptr, screen);
    ::PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPopupHost, CWnd)
  ON_WM_INITMENUPOPUP()
  ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()
}  // namespace

TEST_F(MenuLibraryTest, ATrackedPopupIsSubclassedForItsThemedBorderUntilItCloses) {
  CSkinMenu::SelectTheme(8);
  SampleMenu sample;
  CPopupHost host;
  ::SetForegroundWindow(host.m_hWnd);
  PumpPending();
  CSkinMenu* popup = sample.popup();
  popup->TrackPopupMenu(TPM_LEFTALIGN, 40, 40, &host);
  ASSERT_NE(host.menuWindow, nullptr);
  EXPECT_TRUE(host.subclassed);
  EXPECT_EQ(host.leftEdge, DarkenColor(128, GetMenuBarColor(popup->m_hMenu)));
  EXPECT_TRUE(SkinState().menuWindows.empty());
  EXPECT_EQ(::GetPropA(host.menuWindow, "OldMenuProc"), nullptr);
  host.DestroyWindow();
}

TEST_F(MenuLibraryTest, OnlyMenuWindowsOfThemedMenusAreSubclassedAndShutdownRestoresThem) {
  SampleMenu sample;
  CMenu plain;
  plain.CreatePopupMenu();
  HWND menuWnd = ::CreateWindowExA(0, "#32768", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(menuWnd, nullptr);
  LONG_PTR original = ::GetWindowLongPtrA(menuWnd, GWLP_WNDPROC);
  SkinState().popupBeingInitialised = plain.m_hMenu;
  EXPECT_FALSE(SubclassMenuWindow(menuWnd));
  SkinState().popupBeingInitialised = sample.popup()->m_hMenu;
  EXPECT_FALSE(SubclassMenuWindow(other));
  EXPECT_TRUE(SubclassMenuWindow(menuWnd));
  EXPECT_EQ(::GetWindowLongPtrA(menuWnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&MenuWindowProc));
  EXPECT_NE(::GlobalFindAtomA("OldMenuProc"), 0);
  library.reset();
  EXPECT_EQ(SkinState().hook, nullptr);
  EXPECT_EQ(::GetWindowLongPtrA(menuWnd, GWLP_WNDPROC), original);
  EXPECT_EQ(::GetPropA(menuWnd, "OldMenuProc"), nullptr);
  ::DestroyWindow(menuWnd);
  ::DestroyWindow(other);
}

namespace {
// Stands in for a menu window's own procedure and notes the device contexts
// that printing hands it.
std::vector<HDC> g_printedOn;
int g_printClients = 0;
LRESULT CALLBACK RecordingMenuProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PRINT || message == WM_PRINTCLIENT || message == WM_ERASEBKGND)
    g_printedOn.push_back(reinterpret_cast<HDC>(wParam));
  if (message == WM_PRINTCLIENT) ++g_printClients;
  return ::DefWindowProcA(hWnd, message, wParam, lParam);
}
}  // namespace

TEST_F(MenuLibraryTest, PrintingAThemedMenuWindowPutsFrameAndErasedClientTogetherOffScreen) {
  CSkinMenu::SelectTheme(8);
  SampleMenu sample;
  CSkinMenu* popup = sample.popup();
  // A background no one else paints: only the theme's erasing shows it.
  const COLORREF background = RGB(10, 200, 30);
  HBRUSH brush = ::CreateSolidBrush(background);
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  info.hbrBack = brush;
  ::SetMenuInfo(popup->m_hMenu, &info);
  HWND menuWnd = ::CreateWindowExA(0, "#32768", "", WS_POPUP, 0, 0, 90, 70, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(menuWnd, nullptr);
  ::SetWindowLongPtrA(menuWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingMenuProc));
  SkinState().popupBeingInitialised = popup->m_hMenu;
  ASSERT_TRUE(SubclassMenuWindow(menuWnd));
  RECT window, client;
  ::GetWindowRect(menuWnd, &window);
  ::GetClientRect(menuWnd, &client);
  POINT corner{0, 0};
  ::ClientToScreen(menuWnd, &corner);
  Canvas target(window.right - window.left, window.bottom - window.top);
  g_printedOn.clear();
  g_printClients = 0;
  ::SendMessageA(menuWnd, WM_PRINT, reinterpret_cast<WPARAM>(target.dc()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(target.At(0, 0), DarkenColor(128, background)) << "the theme's frame";
  EXPECT_EQ(target.At(corner.x - window.left + client.right / 2, corner.y - window.top + client.bottom / 2), background)
      << "the client area erased by the theme";
  EXPECT_GE(g_printClients, 1);
  for (HDC dc : g_printedOn) EXPECT_NE(dc, target.dc()) << "put together off screen";
  EXPECT_EQ(MenuHookDataOf(menuWnd)->m_dwData & 8, 0u) << "no longer printing";
  UnsubclassMenuWindow(menuWnd);
  ::DestroyWindow(menuWnd);
  ::DeleteObject(brush);
}

TEST_F(MenuLibraryTest, TheSoftShadowDarkensTheScreenSavedUnderTheMenuTowardsIt) {
  CSkinMenu::SelectTheme(8);  // bordered; the system draws no shadow here
  SampleMenu sample;
  HWND menuWnd = ::CreateWindowExA(0, "#32768", "", WS_POPUP, 0, 0, 90, 70, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(menuWnd, nullptr);
  SkinState().popupBeingInitialised = sample.popup()->m_hMenu;
  ASSERT_TRUE(SubclassMenuWindow(menuWnd));
  RECT window;
  ::GetWindowRect(menuWnd, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  // What was on the screen before the menu came: one colour.
  const COLORREF screen = RGB(200, 100, 60);
  {
    HDC dc = ::GetDC(nullptr), mem = ::CreateCompatibleDC(dc);
    HBITMAP copy = ::CreateCompatibleBitmap(dc, w + 10, h + 10);
    HGDIOBJ old = ::SelectObject(mem, copy);
    FillSolid(mem, {0, 0, w + 10, h + 10}, screen);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, dc);
    MenuHookDataOf(menuWnd)->m_screen.Reset(copy);
  }
  Canvas drawn(w, h);
  CurrentTheme()->OnDrawBorder(menuWnd, drawn.dc(), FALSE);
  auto darkened = [&](int weight) {
    return RGB(GetRValue(screen) * weight / 255, GetGValue(screen) * weight / 255, GetBValue(screen) * weight / 255);
  };
  EXPECT_EQ(drawn.At(w - 1, 1), screen) << "the shadow starts a few rows down";
  EXPECT_EQ(drawn.At(w - 1, h / 2), darkened(225)) << "outermost column";
  EXPECT_EQ(drawn.At(w - 4, h / 2), darkened(135)) << "innermost column";
  EXPECT_EQ(drawn.At(w / 2, h - 1), darkened(225)) << "outermost row";
  EXPECT_EQ(drawn.At(1, h - 1), screen) << "and a few columns in";
  UnsubclassMenuWindow(menuWnd);
  ::DestroyWindow(menuWnd);
}
