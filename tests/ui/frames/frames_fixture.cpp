#include "ui/frames/frames_fixture.h"

void FrameTest::TearDown() {
  if (frame && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
  frame = nullptr;
  MenuLibraryTest::TearDown();
}

void FrameTest::Open(CSkinFrameWnd* object) {
  frame = object ? object : new CSkinFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Cornice", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 420, 260), nullptr,
                            MAKEINTRESOURCEA(kTestMenu)));
  HWND child = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, frame->m_hWnd, nullptr,
                                 nullptr, nullptr);
  ::SetForegroundWindow(frame->m_hWnd);
  ::SetFocus(child);
  PumpPending();
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

RECT FrameTest::ItemRect(int pos) const {
  RECT r{};
  ::GetMenuItemRect(frame->m_hWnd, ::GetMenu(frame->m_hWnd), static_cast<UINT>(pos), &r);
  return r;
}

POINT FrameTest::ItemCorner(int pos) const {
  RECT r = ItemRect(pos);
  return {r.left + 2, r.top + 2};
}

LRESULT FrameTest::HitTest(POINT screen) const {
  return frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

COLORREF FrameTest::FramePixel(POINT screen) const {
  RECT window;
  frame->GetWindowRect(&window);
  HDC dc = ::GetWindowDC(frame->m_hWnd);
  COLORREF c = ::GetPixel(dc, screen.x - window.left, screen.y - window.top);
  ::ReleaseDC(frame->m_hWnd, dc);
  return c;
}

COLORREF FrameTest::ItemPixelDrawnAs(int pos, UINT state) const {
  RECT window, item = ItemRect(pos);
  frame->GetWindowRect(&window);
  ::OffsetRect(&item, -window.left, -window.top);
  Canvas canvas(window.right - window.left, item.bottom + 2);
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_DATA;
  ::GetMenuItemInfoA(frame->m_DefaultMenu.m_hMenu, static_cast<UINT>(pos), TRUE, &mii);
  DRAWITEMSTRUCT dis{ODT_MENU, 0, mii.wID, ODA_DRAWENTIRE, state,
                     reinterpret_cast<HWND>(frame->m_DefaultMenu.m_hMenu), canvas.dc(), item, mii.dwItemData};
  frame->m_DefaultMenu.DrawItem(&dis);
  return canvas.At(item.left + 2, item.top + 2);
}
