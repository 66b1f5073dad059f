// What opening an album checks beyond its project file: its image list, and
// the numbers repaired while its objects were read.
#include <string>

#include "app/commands/AlbumCommandTarget.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/ImageListOpening.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
const char kOpenErrorTitle[] = "Errore caricamento File";
const char kRepairKinds[] = " (posizione, scala, rotazione, colore o ritaglio di un oggetto), ";
}  // namespace

bool CAlbumCommandTarget::TakeAlbumImageList(CSposalboDoc& album) {
  spab_imagelist::OpenedImageList opened = spab_imagelist::OpenAlbumImageList(album.GetFolder());
  switch (opened.state) {
    case spab_imagelist::OpenedImageList::kRead:
      album.GetRoot()->SetImageList(std::move(opened.list));
      return true;
    case spab_imagelist::OpenedImageList::kNone:
      return true;
    case spab_imagelist::OpenedImageList::kSetAside: {
      const std::string text =
          "La lista delle immagini dello sposalbo non pu\xF2 essere letta:\n" + opened.path +
          "\n\n\xC8 stata conservata com'era in\n" + opened.setAsidePath +
          "\n\nLo sposalbo si apre senza lista: le foto gi\xE0 nelle pagine restano al loro posto e la barra "
          "Fotografie mostra le foto della cartella img. Finch\xE9 la lista manca, lo sposalbo non pu\xF2 essere "
          "inviato al laboratorio.";
      Ask(text.c_str(), kOpenErrorTitle, MB_OK | MB_ICONWARNING);
      return true;
    }
    case spab_imagelist::OpenedImageList::kStuck:
      break;
  }
  // Opened, the album's next save would write an empty list over it.
  const std::string text = "Impossibile aprire il sposalbo: la lista delle immagini\n" + opened.path +
                           "\nnon pu\xF2 essere letta, n\xE9 messa da parte perch\xE9 il prossimo salvataggio "
                           "non la sovrascriva.";
  Ask(text.c_str(), kOpenErrorTitle, MB_OK | MB_ICONERROR);
  return false;
}

void CAlbumCommandTarget::TellRepairedNumbers() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  treeNode::CSposalboTreeNode& root = *album->GetRoot();
  const int repaired = root.TakeRepairedNumbers();
  if (repaired == 0) return;
  // Said in the singular or the plural, as the count asks.
  std::string told;
  if (repaired == 1)
    told = "un valore non valido" + std::string(kRepairKinds) +
           "sostituito con un valore che lascia l'oggetto visibile al suo posto.";
  else
    told = std::to_string(repaired) + " valori non validi" + kRepairKinds +
           "sostituiti con valori che lasciano gli oggetti visibili al loro posto.";
  const std::string text =
      "Lo sposalbo conteneva " + told + "\nSalvando lo sposalbo la correzione viene conservata.";
  Ask(text.c_str(), "Sposalbo riparato", MB_OK | MB_ICONWARNING);
  // The values shown differ from the file's: saving them is a change.
  root.SetModified(true);
}
