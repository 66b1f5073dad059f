// The album commands of the main frame: open, close with the save question,
// save.
#include "app/shell/ChildView.h"
#include "app/shell/MainFrm.h"
#include "document/SposalboDoc.h"
#include "document/SposalboException.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/FileWatch.h"

bool CMainFrame::QueryCloseAlbum() {
  StopFileWatch();
  if (m_album) {
    if (m_album->IsModified()) {
      const int answer = MessageBox("Vuoi salvare le modifiche al sposalbo?", "Salva sposalbo",
                                    MB_YESNOCANCEL | MB_ICONQUESTION);
      if (answer == IDCANCEL) return false;
      if (answer == IDYES) m_album->Save();
    }
    m_renderPaused = true;
    if (CSposalboPageStatic* surface = GetPageSurface()) surface->ClearSurface();
    const bool neverSaved = m_album->IsNewNeverSaved();
    if (neverSaved) m_album->DeleteFolder();
    m_album.reset();
  }
  if (CDocument* doc = GetActiveDocument()) doc->SetTitle("");
  RefreshTitle();
  return true;
}

bool CMainFrame::OpenAlbum(const CString& projectPath) {
  if (!QueryCloseAlbum()) return false;
  try {
    m_album = std::make_unique<CSposalboDoc>(std::string(projectPath), GetPageSurface());
  } catch (const CSposalboException& e) {
    MessageBox(e.message.c_str(), "Errore caricamento File", MB_ICONERROR);
    return false;
  }
  if (auto list = spab_imagelist::CMImageList::Load(m_album->GetFolder().c_str(), false))
    m_album->GetRoot()->SetImageList(std::move(list));
  if (CDocument* doc = GetActiveDocument()) doc->SetTitle(m_album->GetTitle().c_str());
  RefreshTitle();
  m_renderPaused = false;
  LayoutPageStatic();
  return true;
}

void CMainFrame::OnOpenAlbum() {
  if (!QueryCloseAlbum()) return;
  CFileDialog dialog(TRUE, "sposalbo", "sposalbo.sbm", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                     "File sposalbo (sposalbo.sbm)|sposalbo.sbm|", this);
  if (dialog.DoModal() != IDOK) return;
  OpenAlbum(dialog.GetPathName());
}

void CMainFrame::OnCloseAlbum() { QueryCloseAlbum(); }

void CMainFrame::OnSaveAlbum() {
  if (m_album) m_album->Save();
}

void CMainFrame::OnUpdateAlbumOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(m_album != nullptr); }
