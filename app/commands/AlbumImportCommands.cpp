// Photos into the album: from the laboratory's CD or from image files.
#include <algorithm>
#include <cstring>

#include "app/commands/AlbumCommandTarget.h"
#include "app/commands/QuotedNames.h"
#include "app/dialogs/CodePageText.h"
#include "app/dialogs/ImageFileDlg.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/CDImageList.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
constexpr UINT kCdBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
}  // namespace

void CAlbumCommandTarget::OnLoadCD() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  CString cdFolder;
  std::wstring chosen;
  if (!AfxBrowseForFolder(m_host.GetOwnerWindow(), "Scegli il cd da cui importare le immagini.", kCdBrowseFlags,
                          cdFolder, &chosen))
    return;
  const std::string unusable = UnusablePathMessage(chosen);
  if (!unusable.empty()) {
    Ask(unusable.c_str(), "Carica CD", MB_OK | MB_ICONERROR);
    return;
  }
  std::unique_ptr<cd_imagelist::CCDImageList> cd = cd_imagelist::CCDImageList::Load(cdFolder);
  if (!cd) {
    Ask(cdFolder, "Il CD selezionato non contiene la lista immagini.", MB_OK);
    return;
  }
  spab_imagelist::CMImageList* list = album->GetRoot()->GetImageList();
  for (const auto& image : cd->images)
    list->AddFromLabCd(cd->cdKey.c_str(), album->GetFolder().c_str(), cdFolder, image->nome.c_str());
  list->Save(album->GetFolder().c_str(), false);
  ShowAlbumPhotos();
  ReportRefusedCdNames(cd->refused);
}

// A name in the list that points outside the CD is never read, but the user
// must know that photo is not in the album.
void CAlbumCommandTarget::ReportRefusedCdNames(const std::vector<std::string>& names) {
  if (names.empty()) return;
  const std::string text = "Immagini non importate: nome non valido nella lista del CD.\n" + QuotedNames(names);
  Ask(text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

// Only photos of the image list travel with their reference copies: an album
// whose pages show others would reach the laboratory without them.
bool CAlbumCommandTarget::RefuseUnlistedPhotos(CSposalboDoc& album) {
  const std::vector<std::string> names = album.GetRoot()->GetUnlistedPhotos();
  if (names.empty()) return false;
  const std::string text =
      "Impossibile inviare lo sposalbo al laboratorio: le pagine usano foto che non sono nella lista delle "
      "immagini dello sposalbo (immagini.xml), e il laboratorio non le riceverebbe.\n" + QuotedNames(names);
  Ask(text.c_str(), "Invia al laboratorio", MB_OK | MB_ICONERROR);
  return true;
}

void CAlbumCommandTarget::OnLoadImages() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  CImageFileDlg dialog(m_host.GetOwnerWindow());
  if (dialog.DoModal() != IDOK) {
    // The user chose photos and none came back: said, not passed over.
    if (dialog.SelectionTooLarge())
      Ask("Troppe immagini selezionate in una volta: sceglierne meno e caricare le altre dopo.",
          "Carica immagini", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  std::vector<std::string> paths;
  for (const CString& path : dialog.GetPaths()) paths.push_back(path.str());
  // Imported in the order of their text, so their numbers follow it.
  std::sort(paths.begin(), paths.end(),
            [](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
  spab_imagelist::CMImageList* list = album->GetRoot()->GetImageList();
  for (const std::string& path : paths) list->AddFromFile(path.c_str(), album->GetFolder().c_str());
  list->Save(album->GetFolder().c_str(), false);
  ShowAlbumPhotos();
}

void CAlbumCommandTarget::OnSendToLab() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album || RefuseUnlistedPhotos(*album)) return;
  if (album->IsModified()) {
    if (Ask("E' necessario salvare il sposalbo prima di poter procedere con l'invio. Vuoi salvare?",
            "Salva sposalbo", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
      return;
    // An album that could not be saved is not sent: the laboratory would get
    // the old one.
    if (!SaveOrReport()) return;
  }
  for (;;) {
    CString destination;
    std::wstring chosen;
    if (!AfxBrowseForFolder(m_host.GetOwnerWindow(), "Scegli la cartella in cui copiare i dati da inviare al laboratorio.",
                            BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE, destination, &chosen))
      return;
    const std::string unusable = UnusablePathMessage(chosen);
    if (!unusable.empty()) {
      Ask(unusable.c_str(), "Invia al laboratorio", MB_OK | MB_ICONERROR);
      continue;  // another folder, as after a failed export
    }
    const bool written = album->ExportForLab(destination.str(), m_host.GetSeal());
    // What the laboratory gets is what the pages show, also after a failure.
    m_host.ShowRemadePhotos(album->GetLastExportRemade());
    if (written) return;
  }
}
