#include "ui/frames/toolbar_fixture.h"

namespace {
class CToolFrame : public CSkinFrameWnd {
 public:
  afx_msg void OnRun() {}
  afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CToolFrame, CSkinFrameWnd)
  ON_COMMAND(201, OnRun)
  ON_COMMAND(202, OnRun)
  ON_UPDATE_COMMAND_UI(202, OnUpdateChecked)
END_MESSAGE_MAP()
}  // namespace

void ToolBarTest::OpenWithToolBar(UINT resource) {
  Open(new CToolFrame);
  ASSERT_TRUE(toolbar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC));
  ASSERT_TRUE(toolbar.LoadToolBar(resource));
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 90, 100), &toolbar, kCombo));
  ASSERT_TRUE(toolbar.InsertControl(-1, &combo, 0));
  EnableThemedDocking(frame, CBRS_ALIGN_ANY);
  toolbar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&toolbar);
  frame->RecalcLayout();
  toolbar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  PumpPending();
}

void ToolBarTest::TearDown() {
  if (toolbar.m_hWnd) toolbar.DestroyWindow();
  FrameTest::TearDown();
}

RECT ToolBarTest::Item(int index) {
  RECT r;
  toolbar.GetItemRect(index, &r);
  return r;
}

namespace {
CSize clientSize(CWnd& w) {
  CRect r;
  w.GetClientRect(&r);
  return r.Size();
}
}  // namespace

DrawnToolBar::DrawnToolBar(CSkinToolBar& toolbar, int hot)
    : Canvas(clientSize(toolbar).cx, clientSize(toolbar).cy) {
  toolbar.DrawBackground(dc());
  toolbar.DrawButtons(dc(), hot);
}

COLORREF ToolBarTest::DrawnAt(int hot, POINT at) { return DrawnToolBar(toolbar, hot).At(at.x, at.y); }

COLORREF ImagePixel(CImageList& list, int image, POINT at) {
  Canvas canvas(16, 15);
  ImageList_Draw(list, image, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  return canvas.At(at.x, at.y);
}

COLORREF Greyed(COLORREF c, COLORREF grey) {
  const int mean = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
  auto channel = [mean](int g) { return (g * 145 + mean * 110) >> 8; };
  return RGB(channel(GetRValue(grey)), channel(GetGValue(grey)), channel(GetBValue(grey)));
}

HBITMAP SquaresBitmap(int count, COLORREF colour) {
  HDC screen = ::GetDC(nullptr), dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16 * count, 15);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  FillSolid(dc, {0, 0, 16 * count, 15}, kSilver);
  for (int i = 0; i < count; ++i) FillSolid(dc, {16 * i + 2, 2, 16 * i + 14, 13}, colour);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}
