// New, open, and the album and page templates.
#include "app/commands/AlbumCommandTarget.h"
#include "app/dialogs/CodePageText.h"
#include "app/dialogs/DlgNuovoSposalbo.h"
#include "document/SposalboDoc.h"
#include "document/SposalboException.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/PictureFailures.h"
#include "render/TextMemory.h"

namespace {
// The custom template folder, or empty without a custom graphics folder.
CString CustomTemplateFolder(IAlbumCommandHost& host) {
  const std::string custom = host.GetCustomFolder();
  return custom.empty() ? CString() : CString((custom + "\\template\\").c_str());
}

// Holds the frame's close while it lives: what the command shows lets the
// frame's messages through, and the frame must outlive the command.
class CloseHold {
 public:
  CloseHold(IAlbumCommandHost& host, const std::shared_ptr<const bool>& lifetime) : m_host(host), m_alive(lifetime) {
    m_host.HoldClose(true);
  }
  ~CloseHold() {
    if (!m_alive.expired()) m_host.HoldClose(false);
  }
  CloseHold(const CloseHold&) = delete;
  CloseHold& operator=(const CloseHold&) = delete;

 private:
  IAlbumCommandHost& m_host;
  std::weak_ptr<const bool> m_alive;  // the command target's, which goes with the host
};
}  // namespace

void CAlbumCommandTarget::ShowAlbumPhotos() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  const spab_imagelist::CMImageList* list = album->GetRoot()->GetImageList();
  m_host.LoadPhotoList(album->GetImageFolder(true), list ? list->GetFileNames(true) : std::vector<CString>());
}

void CAlbumCommandTarget::OnNewAlbum() {
  if (!QueryCloseAlbum()) return;
  CDlgNuovoSposalbo dialog(m_host.GetOwnerWindow(), CustomTemplateFolder(m_host), m_host.GetTemplateFolder().c_str());
  if (dialog.DoModal() != IDOK) return;
  std::unique_ptr<CSposalboDoc> album;
  try {
    if (dialog.m_bFromTemplate)
      album = std::make_unique<CSposalboDoc>(dialog.m_strName.str(), dialog.m_strFolder.str(),
                                             dialog.m_strTemplatePath.str(), m_host.GetPageView());
    else
      album = std::make_unique<CSposalboDoc>(dialog.m_strName.str(), dialog.m_nPageWidth, dialog.m_nPageHeight,
                                             dialog.m_strFolder.str(), m_host.GetPageView());
  } catch (const CSposalboException& e) {
    Ask(e.message.c_str(), "Errore creazione sposalbo.", MB_ICONERROR);
    return;
  } catch (const std::bad_alloc&) {
    Ask("Memoria insufficiente per creare lo sposalbo.", "Errore creazione sposalbo.", MB_ICONERROR);
    return;
  }
  treeNode::CSposalboTreeNode* root = album->GetRoot();
  const std::string title = album->GetTitle();
  m_host.SetAlbum(std::move(album));
  m_host.RebuildPageList();
  m_host.SetRenderPaused(false);
  if (root->GetPageCount() == 0) root->AddPage(-1);
  // A new album asks to be saved when it is closed.
  root->SetModified(true);
  m_host.SetDocumentTitle(title);
}

void CAlbumCommandTarget::OnOpenAlbum() {
  // A close asked for meanwhile waits: the working copies made again may take
  // minutes, and every box shown lets the frame's messages through.
  const CloseHold hold(m_host, m_lifetime);
  if (!QueryCloseAlbum()) return;
  CFileDialog dialog(TRUE, "sposalbo", "sposalbo.sbm", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                     "File sposalbo (sposalbo.sbm)|sposalbo.sbm|", m_host.GetOwnerWindow());
  if (dialog.DoModal() != IDOK) return;
  // Opened through the code page, such a path names another file or none.
  const std::string unusable = UnusablePathMessage(dialog.GetWidePathName());
  if (!unusable.empty()) {
    Ask(unusable.c_str(), "Errore caricamento File", MB_ICONERROR);
    return;
  }
  std::unique_ptr<CSposalboDoc> album;
  try {
    album = std::make_unique<CSposalboDoc>(dialog.GetPathName().str(), m_host.GetPageView());
  } catch (const CSposalboException& e) {
    Ask(e.message.c_str(), "Errore caricamento File", MB_ICONERROR);
    return;
  } catch (const std::bad_alloc&) {
    Ask("Memoria insufficiente per aprire lo sposalbo.", "Errore caricamento File", MB_ICONERROR);
    return;
  }
  // Pictures of this album that cannot be shown are told afresh.
  ForgetToldPictureFailures();
  ForgetToldTextPlaceholders();
  if (!TakeAlbumImageList(*album)) return;
  const std::string title = album->GetTitle();
  m_host.SetAlbum(std::move(album));
  m_host.SetDocumentTitle(title);
  // The first spread before the bars: the photo bar loads on its own thread
  // and the page bar draws its pages afterwards.
  m_host.SetRenderPaused(false);
  m_host.ShowCurrentPage();
  ShowAlbumPhotos();
  m_host.RebuildPageList();
  TellRepairedNumbers();
}

std::string CAlbumCommandTarget::SaveTemplate(int pageIndex) {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return std::string();
  CFileDialog dialog(FALSE, "sbt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "File sposalbo (.sbt)|*.sbt|",
                     m_host.GetOwnerWindow());
  const CString customTemplates = CustomTemplateFolder(m_host);
  if (!customTemplates.IsEmpty()) dialog.m_ofn.lpstrInitialDir = customTemplates;
  if (dialog.DoModal() != IDOK) return std::string();
  const std::string unusable = UnusablePathMessage(dialog.GetWidePathName());
  if (!unusable.empty()) {
    Ask(unusable.c_str(), "Salva come template", MB_OK | MB_ICONERROR);
    return std::string();
  }

  std::unique_ptr<treeNode::CSposalboTreeNode> copy = album->GetRoot()->CloneAlbum(m_host.GetPageView());
  if (pageIndex >= 0) {
    // The copy keeps the one page; the album's page limits are written as they are.
    const int minPages = copy->GetNumMinPage(), maxPages = copy->GetNumMaxPage();
    copy->SetPageLimits(0, maxPages);
    for (int i = copy->GetPageCount() - 1; i >= 0; --i) {
      if (i == pageIndex) continue;
      copy->GoToPage(i);
      copy->CutPage(false);
    }
    copy->SetPageLimits(minPages, maxPages);
    copy->SetPageTemplate(true);
  }
  // A template carries no photo of this album: each becomes a numbered
  // placeholder, whose picture the new album's own photos give.
  copy->SetTemplateCopy(true);
  copy->FirstPage();  // albums made from it start on the cover
  const std::string path = dialog.GetPathName().str();
  if (!copy->SaveToFile(path)) {
    CString message;
    message.Format("Impossibile scrivere il template %s.", path.c_str());
    Ask(message, "Salva come template", MB_OK | MB_ICONERROR);
    return std::string();
  }
  return path;
}

void CAlbumCommandTarget::OnSaveAlbumAsTemplate() { SaveTemplate(-1); }

void CAlbumCommandTarget::OnSavePageAsTemplate() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album || !album->GetCurrentPage()) return;
  const std::string path = SaveTemplate(album->GetRoot()->GetCurrentPageIndex());
  if (!path.empty()) m_host.AddPageTemplate(path);
}
