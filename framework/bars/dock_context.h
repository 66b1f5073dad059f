#pragma once
// CDockContext: moves a control bar with the mouse. A press on a bar that the
// pointer then carries past the system's drag distance starts a drag (a mere
// click changes nothing); the outline shows where the bar would dock (thin) or
// float (thick); the release docks or floats it, Escape, a right click or a
// lost capture cancel. Holding Ctrl forbids docking. A double click toggles between the
// bar's last docked place and its last floating place.
#include <windows.h>

#include "framework/geometry.h"

class CControlBar;
class CDockBar;
class CFrameWnd;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext() = default;
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // pt: the press in screen coordinates. Returns when the drag ends.
  virtual void StartDrag(CPoint pt);
  void ToggleDocking();

  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  // Last docked place (dock bar id and screen rectangle) and floating place.
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos;
  BOOL m_bMRUFloatKnown = FALSE;

  // Drag state: the outlines for docking horizontally or vertically and for
  // floating (the floating frame's outline), in screen coordinates.
  CRect m_rectDragHorz, m_rectDragVert, m_rectFrameDragHorz, m_rectFrameDragVert;
  CPoint m_ptLast;
  DWORD m_dwOverDockStyle = 0;
  BOOL m_bForceFrame = FALSE;
  BOOL m_bDragging = FALSE;

 protected:
  // Starts a drag whose outlines have these sizes (docked along the top or
  // bottom, along a side, and the floating bar) and tracks it.
  void BeginDrag(CPoint pt, CSize sizeHorz, CSize sizeVert, CSize sizeFloat);
  // The message loop of a drag; TRUE when it moved the bar (ended with a
  // release after the pointer had left the press's drag distance).
  BOOL Track();
  virtual void Move(CPoint pt);
  // Which side the current outline could dock on (0: none, or docking forbidden).
  DWORD CanDock();
  CDockBar* GetDockBar(DWORD dwOverDockStyle);
  void EndDrag();
  void RememberDockedPlace();
  // The outline the bar would take now.
  CRect CurrentOutline(BOOL* pbThick) const;
  void DrawOutline(BOOL bRemove);
  HDC m_hDCDrag = nullptr;  // the screen while a drag shows its outline
  CRect m_rectShown;
  BOOL m_bShownThick = FALSE;
  BOOL m_bShown = FALSE;
};
