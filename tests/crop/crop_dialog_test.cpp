#include <gtest/gtest.h>

#include "CropTestSupport.h"
#include "crop/CropResources.h"
#include "crop/FHCropTool.h"
#include "crop/PaneGeometry.h"
#include "crop/PolyCropTool.h"
#include "crop/RectCropTool.h"
#include "crop/WindowCapture.h"

namespace {
// A 400 x 300 photo on disk for every dialog test.
class CropDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = FreshFolder("dialog");
    photo = folder + "\\photo.tif";
    ASSERT_TRUE(WriteTestPhoto(photo, 400, 300));
  }
  // The selection's one polygon, or an empty one.
  static CPoly OnlyPolygon(CTestCropDlg& d) {
    const CPolyArray& s = d.GetPane().GetSelection();
    return s.GetSize() == 1 ? s[0] : CPoly();
  }
  static CRect BoundsOf(const CPoly& p) {
    CRect r(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (INT_PTR i = 0; i < p.GetSize(); ++i) {
      r.left = std::min(r.left, p[i].x);
      r.top = std::min(r.top, p[i].y);
      r.right = std::max(r.right, p[i].x);
      r.bottom = std::max(r.bottom, p[i].y);
    }
    return r;
  }
  static void Press(CTestCropDlg& d, int id) { d.SendDlgItemMessage(id, BM_CLICK); }
  static int Red(uint32_t pixel) { return (pixel >> 16) & 255; }
  // Pixels of the tools' blue stroke on the pane (the photo's red is 77 everywhere).
  static int StrokePixels(CTestCropDlg& d) {
    WindowCapture shot = CaptureWindow(d.PaneWindow());
    int n = 0;
    for (uint32_t p : shot.pixels) n += Red(p) < 40 && ((p >> 8) & 255) < 40 && (p & 255) > 200;
    return n;
  }
  std::string folder, photo;
  CTestCropDlg dialog;
};
}  // namespace

TEST_F(CropDialogTest, OpensWithTheRectangleToolAndToolButtonsTickOnlyThemselves) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    CImageEditPane& pane = d.GetPane();
    EXPECT_TRUE(pane.GetStyle() & SS_NOTIFY);  // clicks reach the pane
    EXPECT_TRUE(::GetClassLongA(pane.m_hWnd, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_EQ(pane.GetImage(), &d.GetImage());
    const struct {
      int button;
      int tool;
    } steps[] = {{0, CImageEditPane::toolRectangle},
                 {IDC_CROP_FREEHAND, CImageEditPane::toolFreehand},
                 {IDC_CROP_POLYGON, CImageEditPane::toolPolygon},
                 {IDC_CROP_POLYGON, CImageEditPane::toolPolygon},
                 {IDC_CROP_RECTANGLE, CImageEditPane::toolRectangle}};
    for (const auto& s : steps) {
      if (s.button) Press(d, s.button);
      EXPECT_EQ(pane.GetToolType(), s.tool);
      for (int id : {IDC_CROP_RECTANGLE, IDC_CROP_FREEHAND, IDC_CROP_POLYGON})
        EXPECT_EQ(d.IsDlgButtonChecked(id), id == (s.button ? s.button : IDC_CROP_RECTANGLE)) << id;
    }
  });
}

TEST_F(CropDialogTest, ZoomButtonsStepByOnePointOneAndShowTheScrollBars) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    CImageEditPane& pane = d.GetPane();
    CWnd* vertical = pane.GetDlgItem(CImagePane::idVerticalBar);
    ASSERT_NE(vertical, nullptr);
    EXPECT_FALSE(vertical->IsWindowVisible());
    // The 4:3 photo is centred with bands beside it at zoom 1.
    PaneFit fit = pane.GetFit();
    EXPECT_TRUE(fit.fitsX || fit.fitsY);
    Press(d, IDC_CROP_ZOOM_IN);
    Press(d, IDC_CROP_ZOOM_IN);
    Press(d, IDC_CROP_ZOOM_OUT);
    EXPECT_FLOAT_EQ(pane.GetZoom(), 1.1f);
    EXPECT_EQ(d.GetZoomStep(), 1);
    EXPECT_TRUE(vertical->IsWindowVisible());
    for (int i = 0; i < 3; ++i) Press(d, IDC_CROP_ZOOM_IN);
    ASSERT_FALSE(pane.GetFit().fitsY);
    // Scrolling to the bottom stops where the photo's last row meets the view's.
    pane.SendMessage(WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(vertical->m_hWnd));
    int bottom = pane.GetScroll().y;
    EXPECT_EQ(bottom, pane.GetFit().zoomedHeight - pane.GetViewRect().Height());
    // The photo's last row sits on the view's last row.
    EXPECT_EQ(pane.MapPoint(CPoint(0, 300), 0).y, pane.GetViewRect().bottom);
    pane.SendMessage(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(vertical->m_hWnd));
    EXPECT_EQ(pane.GetScroll().y, bottom);
    pane.SendMessage(WM_VSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(vertical->m_hWnd));
    EXPECT_EQ(pane.GetScroll().y, bottom - 16);
  });
}

TEST_F(CropDialogTest, RectangleToolDrawsResizesAndCombinesWithShift) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    HWND pane = d.PaneWindow();
    input::Drag(pane, d.PanePoint(40, 30), d.PanePoint(200, 150));
    CRect first = BoundsOf(OnlyPolygon(d));
    EXPECT_NEAR(first.left, 40, 2);
    EXPECT_NEAR(first.bottom, 150, 2);
    EXPECT_EQ(OnlyPolygon(d).GetSize(), 5);

    // Dragging the bottom-right handle replaces the selection by the larger rectangle.
    const CRectTracker& tracker = static_cast<CRectCropTool*>(d.GetPane().GetTool())->GetTracker();
    CPoint handle(tracker.m_rect.right + 3, tracker.m_rect.bottom + 3);
    input::Drag(pane, handle, d.PanePoint(300, 250) + CSize(3, 3));
    CRect resized = BoundsOf(OnlyPolygon(d));
    EXPECT_NEAR(resized.left, 40, 2);
    EXPECT_NEAR(resized.right, 300, 2);

    // With Shift a rectangle overlapping it grows the selection to one outline.
    {
      HeldKeys shift(true, false);
      input::Drag(pane, d.PanePoint(250, 200), d.PanePoint(380, 280));
    }
    EXPECT_NEAR(BoundsOf(OnlyPolygon(d)).right, 380, 2);
    EXPECT_NEAR(BoundsOf(OnlyPolygon(d)).top, 30, 2);

    // A plain click clears it and adds nothing.
    input::Click(pane, d.PanePoint(100, 100));
    EXPECT_EQ(d.GetPane().GetSelection().GetSize(), 0);
  });
}

TEST_F(CropDialogTest, TheTrackerStaysOnItsRectangleWhenThePaneZoomsAndScrolls) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    input::Drag(d.PaneWindow(), d.PanePoint(40, 30), d.PanePoint(300, 220));
    auto* tool = static_cast<CRectCropTool*>(d.GetPane().GetTool());
    for (int i = 0; i < 3; ++i) Press(d, IDC_CROP_ZOOM_IN);
    d.GetPane().SendMessage(WM_VSCROLL, SB_BOTTOM,
                            reinterpret_cast<LPARAM>(d.GetPane().GetDlgItem(CImagePane::idVerticalBar)->m_hWnd));
    const CRect& shown = tool->GetTracker().m_rect;
    const double scale = d.GetPane().GetFit().scale;
    EXPECT_NEAR(shown.left, d.PanePoint(40, 30).x, scale + 1);
    EXPECT_NEAR(shown.top, d.PanePoint(40, 30).y, scale + 1);
    EXPECT_NEAR(shown.right, d.PanePoint(300, 220).x, scale + 1);
    EXPECT_NEAR(shown.bottom, d.PanePoint(300, 220).y, scale + 1);
  });
}

TEST_F(CropDialogTest, AltSubtractsAndShiftAltIntersects) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    HWND pane = d.PaneWindow();
    input::Drag(pane, d.PanePoint(20, 20), d.PanePoint(300, 200));
    {
      HeldKeys alt(false, true);
      input::Drag(pane, d.PanePoint(100, 80), d.PanePoint(200, 150));
    }
    ASSERT_EQ(d.GetPane().GetSelection().GetSize(), 1);  // one ring, its hole linked in
    EXPECT_GT(OnlyPolygon(d).GetSize(), 5);
    {
      HeldKeys both(true, true);
      input::Drag(pane, d.PanePoint(320, 220), d.PanePoint(390, 290));
    }
    EXPECT_EQ(d.GetPane().GetSelection().GetSize(), 0);
  });
}

TEST_F(CropDialogTest, FreehandStrokesAreClosedOnRelease) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    Press(d, IDC_CROP_FREEHAND);
    HWND pane = d.PaneWindow();
    input::Press(pane, d.PanePoint(50, 50));
    for (int i = 1; i <= 6; ++i) input::MoveTo(pane, d.PanePoint(50 + 200 * i / 6, 50 + 150 * i / 6), true);
    input::Flush();
    EXPECT_GT(StrokePixels(d), 300);  // the stroke shows while it is drawn
    input::Release(pane, d.PanePoint(250, 200));
    input::Flush();
    CPoly stroke = OnlyPolygon(d);
    ASSERT_GE(stroke.GetSize(), 2);
    EXPECT_EQ(stroke[0], stroke[stroke.GetSize() - 1]);
    // The pane keeps the mouse during a stroke: a release outside it still ends it.
    // One move makes a polygon of two equal points, which replaces the selection.
    input::Press(pane, d.PanePoint(100, 100));
    input::MoveTo(pane, d.PanePoint(150, 120), true);
    input::Flush();
    EXPECT_EQ(::GetCapture(), pane);
    input::Release(pane, CPoint(-40, -40));
    input::Flush();
    EXPECT_FALSE(static_cast<CFHCropTool*>(d.GetPane().GetTool())->IsTracking());
    EXPECT_EQ(::GetCapture(), nullptr);
    stroke = OnlyPolygon(d);
    ASSERT_EQ(stroke.GetSize(), 2);
    EXPECT_EQ(stroke[0], stroke[1]);
  });
}

TEST_F(CropDialogTest, PolygonClosesOnDoubleClickWithItsPositionAsLastVertex) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    Press(d, IDC_CROP_POLYGON);
    HWND pane = d.PaneWindow();
    const CPoint corners[] = {{50, 50}, {300, 60}, {280, 250}};
    for (CPoint c : corners) input::Click(pane, d.PanePoint(c.x, c.y));
    auto* tool = static_cast<CPolyCropTool*>(d.GetPane().GetTool());
    EXPECT_TRUE(tool->IsOpen());
    EXPECT_EQ(tool->GetVertices().GetSize(), 3);
    input::MoveTo(pane, d.PanePoint(60, 240));
    input::Flush();
    EXPECT_GT(StrokePixels(d), 500);  // three sides and the rubber band
    input::DoubleClick(pane, d.PanePoint(60, 240));
    EXPECT_FALSE(tool->IsOpen());
    CPoly polygon = OnlyPolygon(d);
    ASSERT_GE(polygon.GetSize(), 5);
    CRect bounds = BoundsOf(polygon);
    EXPECT_NEAR(bounds.left, 50, 2);
    EXPECT_NEAR(bounds.bottom, 250, 2);
    EXPECT_NEAR(bounds.right, 300, 2);
  });
}

TEST_F(CropDialogTest, SaveHandsTheValuesOverAndTheCutOutFollows) {
  INT_PTR result = dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    // From above the photo's top-left corner to below its bottom-right one, inside the pane.
    CRect view = d.GetPane().GetViewRect();
    CPoint from = d.PanePoint(0, 0), to = d.PanePoint(400, 300);
    input::Drag(d.PaneWindow(), CPoint(std::max(from.x - 5, 0L), std::max(from.y - 5, 0L)),
                CPoint(std::min(to.x + 5, view.right - 1), std::min(to.y + 5, view.bottom - 1)));
    d.SetDlgItemText(IDC_CROP_FEATHER, "40");
    d.SetDlgItemText(IDC_CROP_TENSION, "0");
    Press(d, IDC_CROP_SAVE);
  });
  ASSERT_EQ(result, IDOK);
  EXPECT_FLOAT_EQ(dialog.GetPane().GetFeather(), 0.4f);
  float cropX = 9, cropY = 9, ratioH = 9;
  ASSERT_TRUE(dialog.SaveCrop(CString((folder + "\\cut.tif").c_str()), cropX, cropY, ratioH));
  EXPECT_FLOAT_EQ(ratioH, 299.0f / 300.0f);
  EXPECT_NEAR(cropX, 0.0f, 0.01f);
  EXPECT_NEAR(cropY, 0.0f, 0.01f);
}

TEST_F(CropDialogTest, OutOfRangeValuesKeepTheDialogOpenWithTheRangeMessage) {
  CScriptedUi ui;
  INT_PTR result = dialog.Run(
      CString(photo.c_str()),
      [](CTestCropDlg& d) {
        d.SetDlgItemText(IDC_CROP_FEATHER, "150");
        EXPECT_FLOAT_EQ(d.GetPane().GetFeather(), 0.0f);  // not taken while typed
        Press(d, IDC_CROP_SAVE);
        EXPECT_FALSE(d.HasEnded());
      },
      &ui);
  EXPECT_EQ(result, IDCANCEL);
  int messages = 0;
  for (const AfxUiQuestion& q : ui.Questions()) messages += q.kind == "message";
  EXPECT_EQ(messages, 1);
}

TEST_F(CropDialogTest, SavingWithoutASelectionOrAPhotoTellsTheUserAndWritesNothing) {
  const struct {
    const char* name;
    std::string path;
  } cases[] = {{"nothing drawn", photo}, {"a photo that cannot be read", folder + "\\missing.tif"}};
  for (const auto& c : cases) {
    CTestCropDlg run;
    // The dialog opens either way, and a rectangle drawn on an empty pane selects no photo pixel.
    ASSERT_EQ(run.Run(CString(c.path.c_str()),
                      [](CTestCropDlg& d) {
                        if (!d.GetImage().IsValid())
                          input::Drag(d.PaneWindow(), CPoint(20, 20), CPoint(120, 120));
                        Press(d, IDC_CROP_SAVE);
                      }),
              IDOK)
        << c.name;
    CScriptedUi ui;
    float cropX = 9, cropY = 9, ratioH = 9;
    EXPECT_FALSE(run.SaveCrop(CString((folder + "\\cut.tif").c_str()), cropX, cropY, ratioH)) << c.name;
    EXPECT_EQ(cropX, 9) << c.name;
    ASSERT_EQ(ui.Questions().size(), 1u) << c.name;
    EXPECT_STREQ(ui.Questions()[0].kind, "message");
    EXPECT_FALSE(FileExists(folder + "\\cut.tif")) << c.name;
  }
}

TEST_F(CropDialogTest, OpensWithNothingButTheBackgroundAboveThePhoto) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    input::Flush();
    WindowCapture shot = CaptureWindow(d.PaneWindow());
    const int photoTop = d.PanePoint(0, 0).y;
    ASSERT_GT(photoTop, 8);
    const uint32_t background = 0xCBDCF9;  // the dialog's colour, as red, green, blue
    int strays = 0;
    for (int y = 0; y < photoTop; ++y)
      for (int x = 0; x < shot.width; ++x) strays += shot.At(CPoint(x, y)) != background;
    EXPECT_EQ(strays, 0);
  });
}

TEST_F(CropDialogTest, APlainClickTakesTheOutlineOffTheScreen) {
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    HWND pane = d.PaneWindow();
    // Dark pixels (the photo's red is 77) along the rectangle's top edge.
    auto darkOnTopEdge = [&d, pane] {
      WindowCapture shot = CaptureWindow(pane);
      int dark = 0;
      for (int x = 60; x <= 280; x += 10)
        for (int dy = -3; dy <= 3; ++dy) dark += Red(shot.At(d.PanePoint(x, 30) + CSize(0, dy))) < 40;
      return dark;
    };
    input::Drag(pane, d.PanePoint(40, 30), d.PanePoint(300, 220));
    EXPECT_GT(darkOnTopEdge(), 0);
    input::Click(pane, d.PanePoint(100, 100));
    EXPECT_EQ(d.GetPane().GetSelection().GetSize(), 0);
    EXPECT_EQ(darkOnTopEdge(), 0);
  });
}

TEST_F(CropDialogTest, WithoutScrollBarsZoomingInIsRefused) {
  RefusedWindows refused("ScrollBar", 0);
  dialog.Run(CString(photo.c_str()), [](CTestCropDlg& d) {
    EXPECT_FALSE(d.GetPane().HasScrollBars());
    Press(d, IDC_CROP_ZOOM_IN);
    EXPECT_EQ(d.GetZoomStep(), 0);
    EXPECT_FLOAT_EQ(d.GetPane().GetZoom(), 1.0f);
    Press(d, IDC_CROP_ZOOM_OUT);
    EXPECT_EQ(d.GetZoomStep(), -1);
  });
}
