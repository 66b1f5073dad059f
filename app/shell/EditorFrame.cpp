#include "app/shell/EditorFrame.h"

#include "document/SposalboDoc.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
IEditorFrame* g_frame = nullptr;
}

void SetEditorFrame(IEditorFrame* frame) {
  g_frame = frame;
  SetDocumentHost(frame);
}

IEditorFrame* GetEditorFrame() { return g_frame; }

void IEditorFrame::UpdateCurrentPageThumbnail() {
  CSposalboDoc* album = GetAlbum();
  treeNode::CPaginaTreeNode* page = GetCurrentPage();
  if (!album || !page || !page->NeedsRefresh()) return;
  UpdatePageThumbnail(album->GetRoot()->GetCurrentPageIndex());
}
