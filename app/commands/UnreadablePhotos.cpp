#include "app/commands/UnreadablePhotos.h"

#include <string>

#include "app/commands/QuotedNames.h"
#include "document/imagelist/MImageList.h"
#include "framework/ui_seam.h"

void TellUnreadablePhotos(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& unreadable,
                          HWND owner) {
  if (unreadable.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(unreadable.size());
  for (const UnreadableReference& photo : unreadable)
    lines.push_back("\"" + (photo.nome.empty() ? photo.thumb : photo.nome) + "\" (file \"" + photo.path + "\")");
  const std::string text =
      "Foto a piena risoluzione che non si possono leggere per intero (troncate, vuote o non immagini):" +
      ListedLines(lines) +
      "\n\nLe pagine mostrano ancora l'ultima immagine buona di queste foto. Sostituire i file con le foto intere.";
  // Told before the box: a box answered later must not be asked again meanwhile.
  MarkUnreadableTold(list, unreadable);
  AfxGetUiSeam()->MessageBox(owner, text.c_str(), "Foto illeggibili", MB_OK | MB_ICONWARNING);
}
