// The wedding data from the editor's menu: the sample album opened, its data
// edited on the page's native stand-in, saved with the album and read back.
#include <gtest/gtest.h>

#include "app/dialogs/DatiStandIn.h"
#include "app/dialogs/DialogDriving.h"
#include "app/resource.h"
#include "app/shell/ChildView.h"
#include "app/shell/DemoDoc.h"
#include "app/shell/MainFrm.h"
#include "app/shell/SposalboApp.h"
#include "app/support/SampleAlbum.h"
#include "app/support/SourceTree.h"
#include "crop/MouseInput.h"
#include "document/SposalboDoc.h"
#include "document/TempFolder.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "framework/dhtml_dialog.h"
#include "framework/scripted_ui.h"

namespace {
class WeddingDataRoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The page is read when the frame is made.
    app.WriteProfileString("Program Settings", "dataURL", SourceTreePath("dist\\html\\data.html").c_str());
    m_template = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CChildView));
    ASSERT_NE(m_template->OpenDocumentFile(nullptr, FALSE), nullptr);
    frame = static_cast<CMainFrame*>(app.m_pMainWnd);
    Open();
  }
  void TearDown() override {
    frame->SetAlbum(nullptr);
    app.m_pMainWnd = nullptr;
    delete m_template;
    app.WriteProfileString("Program Settings", "dataURL", nullptr);
  }
  void Menu(UINT id) {
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    input::Flush();
  }
  void Open() {
    ui.AnswerFiles({sample.ProjectPath().c_str()});
    Menu(ID_ALBUM_OPEN);
    ASSERT_NE(frame->GetAlbum(), nullptr);
  }
  treeNode::CDatiTreeNode& Dati() { return *frame->GetAlbum()->GetRoot()->GetDati(); }

  CScriptedUi ui;
  TempFolder temp;
  SampleAlbum sample{temp.Path()};
  CSposalboApp app;
  CSingleDocTemplate* m_template = nullptr;
  CMainFrame* frame = nullptr;
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
  ASSERT_EQ(ui.Questions().back().type, static_cast<UINT>(IDD_DATI_SPOSALBO));
  Menu(ID_ALBUM_SAVE);
  ui.Clear();
  Menu(ID_ALBUM_CLOSE);
  EXPECT_TRUE(ui.Questions().empty());  // saved: no question
  Open();
  bool found = false;
  for (size_t i = 0; i < Dati().GetChildCount(); ++i) {
    auto* v = static_cast<treeNode::CVariabileTreeNode*>(Dati().GetChild(i));
    if (v->GetName() == "sposo") found = v->GetValore() == "Marco";
  }
  EXPECT_TRUE(found);
}
