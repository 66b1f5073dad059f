#pragma once
// The menu of the objects under the cursor, so the user can pick one of
// several overlapping objects. While the user moves over its items the object
// of the highlighted item shows selected; closing restores its state.
#include "document/nodes/TreeNode.h"
#include "ui/menus/menu/SkinMenu.h"

class CSelectionMenu : public CSkinMenu {
 public:
  static constexpr UINT kFirstItem = 32771;
  // The id that comes with the notification of a closing menu.
  static constexpr UINT kClosingId = 32878;

  // An empty popup and the image list of the object kinds (bitmap 138).
  CSelectionMenu();
  ~CSelectionMenu() override;

  // One item per object, ids from kFirstItem in list order (earlier items go).
  void Build(const treeNode::NodeList& objects, const char* (*label)(treeNode::CTreeNode*));
  // WM_MENUSELECT while the menu is open.
  void OnMenuSelect(UINT itemId, UINT flags, HMENU menu);
  // Gives the hovered object its state back (also when the menu closes).
  void RestoreHover();
  // The object of a chosen command, or null.
  treeNode::CTreeNode* ObjectOf(UINT command) const;

 private:
  void RemoveAllItems();

  const treeNode::NodeList* m_objects = nullptr;
  CImageList m_images;
  treeNode::CTreeNode* m_highlighted = nullptr;
  bool m_savedState = false;
};

// The label of an object in the selection menu ("Immagine", "Cornice", ...).
const char* SelectionMenuLabel(treeNode::CTreeNode* node);
