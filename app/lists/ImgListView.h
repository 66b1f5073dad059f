#pragma once
// A list of 96 x 96 thumbnails (frames, effects, images or the album's
// photos) filled by a loader thread of its own, by scanning a folder or from
// a list of file names; items are dragged onto the page or double-clicked.
//
// The loader never touches a window nor the list: the list chooses the files
// when the load starts, the loader makes each thumbnail bitmap and posts it
// to the list, which adds it on the user-interface thread. Every load has
// a number; thumbnails of an earlier load that arrive late are dropped. A new
// load, a clear and the list's destruction stop and join the running loader
// first.
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "document/services/Win32Handle.h"
#include "framework/framework.h"

class CSposalboPageStatic;

class CImgListView : public CListCtrl {
  DECLARE_DYNAMIC(CImgListView)
 public:
  // Sent to the list by its loader: a finished thumbnail, the end of a load.
  static constexpr UINT kThumbnailMessage = WM_APP + 0x120;
  static constexpr UINT kLoadDoneMessage = WM_APP + 0x121;
  // Above a row's picture and between it and its label line.
  static constexpr int kRowPadding = 8;

  CImgListView();
  ~CImgListView() override;

  virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Without a trailing backslash: names are joined to it with one.
  void SetFolder(const CString& folder);
  const CString& GetFolder() const { return m_folder; }
  void SetSubfolder(const CString& subfolder) { m_subfolder = subfolder; }
  void SetPersonal(bool personal) { m_personal = personal; }
  bool IsPersonal() const { return m_personal; }
  // The style key and custom flag the frame gives the library lists.
  void SetStyle(const char* styleKey, bool custom);
  bool IsCustom() const { return m_custom; }

  // Scans the folder (and subfolder) on the loader thread.
  void LoadFolderAsync();
  // Loads the given names (full paths in file-list mode, else names in the
  // folder) on the loader thread.
  void LoadFilesAsync(const std::vector<CString>& names, bool fileListMode);
  // Stops the running load and waits until its thread has ended.
  void StopLoading();
  bool IsLoading() const { return m_loading; }
  // Stops loading and removes every item and thumbnail.
  void ClearThumbnails();
  // Adds one file's thumbnail on this thread; false when it cannot be read.
  bool AddFile(const CString& name);
  // Redraws the thumbnail of the first item of that name from path.
  bool RefreshThumbnail(const CString& name, const CString& path);
  // Selects the first item of that name alone; false when none has it.
  bool SelectItemNamed(const CString& name);

  const std::vector<CString>& GetNames() const { return m_names; }
  // The index of an item's picture in the list's images; -1 without one.
  int GetItemImage(int item) const;
  // The name of the first selected item; empty without selection.
  CString GetFirstSelectedName() const;

  // Whether the list shows a file; asked on the list's own thread when a
  // load starts, never by the loader.
  virtual bool AcceptFile(const CString& name) const;
  // Drops the dragged item on the page.
  virtual void DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name);
  // Marks an item (the photo list's used mark).
  virtual void UpdateItemState(int index);
  // Whether a mask beside a file shapes its thumbnail (the album's photos;
  // a frame's mask is its window, not its outline).
  virtual bool MasksShapePictures() const { return false; }

 protected:
  // The window under a screen point during a drag (a test answers it).
  virtual HWND WindowAt(POINT screen) const;
  // Whether the left button is held now (a test answers it for posted input).
  virtual bool IsLeftButtonDown() const;
  virtual void OnDoubleClick();

  afx_msg void OnDestroy();
  afx_msg LRESULT OnThumbnail(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnLoadDone(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

  bool EnsureImageList();
  // Rows exactly as tall as the pictures and their labels need.
  void FitRowsTo(int imageHeight);
  // Columns as wide as the system spaces icons, but no wider than the list
  // with its vertical scroll bar, so a narrow list scrolls only up and down.
  void FitColumnsToWidth();
  // Appends a finished thumbnail as the next item.
  void AppendThumbnail(const CString& name, HBITMAP bitmap);
  CString PathOf(const CString& name) const;
  // Takes an item and its name out of the list.
  void RemoveItem(int index);
  std::vector<CString>& Names() { return m_names; }
  CSposalboPageStatic* Surface() const;

 private:
  struct Job;
  static DWORD WINAPI LoaderMain(void* job);
  void StartLoader(std::vector<CString> names, bool scanFolder);
  void ClearItems();
  // Where the drag image goes for the cursor at a screen point.
  POINT DragImagePoint(POINT screen) const;
  // Adds where the drag image is drawn for that point of it.
  void TrackDragImage(POINT screen);
  // Starts dragging an item from a screen point; false without album or item.
  bool BeginDragOf(int item, POINT screen);
  void EndDrag();

  CImageList m_thumbnails;
  std::vector<CString> m_names;
  CString m_folder;
  CString m_subfolder;
  bool m_personal = false;
  std::string m_styleKey;
  bool m_custom = false;
  bool m_loading = false;
  std::atomic<bool> m_stop{false};
  CScopedHandle m_thread;
  int m_generation = 0;
  bool m_fileListMode = false;
  std::unique_ptr<CImageList> m_dragImage;
  bool m_dragging = false;
  int m_dragItem = -1;
  // The item the left button went down on, and where, while it is held.
  int m_pressedItem = -1;
  CPoint m_pressedAt;
  // The screen area the drag image has covered.
  CRect m_dragArea;
  // The system's column width and the row height once the pictures are set.
  int m_systemColumn = 0;
  int m_rowHeight = 0;
};
