#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "app/commands/EditCommands.h"
#include "app/resource.h"
#include "document/DocumentHost.h"
#include "document/ModelFakes.h"
#include "document/SposalboDoc.h"
#include "document/TempFolder.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "framework/scripted_ui.h"
#include "render/D3DObj.h"

namespace {
// Three pages: two photos (the first with an effect mirrored both ways), a
// group and a text; a masked frame; nothing.
const char kAlbum[] =
    "<sposalbo paginacorrente=\"0\" numMinPage=\"1\" numMaxPage=\"4\" pageWidth=\"300\" pageHeight=\"200\">\n"
    "<pagina>\n"
    "<immagine name=\"1.jpg\" pos_x=\"0\" pos_y=\"0\" scale_x=\"0.4\" scale_y=\"0.2\">"
    "<effetto name=\"fx.png\" rotate=\"0\" mirror=\"-1\" /></immagine>\n"
    "<immagine name=\"2.jpg\" pos_x=\"0.3\" pos_y=\"0\" scale_x=\"0.2\" scale_y=\"0.3\" />\n"
    "<gruppo pos_x=\"0\" pos_y=\"0\" scale_x=\"1\" scale_y=\"1\"><image name=\"f.png\" scale_x=\"0.1\" "
    "scale_y=\"0.1\" /></gruppo>\n"
    "<testo testo=\"Ciao\" pos_x=\"0\" pos_y=\"0\" scale_x=\"0.1\" scale_y=\"0.1\" lfFaceName=\"Arial\" />\n"
    "</pagina>\n"
    "<pagina><cornice name=\"ovale.png\" scale_x=\"0.5\" scale_y=\"0.5\" masked=\"1\" /></pagina>\n"
    "<pagina />\n"
    "</sposalbo>\n";

// A host whose text dialog is cancelled.
class CancellingHost : public IDocumentHost {
 public:
  CancellingHost() { SetDocumentHost(this); }
  ~CancellingHost() override { SetDocumentHost(nullptr); }
  std::string GetResourceFolder(int, bool, const std::string& name, bool) override { return name; }
  int GetToolMode() override { return 0; }
  bool IsKeyDown(int) override { return false; }
  treeNode::CPaginaTreeNode* GetCurrentPage() override { return nullptr; }
  bool ChooseColour(uint32_t, uint32_t&) override { return false; }
  void EditSelectionColour() override {}
  bool EditText(std::string&, LOGFONTA&, COLORREF&) override {
    ++textDialogs;
    return false;
  }
  void InvalidatePhotoThumbnails() override {}
  int textDialogs = 0;
};

// An open album on a page view without a device, with the frame's side of the
// commands recorded.
struct EditCommandsTest {
  EditCommandsTest() {
    WriteTextFile(temp / "sposalbo.sbm", kAlbum);
    album = std::make_unique<CSposalboDoc>(temp / "sposalbo.sbm", &view);
  }
  treeNode::CSposalboTreeNode* Root() { return album->GetRoot(); }
  treeNode::CPaginaTreeNode* Page() { return album->GetCurrentPage(); }
  treeNode::CTreeNode* Child(size_t i) { return Page()->GetChild(i); }
  treeNode::CImgTreeNode* Photo(size_t i) { return dynamic_cast<treeNode::CImgTreeNode*>(Child(i)); }
  void Select(std::initializer_list<size_t> children) {
    for (size_t i : children) Child(i)->SetSelected(true);
  }
  CommandUi Ui(UINT id) {
    const EditCommand* command = FindEditCommand(id);
    EXPECT_NE(command, nullptr) << id;
    return command ? command->rule(ReadEditState(album.get(), &view, toolMode, rulers)) : CommandUi{};
  }
  void Run(UINT id) {
    EditContext context;
    context.album = album.get();
    context.view = &view;
    context.keepAspect = keepAspect;
    context.setToolMode = [this](int mode) { toolMode = mode; };
    context.toggleRulers = [this]() { rulers = !rulers; };
    context.crop = [this](treeNode::CTreeNode* photo) { cropped = photo; };
    FindEditCommand(id)->run(context);
  }

  CScriptedUi ui;
  TempFolder temp;
  CD3DObj view;
  std::unique_ptr<CSposalboDoc> album;
  int toolMode = 0;
  bool rulers = false;
  bool keepAspect = true;
  treeNode::CTreeNode* cropped = nullptr;
};

struct Case {
  const char* name;
  std::function<void(EditCommandsTest&)> before;
  UINT id;
  CommandUi expected;
  std::function<void(EditCommandsTest&)> after;  // run after the command, checks the state
};

const Case kCases[] = {
    {"first page: previous disabled", nullptr, ID_PAGE_PREVIOUS, {false, false}, nullptr},
    {"first of three: next goes on", nullptr, ID_PAGE_NEXT, {true, false},
     [](EditCommandsTest& t) { EXPECT_EQ(t.Root()->GetCurrentPageIndex(), 1); }},
    {"second of three: first", [](EditCommandsTest& t) { t.Root()->GoToPage(1); }, ID_PAGE_FIRST, {true, false},
     [](EditCommandsTest& t) { EXPECT_EQ(t.Root()->GetCurrentPageIndex(), 0); }},
    {"second of three: last", [](EditCommandsTest& t) { t.Root()->GoToPage(1); }, ID_PAGE_LAST, {true, false},
     [](EditCommandsTest& t) { EXPECT_EQ(t.Root()->GetCurrentPageIndex(), 2); }},
    {"last page: next disabled", [](EditCommandsTest& t) { t.Root()->LastPage(); }, ID_PAGE_NEXT, {false, false},
     nullptr},
    {"new page after the current", nullptr, ID_PAGE_NEW, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.Root()->GetPageCount(), 4);
       EXPECT_EQ(t.Root()->GetCurrentPageIndex(), 1);
     }},
    {"at the page limit no new page", [](EditCommandsTest& t) { t.Root()->AddPage(-1); }, ID_PAGE_NEW,
     {false, false}, nullptr},
    {"paste page needs a copied page", nullptr, ID_PAGE_PASTE, {false, false}, nullptr},
    {"delete page keeps it for pasting", nullptr, ID_PAGE_DELETE, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.Root()->GetPageCount(), 2);
       EXPECT_NE(t.Root()->GetPageClipboard(), nullptr);
     }},
    {"cover ticks", nullptr, ID_PAGE_COVER, {true, false},
     [](EditCommandsTest& t) { EXPECT_TRUE(t.Ui(ID_PAGE_COVER).checked); }},
    {"select none needs a selection", nullptr, ID_SELECT_NONE, {false, false}, nullptr},
    {"select none lets go of an object inside a group",
     [](EditCommandsTest& t) {
       t.Select({1});
       t.Child(2)->GetChild(0)->SetSelected(true);
     },
     ID_SELECT_NONE, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_FALSE(t.Child(1)->IsSelected());
       EXPECT_FALSE(t.Child(2)->GetChild(0)->IsSelected());
       EXPECT_EQ(t.Page()->GetSelectedCount(false), 0);
     }},
    {"select none with only an object inside a group",
     [](EditCommandsTest& t) { t.Child(2)->GetChild(0)->SetSelected(true); }, ID_SELECT_NONE, {true, false},
     [](EditCommandsTest& t) { EXPECT_FALSE(t.Ui(ID_SELECT_NONE).enabled); }},
    {"select all", nullptr, ID_SELECT_ALL, {true, false},
     [](EditCommandsTest& t) { EXPECT_EQ(t.Page()->GetSelectedCount(true), 4); }},
    {"undo needs a change", nullptr, ID_EDIT_UNDO, {false, false}, nullptr},
    {"copy then paste", [](EditCommandsTest& t) { t.Select({1}); }, ID_EDIT_COPY, {true, false},
     [](EditCommandsTest& t) { EXPECT_TRUE(t.Ui(ID_EDIT_PASTE).enabled); }},
    {"delete the selection", [](EditCommandsTest& t) { t.Select({1}); }, ID_SELECTION_DELETE, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.Page()->GetChildCount(), 3u);
       EXPECT_TRUE(t.Ui(ID_EDIT_UNDO).enabled);
     }},
    {"group needs two", [](EditCommandsTest& t) { t.Select({1}); }, ID_GROUP, {false, false}, nullptr},
    {"no group past the ceiling of objects",
     [](EditCommandsTest& t) {
       t.Select({0, 1});
       model_test::LeaveRoomFor(*t.Root(), 0);
     },
     ID_GROUP, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.Page()->GetChildCount(), 4u);
       EXPECT_FALSE(t.Root()->CanUndo());
       ASSERT_EQ(t.ui.Questions().size(), 1u);
       EXPECT_STREQ(t.ui.Questions()[0].caption, "Troppi oggetti");
     }},
    {"ungroup one group", [](EditCommandsTest& t) { t.Select({2}); }, ID_UNGROUP, {true, false},
     [](EditCommandsTest& t) { EXPECT_EQ(t.Page()->GetChildCount(), 4u); }},
    {"ungroup not with two selected", [](EditCommandsTest& t) { t.Select({1, 2}); }, ID_UNGROUP, {false, false},
     nullptr},
    {"ungroup not a photo", [](EditCommandsTest& t) { t.Select({1}); }, ID_UNGROUP, {false, false}, nullptr},
    {"rotate 90", [](EditCommandsTest& t) { t.Select({1}); }, ID_ROTATE_90, {true, false},
     [](EditCommandsTest& t) { EXPECT_NEAR(t.Child(1)->GetRotation(), 1.5707963f, 1e-5f); }},
    {"lock without a page does nothing", [](EditCommandsTest& t) { t.album->GetRoot()->CutPage(false); },
     ID_LOCK, {true, false}, nullptr},
    {"unlock always enabled", nullptr, ID_UNLOCK, {true, false}, nullptr},
    {"align needs two", [](EditCommandsTest& t) { t.Select({0}); }, ID_ALIGN_LEFT, {false, false}, nullptr},
    {"crop alignment: two with a photo first", [](EditCommandsTest& t) { t.Select({0, 1}); }, ID_ALIGN_CROP,
     {true, false}, nullptr},
    {"same size keeping the aspect", [](EditCommandsTest& t) { t.Select({0, 1}); }, ID_SIZE_SAME_BOTH,
     {true, false},
     [](EditCommandsTest& t) {
       EXPECT_FLOAT_EQ(t.Child(0)->GetScaleX(), 0.2f);
       EXPECT_FLOAT_EQ(t.Child(0)->GetScaleY(), 0.1f);
     }},
    {"same size with Shift ignores the aspect",
     [](EditCommandsTest& t) {
       t.Select({0, 1});
       t.keepAspect = false;
     },
     ID_SIZE_SAME_BOTH, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_FLOAT_EQ(t.Child(0)->GetScaleX(), 0.2f);
       EXPECT_FLOAT_EQ(t.Child(0)->GetScaleY(), 0.3f);
     }},
    {"effect rotation 90 ticks", [](EditCommandsTest& t) { t.Select({0}); }, ID_EFFECT_ROTATE_90, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.Photo(0)->GetEffectRotation(), 90);
       EXPECT_EQ(t.Ui(ID_EFFECT_ROTATE_90), (CommandUi{true, true}));
       t.Run(ID_EFFECT_ROTATE_90);  // twice: back to none
       EXPECT_EQ(t.Photo(0)->GetEffectRotation(), 0);
       EXPECT_EQ(t.Ui(ID_EFFECT_ROTATE_90), (CommandUi{true, false}));
     }},
    {"horizontal mirror of both ways leaves vertical", [](EditCommandsTest& t) { t.Select({0}); },
     ID_EFFECT_MIRROR_H, {true, true},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.Photo(0)->GetEffectMirror(), 1);
       EXPECT_EQ(t.Ui(ID_EFFECT_MIRROR_H), (CommandUi{true, false}));
       EXPECT_EQ(t.Ui(ID_EFFECT_MIRROR_V), (CommandUi{true, true}));
     }},
    {"effect items need an effect", [](EditCommandsTest& t) { t.Select({1}); }, ID_EFFECT_ROTATE_180,
     {false, false}, nullptr},
    {"remove effect is undoable", [](EditCommandsTest& t) { t.Select({0}); }, ID_EFFECT_REMOVE, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.Photo(0)->GetEffect(), nullptr);
       t.Run(ID_EDIT_UNDO);
       EXPECT_NE(t.Photo(0), nullptr);
       EXPECT_NE(t.Photo(0)->GetEffect(), nullptr);
     }},
    {"edit text needs a text", [](EditCommandsTest& t) { t.Select({3}); }, ID_TEXT_EDIT, {true, false}, nullptr},
    {"crop one photo", [](EditCommandsTest& t) { t.Select({1}); }, ID_CROP, {true, false},
     [](EditCommandsTest& t) { EXPECT_EQ(t.cropped, t.Child(1)); }},
    {"no crop of a group", [](EditCommandsTest& t) { t.Select({2}); }, ID_CROP, {false, false}, nullptr},
    {"background items need a background", nullptr, ID_BACKGROUND_REMOVE, {false, false}, nullptr},
    {"pan centre only when panned", nullptr, ID_PAN_CENTRE, {false, false}, nullptr},
    {"pan left", nullptr, ID_PAN_LEFT, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_FLOAT_EQ(t.view.GetPanX(), 0.1f);
       EXPECT_TRUE(t.Ui(ID_PAN_CENTRE).enabled);
     }},
    {"normal zoom stays enabled", nullptr, ID_ZOOM_NORMAL, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_FLOAT_EQ(t.view.GetZoomX(), 0.9f);
       EXPECT_TRUE(t.Ui(ID_ZOOM_NORMAL).enabled);
     }},
    {"zoom in", nullptr, ID_ZOOM_IN, {true, false},
     [](EditCommandsTest& t) { EXPECT_FLOAT_EQ(t.view.GetZoomY(), 0.9f * 1.1f); }},
    {"pan mode", nullptr, ID_TOOL_PAN, {true, false},
     [](EditCommandsTest& t) {
       EXPECT_EQ(t.toolMode, 1);
       EXPECT_FALSE(t.Ui(ID_TOOL_PAN).enabled);
       EXPECT_TRUE(t.Ui(ID_TOOL_SELECT).enabled);
     }},
    {"select mode active", nullptr, ID_TOOL_SELECT, {false, false}, nullptr},
    {"ruler ticks when shown", nullptr, ID_VIEW_RULER, {true, false},
     [](EditCommandsTest& t) { EXPECT_EQ(t.Ui(ID_VIEW_RULER), (CommandUi{true, true})); }},
};
}  // namespace

TEST(EditCommands, EachCommandsRuleAndEffect) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EditCommandsTest t;  // a fresh album each time
    if (c.before) c.before(t);
    EXPECT_EQ(t.Ui(c.id), c.expected);
    t.Run(c.id);
    if (c.after) c.after(t);
  }
}

TEST(EditCommands, WithoutAnAlbumOnlyTheAlwaysItemsAreEnabled) {
  const UINT always[] = {ID_LOCK, ID_UNLOCK, ID_VIEW_RULER, ID_TOOL_PAN, ID_TOOL_ZOOM};
  for (UINT id = 32800; id < 33100; ++id) {
    const EditCommand* command = FindEditCommand(id);
    if (!command) continue;
    const bool expected = std::find(std::begin(always), std::end(always), id) != std::end(always);
    EXPECT_EQ(command->rule(ReadEditState(nullptr, nullptr, 0, false)).enabled, expected) << id;
    EditContext none;
    command->run(none);  // does nothing, and does not fail
  }
  for (UINT id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
    EXPECT_FALSE(FindEditCommand(id)->rule(ReadEditState(nullptr, nullptr, 0, false)).enabled);
}

TEST(EditCommands, ACommandThatShowsAnotherPageDrawsItAtOnce) {
  struct CountingView : CD3DObj {
    int Render() override { return ++frames; }
    int frames = 0;
  } surface;
  EditCommandsTest t;
  CEditCommandTarget target(
      [&] {
        EditContext context;
        context.album = t.album.get();
        context.view = &surface;
        return context;
      },
                            [&] { return ReadEditState(t.album.get(), &surface, 0, false); });
  const struct {
    UINT id;
    int frames;
  } cases[] = {{ID_PAGE_NEXT, 1}, {ID_SELECT_ALL, 1}, {ID_PAGE_LAST, 2}, {ID_PAGE_LAST, 2}, {ID_PAGE_FIRST, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    target.OnCmdMsg(c.id, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(surface.frames, c.frames);
  }
}

TEST(EditCommands, AddingATextAndCancellingAddsNothing) {
  CancellingHost host;
  EditCommandsTest t;
  const size_t before = t.Page()->GetChildCount();
  EXPECT_TRUE(t.Ui(ID_TEXT_ADD).enabled);
  t.Run(ID_TEXT_ADD);
  EXPECT_EQ(host.textDialogs, 1);
  EXPECT_EQ(t.Page()->GetChildCount(), before);
  EXPECT_FALSE(t.Root()->CanUndo());
}

TEST(EffectMirror, TogglesEachDirection) {
  const int table[][3] = {{-1, 1, 0}, {0, 2, -1}, {1, -1, 2}, {2, 0, 1}, {7, 7, 7}};
  for (const auto& row : table) {
    EXPECT_EQ(ToggledEffectMirror(row[0], true), row[1]) << row[0];
    EXPECT_EQ(ToggledEffectMirror(row[0], false), row[2]) << row[0];
  }
}
