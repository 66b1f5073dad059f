// What opening an album checks beyond its project file: the numbers repaired
// while its objects were read.
#include <cstdio>
#include <string>

#include "app/commands/AlbumCommandTarget.h"
#include "document/SposalboDoc.h"
#include "document/pages/SposalboTreeNode.h"

void CAlbumCommandTarget::TellRepairedNumbers() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  treeNode::CSposalboTreeNode& root = *album->GetRoot();
  const int repaired = root.TakeRepairedNumbers();
  if (repaired == 0) return;
  char count[64];
  if (repaired == 1)
    std::snprintf(count, sizeof count, "un valore non valido");
  else
    std::snprintf(count, sizeof count, "%d valori non validi", repaired);
  const std::string text =
      std::string("Lo sposalbo conteneva ") + count +
      " (posizione, scala, rotazione, colore o ritaglio di un oggetto), sostituiti con valori che lasciano gli "
      "oggetti visibili al loro posto.\nSalvando lo sposalbo la correzione viene conservata.";
  Ask(text.c_str(), "Sposalbo riparato", MB_OK | MB_ICONWARNING);
  // The values shown differ from the file's: saving them is a change.
  root.SetModified(true);
}
