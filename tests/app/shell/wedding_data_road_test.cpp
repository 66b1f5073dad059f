// The wedding data from the editor's menu: the sample album opened, its data
// edited on the page's native stand-in, saved with the album and read back.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/dialogs/DatiStandIn.h"
#include "app/dialogs/DialogDriving.h"
#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "app/support/SourceTree.h"
#include "document/SposalboDoc.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "framework/dhtml_dialog.h"

namespace {
class WeddingDataRoadTest : public EditorFrameTest {
 protected:
  void SetUp() override {
    // The page is read when the frame is made.
    Setting("dataURL", SourceTreePath("dist\\html\\data.html").c_str());
    EditorFrameTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(OpenSample());
  }
  treeNode::CDatiTreeNode& Dati() { return *frame->GetAlbum()->GetRoot()->GetDati(); }
};
}  // namespace

TEST_F(WeddingDataRoadTest, DataEditedFromTheMenuAreSavedWithTheAlbum) {
  if (AfxHtmlEngineAvailable()) GTEST_SKIP() << "the system shows the page itself";
  // Cancelled: nothing changes.
  ui.AnswerModalWith([](CWnd* dialog) {
    dialog_test::Type(dialog, CDatiStandIn::kFirstEditId + 1, "Marco");
    dialog_test::Click(dialog, IDCANCEL);
  });
  Menu(ID_ALBUM_DATA);
  EXPECT_EQ(Dati().GetChildCount(), 0u);
  EXPECT_FALSE(frame->GetAlbum()->GetRoot()->IsModified());

  ui.AnswerModalWith([](CWnd* dialog) {
    dialog_test::Type(dialog, CDatiStandIn::kFirstEditId + 1, "  Marco ");  // the groom
    dialog_test::Click(dialog, IDOK);
  });
  Menu(ID_ALBUM_DATA);
  EXPECT_TRUE(frame->GetAlbum()->GetRoot()->IsModified());
  // The page bar draws page 2 meanwhile and tells of its library pictures,
  // which the frame's program folder does not hold.
  const auto modal = std::find_if(ui.Questions().rbegin(), ui.Questions().rend(),
                                  [](const AfxUiQuestion& q) { return q.kind == "modal"; });
  ASSERT_NE(modal, ui.Questions().rend());
  EXPECT_EQ(modal->type, static_cast<UINT>(IDD_DATI_SPOSALBO));
  Menu(ID_ALBUM_SAVE);
  ui.Clear();
  Menu(ID_ALBUM_CLOSE);
  EXPECT_TRUE(Asked().empty()) << Asked().front().text;  // saved: no question
  OpenSample();
  bool found = false;
  for (size_t i = 0; i < Dati().GetChildCount(); ++i) {
    auto* v = static_cast<treeNode::CVariabileTreeNode*>(Dati().GetChild(i));
    if (v->GetName() == "sposo") found = v->GetValore() == "Marco";
  }
  EXPECT_TRUE(found);
}
