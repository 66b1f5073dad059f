#include "ui/frames/docking/SkinMiniFrames.h"
#include "ui/frames/toolbar_fixture.h"

TEST_F(ToolBarTest, ImagesComeFullDarkenedAndGreyWithTheCornerColourTransparent) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  CToolBarImages& images = toolbar.m_images;
  ASSERT_EQ(images.Count(), 4);
  ASSERT_EQ(images.m_darkened.GetImageCount(), 4);
  ASSERT_EQ(images.m_disabled.GetImageCount(), 4);
  const COLORREF grey = DisabledGreyFor(8);
  for (int i = 0; i < 4; ++i) {
    const COLORREF c = kImageColours[i];
    EXPECT_EQ(ImagePixel(images.m_normal, i, {8, 7}), c) << i;
    EXPECT_EQ(ImagePixel(images.m_darkened, i, {8, 7}), DarkenColor(50, c)) << i;
    EXPECT_EQ(ImagePixel(images.m_disabled, i, {8, 7}), Greyed(c, grey)) << i;
    for (CImageList* list : {&images.m_normal, &images.m_darkened, &images.m_disabled})
      EXPECT_EQ(ImagePixel(*list, i, {0, 0}), RGB(255, 0, 255)) << i;
  }
  // A bitmap whose corner is not its background still loses the corner's colour.
  HBITMAP hOdd = SquaresBitmap(2, kSilver);
  {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, hOdd);
    ::SetPixel(dc, 0, 0, RGB(1, 2, 3));
    ::SetPixel(dc, 20, 5, RGB(1, 2, 3));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
  }
  CToolBarImages loose;
  ASSERT_TRUE(loose.Load(hOdd, {16, 15}, kTopLeftTransparent, grey));
  EXPECT_EQ(ImagePixel(loose.m_normal, 1, {4, 5}), RGB(255, 0, 255));
  EXPECT_EQ(ImagePixel(loose.m_normal, 1, {5, 5}), kSilver);
  // Added without buttons the bitmap is one image, not a division by zero.
  CToolBarImages added;
  EXPECT_TRUE(added.Add(hOdd, 0, kTopLeftTransparent, grey));
  EXPECT_EQ(added.Count(), 1);
  ::DeleteObject(hOdd);
}

TEST_F(ToolBarTest, ButtonsShowTheirStateInThe2003LookAndTheirCommandUi) {
  CSkinMenu::SelectTheme(8);
  SkinState().themeActive = 1;
  OpenWithToolBar();
  EXPECT_FALSE(toolbar.GetButtonStyle(0) & TBBS_DISABLED);
  EXPECT_TRUE(toolbar.GetButtonStyle(1) & TBBS_CHECKED);
  EXPECT_TRUE(toolbar.GetButtonStyle(3) & TBBS_DISABLED);
  const RECT plain = Item(0), checked = Item(1), disabled = Item(3);
  EXPECT_EQ(DrawnAt(-1, Centre(plain)), DarkenColor(50, kImageColours[0])) << "plain buttons are darkened";
  EXPECT_EQ(DrawnAt(0, Centre(plain)), kImageColours[0]) << "the hot one is in full colour";
  EXPECT_EQ(DrawnAt(0, {plain.left, plain.top}), 0x840204u);
  EXPECT_EQ(DrawnAt(-1, {checked.left + 1, checked.top + 1}), 0xC2EEFFu);
  EXPECT_EQ(DrawnAt(-1, {checked.left, checked.top}), 0x840204u);
  EXPECT_NE(DrawnAt(-1, Centre(disabled)), DarkenColor(50, kImageColours[2]));
  toolbar.SendMessage(TB_PRESSBUTTON, 201, TRUE);
  RECT pressed = plain;
  ::InflateRect(&pressed, -1, -1);
  Canvas reference(plain.right, plain.bottom);
  DrawGradient(reference.dc(), pressed, 0x6B97F2, 0xA3CAF9, false, false);
  EXPECT_EQ(DrawnAt(0, {plain.left + 2, plain.top + 1}), reference.At(plain.left + 2, plain.top + 1));
}

TEST(ToolItemBackground, FollowsTheThemeTable) {
  struct Case {
    int look;
    UINT state;
    POINT at;
    COLORREF expected;
  };
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF text = ::GetSysColor(COLOR_HIGHLIGHTTEXT), untouched = RGB(255, 0, 255);
  const Case cases[] = {
      {8, CDIS_CHECKED, {10, 10}, 0xC2EEFF},      {8, CDIS_HOT, {0, 0}, 0x840204},
      {8, CDIS_SELECTED, {10, 10}, untouched},    {2, CDIS_HOT, {10, 10}, GetXpHighlightColor()},
      {2, CDIS_CHECKED, {0, 0}, highlight},       {6, CDIS_CHECKED, {10, 10}, LightenColor(60, highlight)},
      {6, CDIS_HOT, {0, 0}, DarkenColor(60, highlight)}, {0, CDIS_HOT, {0, 0}, text},
      {0, CDIS_HOT, {23, 21}, shadow},            {0, CDIS_HOT | CDIS_SELECTED, {0, 0}, shadow},
      {0, 0, {0, 0}, untouched},
  };
  for (const Case& c : cases) {
    Canvas canvas(24, 22);
    DrawToolItemBackground(canvas.dc(), {0, 0, 24, 22}, c.state, false, c.look);
    EXPECT_EQ(canvas.At(c.at.x, c.at.y), c.expected) << c.look << " " << c.state;
  }
  EXPECT_EQ(ToolItemLook(8, false), 2);
  EXPECT_EQ(ToolItemLook(9, true), 9);
  EXPECT_EQ(ToolItemLook(11, false), 11);
  // A drop-down button: its arrow part framed, and a 5-3-1 arrow in its middle.
  Canvas canvas(40, 22);
  DrawToolItemBackground(canvas.dc(), {0, 0, 40, 22}, CDIS_HOT, true, 8);
  const RECT arrow = DropDownArrowPart({0, 0, 40, 22});
  EXPECT_EQ(arrow.left, 27);
  EXPECT_EQ(canvas.At(arrow.left, 5), 0x840204u);
  const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
  const int x = (arrow.left + arrow.right) / 2, y = 11;
  EXPECT_EQ(canvas.Count({x - 3, y - 1, x + 4, y}, ink), 5);
  EXPECT_EQ(canvas.Count({x - 3, y, x + 4, y + 1}, ink), 3);
  EXPECT_EQ(canvas.Count({x - 3, y + 1, x + 4, y + 2}, ink), 1);
}

TEST(ToolSeparator, LinesCrossHorizontalBarsAndRunAlongVerticalOnes) {
  struct Case {
    ToolSeparatorKind kind;
    RECT separator, previous, expected;
  };
  const Case cases[] = {
      {ToolSeparatorKind::kAcross, {40, 2, 48, 24}, {10, 2, 40, 24}, {43, 5, 45, 21}},
      {ToolSeparatorKind::kAlong, {2, 40, 26, 48}, {2, 10, 26, 40}, {5, 44, 23, 46}},
      {ToolSeparatorKind::kWrap, {40, 2, 48, 24}, {10, 2, 40, 24}, {44, 23, 98, 25}}};
  for (const Case& c : cases) {
    const RECT line = ToolSeparatorLine(c.kind, c.separator, c.previous, 100, 2);
    EXPECT_TRUE(::EqualRect(&line, &c.expected)) << static_cast<int>(c.kind) << ": " << line.left << ","
                                                 << line.top << "," << line.right << "," << line.bottom;
  }
}

TEST_F(ToolBarTest, TheBarPaintsItsGradientItsSeparatorsAndItsGripperDots) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  COLORREF colors[4];
  CurrentTheme()->GetBarColors2003(colors);
  RECT client;
  toolbar.GetClientRect(&client);
  Canvas canvas(client.right, client.bottom);
  toolbar.DrawBackground(canvas.dc());
  CRect window;
  toolbar.GetWindowRect(&window);
  toolbar.ScreenToClient(&window);
  EXPECT_EQ(canvas.At(10, window.top + 2), colors[0]);
  EXPECT_EQ(canvas.At(10, window.bottom - 3), colors[3]) << "the edge line";
  toolbar.DrawButtons(canvas.dc(), -1);
  COLORREF first, second;
  ToolSeparatorColors(8, first, second);
  const RECT sep = Item(2);
  EXPECT_EQ(canvas.At((sep.left + sep.right) / 2 - 1, (sep.top + sep.bottom) / 2), first);
  EXPECT_EQ(canvas.At((sep.left + sep.right) / 2, (sep.top + sep.bottom) / 2), second);
  // The gripper: dots of the fourth bar colour on the left.
  Canvas nc(window.Width(), window.Height(), RGB(255, 255, 255));
  toolbar.DrawGripper(CDC::FromHandle(nc.dc()), CRect(0, 0, window.Width(), window.Height()));
  EXPECT_GT(nc.Count({0, 0, 10, window.Height()}, colors[3]), 4);
  EXPECT_EQ(nc.Count({10, 0, window.Width(), window.Height()}, colors[3]), 0);
  EXPECT_GE(nc.Count({0, 0, window.Width(), window.Height()}, GetThemedBarColor()), 12) << "three at each corner";
}

TEST_F(ToolBarTest, ClassicAndXpThemesPaintTheirOwnPlainBars) {
  struct Case {
    int theme;
    COLORREF expected;
  };
  const Case cases[] = {{0, GetMenuBarColorXP(nullptr)},
                        {2, MixColor86(GetDefaultBarColor(), ::GetSysColor(COLOR_WINDOW))}};
  for (const Case& c : cases) {
    Restart(SkinPlatform{});
    CSkinMenu::SelectTheme(c.theme);
    Canvas canvas(100, 30);
    ToolBarBackground bar;
    bar.area = {0, 0, 100, 30};
    DrawToolBarBackground(canvas.dc(), bar, c.theme);
    EXPECT_EQ(canvas.At(50, 15), c.expected) << c.theme;
  }
}

TEST_F(ToolBarTest, TheHostedComboFollowsItsSlotAndHidesOnAVerticalBar) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  auto expectInSlot = [&] {
    toolbar.SendMessage(WM_PAINT);  // a pending layout happens before painting
    const RECT slot = Item(toolbar.CommandToIndex(kCombo));
    CRect placed;
    combo.GetWindowRect(&placed);
    toolbar.ScreenToClient(&placed);
    EXPECT_TRUE(combo.IsWindowVisible());
    EXPECT_EQ(placed.left, slot.left + 1);
    EXPECT_NEAR((placed.top + placed.bottom) / 2.0, (slot.top + slot.bottom) / 2.0, 1.0);
  };
  expectInSlot();
  frame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  EXPECT_FALSE(combo.IsWindowVisible());
  EXPECT_TRUE(toolbar.GetButtonStyle(toolbar.CommandToIndex(kCombo)) & TBBS_HIDDEN);
  frame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();
  expectInSlot();
  EXPECT_FALSE(toolbar.InsertControl(0, nullptr, 0));
}

TEST_F(ToolBarTest, ButtonsBeyondTheBitmapsImagesDrawNoImage) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar(kShortToolBar);
  EXPECT_EQ(toolbar.m_images.Count(), 2);
  const RECT beyond = Item(4);
  const COLORREF background = DrawnAt(-1, {beyond.left + 1, (beyond.top + beyond.bottom) / 2});
  EXPECT_EQ(DrawnAt(-1, Centre(beyond)), background);
}

TEST_F(ToolBarTest, DockBarsTakeTheThemeBrushAndFloatingBarsAThemedFrame) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  CWnd* top = frame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(top->IsKindOf(RUNTIME_CLASS(CSkinDockBar)));
  // Beyond the toolbar the dock bar shows the brush, lined up with the frame.
  CRect dock, window;
  top->GetWindowRect(&dock);
  frame->GetWindowRect(&window);
  const POINT beyond{dock.right - 4, dock.top + 4};
  Canvas brush(window.Width(), 2);
  RECT strip{0, 0, window.Width(), 2};
  ::FillRect(brush.dc(), &strip, CSkinMenu::GetMenuBarBrush());
  top->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = ::GetWindowDC(top->m_hWnd);
  EXPECT_EQ(::GetPixel(dc, beyond.x - dock.left, beyond.y - dock.top), brush.At(beyond.x - window.left, 0));
  ::ReleaseDC(top->m_hWnd, dc);

  frame->FloatControlBar(&toolbar, CPoint(200, 200));
  CWnd* floating = toolbar.GetParentFrame();
  ASSERT_NE(floating, nullptr);
  ASSERT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CSkinMiniDockFrameWnd)));
  EXPECT_NE(static_cast<CSkinMiniDockFrameWnd*>(floating)->m_SystemMenu.m_hMenu, nullptr);
  floating->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveShot("floating_toolbar.bmp", {floating->m_hWnd});
  frame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);
  PumpPending();  // the emptied floating frame goes
  EXPECT_EQ(toolbar.GetParentFrame(), frame);
  EXPECT_TRUE(SkinState().menuWindows.empty());
}

TEST_F(FrameTest, ThemedDockingAddsOnlyTheMissingDockBars) {
  Open();
  EnableThemedDocking(frame, CBRS_ALIGN_TOP);
  CWnd* top = frame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT), nullptr);
  EnableThemedDocking(frame, CBRS_ALIGN_ANY);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP), top);
  for (UINT id : {AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    EXPECT_TRUE(frame->GetControlBar(id) && frame->GetControlBar(id)->IsKindOf(RUNTIME_CLASS(CSkinDockBar))) << id;
  EXPECT_EQ(frame->m_pFloatingFrameClass, RUNTIME_CLASS(CSkinMiniDockFrameWnd));
}
