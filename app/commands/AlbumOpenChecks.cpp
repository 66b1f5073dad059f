// What opening an album checks beyond its project file: its image list, and
// the numbers repaired while its objects were read.
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/commands/AlbumCommandTarget.h"
#include "app/commands/QuotedNames.h"
#include "app/commands/UnreadablePhotos.h"
#include "app/dialogs/ProgressWindow.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/ImageListOpening.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/OutsideEdits.h"
#include "document/imagelist/WorkingCopyRemakes.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
const char kOpenErrorTitle[] = "Errore caricamento File";
const char kRepairKinds[] = " (posizione, scala, rotazione, colore o ritaglio di un oggetto), ";

// Each photo by the name the user gave it, the file name refused beside it.
std::string RefusedPhotos(const std::vector<spab_imagelist::RefusedImage>& refused) {
  std::vector<std::string> lines;
  lines.reserve(refused.size());
  for (const spab_imagelist::RefusedImage& image : refused)
    lines.push_back(image.nome.empty() || image.nome == image.file
                        ? "\"" + image.file + "\""
                        : "\"" + image.nome + "\" (file \"" + image.file + "\")");
  return ListedLines(lines);
}

// Working copies made again as the album opens: with its img folder gone,
// hundreds of photos take minutes. The window shows how far the work has gone
// once it lasts, and goes on answering; the album is not yet the frame's, so
// nothing drawn or done meanwhile reaches it.
std::vector<WorkingCopyRemake> RemakeShowingProgress(CWnd* owner, std::vector<WorkingCopyRemake> remakes) {
  if (remakes.empty()) return remakes;
  constexpr DWORD kQuiet = 250;     // milliseconds without a window: a photo or two
  constexpr DWORD kLookEvery = 100;  // milliseconds between looks at the count
  CWorkingCopyRemakes running(std::move(remakes));
  std::unique_ptr<CProgressWindow> progress;
  const DWORD started = ::GetTickCount();
  size_t shown = static_cast<size_t>(-1);
  const HANDLE finished = running.Finished();
  bool quit = false;
  WPARAM quitCode = 0;
  for (;;) {
    if (!progress && ::GetTickCount() - started >= kQuiet)
      progress = std::make_unique<CProgressWindow>(owner, "Apri sposalbo");
    if (progress && running.Done() != shown) {
      shown = running.Done();
      char text[160];
      std::snprintf(text, sizeof text, "Copie di lavoro delle foto rifatte dalle copie a piena risoluzione:\n%u di %u",
                    static_cast<unsigned>(shown), static_cast<unsigned>(running.Total()));
      progress->Show(text, shown, running.Total());
    }
    const DWORD woke = ::MsgWaitForMultipleObjects(1, &finished, FALSE, kLookEvery, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) break;
    // Plain dispatch: no accelerator of the frame may start a command now.
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = message.wParam;
        continue;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  std::vector<WorkingCopyRemake> ended = running.Wait();
  // The program's end asked for meanwhile is kept for its own loop.
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return ended;
}
}  // namespace

bool CAlbumCommandTarget::TakeAlbumImageList(CSposalboDoc& album) {
  treeNode::CSposalboTreeNode& root = *album.GetRoot();
  // The album's list is still empty: every photo the pages show.
  spab_imagelist::OpenedImageList opened =
      spab_imagelist::OpenAlbumImageList(album.GetFolder(), root.GetUnlistedPhotos());
  switch (opened.state) {
    case spab_imagelist::OpenedImageList::kRead:
      root.SetImageList(std::move(opened.list));
      // The photo bar marks what the pages use, not the counts last saved.
      root.RecountImageRefs();
      TellRefusedImageNames(opened);
      return CatchUpOpenedAlbum(album);
    case spab_imagelist::OpenedImageList::kNone:
      return true;
    case spab_imagelist::OpenedImageList::kSetAside:
    case spab_imagelist::OpenedImageList::kLost:
      TakeRebuiltImageList(album, opened);
      return true;
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

// Edits saved outside after the album was last closed reach its pages, and
// working copies deleted meanwhile come back; the photos whose reference
// copy cannot be read or is gone, or whose working copy could not be made
// again, are told.
bool CAlbumCommandTarget::CatchUpOpenedAlbum(CSposalboDoc& album) {
  spab_imagelist::CMImageList& list = *album.GetRoot()->GetImageList();
  OutsideEditsFound found;
  OutsideEditsPlan plan = FindOutsideEdits(list, album.GetFolder(), &found);
  CWnd* owner = m_host.GetOwnerWindow();
  const bool originsChanged = plan.originsChanged;
  const std::weak_ptr<const bool> alive = m_lifetime;
  std::vector<WorkingCopyRemake> remade = RemakeShowingProgress(owner, std::move(plan.remakes));
  // The frame holds a close until the album is open; should it have gone
  // all the same, the album goes unopened with it.
  if (alive.expired()) return false;
  TakeRemadeWorkingCopies(list, album.GetFolder(), std::move(remade), originsChanged, &found);
  TellPhotoFailures(list, found, owner ? owner->m_hWnd : nullptr);
  return true;
}

// The rebuilt list only guesses which reference copy belongs to which photo:
// no working copy is made again from it as the album opens.
void CAlbumCommandTarget::TakeRebuiltImageList(CSposalboDoc& album, spab_imagelist::OpenedImageList& opened) {
  treeNode::CSposalboTreeNode& root = *album.GetRoot();
  const size_t found = opened.list->GetImages().size();
  root.SetImageList(std::move(opened.list));
  root.RecountImageRefs();
  // Written at once: an album closed without saving would otherwise open
  // next time with no list at all, and its next import would hide its photos.
  const bool written = root.GetImageList()->Save(album.GetFolder().c_str(), false);
  std::string text = opened.state == spab_imagelist::OpenedImageList::kLost
                         ? "La lista delle immagini dello sposalbo manca:\n" + opened.path
                         : "La lista delle immagini dello sposalbo non pu\xF2 essere letta:\n" + opened.path +
                               "\n\n\xC8 stata conservata com'era in\n" + opened.setAsidePath;
  text += "\n\nUna nuova lista \xE8 stata ricostruita dalle foto della cartella img (foto trovate: " +
                     std::to_string(found) +
                     "); i nomi originali dei file e le chiavi dei CD non si sono potuti recuperare.";
  // A photo without a reference copy became a CD photo without its CD's key:
  // the laboratory finds no full-size picture for it, so the export refuses it.
  std::vector<std::string> withoutFullSize;
  for (const auto& image : root.GetImageList()->GetImages())
    if (image->tipo == 0) withoutFullSize.push_back(image->thumb);
  if (!withoutFullSize.empty())
    text += "\n\nFoto rimaste senza copia a piena risoluzione n\xE9 chiave del CD (non si possono inviare al "
            "laboratorio: caricarle di nuovo con File > Carica immagini e rimetterle al loro posto nelle "
            "pagine):\n" + QuotedNames(withoutFullSize);
  if (!opened.unmatched.empty())
    text += "\n\nFoto che non si sono potute abbinare a una copia a piena risoluzione della cartella rif "
            "(al laboratorio andrebbero ridotte):\n" + QuotedNames(opened.unmatched);
  if (!written) {
    text += "\n\nLa nuova lista non \xE8 stata ancora scritta: salvando lo sposalbo viene conservata.";
    root.SetModified(true);
  }
  Ask(text.c_str(), kOpenErrorTitle, MB_OK | MB_ICONWARNING);
}

// Entries of the list whose file names the program never opens: the pages
// lose those photos, and the next save writes the list without them.
void CAlbumCommandTarget::TellRefusedImageNames(const spab_imagelist::OpenedImageList& opened) {
  if (opened.refused.empty()) return;
  std::string text = "Foto non caricate: nome di file non valido nella lista delle immagini dello sposalbo:\n" +
                     opened.path + "\n" + RefusedPhotos(opened.refused);
  text += opened.keptPath.empty()
              ? "\n\nNon \xE8 stato possibile conservare la lista com'era: salvando lo sposalbo queste foto "
                "escono dalla lista."
              : "\n\nLa lista \xE8 stata conservata com'era in\n" + opened.keptPath;
  Ask(text.c_str(), kOpenErrorTitle, MB_OK | MB_ICONWARNING);
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
