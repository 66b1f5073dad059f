#pragma once
// The window in which the current page is drawn and edited with the mouse: a
// static control that is also a Direct3D view. It draws the page on a 100 ms
// timer whenever what it shows changed since its last frame, and turns mouse
// input into node operations (selection by click and rubber band, moving,
// resizing and rotating by handles, panning, zooming, wheel and double-click
// actions, the context and selection menus). Drops from the thumbnail lists
// become nodes of the current page. It reaches the main frame only through
// IEditorFrame.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/menus/ContextMenu.h"
#include "app/menus/SelectionMenu.h"
#include "app/surface/SurfaceRules.h"
#include "document/nodes/TreeNode.h"
#include "framework/framework.h"
#include "render/D3DObj.h"

class CD3DSelection;
class IEditorFrame;

namespace treeNode {
class CImgTreeNode;
class CPaginaTreeNode;
}  // namespace treeNode

class CSposalboPageStatic : public CStatic, public CD3DObj {
  DECLARE_DYNAMIC(CSposalboPageStatic)
 public:
  static constexpr UINT_PTR kRenderTimer = 1;
  static constexpr UINT kRenderInterval = 100;

  CSposalboPageStatic();
  ~CSposalboPageStatic() override;

  // A visible child with the surface's own window class.
  BOOL Create(const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

  // CD3DObj
  int Render() override;
  void Pan(float dx, float dy) override;
  void SetPan(float x, float y) override;
  void Zoom(float fx, float fy) override;
  void SetZoom(float x, float y) override;

  // Tells the rulers how the page lies in the view (0 every frame, 1 pan,
  // 2 zoom, 3 mouse moved with the mouse message's parameters).
  void NotifyViewChanged(int reason, WPARAM wParam, LPARAM lParam);
  // After a size change or a lost device; false when the device could not be
  // reset (drawing resumes at a later reset).
  bool ResetDevice(int width, int height);
  // White target, empty scene, presented.
  void ClearSurface();
  // What the window shows was lost or replaced: the next tick draws the page
  // again even when nothing in it changed.
  void InvalidateFrame() { m_frameStale = true; }
  // Wheel actions on the selection (forwarded by the view and the frame).
  void OnMouseWheelZoom(UINT flags, short delta, CPoint point);

  // Drops from the thumbnail lists, at a screen point.
  void DropPhoto(const std::string& name, POINT screen);
  void DropImage(const std::string& name, POINT screen, bool pers = false);
  void DropFrame(const std::string& name, POINT screen, bool pers);
  void DropEffect(const std::string& name, POINT screen, bool pers);
  void DropTemplate(const std::string& path, POINT screen);
  // The placing operations, at a view point.
  void PlacePhoto(const std::string& name, float x, float y);
  void PlaceImage(const std::string& name, float x, float y, bool pers = false);
  void PlaceFrame(const std::string& name, float x, float y, bool pers);
  void PlaceEffect(const std::string& name, float x, float y, bool pers);
  void PlaceTemplate(const std::string& path);

  // The crop editor on a photo; the cut-out is placed over it and selected.
  void CropPhoto(treeNode::CImgTreeNode* photo);
  // The crop editor on an album photo at full resolution; true with the new
  // photo's working name when the crop was stored. A photo that cannot be
  // read is told by name and opens no editor.
  bool RunCropDialog(const std::string& photoName, std::string& newName);

  // State for the frame and tests.
  bool IsBandVisible() const { return m_bandVisible; }
  bool IsCaptured() const { return m_captured; }
  int GetTimerId() const { return m_timerId; }
  // Frames drawn and shown since the window was made.
  int GetFramesDrawn() const { return m_framesDrawn; }
  // The last tick drew no frame, so it changed nothing.
  bool LastTickWasQuiet() const { return m_lastTickQuiet; }
  const treeNode::NodeList& GetHitList() const { return m_hitList; }

 protected:
  // The two popup menus run through these, so a test can answer them
  // without a menu loop. The result is the chosen command, 0 for none.
  virtual UINT TrackSelectionMenu(CSelectionMenu& menu, POINT screen);
  virtual void TrackContextMenu(POINT screen);
  // Shows the drawn frame (a test reads the back buffer before it goes).
  virtual void PresentFrame();
  // Draws the thumbnail a page left since the last frame still owes the page bar.
  void RefreshLeftPageThumbnail(IEditorFrame* frame, treeNode::CPaginaTreeNode* shown);
  // Whether the mouse cursor is over this window right now.
  virtual bool IsCursorOverWindow() const;

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  // The selection menu's popup protocol, measuring and mnemonics (themed menu).
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  treeNode::CPaginaTreeNode* CurrentPage() const;
  surface_rules::Keys HeldKeys() const;
  bool ToView(POINT client, surface_rules::ViewPoint& view) const;
  // Whether the device's back buffer has this window's client size.
  bool BackBufferFitsWindow() const;
  bool ScreenToView(POINT screen, surface_rules::ViewPoint& view) const;
  // A drop that runs out of memory is refused with a message.
  template <class Drop>
  void RefuseDropWithoutMemory(Drop drop);
  // A screen point in page space (the view's pan and zoom undone).
  bool ScreenToPage(POINT screen, float& x, float& y) const;
  // Whether a tick has anything new to show, or work only a frame does (the
  // page bar's thumbnail or page list).
  bool NeedsFrame();
  // What the surface would show now, as one number: the album, the page and
  // its objects, every change made to nodes since, the view's pan and zoom, the window's size and place (the
  // rulers count from it), the rubber band and the device.
  uint64_t ShownSignature();
  // The pictures noted unreadable and never told, in a message over the frame.
  void TellPictureFailures();
  // The cursor rule; true when it set a cursor.
  bool UpdateCursor();
  void CreateBandResources();
  void StartPanning(POINT client);
  void SelectAt(POINT client, const surface_rules::Keys& keys);
  // Shows the selection menu over the hits; the chosen object or null.
  treeNode::CTreeNode* ChooseFromHits(POINT client);
  void ReleaseMouse();
  void ResetDragModes();
  void MarkChanged();
  // The page's selection node (the object whose handle was hit).
  void ClearHandleObject();

  bool m_movingSelection = false;
  bool m_bandSelecting = false;
  bool m_handleDragging = false;
  surface_rules::ViewPoint m_lastPoint;
  std::unique_ptr<CD3DSelection> m_bandFrame;
  bool m_bandVisible = false;
  CSelectionMenu m_selectionMenu;
  CContextMenu m_contextMenu;
  int m_handle = 0;
  float m_lastAspect = 0.0f;
  // The page the last frame showed and its index then, for the thumbnail of a
  // page left before a frame showed its last change.
  treeNode::CPaginaTreeNode* m_shownPage = nullptr;
  int m_shownIndex = -1;
  int m_timerId = 0;
  // The signature of the last frame drawn, and whether that frame is no
  // longer on the window whatever the signature says.
  uint64_t m_drawnSignature = 0;
  bool m_frameStale = true;
  int m_framesDrawn = 0;
  bool m_lastTickQuiet = false;
  treeNode::NodeList m_hitList;
  bool m_addToSelection = false;
  bool m_undoPending = false;
  bool m_captured = false;
  bool m_zoomClick = false;
  bool m_selectionMenuOpen = false;
  bool m_bandResourcesMade = false;
};
