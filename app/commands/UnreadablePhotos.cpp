#include "app/commands/UnreadablePhotos.h"

#include <string>
#include <utility>

#include "app/commands/QuotedNames.h"
#include "document/imagelist/ImportMessages.h"
#include "document/imagelist/MImageList.h"
#include "framework/ui_seam.h"
#include "render/PictureFailures.h"

namespace {
std::string PhotoName(const std::string& nome, const std::string& thumb) {
  return "\"" + (nome.empty() ? thumb : nome) + "\"";
}

// Gone while the album was closed or open: the export would refuse them.
void TellMissingPhotos(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& missing,
                       HWND owner) {
  if (missing.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(missing.size());
  for (const UnreadableReference& photo : missing)
    lines.push_back(PhotoName(photo.nome, photo.thumb) + " (file \"" + photo.path + "\")");
  const std::string text =
      "Foto a piena risoluzione che non si trovano pi\xF9:" + ListedLines(lines) +
      "\n\nIl laboratorio non potrebbe stamparle. Per ciascuna: rimettere al suo posto il file originale, oppure " +
      std::string(spab_imagelist::kImportAgain) + ".";
  MarkMissingTold(list, missing);
  AfxGetUiSeam()->MessageBox(owner, text.c_str(), "Foto mancanti", MB_OK | MB_ICONWARNING);
}

// Their reference copy changed, and the copy the pages show could not follow.
void TellUnmadeWorkingCopies(spab_imagelist::CMImageList& list, const std::vector<UnmadeWorkingCopy>& unmade,
                             HWND owner) {
  if (unmade.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(unmade.size());
  for (const UnmadeWorkingCopy& copy : unmade)
    lines.push_back(PhotoName(copy.nome, copy.thumb) + " (file \"" + copy.working + "\"): " +
                    spab_imagelist::WriteFailureReason(copy.writeError));
  const std::string text =
      "La copia a piena risoluzione di queste foto \xE8 cambiata, ma la loro copia di lavoro non si \xE8 potuta "
      "rifare:" + ListedLines(lines) +
      "\n\nLe pagine mostrano ancora l'immagine di prima. Liberare spazio sul disco o chiudere il programma che "
      "usa il file: la copia viene rifatta quando si torna allo sposalbo.";
  MarkUnmadeTold(list, unmade);
  AfxGetUiSeam()->MessageBox(owner, text.c_str(), "Copie di lavoro non rifatte", MB_OK | MB_ICONWARNING);
}
}  // namespace

void TellPhotoFailures(spab_imagelist::CMImageList& list, const OutsideEditsFound& found, HWND owner) {
  TellUnreadablePhotos(list, found.unreadable, owner);
  TellMissingPhotos(list, found.missing, owner);
  TellUnmadeWorkingCopies(list, found.unmade, owner);
}

void TellUnreadablePhotos(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& unreadable,
                          HWND owner) {
  if (unreadable.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(unreadable.size());
  size_t withoutCopy = 0;
  for (const UnreadableReference& photo : unreadable) {
    std::string line = PhotoName(photo.nome, photo.thumb) + " (file \"" + photo.path + "\")";
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
      "Foto a piena risoluzione che non si possono leggere per intero (troncate, vuote, danneggiate o non "
      "immagini):" + ListedLines(lines) + "\n\n" + shown + " Sostituire i file con le foto intere.";
  // Told before the box: a box answered later must not be asked again meanwhile.
  MarkUnreadableTold(list, unreadable);
  AfxGetUiSeam()->MessageBox(owner, text.c_str(), "Foto illeggibili", MB_OK | MB_ICONWARNING);
}
