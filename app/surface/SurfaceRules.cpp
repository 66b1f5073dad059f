#include "app/surface/SurfaceRules.h"

#include <cmath>

namespace surface_rules {

namespace {
constexpr float kPi = 3.14159265358979f;
}

bool ClientToView(POINT point, const RECT& client, ViewPoint& view) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return false;
  if (point.x < client.left || point.x >= client.right || point.y < client.top || point.y >= client.bottom)
    return false;
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  view.x = static_cast<float>(point.x - client.left) * aspect / static_cast<float>(width) - aspect / 2.0f;
  view.y = 0.5f - static_cast<float>(point.y - client.top) / static_cast<float>(height);
  return true;
}

int CursorFor(int toolMode, const Keys& k, bool bandSelecting) {
  switch (toolMode) {
    case kToolSelect:
      if (bandSelecting) return kCursorBand;
      if (k.ctrl && k.space) return kCursorZoomIn;
      if (k.alt && k.space) return kCursorZoomOut;
      if (k.ctrl) return kCursorAddToSelection;
      if (k.space) return kCursorHand;
      return kCursorSelect;
    case kToolPan:
      if (k.ctrl && k.space) return kCursorZoomIn;
      if (k.alt && k.space) return kCursorZoomOut;
      if (!k.ctrl) return kCursorHand;
      if (k.alt) return kCursorZoomOut;
      return kCursorZoomIn;
    case kToolZoom:
      if (k.ctrl && k.space) return kCursorZoomIn;
      if (k.alt) return kCursorZoomOut;
      if (!k.space) return kCursorZoomIn;
      return kCursorHand;
    default:
      return kCursorSelect;
  }
}

PressAction LeftPressAction(int toolMode, const Keys& k) {
  switch (toolMode) {
    case kToolSelect:
      if (k.space && (k.ctrl || k.alt)) return PressAction::kZoomClick;
      if (k.space) return PressAction::kPan;
      return PressAction::kSelect;
    case kToolPan:
      if (k.ctrl || (k.alt && k.space)) return PressAction::kZoomClick;
      return PressAction::kPan;
    case kToolZoom:
      if (k.space && !k.ctrl && !k.alt && !k.shift) return PressAction::kPan;
      return PressAction::kZoomClick;
    default:
      return PressAction::kSelect;
  }
}

WheelAction WheelActionFor(const Keys& k) {
  if (k.shift && !k.ctrl) return WheelAction::kScale;
  if (k.ctrl) return WheelAction::kRotate;
  return WheelAction::kZOrder;
}

float WheelScaleFactor(int delta) { return 1.0f + static_cast<float>(delta) / 2400.0f; }

float WheelRotation(int delta) {
  const float degrees = static_cast<float>(delta) / 60.0f;
  return degrees * kPi / 180.0f;
}

float PixelsPerUnit(int clientWidth, int clientHeight, float pageWidth, float pageHeight) {
  if (pageHeight >= 1.0f) return static_cast<float>(clientHeight) / pageHeight;
  if (pageWidth >= 1.0f) return static_cast<float>(clientWidth) / pageWidth;
  return 10.0f;
}

RECT FitAspect(const RECT& view, float aspect) {
  if (!(aspect > 0.0f) || !std::isfinite(aspect)) aspect = 2.0f;
  const int width = view.right - view.left;
  const int height = view.bottom - view.top;
  RECT fitted = view;
  if (width <= 0 || height <= 0) return fitted;
  const float viewAspect = static_cast<float>(width) / static_cast<float>(height);
  if (viewAspect > aspect) {
    const int w = static_cast<int>(static_cast<float>(height) * aspect);
    fitted.left = view.left + (width - w) / 2;
    fitted.right = fitted.left + w;
  } else if (viewAspect < aspect) {
    const int h = static_cast<int>(static_cast<float>(width) / aspect);
    fitted.top = view.top + (height - h) / 2;
    fitted.bottom = fitted.top + h;
  }
  return fitted;
}

bool IsUsableZoom(float value) { return std::isfinite(value) && value > 1e-4f; }

}  // namespace surface_rules
