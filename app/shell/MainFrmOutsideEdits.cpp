// The main frame's side of photos changed on disk while their album is open:
// a photo handed to the outside editor, or any reference copy of the album
// replaced beside the program (looked for when the user comes back to it).
// Its working copy is made again, so the page and the laboratory's export
// show the same picture.
#include "app/shell/MainFrm.h"

#include <algorithm>

#include "app/commands/UnreadablePhotos.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/OutsideEdits.h"
#include "document/imagelist/WorkingCopy.h"
#include "document/imagelist/WorkingCopyOrigin.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/FileWatch.h"

namespace {
// A photo saved outside that could not be read whole yet (still written, or
// held by its writer until it closes it) is tried again a few times, a
// moment apart.
constexpr UINT_PTR kReferenceTimer = 0x5245;
constexpr UINT kReferenceDelay = 250;  // milliseconds
constexpr int kReferenceLooks = 4;
}  // namespace

LRESULT CMainFrame::OnFileWatchNotify(WPARAM wParam, LPARAM) {
  treeNode::CPaginaTreeNode* page = GetCurrentPage();
  if (!page) return 0;
  const UINT id = static_cast<UINT>(wParam);
  const auto& watched = m_albumCommands.GetWatchedImages();
  const auto found = watched.find(id);
  spab_imagelist::CMImageList* images = m_album->GetRoot()->GetImageList();
  if (found != watched.end() && images && images->Find(found->second.c_str())) {
    CString changed;
    const std::string target = GetResourceFolder(0, true, found->second, false);
    if (GetFileWatchPath(id, changed)) {
      CFileStamp madeFrom;
      CFileDigest madeFromDigest;
      const RemakeResult remade = RemakeWorkingCopy(changed, target.c_str(), &madeFrom, &madeFromDigest);
      if (remade == RemakeResult::kWritten) {
        m_lists.photos.RefreshThumbnail(found->second.c_str(), target.c_str());
        // Kept with the list at once: the next look must not make it again.
        spab_imagelist::CMImg& image = *images->Find(found->second.c_str());
        const std::string reference = GetResourceFolder(0, false, found->second, false);
        if (image.tipo != 0 && ::lstrcmpiA(changed, reference.c_str()) == 0 &&
            RecordWorkingCopyOrigin(image, madeFrom, target, true, madeFromDigest))
          images->Save(m_album->GetFolder().c_str(), false);
      }
      if (remade != RemakeResult::kUnreadable) m_lists.photos.SelectItemNamed(found->second.c_str());
      // Not whole yet (still written, or held by its writer): made once it can be read.
      if (remade == RemakeResult::kUnreadable) LookAtReferenceCopiesSoon();
    }
  }
  page->ReleaseResources();
  page->SetNeedsRefresh(true);
  return 0;
}

void CMainFrame::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CSkinFrameWnd::OnActivateApp(bActive, dwThreadID);
  if (bActive) CatchUpReferenceCopies(true);
}

void CMainFrame::LookAtReferenceCopiesSoon() {
  m_referenceLooks = kReferenceLooks;
  SetTimer(kReferenceTimer, kReferenceDelay);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kReferenceTimer) {
    CSkinFrameWnd::OnTimer(nIDEvent);
    return;
  }
  if (--m_referenceLooks <= 0) KillTimer(kReferenceTimer);
  CatchUpReferenceCopies(false);
}

void CMainFrame::CatchUpReferenceCopies(bool userIsBack) {
  spab_imagelist::CMImageList* images = m_album ? m_album->GetRoot()->GetImageList() : nullptr;
  if (!images) return;
  OutsideEditsFound found;
  std::vector<std::string> changed = CatchUpOutsideEdits(*images, m_album->GetFolder(), &found);
  changed.insert(changed.end(), found.replaced.begin(), found.replaced.end());
  ShowChangedWorkingCopies(changed);
  // A file still written while the editor's save is looked at is not told.
  if (userIsBack) TellPhotoFailures(*images, found, m_hWnd);
}

void CMainFrame::ShowChangedWorkingCopies(const std::vector<std::string>& names) {
  if (names.empty()) return;
  treeNode::CSposalboTreeNode& root = *m_album->GetRoot();
  for (const std::string& name : names)
    m_lists.photos.RefreshThumbnail(name.c_str(), GetResourceFolder(0, true, name, false).c_str());
  // Every page showing one of them draws its thumbnail again from the new
  // files: the current one now, the others a few at a time as the page bar
  // draws its pages.
  treeNode::CPaginaTreeNode* current = GetCurrentPage();
  bool currentDrawn = false;
  for (int index = 0; index < root.GetPageCount() && m_lists.pages.m_hWnd; ++index) {
    treeNode::CPaginaTreeNode* page = root.GetPage(index);
    const auto uses = [page](const std::string& name) { return page->UsesPhoto(name); };
    if (!page || std::none_of(names.begin(), names.end(), uses)) continue;
    page->ReleaseResources();
    if (page == current) {
      UpdatePageThumbnail(index);
      currentDrawn = true;
    } else {
      m_lists.pages.DrawAgainSoon(root, index);
    }
  }
  if (current) {
    if (!currentDrawn) current->ReleaseResources();
    current->SetNeedsRefresh(true);
  }
}
