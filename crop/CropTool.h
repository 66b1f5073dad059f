#pragma once
// A crop tool turns mouse gestures on the image edit pane into one closed
// polygon and combines it with the selection in the mode the modifier keys
// choose. Points arrive in pane client coordinates.
#include "framework/framework.h"
#include "crop/CropPoly.h"

class CImageEditPane;

// The combination mode for the keys held: none replaces, Shift adds, Alt
// subtracts, both intersect.
int CropModeForKeys(bool shift, bool alt);

// Whether a key (virtual-key code) is held at this moment. The tools ask the
// system; tests hold keys through their own reader, since pointer input on a
// virtual display resets injected modifier keys.
using CropKeyReader = bool (*)(int virtualKey);
// Installs a reader (null: the system's) and returns the previous one.
CropKeyReader SetCropKeyReader(CropKeyReader reader);

class CCropTool {
 public:
  explicit CCropTool(CImageEditPane* pPane) : m_pPane(pPane) {}
  virtual ~CCropTool() = default;
  CCropTool(const CCropTool&) = delete;
  CCropTool& operator=(const CCropTool&) = delete;

  // A press reads the keys; without modifiers it starts a new selection.
  virtual void OnLButtonDown(UINT nFlags, CPoint point);
  virtual void OnMouseMove(UINT nFlags, CPoint point);
  virtual void OnLButtonUp(UINT nFlags, CPoint point);
  virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
  // Clips to the pane's view; subclasses draw their shape in progress.
  virtual void Draw(CDC* pDC);

  void ReadModifierKeys();
  int GetMode() const { return m_mode; }
  // direction 1: pane client to picture; 0: picture to pane client.
  CPoint MapPoint(CPoint point, int direction) const;
  BOOL CombineSelection(CPoly* pPoly, int mode);
  void Invalidate();

 protected:
  // The outline in progress through picture points (and on to pEnd when
  // given), in the tools' blue 2-pixel pen, after the base clip.
  void DrawStroke(CDC* pDC, const CPoly& points, const CPoint* pEnd = nullptr);

  int m_mode = cropReplace;
  CImageEditPane* m_pPane;
};
