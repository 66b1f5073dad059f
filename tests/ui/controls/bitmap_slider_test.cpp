#include <gtest/gtest.h>

#include <vector>

#include "framework/framework.h"
#include "ui/controls/BitmapSlider.h"
#include "ui/controls/MemDC.h"
#include "ui/controls/SliderGeometry.h"
#include "ui/controls/test_bitmaps.h"

namespace {
constexpr int kSliderId = 1005;
constexpr COLORREF kGrey = RGB(128, 128, 128), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0),
                   kGreen = RGB(0, 255, 0);

// The slider's drawing, reached by the tests.
class CTestSlider : public CBitmapSlider {
 public:
  using CBitmapSlider::Draw;
};

// A memory context with a 32-bit bitmap, filled white.
class Canvas {
 public:
  Canvas(int width, int height) {
    CClientDC screen(nullptr);
    dc.CreateCompatibleDC(&screen);
    bitmap.CreateCompatibleBitmap(&screen, width, height);
    old = dc.SelectObject(bitmap.m_hObject);
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  }
  ~Canvas() { dc.SelectObject(old); }
  CDC dc;

 private:
  CBitmap bitmap;
  HGDIOBJ old = nullptr;
};

struct Posted {
  UINT message;
  WPARAM id;
  LPARAM position;
};

// A visible top-level window with one static control turned into a slider:
// 200x10 channel, 10x10 transparent thumb, range 0..100, margins 2/0/2/0.
class SliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                              "Slider host", WS_POPUP, 10, 10, 300, 100, nullptr, nullptr));
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 60, 40), &host, kSliderId));
    ASSERT_TRUE(slider.SubclassWindow(label.Detach()));
    ASSERT_TRUE(slider.SetChannelBitmap(IDB_TEST_CHANNEL, IDB_TEST_CHANNEL_ACTIVE));
    ASSERT_TRUE(slider.SetThumbBitmap(IDB_TEST_THUMB, IDB_TEST_THUMB_ACTIVE, TRUE));
    slider.SetRange(0, 100);
    slider.SetMargin(2, 0, 2, 0);
    slider.SetPos(50);
    Drain();
  }

  // The slider's messages posted to the host since the last call.
  std::vector<Posted> Drain() {
    std::vector<Posted> posted;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.hwnd == host.m_hWnd &&
          (msg.message == WM_BITMAPSLIDER_MOVING || msg.message == WM_BITMAPSLIDER_MOVED))
        posted.push_back({msg.message, msg.wParam, msg.lParam});
      else
        ::DispatchMessageA(&msg);
    }
    return posted;
  }

  COLORREF PixelAt(int x, int y) {
    slider.Draw(canvas.dc);
    return canvas.dc.GetPixel(x, y);
  }

  void Mouse(UINT message, int x) { slider.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 5)); }

  CWnd host;
  CStatic label;
  CTestSlider slider;
  Canvas canvas{200, 10};
  // The fixture's slider arithmetic.
  const SliderGeometry geometry{0, 100, 200, 10, 2, 2};
};
}  // namespace

TEST(SliderGeometry, MapsPositionsAndPixelsBothWays) {
  struct Case {
    int minimum, maximum, length, thumb, marginStart, marginEnd, position, pixel, positionBack;
  };
  const Case cases[] = {
      {0, 100, 200, 10, 2, 2, 50, 100, 50},  // 2 + 5 + trunc(0.5 x 186)
      {0, 100, 200, 10, 2, 2, 0, 7, 0},
      {0, 100, 200, 10, 2, 2, 100, 193, 100},
      {0, 100, 200, 11, 2, 2, 33, 68, 32},   // truncation both ways
      {-50, 50, 100, 0, 0, 0, 0, 50, 0},
      {10, 10, 200, 10, 2, 2, 10, 7, 10},    // empty range: the start
      {0, 100, 12, 10, 2, 2, 70, 7, 0},      // no room to move: the start
  };
  for (const Case& c : cases) {
    SliderGeometry g{c.minimum, c.maximum, c.length, c.thumb, c.marginStart, c.marginEnd};
    EXPECT_EQ(g.PositionToPixel(c.position), c.pixel) << c.position;
    EXPECT_EQ(g.PixelToPosition(c.pixel), c.positionBack) << c.pixel;
  }
}

TEST_F(SliderTest, PositionIsClampedToTheRange) {
  const int cases[][2] = {{150, 100}, {-5, 0}, {37, 37}, {100, 100}};
  for (const auto& c : cases) {
    slider.SetPos(c[0]);
    EXPECT_EQ(slider.GetPos(), c[1]) << c[0];
  }
}

TEST_F(SliderTest, TakesTheSizeOfItsChannelAndRefusesMissingBitmaps) {
  CRect client;
  slider.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 200);
  EXPECT_EQ(client.Height(), 10);
  EXPECT_EQ(slider.GetThumbSize(), CSize(10, 10));
  EXPECT_FALSE(slider.SetChannelBitmap(999));
  EXPECT_FALSE(slider.SetThumbBitmap(IDB_TEST_THUMB, 998));
  EXPECT_TRUE(slider.SetChannelBitmap(0));
}

TEST_F(SliderTest, KeysMoveThePositionAndReportTheMove) {
  const UINT keys[][2] = {{VK_PRIOR, 30}, {VK_NEXT, 70}, {VK_END, 100}, {VK_HOME, 0},
                          {VK_LEFT, 49},  {VK_UP, 49},   {VK_RIGHT, 51}, {VK_DOWN, 51}};
  for (const auto& key : keys) {
    slider.SetPos(50);
    slider.SendMessage(WM_KEYDOWN, key[0], 0);
    EXPECT_EQ(slider.GetPos(), static_cast<int>(key[1])) << key[0];
    // Told as a drag is: moving, then moved.
    const std::vector<Posted> posted = Drain();
    ASSERT_EQ(posted.size(), 2u) << key[0];
    EXPECT_EQ(posted[0].message, WM_BITMAPSLIDER_MOVING);
    EXPECT_EQ(posted[1].message, WM_BITMAPSLIDER_MOVED);
    for (const Posted& p : posted) {
      EXPECT_EQ(p.id, static_cast<WPARAM>(kSliderId));
      EXPECT_EQ(p.position, static_cast<LPARAM>(key[1]));
    }
  }
  slider.SetPos(100);  // already at the end: nothing moved, only the end is told
  slider.SendMessage(WM_KEYDOWN, VK_END, 0);
  const std::vector<Posted> still = Drain();
  ASSERT_EQ(still.size(), 1u);
  EXPECT_EQ(still[0].message, WM_BITMAPSLIDER_MOVED);
  slider.SendMessage(WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(slider.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS));
}

TEST_F(SliderTest, DragFollowsThePointerKeepingWhereTheThumbWasHeld) {
  // Held 3 pixels right of the thumb's centre (100): the centre stays 3 pixels left.
  Mouse(WM_LBUTTONDOWN, 103);
  EXPECT_TRUE(slider.IsDragging());
  EXPECT_EQ(::GetCapture(), slider.m_hWnd);
  EXPECT_TRUE(Drain().empty());  // the thumb did not move yet
  Mouse(WM_MOUSEMOVE, 150);
  EXPECT_EQ(slider.GetPos(), geometry.PixelToPosition(147));
  Mouse(WM_MOUSEMOVE, 400);  // beyond the end: the last pixel
  EXPECT_EQ(slider.GetPos(), 100);
  Mouse(WM_LBUTTONUP, 400);
  EXPECT_FALSE(slider.IsDragging());
  const std::vector<Posted> posted = Drain();
  ASSERT_EQ(posted.size(), 3u);
  EXPECT_EQ(posted[0].message, WM_BITMAPSLIDER_MOVING);
  EXPECT_EQ(posted[1].message, WM_BITMAPSLIDER_MOVING);
  EXPECT_EQ(posted[1].position, 100);
  EXPECT_EQ(posted[2].message, WM_BITMAPSLIDER_MOVED);
  EXPECT_EQ(posted[2].position, 100);
}

TEST_F(SliderTest, PressAwayFromTheThumbJumpsThere) {
  Mouse(WM_LBUTTONDOWN, 40);
  EXPECT_EQ(slider.GetPos(), geometry.PixelToPosition(40));
  Mouse(WM_LBUTTONUP, 40);
  const std::vector<Posted> posted = Drain();
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_EQ(posted[0].message, WM_BITMAPSLIDER_MOVING);
  EXPECT_EQ(posted[1].message, WM_BITMAPSLIDER_MOVED);
}

TEST_F(SliderTest, PaintsTheActiveChannelUpToTheThumbAndTheThumbTransparently) {
  slider.EnableFocusRect(FALSE);
  // Thumb at 95..104: column 95 is its transparent colour.
  EXPECT_EQ(PixelAt(50, 5), kBlue);
  EXPECT_EQ(PixelAt(150, 5), kGrey);
  EXPECT_EQ(PixelAt(100, 5), kRed);
  EXPECT_EQ(PixelAt(95, 5), kBlue);
  // Moved back: the old place shows the channel again.
  slider.SetPos(0);
  EXPECT_EQ(PixelAt(100, 5), kGrey);
  EXPECT_EQ(PixelAt(7, 5), kRed);
  Mouse(WM_LBUTTONDOWN, 7);
  EXPECT_EQ(PixelAt(7, 5), kGreen);  // the active thumb while dragged
  Mouse(WM_LBUTTONUP, 7);
  EXPECT_EQ(PixelAt(7, 5), kRed);
}

TEST(MemDC, PaintsOffScreenAndCopiesOnceAtTheEnd) {
  Canvas target(50, 50);
  CDC& screen = target.dc;
  screen.FillSolidRect(0, 0, 50, 50, kGreen);
  const CRect area(10, 10, 30, 30);
  {
    CMemDC mem(&screen, &area, true);
    EXPECT_TRUE(mem.IsOffScreen());
    EXPECT_EQ(mem.GetPixel(15, 15), kGreen);  // the screen copied in, in the target's coordinates
    mem.FillSolidRect(12, 12, 5, 5, kRed);
    EXPECT_EQ(screen.GetPixel(13, 13), kGreen);  // nothing on screen yet
  }
  EXPECT_EQ(screen.GetPixel(13, 13), kRed);
  EXPECT_EQ(screen.GetPixel(20, 20), kGreen);
  screen.SetBkColor(kBlue);
  { CMemDC mem(&screen, &area, false); }
  EXPECT_EQ(screen.GetPixel(13, 13), kBlue);  // filled with the background colour
  EXPECT_EQ(screen.GetPixel(5, 5), kGreen);   // outside the rectangle: untouched
}
