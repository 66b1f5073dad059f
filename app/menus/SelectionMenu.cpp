#include "app/menus/SelectionMenu.h"

#include "app/resource.h"

CSelectionMenu::CSelectionMenu() {
  CreatePopupMenu();
  m_images.Create(IDB_SELECTION_ICONS, 16, 0, RGB(0xC0, 0xC0, 0xC0));
}

CSelectionMenu::~CSelectionMenu() {
  RestoreHover();
  RemoveAllItems();
}

void CSelectionMenu::RemoveAllItems() {
  if (!m_hMenu) return;
  for (int i = static_cast<int>(GetMenuItemCount()) - 1; i >= 0; --i) RemoveMenu(static_cast<UINT>(i), MF_BYPOSITION);
}

void CSelectionMenu::Build(const treeNode::NodeList& objects, const char* (*label)(treeNode::CTreeNode*)) {
  RestoreHover();
  if (m_hMenu) {
    RemoveAllItems();
  } else {
    CreatePopupMenu();
  }
  m_objects = &objects;
  for (size_t i = 0; i < objects.size(); ++i)
    AppendMenu(MF_STRING, kFirstItem + static_cast<UINT>(i), label(objects[i]));
}

void CSelectionMenu::OnMenuSelect(UINT itemId, UINT flags, HMENU menu) {
  RestoreHover();
  // The closing notification carries no menu.
  if (itemId == kClosingId || !menu || (flags == 0xFFFF) || !m_objects) return;
  if (itemId < kFirstItem) return;
  const size_t index = itemId - kFirstItem;
  if (index >= m_objects->size()) return;
  m_highlighted = (*m_objects)[index];
  m_savedState = m_highlighted->IsSelected();
  m_highlighted->SetSelected(true);
}

void CSelectionMenu::RestoreHover() {
  if (!m_highlighted) return;
  m_highlighted->SetSelected(m_savedState);
  m_highlighted = nullptr;
}

treeNode::CTreeNode* CSelectionMenu::ObjectOf(UINT command) const {
  if (!m_objects || command < kFirstItem) return nullptr;
  const size_t index = command - kFirstItem;
  return index < m_objects->size() ? (*m_objects)[index] : nullptr;
}

const char* SelectionMenuLabel(treeNode::CTreeNode* node) {
  if (node->HasTag("immagine")) return "Fotografia";
  if (node->HasTag("image")) return "Immagine";
  if (node->HasTag("cornice")) return "Cornice";
  if (node->HasTag("gruppo")) return "Gruppo";
  if (node->HasTag("testo")) return "Testo";
  return node->GetTag().c_str();
}
