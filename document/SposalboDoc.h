#pragma once
// One album open in the editor: its folder on disk, the project file in it, the
// album's node tree and the state of the colour and text dialogs that act on
// the current page. It makes new albums (blank or from a template), opens and
// saves them, lends the album's own fonts to the system while it is open,
// answers where pictures lie, and writes the laboratory's export.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "document/AlbumFonts.h"
#include "document/AlbumLock.h"
#include "document/services/FileStamp.h"

class CCryptoEngine;
class CD3DObj;
class CLabExport;

namespace treeNode {
class CPaginaTreeNode;
class CSposalboTreeNode;
}  // namespace treeNode

class CSposalboDoc {
 public:
  // A new album in parentFolder\name (or name_1, name_2, ...) from a template.
  // Throws CSposalboException: code 1 when no folder can be made, code 2 when
  // the template cannot be read (the new folder is removed again).
  CSposalboDoc(const std::string& name, const std::string& parentFolder,
               const std::string& templatePath, CD3DObj* view);
  // A new album without pages; the caller adds the first one.
  CSposalboDoc(const std::string& name, int pageWidth, int pageHeight,
               const std::string& parentFolder, CD3DObj* view);
  // The album of a project file; throws CSposalboException code 2 when it
  // cannot be read, or when another editor has it open. An album that cannot
  // be locked against a second editor for another reason opens, and says so.
  CSposalboDoc(const std::string& projectPath, CD3DObj* view);
  ~CSposalboDoc();
  CSposalboDoc(const CSposalboDoc&) = delete;
  CSposalboDoc& operator=(const CSposalboDoc&) = delete;

  // True when the album folder exists afterwards (see CreateAlbumFolder).
  bool CreateFolder(const std::string& parentFolder, const std::string& name);

  // Writes the project file and the image list; false when either could not be
  // written (the album then still counts as never saved if it was). A project
  // file changed on disk since it was read or last written is written over
  // only when the user says so. An album of more objects than its file may
  // hold is not written at all, and the user is told.
  bool Save();
  // True when the last save was not made and the user knows why already: they
  // chose not to write over a project file changed on disk since it was read,
  // or were told the album holds too many objects.
  bool WasSaveDeclined() const { return m_saveDeclined; }
  // The system's error of the last save that failed to write; 0 when it wrote.
  DWORD GetSaveError() const { return m_saveError; }
  bool IsModified() const;
  treeNode::CPaginaTreeNode* GetCurrentPage() const;

  // folder\img\ (working copies) or folder\rif\ (reference copies).
  std::string GetImageFolder(bool working) const;
  // Full path of a picture: album photos in this folder, library pictures in
  // the main frame's library folders. Empty for a name that is not one file
  // name, and for a kind without a folder (a group).
  std::string GetResourceFolder(int kind, bool lowRes, const std::string& name,
                                bool personal) const;
  // "Nozze (300 x 200)".
  std::string GetTitle() const;

  // Removes what the program made in the album folder (its files, the photos
  // of its image list), and the folder once nothing else is in it; refuses
  // anything that is not an album folder. For an album closed without ever
  // being saved: it gives up its lock.
  bool DeleteFolder();

  bool EditSelectionColour();
  // The text dialog over the one selected text; true when the text changed.
  bool EditSelectedText();
  // The text dialog for a new text at a point of the current page; true when
  // one was placed (and selected alone).
  bool CreateText(float x, float y);

  // Writes the laboratory's export into the destination folder. False when the
  // user kept an earlier export or the export failed (the failure is shown and
  // kept in GetLastExportError).
  bool ExportForLab(const std::string& destination, CCryptoEngine& seal);
  const std::string& GetLastExportError() const { return m_lastExportError; }
  // The photos whose working copy the last export made again, so that the
  // pages and the photo bar show what the laboratory gets.
  const std::vector<std::string>& GetLastExportRemade() const { return m_lastExportRemade; }

  treeNode::CSposalboTreeNode* GetRoot() const { return m_root.get(); }
  const std::string& GetFolder() const { return m_folder; }
  const std::string& GetProjectPath() const { return m_projectPath; }
  bool IsNewNeverSaved() const { return m_newNeverSaved; }
  const CAlbumFonts& GetFonts() const { return m_fonts; }
  const LOGFONTA& GetTextFont() const { return m_textFont; }
  COLORREF GetTextColour() const { return m_textColour; }

 private:
  void InitTextDialog();
  // The album's "font" folder into the system's font table and back out.
  void LoadFonts();
  void UnloadFonts();
  void CreateFolderOrThrow(const std::string& parentFolder, const std::string& name);
  void WriteNewAlbumOrThrow();
  // Out of memory while a new album is made: nothing of it stays on disk.
  void RemoveHalfMadeAlbum();
  // Removes the folder CreateFolderOrThrow made, for an album that could not
  // be made after all.
  void RemoveNewFolder();
  // False when the project file changed on disk since it was read or written
  // and the user does not want it written over.
  bool MayWriteProjectFile();
  // False, with the user told, when the project file would hold more
  // elements than the program reads back.
  bool FitsProjectFile() const;
  // False when another editor holds the album.
  bool Lock(const std::string& projectPath);
  void TellIfUnlocked();
  // The list keeps what the working copies the export made again were made
  // from (those the catch-up before it made are kept already), and the pairs
  // it found alike, which the next export need not read again: each as the
  // export copied and compared it, never as the files are after it.
  void KeepComparedPairs(const CLabExport& exporter);

  std::unique_ptr<treeNode::CSposalboTreeNode> m_root;
  std::string m_folder;
  std::string m_projectPath;
  // What the text dialog shows next: the font and colour last chosen.
  LOGFONTA m_textFont{};
  COLORREF m_textColour = 0;
  bool m_newNeverSaved = false;
  bool m_saveDeclined = false;
  DWORD m_saveError = 0;
  // An album left without its lock is told so once, when it is open.
  bool m_unlockedToTell = false;
  CAlbumLock m_lock;
  // The project file as this album last read or wrote it.
  CFileStamp m_projectStamp;
  CAlbumFonts m_fonts;
  std::string m_lastExportError;
  std::vector<std::string> m_lastExportRemade;
};
