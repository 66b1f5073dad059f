#include "app/helpers/DemoAlbum.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "document/SposalboDoc.h"
#include "document/albumfile/AlbumXml.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/ImageTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
using treeNode::CImgTreeNode;
using treeNode::CTreeNode;

const char kAlbumName[] = "Giulia e Marco";
const char kTemplate[] = "\\template\\Classico 30x15.sbt";

// Which sample photo fills which numbered placeholder of the template, and
// the height it is drawn at (in page heights). The placeholders are square
// and the photos are not: each is drawn large enough to fill the window of
// its frame. The template's two small photos of the last spread are left
// out: six photos fill six places without showing one twice.
struct PhotoPlace {
  int placeholder;
  const char* photo;
  float height;
};
const PhotoPlace kPhotoPlaces[] = {
    {1, "ritratto.bmp", 0.64f},  // the couple in the cover's oval
    {2, "spiaggia.jpg", 0.48f},  // the two rectangles of the first spread
    {3, "chiesa.pcx", 0.54f},
    {4, "giardino.tif", 0.66f},  // the oval vignette and the heart
    {5, "tramonto.jpg", 0.58f},
    {6, "torta.tga", 0.66f},  // the arch
};

// What the album adds to the template: the couple's names on the cover, and
// a thank-you with the image library's hearts where the left-out photos were.
struct Addition {
  int page;
  bool text;         // a text, else a picture of the image library
  const char* what;  // the words or the picture's name
  float x, y, size;
};
const Addition kAdditions[] = {
    {0, true, "Giulia e Marco", -0.5f, 0.27f, 0.08f},
    {3, true, "Grazie di cuore", 0.4f, 0.08f, 0.06f},
    {3, false, "cuori.tga", 0.4f, -0.1f, 0.2f},
};

// Imports the photos of the table from the folder in the order of their
// names, as the editor's import orders what the user chose; their working
// names by file name.
std::map<std::string, std::string> ImportPhotos(CSposalboDoc& album, const std::string& photoFolder) {
  std::vector<std::string> names;
  for (const PhotoPlace& place : kPhotoPlaces) names.emplace_back(place.photo);
  std::sort(names.begin(), names.end());
  std::map<std::string, std::string> working;
  for (const std::string& name : names) {
    const spab_imagelist::CMImg* photo =
        album.GetRoot()->GetImageList()->AddFromFile((photoFolder + "\\" + name).c_str(), album.GetFolder().c_str());
    if (!photo) throw std::runtime_error("sample photo not imported: " + name);
    working[name] = photo->thumb;
  }
  return working;
}

// The empty placeholder of that number below the node, or null; any number
// (0) finds the first empty one.
CImgTreeNode* Placeholder(CTreeNode& node, int number) {
  auto* picture = dynamic_cast<CImgTreeNode*>(&node);
  if (picture && node.HasTag(treeNode::tags::kImmagine) && picture->GetBookmark() > 0 &&
      (number == 0 || picture->GetBookmark() == number) && picture->GetName().empty())
    return picture;
  for (size_t i = 0; i < node.GetChildCount(); ++i)
    if (CImgTreeNode* found = Placeholder(*node.GetChild(i), number)) return found;
  return nullptr;
}

void FillPlaceholder(treeNode::CSposalboTreeNode& root, const PhotoPlace& place, const std::string& workingName) {
  for (int p = 0; p < root.GetPageCount(); ++p)
    if (CImgTreeNode* photo = Placeholder(*root.GetPage(p), place.placeholder)) {
      photo->SetName(workingName);
      photo->SetScale(place.height, place.height);
      return;
    }
  throw std::runtime_error("the template has no placeholder " + std::to_string(place.placeholder));
}

// The face, size and colour of the template's own title.
constexpr COLORREF kCaptionColour = RGB(122, 90, 52);
LOGFONTA CaptionFont() {
  LOGFONTA font{};
  font.lfHeight = -32;
  font.lfWeight = FW_NORMAL;
  font.lfItalic = TRUE;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
  std::strcpy(font.lfFaceName, "Times New Roman");
  return font;
}

std::unique_ptr<CTreeNode> MakeAddition(const Addition& addition, CTreeNode& page) {
  std::unique_ptr<CTreeNode> node;
  if (addition.text)
    node = std::make_unique<treeNode::CTestoTreeNode>(addition.what, CaptionFont(), kCaptionColour, &page);
  else
    node = std::make_unique<treeNode::CImageTreeNode>(addition.what, &page);
  node->SetPosition(addition.x, addition.y);
  node->SetScale(addition.size, addition.size);
  return node;
}
}  // namespace

std::string MakeDemoAlbum(const std::string& folder, const DemoAlbumSources& sources) {
  CSposalboDoc album(kAlbumName, folder, sources.programFolder + kTemplate, nullptr);
  treeNode::CSposalboTreeNode& root = *album.GetRoot();

  const std::map<std::string, std::string> working = ImportPhotos(album, sources.photoFolder);
  for (const PhotoPlace& place : kPhotoPlaces) FillPlaceholder(root, place, working.at(place.photo));
  for (int p = 0; p < root.GetPageCount(); ++p) {
    treeNode::CPaginaTreeNode& page = *root.GetPage(p);
    // The template's places this album has no photo for go.
    while (CImgTreeNode* unused = Placeholder(page, 0)) unused->GetParent()->DetachChild(unused);
    for (const Addition& addition : kAdditions)
      if (addition.page == p) page.AddChild(MakeAddition(addition, page), true);
  }
  if (!album.Save()) throw std::runtime_error("demonstration album not saved");
  return album.GetProjectPath();
}
