// Hostile album files, templates, image lists and CD lists, each opened,
// drawn, edited, saved, read again and exported as the editor does it, in a
// scratch folder with a sentinel picture beside the album. Nothing may crash,
// the sentinel stays as it was, no path outside the album and the library is
// ever handed out, nothing is written outside the album and the export, and
// the export carries exactly the photos the pages show. All of it runs on a
// thread with the editor's own stack, so what would overflow the editor
// overflows here.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CutXmlFiles.h"
#include "LabKeys.h"
#include "ModelFakes.h"
#include "TempFolder.h"
#include "XmlNestingCases.h"
#include "document/AlbumFolder.h"
#include "document/SposalboDoc.h"
#include "document/SposalboException.h"
#include "document/albumfile/NestingLimit.h"
#include "document/albumfile/XmlFile.h"
#include "document/imagelist/CDImageList.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/CryptoEngine.h"
#include "document/services/Win32Handle.h"
#include "framework/scripted_ui.h"
#include "render/D3DObj.h"
#include "render/DeviceFixture.h"

namespace {

using nesting_test::Nested;
using Names = std::set<std::string>;

// Lumivo.exe links with the linker's default stack reserve (0x200000 in its
// header); the whole table runs on a thread of that size.
constexpr SIZE_T kEditorStack = 2 * 1024 * 1024;

// Nothing may leave a thread's body: what the body throws is a failure of
// the test, not the end of the program.
DWORD WINAPI RunCall(void* call) {
  try {
    (*static_cast<const std::function<void()>*>(call))();
  } catch (const CSposalboException& e) {
    ADD_FAILURE() << "thrown on the editor's stack: " << e.message << " (" << e.code << ")";
  } catch (const std::exception& e) {
    ADD_FAILURE() << "thrown on the editor's stack: " << e.what();
  } catch (...) {
    ADD_FAILURE() << "thrown on the editor's stack: an unknown exception";
  }
  return 0;
}

void OnEditorStack(const std::function<void()>& body) {
  CScopedHandle thread(::CreateThread(nullptr, kEditorStack, RunCall,
                                      const_cast<std::function<void()>*>(&body),
                                      STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  ASSERT_TRUE(thread.IsValid());
  ::WaitForSingleObject(thread.Get(), INFINITE);
}

bool Inside(const std::string& path, const std::string& folder) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  const std::string prefix = folder + "\\";
  return length > 0 && length < MAX_PATH && _strnicmp(full, prefix.c_str(), prefix.size()) == 0;
}

// The kinds of an album as read, the background and the wedding data where
// the nodes keep them.
std::string Shape(treeNode::CTreeNode& node) {
  std::string shape = node.GetTag() + "[";
  std::vector<treeNode::CTreeNode*> parts;
  if (auto* album = dynamic_cast<treeNode::CSposalboTreeNode*>(&node))
    parts.push_back(album->GetDati());
  if (auto* page = dynamic_cast<treeNode::CPaginaTreeNode*>(&node))
    if (page->GetBackground()) parts.push_back(page->GetBackground());
  for (size_t i = 0; i < node.GetChildCount(); ++i) parts.push_back(node.GetChild(i));
  for (size_t i = 0; i < parts.size(); ++i) shape += (i ? "," : "") + Shape(*parts[i]);
  return shape + "]";
}

std::string Album(const std::string& body) {
  return "<sposalbo paginacorrente=\"0\" numMinPage=\"0\">"
         "<dati><variabile name=\"sposi\" valore=\"A e B\"/></dati>" + body + "</sposalbo>";
}
std::string Page(const std::string& objects) { return "<pagina>" + objects + "</pagina>"; }
std::string Photo(const std::string& name, const std::string& inside = "") {
  return "<immagine name=\"" + name + "\" scale_x=\"0.2\" scale_y=\"0.2\">" + inside +
         "</immagine>";
}
// A CD photo, and two imported photos whose reference copies the caller names.
std::string ImageList(const std::string& second = "riferimento=\"1.bmp\"",
                      const std::string& third = "riferimento=\"2.bmp\"",
                      const std::string& more = "") {
  return "<immagini lastThumb=\"3\" lastRif=\"2\">"
         "<immagine nome=\"IMG_1.BMP\" thumb=\"1.bmp\" tipo=\"0\" cdkey=\"K\"/>"
         "<immagine nome=\"a.bmp\" thumb=\"2.bmp\" tipo=\"1\" " + second + "/>"
         "<immagine nome=\"b.bmp\" thumb=\"3.bmp\" tipo=\"1\" " + third + "/>" + more +
         "</immagini>";
}

struct HostileCase {
  HostileCase(std::string caseName, std::string albumText)
      : name(std::move(caseName)), album(std::move(albumText)) {}
  HostileCase& List(std::string text) { return imageList = std::move(text), *this; }
  HostileCase& Cd(std::string text, Names imported) {
    cdList = std::move(text);
    cdPhotos = std::move(imported);
    return *this;
  }
  HostileCase& Template() { return asTemplate = true, *this; }
  HostileCase& Refused() { return opens = false, *this; }
  HostileCase& Shaped(std::string kinds) { return shape = std::move(kinds), *this; }
  HostileCase& Exported(Names img, Names rif = {}) {
    photos = std::move(img);
    references = std::move(rif);
    return *this;
  }
  HostileCase& NotExported() { return exports = false, *this; }

  std::string name;
  std::string album;  // "$SENTINEL" stands for the sentinel's full path
  std::string imageList = ImageList();
  std::string cdList;  // imported into the album when given
  Names cdPhotos;
  bool asTemplate = false;
  bool opens = true;
  std::string shape;  // of the album as read, when given
  Names photos, references;
  bool exports = true;
};

std::vector<HostileCase> HostileCases() {
  const int deepest = kMaxNestingDepth;  // album 1, page 2, then the objects
  std::vector<HostileCase> cases = {
      HostileCase("a plain album",
                  Album(Page(Photo("1.bmp") + "<gruppo>" + Photo("2.bmp") + "</gruppo>")))
          .Exported({"1.bmp", "2.bmp"}, {"1.bmp"}),
      HostileCase("a library background named like a photo",
                  Album(Page("<sfondo><image name=\"3.bmp\"/></sfondo>" + Photo("1.bmp"))))
          .Exported({"1.bmp"}),
      HostileCase("two photos share a reference copy", Album(Page(Photo("2.bmp") + Photo("3.bmp"))))
          .List(ImageList("riferimento=\"1.bmp\"", "riferimento=\"1.bmp\""))
          .Exported({"2.bmp", "3.bmp"}, {"1.bmp"}),
      HostileCase("empty and outward names in the image list",
                  Album(Page(Photo("1.bmp") + Photo("2.bmp") + Photo("3.bmp"))))
          .List(ImageList("riferimento=\"\"", "riferimento=\"..\\..\\sentinel.bmp\"",
                          "<immagine thumb=\"\"/><immagine thumb=\"..\\sentinel.bmp\"/>"))
          .Exported({"1.bmp"}),
      HostileCase(
          "groups named after the sentinel",
          Album(Page("<gruppo name=\"sentinel.bmp\">" + Photo("1.bmp") +
                     "</gruppo><gruppo name=\"..\\sentinel.bmp\"/><gruppo name=\"$SENTINEL\"/>")))
          .Exported({"1.bmp"}),
      HostileCase(
          "names of every kind leading out",
          Album(Page(Photo("..\\sentinel.bmp") + Photo("$SENTINEL") +
                     "<image name=\"$SENTINEL\"/>" + "<cornice name=\"..\\..\\sentinel.bmp\">" +
                     Photo("1.bmp", "<effetto name=\"..\\sentinel.bmp\"/>") + "</cornice>")))
          .Exported({"1.bmp"}),
      HostileCase("empty names", Album(Page("<immagine/><image name=\"\"/><cornice name=\"\">" +
                                            Photo("", "<effetto name=\"\"/>") + "</cornice>")))
          .Exported({}),
      HostileCase("a personal picture whose name leads out",
                  Album(Page("<image name=\"..\\sentinel.bmp\" pers=\"1\"/>")))
          .NotExported(),
      HostileCase("wrong kinds under the album",
                  Album(Photo("1.bmp") + "<variabile name=\"x\"/><sfondo/><testo/><sposalbo>" +
                        Page("") + "</sposalbo>" + Page("")))
          .Shaped("sposalbo[dati[variabile[]],pagina[]]")
          .Exported({}),
      HostileCase(
          "wrong kinds on a page",
          Album(Page(
              "<pagina>" + Photo("1.bmp") + "</pagina><dati/><variabile/><effetto/><sposalbo/>" +
              "<Immagine name=\"3.bmp\"/><foto>" + Photo("3.bmp") + "</foto>" + Photo("2.bmp"))))
          .Shaped("sposalbo[dati[variabile[]],pagina[immagine[]]]")
          .Exported({"2.bmp"}, {"1.bmp"}),
      HostileCase(
          "wrong kinds in the wedding data",
          Album(
              "<dati><immagine name=\"1.bmp\"/><variabile name=\"a\" valore=\"1\"/><pagina/><dati/>"
              "</dati>" +
              Page("")))
          .Shaped("sposalbo[dati[variabile[]],pagina[]]")
          .Exported({}),
      HostileCase("wrong kinds in a background",
                  Album(Page("<sfondo><testo/>" + Photo("1.bmp") + Photo("2.bmp") + "</sfondo>")))
          .Shaped("sposalbo[dati[variabile[]],pagina[sfondo[immagine[]]]]")
          .Exported({"1.bmp"}),
      HostileCase("wrong kinds in pictures",
                  Album(Page(Photo("1.bmp", Photo("2.bmp") + "<effetto name=\"e.png\"/><testo/>") +
                             "<image name=\"i.png\"><cornice/></image>")))
          .Shaped("sposalbo[dati[variabile[]],pagina[immagine[effetto[]],image[]]]")
          .Exported({"1.bmp"}),
      HostileCase(
          "wrong kinds in frames and groups",
          Album(Page(
              "<cornice name=\"f.png\">" + Photo("1.bmp") +
              "<effetto name=\"e.png\"/><pagina/><sfondo/><dati/></cornice><gruppo><variabile/>" +
              Photo("2.bmp") + "</gruppo>")))
          .Shaped("sposalbo[dati[variabile[]],pagina[cornice[immagine[]],gruppo[immagine[]]]]")
          .Exported({"1.bmp", "2.bmp"}, {"1.bmp"}),
      HostileCase(
          "children of texts, effects and variables",
          Album("<dati><variabile name=\"v\">" + Photo("3.bmp") + "</variabile></dati>" +
                Page("<testo lfFaceName=\"Arial\">" + Photo("2.bmp") + "</testo>" +
                     Photo("1.bmp", "<effetto name=\"e.png\">" + Photo("3.bmp") + "</effetto>"))))
          .Shaped("sposalbo[dati[variabile[]],pagina[testo[],immagine[effetto[]]]]")
          .Exported({"1.bmp"}),
      HostileCase("a template with wrong kinds", Album(Photo("1.bmp") + Page(Photo("1.bmp"))))
          .Template()
          .Shaped("sposalbo[dati[variabile[]],pagina[immagine[]]]")
          .Exported({}),
      HostileCase("groups nested to the limit",
                  Album(Page(Nested("<gruppo>", "", deepest - 3) + Photo("1.bmp") +
                             Nested("", "</gruppo>", deepest - 3))))
          .Exported({"1.bmp"}),
      HostileCase("groups nested one past the limit",
                  Album(Page(Nested("<gruppo>", "", deepest - 2) + Photo("1.bmp") +
                             Nested("", "</gruppo>", deepest - 2))))
          .Refused(),
      HostileCase("a template nested past the limit",
                  Album(Page(Nested("<cornice>", "</cornice>", 20000))))
          .Template()
          .Refused(),
      HostileCase("deep markup inside a comment and a value",
                  Album(Page("<!--" + Nested("<gruppo>", "</gruppo>", 20000) + "-->" +
                             "<immagine name=\"1.bmp\" x=\"" +
                             Nested("<gruppo>", "</gruppo>", 20000) + "\"/>")))
          .Exported({"1.bmp"}),
      HostileCase("a declaration the parser stops on", "<sposalbo/><?xml ").Refused(),
      HostileCase("an image list nested past the limit", Album(Page(Photo("1.bmp"))))
          .List("<immagini>" + Nested("<immagine thumb=\"1.bmp\">", "</immagine>", 20000) +
                "</immagini>")
          .Exported({}),
      HostileCase("a CD list with empty and outward names", Album(Page("")))
          .Cd("<cd cdKey=\"K\"><immagine nome=\"\"/><immagine "
              "nome=\"..\\sentinel.bmp\"/><immagine/>"
              "<immagine nome=\"ok.bmp\"/></cd>",
              {"ok.bmp"})
          .Exported({}),
      HostileCase("device names and names Windows trims",
                  Album(Page(Photo("1.bmp") + Photo("2.bmp.") + Photo("COM\xB9") + Photo("3.bmp ") +
                             "<image name=\"LPT\xB2.png\"/><cornice name=\"com0.png\"/>")))
          .List(ImageList("riferimento=\"1.bmp.\"", "riferimento=\"COM\xB3\"",
                          "<immagine thumb=\"1.bmp \"/><immagine thumb=\"lpt0\"/>"))
          .Cd("<cd cdKey=\"K\"><immagine nome=\"ok.bmp.\"/><immagine nome=\"ok.bmp \"/>"
              "<immagine nome=\"ok.bmp. .\"/><immagine nome=\"com\xB9.bmp\"/>"
              "<immagine nome=\"LPT0\"/><immagine nome=\"ok.bmp\"/></cd>",
              {"ok.bmp"})
          .Exported({"1.bmp"}),
      HostileCase("a CD list nested past the limit", Album(Page("")))
          .Cd("<cd>" + Nested("<immagine nome=\"ok.bmp\">", "</immagine>", 20000) + "</cd>", {})
          .Exported({}),
  };
  // Every kind of element, and plain XML, nested far past where the parser
  // would overflow the stack.
  for (const char* tag : {"sposalbo", "dati", "variabile", "pagina", "sfondo", "immagine", "image",
                          "cornice", "gruppo", "testo", "effetto", "x"})
    cases.push_back(HostileCase(std::string(tag) + " nested 20000 deep",
                                Album(Page(Nested(std::string("<") + tag + ">",
                                                  std::string("</") + tag + ">", 20000))))
                        .Refused());
  return cases;
}

// The main frame's answer to where a picture lies: album photos from the open
// album, library pictures from the library folders, with no check of its own.
class EditorHost : public model_test::FakeHost {
 public:
  std::string GetResourceFolder(int kind, bool lowRes, const std::string& name,
                                bool personal) override {
    std::string path;
    if (kind >= 1 && kind <= 3)
      path = library + "\\" + std::to_string(kind) + (lowRes ? "lo" : "hi") +
             (personal ? "p" : "") + "\\" + name;
    else if (doc)
      path = doc->GetResourceFolder(kind, lowRes, name, personal);
    handedOut.push_back(path);
    return path;
  }
  CSposalboDoc* doc = nullptr;
  std::string library;
  std::vector<std::string> handedOut;
};

// A hidden window with a Direct3D device, made on the thread that draws.
struct PageDevice {
  PageDevice() { view.CreateDevice(window.Get(), false); }
  ~PageDevice() { view.ReleaseDevice(); }
  void Draw(treeNode::CPaginaTreeNode& page) {
    IDirect3DDevice9* device = view.GetDevice();
    if (!device) return;
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    page.Render(0);
    device->EndScene();
  }
  HiddenWindow window{320, 160};
  CD3DObj view;
};

class HostileFilesTest : public testing::Test {
 protected:
  // Draws, hits, copies, pastes, groups, undoes and redoes on every page,
  // then copies, pastes and cuts a page: the album ends as it began.
  void Exercise(treeNode::CSposalboTreeNode& album) {
    for (int i = 0; i < album.GetPageCount(); ++i) {
      album.GoToPage(i);
      treeNode::CPaginaTreeNode* page = album.GetCurrentPage();
      device->Draw(*page);
      treeNode::NodeList hits;
      page->HitTestPoint(0.0f, 0.0f, &hits, true);
      page->SelectAll(true);
      album.CopySelection();
      album.PasteSelection();
      album.Undo();
      page = album.GetCurrentPage();
      page->SelectAll(true);
      page->GroupSelection();
      album.Undo();
      album.Redo();
      album.Undo();
      device->Draw(*album.GetCurrentPage());
      album.CopyPage();
      album.PastePage();
      album.CutPage(true);
    }
  }

  void Run(const HostileCase& c) {
    TempFolder scratch;
    const std::string albumFolder = scratch / "Nozze", sentinel = scratch / "sentinel.bmp";
    const std::string exportFolder = scratch / "export", library = scratch / "lib";
    for (const std::string& folder : {albumFolder, albumFolder + "\\img", albumFolder + "\\rif",
                                      exportFolder, library, scratch / "cd"})
      MakeFolder(folder);
    // The reference copies first: no working copy is older than its
    // reference copy, so no export makes one again.
    for (const char* photo : {"rif\\1.bmp", "rif\\2.bmp", "img\\1.bmp", "img\\2.bmp", "img\\3.bmp"})
      model_test::WriteBmp((albumFolder + "\\" + photo).c_str(), 90, 120, 200);
    model_test::WriteBmp(sentinel.c_str(), 255, 0, 0);
    model_test::WriteBmp((scratch / "cd\\ok.bmp").c_str(), 0, 255, 0);
    const std::string sentinelBytes = ReadTextFile(sentinel);
    std::string albumText = c.album;
    for (size_t at; (at = albumText.find("$SENTINEL")) != std::string::npos;)
      albumText.replace(at, 9, sentinel);
    WriteTextFile(c.asTemplate ? scratch / "modello.sbt" : albumFolder + "\\sposalbo.sbm",
                  albumText);
    WriteTextFile(albumFolder + "\\immagini.xml", c.imageList);
    if (!c.cdList.empty()) WriteTextFile(scratch / "cd\\cd.xml", c.cdList);

    EditorHost host;
    host.library = library;
    host.labFonts = {"Arial"};
    CScriptedUi ui;
    // A bare picture name is looked for in the current folder, where the
    // sentinel lies.
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(scratch.Path().c_str());
    std::unique_ptr<CSposalboDoc> doc;
    try {
      doc = c.asTemplate
                ? std::make_unique<CSposalboDoc>("Nuovo", scratch.Path(), scratch / "modello.sbt",
                                                 &device->view)
                : std::make_unique<CSposalboDoc>(albumFolder + "\\sposalbo.sbm", &device->view);
    } catch (const CSposalboException& error) {
      EXPECT_EQ(error.code, 2) << c.name;
      // Which file, and that it is damaged.
      const std::string file = c.asTemplate ? scratch / "modello.sbt" : albumFolder + "\\sposalbo.sbm";
      EXPECT_EQ(error.message.find("Impossibile aprire il sposalbo.\n" + file + ": il file \xe8 danneggiato"), 0u)
          << c.name << ": " << error.message;
    }
    EXPECT_EQ(doc != nullptr, c.opens) << c.name;
    if (doc) Use(c, *doc, host, scratch / "cd", exportFolder);
    doc.reset();
    // Refusals are quiet; only a failed export says why.
    EXPECT_EQ(ui.Questions().empty(), c.exports) << c.name;
    ::SetCurrentDirectoryA(previous);

    EXPECT_EQ(ReadTextFile(sentinel), sentinelBytes) << c.name;
    for (const std::string& path : host.handedOut)
      EXPECT_TRUE(path.empty() || Inside(path, scratch / (c.asTemplate ? "Nuovo" : "Nozze")) ||
                  Inside(path, library))
          << c.name << ": " << path;
    Names expected = {"Nozze", "sentinel.bmp", "export", "lib", "cd"};
    if (c.asTemplate) expected.insert("modello.sbt");
    if (c.asTemplate && c.opens) expected.insert("Nuovo");
    EXPECT_EQ(FilesIn(scratch.Path()), expected) << c.name;
  }

  void Use(const HostileCase& c, CSposalboDoc& doc, EditorHost& host, const std::string& cd,
           const std::string& exportFolder) {
    host.doc = &doc;
    treeNode::CSposalboTreeNode& album = *doc.GetRoot();
    if (!c.shape.empty()) {
      EXPECT_EQ(Shape(album), c.shape) << c.name;
    }
    if (auto list = spab_imagelist::CMImageList::Load(doc.GetFolder().c_str(), false))
      album.SetImageList(std::move(list));
    if (!c.cdList.empty()) {
      Names imported;
      if (auto cdList = cd_imagelist::CCDImageList::Load(cd.c_str()))
        for (const auto& image : cdList->images)
          if (album.GetImageList()->AddFromLabCd("K", doc.GetFolder().c_str(), cd.c_str(),
                                                 image->nome.c_str()))
            imported.insert(image->nome);
      EXPECT_EQ(imported, c.cdPhotos) << c.name;
    }
    const int pages = album.GetPageCount();
    Exercise(album);
    EXPECT_TRUE(doc.Save()) << c.name;
    auto again = treeNode::CSposalboTreeNode::Load(doc.GetProjectPath(), nullptr);
    ASSERT_TRUE(again) << c.name;
    EXPECT_EQ(again->GetPageCount(), pages) << c.name;

    EXPECT_EQ(doc.ExportForLab(exportFolder, *seal), c.exports)
        << c.name << ": " << doc.GetLastExportError();
    const std::string exported = exportFolder + "\\" + FolderLastName(doc.GetFolder()) + "_xlab";
    if (!c.exports) {
      EXPECT_FALSE(FolderExists(exported)) << c.name;
      return;
    }
    EXPECT_EQ(FilesIn(exported + "\\img"), c.photos) << c.name;
    EXPECT_EQ(FilesIn(exported + "\\rif"), c.references) << c.name;
  }

  void SetUp() override {
    ASSERT_TRUE(lab.Ready());
    lab_test::WriteBytes(keys / "public.key", lab.PublicKeyBlob());
    seal = std::make_unique<CCryptoEngine>();
    ASSERT_TRUE(seal->AcquireContext());
    ASSERT_TRUE(seal->ImportPublicKey((keys / "public.key").c_str()));
  }

  lab_test::Laboratory lab;
  TempFolder keys;
  std::unique_ptr<CCryptoEngine> seal;
  std::unique_ptr<PageDevice> device;
};

}  // namespace

TEST_F(HostileFilesTest, AreRefusedOrReadSafelyOnTheEditorsStack) {
  OnEditorStack([this] {
    device = std::make_unique<PageDevice>();
    for (const HostileCase& c : HostileCases()) Run(c);
    device.reset();
  });
}

TEST(NestingLimit, HoldsForTreesMadeInMemoryAndForEdits) {
  // Twice the limit, made in memory where no file check sees it.
  TiXmlElement root("sposalbo");
  TiXmlElement* at = root.InsertEndChild(TiXmlElement("pagina"))->ToElement();
  for (int i = 0; i < 2 * kMaxNestingDepth; ++i)
    at = at->InsertEndChild(TiXmlElement("gruppo"))->ToElement();
  treeNode::CSposalboTreeNode album(root, nullptr, nullptr);
  EXPECT_EQ(album.GetSubtreeHeight(), kMaxNestingDepth);

  treeNode::CPaginaTreeNode* page = album.GetPage(0);
  treeNode::CTreeNode* deepest = page;
  while (deepest->GetChildCount() > 0) deepest = deepest->GetChild(0);
  auto* picture = dynamic_cast<treeNode::CImgTreeNode*>(deepest);
  ASSERT_TRUE(picture);
  picture->SetEffect(std::make_unique<treeNode::CEffectTreeNode>("e.png", nullptr));
  EXPECT_FALSE(picture->GetEffect());

  auto pair = std::make_unique<treeNode::CGruppoTreeNode>(page);
  pair->AddChild(std::make_unique<treeNode::CGruppoTreeNode>(pair.get()), true);
  page->AddChild(std::move(pair), true);
  page->SelectAll(true);
  EXPECT_FALSE(page->GroupSelection());
  page->SelectAll(false);
  page->GetChild(1)->SetSelected(true);
  page->MoveSelectionInto(deepest->GetParent());
  EXPECT_EQ(page->GetChildCount(), 2u);
  EXPECT_FALSE(album.CanUndo()) << "a refused edit leaves no undo step";
  EXPECT_EQ(album.GetSubtreeHeight(), kMaxNestingDepth);
}

// Every kind of file the album reads from outside, as its start up to inside
// its root element and its end. read tells whether the file was read (false
// when refused as usual) and leaves the message an album road throws in told.
struct FileRoad {
  std::string name;
  std::string open, close;
  std::function<bool(const TempFolder& folder, const std::string& text)> read;
  bool IsAlbum() const { return name.find("album") != std::string::npos; }
};

std::vector<FileRoad> FileRoads(std::string& told) {
  // A template opens as a new album in the folder it lies in.
  const auto openAlbum = [&told](const TempFolder& folder, const std::string& file, bool asTemplate) {
    told.clear();
    try {
      std::unique_ptr<CSposalboDoc> doc;
      if (asTemplate)
        doc = std::make_unique<CSposalboDoc>("Nuovo", folder.Path(), folder / file, nullptr);
      else
        doc = std::make_unique<CSposalboDoc>(folder / file, nullptr);
      return doc->GetRoot()->GetPageCount() == 1;
    } catch (const CSposalboException& error) {
      EXPECT_EQ(error.code, 2);
      told = error.message;
      return false;
    }
  };
  const std::string album =
      "<sposalbo><dati><variabile name=\"sposo\" valore=\"Nicol\xC3\xA0\"/></dati><pagina>";
  const std::string albumEnd = "</pagina></sposalbo>";
  return {
      {"an album", album, albumEnd,
       [=](const TempFolder& folder, const std::string& text) {
         WriteTextFile(folder / "sposalbo.sbm", text);
         return openAlbum(folder, "sposalbo.sbm", false);
       }},
      {"an album template", album, albumEnd,
       [=](const TempFolder& folder, const std::string& text) {
         WriteTextFile(folder / "modello.sbt", text);
         return openAlbum(folder, "modello.sbt", true);
       }},
      {"a page template", album, albumEnd,
       [](const TempFolder& folder, const std::string& text) {
         WriteTextFile(folder / "pagina.sbt", text);
         auto page = treeNode::CSposalboTreeNode::Load(folder / "pagina.sbt", nullptr);
         return page && page->GetPageCount() == 1;
       }},
      {"an image list",
       "<immagini lastThumb=\"1\"><immagine nome=\"a.jpg\" thumb=\"1.jpg\" tipo=\"1\" riferimento=\"1.jpg\"/>",
       "</immagini>",
       [](const TempFolder& folder, const std::string& text) {
         WriteTextFile(folder / "immagini.xml", text);
         auto list = spab_imagelist::CMImageList::Load(folder.Path().c_str(), false);
         return list && list->GetImages().size() == 1;
       }},
      {"a CD list", "<cd cdKey=\"K\"><immagine nome=\"a.jpg\"/>", "</cd>",
       [](const TempFolder& folder, const std::string& text) {
         WriteTextFile(folder / "cd.xml", text);
         auto list = cd_imagelist::CCDImageList::Load(folder.Path().c_str());
         return list && list->images.size() == 1 && list->cdKey == "K";
       }},
  };
}

// Every kind of file the album reads, cut inside a character: the album and
// the album template are refused with the message of any album that cannot
// be opened and the file named as damaged, a page template, an image list
// and a CD list read as none.
TEST(CutCharacters, FilesCutInsideACharacterAreRefusedOrRead) {
  std::string told;
  for (const FileRoad& road : FileRoads(told)) {
    TempFolder folder;
    const bool cameBack = cut_xml_test::ReadEachWithWatchdog(
        cut_xml_test::CutFiles(road.open, road.close), [&](const cut_xml_test::CutFile& file) {
          EXPECT_EQ(road.read(folder, file.text), file.whole) << road.name << " " << file.name;
          if (!file.whole && road.IsAlbum()) {
            EXPECT_EQ(told.find("Impossibile aprire il sposalbo.\n"), 0u) << road.name << " " << file.name;
            EXPECT_NE(told.find(": il file \xe8 danneggiato o incompleto"), std::string::npos) << told;
          }
          RemoveTree(folder / "Nuovo");
        });
    // Every kind is read through the same loader: one loop is enough to know.
    if (!cameBack) break;
  }
}

// A file of more elements than any real album holds is refused before it is
// parsed, on every road: an album or album template says why, and leaves no
// new album folder behind.
TEST(TooManyObjects, FilesOverTheCeilingAreRefusedOnEveryRoad) {
  std::string told;
  for (const FileRoad& road : FileRoads(told)) {
    for (const size_t filler : {kMaxXmlElements - 100, kMaxXmlElements}) {
      SCOPED_TRACE(road.name + ", " + std::to_string(filler) + " more elements");
      TempFolder folder;
      std::string text = road.open;
      for (size_t i = 0; i < filler; ++i) text += "<x/>";
      const bool over = filler == kMaxXmlElements;
      EXPECT_EQ(road.read(folder, text + road.close), !over);
      if (over && road.IsAlbum()) {
        EXPECT_EQ(told, "Impossibile aprire il sposalbo.\nTroppi oggetti: il file ne contiene pi\xF9 di 50000.");
      }
      if (over) {
        EXPECT_FALSE(FolderExists(folder / "Nuovo"));
      }
    }
  }
}
