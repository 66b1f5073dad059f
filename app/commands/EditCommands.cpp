#include "app/commands/EditCommands.h"
#include "app/surface/PictureFailureNotice.h"

#include <cstdint>

#include "app/commands/EditCommandFamilies.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "render/D3DObj.h"

EditState ReadEditState(CSposalboDoc* album, const CD3DObj* view, int toolMode, bool rulersShown) {
  EditState s;
  s.toolMode = toolMode;
  s.rulersShown = rulersShown;
  if (view) {
    s.panX = view->GetPanX();
    s.panY = view->GetPanY();
    s.zoomX = view->GetZoomX();
    s.zoomY = view->GetZoomY();
  }
  treeNode::CSposalboTreeNode* root = album ? album->GetRoot() : nullptr;
  if (!root) return s;
  s.album = true;
  s.index = root->GetCurrentPageIndex();
  s.count = root->GetPageCount();
  s.atMaxPages = root->IsAtMaxPages();
  s.atMinPages = root->IsAtMinPages();
  s.pageClipboardFull = root->GetPageClipboard() != nullptr;
  s.objectClipboardFull = !root->GetObjectClipboard().empty();
  s.canUndo = root->CanUndo();
  s.canRedo = root->CanRedo();
  s.currentIsCover = root->IsCurrentPageCover();
  treeNode::CPaginaTreeNode* page = album->GetCurrentPage();
  if (!page) return s;
  s.page = true;
  s.sel = page->GetSelectedCount(false);
  s.selChildren = page->GetSelectedCount(true);
  s.groupOrFrameSelected = page->IsGroupOrFrameSelected();
  s.textSelected = page->IsTextSelected();
  if (treeNode::CSfondoTreeNode* background = page->GetBackground()) {
    s.hasBackground = true;
    s.backgroundHasImage = background->HasImage();
  }
  if (treeNode::CTreeNode* first = page->GetFirstSelected()) {
    s.firstIsPhoto = first->GetTag() == "immagine";
    auto* picture = dynamic_cast<treeNode::CImgTreeNode*>(first);
    s.firstIsEffectTarget = picture && (s.firstIsPhoto || first->GetTag() == "cornice");
    if (s.firstIsEffectTarget) {
      s.firstHasEffect = picture->GetEffect() != nullptr;
      s.effectRotation = picture->GetEffectRotation();
      s.effectMirror = picture->GetEffectMirror();
    }
  }
  return s;
}

namespace {
int CurrentPageIndex(CSposalboDoc* album) {
  return album && album->GetRoot() ? album->GetRoot()->GetCurrentPageIndex() : -1;
}

// The current page object, as a number: the command may free the page.
std::uintptr_t CurrentPageObject(CSposalboDoc* album) {
  return reinterpret_cast<std::uintptr_t>(album ? album->GetCurrentPage() : nullptr);
}
}  // namespace

const EditCommand* FindEditCommand(UINT id) {
  for (const std::vector<EditCommand>* family :
       {&kPageCommands, &kSelectionCommands, &kViewCommands, &kArrangeCommands, &kAlignCommands, &kObjectCommands})
    for (const EditCommand& command : *family)
      if (command.id == id) return &command;
  return nullptr;
}

CEditCommandTarget::CEditCommandTarget(std::function<EditContext()> context, std::function<EditState()> state)
    : m_context(std::move(context)), m_state(std::move(state)) {}

BOOL CEditCommandTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  const EditCommand* command = FindEditCommand(nID);
  if (!command) return FALSE;
  if (static_cast<UINT>(nCode) == CN_UPDATE_COMMAND_UI) {
    if (pHandlerInfo) return TRUE;
    auto* ui = static_cast<CCmdUI*>(pExtra);
    const CommandUi state = command->rule(m_state());
    ui->Enable(state.enabled);
    ui->SetCheck(state.checked ? 1 : 0);
    return TRUE;
  }
  if (nCode != CN_COMMAND) return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    return TRUE;
  }
  RunRefusingOutOfMemory(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr,
                         "Memoria insufficiente: il comando non \xE8 stato eseguito.", [&] {
                           EditContext context = m_context();
                           const int pageBefore = CurrentPageIndex(context.album);
                           const std::uintptr_t shownBefore = CurrentPageObject(context.album);
                           command->run(context);
                           // Another page, or the page an undo or redo put in its place, is
                           // shown at once, not at the surface's next tick.
                           if (context.view && (CurrentPageIndex(context.album) != pageBefore ||
                                                CurrentPageObject(context.album) != shownBefore))
                             context.view->Render();
                         });
  return TRUE;
}
