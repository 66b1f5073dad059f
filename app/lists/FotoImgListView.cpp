#include "app/lists/FotoImgListView.h"

#include "app/lists/LibraryListViews.h"
#include "app/shell/EditorFrame.h"
#include "app/menus/ContextMenu.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/SposalboTreeNode.h"

BEGIN_MESSAGE_MAP(CFotoImgListView, CImgListView)
  ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnCustomDraw)
  ON_WM_RBUTTONDOWN()
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(kDeleteCommand, OnDeletePhoto)
  ON_UPDATE_COMMAND_UI(kDeleteCommand, OnUpdateDeletePhoto)
END_MESSAGE_MAP()

namespace {
constexpr UINT kUsedMarkBitmap = 169;
constexpr UINT kPhotoMenu = 199;

treeNode::CSposalboTreeNode* AlbumRoot() {
  IEditorFrame* frame = GetEditorFrame();
  CSposalboDoc* album = frame ? frame->GetAlbum() : nullptr;
  return album ? album->GetRoot() : nullptr;
}

spab_imagelist::CMImageList* AlbumImages() {
  treeNode::CSposalboTreeNode* root = AlbumRoot();
  return root ? root->GetImageList() : nullptr;
}
}  // namespace

// A cut-out's mask lies beside its working copy in the album's "img" folder:
// it is the photo's shape, not a photo of its own.
bool CFotoImgListView::AcceptFile(const CString& name) const { return !IsMaskCompanion(name); }

BOOL CFotoImgListView::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CImgListView::Create(style & ~(LVS_SORTASCENDING | LVS_SORTDESCENDING), rect, parent, id);
}

void CFotoImgListView::UpdateItemState(int index) {
  if (!m_marks.GetSafeHandle()) {
    if (!m_marks.Create(kUsedMarkBitmap, 7, 0, CLR_NONE)) return;
    SetImageList(&m_marks, LVSIL_STATE);
  }
  const std::vector<CString>& names = GetNames();
  if (index < 0 || static_cast<size_t>(index) >= names.size()) return;
  spab_imagelist::CMImageList* images = AlbumImages();
  const spab_imagelist::CMImg* image = images ? images->Find(names[static_cast<size_t>(index)]) : nullptr;
  const UINT state = image && image->refCount > 0 ? INDEXTOSTATEIMAGEMASK(1) : 0;
  // Asked before every item is painted: a mark set again would paint again.
  if (GetItemState(index, LVIS_STATEIMAGEMASK) != state) SetItemState(index, state, LVIS_STATEIMAGEMASK);
}

void CFotoImgListView::UpdateUsedMarks() {
  for (int i = 0; i < GetItemCount(); ++i) UpdateItemState(i);
}

BOOL CFotoImgListView::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
  *pResult = CDRF_DODEFAULT;
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *pResult = CDRF_NOTIFYITEMDRAW;
  } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
    UpdateItemState(static_cast<int>(draw->nmcd.dwItemSpec));
  }
  return TRUE;
}

bool CFotoImgListView::CanDeleteSelected() const {
  spab_imagelist::CMImageList* images = AlbumImages();
  const CString name = GetFirstSelectedName();
  const spab_imagelist::CMImg* image = images && !name.IsEmpty() ? images->Find(name) : nullptr;
  // A photo that undo or paste would bring back keeps its files too.
  return image && image->refCount == 0 && !AlbumRoot()->IsPhotoInUse(name.str());
}

void CFotoImgListView::OnRButtonDown(UINT, CPoint point) {
  IEditorFrame* frame = GetEditorFrame();
  if (!frame || !frame->GetAlbum()) return;
  const int item = HitTest(point);
  if (item >= 0) SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  CContextMenu menu(kPhotoMenu);
  if (!menu.m_hMenu) return;
  if (CMenu* popup = menu.GetSubMenu(0))
    popup->EnableMenuItem(kDeleteCommand, MF_BYCOMMAND | (CanDeleteSelected() ? MF_ENABLED : MF_GRAYED));
  POINT screen = point;
  ClientToScreen(&screen);
  menu.Track(this, screen.x, screen.y, 0);
}

void CFotoImgListView::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  CImgListView::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  CSkinMenu::OnInitMenuPopup(m_hWnd, pPopupMenu, nIndex, bSysMenu);
}

void CFotoImgListView::OnDeletePhoto() {
  if (!CanDeleteSelected()) return;
  IEditorFrame* frame = GetEditorFrame();
  const int item = GetNextItem(-1, LVNI_SELECTED);
  const CString name = GetFirstSelectedName();
  AlbumImages()->Remove(name, frame->GetAlbum()->GetFolder().c_str());
  if (AlbumImages()->Find(name)) return;
  RemoveItem(item);
}

void CFotoImgListView::OnUpdateDeletePhoto(CCmdUI* pCmdUI) { pCmdUI->Enable(CanDeleteSelected()); }
