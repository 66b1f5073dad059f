#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/commands/EditCommands.h"
#include "app/dialogs/DialogDriving.h"
#include "app/dialogs/FontListFile.h"
#include "app/menus/ContextMenu.h"
#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "app/support/HandInput.h"
#include "app/surface/PageStatic.h"
#include "crop/MouseInput.h"
#include "document/LabKeys.h"
#include "document/ModelFakes.h"
#include "document/SposalboDoc.h"
#include "document/nodes/ImgColor.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/WorkingCopyRemakes.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/FileWatch.h"
#include "document/services/SystemMessage.h"
#include "document/services/Win32Handle.h"
#include "imagelib/ImgBitmap.h"
#include "render/D3DImage.h"
#include "render/PictureCache.h"

using dialog_test::Click;
using dialog_test::Type;

namespace {
struct ProgressWatch;

class MainFrameCommandsTest : public EditorFrameTest {
 protected:
  bool HasHandler(UINT id) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    return frame->OnCmdMsg(id, CN_COMMAND, nullptr, &info) != FALSE;
  }
  // The sample album opened with its folder of working copies gone, their
  // remaking held until the watch lets it go.
  void OpenWithoutWorkingCopies(ProgressWatch& watch);
};

// A colour slider's thumb dragged from its start to beyond its end.
void DragSliderToEnd(CWnd* dialog, int sliderId) {
  CWnd* slider = dialog->GetDlgItem(sliderId);
  slider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  slider->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, 5));
  slider->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1000, 5));
  dialog_test::PumpPending();
}

// Dates a file's last write some seconds after another file's, whatever
// the clock's resolution.
void WrittenAfter(const std::string& path, const std::string& earlier, int seconds) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(::GetFileAttributesExA(earlier.c_str(), GetFileExInfoStandard, &data));
  ULARGE_INTEGER time{};
  time.LowPart = data.ftLastWriteTime.dwLowDateTime;
  time.HighPart = data.ftLastWriteTime.dwHighDateTime;
  time.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ULL;
  const FILETIME later{time.LowPart, time.HighPart};
  HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &later));
  ::CloseHandle(file);
}

void CollectIds(HMENU menu, std::vector<UINT>& ids) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    if (HMENU sub = ::GetSubMenu(menu, i))
      CollectIds(sub, ids);
    else if (UINT id = ::GetMenuItemID(menu, i))
      ids.push_back(id);
  }
}

// Answers the next popup menu the frame tracks: notes the state of some of
// its items once the frame has updated them, then picks its first item.
class MenuAnswer {
 public:
  explicit MenuAnswer(std::vector<UINT> watched) : m_watched(std::move(watched)) {
    s_current = this;
    m_after = ::SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, ::GetCurrentThreadId());
    m_before = ::SetWindowsHookExA(WH_CALLWNDPROC, BeforeMessage, nullptr, ::GetCurrentThreadId());
  }
  ~MenuAnswer() {
    ::UnhookWindowsHookEx(m_before);
    ::UnhookWindowsHookEx(m_after);
    s_current = nullptr;
  }
  std::map<UINT, UINT> states;  // id -> its MF_ state bits

 private:
  static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITMENUPOPUP && s_current)
      for (UINT id : s_current->m_watched)
        s_current->states[id] = ::GetMenuState(reinterpret_cast<HMENU>(m->wParam), id, MF_BYCOMMAND);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU && s_current)
      ::PostMessageA(reinterpret_cast<HWND>(m->lParam), WM_KEYDOWN, s_current->m_keys++ == 0 ? VK_DOWN : VK_RETURN, 0);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static MenuAnswer* s_current;
  std::vector<UINT> m_watched;
  int m_keys = 0;
  HHOOK m_before = nullptr;
  HHOOK m_after = nullptr;
};
MenuAnswer* MenuAnswer::s_current = nullptr;

// Plays the user while an album opens: waits for the progress window, asks
// the frame something from outside its thread, notes what the window says,
// then lets the held work go on. Before that it may close the program, as
// the taskbar, the task list and the session's end do, or have the frame's
// window destroyed outright.
struct ProgressWatch {
  enum Act { kLook, kClose, kDestroy };
  HWND frame = nullptr;
  HANDLE release = nullptr;
  Act act = kLook;
  bool shown = false, answered = false, frameTookInput = true, textFits = false;
  LRESULT sessionMayEnd = TRUE;
  bool stayedOpen = false;
  std::string text;

  // On the frame's thread, as it takes each message from its queue: counts
  // the closes, and destroys the frame when asked.
  static LRESULT CALLBACK Taken(int code, WPARAM removed, LPARAM lParam) {
    const MSG& taken = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE) {
      if (taken.message == WM_SYSCOMMAND || taken.message == WM_CLOSE) ::InterlockedIncrement(&s_closesTaken);
      if (taken.message == kDestroyNow) ::DestroyWindow(taken.hwnd);
    }
    return ::CallNextHookEx(nullptr, code, removed, lParam);
  }
  static constexpr UINT kDestroyNow = WM_APP + 50;
  static volatile LONG s_closesTaken;

  // Until the frame's thread has handled the messages posted to it.
  void Settle(LONG closes) const {
    DWORD_PTR result = 0;
    for (int look = 0; look < 1500 && s_closesTaken < closes && ::IsWindow(frame); ++look)
      ::SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
    // Answered at the frame's next look at its queue: the message taken last is done with.
    ::SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
  }
  void Close() {
    ::PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    Settle(2);
    stayedOpen = ::IsWindow(frame) != FALSE;
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(frame, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
    sessionMayEnd = static_cast<LRESULT>(result);
  }
  void Destroy() {
    ::PostMessageA(frame, kDestroyNow, 0, 0);
    Settle(1);
  }

  static DWORD WINAPI Run(void* self) {
    auto& watch = *static_cast<ProgressWatch*>(self);
    // A bound only against a hang: the window shows well before it.
    for (int look = 0; look < 1500 && !watch.shown; ++look) {
      if (HWND progress = ::FindWindowA(nullptr, "Apri sposalbo")) {
        watch.shown = true;
        DWORD_PTR result = 0;
        watch.answered =
            ::SendMessageTimeoutA(watch.frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
        char text[256] = "";
        const HWND label = ::GetWindow(progress, GW_CHILD);
        ::GetWindowTextA(label, text, sizeof text);
        watch.text = text;
        // The words wrapped as the label wraps them, in its font, fit inside it.
        RECT box{}, needed{};
        ::GetClientRect(label, &box);
        needed = box;
        DWORD_PTR font = 0;
        ::SendMessageTimeoutA(label, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 10000, &font);
        const HDC dc = ::GetDC(label);
        const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
        ::DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK);
        ::SelectObject(dc, old);
        ::ReleaseDC(label, dc);
        watch.textFits = needed.bottom <= box.bottom && needed.right <= box.right;
        watch.frameTookInput = ::IsWindowEnabled(watch.frame) != FALSE;
        if (watch.act == kClose) watch.Close();
        if (watch.act == kDestroy) watch.Destroy();
      } else {
        ::Sleep(20);
      }
    }
    ::SetEvent(watch.release);
    return 0;
  }
};
volatile LONG ProgressWatch::s_closesTaken = 0;
}  // namespace

void MainFrameCommandsTest::OpenWithoutWorkingCopies(ProgressWatch& watch) {
  const std::string working = Sample().AlbumFolder() + "\\img";
  for (const std::string& name : FilesIn(working)) ASSERT_TRUE(::DeleteFileA((working + "\\" + name).c_str()));
  ASSERT_TRUE(::RemoveDirectoryA(working.c_str()));
  CScopedHandle release(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  watch.frame = frame->GetSafeHwnd();
  watch.release = release.Get();
  HoldWorkingCopyRemakes(release.Get());
  CScopedHandle watcher(::CreateThread(nullptr, 0, ProgressWatch::Run, &watch, 0, nullptr));
  ASSERT_TRUE(watcher.IsValid());
  ProgressWatch::s_closesTaken = 0;
  HHOOK taken = ::SetWindowsHookExA(WH_GETMESSAGE, ProgressWatch::Taken, nullptr, ::GetCurrentThreadId());
  ui.AnswerFiles({Sample().ProjectPath().c_str()});
  Menu(ID_ALBUM_OPEN);
  ::WaitForSingleObject(watcher.Get(), INFINITE);
  HoldWorkingCopyRemakes(nullptr);
  ::UnhookWindowsHookEx(taken);
}

TEST_F(MainFrameCommandsTest, CommandsReachTheirHandlersFromTheMenuToolbarKeysAndContextMenu) {
  std::map<std::string, std::vector<UINT>> roads;
  CollectIds(frame->GetMenu()->m_hMenu, roads["menu"]);
  ASSERT_GT(roads["menu"].size(), 90u);
  for (int i = 0; i < frame->m_wndToolBar.GetCount(); ++i)
    if (UINT id = frame->m_wndToolBar.GetItemID(i); id && id != CSposalboStyleCombo::kId) roads["toolbar"].push_back(id);
  HACCEL table = frame->GetDefaultAccelerator();
  std::vector<ACCEL> keys(static_cast<size_t>(::CopyAcceleratorTableA(table, nullptr, 0)));
  ::CopyAcceleratorTableA(table, keys.data(), static_cast<int>(keys.size()));
  for (const ACCEL& key : keys) roads["keys"].push_back(key.cmd);
  CContextMenu context(IDR_PAGE_CONTEXT_MENU);
  CollectIds(context.GetSubMenu(0)->m_hMenu, roads["context"]);
  ASSERT_EQ(roads.size(), 4u);
  for (const auto& road : roads) {
    ASSERT_FALSE(road.second.empty()) << road.first;
    std::vector<UINT> unhandled;
    for (UINT id : road.second)
      if (!HasHandler(id)) unhandled.push_back(id);
    // The context menu's "Elimina" has no handler anywhere and stays disabled.
    EXPECT_EQ(unhandled, road.first == "context" ? std::vector<UINT>{57632} : std::vector<UINT>()) << road.first;
  }
  // Every editing command is carried out by its table, beside its enable rule.
  for (UINT id = 0x8000; id < 0xF000; ++id) {
    if (!FindEditCommand(id)) continue;
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    frame->OnCmdMsg(id, CN_COMMAND, nullptr, &info);
    EXPECT_NE(dynamic_cast<CEditCommandTarget*>(info.pTarget), nullptr) << id;
  }

  // One command by each road, on page 1 of the sample album (photo A at the left).
  OpenSample();
  frame->ShowWindow(SW_SHOWNA);
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  CSposalboPageStatic& surface = *frame->GetPageSurface();
  CRect client;
  surface.GetClientRect(&client);
  const CPoint photoA(client.Width() / 2 - client.Height() * 2 / 5, client.Height() / 2);
  {
    MenuAnswer answer({57632, ID_EDIT_CUT});
    surface.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(photoA.x, photoA.y));
    input::Flush();
    EXPECT_EQ(answer.states[57632] & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(answer.states[ID_EDIT_CUT] & MF_GRAYED, 0u) << "the photo under the click is selected";
  }
  EXPECT_EQ(page->GetSelectedCount(false), 2) << "\"Seleziona tutto\" chosen";
  page->SelectAll(false);
  page->GetChild(0)->SetSelected(true);
  surface.PostMessage(WM_KEYDOWN, VK_DELETE, 0);
  input::Flush();
  EXPECT_EQ(page->GetChildCount(), 1u) << "Delete removes the selected photo";
  CToolBar& toolbar = frame->m_wndToolBar;
  frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  EXPECT_FALSE(toolbar.SendMessage(TB_ISBUTTONENABLED, ID_PAGE_FIRST));
  CRect next;
  toolbar.GetItemRect(toolbar.CommandToIndex(ID_PAGE_NEXT), &next);
  toolbar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(next.CenterPoint().x, next.CenterPoint().y));
  toolbar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(next.CenterPoint().x, next.CenterPoint().y));
  input::Flush();
  EXPECT_EQ(frame->GetAlbum()->GetRoot()->GetCurrentPageIndex(), 1) << "the toolbar's \"Successiva\"";
}

// New album from a template, import photos, place them, recolour one, save,
// close, reopen, send to the laboratory with a valid seal: all from the menu.
TEST_F(MainFrameCommandsTest, AWholeJob) {
  TempFolder& temp = Temp();
  MakeFolder(temp / "template");
  MakeFolder(temp / "lavori");
  MakeFolder(temp / "invio");
  WriteTextFile(temp / "template\\Classico.sbt",
                "<sposalbo numMinPage=\"1\" numMaxPage=\"20\" pageWidth=\"300\" pageHeight=\"200\"><pagina /></sposalbo>");
  Setting("Template Path", (temp.Path() + "\\template\\").c_str());
  lab_test::Laboratory lab;
  ASSERT_TRUE(lab.Ready());
  const std::string keyPath = (CSposalboApp::GetProgramFolder() + "public.key").str();
  lab_test::WriteBytes(keyPath, lab.PublicKeyBlob());

  // New album from the template.
  ui.AnswerModalWith([&](CWnd* dialog) {
    Type(dialog, IDC_NS_NAME, "Rossi");
    Type(dialog, IDC_NS_FOLDER, (temp / "lavori").c_str());
    Click(dialog, IDOK);
  });
  Menu(ID_ALBUM_NEW);
  ASSERT_NE(frame->GetAlbum(), nullptr);
  CString title;
  frame->GetWindowText(title);
  EXPECT_STREQ(title, "Rossi (300 x 200)");

  // Import two photos and place them.
  model_test::WriteBmp((temp / "sposa.bmp").c_str(), 250, 240, 230);
  model_test::WriteBmp((temp / "sposo.bmp").c_str(), 20, 30, 40);
  ui.AnswerFiles({temp.Path().c_str(), "sposo.bmp", "sposa.bmp"});
  Menu(ID_ALBUM_LOAD_IMAGES);
  spab_imagelist::CMImageList* list = frame->GetAlbum()->GetRoot()->GetImageList();
  ASSERT_EQ(list->GetImages().size(), 2u);
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  ASSERT_NE(page, nullptr);
  for (const auto& image : list->GetImages()) {
    page->SelectAll(false);
    frame->GetPageSurface()->PlacePhoto(image->thumb, 0.0f, 0.0f);
  }
  ASSERT_EQ(page->GetChildCount(), 2u);

  // Recolour the first: red to the end of its slider.
  page->SelectAll(false);
  page->GetChild(0)->SetSelected(true);
  ui.AnswerModalWith([&](CWnd* dialog) {
    DragSliderToEnd(dialog, IDC_COL_RED_SLIDER);
    Click(dialog, IDOK);
  });
  Menu(ID_SELECTION_COLOUR);
  EXPECT_FLOAT_EQ(page->GetChild(0)->GetColourSettings()->red, 2.0f);
  const std::string recoloured = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0))->GetName();

  // Save, close (no question: nothing changed since), reopen.
  Menu(ID_ALBUM_SAVE);
  const std::string project = frame->GetAlbum()->GetProjectPath();
  ui.Clear();
  Menu(ID_ALBUM_CLOSE);
  EXPECT_EQ(frame->GetAlbum(), nullptr);
  EXPECT_TRUE(Asked().empty());
  ui.AnswerFiles({project.c_str()});
  Menu(ID_ALBUM_OPEN);
  ASSERT_NE(frame->GetAlbum(), nullptr);
  page = frame->GetCurrentPage();
  ASSERT_EQ(page->GetChildCount(), 2u);
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
  ASSERT_NE(photo, nullptr);
  EXPECT_EQ(photo->GetName(), recoloured);
  EXPECT_FLOAT_EQ(photo->GetColourSettings()->red, 2.0f);
  EXPECT_EQ(frame->GetAlbum()->GetRoot()->GetImageList()->GetImages().size(), 2u);

  // Send to the laboratory: the export is sealed with the laboratory's key.
  ui.AnswerFolder((temp / "invio").c_str());
  Menu(ID_ALBUM_SEND_TO_LAB);
  const std::string exported = temp / "invio\\Rossi_xlab\\sposalbo.sbm";
  ASSERT_TRUE(FileExists(exported));
  EXPECT_EQ(lab.OpenSeal(lab_test::ReadBytes(temp / "invio\\Rossi_xlab\\sposalbo.sig")),
            lab.Md5(ReadTextFile(exported)));
  ::DeleteFileA(keyPath.c_str());
}

TEST_F(MainFrameCommandsTest, APageSavedAsATemplateAnywhereJoinsTheTemplateList) {
  OpenSample();
  CTemplateListView& templates = frame->GetLists().templates;
  ASSERT_NE(templates.m_hWnd, nullptr);
  const int before = templates.GetItemCount();
  const std::string path = Temp() / "altrove.sbt";
  for (int i = 0; i < 2; ++i) {  // saved twice: written over, listed once
    ui.AnswerFiles({path.c_str()});
    Menu(ID_PAGE_SAVE_AS_TEMPLATE);
  }
  ASSERT_EQ(templates.GetItemCount(), before + 1);
  EXPECT_STREQ(templates.GetNames().back(), path.c_str());
}

TEST_F(MainFrameCommandsTest, ColoursPreviewedAndCancelledLeaveThePhotoAsItWas) {
  OpenSample();
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  page->SelectAll(false);
  page->GetChild(0)->SetSelected(true);
  const CImgColor before = *page->GetChild(0)->GetColourSettings();
  ui.AnswerModalWith([&](CWnd* dialog) {
    for (int id : {IDC_COL_RED_SLIDER, IDC_COL_SATURATION_SLIDER}) DragSliderToEnd(dialog, id);
    Click(dialog, IDCANCEL);
  });
  Menu(ID_SELECTION_COLOUR);
  const CImgColor& after = *page->GetChild(0)->GetColourSettings();
  EXPECT_FLOAT_EQ(after.red, before.red);
  EXPECT_FLOAT_EQ(after.saturation, before.saturation);
}

TEST_F(MainFrameCommandsTest, AFontListWrittenFromTheOptionsIsReadAtTheNextStart) {
  const std::string list = Temp() / "laboratorio.sfl";
  std::vector<std::string> installed;
  ui.AnswerModalWith([&](CWnd* dialog) {
    ui.AnswerFiles({list.c_str()});
    Click(dialog, IDC_OPT_FONT_LIST);
    CClientDC dc(dialog);
    installed = EnumTrueTypeFaces(dc.m_hDC);
    Click(dialog, IDCANCEL);
  });
  Menu(ID_OPTIONS);
  ASSERT_FALSE(installed.empty());
  Setting("Font list", list.c_str());
  frame->LoadFontList();  // what the frame does when it is made
  for (const std::string& face : installed) EXPECT_TRUE(frame->IsLabFont(face)) << face;
  EXPECT_FALSE(frame->IsLabFont("Un carattere che nessuno ha"));
}

TEST_F(MainFrameCommandsTest, APhotoEditedOutsideIsWatchedUntilTheAlbumReallyCloses) {
  OpenSample();
  treeNode::CPaginaTreeNode* page = SelectPhotoA();
  EditOutside(false);
  const auto& watched = frame->GetAlbumCommands().GetWatchedImages();
  ASSERT_EQ(watched.size(), 1u);
  EXPECT_EQ(watched.begin()->second, dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0))->GetName());

  frame->GetAlbum()->GetRoot()->AddPage(-1);
  const struct {
    int answer;
    size_t watched;
  } closes[] = {{IDCANCEL, 1}, {IDNO, 0}};
  for (const auto& close : closes) {
    ui.AnswerMessage(close.answer);
    Menu(ID_ALBUM_CLOSE);
    EXPECT_EQ(watched.size(), close.watched) << close.answer;
  }
  EXPECT_EQ(frame->GetAlbum(), nullptr);
}

// An outside edit saved only after the album was closed: closing asks
// nothing of it, and the next open makes the photo's working copy again from
// the edit, so the page shows what the laboratory will get; a reference copy
// that cannot be read, or is gone, is told as the album opens.
TEST_F(MainFrameCommandsTest, AnOutsideEditSavedAfterTheAlbumClosedReachesThePageWhenItOpens) {
  OpenSample();
  SelectPhotoA();
  EditOutside(false);
  const std::string reference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoA(), false);
  const std::string working = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoA(), false);
  const std::string otherWorking = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoB(), false);
  const size_t asked = Asked().size();
  Menu(ID_ALBUM_CLOSE);
  ASSERT_EQ(frame->GetAlbum(), nullptr);
  EXPECT_EQ(Asked().size(), asked) << "closing asks nothing of the edit";

  // The editor saves the photo, portrait and blue now, after the close.
  SampleAlbum::WritePicture(reference, 30, 80, 0x0000FF);
  ASSERT_NO_FATAL_FAILURE(WrittenAfter(reference, working, 2));
  const std::string other = ReadTextFile(otherWorking);
  OpenSample();
  CImgBitmap copy;
  ASSERT_EQ(copy.Load(working.c_str(), 1, 1), 1);
  EXPECT_EQ(copy.GetWidth(), 30);
  EXPECT_EQ(copy.GetHeight(), 80);
  EXPECT_EQ(ReadTextFile(otherWorking), other) << "a photo edited nowhere keeps its copy";
  // The page shows the edit, not the picture it showed before the close.
  frame->ShowCurrentPage();
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(frame->GetCurrentPage()->GetChild(0));
  ASSERT_NE(photo, nullptr);
  ASSERT_GT(photo->GetHeight(), 0.0f);
  EXPECT_NEAR(photo->GetWidth() / photo->GetHeight(), 30.0f / 80.0f, 0.01f);

  // Opened once more, nothing is made again.
  const std::string made = ReadTextFile(working);
  Menu(ID_ALBUM_CLOSE);
  OpenSample();
  EXPECT_EQ(ReadTextFile(working), made);

  // A copy restored from a backup keeps its older date: made again all the same.
  Menu(ID_ALBUM_CLOSE);
  SampleAlbum::WritePicture(reference, 50, 80, 0x00FF00);
  ASSERT_NO_FATAL_FAILURE(WrittenAfter(reference, working, -3600));
  OpenSample();
  ASSERT_EQ(copy.Load(working.c_str(), 1, 1), 1);
  EXPECT_EQ(copy.GetWidth(), 50);
  const auto told = [&] {
    std::vector<std::string> texts;
    for (const AfxUiQuestion& q : Asked())
      if (q.caption == "Foto illeggibili") texts.push_back(q.text.str());
    return texts;
  };
  EXPECT_TRUE(told().empty()) << "nothing is told of a picture that could be read";

  // One cut short is told as the album opens, by photo and file; the page
  // keeps the last picture that could be read.
  Menu(ID_ALBUM_CLOSE);
  const std::string whole = ReadTextFile(reference);
  WriteTextFile(reference, whole.substr(0, whole.size() / 2));
  OpenSample();
  EXPECT_EQ(copy.Load(working.c_str(), 1, 1), 1);
  EXPECT_EQ(copy.GetWidth(), 50);
  ASSERT_EQ(told().size(), 1u);
  EXPECT_NE(told()[0].find("\"rosso.bmp\" (file \"" + reference + "\")"), std::string::npos) << told()[0];
  EXPECT_NE(told()[0].find("ultima immagine buona"), std::string::npos) << told()[0];

  // Its working copy gone as well, no good picture is left to show: the box
  // says the page shows a grey box instead.
  Menu(ID_ALBUM_CLOSE);
  ASSERT_TRUE(::DeleteFileA(working.c_str()));
  OpenSample();
  ASSERT_EQ(told().size(), 2u);
  EXPECT_EQ(told()[1].find("ultima immagine buona"), std::string::npos) << told()[1];
  EXPECT_NE(told()[1].find("riquadri grigi"), std::string::npos) << told()[1];
  // The grey box the page and the page bar draw for it is not told again.
  frame->ShowCurrentPage();
  CSposalboPageStatic& surface = *frame->GetPageSurface();
  surface.Render();
  frame->GetLists().pages.DrawPendingPages();
  surface.SendMessage(WM_TIMER, CSposalboPageStatic::kRenderTimer);
  auto* grey = dynamic_cast<treeNode::CImgTreeNode*>(frame->GetCurrentPage()->GetChild(0));
  ASSERT_NE(grey, nullptr);
  EXPECT_TRUE(grey->Picture().HasFailed());
  const std::string workingName = "\n" + working.substr(working.find_last_of('\\') + 1);
  for (const AfxUiQuestion& q : ui.Questions()) {
    if (q.caption != "Immagini non disponibili") continue;
    EXPECT_EQ(q.text.str().find(workingName), std::string::npos) << q.text.str();
  }

  // A reference copy deleted while the album was closed is told as it
  // opens, and not again while it stays gone.
  Menu(ID_ALBUM_CLOSE);
  ASSERT_TRUE(::DeleteFileA(reference.c_str()));
  OpenSample();
  frame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
  size_t missing = 0;
  for (const AfxUiQuestion& q : Asked()) {
    if (q.caption != "Foto mancanti") continue;
    ++missing;
    EXPECT_NE(q.text.str().find("\"rosso.bmp\" (file \"" + reference + "\")"), std::string::npos) << q.text.str();
  }
  EXPECT_EQ(missing, 1u);
}

// An album whose folder of working copies has gone opens with every copy
// made again from its reference copy; the window shows how far the work has
// gone, takes no input meanwhile and goes on answering.
TEST_F(MainFrameCommandsTest, OpeningAnAlbumWithoutItsWorkingCopiesShowsTheirRemakingAndAnswers) {
  ProgressWatch watch;
  OpenWithoutWorkingCopies(watch);
  ASSERT_NE(frame->GetAlbum(), nullptr);
  const std::string working = Sample().AlbumFolder() + "\\img";

  EXPECT_TRUE(watch.shown) << "the progress shows";
  EXPECT_TRUE(watch.answered) << "the frame answers while the copies are made";
  EXPECT_FALSE(watch.frameTookInput) << "no command starts meanwhile";
  EXPECT_NE(watch.text.find("0 di 2"), std::string::npos) << watch.text;
  EXPECT_TRUE(watch.textFits) << "the whole text shows: " << watch.text;
  for (const std::string& photo : {Sample().PhotoA(), Sample().PhotoB()})
    EXPECT_EQ(ReadTextFile(working + "\\" + photo).substr(0, 2), "\xFF\xD8") << photo;
  EXPECT_EQ(::FindWindowA(nullptr, "Apri sposalbo"), nullptr) << "gone with the work";
  EXPECT_TRUE(frame->IsWindowEnabled());
  for (const AfxUiQuestion& asked : Asked())
    EXPECT_NE(asked.kind, CString("message")) << "nothing to tell: " << asked.text.str();
  EXPECT_EQ(frame->SendMessage(WM_QUERYENDSESSION), TRUE) << "nothing held once the album is open";
}

// Closed while the working copies are made again, the program waits for them
// (the session's end too), then closes as usual: the open command has
// returned by then, and the album's files are whole.
TEST_F(MainFrameCommandsTest, AProgramClosedWhileWorkingCopiesAreRemadeClosesOnceTheyAreMade) {
  ProgressWatch watch;
  watch.act = ProgressWatch::kClose;
  OpenWithoutWorkingCopies(watch);
  ASSERT_TRUE(watch.shown);
  EXPECT_NE(watch.text.find("0 di 2"), std::string::npos) << watch.text;
  EXPECT_TRUE(watch.stayedOpen) << "the close waits for the copies";
  EXPECT_EQ(watch.sessionMayEnd, FALSE) << "so does the session's end";
  EXPECT_FALSE(::IsWindow(watch.frame)) << "closed after the open";
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  frame = nullptr;
  for (const AfxUiQuestion& asked : Asked())
    EXPECT_NE(asked.kind, CString("message")) << "an album just opened asks nothing: " << asked.text.str();
  const std::string folder = Sample().AlbumFolder();
  for (const std::string& photo : {Sample().PhotoA(), Sample().PhotoB()}) {
    CImgBitmap copy;
    EXPECT_EQ(copy.Load((folder + "\\img\\" + photo).c_str(), 1, 1), 1) << photo;
  }
  auto list = spab_imagelist::CMImageList::Load(folder.c_str(), false);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->GetImages().size(), 2u);
  EXPECT_TRUE(treeNode::CSposalboTreeNode::Load(Sample().ProjectPath(), nullptr));
}

// A frame gone all the same while the copies are made is not touched again:
// the open command leaves with the album unopened.
TEST_F(MainFrameCommandsTest, TheOpenCommandLeavesAFrameDestroyedWhileWorkingCopiesAreRemadeAlone) {
  ProgressWatch watch;
  watch.act = ProgressWatch::kDestroy;
  OpenWithoutWorkingCopies(watch);
  ASSERT_TRUE(watch.shown);
  EXPECT_FALSE(::IsWindow(watch.frame));
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  frame = nullptr;
  for (const AfxUiQuestion& asked : Asked())
    EXPECT_NE(asked.kind, CString("message")) << "nothing to tell: " << asked.text.str();
}

// Undo and redo on a page whose pictures the cache holds read no file: with
// the album's working copies out of reach, the page comes back with every
// picture and nothing is told. The page put back is drawn at once, not at
// the surface's next tick.
TEST_F(MainFrameCommandsTest, UndoAndRedoShowThePicturesAlreadyMadeWithoutReadingAFile) {
  OpenSample();
  CFotoImgListView& photos = frame->GetLists().photos;
  input::FlushUntil([&] { return !photos.IsLoading(); }, 5000);
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  frame->GetPageSurface()->Render();
  const float unturned = root.GetCurrentPage()->GetChild(0)->GetRotation();
  Menu(ID_SELECT_ALL);
  Menu(ID_ROTATE_45);
  frame->GetPageSurface()->Render();
  const float turned = root.GetCurrentPage()->GetChild(0)->GetRotation();
  ASSERT_NE(turned, unturned);
  const size_t entries = PictureCache::Instance().EntryCount();
  const std::string working = Sample().AlbumFolder() + "\\img";
  ASSERT_TRUE(::MoveFileA(working.c_str(), (working + ".altrove").c_str()));
  ui.Clear();
  const struct {
    UINT command;
    float rotation;
  } steps[] = {{ID_EDIT_UNDO, unturned}, {ID_EDIT_REDO, turned}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.command);
    const treeNode::CPaginaTreeNode* before = root.GetCurrentPage();
    Menu(step.command);
    treeNode::CPaginaTreeNode* page = root.GetCurrentPage();
    ASSERT_NE(page, before) << "another copy of the page";
    ASSERT_EQ(page->GetChildCount(), 2u);
    for (size_t i = 0; i < page->GetChildCount(); ++i) {
      auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(i));
      ASSERT_NE(photo, nullptr);
      EXPECT_TRUE(photo->AreResourcesLoaded()) << "drawn at once";
      EXPECT_TRUE(photo->Picture().HasTextures() && !photo->Picture().HasFailed()) << photo->GetName();
      EXPECT_FLOAT_EQ(photo->GetRotation(), step.rotation);
    }
  }
  EXPECT_EQ(PictureCache::Instance().EntryCount(), entries) << "no picture made again";
  EXPECT_TRUE(Asked().empty()) << "nothing to tell";
  ASSERT_TRUE(::MoveFileA((working + ".altrove").c_str(), working.c_str()));
}

// "Vuoi mantenere l'immagine originale?" answered Yes: the photo's reference
// copy is imported as a new album photo, the page object takes it (undoably),
// and the outside editor works on the new photo while the original's files
// stay as they were.
TEST_F(MainFrameCommandsTest, KeepingTheOriginalHandsANewPhotoToTheOutsideEditor) {
  OpenSample();
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  spab_imagelist::CMImageList& list = *root.GetImageList();
  treeNode::CPaginaTreeNode* page = SelectPhotoA();
  const std::string folder = Sample().AlbumFolder();
  const std::string reference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoA(), false);
  const std::string working = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoA(), false);
  const std::string referenceBytes = ReadTextFile(reference), workingBytes = ReadTextFile(working);
  const size_t asked = ui.Questions().size();
  EditOutside(true);
  ASSERT_GT(ui.Questions().size(), asked);
  EXPECT_STREQ(ui.Questions()[asked].text, "Vuoi mantenere l'immagine originale?");
  EXPECT_EQ(ui.Questions()[asked].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));

  ASSERT_EQ(list.GetImages().size(), 3u);
  const spab_imagelist::CMImg& copy = *list.GetImages().back();
  EXPECT_EQ(copy.tipo, 1);
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
  ASSERT_NE(photo, nullptr);
  EXPECT_EQ(photo->GetName(), copy.thumb);
  EXPECT_EQ(copy.refCount, 1);
  EXPECT_EQ(list.Find(Sample().PhotoA().c_str())->refCount, 0);
  EXPECT_EQ(ReadTextFile(folder + "\\rif\\" + copy.riferimento), referenceBytes);
  EXPECT_EQ(ReadTextFile(reference), referenceBytes);
  EXPECT_EQ(ReadTextFile(working), workingBytes);
  // The watch is on the new photo's reference copy.
  const auto& watched = frame->GetAlbumCommands().GetWatchedImages();
  ASSERT_EQ(watched.size(), 1u);
  EXPECT_EQ(watched.begin()->second, copy.thumb);
  CString watchedPath;
  ASSERT_TRUE(GetFileWatchPath(watched.begin()->first, watchedPath));
  EXPECT_STREQ(watchedPath, (folder + "\\rif\\" + copy.riferimento).c_str());
  // The list on disk and the photo bar have the new photo.
  auto saved = spab_imagelist::CMImageList::Load(folder.c_str(), false);
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->Find(copy.thumb.c_str()), nullptr);
  CFotoImgListView& photos = frame->GetLists().photos;
  input::FlushUntil([&] { return !photos.IsLoading() && photos.GetItemCount() == 3; }, 5000);
  EXPECT_EQ(photos.GetItemCount(), 3);
  // Undo gives the page its original photo back.
  const std::string copyName = copy.thumb;
  Menu(ID_EDIT_UNDO);
  page = frame->GetCurrentPage();
  photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
  ASSERT_NE(photo, nullptr);
  EXPECT_EQ(photo->GetName(), Sample().PhotoA());
  EXPECT_EQ(list.Find(Sample().PhotoA().c_str())->refCount, 1);
  EXPECT_EQ(list.Find(copyName.c_str())->refCount, 0);
  StopFileWatch();
}

// The outside editor starts minimised and leaves the page the keyboard:
// Ctrl+Z, typed once the editor's window is up, gives the page its original
// photo back.
TEST_F(MainFrameCommandsTest, ThePageKeepsTheKeyboardWhileTheOutsideEditorStarts) {
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->SetForegroundWindow();
  OpenSample();
  SelectPhotoA();
  frame->SetFocus();
  char exe[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string folder(exe, std::string(exe).find_last_of('\\'));
  frame->SetExtAppCmdLine(("\"" + folder + "\\stand_in_editor.exe\" \"%s\"").c_str());
  ui.AnswerMessage(IDYES);  // "Vuoi mantenere l'immagine originale?"
  Menu(ID_EDIT_IMAGE_EXTERNAL);
  HWND editor = nullptr;
  hand::Perform([&] { hand::WaitUntil([&] { return (editor = ::FindWindowA("LumivoStandInEditor", "shown")) != nullptr; }); });
  ASSERT_NE(editor, nullptr);
  auto photoName = [&] { return static_cast<treeNode::CImgTreeNode*>(frame->GetCurrentPage()->GetChild(0))->GetName(); };
  ASSERT_NE(photoName(), Sample().PhotoA());
  // A window just activated may forget the hand's Ctrl: pressed again then.
  for (int i = 0; i < 3 && photoName() != Sample().PhotoA(); ++i)
    hand::Perform([] { hand::Keys({VK_CONTROL, 'Z'}); });
  EXPECT_EQ(photoName(), Sample().PhotoA()) << "Ctrl+Z";
  ::PostMessageA(editor, WM_CLOSE, 0, 0);
  StopFileWatch();
}

// A message box is as wide as its text: its title shows whole when the
// text's widest line, in the message font, is as wide as the title in the
// caption font (the icon beside the text outweighs the close button).
bool TitleFits(const AfxUiQuestion& box) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
  CClientDC screen(nullptr);
  auto widest = [&](const LOGFONTA& face, const CString& text) {
    CScopedFont font(::CreateFontIndirectA(&face));
    HGDIOBJ old = ::SelectObject(screen.m_hDC, font.get());
    LONG width = 0;
    for (int start = 0; start <= text.GetLength();) {
      int end = text.Find('\n', start);
      if (end < 0) end = text.GetLength();
      SIZE size{};
      ::GetTextExtentPoint32A(screen.m_hDC, text.GetString() + start, end - start, &size);
      width = std::max(width, size.cx);
      start = end + 1;
    }
    ::SelectObject(screen.m_hDC, old);
    return width;
  };
  return widest(metrics.lfMessageFont, box.text) >= widest(metrics.lfCaptionFont, box.caption);
}

// An outside editor that cannot start is told by name with the system's
// reason, in a box wide enough for its title, and the album stays as it was:
// no new photo, the page object keeps its photo, nothing to undo or watch.
TEST_F(MainFrameCommandsTest, AnOutsideEditorThatCannotStartLeavesTheAlbumAsItWas) {
  OpenSample();
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  spab_imagelist::CMImageList& list = *root.GetImageList();
  treeNode::CPaginaTreeNode* page = SelectPhotoA();
  const std::string folder = Sample().AlbumFolder();
  const std::set<std::string> working = FilesIn(folder + "\\img"), references = FilesIn(folder + "\\rif");
  for (const bool keepOriginal : {true, false}) {
    ui.Clear();
    EditOutside(keepOriginal, false);
    ASSERT_EQ(ui.Questions().size(), 2u) << keepOriginal;
    const AfxUiQuestion& told = ui.Questions()[1];
    EXPECT_STREQ(told.caption, "Errore avvio programma esterno.");
    EXPECT_NE(told.text.Find(kMissingEditor), -1) << told.text.str();
    EXPECT_NE(told.text.Find(SystemMessage(ERROR_FILE_NOT_FOUND)), -1) << told.text.str();
    EXPECT_TRUE(TitleFits(told)) << told.text.str();
    EXPECT_EQ(list.GetImages().size(), 2u) << keepOriginal;
    EXPECT_EQ(dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0))->GetName(), Sample().PhotoA());
    EXPECT_EQ(list.Find(Sample().PhotoA().c_str())->refCount, 1);
    EXPECT_EQ(FilesIn(folder + "\\img"), working);
    EXPECT_EQ(FilesIn(folder + "\\rif"), references);
    auto saved = spab_imagelist::CMImageList::Load(folder.c_str(), false);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->GetImages().size(), 2u) << keepOriginal;
    EXPECT_FALSE(root.CanUndo()) << keepOriginal;
    EXPECT_FALSE(frame->GetAlbum()->IsModified()) << keepOriginal;
    EXPECT_TRUE(frame->GetAlbumCommands().GetWatchedImages().empty()) << keepOriginal;
  }
}

// The original kept but its copy not made (its reference copy held by another
// program): the failed copy is told and the outside editor opens nothing,
// neither the copy nor the original, so the album stays as it was.
TEST_F(MainFrameCommandsTest, AnOriginalThatCannotBeCopiedOpensNoOutsideEditor) {
  OpenSample();
  spab_imagelist::CMImageList& list = *frame->GetAlbum()->GetRoot()->GetImageList();
  treeNode::CPaginaTreeNode* page = SelectPhotoA();
  const std::string folder = Sample().AlbumFolder();
  const std::set<std::string> references = FilesIn(folder + "\\rif");
  const std::string reference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoA(), false);
  CScopedHandle held(::CreateFileA(reference.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.IsValid());
  ui.Clear();
  // An editor that cannot start tells each try: none is told here.
  EditOutside(true, false);
  ASSERT_EQ(ui.Questions().size(), 2u) << ui.Questions().back().text.str();
  EXPECT_NE(ui.Questions()[1].text.Find("in uso"), -1) << ui.Questions()[1].text.str();
  EXPECT_TRUE(frame->GetAlbumCommands().GetWatchedImages().empty());
  EXPECT_EQ(list.GetImages().size(), 2u);
  EXPECT_EQ(dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0))->GetName(), Sample().PhotoA());
  EXPECT_EQ(FilesIn(folder + "\\rif"), references);
  EXPECT_FALSE(frame->GetAlbum()->GetRoot()->CanUndo());
  ui.Clear();
}

// File > Salva come template: a copy of the whole album, every page, in the
// file chosen; the album itself stays as it was, unsaved changes included,
// and a new album made from the file has its pages and opens on the cover,
// whichever page was showing when the template was saved.
TEST_F(MainFrameCommandsTest, TheWholeAlbumSavedAsATemplateMakesNewAlbumsOfAllItsPages) {
  OpenSample();
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  root.AddPage(-1);  // a fourth page, after the first, not saved
  root.GoToPage(2);
  ASSERT_TRUE(frame->GetAlbum()->IsModified());
  const int templatesBefore = frame->GetLists().templates.GetItemCount();
  const std::string path = Temp() / "intero.sbt";

  const size_t asked = ui.Questions().size();
  ui.AnswerFiles({});  // cancelled: nothing written
  Menu(ID_ALBUM_SAVE_AS_TEMPLATE);
  EXPECT_FALSE(FileExists(path));
  ui.AnswerFiles({path.c_str()});
  Menu(ID_ALBUM_SAVE_AS_TEMPLATE);
  // Beside any notice of library pictures the page bar cannot find.
  int saveDialogs = 0;
  for (size_t i = asked; i < ui.Questions().size(); ++i) saveDialogs += ui.Questions()[i].kind == CString("save");
  EXPECT_EQ(saveDialogs, 2);
  ASSERT_TRUE(FileExists(path));
  EXPECT_TRUE(frame->GetAlbum()->IsModified());
  EXPECT_EQ(frame->GetLists().templates.GetItemCount(), templatesBefore) << "no page template";

  const std::string albums = Temp() / "nuovi";
  MakeFolder(albums);
  CSposalboDoc made("DaTemplate", albums, path, nullptr);
  treeNode::CSposalboTreeNode& copy = *made.GetRoot();
  ASSERT_EQ(copy.GetPageCount(), 4);
  EXPECT_FALSE(copy.IsTemplateCopy());
  EXPECT_EQ(copy.GetCurrentPageIndex(), 0);
  EXPECT_EQ(root.GetCurrentPageIndex(), 2) << "the album stays where it was";
  auto written = treeNode::CSposalboTreeNode::Load(path, nullptr);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->GetCurrentPageIndex(), 0);
  ASSERT_EQ(copy.GetPage(0)->GetChildCount(), 2u);
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(copy.GetPage(0)->GetChild(1));
  ASSERT_NE(photo, nullptr);
  // No photo of the album: the second one written is placeholder 2.
  EXPECT_EQ(photo->GetName(), "");
  EXPECT_EQ(photo->GetBookmark(), 2);
  EXPECT_EQ(copy.GetPage(1)->GetChildCount(), 0u);
  EXPECT_EQ(copy.GetPage(2)->GetChildCount(), 2u);
}

// Pagine > Copertina alone is a change of the album: quitting asks about it
// (the answer Cancel keeps the program), closing asks too, and Yes saves the
// cover.
TEST_F(MainFrameCommandsTest, ACoverChangeAloneIsAskedAboutAndSaved) {
  OpenSample();
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  ASSERT_FALSE(frame->GetAlbum()->IsModified());
  root.GoToPage(1);
  const bool cover = !root.IsCurrentPageCover();
  Menu(ID_PAGE_COVER);
  ASSERT_EQ(root.IsCurrentPageCover(), cover);
  ui.Clear();
  ui.AnswerMessage(IDCANCEL);
  frame->SendMessage(WM_CLOSE);
  ASSERT_TRUE(::IsWindow(frame->m_hWnd));
  ASSERT_NE(frame->GetAlbum(), nullptr);
  ui.AnswerMessage(IDYES);
  Menu(ID_ALBUM_CLOSE);
  ASSERT_EQ(Asked().size(), 2u);
  for (const AfxUiQuestion& question : Asked())
    EXPECT_STREQ(question.text, "Vuoi salvare le modifiche al sposalbo?");
  EXPECT_EQ(frame->GetAlbum(), nullptr);
  auto saved = treeNode::CSposalboTreeNode::Load(Sample().ProjectPath(), nullptr);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetPage(1)->IsCover(), cover);
}

TEST_F(MainFrameCommandsTest, ThePrintItemIsNeverEnabled) {
  struct Probe : CCmdUI {
    bool enabled = true;
    void Enable(BOOL on) override { enabled = on != FALSE; }
  } probe;
  probe.m_nID = ID_ALBUM_PRINT;
  frame->OnCmdMsg(ID_ALBUM_PRINT, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, nullptr);
  EXPECT_FALSE(probe.enabled);
}

// The text dialog from "Aggiungi" and "Modifica": the font chosen (or the
// dialog cancelled) through the UI seam.
TEST_F(MainFrameCommandsTest, TextsAreAddedAndEditedThroughTheTextDialogAndCancelChangesNothing) {
  OpenSample();
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  root.GoToPage(2);  // the empty page
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  const struct {
    UINT command;
    const char* face;  // null: cancelled
    size_t objects;
    bool undo;
  } steps[] = {{ID_TEXT_ADD, nullptr, 0, false},
               {ID_TEXT_ADD, "Times New Roman", 1, true},
               {ID_TEXT_EDIT, nullptr, 1, true},
               {ID_TEXT_EDIT, "Courier New", 1, true}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.face ? step.face : "cancelled");
    ui.Clear();
    LOGFONTA font{};
    font.lfHeight = -40;
    if (step.face) {
      lstrcpyA(font.lfFaceName, step.face);
      ui.AnswerFont(font);
    }
    Menu(step.command);
    std::string asked;
    for (const auto& question : Asked()) asked += std::string(question.kind) + ": " + question.text.str() + "\n";
    ASSERT_EQ(Asked().size(), 1u) << asked;
    EXPECT_STREQ(Asked()[0].kind, "font");
    ASSERT_EQ(page->GetChildCount(), step.objects);
    EXPECT_EQ(root.CanUndo(), step.undo);
  }
  auto* text = dynamic_cast<treeNode::CTestoTreeNode*>(page->GetChild(0));
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->IsSelected());
  EXPECT_EQ(text->GetText(), "Prova di testo");
  EXPECT_STREQ(text->GetLogFont().lfFaceName, "Courier New");
}
