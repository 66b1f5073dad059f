// A photographer's album from start to laboratory, in the real editor.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

#include "app/resource.h"
#include "framework/ids.h"
#include "document/LabKeys.h"
#include "document/TempFolder.h"
#include "crop/WindowCapture.h"
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
  void SetUp() override { ASSERT_TRUE(editor.Started()); }

  // Types a name into the open file dialog and confirms it.
  void AnswerFileDialog(const std::string& text) {
    HWND dialog = editor.WaitForWindow("");
    ASSERT_TRUE(dialog);
    ::Sleep(300);
    SetText(dialog, kFileNameBox, text);
    Press(dialog, IDOK);
  }

  HWND Bar(const char* title) { return DescendantWithText(editor.Main(), title); }
  // The tools bar's lists: frames, effects, images, page templates.
  HWND ToolList(int tab) {
    HWND tabs = ChildWithId(Bar("Cornici e Effetti"), 102);
    input::Click(editor, TabCentre(editor, tabs, tab));
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
  // Saves and answers with the project file, once it changed.
  std::string Saved() {
    const std::string before = Project();
    editor.Command(ID_ALBUM_SAVE);
    std::string after;
    WaitUntil([&] { return (after = Project()) != before; }, 20);
    return after;
  }
  void Shot(const char* name) {
    if (const char* folder = std::getenv("SPAB_SCENARIO_SHOTS"))
      WriteCapture(std::string(folder) + "\\" + name + ".bmp", CaptureWindow(::GetDesktopWindow()));
  }
  HWND PhotoList() { return ChildWithId(Bar("Fotografie"), 201); }
  HWND PageSurface() {
    for (HWND window : Descendants(editor.Main()))
      if (::GetDlgCtrlID(window) == 0xFFFF && ::IsWindowVisible(window)) return window;
    return nullptr;
  }

  TempFolder dir;
  // Unique: the laboratory's copy goes to the desktop, which every run shares.
  const std::string album = "Nozze-" + std::to_string(::GetCurrentProcessId());
  EditorProcess editor{WindowsPath(SPAB_PROGRAM_DIR) + "\\Lumivo.exe",
                       WindowsPath(SPAB_PROGRAM_DIR) + "\\sposalbo.sfl"};
};

TEST_F(AlbumScenario, FromTemplateToLaboratory) {
  // A new album from the classic template.
  editor.Command(ID_ALBUM_NEW);
  HWND dialog = editor.WaitForWindow("Nuovo sposalbo");
  ASSERT_TRUE(dialog);
  SetText(dialog, IDC_NS_NAME, album);
  SetText(dialog, IDC_NS_FOLDER, dir.Path());
  ASSERT_GE(::SendMessageA(::GetDlgItem(dialog, IDC_NS_TEMPLATE), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("Classico 30x15")), 0);
  Press(dialog, IDOK);
  ASSERT_TRUE(editor.WaitForTitle(album + " (300 x 150)")) << WindowText(editor.Main());

  // The sample photos, chosen in their folder.
  editor.Command(ID_ALBUM_LOAD_IMAGES);
  AnswerFileDialog(WindowsPath(SPAB_SAMPLE_PHOTOS));
  std::string names;
  for (const char* photo : kPhotos) names += std::string("\"") + photo + "\" ";
  AnswerFileDialog(names);
  HWND photos = PhotoList();
  ASSERT_TRUE(photos);
  ASSERT_TRUE(WaitUntil([&] { return ListCount(photos) == 6; })) << ListCount(photos);

  const std::string fresh = Saved();

  // A photo dragged onto the cover, another onto the second page.
  input::Drag(editor, ListItemCentre(editor, photos, 0), OnPage(-0.25, 0.1));
  editor.Command(ID_PAGE_NEXT);
  input::Drag(editor, ListItemCentre(editor, photos, 3), OnPage(0.0, -0.25));
  // A frame below it, then an effect on the photo, chosen with a click.
  input::Drag(editor, ListItemCentre(editor, ToolList(0), 0), OnPage(0.0, 0.25));
  input::Click(editor, OnPage(0.0, -0.25));
  input::Drag(editor, ListItemCentre(editor, ToolList(1), 0), OnPage(0.0, -0.25));
  Shot("placed");
  const std::string placed = Saved();
  EXPECT_EQ(Count(placed, "<immagine name="), 2) << placed;
  EXPECT_EQ(Count(placed, "<cornice"), Count(fresh, "<cornice") + 1);
  EXPECT_EQ(Count(placed, "<effetto"), Count(fresh, "<effetto") + 1);

  // Undone, the effect goes; redone, it is back.
  editor.Command(ID_EDIT_UNDO);
  EXPECT_EQ(Count(Saved(), "<effetto"), Count(fresh, "<effetto"));
  editor.Command(ID_EDIT_REDO);
  EXPECT_EQ(Saved(), placed);

  // Closed and opened again through the file dialog.
  editor.Command(ID_ALBUM_CLOSE);
  ASSERT_TRUE(editor.WaitForTitle("Lumivo"));
  editor.Command(ID_ALBUM_OPEN);
  AnswerFileDialog(dir / album + "\\sposalbo.sbm");
  ASSERT_TRUE(editor.WaitForTitle(album + " (300 x 150)"));

  // Sent to the laboratory into the folder the browser offers first (the
  // desktop): the export holds the album as saved, sealed for the
  // laboratory's private key.
  char desktop[MAX_PATH] = "";
  ASSERT_TRUE(::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::string exportFolder = std::string(desktop) + "\\" + album + "_xlab";
  editor.Command(ID_ALBUM_SEND_TO_LAB);
  HWND browser = editor.WaitForMessage("Scegli la cartella in cui copiare");
  ASSERT_TRUE(browser);
  Press(browser, IDOK);
  const std::string exported = exportFolder + "\\sposalbo.sbm";
  ASSERT_TRUE(WaitUntil([&] { return FileExists(exported) && FileExists(exportFolder + "\\sposalbo.sig"); }));
  const std::string sent = ReadTextFile(exported);
  const std::vector<BYTE> seal = lab_test::ReadBytes(exportFolder + "\\sposalbo.sig");
  RemoveTree(exportFolder);
  EXPECT_EQ(sent, placed);
  lab_test::Laboratory lab(lab_test::ReadBytes(SPAB_LAB_PRIVATE_KEY));
  EXPECT_EQ(lab.OpenSeal(seal), lab.Md5(sent));
}

}  // namespace
