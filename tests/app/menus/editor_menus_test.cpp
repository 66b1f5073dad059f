// The real editor started as the program starts it: its menus come in the
// theme chosen at start-up (8, or its borderless twin 9 on a compatibility
// layer), owner-drawn with their icons, and its popups open themed. When
// SPAB_MENU_SHOTS names a folder, the open File and Modifica menus over the
// main window are written there (and the Visualizza menu with its sub-menus).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/dialogs/OpzioniDlg.h"
#include "app/resource.h"
#include "app/shell/MainFrm.h"
#include "app/shell/SplashWnd.h"
#include "app/shell/SposalboApp.h"
#include "app/support/GeneratedAlbum.h"
#include "app/support/HandInput.h"
#include "app/support/SampleAlbum.h"
#include "app/surface/PageStatic.h"
#include "crop/WindowCapture.h"
#include "document/SposalboDoc.h"
#include "document/TempFolder.h"
#include "document/pages/PaginaTreeNode.h"
#include "framework/scripted_ui.h"
#include "ui/menus/core/SkinMenuHook.h"
#include "ui/menus/menu/SkinMenuIcons.h"
#include "ui/menus/window/MenuWindow.h"

namespace {
class QuietApp : public CSposalboApp {
 protected:
  BOOL InitSockets() override { return TRUE; }
  BOOL InitOle() override { return TRUE; }
};

// Every item of the menu is owner-drawn with item data its CSkinMenu holds.
int PlainItems(HMENU hMenu) {
  CSkinMenu* menu = DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(hMenu));
  if (!menu) return -1;
  int plain = 0;
  for (int pos = 0, n = ::GetMenuItemCount(hMenu); pos < n; ++pos) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    ::GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &mii);
    plain += !(mii.fType & MFT_OWNERDRAW) || !menu->CheckItemData(mii.dwItemData);
  }
  return plain;
}

// What a look at the open popup found, made when the menu loop first idles
// (the frame hears WM_ENTERIDLE), which then ends the menu.
struct OpenPopup {
  HWND window = nullptr;
  bool themed = false;
  int plainItems = -1;
  HWND frame = nullptr;
  const char* shot = nullptr;
};
OpenPopup g_popup;
WNDPROC g_frameProc = nullptr;

// The frame's top-left part with the popup over it, each as the window drew
// itself (the screen may not show the newest drawing yet).
void writeShot(const OpenPopup& p) {
  const char* folder = std::getenv("SPAB_MENU_SHOTS");
  if (!folder || !*folder) return;
  RECT frame, popup, area;
  ::GetWindowRect(p.frame, &frame);
  ::GetWindowRect(p.window, &popup);
  frame.right = std::min(frame.right, frame.left + 900);
  frame.bottom = std::min(frame.bottom, frame.top + 560);
  ::UnionRect(&area, &frame, &popup);
  WindowCapture shot;
  shot.width = area.right - area.left;
  shot.height = area.bottom - area.top;
  shot.pixels.assign(static_cast<size_t>(shot.width) * shot.height, 0xFFFFFF);
  for (HWND window : {p.frame, p.window}) {
    RECT at;
    ::GetWindowRect(window, &at);
    const WindowCapture drawn = CaptureWindow(window);
    for (int y = 0; y < drawn.height; ++y)
      for (int x = 0; x < drawn.width; ++x) {
        const POINT to{at.left - area.left + x, at.top - area.top + y};
        if (to.x < shot.width && to.y < shot.height && to.x >= 0 && to.y >= 0)
          shot.pixels[static_cast<size_t>(to.y) * shot.width + to.x] = drawn.At({x, y});
      }
  }
  WriteCapture(std::string(folder) + "/" + p.shot, shot);
}

void lookAtPopup(HWND popup) {
  g_popup.window = popup;
  g_popup.themed = MenuHookDataOf(popup) != nullptr;
  g_popup.plainItems = PlainItems(reinterpret_cast<HMENU>(::SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0)));
  writeShot(g_popup);
}

LRESULT CALLBACK watchingFrame(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !g_popup.window && lParam) {
    lookAtPopup(reinterpret_cast<HWND>(lParam));
    ::EndMenu();
  }
  return ::CallWindowProcA(g_frameProc, hWnd, message, wParam, lParam);
}

// Opens the menu-bar popup of the mnemonic through the system, as Alt and the
// letter do, and looks at it.
OpenPopup OpenFromTheBar(CFrameWnd* frame, char mnemonic, const char* shot) {
  g_popup = OpenPopup{};
  g_popup.frame = frame->m_hWnd;
  g_popup.shot = shot;
  g_frameProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchingFrame)));
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, mnemonic);
  ::SetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
  return g_popup;
}
}  // namespace

TEST(EditorMenus, TheEditorStartsInItsThemeWithOwnerDrawnMenusThatOpenThemed) {
  CScriptedUi ui;
  QuietApp app;
  ASSERT_TRUE(app.InitInstance());
  if (CSplashWnd* splash = CSplashWnd::Current()) splash->DestroyWindow();
  auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  ASSERT_NE(frame, nullptr);
  ::SetForegroundWindow(frame->m_hWnd);

  const bool layer = ProbeSkinPlatform().compatibilityLayer;
  EXPECT_EQ(CSkinMenu::GetThemeId(), layer ? 9 : 8) << "the 2003 look, borderless on a compatibility layer";
  EXPECT_NE(SkinState().hook, nullptr);
  HMENU bar = ::GetMenu(frame->m_hWnd);
  ASSERT_EQ(bar, frame->m_DefaultMenu.m_hMenu);
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  ::GetMenuInfo(bar, &info);
  EXPECT_NE(info.hbrBack, nullptr) << "the bar in the theme's brush";
  EXPECT_EQ(PlainItems(bar), 0);
  for (int pos = 0, n = ::GetMenuItemCount(bar); pos < n; ++pos) EXPECT_EQ(PlainItems(::GetSubMenu(bar, pos)), 0) << pos;
  CSkinMenuItemData* newAlbum = frame->m_DefaultMenu.FindItemData(32874);
  ASSERT_NE(newAlbum, nullptr);
  EXPECT_NE(newAlbum->m_pMenuIcon, nullptr) << "File > Nuovo shows its icon";

  for (auto [mnemonic, shot] : {std::pair<char, const char*>{'f', "editor_file_menu.bmp"},
                                {'m', "editor_edit_menu.bmp"},
                                {'v', "editor_view_menu.bmp"}}) {
    const OpenPopup popup = OpenFromTheBar(frame, mnemonic, shot);
    ASSERT_NE(popup.window, nullptr) << mnemonic;
    EXPECT_TRUE(popup.themed) << mnemonic;
    EXPECT_EQ(popup.plainItems, 0) << mnemonic;
  }
  EXPECT_TRUE(SkinState().menuWindows.empty()) << "closed popups are themed no more";

  frame->DestroyWindow();
  app.ExitInstance();
  EXPECT_EQ(SkinState().hook, nullptr) << "the hook goes at exit";
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

namespace {
// The editor started as the program starts it, in front, for the system's
// input; answers from the seam.
class EditorMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.InitInstance());
    if (CSplashWnd* splash = CSplashWnd::Current()) splash->DestroyWindow();
    frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    ::SetForegroundWindow(frame->m_hWnd);
    // Keys reach the frame once the system has made it the active window.
    bool active = false;
    hand::Perform([&] {
      active = hand::WaitUntil([&] { return hand::Ui().hwndActive == frame->m_hWnd && hand::Ui().hwndFocus; });
    });
    ASSERT_TRUE(active) << "the editor is not the active window";
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    app.ExitInstance();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
  CScriptedUi ui;
  QuietApp app;
  CMainFrame* frame = nullptr;
};

// The menu shown in the newest popup, if one shows (for the hand's thread).
HMENU TopPopup() {
  for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    char name[16] = "";
    ::GetClassNameA(w, name, sizeof name);
    if (std::string(name) == "#32768" && ::IsWindowVisible(w))
      return reinterpret_cast<HMENU>(::SendMessageA(w, 0x01E1 /* MN_GETHMENU */, 0, 0));
  }
  return nullptr;
}

// The same, once one shows.
HMENU WaitForPopup() {
  HMENU shown = nullptr;
  hand::WaitUntil([&] { return (shown = TopPopup()) != nullptr; });
  return shown;
}

// Alt and a letter, let go once a popup shows, as a hand does; its menu.
HMENU AltAnd(WORD letter) {
  HMENU shown = nullptr;
  hand::Chord({VK_MENU, letter}, [&] { return (shown = TopPopup()) != nullptr; });
  return shown;
}

// Escape until no menu is open.
void LeaveMenus() {
  for (int i = 0; i < 4 && hand::InMenu(); ++i) hand::Keys({VK_ESCAPE});
}
}  // namespace

TEST_F(EditorMenusTest, AltAndTheLettersOfTheMenuReachTitlesAndItems) {
  HMENU bar = ::GetMenu(frame->m_hWnd);
  HMENU background = nullptr, groups = nullptr;
  hand::Perform([&] {
    background = AltAnd('O');  // Sfondo, whose letter File no longer takes
    LeaveMenus();
    AltAnd('M');  // Modifica > Opzioni
    hand::Keys({'O'});
    hand::WaitUntil([] { return !hand::InMenu(); });
    AltAnd('V');  // Visualizza > Fotografie hides the photo bar
    hand::Keys({'F'});
    hand::WaitUntil([] { return !hand::InMenu(); });
    HMENU tools = AltAnd('S');  // Strumenti > Gruppi
    hand::Keys({'G'});
    hand::WaitUntil([&] { return TopPopup() != tools; });
    groups = WaitForPopup();
    LeaveMenus();
  });
  EXPECT_EQ(background, ::GetSubMenu(bar, 6));
  const auto& asked = ui.Questions();
  EXPECT_TRUE(std::any_of(asked.begin(), asked.end(), [](const AfxUiQuestion& q) {
    return q.kind == "modal" && q.type == COpzioniDlg::IDD;
  })) << "the options dialog";
  EXPECT_FALSE(frame->GetBars().m_photos.IsWindowVisible());
  EXPECT_EQ(groups, ::GetSubMenu(::GetSubMenu(bar, 4), 0));
}

TEST_F(EditorMenusTest, AnAcceleratorOrAClickWithAltLeavesTheMenuBarAsItWas) {
  TempFolder temp;
  SampleAlbum sample(temp.Path());
  ui.AnswerFiles({sample.ProjectPath().c_str()});
  frame->SendMessage(WM_COMMAND, ID_ALBUM_OPEN);
  ASSERT_NE(frame->GetCurrentPage(), nullptr);
  CSposalboPageStatic& surface = *frame->GetPageSurface();
  // Where the page shows an object, on the screen.
  const auto screenOf = [&](treeNode::CTreeNode* node) {
    CRect client;
    surface.GetClientRect(&client);
    const float aspect = static_cast<float>(client.Width()) / static_cast<float>(client.Height());
    const float vx = node->GetX() * surface.GetZoomX() + surface.GetPanX();
    const float vy = node->GetY() * surface.GetZoomY() + surface.GetPanY();
    CPoint at(static_cast<int>((vx + aspect / 2) * static_cast<float>(client.Height())),
              static_cast<int>((0.5f - vy) * static_cast<float>(client.Height())));
    surface.ClientToScreen(&at);
    return at;
  };
  // Alt+Backspace (Annulla) let go in either order, or a click on the selected
  // object with Alt held (as Alt selects inside frames); then Delete for the page.
  enum class AltUse { kBackspaceLetGoFirst, kAltLetGoFirst, kClick };
  for (AltUse use : {AltUse::kBackspaceLetGoFirst, AltUse::kAltLetGoFirst, AltUse::kClick}) {
    SCOPED_TRACE(use == AltUse::kClick ? "a click with Alt"
                 : use == AltUse::kAltLetGoFirst ? "Alt let go first" : "Backspace let go first");
    treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
    page->SelectAll(false);
    page->GetChild(0)->SetSelected(true);
    frame->SendMessage(WM_COMMAND, ID_ROTATE_90);  // something to undo
    const size_t objects = page->GetChildCount();
    const CPoint object = screenOf(frame->GetCurrentPage()->GetChild(0));
    bool menuAfterAlt = true;
    hand::Perform([&] {
      hand::KeyDown(VK_MENU);
      if (use == AltUse::kClick) {
        hand::Click(object);
        hand::KeyUp(VK_MENU);
      } else {
        hand::KeyDown(VK_BACK);
        hand::KeyUp(use == AltUse::kAltLetGoFirst ? VK_MENU : VK_BACK);
        hand::KeyUp(use == AltUse::kAltLetGoFirst ? VK_BACK : VK_MENU);
      }
      menuAfterAlt = hand::InMenu();
      hand::Keys({VK_DELETE});
      LeaveMenus();
    });
    EXPECT_FALSE(menuAfterAlt) << "the menu bar took the keyboard";
    EXPECT_EQ(frame->GetCurrentPage()->GetChildCount(), objects - 1) << "Delete reached the page";
    frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);  // the page keeps its objects for the next way
  }
}

namespace {
// Counts the messages a window hears while the frame handles one command.
class CallsDuringCommand {
 public:
  CallsDuringCommand(HWND frame, UINT command, HWND watched) : m_frame(frame), m_watched(watched) {
    s_command = command;
    s_calls = 0;
    s_frameProc = Subclass(frame, &FrameProc);
    s_watchedProc = Subclass(watched, &WatchedProc);
  }
  ~CallsDuringCommand() {
    ::SetWindowLongPtrA(m_watched, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_watchedProc));
    ::SetWindowLongPtrA(m_frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_frameProc));
  }
  CallsDuringCommand(const CallsDuringCommand&) = delete;
  CallsDuringCommand& operator=(const CallsDuringCommand&) = delete;
  static int Calls() { return s_calls; }

 private:
  static WNDPROC Subclass(HWND window, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  }
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool command = message == WM_COMMAND && LOWORD(wParam) == s_command;
    s_inCommand = s_inCommand || command;
    const LRESULT result = ::CallWindowProcA(s_frameProc, window, message, wParam, lParam);
    if (command) s_inCommand = false;
    return result;
  }
  static LRESULT CALLBACK WatchedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (s_inCommand) ++s_calls;
    return ::CallWindowProcA(s_watchedProc, window, message, wParam, lParam);
  }
  HWND m_frame, m_watched;
  static inline UINT s_command = 0;
  static inline WNDPROC s_frameProc = nullptr, s_watchedProc = nullptr;
  static inline bool s_inCommand = false;
  static inline int s_calls = 0;
};
}  // namespace

// A save from the File menu of an album of real size, a photo just dragged
// onto its crowded spread: the menu answers at once again, to a click and to
// Alt, and the status bar is ready. The save recounts every placement, and the
// photo bar's marks follow: they cost the list a few calls a photo, not a few
// for every photo at every placement, which kept the editor from its input.
TEST_F(EditorMenusTest, AfterALargeAlbumIsSavedFromTheMenuTheMenuAnswersAgain) {
  TempFolder temp;
  SampleAlbum sample(temp.Path());
  ASSERT_TRUE(ImportPictures(sample.ProjectPath(), temp.Path(), 28));
  ASSERT_TRUE(RewriteAlbumPages(sample.ProjectPath(), 20, 20, 200));
  ui.AnswerFiles({sample.ProjectPath().c_str()});
  frame->SendMessage(WM_COMMAND, ID_ALBUM_OPEN);
  ASSERT_NE(frame->GetAlbum(), nullptr);
  CImgListView& photos = frame->GetBars().m_photos.GetList();
  hand::Perform([&] { hand::WaitUntil([&] { return ::SendMessageA(photos.m_hWnd, LVM_GETITEMCOUNT, 0, 0) == 30; }); });
  CRect photo, page;
  photos.GetItemRect(0, &photo, LVIR_ICON);
  photos.ClientToScreen(&photo);
  frame->GetActiveView()->GetWindowRect(&page);
  const size_t objects = frame->GetCurrentPage()->GetChildCount();
  HMENU bar = ::GetMenu(frame->m_hWnd);
  HMENU file = ::GetSubMenu(bar, 0);
  const auto itemCentre = [&](HMENU menu, int pos) {
    RECT r{};
    ::GetMenuItemRect(frame->m_hWnd, menu, static_cast<UINT>(pos), &r);
    return CRect(r).CenterPoint();
  };
  HMENU opened = nullptr, reopened = nullptr, typed = nullptr;
  CallsDuringCommand listCalls(frame->m_hWnd, ID_ALBUM_SAVE, photos.m_hWnd);
  hand::Perform([&] {
    hand::Drag(photo.CenterPoint(), page.CenterPoint());
    hand::Click(itemCentre(bar, 0));
    opened = WaitForPopup();
    hand::Click(itemCentre(file, 4));  // Salva
    hand::Click(itemCentre(bar, 0));
    reopened = WaitForPopup();
    LeaveMenus();
    typed = AltAnd('F');
    LeaveMenus();
  });
  EXPECT_EQ(opened, file);
  EXPECT_EQ(frame->GetCurrentPage()->GetChildCount(), objects + 1) << "the photo dropped on the page";
  EXPECT_FALSE(frame->GetAlbum()->IsModified()) << "saved";
  EXPECT_LT(CallsDuringCommand::Calls(), 10 * photos.GetItemCount()) << "calls to the photo list while saving";
  EXPECT_EQ(reopened, file) << "by a click";
  EXPECT_EQ(typed, file) << "by Alt and F";
  CStatusBar* status = dynamic_cast<CStatusBar*>(frame->GetMessageBar());
  ASSERT_NE(status, nullptr);
  EXPECT_STREQ(status->GetPaneText(0), "Pronto");
}
