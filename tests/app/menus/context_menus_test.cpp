#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/menus/ContextMenu.h"
#include "app/menus/SelectionMenu.h"
#include "app/resource.h"
#include "document/nodes/TreeNode.h"
#include "ui/frames/SkinFrameWnd.h"
#include "ui/menus/core/SkinMenuHook.h"
#include "ui/menus/menu/SkinMenuIcons.h"

namespace {
// The menu library as the editor starts it, and three overlapping objects of a
// page (the middle one selected) with a selection menu over them.
class ContextMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CSkinMenu::SelectTheme(8);
    for (const char* tag : {"immagine", "cornice", "testo"}) {
      owned.push_back(std::make_unique<treeNode::CTreeNode>(tag, nullptr));
      objects.push_back(owned.back().get());
    }
    objects[1]->SetSelected(true);
  }
  std::vector<bool> Selected() const {
    std::vector<bool> states;
    for (auto* o : objects) states.push_back(o->IsSelected());
    return states;
  }
  CSkinMenuHook library;
  std::vector<std::unique_ptr<treeNode::CTreeNode>> owned;
  treeNode::NodeList objects;
};

// The owner of the tracked menus: it routes menu selection to the selection
// menu as the page surface does, and walks the open menu with the arrow key,
// noting what is selected at each step, before it ends the menu.
class CMenuOwner : public CSkinFrameWnd {
 public:
  CSelectionMenu* selection = nullptr;
  const treeNode::NodeList* objects = nullptr;
  int downs = 0;
  std::vector<std::vector<bool>> seen;
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu) {
    if (selection) selection->OnMenuSelect(nItemID, nFlags, hMenu);
  }
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho) {
    if (nWhy != MSGF_MENU || !pWho) return;
    if (objects && downs > 0) {
      std::vector<bool> states;
      for (auto* o : *objects) states.push_back(o->IsSelected());
      seen.push_back(states);
    }
    if (downs++ < 3 && selection) {
      ::PostMessageA(pWho->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
      return;
    }
    ::EndMenu();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwner, CSkinFrameWnd)
  ON_WM_MENUSELECT()
  ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

CMenuOwner* OpenOwner() {
  auto* owner = new CMenuOwner;
  if (!owner->Create(nullptr, "Pagina", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200))) return nullptr;
  ::SetForegroundWindow(owner->m_hWnd);
  return owner;
}
}  // namespace

TEST_F(ContextMenuTest, ThePageAndPhotoMenusComeThemedWithTheMainMenusIcons) {
  CContextMenu page(IDR_PAGE_CONTEXT_MENU);
  ASSERT_NE(page.m_hMenu, nullptr);
  CSkinMenuItemData* selectAll = page.FindItemData(32955);
  ASSERT_NE(selectAll, nullptr);
  EXPECT_STREQ(selectAll->m_szMenuText, "Seleziona tutto");
  ASSERT_NE(selectAll->m_pMenuIcon, nullptr);
  EXPECT_EQ(selectAll->m_nMenuIconOffset, 3 * 8);
  CSkinMenuItemData* delete_ = page.FindItemData(57632);
  ASSERT_NE(delete_, nullptr);
  EXPECT_EQ(delete_->m_pMenuIcon, nullptr);
  CSkinMenuItemData* tenDegrees = page.FindItemData(32903);
  ASSERT_NE(tenDegrees, nullptr);
  EXPECT_STREQ(tenDegrees->m_szMenuText, "10\xb0");
  CContextMenu photo(IDR_PHOTO_MENU);
  EXPECT_NE(photo.FindItemData(33084), nullptr);
  EXPECT_EQ(page.FindItemData(32955)->m_pMenuIcon, selectAll->m_pMenuIcon) << "one shared icon list";
  CMenuOwner* owner = OpenOwner();
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(photo.Track(owner, 0, 0, 5)) << "no such sub-menu";
  EXPECT_FALSE(CContextMenu(999).Track(owner, 0, 0, 0)) << "no such menu";
  owner->DestroyWindow();
}

TEST_F(ContextMenuTest, HoveringShowsOneObjectSelectedAndClosingRestoresAll) {
  auto menu = std::make_unique<CSelectionMenu>();
  menu->Build(objects, SelectionMenuLabel);
  ASSERT_EQ(menu->GetMenuItemCount(), 3u);
  for (UINT i = 0; i < 3; ++i) menu->OnMenuSelect(CSelectionMenu::kFirstItem + i, MF_HILITE, menu->m_hMenu);
  EXPECT_EQ(Selected(), (std::vector<bool>{false, true, true}));
  menu->OnMenuSelect(CSelectionMenu::kFirstItem + 7, MF_HILITE, menu->m_hMenu);  // past the list
  EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false}));
  menu->OnMenuSelect(CSelectionMenu::kFirstItem, MF_HILITE, menu->m_hMenu);
  menu->OnMenuSelect(0, 0xFFFF, nullptr);  // the menu closes
  EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false}));
  menu->OnMenuSelect(CSelectionMenu::kFirstItem + 2, MF_HILITE, menu->m_hMenu);
  EXPECT_EQ(menu->ObjectOf(CSelectionMenu::kFirstItem + 2), objects[2]);
  EXPECT_EQ(menu->ObjectOf(CSelectionMenu::kFirstItem + 3), nullptr);
  menu.reset();
  EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false}));
}

TEST_F(ContextMenuTest, ARealSelectionMenuFollowsTheKeyboardAndCloses) {
  CSelectionMenu menu;
  menu.Build(objects, SelectionMenuLabel);
  CMenuOwner* owner = OpenOwner();
  ASSERT_NE(owner, nullptr);
  owner->selection = &menu;
  owner->objects = &objects;
  menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 30, 30, owner);
  menu.RestoreHover();
  // Each arrow moves the highlight one item down: one object at a time shows
  // selected beside the one that was selected before.
  ASSERT_EQ(owner->seen.size(), 3u);
  EXPECT_EQ(owner->seen[0], (std::vector<bool>{true, true, false}));
  EXPECT_EQ(owner->seen[1], (std::vector<bool>{false, true, false}));
  EXPECT_EQ(owner->seen[2], (std::vector<bool>{false, true, true}));
  EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false}));
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  ::GetMenuItemInfoA(menu.m_hMenu, 0, TRUE, &mii);
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << "themed when it opened";
  owner->DestroyWindow();
}
