// The demonstration album tools/run opens: made from the program folder and
// the sample photos, saved, and opened again in the editor with every
// picture it names found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/helpers/DemoAlbum.h"
#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "app/surface/PageStatic.h"
#include "crop/MouseInput.h"
#include "document/SposalboDoc.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/PictureFailures.h"

namespace {
std::string WindowsPath(const char* path) {
  char full[MAX_PATH] = "";
  ::GetFullPathNameA(path, sizeof full, full, nullptr);
  return full;
}

void CollectPictures(treeNode::CTreeNode* node, std::vector<treeNode::CImgTreeNode*>& pictures) {
  if (!node) return;
  if (auto* picture = dynamic_cast<treeNode::CImgTreeNode*>(node))
    if (picture->HasPictureFolder()) pictures.push_back(picture);
  for (size_t i = 0; i < node->GetChildCount(); ++i) CollectPictures(node->GetChild(i), pictures);
}

class DemoAlbumTest : public EditorFrameTest {};
}  // namespace

TEST_F(DemoAlbumTest, OpensWithEveryPictureFoundAndFillsTheBars) {
  const std::string program = WindowsPath(SPAB_PROGRAM_DIR);
  Setting("Frame Path", (program + "\\frame\\").c_str());
  Setting("Effect Path", (program + "\\effect\\").c_str());
  Setting("Image Path", (program + "\\image\\").c_str());
  const std::string project = MakeDemoAlbum(Temp().Path(), DemoAlbumSources{program, WindowsPath(SPAB_SAMPLE_PHOTOS)});

  ForgetToldPictureFailures();
  ui.AnswerFiles({project.c_str()});
  Menu(ID_ALBUM_OPEN);
  ASSERT_NE(frame->GetAlbum(), nullptr);
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  ASSERT_EQ(root.GetPageCount(), 4);
  EXPECT_TRUE(root.GetPage(0)->IsCover());
  for (int p = 0; p < root.GetPageCount(); ++p) {
    ASSERT_EQ(root.GetCurrentPageIndex(), p);
    frame->GetPageSurface()->Render();
    std::vector<treeNode::CImgTreeNode*> pictures;
    CollectPictures(root.GetPage(p)->GetBackground(), pictures);
    CollectPictures(root.GetPage(p), pictures);
    EXPECT_GE(pictures.size(), 3u) << "page " << p;
    for (treeNode::CImgTreeNode* picture : pictures) {
      EXPECT_FALSE(picture->GetName().empty()) << "an empty placeholder on page " << p;
      EXPECT_TRUE(picture->AreResourcesLoaded() && !picture->Picture().HasFailed())
          << picture->GetName() << " on page " << p;
    }
    Menu(ID_PAGE_NEXT);
  }
  EXPECT_TRUE(TakeUntoldPictureFailures().empty());
  for (const AfxUiQuestion& question : ui.Questions())
    EXPECT_STRNE(question.kind, "message") << question.text.str();

  // Every photo imported is used once, and the bars show the pages and photos.
  for (const auto& image : root.GetImageList()->GetImages()) EXPECT_EQ(image->refCount, 1) << image->nome;
  EXPECT_EQ(frame->GetLists().pages.GetItemCount(), 4);
  CFotoImgListView& photos = frame->GetLists().photos;
  input::FlushUntil([&] { return !photos.IsLoading() && photos.GetItemCount() > 0; });
  EXPECT_EQ(photos.GetItemCount(), 6);
}
