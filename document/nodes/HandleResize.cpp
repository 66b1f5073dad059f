#include "document/nodes/HandleResize.h"

#include <cmath>

namespace treeNode {

namespace {
// Edges of a box relative to its centre, in the object's own axes.
struct Box {
    float left, right, top, bottom;
};

// Moves the edges a handle grabs, then, for a corner with keepAspect, puts the
// moved corner back on the box's diagonal so the proportions stay.
void DragBoxEdges(Box& box, int handle, float dx, float dy, bool keepAspect)
{
    const float ratio = (box.right - box.left) / (box.top - box.bottom);
    switch (handle) {
    case kHandleTopLeft: box.left += dx; box.top += dy; break;
    case kHandleTop: box.top += dy; break;
    case kHandleTopRight: box.right += dx; box.top += dy; break;
    case kHandleRight: box.right += dx; break;
    case kHandleBottomRight: box.right += dx; box.bottom += dy; break;
    case kHandleBottom: box.bottom += dy; break;
    case kHandleBottomLeft: box.left += dx; box.bottom += dy; break;
    case kHandleLeft: box.left += dx; break;
    default: return;
    }
    const bool corner = handle == kHandleTopLeft || handle == kHandleTopRight ||
                        handle == kHandleBottomRight || handle == kHandleBottomLeft;
    if (!keepAspect || !corner || !std::isfinite(ratio))
        return;
    const float w = box.right - box.left;
    const float h = box.top - box.bottom;
    const float height = std::sqrt((w * w + h * h) / (ratio * ratio + 1.0f));
    switch (handle) {
    case kHandleTopLeft: box.left = box.right - ratio * height; box.top = box.bottom + height; break;
    case kHandleTopRight: box.right = box.left + ratio * height; box.top = box.bottom + height; break;
    case kHandleBottomRight: box.right = box.left + ratio * height; box.bottom = box.top - height; break;
    default: box.left = box.right - ratio * height; box.bottom = box.top - height; break;
    }
}
} // namespace

void ResizeBoxByHandle(CTreeNode& node, float width, int handle, float dx, float dy,
                       bool keepAspect)
{
    if (handle == kHandleNone)
        return;
    const float rotation = node.GetRotation();
    float drag[2] = {dx, dy};
    RotateVector(drag, drag, -rotation);
    const float halfWidth = width * node.GetScaleX() * 0.5f;
    const float halfHeight = node.GetScaleY() * 0.5f;
    Box box{-halfWidth, halfWidth, halfHeight, -halfHeight};
    DragBoxEdges(box, handle, drag[0], drag[1], keepAspect);
    if (width != 0.0f)
        node.SetScale((box.right - box.left) / width, box.top - box.bottom);
    float offset[2] = {(box.left + box.right) * 0.5f, (box.bottom + box.top) * 0.5f};
    RotateVector(offset, offset, rotation);
    node.MoveBy(offset[0], offset[1]);
}

} // namespace treeNode
