#include "app/commands/UnreadablePhotos.h"

#include <string>
#include <utility>

#include "app/commands/QuotedNames.h"
#include "document/imagelist/MImageList.h"
#include "framework/ui_seam.h"
#include "render/PictureFailures.h"

void TellUnreadablePhotos(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& unreadable,
                          HWND owner) {
  if (unreadable.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(unreadable.size());
  size_t withoutCopy = 0;
  for (const UnreadableReference& photo : unreadable) {
    std::string line = "\"" + (photo.nome.empty() ? photo.thumb : photo.nome) + "\" (file \"" + photo.path + "\")";
    // With its working copy gone too, no picture of it is left to show.
    if (!photo.workingKept) {
      line += ", senza copia di lavoro";
      ++withoutCopy;
      // The grey box the page draws for it is told here, not once more.
      MarkPictureFailureTold(photo.working);
    }
    lines.push_back(std::move(line));
  }
  std::string shown;
  if (withoutCopy == 0)
    shown = "Le pagine mostrano ancora l'ultima immagine buona di queste foto.";
  else if (withoutCopy == unreadable.size())
    shown = "Nelle pagine queste foto appaiono come riquadri grigi.";
  else
    shown = "Le foto senza copia di lavoro appaiono nelle pagine come riquadri grigi; le altre mostrano ancora "
            "l'ultima immagine buona.";
  const std::string text =
      "Foto a piena risoluzione che non si possono leggere per intero (troncate, vuote o non immagini):" +
      ListedLines(lines) + "\n\n" + shown + " Sostituire i file con le foto intere.";
  // Told before the box: a box answered later must not be asked again meanwhile.
  MarkUnreadableTold(list, unreadable);
  AfxGetUiSeam()->MessageBox(owner, text.c_str(), "Foto illeggibili", MB_OK | MB_ICONWARNING);
}
