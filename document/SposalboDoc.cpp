#include "document/SposalboDoc.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "document/AlbumFolder.h"
#include "document/albumfile/XmlFile.h"
#include "document/DocumentHost.h"
#include "document/services/DocumentMessageBox.h"
#include "document/LabExport.h"
#include "document/imagelist/ImportMessages.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/OutsideEdits.h"
#include "document/imagelist/WorkingCopyOrigin.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/services/PathNames.h"
#include "document/services/SystemMessage.h"
#include "document/SposalboException.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "imagelib/FileReplace.h"

namespace {
const char kCannotCreateFolder[] = "Impossibile creare la directory per il nuovo sposalbo.";
const char kCannotOpen[] = "Impossibile aprire il sposalbo.";
const char kNewTextSample[] = "Prova di testo";
const char kExportErrorTitle[] = "Errore invio al laboratorio";
const char kSaveTitle[] = "Salva sposalbo";
const char kUnlockedTitle[] = "Sposalbo non protetto";

// The open error, with what in the file could not be taken when that is known.
CSposalboException CannotOpen(const std::string& refusal) {
  return CSposalboException(CSposalboException::kCannotOpen,
                            refusal.empty() ? std::string(kCannotOpen) : kCannotOpen + ("\n" + refusal));
}

std::string FolderOfFile(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  const std::string absolute = length > 0 && length < MAX_PATH ? std::string(full, length) : path;
  const size_t separator = absolute.find_last_of("\\/");
  return separator == std::string::npos ? std::string(".") : absolute.substr(0, separator);
}

// The refusal of an album another editor holds, naming it.
std::string InUseElsewhere(const std::string& projectPath) {
  return "Il sposalbo \"" + FolderLastName(FolderOfFile(projectPath)) + "\" (" + projectPath +
         ") \xe8 gi\xe0 aperto in un altro editor.\nChiuderlo l\xe0 prima di aprirlo qui.";
}
}  // namespace

CSposalboDoc::CSposalboDoc(const std::string& name, const std::string& parentFolder,
                           const std::string& templatePath, CD3DObj* view) {
  InitTextDialog();
  std::string refusal;
  try {
    CreateFolderOrThrow(parentFolder, name);
    m_root = treeNode::CSposalboTreeNode::Load(templatePath, view, &refusal);
    // An album starts with at least the spreads its template asks for.
    if (m_root && !m_root->FillToMinPages()) {
      refusal = "Numero minimo di pagine non valido: numMinPage=\"" + std::to_string(m_root->GetNumMinPage()) +
                "\" (al massimo " + std::to_string(treeNode::CSposalboTreeNode::kMostPagesFilled) + ").";
      m_root.reset();
    }
    if (m_root) {
      // A new album opens on its cover, whatever page its template was left on.
      m_root->FirstPage();
      WriteNewAlbumOrThrow();
    }
  } catch (const std::bad_alloc&) {
    RemoveHalfMadeAlbum();
    throw;
  }
  if (!m_root) {
    // No album can be made of it: nothing of it stays on disk.
    RemoveNewFolder();
    throw CannotOpen(refusal);
  }
  TellIfUnlocked();
}

CSposalboDoc::CSposalboDoc(const std::string& name, int pageWidth, int pageHeight,
                           const std::string& parentFolder, CD3DObj* view) {
  InitTextDialog();
  try {
    CreateFolderOrThrow(parentFolder, name);
    m_root = std::make_unique<treeNode::CSposalboTreeNode>(view, nullptr);
    m_root->SetPageSize(pageWidth, pageHeight, m_root->GetRifilo());
    WriteNewAlbumOrThrow();
  } catch (const std::bad_alloc&) {
    RemoveHalfMadeAlbum();
    throw;
  }
  TellIfUnlocked();
}

CSposalboDoc::CSposalboDoc(const std::string& projectPath, CD3DObj* view)
    : m_projectPath(projectPath) {
  InitTextDialog();
  if (!Lock(projectPath)) throw CannotOpen(InUseElsewhere(projectPath));
  // Stamped before it is read: a change made meanwhile is asked about too.
  m_projectStamp = ReadFileStamp(projectPath);
  std::string refusal;
  m_root = treeNode::CSposalboTreeNode::Load(projectPath, view, &refusal);
  if (!m_root) throw CannotOpen(refusal);
  m_folder = FolderOfFile(projectPath);
  // What a save that never finished left beside the album goes.
  RemoveLeftoverReplacement(projectPath);
  LoadFonts();
  if (IDocumentHost* host = GetDocumentHost()) host->LayoutPageStatic();
  TellIfUnlocked();
}

CSposalboDoc::~CSposalboDoc() {
  UnloadFonts();
  m_root.reset();
}

void CSposalboDoc::LoadFonts() { m_fonts.Load(m_folder); }

void CSposalboDoc::UnloadFonts() { m_fonts.Unload(); }

void CSposalboDoc::InitTextDialog() {
  m_textFont.lfHeight = -32;
  m_textFont.lfWeight = FW_NORMAL;
  m_textFont.lfCharSet = DEFAULT_CHARSET;
  m_textFont.lfOutPrecision = OUT_TT_PRECIS;
  m_textFont.lfQuality = ANTIALIASED_QUALITY;
  m_textFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  lstrcpynA(m_textFont.lfFaceName, "Arial", LF_FACESIZE);
  m_textColour = RGB(0, 0, 0);
}

void CSposalboDoc::CreateFolderOrThrow(const std::string& parentFolder, const std::string& name) {
  if (!IsValidAlbumFolderName(name))
    throw CSposalboException(CSposalboException::kCannotCreateFolder, kCannotCreateFolder);
  if (!CreateFolder(parentFolder, name)) {
    // The folder and the reason, in the program's language, tell the user what
    // to change.
    const std::string reason = spab_imagelist::WriteFailureReason(::GetLastError());
    throw CSposalboException(CSposalboException::kCannotCreateFolder,
                             std::string(kCannotCreateFolder) + "\n" + JoinPath(parentFolder, name) + ":\n" + reason);
  }
  m_projectPath = JoinPath(m_folder, kProjectFileName);
  m_newNeverSaved = true;
  // A folder just made is nobody else's.
  Lock(m_projectPath);
}

void CSposalboDoc::WriteNewAlbumOrThrow() {
  if (m_root->SaveToFile(m_projectPath)) {
    m_projectStamp = ReadFileStamp(m_projectPath);
    return;
  }
  // A folder without its project file would be no album, and could never be
  // removed as one.
  RemoveNewFolder();
  throw CSposalboException(CSposalboException::kCannotCreateFolder, kCannotCreateFolder);
}

void CSposalboDoc::RemoveHalfMadeAlbum() {
  m_root.reset();
  if (!m_projectPath.empty()) RemoveLeftoverReplacement(m_projectPath);
  if (!m_folder.empty()) RemoveNewFolder();
}

void CSposalboDoc::RemoveNewFolder() {
  m_lock.Release();
  RemoveEmptyAlbumFolder(m_folder);
}

bool CSposalboDoc::CreateFolder(const std::string& parentFolder, const std::string& name) {
  // Set only once made, so that a failure after it knows what to remove.
  return CreateAlbumFolder(parentFolder, name, m_folder);
}

bool CSposalboDoc::MayWriteProjectFile() {
  const CFileStamp onDisk = ReadFileStamp(m_projectPath);
  if (!onDisk.exists || onDisk == m_projectStamp) return true;
  const std::string question = "Il file del sposalbo " + m_projectPath +
                               " \xe8 stato cambiato su disco dopo che questo editor lo ha letto, forse da un altro "
                               "programma.\nSalvando, quella versione va persa. Sovrascriverlo?";
  return DocumentMessageBox(question.c_str(), kSaveTitle, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool CSposalboDoc::FitsProjectFile() const {
  if (m_root->CountFileElements() <= kMaxXmlElements) return true;
  const std::string text = "Troppi oggetti: l'album ne contiene pi\xf9 di " + std::to_string(kMaxXmlElements) +
                           ".\nNon \xe8 stato salvato, perch\xe9 non si potrebbe pi\xf9 aprire: il file salvato prima "
                           "resta com'era. Eliminare alcuni oggetti e salvare di nuovo.";
  DocumentMessageBox(text.c_str(), kSaveTitle, MB_OK | MB_ICONWARNING);
  return false;
}

bool CSposalboDoc::Lock(const std::string& projectPath) {
  const CAlbumLock::Result result = m_lock.Acquire(projectPath);
  m_unlockedToTell = result == CAlbumLock::kUnlocked;
  return result != CAlbumLock::kHeldElsewhere;
}

void CSposalboDoc::TellIfUnlocked() {
  if (!m_unlockedToTell) return;
  m_unlockedToTell = false;
  const std::string text = "Il sposalbo \"" + FolderLastName(m_folder) +
                           "\" \xe8 aperto senza protezione: un altro editor potrebbe aprirlo e salvarlo insieme a "
                           "questo.\n" + m_lock.GetPath() + ":\n" + SystemMessage(m_lock.GetError()).str();
  DocumentMessageBox(text.c_str(), kUnlockedTitle, MB_OK | MB_ICONWARNING);
}

bool CSposalboDoc::Save() {
  m_saveError = 0;
  m_saveDeclined = !FitsProjectFile() || !MayWriteProjectFile();
  if (m_saveDeclined) return false;
  const bool projectWritten = m_root->SaveToFile(m_projectPath);
  if (projectWritten)
    m_projectStamp = ReadFileStamp(m_projectPath);
  else
    m_saveError = ::GetLastError();
  m_root->RecountImageRefs();
  const spab_imagelist::CMImageList* list = m_root->GetImageList();
  const bool listWritten = !list || list->Save(m_folder.c_str(), false);
  if (!listWritten && m_saveError == 0) m_saveError = ::GetLastError();
  if (!projectWritten || !listWritten) return false;
  m_newNeverSaved = false;
  return true;
}

bool CSposalboDoc::IsModified() const { return m_root->IsModified(); }

treeNode::CPaginaTreeNode* CSposalboDoc::GetCurrentPage() const {
  return m_root ? m_root->GetCurrentPage() : nullptr;
}

std::string CSposalboDoc::GetImageFolder(bool working) const {
  return m_folder + (working ? "\\img\\" : "\\rif\\");
}

std::string CSposalboDoc::GetResourceFolder(int kind, bool lowRes, const std::string& name,
                                            bool personal) const {
  // A name from the album file names one file in the folder of its kind, or
  // nothing at all.
  if (!IsSingleFileName(name.c_str())) return std::string();
  switch (kind) {
    case 0: {
      // The full picture is the reference copy, which the list names. A CD
      // photo has none: its working copy is the CD's file itself. Without
      // an entry no reference copy is known, and a file of the same name in
      // the reference folder would be another photo's.
      const spab_imagelist::CMImg* image = lowRes ? nullptr : m_root->FindImage(name);
      if (image && IsSingleFileName(image->riferimento.c_str()))
        return GetImageFolder(false) + image->riferimento;
      return GetImageFolder(true) + name;
    }
    case 1:
    case 2:
    case 3:
      return HostResourcePath(kind, lowRes, name, personal);
    default:
      // A group, or any other kind, has no folder and so no picture.
      return std::string();
  }
}

std::string CSposalboDoc::GetTitle() const {
  if (!m_root) return std::string();
  const std::string name = FolderLastName(m_folder);
  std::string title(name.size() + 32, '\0');
  const int length = std::snprintf(&title[0], title.size(), "%s (%d x %d)", name.c_str(),
                                   m_root->GetPageWidth(), m_root->GetPageHeight());
  title.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return title;
}

bool CSposalboDoc::DeleteFolder() {
  if (!HoldsAlbum(m_folder)) return false;
  // The lock file is in the folder.
  m_lock.Release();
  if (const spab_imagelist::CMImageList* list = m_root ? m_root->GetImageList() : nullptr)
    list->DeleteFiles(m_folder.c_str());
  return RemoveAlbumFolder(m_folder);
}

bool CSposalboDoc::EditSelectionColour() {
  if (IDocumentHost* host = GetDocumentHost()) host->EditSelectionColour();
  return true;
}

bool CSposalboDoc::EditSelectedText() {
  treeNode::CPaginaTreeNode* page = GetCurrentPage();
  IDocumentHost* host = GetDocumentHost();
  if (!page || !host || !page->IsTextSelected()) return false;
  auto* node = dynamic_cast<treeNode::CTestoTreeNode*>(page->GetFirstSelected());
  if (!node) return false;
  std::string text = node->GetText();
  LOGFONTA font = node->GetLogFont();
  COLORREF colour = node->GetColour();
  if (!host->EditText(text, font, colour) || text.empty()) return false;
  m_textFont = font;
  m_textColour = colour;
  node->SaveUndo();
  node->SetText(text);
  node->SetColour(colour);
  node->SetFont(font);
  return true;
}

bool CSposalboDoc::CreateText(float x, float y) {
  treeNode::CPaginaTreeNode* page = GetCurrentPage();
  IDocumentHost* host = GetDocumentHost();
  if (!page || !host || !m_root->MayGrowBy(1)) return false;
  std::string text = kNewTextSample;
  LOGFONTA font = m_textFont;
  COLORREF colour = m_textColour;
  if (!host->EditNewText(text, font, colour) || text.empty()) return false;
  m_textFont = font;
  m_textColour = colour;
  page->SaveUndo();
  auto node = std::make_unique<treeNode::CTestoTreeNode>(text, font, colour, page);
  node->SetPosition(x, y);
  treeNode::CTestoTreeNode* placed = node.get();
  page->AddChild(std::move(node), true);
  page->SelectAll(false);
  placed->SetSelected(true);
  return true;
}

void CSposalboDoc::KeepComparedPairs(const CLabExport& exporter) {
  spab_imagelist::CMImageList* list = m_root->GetImageList();
  if (!list) return;
  bool changed = false;
  for (const CLabExport::ComparedPair& pair : exporter.GetCompared())
    if (spab_imagelist::CMImg* image = list->Find(pair.name.c_str()))
      changed |= RecordComparedPair(*image, pair.reference, pair.working, GetResourceFolder(0, true, pair.name, false));
  if (changed) list->Save(m_folder.c_str(), false);
}

bool CSposalboDoc::ExportForLab(const std::string& destination, CCryptoEngine& seal) {
  m_lastExportError.clear();
  m_lastExportRemade.clear();
  // A reference copy changed since its working copy was made travels with a
  // working copy made from it: the laboratory gets the picture it prints from.
  std::vector<std::string> remade;
  if (spab_imagelist::CMImageList* list = m_root->GetImageList()) remade = CatchUpOutsideEdits(*list, m_folder);
  CLabExport exporter(*m_root, m_folder, seal);
  exporter.NoteRemade(remade);
  const CLabExport::Result result = exporter.Run(destination);
  m_lastExportRemade = exporter.GetRemade();
  KeepComparedPairs(exporter);
  switch (result) {
    case CLabExport::kWritten:
      return true;
    case CLabExport::kDeclined:
      return false;
    case CLabExport::kFailed:
      break;
  }
  m_lastExportError = exporter.GetError();
  DocumentMessageBox(m_lastExportError.c_str(), kExportErrorTitle, MB_OK | MB_ICONERROR);
  return false;
}
