// The photos of a laboratory export: each photo a page shows travels with its
// working copy and, unless it came from a laboratory CD, its reference copy.
// Before anything is sealed every pair is read and compared, so the
// laboratory prints the picture the pages show.
#include "document/LabExport.h"

#include <windows.h>

#include "document/LabExportFailure.h"
#include "document/LabExportFiles.h"
#include "document/imagelist/ImportMessages.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/PictureLikeness.h"
#include "document/imagelist/WorkingCopy.h"
#include "document/imagelist/WorkingCopyOrigin.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/DocumentMessageBox.h"
#include "document/services/FileStamp.h"
#include "document/services/PathNames.h"
#include "render/MaskPath.h"

namespace {
using lab_export::Fail;
using lab_export::StillWritten;
using lab_export::kTitle;
using spab_imagelist::kImportAgain;

// A photo as the user knows it: the name the photo bar shows, and the file it
// came from.
std::string PhotoLabel(const spab_imagelist::CMImg& image) {
  std::string label = "\"" + image.thumb + "\"";
  if (!image.nome.empty() && image.nome != image.thumb) label += " (" + image.nome + ")";
  return label;
}
}  // namespace

void CLabExport::CopyPhotos(const spab_imagelist::CMImageList& albumList) {
  spab_imagelist::CMImageList exported;
  std::vector<const spab_imagelist::CMImg*> sent;
  for (const auto& image : albumList.GetImages())
    if (image->refCount > 0 && exported.AppendCopy(*image)) sent.push_back(image.get());
  RefuseLostPhotos(sent);
  // The pictures are read on the machine's other cores while the files are copied.
  spab_imagelist::CLikenessReader reader;
  std::vector<SentPair> pairs;
  // Read before the copies: a change after it shows at the next look as one.
  const CFolderChangeTimes referenceTimes(JoinPath(m_albumFolder, "rif"));
  for (const spab_imagelist::CMImg* image : sent) {
    // The working copy with its mask: the shape of a cut-out on the pages.
    const CFileContent workingCopied = CopyPhotoFile("img", image->thumb, *image);
    // A CD photo's working copy is the CD's own file, which the laboratory
    // has: nothing to compare it with.
    if (image->tipo == 0) continue;
    CopyPhotoFile("rif", image->riferimento, *image);
    CFileContent& referenceCopied = m_copied[ExportPath("rif", image->riferimento)];
    referenceCopied.stamp.changed = referenceTimes.Of(image->riferimento);
    // A pair whose bytes, as copied, are those it held when the working copy
    // was made from the reference copy, read whole then, shows one picture:
    // read again, the export of an album of camera photos would take twice
    // as long.
    if (PairIsAsMade(*image, referenceCopied.digest, workingCopied.digest)) continue;
    const size_t working = reader.Add(ExportPath("img", image->thumb));
    pairs.push_back({image, working, reader.Add(ExportPath("rif", image->riferimento))});
  }
  CheckPairs(pairs, reader.Finish());
  // The laboratory's list tells the pairs as they travel: a working copy made
  // again, or a reference copy written since the list was taken, is another.
  for (const ComparedPair& pair : m_compared)
    if (spab_imagelist::CMImg* image = exported.Find(pair.name.c_str()))
      RecordComparedPair(*image, pair.reference, pair.working, ExportPath("img", pair.name));
  if (!exported.Save(m_buildFolder.c_str(), false))
    Fail("Impossibile scrivere la lista immagini in " + m_buildFolder + ".");
}

void CLabExport::RefuseLostPhotos(const std::vector<const spab_imagelist::CMImg*>& sent) const {
  std::string lost;
  for (const spab_imagelist::CMImg* image : sent) {
    if (image->tipo == 0) {
      // The laboratory finds a CD photo's full-size picture by its CD's key.
      if (image->cdkey.empty()) lost += "\n" + PhotoLabel(*image) + ": foto di un CD di cui non si conosce la chiave";
    } else if (image->riferimento.empty()) {
      lost += "\n" + PhotoLabel(*image) + ": senza copia a piena risoluzione";
    } else if (IsSingleFileName(image->riferimento.c_str())) {
      // A name that is no file name is refused as the photos are copied.
      const std::string reference = AlbumPath("rif", image->riferimento);
      if (!ReadFileStamp(reference).exists) lost += "\n" + PhotoLabel(*image) + ": manca " + reference;
    }
  }
  if (lost.empty()) return;
  Fail("Il laboratorio non troverebbe la foto a piena risoluzione di queste foto:" + lost +
       "\n\nPer ciascuna: " + kImportAgain + ".");
}

void CLabExport::CheckPairs(const std::vector<SentPair>& pairs,
                            const std::vector<spab_imagelist::CLikenessReader::Result>& read) {
  std::string unreadable;
  std::vector<const spab_imagelist::CMImg*> differing;
  for (const SentPair& pair : pairs) {
    const spab_imagelist::CMImg& image = *pair.image;
    // A copy that cannot be read whole may have caught a file still written.
    spab_imagelist::CLikenessReader::Result reference = read[pair.reference];
    if (!reference.readable) reference = ReadAgainSettled("rif", image.riferimento, image);
    if (!reference.readable) {
      unreadable += "\n" + PhotoLabel(image) + ": " + AlbumPath("rif", image.riferimento);
      continue;
    }
    spab_imagelist::CLikenessReader::Result working = read[pair.working];
    if (!working.readable) working = ReadAgainSettled("img", image.thumb, image);
    if (!working.readable || !spab_imagelist::AreAlike(working.likeness, reference.likeness))
      differing.push_back(&image);
    else
      m_compared.push_back({image.thumb, m_copied[ExportPath("rif", image.riferimento)],
                            m_copied[ExportPath("img", image.thumb)]});
  }
  for (const spab_imagelist::CMImg* image : differing) RemakeSentWorkingCopy(*image);
  TellRemade();
  if (!unreadable.empty())
    Fail("La copia a piena risoluzione di queste foto non si pu\xF2 leggere per intero (troncata, vuota, "
         "danneggiata o ancora in scrittura da parte di un altro programma, oppure non \xE8 un'immagine): il "
         "laboratorio non potrebbe stamparle." + unreadable +
         "\n\nPer ciascuna: se un programma la sta scrivendo, riprovare quando il programma che lo scrive ha "
         "finito; altrimenti rimettere al suo posto il file originale, oppure " + kImportAgain + ".");
}

spab_imagelist::CLikenessReader::Result CLabExport::ReadAgainSettled(const char* folder, const std::string& name,
                                                                     const spab_imagelist::CMImg& image) {
  spab_imagelist::CLikenessReader::Result result;
  const std::string source = AlbumPath(folder, name), target = ExportPath(folder, name);
  if (!WaitUntilSettled(source)) return result;
  CopyOneFile(source, target, PhotoLabel(image));
  result.readable = spab_imagelist::ReadPictureLikeness(target, result.likeness);
  return result;
}

void CLabExport::RemakeSentWorkingCopy(const spab_imagelist::CMImg& image) {
  const std::string working = AlbumPath("img", image.thumb), reference = AlbumPath("rif", image.riferimento);
  CFileContent madeFrom;
  if (RemakeWorkingCopy(reference.c_str(), working.c_str(), &madeFrom.stamp, &madeFrom.digest) !=
      RemakeResult::kWritten)
    Fail("La copia di lavoro della foto " + PhotoLabel(image) + " non corrisponde alla sua copia a piena "
         "risoluzione e non si \xE8 potuta rifare in " + working + ".");
  // Made from other bytes than those the laboratory gets: the reference
  // copy was written meanwhile.
  if (madeFrom.digest != m_copied[ExportPath("rif", image.riferimento)].digest)
    Fail(StillWritten(PhotoLabel(image), reference));
  m_remade.push_back(image.thumb);
  // The copy made again may have no shape where the old one had one.
  const std::string target = ExportPath("img", image.thumb);
  ::DeleteFileA(MaskPathFor(target.c_str()).c_str());
  m_compared.push_back({image.thumb, madeFrom, CopyPictureWithMask(working, target, PhotoLabel(image))});
}

void CLabExport::TellRemade() const {
  if (m_remade.empty()) return;
  std::string text =
      "La copia di lavoro di queste foto non corrispondeva alla loro copia a piena risoluzione ed \xE8 stata "
      "rifatta da questa: le pagine le mostrano come le ricever\xE0 il laboratorio.\n";
  const spab_imagelist::CMImageList* list = m_album.GetImageList();
  for (const std::string& name : m_remade) {
    const spab_imagelist::CMImg* image = list ? list->Find(name.c_str()) : nullptr;
    text += "\n" + (image ? PhotoLabel(*image) : "\"" + name + "\"");
  }
  DocumentMessageBox(text.c_str(), kTitle, MB_OK | MB_ICONINFORMATION);
}

std::string CLabExport::AlbumPath(const char* folder, const std::string& name) const {
  return JoinPath(JoinPath(m_albumFolder, folder), name);
}

std::string CLabExport::ExportPath(const char* folder, const std::string& name) const {
  return JoinPath(JoinPath(m_buildFolder, folder), name);
}

CFileContent CLabExport::CopyPhotoFile(const char* folder, const std::string& name,
                                       const spab_imagelist::CMImg& image) {
  // One file each: a name that is no single file name would copy a folder.
  if (!IsSingleFileName(name.c_str())) Fail("Nome di foto non valido: \"" + name + "\".");
  const std::string target = ExportPath(folder, name);
  if (m_written.count(target)) return m_copied[target];
  const CFileContent copied = CopyPictureWithMask(AlbumPath(folder, name), target, PhotoLabel(image));
  m_written.insert(target);
  return copied;
}
