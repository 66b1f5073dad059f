#include "app/commands/AlbumCommandTarget.h"

#include "app/resource.h"
#include "document/SposalboDoc.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/ExternalApp.h"
#include "document/services/FileWatch.h"
#include "document/services/SystemMessage.h"
#include "render/PictureFailures.h"
#include "render/TextMemory.h"

BEGIN_MESSAGE_MAP(CAlbumCommandTarget, CCmdTarget)
  ON_COMMAND(ID_ALBUM_NEW, OnNewAlbum)
  ON_COMMAND(ID_ALBUM_OPEN, OnOpenAlbum)
  ON_COMMAND(ID_ALBUM_CLOSE, OnCloseAlbum)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_CLOSE, OnUpdateAlbumOpen)
  ON_COMMAND(ID_ALBUM_SAVE, OnSaveAlbum)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_SAVE, OnUpdateAlbumOpen)
  ON_COMMAND(ID_ALBUM_SAVE_AS_TEMPLATE, OnSaveAlbumAsTemplate)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_SAVE_AS_TEMPLATE, OnUpdateAlbumOpen)
  ON_COMMAND(ID_PAGE_SAVE_AS_TEMPLATE, OnSavePageAsTemplate)
  ON_UPDATE_COMMAND_UI(ID_PAGE_SAVE_AS_TEMPLATE, OnUpdateSavePageAsTemplate)
  ON_COMMAND(ID_ALBUM_DATA, OnAlbumData)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_DATA, OnUpdateAlbumOpen)
  ON_COMMAND(ID_ALBUM_LOAD_CD, OnLoadCD)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_LOAD_CD, OnUpdateAlbumOpen)
  ON_COMMAND(ID_ALBUM_LOAD_IMAGES, OnLoadImages)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_LOAD_IMAGES, OnUpdateAlbumOpen)
  ON_COMMAND(ID_ALBUM_SEND_TO_LAB, OnSendToLab)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_SEND_TO_LAB, OnUpdateAlbumOpen)
  ON_COMMAND(ID_OPTIONS, OnOptions)
  ON_COMMAND(ID_EDIT_IMAGE_EXTERNAL, OnEditImageExternal)
  ON_UPDATE_COMMAND_UI(ID_EDIT_IMAGE_EXTERNAL, OnUpdateEditImageExternal)
  ON_COMMAND(ID_ALBUM_PRINT, OnPrint)
  ON_UPDATE_COMMAND_UI(ID_ALBUM_PRINT, OnUpdatePrint)
END_MESSAGE_MAP()

namespace {
const char kSaveTitle[] = "Salva sposalbo";

// The album photo that alone is selected on the current page, with its
// image-list entry; null when the selection is anything else.
treeNode::CImgTreeNode* SelectedPhoto(CSposalboDoc* album, spab_imagelist::CMImg** entry) {
  treeNode::CPaginaTreeNode* page = album ? album->GetCurrentPage() : nullptr;
  if (!page || page->GetSelectedCount(false) != 1) return nullptr;
  treeNode::CTreeNode* first = page->GetFirstSelected();
  if (!first || first->GetTag() != "immagine") return nullptr;
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(first);
  spab_imagelist::CMImageList* list = album->GetRoot()->GetImageList();
  if (entry) *entry = photo && list ? list->Find(photo->GetName().c_str()) : nullptr;
  return photo;
}
}  // namespace

CAlbumCommandTarget::CAlbumCommandTarget(IAlbumCommandHost& host) : m_host(host) {}

int CAlbumCommandTarget::Ask(const char* text, const char* title, UINT type) {
  CWnd* owner = m_host.GetOwnerWindow();
  if (!title) {
    CWinApp* app = AfxGetApp();
    title = app && app->m_pszAppName ? app->m_pszAppName : "Lumivo";
  }
  return AfxGetUiSeam()->MessageBox(owner ? owner->m_hWnd : nullptr, text, title, type);
}

bool CAlbumCommandTarget::SaveOrReport() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return false;
  if (album->Save()) return true;
  // The user chose to keep the version on disk: nothing more to tell.
  if (album->WasSaveDeclined()) return false;
  CString message;
  message.Format("Impossibile salvare il sposalbo in %s.", album->GetFolder().c_str());
  if (album->GetSaveError() != 0) message += "\n" + SystemMessage(album->GetSaveError());
  message += "\nIl sposalbo resta aperto.";
  Ask(message, kSaveTitle, MB_OK | MB_ICONERROR);
  return false;
}

bool CAlbumCommandTarget::QueryCloseAlbum() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (album && album->IsModified()) {
    const int answer = Ask("Vuoi salvare le modifiche al sposalbo?", kSaveTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    // A save that fails keeps the album open: nothing unsaved is thrown away.
    if (answer == IDYES && !SaveOrReport()) return false;
  }
  // The close is certain now: only now do the photos being edited outside
  // stop being watched.
  StopFileWatch();
  m_watchedImages.clear();
  const bool closing = album != nullptr;
  if (closing) {
    m_host.ClearPageList();
    m_host.SetRenderPaused(true);
    m_host.ClearPageSurface();
    m_host.ClearPhotoList();
    if (album->IsNewNeverSaved()) album->DeleteFolder();
    m_host.SetAlbum(nullptr);
    // Pictures of the closed album not told yet are not told after it.
    ForgetToldPictureFailures();
    ForgetToldTextPlaceholders();
  }
  m_host.SetDocumentTitle("");
  // A new or open dialog may follow at once: the bars must not show the
  // closed album while it is up.
  if (closing) m_host.UpdateBarsNow();
  return true;
}

void CAlbumCommandTarget::OnCloseAlbum() { QueryCloseAlbum(); }

void CAlbumCommandTarget::OnSaveAlbum() {
  if (m_host.GetAlbum()) SaveOrReport();
}

void CAlbumCommandTarget::OnPrint() {}

void CAlbumCommandTarget::OnUpdatePrint(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CAlbumCommandTarget::OnUpdateAlbumOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(m_host.GetAlbum() != nullptr); }

void CAlbumCommandTarget::OnUpdateSavePageAsTemplate(CCmdUI* pCmdUI) {
  CSposalboDoc* album = m_host.GetAlbum();
  pCmdUI->Enable(album && album->GetCurrentPage());
}

void CAlbumCommandTarget::OnUpdateEditImageExternal(CCmdUI* pCmdUI) {
  spab_imagelist::CMImg* entry = nullptr;
  pCmdUI->Enable(SelectedPhoto(m_host.GetAlbum(), &entry) && entry && entry->tipo == 1);
}

void CAlbumCommandTarget::OnEditImageExternal() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album || !album->GetCurrentPage()) return;
  if (!HasExtAppCmdLine(m_host.GetExtAppCmdLine().c_str())) {
    if (Ask("Programma esterno per modifica immaggine non impostato. Vuoi impostarlo?", nullptr, MB_YESNO) != IDYES)
      return;
    OnOptions();
    if (!HasExtAppCmdLine(m_host.GetExtAppCmdLine().c_str())) return;
  }
  spab_imagelist::CMImg* entry = nullptr;
  treeNode::CImgTreeNode* photo = SelectedPhoto(album, &entry);
  if (!photo) return;
  spab_imagelist::CMImageList* list = album->GetRoot()->GetImageList();
  // Kept apart, the original stays as it is and the editor works on a new
  // album photo, which the page takes only once the editor has started.
  spab_imagelist::CMImg* copy = nullptr;
  if (entry && entry->tipo == 1 && Ask("Vuoi mantenere l'immagine originale?", nullptr, MB_YESNO) == IDYES) {
    copy = list->AddFromFile(photo->ResolvePath(false).c_str(), album->GetFolder().c_str());
    // The import has told why the copy failed; the original is not handed
    // over in its place.
    if (!copy) return;
  }
  const std::string path = copy ? album->GetResourceFolder(0, false, copy->thumb, false) : photo->ResolvePath(false);
  if (!RunExternalApp(m_host.GetExtAppCmdLine().c_str(), path.c_str())) {
    // Nothing was edited: the album stays as it was.
    if (copy) list->Remove(copy->thumb.c_str(), album->GetFolder().c_str());
    return;
  }
  if (copy) {
    const std::string copyName = copy->thumb;
    album->GetCurrentPage()->SaveUndo();
    list->Release(photo->GetName().c_str());
    photo->SetName(copyName);
    list->AddRef(copyName.c_str());
    photo->ReleaseResources();
    list->Save(album->GetFolder().c_str(), false);
    ShowAlbumPhotos();
  }
  CWnd* owner = m_host.GetOwnerWindow();
  const UINT id = AddFileWatch(path.c_str(), owner ? owner->m_hWnd : nullptr);
  if (id != 0) m_watchedImages[id] = photo->GetName();
}
