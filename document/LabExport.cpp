#include "document/LabExport.h"

#include <windows.h>

#include <memory>

#include "document/AlbumFolder.h"
#include "document/AlbumFonts.h"
#include "document/albumfile/AlbumXml.h"
#include "document/services/CryptoEngine.h"
#include "document/DocumentHost.h"
#include "document/LabExportFailure.h"
#include "document/LabExportFiles.h"
#include "document/LabExportLeftovers.h"
#include "document/services/DocumentMessageBox.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/services/FileOperation.h"
#include "document/services/FileStamp.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/services/PathNames.h"
#include "document/services/SystemMessage.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "render/MaskPath.h"

namespace {
using lab_export::Fail;
using lab_export::Failure;
using lab_export::StillWritten;
using lab_export::kTitle;
const char kExportSuffix[] = "_xlab";
const char kOverwriteQuestion[] =
    "Nella cartella scelta esiste gi\xE0 un precedente invio di questo sposalbo. "
    "Vuoi sovrascriverlo?";
const char kOverwriteTitle[] = "Invio gi\xE0 esistente";
// A file another program is still writing is looked at this often, and for
// at most this long, before it is copied again.
constexpr unsigned kSettleStep = 250;    // milliseconds
constexpr unsigned kSettleLimit = 5000;  // milliseconds
}  // namespace

CLabExport::CLabExport(treeNode::CSposalboTreeNode& album, const std::string& albumFolder,
                       CCryptoEngine& seal)
    : m_album(album), m_albumFolder(albumFolder), m_seal(seal) {}

std::string CLabExport::ExportFolderFor(const std::string& destination,
                                        const std::string& albumFolder) {
  return JoinPath(destination, FolderLastName(albumFolder) + kExportSuffix);
}

CLabExport::Result CLabExport::Run(const std::string& destination) {
  m_error.clear();
  m_written.clear();
  m_copied.clear();
  m_exportFolder = ExportFolderFor(destination, m_albumFolder);
  // What an export that never finished left goes first, so that it neither
  // reaches the laboratory nor holds the names of this one.
  const LabLeftoverReport leftovers = TidyLabLeftovers(GetLabExportFiles(), m_exportFolder);
  if (!leftovers.text.empty())
    DocumentMessageBox(leftovers.text.c_str(), kTitle,
                       MB_OK | (leftovers.complete ? MB_ICONINFORMATION : MB_ICONWARNING));
  CFileOperation files;
  const bool earlier = files.GetPathKind(m_exportFolder.c_str()) != CFileOperation::kPathMissing;
  if (earlier && DocumentMessageBox(kOverwriteQuestion, kOverwriteTitle, MB_OKCANCEL) != IDOK)
    return kDeclined;
  // The new export is built beside the final place and put there only once
  // it is whole: until then an earlier export stays exactly as it was.
  m_buildFolder = MakeBuildFolder();
  if (m_buildFolder.empty()) {
    // The system's reason tells the user whether to pick another folder.
    m_error = "Impossibile creare la cartella " + m_exportFolder + ": " + SystemMessage(::GetLastError()).str();
    return kFailed;
  }
  try {
    WriteExport();
    PutInPlace(earlier);
  } catch (const Failure& failure) {
    m_error = failure.text;
    // Half an export must not pass for a complete one.
    GetLabExportFiles().RemoveTree(m_buildFolder);
    return kFailed;
  }
  return kWritten;
}

std::string CLabExport::MakeBuildFolder() const {
  for (int attempt = 0; attempt < kLabSiblingAttempts; ++attempt) {
    const std::string folder = LabSiblingName(m_exportFolder, kLabBuildSuffix, attempt);
    if (::CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::string();
}

void CLabExport::PutInPlace(bool earlier) {
  ILabExportFiles& files = GetLabExportFiles();
  std::string aside;
  if (earlier) {
    for (int attempt = 0; attempt < kLabSiblingAttempts && aside.empty(); ++attempt) {
      const std::string candidate = LabSiblingName(m_exportFolder, kLabAsideSuffix, attempt);
      if (!files.Exists(candidate)) aside = candidate;
    }
    if (aside.empty())
      Fail("Impossibile sostituire il precedente invio " + m_exportFolder + ": troppe cartelle accanto.");
    if (!files.Move(m_exportFolder, aside))
      Fail("Impossibile sostituire il precedente invio " + m_exportFolder + ": " + files.LastError());
  }
  if (!files.Move(m_buildFolder, m_exportFolder)) {
    std::string text = "Impossibile creare la cartella " + m_exportFolder + ": " + files.LastError();
    // The earlier export goes back where it was, or the user learns where it
    // is (and the next export puts it back).
    if (earlier && !files.Move(aside, m_exportFolder))
      text += "\nIl precedente invio si trova in " + aside + ".";
    Fail(text);
  }
  // The new export is in place: the earlier one is no longer needed, and
  // must not travel beside it.
  if (earlier && !files.RemoveTree(aside)) {
    const std::string text = "Il nuovo invio \xE8 in " + m_exportFolder +
                             ", ma non \xE8 stato possibile eliminare il precedente invio in " + aside +
                             " (" + files.LastError() + "). Eliminarlo prima di consegnare la cartella.";
    DocumentMessageBox(text.c_str(), kTitle, MB_OK | MB_ICONWARNING);
  }
}

void CLabExport::WriteExport() {
  MakeFolder(JoinPath(m_buildFolder, "img"));
  MakeFolder(JoinPath(m_buildFolder, "rif"));

  std::unique_ptr<treeNode::CSposalboTreeNode> copy = m_album.CloneAlbum(m_album.GetView());
  // The photos first: the user hears of every working copy made again, and
  // of every photo that cannot go, before anything is sealed. The counts of
  // the copy are made afresh from its pages, so only photos some page really
  // shows travel.
  copy->RecountImageRefs();
  if (spab_imagelist::CMImageList* list = copy->GetImageList()) CopyPhotos(*list);
  else CopyPhotos(spab_imagelist::CMImageList());

  const std::string projectFile = JoinPath(m_buildFolder, kProjectFileName);
  if (!copy->SaveToFile(projectFile)) Fail("Impossibile scrivere " + projectFile + ".");
  if (!m_seal.SignFile(projectFile.c_str(), nullptr))
    Fail("Impossibile scrivere il sigillo di " + projectFile + ".");

  CopyNodeResources(*copy);
}

void CLabExport::CopyNodeResources(treeNode::CTreeNode& node) {
  using namespace treeNode;
  if (auto* text = dynamic_cast<CTestoTreeNode*>(&node)) {
    ExportFont(*text);
  } else if (auto* effect = dynamic_cast<CEffectTreeNode*>(&node)) {
    if (effect->IsPersonal()) CopyPersonalResource(kKindEffect, "effect", effect->GetName());
  } else if (node.HasTag(tags::kCornice) || node.HasTag(tags::kImage)) {
    auto* picture = dynamic_cast<CImgTreeNode*>(&node);
    if (picture && picture->IsPersonal()) {
      const bool frame = node.HasTag(tags::kCornice);
      CopyPersonalResource(frame ? kKindFrame : kKindImage, frame ? "frame" : "image",
                           picture->GetName());
    }
  } else if (auto* page = dynamic_cast<CPaginaTreeNode*>(&node)) {
    if (CSfondoTreeNode* background = page->GetBackground()) CopyNodeResources(*background);
  }
  for (size_t i = 0; i < node.GetChildCount(); ++i) CopyNodeResources(*node.GetChild(i));
}

void CLabExport::ExportFont(treeNode::CTestoTreeNode& text) {
  const LOGFONTA font = text.GetLogFont();
  const std::string face = font.lfFaceName;
  IDocumentHost* host = GetDocumentHost();
  if (host && host->IsLabFont(face)) return;
  // The face comes from the album file and becomes a file name.
  if (!IsSingleFileName(face.c_str())) Fail("Nome di carattere non valido: \"" + face + "\".");
  const std::string fontFolder = JoinPath(m_buildFolder, "font");
  const std::string target = JoinPath(fontFolder, face + ".ttf");
  if (m_written.count(target)) return;
  MakeFolder(fontFolder);
  if (!WriteFontFile(font, target))
    Fail("Impossibile esportare il carattere " + face + " (non installato su questo computer?).");
  m_written.insert(target);
}

void CLabExport::CopyPersonalResource(int kind, const char* kindFolder, const std::string& name) {
  if (!IsSingleFileName(name.c_str())) Fail("Nome di risorsa non valido: \"" + name + "\".");
  const std::string folder = JoinPath(m_buildFolder, kindFolder);
  for (bool lowRes : {false, true}) {
    const std::string resolutionFolder = JoinPath(folder, lowRes ? "lowres" : "highres");
    const std::string target = JoinPath(resolutionFolder, name);
    if (m_written.count(target)) continue;
    MakeFolder(folder);
    MakeFolder(resolutionFolder);
    // A frame's shape goes with it, or the laboratory could not cut what
    // the frame holds.
    CopyPictureWithMask(HostResourcePath(kind, lowRes, name, true), target);
    m_written.insert(target);
  }
}

bool CLabExport::WaitUntilSettled(const std::string& path) const {
  ILabExportFiles& files = GetLabExportFiles();
  CFileStamp last = ReadFileStamp(path);
  for (unsigned waited = 0; waited < kSettleLimit; waited += kSettleStep) {
    files.Pause(kSettleStep);
    const CFileStamp now = ReadFileStamp(path);
    if (now == last) return true;
    last = now;
  }
  return false;
}

CFileContent CLabExport::CopyOneFile(const std::string& source, const std::string& target, const std::string& photo) {
  ILabExportFiles& files = GetLabExportFiles();
  for (unsigned waited = 0;; waited += kSettleStep) {
    CFileContent copied;
    copied.stamp = ReadFileStamp(source);
    const ILabExportFiles::CopyResult result = files.Copy(source, target, copied.digest);
    if (result == ILabExportFiles::CopyResult::kFailed)
      Fail("Impossibile copiare " + source + ": " + files.LastError() + ".");
    // A program that had the file open for writing, or wrote it just before
    // it was held (an outside editor saving a photo), is waited for.
    if (result == ILabExportFiles::CopyResult::kCopied && ReadFileStamp(source) == copied.stamp) {
      m_copied[target] = copied;
      return copied;
    }
    if (waited >= kSettleLimit) Fail(StillWritten(photo, source));
    files.Pause(kSettleStep);
  }
}

CFileContent CLabExport::CopyPictureWithMask(const std::string& source, const std::string& target,
                                             const std::string& photo) {
  const CFileContent copied = CopyOneFile(source, target, photo);
  if (HasMaskBeside(source.c_str())) CopyOneFile(MaskPathFor(source.c_str()), MaskPathFor(target.c_str()), photo);
  return copied;
}

void CLabExport::MakeFolder(const std::string& folder) {
  if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
    Fail("Impossibile creare la cartella " + folder + ": " + SystemMessage(::GetLastError()).str());
}
