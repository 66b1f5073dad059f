#pragma once
// What the album commands need of the main frame: the album it holds, the
// page view, the bars and lists that show the album, the profile settings and
// the wedding-data page. The main frame implements it; tests use a stand-in.
#include <memory>
#include <string>
#include <vector>

#include "framework/framework.h"

class CCryptoEngine;
class CD3DObj;
class CSposalboDoc;

class IAlbumCommandHost {
 public:
  virtual ~IAlbumCommandHost() = default;

  // The window that owns the dialogs and message boxes.
  virtual CWnd* GetOwnerWindow() = 0;
  virtual CSposalboDoc* GetAlbum() = 0;
  // The frame takes the album (null: the frame has none).
  virtual void SetAlbum(std::unique_ptr<CSposalboDoc> album) = 0;
  // The page editing surface's view, given to a new album's nodes.
  virtual CD3DObj* GetPageView() = 0;
  virtual void SetRenderPaused(bool paused) = 0;
  // The page editing surface forgets the page it showed.
  virtual void ClearPageSurface() = 0;
  // The page editing surface draws the current page now, not at its next tick.
  virtual void ShowCurrentPage() = 0;
  // The page bar shows the album's pages again, or nothing.
  virtual void RebuildPageList() = 0;
  virtual void ClearPageList() = 0;
  // The photo bar: stop loading and empty it; or show a folder, with the
  // given file names or (none given) every picture in it.
  virtual void ClearPhotoList() = 0;
  virtual void LoadPhotoList(const std::string& folder, const std::vector<CString>& names) = 0;
  // The page-template list of the tools bar adds a new file.
  virtual void AddPageTemplate(const std::string& path) = 0;
  // The title of the framework document (the frame's title follows it).
  virtual void SetDocumentTitle(const std::string& title) = 0;
  // The toolbar and status bar show the album's state now, not at the next
  // idle time: a dialog's own loop does not give the frame one.
  virtual void UpdateBarsNow() = 0;

  // The custom graphics folder ("Pers Path"), empty when none.
  virtual std::string GetCustomFolder() = 0;
  virtual void SetCustomFolder(const std::string& folder) = 0;
  // The album template folder ("Template Path" or the program's "template\").
  virtual std::string GetTemplateFolder() = 0;
  // The external editor's command line as the frame keeps it (built).
  virtual std::string GetExtAppCmdLine() = 0;
  virtual void SetExtAppCmdLine(const std::string& commandLine) = 0;
  // Profile values of "Program Settings".
  virtual std::string ReadSetting(const char* name) = 0;
  virtual void WriteSetting(const char* name, const std::string& value) = 0;

  // The wedding-data page over the album's data; its modal result.
  virtual INT_PTR RunWeddingData() = 0;
  // The laboratory's seal.
  virtual CCryptoEngine& GetSeal() = 0;
  // The page, the page bar and the photo bar show the photos again whose
  // working copies were made anew on disk.
  virtual void ShowRemadePhotos(const std::vector<std::string>& names) = 0;
  // While held (holds nest), a close of the program asked for meanwhile
  // waits; the last release lets it go ahead once the program's loop has it.
  virtual void HoldClose(bool hold) = 0;
};
