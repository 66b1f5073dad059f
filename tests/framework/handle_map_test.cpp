#include <gtest/gtest.h>

#include <string>

#include "framework/framework.h"
#include "test_support.h"

namespace {
HWND rawWindow() {
  return ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

// Deletes itself after its window is gone, and tells the test.
class CSelfDeletingWnd : public CWnd {
 public:
  explicit CSelfDeletingWnd(bool* deleted) : m_deleted(deleted) {}
  ~CSelfDeletingWnd() override { *m_deleted = true; }
  void PostNcDestroy() override { delete this; }
  bool* m_deleted;
};

class CSubclassedStatic : public CWnd {
 public:
  int preSubclassCalls = 0;
  int clicks = 0;
  void PreSubclassWindow() override { ++preSubclassCalls; }
  afx_msg LRESULT OnPoke(WPARAM, LPARAM) { return 1234; }
  DECLARE_MESSAGE_MAP()
};
}  // namespace

BEGIN_MESSAGE_MAP(CSubclassedStatic, CWnd)
  ON_MESSAGE(WM_USER + 1, OnPoke)
END_MESSAGE_MAP()

TEST(HandleMaps, ForeignHandleGetsATemporaryFreedAtIdle) {
  HWND h = rawWindow();
  ASSERT_NE(h, nullptr);
  CWnd* temp = CWnd::FromHandle(h);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hWnd, h);
  EXPECT_EQ(CWnd::FromHandle(h), temp);  // the same temporary until idle time
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
  TestApp().OnIdle(1);  // the idle pass that frees temporaries
  EXPECT_TRUE(::IsWindow(h));  // the window itself stays
  ::DestroyWindow(h);
}

TEST(HandleMaps, AttachMakesAPermanentEntryAndDetachRemovesIt) {
  HWND h = rawWindow();
  CWnd wnd;
  EXPECT_TRUE(wnd.Attach(h));
  EXPECT_EQ(CWnd::FromHandlePermanent(h), &wnd);
  EXPECT_EQ(CWnd::FromHandle(h), &wnd);
  CWnd other;
  EXPECT_FALSE(other.Attach(h));  // one object per handle
  EXPECT_EQ(wnd.Detach(), h);
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
  ::DestroyWindow(h);
}

TEST(HandleMaps, DestroyingTheObjectDestroysItsWindow) {
  HWND h = nullptr;
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    h = wnd.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST(HandleMaps, PostNcDestroyRunsAfterTheWindowIsGone) {
  bool deleted = false;
  CSelfDeletingWnd* wnd = new CSelfDeletingWnd(&deleted);
  ASSERT_TRUE(wnd->CreateEx(0, AfxRegisterWndClass(0), "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND h = wnd->m_hWnd;
  ::DestroyWindow(h);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST(HandleMaps, FailedCreationReleasesTheObject) {
  bool deleted = false;
  CSelfDeletingWnd* wnd = new CSelfDeletingWnd(&deleted);
  EXPECT_FALSE(wnd->CreateEx(0, "NoSuchWindowClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_TRUE(deleted);
}

TEST(HandleMaps, SubclassedWindowRoutesThroughTheMapAndKeepsItsClass) {
  CHostWnd host;
  HWND h = ::CreateWindowExA(0, "EDIT", "text", WS_CHILD, 0, 0, 50, 20, host.m_hWnd,
                             reinterpret_cast<HMENU>(77), ::GetModuleHandleA(nullptr), nullptr);
  CSubclassedStatic sub;
  ASSERT_TRUE(sub.SubclassDlgItem(77, &host));
  EXPECT_EQ(sub.preSubclassCalls, 1);
  EXPECT_EQ(sub.m_hWnd, h);
  EXPECT_EQ(::SendMessageA(h, WM_USER + 1, 0, 0), 1234);
  CString text;
  sub.GetWindowText(text);  // the edit control's own procedure still answers
  EXPECT_STREQ(text, "text");
  EXPECT_EQ(sub.UnsubclassWindow(), h);
  EXPECT_NE(::SendMessageA(h, WM_USER + 1, 0, 0), 1234);
}

TEST(HandleMaps, ASubclassedEditOfWideCharactersStaysOneAndKeepsWhatIsTyped) {
  CHostWnd host;
  HWND h = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, host.m_hWnd, reinterpret_cast<HMENU>(78),
                             ::GetModuleHandleW(nullptr), nullptr);
  CEdit sub;
  ASSERT_TRUE(sub.SubclassDlgItem(78, &host));
  EXPECT_TRUE(::IsWindowUnicode(h));
  EXPECT_EQ(::GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AfxWndProc));
  // A Greek capital kappa, typed, then the whole text set: neither turns into "?".
  ::SendMessageW(h, WM_CHAR, 0x039A, 1);
  wchar_t text[8] = L"";
  ::GetWindowTextW(h, text, 8);
  EXPECT_EQ(std::wstring(text), L"\x039A");
  ::SetWindowTextW(h, L"\x03B1\x03BB");
  ::GetWindowTextW(h, text, 8);
  EXPECT_EQ(std::wstring(text), L"\x03B1\x03BB");
  EXPECT_EQ(sub.UnsubclassWindow(), h);
  EXPECT_TRUE(::IsWindowUnicode(h));
  EXPECT_NE(::GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AfxWndProc));
}

TEST(HandleMaps, GdiTemporariesHaveTheClassOfTheirHandle) {
  HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  CGdiObject* generic = CGdiObject::FromHandle(pen);
  ASSERT_NE(generic, nullptr);
  EXPECT_TRUE(generic->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_EQ(CPen::FromHandle(pen), generic);
  EXPECT_EQ(CBrush::FromHandle(reinterpret_cast<HBRUSH>(pen)), nullptr);
  AfxDeleteTempMaps();
  EXPECT_EQ(::GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));  // not deleted with the temporary
  ::DeleteObject(pen);
}
