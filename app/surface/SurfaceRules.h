#pragma once
// The page surface's decisions without a window: where a client point lies in
// view space, which cursor shows, what a left button press starts, what the
// wheel does, and the ruler scale. The surface window only turns messages into
// calls of these.
#include <windows.h>

namespace surface_rules {

enum ToolMode { kToolSelect = 0, kToolPan = 1, kToolZoom = 2 };

// Keys held at the moment of a mouse event.
struct Keys {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool space = false;
};

// Cursor resource ids of the surface.
enum CursorId {
  kCursorZoomIn = 155,
  kCursorBand = 156,
  kCursorZoomOut = 158,
  kCursorAddToSelection = 159,
  kCursorSelect = 160,
  kCursorHand = 162,
};

struct ViewPoint {
  float x = 0.0f;
  float y = 0.0f;
  bool operator==(const ViewPoint& other) const { return x == other.x && y == other.y; }
};

// A client point to view space: the client area spans x from -a/2 to a/2
// (a = width / height) and y from 0.5 at the top to -0.5 at the bottom. False
// outside the client rectangle or for an empty one.
bool ClientToView(POINT point, const RECT& client, ViewPoint& view);

int CursorFor(int toolMode, const Keys& keys, bool bandSelecting);

enum class PressAction { kZoomClick, kPan, kSelect };
PressAction LeftPressAction(int toolMode, const Keys& keys);

enum class WheelAction { kScale, kRotate, kZOrder };
WheelAction WheelActionFor(const Keys& keys);
// One notch (120) scales by 1.05.
float WheelScaleFactor(int delta);
// One notch turns by 2 degrees; radians.
float WheelRotation(int delta);

// Pixels per page unit for the rulers: client height over page height, or
// client width over page width when the height is below 1; 10 when both are.
float PixelsPerUnit(int clientWidth, int clientHeight, float pageWidth, float pageHeight);

// The largest rectangle of the given aspect (width / height) that fits the
// view, centred; an aspect that is not positive counts as 2 (a spread).
RECT FitAspect(const RECT& view, float aspect);

// A zoom factor the view accepts: finite and above zero, so no step can
// flatten or mirror the page.
bool IsUsableZoom(float value);

}  // namespace surface_rules
