// The page surface inside the editor's real frame, with the sample album
// opened from the menu: what its render ticks draw, the selection menu over
// overlapping objects, and the colours an object inside a group shows while
// the colour dialog edits it. Ticks are sent as the timer sends them.
#include <functional>
#include <memory>
#include <string>

#include "app/dialogs/DialogDriving.h"
#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "app/surface/PageStatic.h"
#include "crop/MouseInput.h"
#include "crop/WindowCapture.h"
#include "document/SposalboDoc.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/DeviceFixture.h"

using treeNode::CEffectTreeNode;
using treeNode::CImgTreeNode;
using treeNode::CTreeNode;

namespace {
class SurfaceInFrameTest : public EditorFrameTest {
 protected:
  void Open() {
    OpenSample();
    frame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(frame->m_hWnd);
    Settle();
  }
  CSposalboPageStatic& Surface() const { return *frame->GetPageSurface(); }
  treeNode::CPaginaTreeNode* Page() const { return frame->GetCurrentPage(); }
  CTreeNode* Object(size_t index) const { return Page()->GetChild(index); }
  int Frames() const { return Surface().GetFramesDrawn(); }
  void Tick() { Surface().SendMessage(WM_TIMER, CSposalboPageStatic::kRenderTimer); }
  // Ticks until one draws nothing: whatever opening or laying out left to
  // show is shown.
  void Settle() {
    input::Flush();
    for (int i = 0; i < 20; ++i) {
      const int before = Frames();
      Tick();
      input::Flush();
      if (Frames() == before) return;
    }
    ADD_FAILURE() << "the surface never came to rest";
  }
  // Client pixel of a point of the page at the view's pan and zoom.
  POINT PixelOf(float pageX, float pageY) const {
    CRect client;
    Surface().GetClientRect(&client);
    const float height = static_cast<float>(client.Height());
    const float aspect = static_cast<float>(client.Width()) / height;
    const float x = pageX * Surface().GetZoomX() + Surface().GetPanX();
    const float y = pageY * Surface().GetZoomY() + Surface().GetPanY();
    return POINT{static_cast<LONG>((x + aspect / 2) * height), static_cast<LONG>((0.5f - y) * height)};
  }
  void Click(POINT at) {
    Surface().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Surface().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  // The state of a command's item in the frame's menu bar as it opens.
  UINT MenuItemState(UINT id) const {
    CMenu* bar = frame->GetMenu();
    for (int i = 0; bar && i < static_cast<int>(bar->GetMenuItemCount()); ++i) {
      CMenu* menu = bar->GetSubMenu(i);
      if (!menu || ::GetMenuState(menu->m_hMenu, id, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
      frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu->m_hMenu), MAKELPARAM(i, FALSE));
      return ::GetMenuState(menu->m_hMenu, id, MF_BYCOMMAND);
    }
    ADD_FAILURE() << id << " is in no menu";
    return 0;
  }
  // What the last frame drawn shows at a point of the page, 0xRRGGBB.
  unsigned ShownAt(float pageX, float pageY) const {
    const Pixels shown = ReadRenderTarget(Surface().GetDevice());
    const POINT at = PixelOf(pageX, pageY);
    return shown.Rgb(at.x, at.y);
  }
};
}  // namespace

TEST_F(SurfaceInFrameTest, ATickDrawsOnlyWhatChangedSinceTheLastFrame) {
  Open();
  const int atRest = Frames();
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(Frames(), atRest) << "nothing changed: nothing drawn";

  CImgTreeNode* photo = nullptr;
  treeNode::CTestoTreeNode* text = nullptr;
  treeNode::CCorniceTreeNode* masked = nullptr;
  LOGFONTA font{};
  font.lfHeight = -24;
  lstrcpyA(font.lfFaceName, "Arial");
  const struct {
    const char* change;
    std::function<void()> make;
  } cases[] = {
      {"an object moved, by the page alone", [&] { Object(0)->MoveBy(0.02f, 0.0f); }},
      {"the selection, from the menu", [&] { Menu(ID_SELECT_ALL); }},
      {"a colour previewed", [&] {
         CImgColor preview;
         preview.red = 0.5f;
         Object(1)->SetColourSettings(&preview, true);
       }},
      {"the zoom", [&] { Menu(ID_ZOOM_IN); }},
      {"the pan", [&] { Menu(ID_PAN_LEFT); }},
      {"the rulers shown", [&] { Menu(ID_VIEW_RULER); }},
      {"the window's size", [&] {
         CRect window;
         frame->GetWindowRect(&window);
         frame->SetWindowPos(nullptr, 0, 0, window.Width() - 60, window.Height() - 40, SWP_NOMOVE | SWP_NOZORDER);
         input::Flush();
       }},
      {"a device reset", [&] { Surface().ResetDevice(0, 0); }},
      {"the surface cleared", [&] { Surface().ClearSurface(); }},
      {"the page marked changed (its thumbnail)", [&] { Page()->SetNeedsRefresh(true); }},
      {"the pictures let go (an outside edit)", [&] { Page()->ReleaseResources(); }},
      {"an object added", [&] {
         Page()->AddChild(Object(0)->Clone(Page()), true);
         photo = static_cast<CImgTreeNode*>(Object(Page()->GetChildCount() - 1));
       }},
      {"the new object selected", [&] { photo->SetSelected(true); }},
      // What follows is set alone, without a snapshot the page is drawn after.
      {"a text added", [&] {
         Page()->AddChild(std::make_unique<treeNode::CTestoTreeNode>("Auguri", font, RGB(0, 0, 0), Page()), true);
         text = static_cast<treeNode::CTestoTreeNode*>(Object(Page()->GetChildCount() - 1));
       }},
      {"the text's words", [&] { text->SetText("Sposi"); }},
      {"the text's font", [&] {
         font.lfWeight = FW_BOLD;
         text->SetFont(font);
       }},
      {"the text's colour", [&] { text->SetColour(RGB(200, 0, 0)); }},
      {"an effect over the photo", [&] { photo->SetEffect(std::make_unique<CEffectTreeNode>("effetto.bmp", photo)); }},
      {"the effect turned", [&] { photo->SetEffectRotation(90); }},
      {"the effect mirrored", [&] { photo->SetEffectMirror(CEffectTreeNode::kMirrorHorizontal); }},
      {"the page with the masked frame", [&] {
         treeNode::CSposalboTreeNode& album = *frame->GetAlbum()->GetRoot();
         album.GoToPage(1);
         masked = dynamic_cast<treeNode::CCorniceTreeNode*>(Object(0));
         ASSERT_TRUE(masked && masked->IsMasked());
       }},
      {"the frame's mask taken off", [&] { masked->SetMasked(false); }},
      {"and put back", [&] { masked->SetMasked(true); }},
      {"the first page again", [&] { frame->GetAlbum()->GetRoot()->GoToPage(0); }},
      {"an undo", [&] {
         Page()->SaveUndo();
         Menu(ID_EDIT_UNDO);
       }},
      {"a new page added", [&] { Menu(ID_PAGE_NEW); }},
      {"the next page, drawn at once", [&] { Menu(ID_PAGE_NEXT); }},
  };
  for (const auto& c : cases) {
    Settle();
    const int before = Frames();
    c.make();
    Tick();
    EXPECT_EQ(Frames() - before, 1) << c.change << ": drawn by the next tick";
    Tick();
    EXPECT_EQ(Frames() - before, 1) << c.change << ": and only once";
  }
}

// The menus, bars and panes are brought up to date after a tick only when
// the tick drew: at rest the editor does no idle work ten times a second.
TEST_F(SurfaceInFrameTest, OnlyATickThatDrewStartsTheIdleUpdate) {
  MSG tick{};
  tick.hwnd = Surface().m_hWnd;
  tick.message = WM_TIMER;
  tick.wParam = CSposalboPageStatic::kRenderTimer;
  const auto idleUpdates = [&](int ticks) {
    int started = 0;
    for (int i = 0; i < ticks; ++i) {
      Tick();
      started += app.IsIdleMessage(&tick) ? 1 : 0;
    }
    return started;
  };
  EXPECT_EQ(idleUpdates(5), 0) << "no album since the start";
  Open();
  Tick();
  EXPECT_FALSE(app.IsIdleMessage(&tick)) << "at rest";
  Object(0)->MoveBy(0.02f, 0.0f);
  Tick();
  EXPECT_TRUE(app.IsIdleMessage(&tick)) << "a tick that drew";
  Tick();
  MSG other = tick;
  other.wParam = CSposalboPageStatic::kRenderTimer + 1;
  EXPECT_TRUE(app.IsIdleMessage(&other)) << "another timer";
  Menu(ID_ALBUM_CLOSE);
  EXPECT_EQ(idleUpdates(5), 0) << "the album closed";
}

// Frames reach the surface as copies: a window over the page, gone again,
// leaves the page shown without a tick drawing it.
TEST_F(SurfaceInFrameTest, AWindowOverThePageLeavesItShownWhenItGoes) {
  Open();
  frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  Settle();
  CRect area;
  Surface().GetClientRect(&area);
  Surface().ClientToScreen(&area);
  const POINT photo = PixelOf(-0.4f, 0.0f);
  POINT onScreen = photo;
  Surface().ClientToScreen(&onScreen);
  const auto shown = [&] { return CaptureWindow(::GetDesktopWindow()).At(onScreen); };
  input::FlushUntil([&] { return shown() == ShownAt(-0.4f, 0.0f); });
  const unsigned page = shown();
  ASSERT_GE(Red(page), 0xF0) << "photo A";

  const char* cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  const int atRest = Frames();
  const struct {
    const char* window;
    bool child;
  } covers[] = {{"a pop-up over the frame", false}, {"a bar of the frame slid over the view", true}};
  for (const auto& c : covers) {
    CWnd cover;
    CRect rect = area;
    if (c.child) frame->ScreenToClient(&rect);
    ASSERT_TRUE(cover.CreateEx(c.child ? 0 : WS_EX_TOPMOST, cls, "", (c.child ? WS_CHILD : WS_POPUP) | WS_VISIBLE,
                               rect.left, rect.top, rect.Width(), rect.Height(), c.child ? frame->m_hWnd : nullptr,
                               nullptr))
        << c.window;
    if (c.child) cover.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    cover.UpdateWindow();
    input::FlushUntil([&] { return shown() == 0; });
    EXPECT_EQ(shown(), 0u) << c.window << " covers the page";
    cover.DestroyWindow();
    input::FlushUntil([&] { return shown() == page; });
    EXPECT_EQ(shown(), page) << c.window << " gone, the page shows again";
  }
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(Frames(), atRest) << "and the page itself did not change";
}

// Choosing one of several objects under the cursor adds it to the selection,
// as hovering its entry showed it: what was selected elsewhere stays.
TEST_F(SurfaceInFrameTest, TheSelectionMenusChoiceJoinsTheSelection) {
  Open();
  CTreeNode* a = Object(0);
  CTreeNode* b = Object(1);
  b->SetPosition(a->GetX(), a->GetY());
  Page()->AddChild(a->Clone(Page()), true);
  CTreeNode* elsewhere = Object(2);
  elsewhere->SetPosition(0.4f, 0.3f);
  elsewhere->SetSelected(true);
  // The menu, once it is open, takes the second entry with the keyboard:
  // the keys wait in the queue its loop reads.
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) Surface().PostMessage(WM_KEYDOWN, key, 0);
  Click(PixelOf(a->GetX(), a->GetY()));
  EXPECT_FALSE(a->IsSelected());
  EXPECT_TRUE(b->IsSelected()) << "chosen";
  EXPECT_TRUE(elsewhere->IsSelected()) << "still selected";
  EXPECT_EQ(Page()->GetSelectedCount(false), 2);
}

// A photo inside a frame, chosen alone (as Alt and a click choose it), is a
// selection the menu's "Annulla selezione" offers to let go of, and does.
TEST_F(SurfaceInFrameTest, SelectingNoneLetsGoOfAPhotoChosenInsideAFrame) {
  {
    auto root = treeNode::CSposalboTreeNode::Load(Sample().ProjectPath(), nullptr);
    ASSERT_NE(root, nullptr);
    CTreeNode* held = root->GetPage(1)->GetChild(0);
    ASSERT_TRUE(held->HasTag("cornice"));
    std::unique_ptr<CTreeNode> photo = root->GetPage(0)->GetChild(0)->Clone(held);
    photo->SetPosition(held->GetX(), held->GetY());
    held->AddChild(std::move(photo), true);
    ASSERT_TRUE(root->SaveToFile(Sample().ProjectPath()));
  }
  Open();
  Menu(ID_PAGE_NEXT);
  CTreeNode* photo = Object(0)->GetChild(0);
  EXPECT_EQ(MenuItemState(ID_SELECT_NONE) & MF_GRAYED, static_cast<UINT>(MF_GRAYED)) << "nothing selected";
  photo->SetSelected(true);
  ASSERT_EQ(Page()->GetSelectedCount(true), 0) << "no object of the page itself is selected";
  EXPECT_EQ(MenuItemState(ID_SELECT_NONE) & MF_GRAYED, 0u);

  Menu(ID_SELECT_NONE);
  EXPECT_FALSE(photo->IsSelected());
  EXPECT_EQ(Page()->GetSelectedCount(false), 0);
  EXPECT_EQ(MenuItemState(ID_SELECT_NONE) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
}

// A photo inside a darkened group, chosen alone and recoloured: before the
// dialog, in its preview and after OK the page shows the photo's colour
// within the group's, as it shows it once the album is opened again.
TEST_F(SurfaceInFrameTest, AnObjectInsideADarkenedGroupShowsTheGroupsColourWhileRecoloured) {
  {
    auto root = treeNode::CSposalboTreeNode::Load(Sample().ProjectPath(), nullptr);
    ASSERT_NE(root, nullptr);
    treeNode::CPaginaTreeNode* page = root->GetCurrentPage();
    auto* photo = static_cast<CImgTreeNode*>(page->GetChild(0));
    photo->GetColourSettings()->brightness = 0.8f;
    photo->SetSelected(true);
    treeNode::CGruppoTreeNode* group = page->GroupSelection();
    ASSERT_NE(group, nullptr);
    CImgColor dark;
    dark.brightness = 0.5f;
    group->SetColourSettings(&dark, false);
    ASSERT_TRUE(root->SaveToFile(Sample().ProjectPath()));
  }
  Open();
  const auto group = [&] { return dynamic_cast<treeNode::CGruppoTreeNode*>(Object(0)); };
  ASSERT_NE(group(), nullptr);
  const unsigned opened = ShownAt(-0.4f, 0.0f);
  EXPECT_LT(Red(opened), 0x90) << "the photo shows darkened by the group";

  group()->GetChild(0)->SetSelected(true);
  unsigned inDialog = 0, preview = 0;
  CString brightness;
  ui.AnswerModalWith([&](CWnd* dialog) {
    brightness = dialog_test::TextOf(dialog, IDC_COL_BRIGHTNESS_EDIT);
    Tick();
    inDialog = ShownAt(-0.4f, 0.0f);
    dialog_test::Type(dialog, IDC_COL_BRIGHTNESS_EDIT, "75");
    Tick();
    preview = ShownAt(-0.4f, 0.0f);
    dialog_test::Click(dialog, IDOK);
  });
  Menu(ID_SELECTION_COLOUR);
  EXPECT_STREQ(brightness, "40") << "the dialog opens on the photo's own colour";
  EXPECT_EQ(inDialog, opened);
  EXPECT_GT(Red(preview), Red(opened));
  EXPECT_LT(Red(preview), 0xF0) << "brighter, still within the group's colour";
  Tick();
  const unsigned kept = ShownAt(-0.4f, 0.0f);
  EXPECT_EQ(kept, preview);

  Menu(ID_ALBUM_SAVE);
  Open();
  EXPECT_EQ(ShownAt(-0.4f, 0.0f), kept) << "as the album shows it opened again";

  // Cancel gives the photo back the colour it had.
  group()->GetChild(0)->SetSelected(true);
  ui.AnswerModalWith([&](CWnd* dialog) {
    dialog_test::Type(dialog, IDC_COL_BRIGHTNESS_EDIT, "100");
    dialog_test::Click(dialog, IDCANCEL);
  });
  Menu(ID_SELECTION_COLOUR);
  Tick();
  EXPECT_EQ(ShownAt(-0.4f, 0.0f), kept);
}
