#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/scripted_ui.h"
#include "ui/controls/ImageButton.h"

namespace {
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kInColour = RGB(200, 30, 30);
constexpr COLORREF kOutColour = RGB(30, 30, 200);
CScriptedUi g_fallbackUi;  // nothing is ever shown

// A 16 x 16 picture of one colour with a magenta border of 4 pixels.
HBITMAP MakePicture(COLORREF colour) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP h = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<uint32_t*>(bits);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool border = x < 4 || y < 4 || x >= 12 || y >= 12;
      COLORREF c = border ? kMagenta : colour;
      p[y * 16 + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return h;
}

// A window that counts the clicks its buttons report.
class CButtonHost : public CWnd {
 public:
  CButtonHost() {
    // On top: hovering asks which window is under the pointer's place.
    CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "Buttons", WS_POPUP | WS_VISIBLE, 900, 700, 200, 100, nullptr,
             nullptr);
  }
  int clicks = 0;
  int focusMoves = 0;  // requests to give the focus to the next control
  afx_msg void OnClicked(UINT) { ++clicks; }
  afx_msg LRESULT OnNextControl(WPARAM, LPARAM) {
    ++focusMoves;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CButtonHost, CWnd)
  ON_CONTROL_RANGE(BN_CLICKED, 1, 3, OnClicked)
  ON_MESSAGE(WM_NEXTDLGCTL, OnNextControl)
END_MESSAGE_MAP()

// A button that records its drawing steps in the order it takes them.
class CStepButton : public CImageButton {
 public:
  std::vector<std::string> steps;

 protected:
  void DrawBackground(CDC* pDC, CRect* pRect) override {
    steps.push_back("background");
    CImageButton::DrawBackground(pDC, pRect);
  }
  void DrawBorder(CDC* pDC, CRect* pRect) override {
    steps.push_back("border");
    CImageButton::DrawBorder(pDC, pRect);
  }
  void DrawIcon(CDC* pDC, BOOL caption, const CRect& item, CRect* pCaption, BOOL pressed, BOOL disabled) override {
    steps.push_back("icon");
    CImageButton::DrawIcon(pDC, caption, item, pCaption, pressed, disabled);
  }
  void DrawBitmap(CDC* pDC, BOOL caption, const CRect& item, CRect* pCaption, BOOL pressed, BOOL disabled) override {
    steps.push_back("bitmap");
    CImageButton::DrawBitmap(pDC, caption, item, pCaption, pressed, disabled);
  }
  void DrawCaption(CDC* pDC, const CRect& caption, BOOL disabled) override {
    steps.push_back("caption");
    CImageButton::DrawCaption(pDC, caption, disabled);
  }
};

class ImageButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Make(push, "", BS_PUSHBUTTON, 1, 0);
    Make(check, "", BS_AUTOCHECKBOX, 2, 40);
    Make(byDefault, "Save", BS_DEFPUSHBUTTON, 3, 80);
  }
  void Make(CImageButton& button, const char* text, DWORD style, UINT id, int x) {
    HWND h = ::CreateWindowA("BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, 10, 36, 30, host.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    ASSERT_TRUE(button.SubclassWindow(h));
    ASSERT_EQ(button.SetBitmaps(MakePicture(kInColour), kMagenta, MakePicture(kOutColour), kMagenta),
              CImageButton::bitmapsSet);
  }
  // The button as it paints itself, through its parent's owner-draw message.
  std::vector<COLORREF> Paint(CImageButton& button) {
    CRect r;
    button.GetClientRect(&r);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.Width(), -r.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, dib);
    DRAWITEMSTRUCT dis{ODT_BUTTON, static_cast<UINT>(button.GetDlgCtrlID()), 0, ODA_DRAWENTIRE, 0, button.m_hWnd, dc, r, 0};
    host.SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    for (int i = 0; i < r.Width() * r.Height(); ++i) {
      uint32_t v = static_cast<uint32_t*>(bits)[i];
      pixels.push_back(RGB((v >> 16) & 255, (v >> 8) & 255, v & 255));
    }
    ::SelectObject(dc, old);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
  }
  static int Count(const std::vector<COLORREF>& pixels, COLORREF c) {
    int n = 0;
    for (COLORREF p : pixels) n += p == c;
    return n;
  }
  CButtonHost host;
  CImageButton push, check, byDefault;
};
}  // namespace

TEST(ImageButtonFace, FollowsPressHoverAndCheck) {
  using F = ImageButtonFace;
  const struct {
    ImageButtonState state;
    F::Background background;
    F::Border border;
    F::Picture picture;
    BOOL offset;
  } cases[] = {
      // pressed hovered focused checkBox flat drawBorder hasOut
      {{FALSE, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE}, F::backOut, F::borderNone, F::pictureOut, FALSE},
      {{FALSE, TRUE, FALSE, FALSE, TRUE, TRUE, TRUE}, F::backIn, F::borderRaised, F::pictureIn, FALSE},
      {{TRUE, TRUE, FALSE, FALSE, TRUE, TRUE, TRUE}, F::backIn, F::borderSunken, F::pictureIn, TRUE},
      {{FALSE, FALSE, TRUE, FALSE, TRUE, TRUE, TRUE}, F::backFocus, F::borderNone, F::pictureOut, FALSE},
      {{FALSE, TRUE, FALSE, TRUE, TRUE, TRUE, TRUE}, F::backIn, F::borderRaised, F::pictureOut, FALSE},
      {{TRUE, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE}, F::backIn, F::borderSunken, F::pictureIn, FALSE},
      {{FALSE, FALSE, FALSE, FALSE, TRUE, TRUE, FALSE}, F::backOut, F::borderNone, F::pictureIn, FALSE},
      {{FALSE, TRUE, FALSE, FALSE, TRUE, FALSE, TRUE}, F::backIn, F::borderNone, F::pictureIn, FALSE},
      {{FALSE, FALSE, FALSE, FALSE, FALSE, TRUE, TRUE}, F::backOut, F::borderRaised, F::pictureOut, FALSE},
  };
  for (const auto& c : cases) {
    F face = ChooseImageButtonFace(c.state);
    EXPECT_EQ(face.background, c.background);
    EXPECT_EQ(face.border, c.border);
    EXPECT_EQ(face.picture, c.picture);
    EXPECT_EQ(face.offsetPicture, c.offset);
  }
}

TEST_F(ImageButtonTest, SubclassingMakesItOwnerDrawnAndKeepsItsKind) {
  for (CImageButton* b : {&push, &check, &byDefault}) EXPECT_EQ(b->GetStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  EXPECT_FALSE(push.IsCheckBox());
  EXPECT_TRUE(check.IsCheckBox());
  EXPECT_TRUE(byDefault.IsDefault());
  EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
  EXPECT_TRUE(byDefault.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
  push.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_TRUE(push.IsDefault());
  EXPECT_EQ(push.GetStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
}

TEST_F(ImageButtonTest, CheckStateBelongsToCheckBoxesOnly) {
  push.SetCheck(1, TRUE);
  EXPECT_EQ(push.SendMessage(BM_GETCHECK), 0);
  const struct {
    WPARAM set;
    LRESULT got;
  } cases[] = {{BST_CHECKED, 1}, {BST_UNCHECKED, 0}, {BST_INDETERMINATE, 1}, {7, 0}};
  for (const auto& c : cases) {
    check.SendMessage(BM_SETCHECK, c.set);
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), c.got) << c.set;
  }
}

TEST_F(ImageButtonTest, AClickTogglesACheckBoxAndStillReachesTheParent) {
  check.SendMessage(BM_CLICK);
  EXPECT_EQ(check.GetCheck(), 1);
  check.SendMessage(BM_CLICK);
  EXPECT_EQ(check.GetCheck(), 0);
  push.SendMessage(BM_CLICK);
  EXPECT_EQ(push.GetCheck(), 0);
  EXPECT_EQ(host.clicks, 3);
}

TEST_F(ImageButtonTest, AQuickSecondClickIsAClickToo) {
  // Two clicks in quick succession come as a press, a release, a double click
  // and a release: the parent hears two clicks.
  const LPARAM inside = MAKELPARAM(5, 5);
  push.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
  push.SendMessage(WM_LBUTTONUP, 0, inside);
  push.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  push.SendMessage(WM_LBUTTONUP, 0, inside);
  EXPECT_EQ(host.clicks, 2);
}

TEST_F(ImageButtonTest, ShowsTheInPictureWhileCheckedAndNeverTheTransparentColour) {
  std::vector<COLORREF> unchecked = Paint(check);
  EXPECT_EQ(Count(unchecked, kOutColour), 64);
  EXPECT_EQ(Count(unchecked, kInColour), 0);
  check.SetCheck(1, TRUE);
  std::vector<COLORREF> checked = Paint(check);
  EXPECT_EQ(Count(checked, kInColour), 64);
  for (CImageButton* b : {&push, &check, &byDefault}) EXPECT_EQ(Count(Paint(*b), kMagenta), 0);
  // The face around the picture is the button face.
  EXPECT_EQ(checked[2 * 36 + 2], ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(ImageButtonTest, HoverFollowsThePointer) {
  push.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(18, 15));
  EXPECT_FALSE(push.IsHovered());  // a drag from elsewhere does not light it up
  push.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(18, 15));
  EXPECT_TRUE(push.IsHovered());
  EXPECT_EQ(Count(Paint(push), kInColour), 64);
  push.SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(push.IsHovered());
}

TEST_F(ImageButtonTest, HoverEndsWhenThePointerTheFocusOrTheWindowsActivationGoesOrItIsDisabled) {
  const struct {
    const char* name;
    UINT message;
    WPARAM wParam;
  } cases[] = {{"mouse leave", WM_MOUSELEAVE, 0},
               {"focus lost", WM_KILLFOCUS, 0},
               {"cancel mode", WM_CANCELMODE, 0},
               {"deactivated", WM_ACTIVATE, WA_INACTIVE},
               {"disabled", WM_ENABLE, FALSE}};
  for (const auto& c : cases) {
    push.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(18, 15));
    ASSERT_TRUE(push.IsHovered()) << c.name;
    push.SendMessage(c.message, c.wParam, 0);
    EXPECT_FALSE(push.IsHovered()) << c.name;
  }
}

// Disabling a button passes the focus on only when the button held it (the
// system has taken it away by the time the button hears of it): the control
// the user is typing in keeps it.
TEST_F(ImageButtonTest, DisablingPassesTheFocusOnOnlyFromTheButtonItself) {
  check.SetFocus();
  ASSERT_EQ(::GetFocus(), check.m_hWnd);
  push.EnableWindow(FALSE);
  EXPECT_EQ(host.focusMoves, 0);
  push.EnableWindow(TRUE);
  push.SetFocus();
  ASSERT_EQ(::GetFocus(), push.m_hWnd);
  push.EnableWindow(FALSE);
  EXPECT_EQ(host.focusMoves, 1);
}

TEST_F(ImageButtonTest, BitmapsThatCannotBeReadAreRefusedWhole) {
  EXPECT_EQ(push.SetBitmaps(nullptr, kMagenta, MakePicture(kOutColour), kMagenta), CImageButton::bitmapSizeUnreadable);
  EXPECT_EQ(Count(Paint(push), kOutColour), 0);
  EXPECT_EQ(push.SetBitmaps(MakePicture(kInColour), kMagenta, CImageButton::greyedOut, kMagenta), CImageButton::bitmapsSet);
  std::vector<COLORREF> grey = Paint(push);
  int l = (200 * 30 + 30 * 59 + 30 * 11) / 100;
  EXPECT_EQ(Count(grey, RGB(l, l, l)), 64);
}

TEST_F(ImageButtonTest, DrawsItsFaceBorderIconBitmapAndCaptionInTurn) {
  CStepButton button;
  Make(button, "Save", BS_PUSHBUTTON, 4, 120);
  Paint(button);
  EXPECT_EQ(button.steps, (std::vector<std::string>{"background", "border", "icon", "bitmap", "caption"}));
}

TEST_F(ImageButtonTest, ShowsItsOwnCursorWhileItHasOne) {
  auto pointAt = [this] {
    return push.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(push.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  };
  const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
  pointAt();
  EXPECT_EQ(::GetCursor(), arrow);  // the button class's own
  HCURSOR own = static_cast<HCURSOR>(::CopyImage(::LoadCursor(nullptr, IDC_HAND), IMAGE_CURSOR, 0, 0, 0));
  ASSERT_NE(own, nullptr);
  push.SetButtonCursor(own);
  EXPECT_TRUE(pointAt());
  EXPECT_EQ(::GetCursor(), own);
  // Replaced, the button's cursor is destroyed and the class's shows again.
  push.SetButtonCursor(nullptr);
  ICONINFO info{};
  EXPECT_FALSE(::GetIconInfo(own, &info));
  pointAt();
  EXPECT_EQ(::GetCursor(), arrow);
}
