// The editor's three docking bars in the real main frame: where they dock,
// the tools bar's tabs, pinning away and back, floating, the view commands.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "crop/MouseInput.h"
#include "ui/frames/docking/SkinResizingMiniFrame.h"

namespace {
// Writes what the frame and a pop-up show as a 24-bit BMP file.
bool WriteScreenshot(CWnd* frame, CWnd* popup, const std::string& path) {
  CRect f, p;
  frame->GetWindowRect(&f);
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), f.Width(), f.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, dib);
  for (CWnd* w : {frame, popup}) {
    if (!w || !w->IsWindowVisible()) continue;
    CRect r;
    w->GetWindowRect(&r);
    HDC src = ::GetWindowDC(w->m_hWnd);
    ::BitBlt(mem, r.left - f.left, r.top - f.top, r.Width(), r.Height(), src, 0, 0, SRCCOPY);
    ::ReleaseDC(w->m_hWnd, src);
  }
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  DWORD rowBytes = (static_cast<DWORD>(f.Width()) * 3 + 3) & ~3u;
  DWORD size = rowBytes * static_cast<DWORD>(f.Height());
  BITMAPFILEHEADER header{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  FILE* out = std::fopen(path.c_str(), "wb");
  bool ok = out && std::fwrite(&header, sizeof header, 1, out) == 1 &&
            std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
            std::fwrite(bits, size, 1, out) == 1;
  if (out) std::fclose(out);
  ::DeleteObject(dib);
  return ok;
}

class EditorBarsTest : public EditorFrameTest {
 protected:
  void SetUp() override {
    EditorFrameTest::SetUp();
    frame->ShowWindow(SW_SHOWNA);
    frame->MoveWindow(0, 0, 1000, 750);
  }
  CEditorBars& Bars() { return frame->GetBars(); }
  UINT DockOf(CWnd& bar) { return static_cast<UINT>(::GetDlgCtrlID(::GetParent(bar.m_hWnd))); }
  void PinAway(CPinDockBar& bar) {
    CRect w;
    bar.GetWindowRect(&w);
    CPoint pin = bar.m_pin.rect.CenterPoint() + w.TopLeft();
    bar.SendMessage(WM_NCLBUTTONUP, HTPIN, MAKELPARAM(pin.x, pin.y));
    input::Flush();
  }
  CDrawFrame* PointAt(CAutoHideBar& strip, const char* title) {
    for (int i = 0; i < strip.GetTabCount(); ++i) {
      CAutoHideTab* tab = strip.GetTab(i);
      if (tab->title != title) continue;
      CPoint mid = tab->rect.CenterPoint();
      strip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(mid.x, mid.y));
      return tab->frame.get();
    }
    return nullptr;
  }
  int VisibleList(CStrumentiBar& tools) {
    int shown = -1;
    for (int i = 0; i < CStrumentiBar::kListCount; ++i)
      if (tools.GetList(i).IsWindowVisible()) shown = shown == -1 ? i : -2;
    return shown;
  }
  void SelectTab(CStrumentiBar& tools, int index) {
    tools.GetTabCtrl().SetCurSel(index);
    NMHDR hdr{tools.GetTabCtrl().m_hWnd, CStrumentiBar::kTabID, static_cast<UINT>(TCN_SELCHANGE)};
    tools.SendMessage(WM_NOTIFY, CStrumentiBar::kTabID, reinterpret_cast<LPARAM>(&hdr));
  }
};
}  // namespace

TEST_F(EditorBarsTest, ThreeBarsDockTopRightAndBottomWithTheirLists) {
  struct Case {
    CPinDockBar& bar;
    const char* title;
    UINT dockBar;
  } cases[] = {{Bars().m_tools, "Cornici e Effetti", AFX_IDW_DOCKBAR_TOP},
               {Bars().m_photos, "Fotografie", AFX_IDW_DOCKBAR_RIGHT},
               {Bars().m_pages, "Pagine", AFX_IDW_DOCKBAR_BOTTOM}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.title);
    CString title;
    k.bar.GetWindowText(title);
    EXPECT_STREQ(title, k.title);
    EXPECT_EQ(DockOf(k.bar), k.dockBar);
    EXPECT_TRUE(k.bar.IsWindowVisible());
  }
  // The toolbar keeps the first row; the tools bar has the next.
  CRect toolbar, tools;
  frame->m_wndToolBar.GetWindowRect(&toolbar);
  Bars().m_tools.GetWindowRect(&tools);
  EXPECT_EQ(DockOf(frame->m_wndToolBar), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(tools.top, toolbar.bottom - 2);
  // Lists 9 pixels inside their bars (or tab control).
  CImgListView& photos = Bars().m_photos.GetList();
  EXPECT_EQ(::GetParent(photos.m_hWnd), Bars().m_photos.m_hWnd);
  EXPECT_EQ(photos.GetDlgCtrlID(), 201);
  CRect list, client;
  photos.GetWindowRect(&list);
  Bars().m_photos.ScreenToClient(&list);
  Bars().m_photos.GetClientRect(&client);
  EXPECT_EQ(list.TopLeft(), CPoint(9, 9));
  EXPECT_EQ(list.Width(), client.Width() - 18);
  CStrumentiBar& bar = Bars().m_tools;
  ASSERT_EQ(bar.GetTabCtrl().GetItemCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(::GetParent(bar.GetList(i).m_hWnd), bar.GetTabCtrl().m_hWnd);
    EXPECT_EQ(bar.GetList(i).GetDlgCtrlID(), 201 + i);
  }
}

TEST_F(EditorBarsTest, TabsSwitchBetweenTheFourLists) {
  CStrumentiBar& tools = Bars().m_tools;
  EXPECT_EQ(VisibleList(tools), 0);
  for (int i : {1, 2, 3, 0}) {
    SelectTab(tools, i);
    EXPECT_EQ(VisibleList(tools), i);
  }
}

TEST_F(EditorBarsTest, PinnedAwayWithEffectsShownItComesBackWithTheFrames) {
  CStrumentiBar& tools = Bars().m_tools;
  SelectTab(tools, 1);
  PinAway(tools);
  EXPECT_FALSE(tools.IsWindowVisible());
  CAutoHideBar& strip = Bars().m_strips[CAutoHideBar::kTop];
  ASSERT_EQ(strip.GetTabCount(), 4);
  const char* titles[] = {" Cornici ", " Effetti ", " Immagini ", " Template "};
  const int images[] = {1, 2, 3, 2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(strip.GetTab(i)->title, titles[i]);
    EXPECT_EQ(strip.GetTab(i)->image, images[i]);
  }
  CDrawFrame* popup = PointAt(strip, " Effetti ");
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->IsWindowVisible());
  EXPECT_EQ(::GetParent(tools.GetList(1).m_hWnd), popup->m_hWnd);
  popup->SendMessage(WM_NCLBUTTONUP, HTPIN, 0);
  input::Flush();
  EXPECT_TRUE(tools.IsWindowVisible());
  EXPECT_EQ(strip.GetTabCount(), 0);
  EXPECT_EQ(tools.GetTabCtrl().GetCurSel(), 0);
  EXPECT_EQ(VisibleList(tools), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(::GetParent(tools.GetList(i).m_hWnd), tools.GetTabCtrl().m_hWnd);
}

TEST_F(EditorBarsTest, AFloatingBarKeepsTheThemeAndTheToolsBarGivesItsTabsFourPixelsMore) {
  CStrumentiBar& tools = Bars().m_tools;
  auto spare = [&] {
    CRect client, tabs;
    tools.GetClientRect(&client);
    tools.GetTabCtrl().GetWindowRect(&tabs);
    return client.Height() - tabs.Height();
  };
  EXPECT_EQ(spare(), 18);
  frame->FloatControlBar(&tools, CPoint(100, 100));
  EXPECT_EQ(spare(), 14);
  // Sized from every edge, with the theme's system menu.
  auto* floating = dynamic_cast<CSkinResizingMiniDockFrameWnd*>(tools.GetParentFrame());
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(floating->GetResizingBar(), &tools);
  HMENU system = floating->m_SystemMenu.m_hMenu;
  ASSERT_NE(system, nullptr);
  floating->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE;
  ASSERT_TRUE(::GetMenuItemInfoA(system, 0, TRUE, &item));
  EXPECT_TRUE(item.fType & MFT_OWNERDRAW);
}

TEST_F(EditorBarsTest, ViewCommandsHideShowAndBringBackPinnedBars) {
  CFotoBar& photos = Bars().m_photos;
  frame->SendMessage(WM_COMMAND, ID_VIEW_PHOTO_BAR);
  EXPECT_FALSE(photos.IsWindowVisible());
  frame->SendMessage(WM_COMMAND, ID_VIEW_PHOTO_BAR);
  EXPECT_TRUE(photos.IsWindowVisible());
  PinAway(photos);
  ASSERT_EQ(Bars().m_strips[CAutoHideBar::kRight].GetTabCount(), 1);
  frame->SendMessage(WM_COMMAND, ID_VIEW_PHOTO_BAR);  // back from its strip, with its list
  EXPECT_TRUE(photos.IsWindowVisible());
  EXPECT_EQ(::GetParent(photos.GetList().m_hWnd), photos.m_hWnd);
  EXPECT_EQ(Bars().m_strips[CAutoHideBar::kRight].GetTabCount(), 0);
}

TEST_F(EditorBarsTest, ScreenshotWithOneBarPinnedAwayAndOneSlidOut) {
  PinAway(Bars().m_pages);
  PinAway(Bars().m_photos);
  CDrawFrame* popup = PointAt(Bars().m_strips[CAutoHideBar::kRight], " Foto ");
  ASSERT_NE(popup, nullptr);
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  popup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const char* path = std::getenv("SPAB_SCREENSHOT");
  EXPECT_TRUE(WriteScreenshot(frame, popup, path ? path : "bars_pinned.bmp"));
  EXPECT_TRUE(Bars().m_strips[CAutoHideBar::kBottom].IsWindowVisible());
  EXPECT_TRUE(popup->IsWindowVisible());
}
