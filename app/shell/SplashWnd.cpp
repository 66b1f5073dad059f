#include "app/shell/SplashWnd.h"

#include "app/resource.h"

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
BOOL g_splashEnabled = FALSE;
CSplashWnd* g_splash = nullptr;
}  // namespace

void CSplashWnd::EnableSplashScreen(BOOL enable) { g_splashEnabled = enable; }

CSplashWnd* CSplashWnd::Current() { return g_splash; }

void CSplashWnd::ShowSplashScreen(CWnd*) {
  if (!g_splashEnabled || g_splash) return;
  auto* splash = new CSplashWnd;
  g_splash = splash;
  if (!splash->Create()) {
    g_splash = nullptr;
    delete splash;
    return;
  }
  splash->UpdateWindow();
}

CSplashWnd::~CSplashWnd() {
  if (g_splash == this) g_splash = nullptr;
}

BOOL CSplashWnd::Create() {
  if (!m_bitmap.LoadBitmap(IDB_SPLASH)) return FALSE;
  BITMAP info{};
  m_bitmap.GetBitmap(&info);
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - info.bmWidth) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - info.bmHeight) / 2;
  return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), nullptr, WS_POPUP | WS_VISIBLE, x, y,
                  info.bmWidth, info.bmHeight, nullptr, nullptr);
}

void CSplashWnd::PostNcDestroy() { delete this; }

int CSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  CenterWindow();
  SetTimer(kTimer, kInterval);
  return 0;
}

void CSplashWnd::OnPaint() {
  CPaintDC dc(this);
  CDC memory;
  if (!memory.CreateCompatibleDC(&dc)) return;
  BITMAP info{};
  m_bitmap.GetBitmap(&info);
  CBitmap* old = memory.SelectObject(&m_bitmap);
  dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kTimer) return;
  if (++m_ticks < kTicks) return;
  KillTimer(kTimer);
  CWnd* main = AfxGetMainWnd();
  DestroyWindow();  // deletes this object
  if (main && main->m_hWnd) main->UpdateWindow();
}
