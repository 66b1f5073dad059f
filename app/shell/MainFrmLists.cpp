// The main frame's side of the thumbnail lists: library folders, the album's
// photos and pages, and the page surface's notifications.
#include "app/shell/MainFrm.h"
#include "document/SposalboDoc.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
bool HasWindow(const CWnd& list) { return list.m_hWnd != nullptr; }
}  // namespace

void CMainFrame::CollectResourceFolders(const char* styleKey, bool custom) {
  const char* fallback = m_album ? m_album->GetFolder().c_str() : nullptr;
  struct Library {
    CImgListView& list;
    CString folder;
  } libraries[] = {
      {m_lists.frames, custom ? GetCustomFramePath(true, fallback) : GetFramePath(true)},
      {m_lists.effects, custom ? GetCustomEffectPath(true, fallback) : GetEffectPath(true)},
      {m_lists.images, custom ? GetCustomImagePath(true, fallback) : GetImagePath(true)},
  };
  for (Library& library : libraries) {
    library.list.SetFolder(library.folder);
    library.list.SetStyle(styleKey, custom);
    if (HasWindow(library.list)) library.list.LoadFolderAsync();
  }
}

void CMainFrame::SetCustomFolder(const std::string& folder) {
  m_customFolder = folder;
  if (m_lists.frames.IsCustom()) CollectResourceFolders(nullptr, true);
}

void CMainFrame::LoadPhotoList(const std::string& folder, const std::vector<CString>& names) {
  m_lists.photos.SetFolder(folder.c_str());
  if (!HasWindow(m_lists.photos)) return;
  if (names.empty())
    m_lists.photos.LoadFolderAsync();
  else
    m_lists.photos.LoadFilesAsync(names, false);
}

void CMainFrame::ClearPhotoList() {
  m_lists.photos.StopLoading();
  if (HasWindow(m_lists.photos)) m_lists.photos.ClearThumbnails();
}

void CMainFrame::RefreshPhotoList() {
  if (!m_album || !m_album->GetRoot()->GetImageList()) return;
  LoadPhotoList(m_album->GetImageFolder(true), m_album->GetRoot()->GetImageList()->GetFileNames(true));
}

void CMainFrame::InvalidatePhotoThumbnails() {
  if (HasWindow(m_lists.photos)) m_lists.photos.UpdateUsedMarks();
}

void CMainFrame::RebuildPageList() {
  if (m_album) m_bars.m_pages.Refresh(*m_album->GetRoot());
}

void CMainFrame::ClearPageList() { m_bars.m_pages.Clear(); }

void CMainFrame::AddPageTemplate(const std::string& path) {
  // The whole path: a template saved outside the list's folder is listed too.
  if (HasWindow(m_lists.templates)) m_lists.templates.AddTemplate(path.c_str());
}

void CMainFrame::UpdatePageThumbnail(int pageIndex) {
  if (!m_album || !HasWindow(m_lists.pages)) return;
  treeNode::CSposalboTreeNode& root = *m_album->GetRoot();
  treeNode::CPaginaTreeNode* page = root.GetPage(pageIndex);
  if (!page) return;
  m_lists.pages.DrawPage(*page, pageIndex);
}

void CMainFrame::NotifyPageList() {
  if (!m_album) return;
  treeNode::CSposalboTreeNode& root = *m_album->GetRoot();
  root.ClearPageListChanged();
  if (!HasWindow(m_lists.pages)) return;
  const treeNode::CSposalboTreeNode::PageListChange change = root.GetPageListChange();
  switch (change.kind) {
    case treeNode::CSposalboTreeNode::kChangeAll:
      m_bars.m_pages.Refresh(root);
      break;
    case treeNode::CSposalboTreeNode::kChangeInserted:
      m_lists.pages.InsertAlbumPage(root, change.first);
      break;
    case treeNode::CSposalboTreeNode::kChangeRemoved:
      m_lists.pages.RemovePage(change.first);
      break;
    case treeNode::CSposalboTreeNode::kChangeMoved:
      m_lists.pages.MovePageImage(change.first, change.second);
      break;
    default:
      break;
  }
}
