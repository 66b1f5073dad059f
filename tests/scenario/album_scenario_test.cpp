// A photographer's album from start to laboratory, in the real editor.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "app/resource.h"
#include "framework/ids.h"
#include "document/LabKeys.h"
#include "document/TempFolder.h"
#include "crop/WindowCapture.h"
#include "ui/controls/docking/DrawFrame.h"
#include "scenario/EditorProcess.h"

namespace {
using namespace scenario;

// A folder of the build tree as the editor's file dialogs take it.
std::string WindowsPath(const char* path) {
  char full[MAX_PATH] = "";
  ::GetFullPathNameA(path, sizeof full, full, nullptr);
  return full;
}

constexpr int kFileNameBox = 0x47c;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}
const char* const kPhotos[] = {"chiesa.pcx", "giardino.tif", "ritratto.bmp", "spiaggia.jpg", "torta.tga", "tramonto.jpg"};

class AlbumScenario : public testing::Test {
 protected:
  void SetUp() override {
    process = std::make_unique<EditorProcess>(program, fontList, WaitsForSplash());
    ASSERT_TRUE(editor().Started());
  }
  // Whether an editor is used only once its splash has gone.
  virtual bool WaitsForSplash() const { return true; }

  // Types a name into the open file dialog and confirms it.
  void AnswerFileDialog(const std::string& text) {
    HWND dialog = editor().WaitForWindow("");
    ASSERT_TRUE(dialog);
    ::Sleep(300);
    SetText(dialog, kFileNameBox, text);
    Press(dialog, IDOK);
  }
  // A new album from the classic template, in the test's folder.
  void NewAlbum() {
    editor().Command(ID_ALBUM_NEW);
    HWND dialog = editor().WaitForWindow("Nuovo sposalbo");
    ASSERT_TRUE(dialog);
    SetText(dialog, IDC_NS_NAME, album);
    SetText(dialog, IDC_NS_FOLDER, dir.Path());
    ASSERT_GE(::SendMessageA(::GetDlgItem(dialog, IDC_NS_TEMPLATE), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>("Classico 30x15")), 0);
    Press(dialog, IDOK);
    ASSERT_TRUE(editor().WaitForTitle(album + " (300 x 150)")) << WindowText(editor().Main());
  }
  // Opens the test's album through File > Open.
  void OpenAlbum() {
    editor().Command(ID_ALBUM_OPEN);
    AnswerFileDialog(dir / album + "\\sposalbo.sbm");
    ASSERT_TRUE(editor().WaitForTitle(album + " (300 x 150)")) << WindowText(editor().Main());
  }
  // A dialog of the editor, once it shows, and its going after a button.
  HWND Dialog(const char* caption) { return editor().WaitForWindow(caption); }
  bool Closes(HWND dialog) { return WaitUntil([&] { return !::IsWindowVisible(dialog); }); }

  HWND Bar(const char* title) { return DescendantWithText(editor().Main(), title); }
  // The tools bar's lists: frames, effects, images, page templates.
  HWND ToolList(int tab) {
    HWND tabs = ChildWithId(Bar("Cornici e Effetti"), 102);
    input::Click(editor(), TabCentre(editor(), tabs, tab));
    HWND list = ChildWithId(tabs, 201 + tab);
    WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; });
    return list;
  }
  // A point of the page surface, in fractions of its size from its centre.
  POINT OnPage(double dx, double dy) {
    RECT r{};
    ::GetWindowRect(PageSurface(), &r);
    return POINT{(r.left + r.right) / 2 + static_cast<LONG>(dx * (r.right - r.left)),
                 (r.top + r.bottom) / 2 + static_cast<LONG>(dy * (r.bottom - r.top))};
  }
  std::string Project() { return ReadTextFile(dir / album + "\\sposalbo.sbm"); }
  // Saves and answers with the project file, once it changed and is whole:
  // read while the editor puts the new file in place, it may be missing.
  std::string Saved() {
    const std::string before = Project();
    editor().Command(ID_ALBUM_SAVE);
    std::string after;
    WaitUntil([&] {
      after = Project();
      return after != before && after.find("</sposalbo>") != std::string::npos;
    }, 50);
    return after;
  }
  // The whole screen as the user sees it, written where SPAB_SCENARIO_SHOTS
  // says (tools/screenshots).
  void Shot(const char* name) {
    if (const char* folder = std::getenv("SPAB_SCENARIO_SHOTS")) {
      ::Sleep(400);  // the page surface draws every tenth of a second
      WriteCapture(std::string(folder) + "\\" + name + ".bmp", CaptureWindow(::GetDesktopWindow()));
    }
  }
  HWND PhotoList() { return ChildWithId(Bar("Fotografie"), 201); }
  HWND PageSurface() {
    for (HWND window : Descendants(editor().Main()))
      if (::GetDlgCtrlID(window) == 0xFFFF && ::IsWindowVisible(window)) return window;
    return nullptr;
  }
  // A screen point of a window whose hit test answers the code.
  bool PointWithHit(HWND window, LRESULT code, POINT* found) {
    RECT r{};
    ::GetWindowRect(window, &r);
    for (LONG y = r.top; y < r.bottom; ++y)
      for (LONG x = r.left; x < r.right; ++x)
        if (::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code) {
          *found = POINT{x + 2, y + 2};
          return true;
        }
    return false;
  }

  TempFolder dir;
  // Unique: the laboratory's copy goes to the desktop, which every run shares.
  const std::string album = "Nozze-" + std::to_string(::GetCurrentProcessId());
  const std::string program = WindowsPath(SPAB_PROGRAM_DIR) + "\\Lumivo.exe";
  const std::string fontList = WindowsPath(SPAB_PROGRAM_DIR) + "\\sposalbo.sfl";
  std::unique_ptr<EditorProcess> process;
  EditorProcess& editor() { return *process; }
  // A new editor in place of the one that ran.
  void Restart() {
    process.reset();
    process = std::make_unique<EditorProcess>(program, fontList, WaitsForSplash());
  }
};

TEST_F(AlbumScenario, FromTemplateToLaboratory) {
  Shot("01-editor");
  ASSERT_NO_FATAL_FAILURE(NewAlbum());

  // The sample photos, chosen in their folder.
  editor().Command(ID_ALBUM_LOAD_IMAGES);
  AnswerFileDialog(WindowsPath(SPAB_SAMPLE_PHOTOS));
  std::string names;
  for (const char* photo : kPhotos) names += std::string("\"") + photo + "\" ";
  AnswerFileDialog(names);
  HWND photos = PhotoList();
  ASSERT_TRUE(photos);
  ASSERT_TRUE(WaitUntil([&] { return ListCount(photos) == 6; })) << ListCount(photos);

  const std::string fresh = Saved();

  // A photo dragged onto the cover, another onto the second page.
  input::Drag(editor(), ListItemCentre(editor(), photos, 0), OnPage(-0.25, 0.1));
  editor().Command(ID_PAGE_NEXT);
  input::Drag(editor(), ListItemCentre(editor(), photos, 3), OnPage(0.0, -0.25));
  // A frame below it, then an effect on the photo, chosen with a click.
  input::Drag(editor(), ListItemCentre(editor(), ToolList(0), 0), OnPage(0.0, 0.25));
  input::Click(editor(), OnPage(0.0, -0.25));
  input::Drag(editor(), ListItemCentre(editor(), ToolList(1), 0), OnPage(0.0, -0.25));
  input::Click(editor(), OnPage(0.0, -0.25));
  Shot("02-page");
  const std::string placed = Saved();
  EXPECT_EQ(Count(placed, "<immagine name="), 2) << placed;
  EXPECT_EQ(Count(placed, "<cornice"), Count(fresh, "<cornice") + 1);
  EXPECT_EQ(Count(placed, "<effetto"), Count(fresh, "<effetto") + 1);

  // A text written in the text dialog.
  editor().Command(ID_TEXT_ADD);
  HWND text = Dialog("Testo");
  ASSERT_TRUE(text);
  SetText(text, IDC_TESTO_TEXT, "Anna e Marco");
  Press(text, IDOK);
  ASSERT_TRUE(Closes(text));
  const std::string written = Saved();
  EXPECT_EQ(Count(written, "<testo"), Count(placed, "<testo") + 1);
  EXPECT_EQ(Count(written, "Anna e Marco"), 1) << written;

  // The photo made redder in the colour dialog.
  input::Click(editor(), OnPage(0.0, -0.25));
  editor().Command(ID_SELECTION_COLOUR);
  HWND colours = Dialog("Modifica colori");
  ASSERT_TRUE(colours);
  SetText(colours, IDC_COL_RED_EDIT, "75");
  Shot("03-colour");
  Press(colours, IDOK);
  ASSERT_TRUE(Closes(colours));
  const std::string recoloured = Saved();
  EXPECT_EQ(Count(recoloured, "red=\"1.500000\""), 1) << recoloured;

  // Its middle cut out in the crop dialog: a new photo of the album, placed
  // over it.
  editor().Command(ID_CROP);
  HWND crop = Dialog("Crop");
  ASSERT_TRUE(crop);
  HWND pane = ::GetDlgItem(crop, IDC_CROP_PANE);
  RECT r{};
  ::GetWindowRect(pane, &r);
  const LONG w = r.right - r.left, h = r.bottom - r.top;
  input::Drag(editor(), POINT{r.left + w * 3 / 10, r.top + h * 3 / 10}, POINT{r.left + w * 7 / 10, r.top + h * 7 / 10});
  Shot("04-crop");
  Press(crop, IDC_CROP_SAVE);
  ASSERT_TRUE(Closes(crop));
  ASSERT_TRUE(WaitUntil([&] { return ListCount(photos) == 7; })) << ListCount(photos);
  const std::string cropped = Saved();
  EXPECT_EQ(Count(cropped, "<immagine name="), 3) << cropped;
  EXPECT_EQ(Count(cropped, "ratioH="), 1) << cropped;

  // Undone, the cut-out goes; redone, it is back.
  editor().Command(ID_EDIT_UNDO);
  EXPECT_EQ(Count(Saved(), "<immagine name="), 2);
  editor().Command(ID_EDIT_REDO);
  EXPECT_EQ(Saved(), cropped);

  // The wedding data, typed into their page.
  editor().Command(ID_ALBUM_DATA);
  HWND data = Dialog("Dati sposalbo");
  ASSERT_TRUE(data);
  SetText(data, 2000, "Anna");
  SetText(data, 2001, "Marco");
  Shot("05-wedding-data");
  Press(data, IDOK);
  ASSERT_TRUE(Closes(data));
  const std::string final = Saved();
  EXPECT_EQ(Count(final, "valore=\"Anna\""), 1) << final;
  EXPECT_EQ(Count(final, "valore=\"Marco\""), 1) << final;

  // Closed and opened again through the file dialog: the same album.
  editor().Command(ID_ALBUM_CLOSE);
  ASSERT_TRUE(editor().WaitForTitle("Lumivo"));
  ASSERT_NO_FATAL_FAILURE(OpenAlbum());
  EXPECT_TRUE(WaitUntil([&] { return ListCount(photos) == 7; })) << ListCount(photos);

  // The File menu, opened from the keyboard.
  ::PostMessageA(editor().Main(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
  EXPECT_TRUE(editor().WaitForWindow("", "#32768"));
  Shot("06-menu");
  input::Key(editor(), VK_ESCAPE);
  input::Key(editor(), VK_ESCAPE);

  // The photo bar pinned away onto its strip, and slid out again from there.
  HWND photoBar = ::GetParent(photos);
  POINT pin{};
  ASSERT_TRUE(PointWithHit(photoBar, HTPIN, &pin));
  input::Click(editor(), pin);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(photoBar); }));
  // The strip that took the bar's tab: the one of the four with room on screen,
  // once the frame has laid it out.
  RECT s{};
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND window : Descendants(editor().Main()))
      if (WindowText(window) == "tesT" && ::IsWindowVisible(window) && ::GetWindowRect(window, &s) &&
          !::IsRectEmpty(&s))
        return true;
    return false;
  }));
  // The pointer rests on the bar's tab, as a hand's does, a pixel this way or that.
  int rest = 0;
  EXPECT_TRUE(WaitUntil([&] {
    input::MoveTo(editor(), POINT{(s.left + s.right) / 2, s.top + 30 + rest++ % 2});
    return ::IsWindowVisible(photos) != FALSE;
  }, 50));
  Shot("07-pinned");
  input::MoveTo(editor(), OnPage(0.0, 0.0));

  // Sent to the laboratory into the folder the browser offers first (the
  // desktop): the export holds the album as saved, sealed for the
  // laboratory's private key.
  char desktop[MAX_PATH] = "";
  ASSERT_TRUE(::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::string exportFolder = std::string(desktop) + "\\" + album + "_xlab";
  editor().Command(ID_ALBUM_SEND_TO_LAB);
  HWND browser = editor().WaitForMessage("Scegli la cartella in cui copiare");
  ASSERT_TRUE(browser);
  Press(browser, IDOK);
  const std::string exported = exportFolder + "\\sposalbo.sbm";
  ASSERT_TRUE(WaitUntil([&] { return FileExists(exported) && FileExists(exportFolder + "\\sposalbo.sig"); }));
  const std::string sent = ReadTextFile(exported);
  const std::vector<BYTE> seal = lab_test::ReadBytes(exportFolder + "\\sposalbo.sig");
  RemoveTree(exportFolder);
  EXPECT_EQ(sent, final);
  lab_test::Laboratory lab(lab_test::ReadBytes(SPAB_LAB_PRIVATE_KEY));
  EXPECT_EQ(lab.OpenSeal(seal), lab.Md5(sent));

  // Opened once more and left at once through File > Exit, while the lists'
  // loaders still read the album's photos and the libraries: the editor ends
  // by itself, with its threads, and reports success.
  editor().Command(ID_ALBUM_CLOSE);
  ASSERT_TRUE(editor().WaitForTitle("Lumivo"));
  ASSERT_NO_FATAL_FAILURE(OpenAlbum());
  ::PostMessageA(editor().Main(), WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
  ASSERT_TRUE(editor().WaitForExit()) << "the editor did not end after File > Exit";
  EXPECT_EQ(editor().ExitCode(), 0u);
}

// The editor killed while it saves, as a crash or a power cut would: the
// project file is the one before or the one after the save, never a torn one,
// and the album opens again. Menus and dialogs work beside the splash.
class KilledEditor : public AlbumScenario {
 protected:
  bool WaitsForSplash() const override { return false; }
};

TEST_F(KilledEditor, LeavesTheOldOrTheNewAlbum) {
  ASSERT_NO_FATAL_FAILURE(NewAlbum());
  // Pages enough for a save that takes a while, below the template's limit.
  for (int pages = 0; pages < 8; ++pages) editor().Command(ID_PAGE_NEW);
  ASSERT_GE(Count(Saved(), "<pagina"), 8);
  for (int delay : {0, 5}) {
    editor().Command(ID_PAGE_NEW);
    const std::string before = Project();
    ::PostMessageA(editor().Main(), WM_COMMAND, MAKEWPARAM(ID_ALBUM_SAVE, 0), 0);
    ::Sleep(delay);
    editor().Kill();
    const std::string after = Project();
    const int pages = Count(before, "<pagina");
    EXPECT_TRUE(after == before ||
                (Count(after, "<pagina") == pages + 1 && after.find("</sposalbo>") != std::string::npos))
        << "killed after " << delay << " ms: " << after.size() << " bytes";
    Restart();
    ASSERT_TRUE(editor().Started());
    ASSERT_NO_FATAL_FAILURE(OpenAlbum());
  }
}

}  // namespace
