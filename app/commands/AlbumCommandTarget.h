#pragma once
// The commands that act on the album as a whole: new, open, close with the
// save question, save, save as album or page template, wedding data, import
// from the laboratory's CD or from files, send to the laboratory, options,
// the external image editor, print. The main frame routes these commands
// here and answers the target's questions through IAlbumCommandHost.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/commands/AlbumCommandHost.h"
#include "framework/framework.h"

namespace spab_imagelist {
struct OpenedImageList;
}

class CAlbumCommandTarget : public CCmdTarget {
 public:
  explicit CAlbumCommandTarget(IAlbumCommandHost& host);

  // Closes the album, asking the save question when it is modified. False
  // when the album stays open: the user cancelled, or saving failed.
  bool QueryCloseAlbum();

  // Watch id -> album image name, for the photos handed to the external editor.
  const std::map<UINT, std::string>& GetWatchedImages() const { return m_watchedImages; }

  afx_msg void OnNewAlbum();
  afx_msg void OnOpenAlbum();
  afx_msg void OnCloseAlbum();
  afx_msg void OnSaveAlbum();
  afx_msg void OnSaveAlbumAsTemplate();
  afx_msg void OnSavePageAsTemplate();
  afx_msg void OnAlbumData();
  afx_msg void OnLoadCD();
  afx_msg void OnLoadImages();
  afx_msg void OnSendToLab();
  afx_msg void OnOptions();
  afx_msg void OnEditImageExternal();
  afx_msg void OnPrint();
  afx_msg void OnUpdateAlbumOpen(CCmdUI* pCmdUI);
  afx_msg void OnUpdateSavePageAsTemplate(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditImageExternal(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrint(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  // Saves the album; a failure is shown and answered false.
  bool SaveOrReport();
  int Ask(const char* text, const char* title, UINT type);
  // The photo bar shows the album's working copies.
  void ShowAlbumPhotos();
  // Tells which names of a CD list were not imported.
  void ReportRefusedCdNames(const std::vector<std::string>& names);
  // The album's image list for an album being opened: false, said, when the
  // album must not open, or when this target went meanwhile (AlbumOpenChecks.cpp).
  bool TakeAlbumImageList(CSposalboDoc& album);
  // One rebuilt from the album's folders for a list that could not be read:
  // written at once, and said.
  void TakeRebuiltImageList(CSposalboDoc& album, spab_imagelist::OpenedImageList& opened);
  // Makes again the working copies changed outside while the album was
  // closed, and tells the photos that cannot be read. False when this target
  // went with its frame meanwhile: nothing of it may be touched.
  bool CatchUpOpenedAlbum(CSposalboDoc& album);
  // Tells which entries of a list that was read were refused for their names,
  // and where the list is kept as it was.
  void TellRefusedImageNames(const spab_imagelist::OpenedImageList& opened);
  // Tells once that numbers of the open album were repaired while it was
  // read, and marks it modified so the repair is saved (AlbumOpenChecks.cpp).
  void TellRepairedNumbers();
  // Refuses, said, to send an album whose pages use photos its image list
  // lacks.
  bool RefuseUnlistedPhotos(CSposalboDoc& album);
  // Writes a copy of the album (of one page when pageIndex >= 0) as a template
  // file chosen by the user; the chosen path, empty when cancelled or failed.
  std::string SaveTemplate(int pageIndex);

  IAlbumCommandHost& m_host;
  std::map<UINT, std::string> m_watchedImages;
  // Expires with this target: a command that let messages through sees
  // whether it still exists.
  std::shared_ptr<const bool> m_lifetime = std::make_shared<const bool>(true);
};
