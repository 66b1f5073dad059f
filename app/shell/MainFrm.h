#pragma once
// The editor's one top-level window: it owns the open album, keeps the tool
// mode and the rendering pause the page surface obeys, answers where library
// pictures lie, and routes the album and page commands. Everything else
// reaches it through IEditorFrame.
#include <map>
#include <memory>
#include <string>

#include "app/bars/EditorBars.h"
#include "app/commands/AlbumCommandHost.h"
#include "app/commands/AlbumCommandTarget.h"
#include "app/commands/EditCommands.h"
#include "app/lists/EditorLists.h"
#include "app/shell/EditorFrame.h"
#include "app/shell/StyleCombo.h"
#include "app/surface/RulerSplitterWnd.h"
#include "framework/framework.h"
#include "ui/frames/SkinFrameWnd.h"
#include "ui/frames/toolbar/SkinToolBar.h"

class CDatiSposalboDlg;
class CIDispatchIEExt;

class CChildView;
class CSposalboDoc;

class CMainFrame : public CSkinFrameWnd, public IEditorFrame, public IAlbumCommandHost {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();
  ~CMainFrame() override;

  // IDocumentHost
  std::string GetResourceFolder(int kind, bool lowRes, const std::string& name, bool personal) override;
  int GetToolMode() override { return m_toolMode; }
  bool IsKeyDown(int virtualKey) override;
  treeNode::CPaginaTreeNode* GetCurrentPage() override;
  bool ChooseColour(uint32_t initial, uint32_t& chosen) override;
  void EditSelectionColour() override;
  bool EditText(std::string& text, LOGFONTA& font, COLORREF& colour) override;
  bool EditNewText(std::string& text, LOGFONTA& font, COLORREF& colour) override;
  void InvalidatePhotoThumbnails() override;
  void LayoutPageStatic() override;
  bool IsLabFont(const std::string& faceName) override;

  // IEditorFrame
  CSposalboDoc* GetAlbum() override { return m_album.get(); }
  bool IsRenderPaused() override { return m_renderPaused; }
  void SetRenderPaused(bool paused) override { m_renderPaused = paused; }
  bool IsSizing() override { return m_sizing; }
  std::string GetCustomFolder() override { return m_customFolder; }
  CSposalboPageStatic* GetPageSurface() override;
  void UpdateRulers(const RulerGeometry& geometry) override;
  void UpdatePageThumbnail(int pageIndex) override;
  void NotifyPageList() override;
  void RefreshPhotoList() override;
  void CollectResourceFolders(const char* styleKey, bool custom) override;
  void OnZoomIn() override;
  void OnZoomOut() override;
  afx_msg void OnEditImageExternal() override;
  bool RunCropDialog(const std::string& photoPath, const CropStore& store) override;

  // IAlbumCommandHost (app/commands/MainFrameAlbumHost.cpp)
  CWnd* GetOwnerWindow() override { return this; }
  void SetAlbum(std::unique_ptr<CSposalboDoc> album) override;
  CD3DObj* GetPageView() override;
  void ClearPageSurface() override;
  void ShowCurrentPage() override;
  void RebuildPageList() override;
  void ClearPageList() override;
  void ClearPhotoList() override;
  void LoadPhotoList(const std::string& folder, const std::vector<CString>& names) override;
  void AddPageTemplate(const std::string& path) override;
  void SetDocumentTitle(const std::string& title) override;
  void UpdateBarsNow() override;
  // Library lists showing the custom graphics show the new folder's.
  void SetCustomFolder(const std::string& folder) override;
  std::string GetTemplateFolder() override;
  std::string GetExtAppCmdLine() override { return m_extAppCmdLine; }
  void SetExtAppCmdLine(const std::string& commandLine) override { m_extAppCmdLine = commandLine; }
  std::string ReadSetting(const char* name) override;
  void WriteSetting(const char* name, const std::string& value) override;
  INT_PTR RunWeddingData() override;
  CCryptoEngine& GetSeal() override;
  void ShowRemadePhotos(const std::vector<std::string>& names) override;
  void HoldClose(bool hold) override;

  // Library folders: the profile value or its default under the program
  // folder, then "lowres\" or "highres\".
  CString GetFramePath(bool low);
  CString GetEffectPath(bool low);
  CString GetImagePath(bool low);
  CString GetPageTemplatePath();
  // The custom graphics folder (or the fallback) with the kind's subfolder.
  CString GetCustomFramePath(bool low, const char* fallback);
  CString GetCustomEffectPath(bool low, const char* fallback);
  CString GetCustomImagePath(bool low, const char* fallback);
  CString GetCustomTemplateFolder();

  // Closes the album, asking the save question when it is modified; false
  // when the user cancelled (the album stays open).
  bool QueryCloseAlbum();
  void SetToolMode(int mode) { m_toolMode = mode; }
  // "Righello": shows or hides the two rulers.
  void ToggleRulers();
  bool AreRulersShown() const { return m_rulers.AreRulersShown(); }
  CRulerSplitterWnd& GetRulerSplitter() { return m_rulers; }
  CChildView* GetChildView() const { return m_view; }
  // Reads the laboratory's font list named by the profile value "Font list".
  void LoadFontList();
  // The thumbnail lists; the docking bars create their windows.
  CEditorLists& GetLists() { return m_lists; }

  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CAlbumCommandTarget& GetAlbumCommands() { return m_albumCommands; }

  CSkinToolBar m_wndToolBar;
  CStatusBar m_wndStatusBar;
  CSposalboStyleCombo m_styleCombo;
  CEditorBars& GetBars() { return m_bars; }

 protected:
  afx_msg void OnDestroy();
  // A close asked for while a command holds it waits for the command's end;
  // the session's end is refused meanwhile (MainFrameAlbumHost.cpp).
  afx_msg void OnClose();
  afx_msg LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
  afx_msg void OnExitSizeMove();
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg LRESULT OnPinBarAutoHide(WPARAM wParam, LPARAM lParam);
  // A photo edited outside changed on disk: its low-resolution copy is made
  // again and the page reloads its pictures (MainFrmOutsideEdits.cpp).
  afx_msg LRESULT OnFileWatchNotify(WPARAM wParam, LPARAM lParam);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  // Back from another program: a reference copy replaced meanwhile reaches
  // the page.
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  // The status bar's page ("1 / 3") and page size ("300 x 150") panes.
  afx_msg void OnUpdatePagePane(CCmdUI* pCmdUI);
  afx_msg void OnUpdateSizePane(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  // What an editing command acts on, taken when it runs.
  EditContext MakeEditContext();
  // The text dialog for a text being edited (its own font kept) or made.
  bool RunTextDialog(std::string& text, LOGFONTA& font, COLORREF& colour, bool newText);
  CString LibraryPath(const char* value, const char* folder, bool low);
  CString CustomPath(const char* kind, bool low, const char* fallback);
  void RefreshTitle();
  // Every working copy whose reference copy changed since it was made is
  // made again: now, or a few times shortly (a file may still be written).
  // Coming back to the program, the unreadable ones are told and what shows
  // a working copy another program wrote reads it again.
  void CatchUpReferenceCopies(bool userIsBack);
  // The photo bar, the page bar and the page show the photos' working copies again.
  void ShowChangedWorkingCopies(const std::vector<std::string>& names);
  void LookAtReferenceCopiesSoon();

  int m_toolMode = 0;
  bool m_renderPaused = true;
  bool m_sizing = false;
  bool m_savedPause = true;
  int m_referenceLooks = 0;  // left before the reference copies are let be
  int m_closeHolds = 0;
  bool m_closeHeld = false;  // a close came while held
  std::unique_ptr<CSposalboDoc> m_album;
  std::string m_customFolder;
  CChildView* m_view = nullptr;
  std::string m_extAppCmdLine;
  CRulerSplitterWnd m_rulers;
  CEditorLists m_lists;
  // The docking bars that show the lists, and their auto-hide strips.
  CEditorBars m_bars{m_lists};
  std::map<std::string, std::string> m_fontNames;
  // The album, editing and navigation commands, offered after the frame's own.
  CAlbumCommandTarget m_albumCommands{*this};
  CEditCommandTarget m_editCommands;
  // The wedding-data page and its script object, made with the frame's window.
  std::unique_ptr<CDatiSposalboDlg> m_weddingData;
  std::unique_ptr<CIDispatchIEExt> m_weddingScript;
};
