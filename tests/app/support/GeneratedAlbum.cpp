#include "app/support/GeneratedAlbum.h"

#include <memory>
#include <string>
#include <vector>

#include "app/support/SampleAlbum.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
std::string FolderOf(const std::string& project) { return project.substr(0, project.find_last_of('\\')); }
}  // namespace

bool ImportPictures(const std::string& project, const std::string& scratch, int count) {
  const std::string album = FolderOf(project);
  auto list = spab_imagelist::CMImageList::Load(album.c_str(), false);
  if (!list) return false;
  for (int i = 0; i < count; ++i) {
    const std::string picture = scratch + "\\colore" + std::to_string(i) + ".bmp";
    SampleAlbum::WritePicture(picture, 40, 30, (0x102030u * static_cast<unsigned>(i + 1)) & 0xFFFFFFu);
    if (!list->AddFromFile(picture.c_str(), album.c_str())) return false;
  }
  return list->Save(album.c_str(), false);
}

bool RewriteAlbumPages(const std::string& project, int spreads, int photos, int crowd) {
  auto root = treeNode::CSposalboTreeNode::Load(project, nullptr);
  if (!root) return false;
  auto list = spab_imagelist::CMImageList::Load(FolderOf(project).c_str(), false);
  if (!list) return false;
  std::vector<std::string> names;
  for (const CString& name : list->GetFileNames(true)) names.push_back(name.str());
  if (names.empty()) return false;
  root->SetImageList(std::move(list));
  root->SetPageLimits(0, 999);
  while (root->GetPageCount() > 0) {
    root->GoToPage(0);
    root->CutPage(false);
  }
  size_t next = 0;
  for (int s = 0; s < spreads; ++s) {
    root->AddPage(-1);
    treeNode::CPaginaTreeNode* page = root->GetCurrentPage();
    const int objects = s == 0 && crowd > 0 ? crowd : photos;
    const int columns = objects > 20 ? 20 : 5;
    const int rows = (objects + columns - 1) / columns;
    for (int i = 0; i < objects; ++i) {
      auto photo = std::make_unique<treeNode::CImgTreeNode>(names[next++ % names.size()], page);
      const float cellW = 1.8f / columns, cellH = 0.9f / rows;
      photo->SetPosition(-0.9f + cellW * (i % columns + 0.5f), 0.45f - cellH * (i / columns + 0.5f));
      photo->SetScale(cellH * 0.9f, cellH * 0.9f);
      page->AddChild(std::move(photo), true);
    }
  }
  root->GoToPage(0);
  root->RecountImageRefs();
  return root->SaveToFile(project);
}

bool AddTextsToCurrentPage(const std::string& project, int count) {
  auto root = treeNode::CSposalboTreeNode::Load(project, nullptr);
  treeNode::CPaginaTreeNode* page = root ? root->GetCurrentPage() : nullptr;
  if (!page) return false;
  LOGFONTA font{};
  font.lfHeight = -24;
  font.lfWeight = FW_NORMAL;
  lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
  const int columns = 100;
  const int rows = (count + columns - 1) / columns;
  for (int i = 0; i < count; ++i) {
    auto text = std::make_unique<treeNode::CTestoTreeNode>("Testo " + std::to_string(i + 1), font,
                                                           RGB(i % 256, 0, 0), page);
    text->SetPosition(-0.95f + 1.9f * (i % columns + 0.5f) / columns, 0.45f - 0.9f * (i / columns + 0.5f) / rows);
    text->SetScale(0.9f / rows, 0.9f / rows);
    page->AddChild(std::move(text), true);
  }
  return root->SaveToFile(project);
}
