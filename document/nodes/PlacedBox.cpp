#include "document/nodes/PlacedBox.h"

#include <algorithm>
#include <cfloat>

namespace treeNode {

void BoundsOfPlacedBox(const D3DXMATRIX& world, float width, float bounds[4])
{
    const float w = width * 0.5f;
    const D3DXVECTOR3 corners[4] = {
        {-w, 0.5f, 0.0f}, {w, 0.5f, 0.0f}, {w, -0.5f, 0.0f}, {-w, -0.5f, 0.0f}};
    bounds[kLeft] = FLT_MAX;
    bounds[kTop] = -FLT_MAX;
    bounds[kRight] = -FLT_MAX;
    bounds[kBottom] = FLT_MAX;
    for (const D3DXVECTOR3& corner : corners) {
        D3DXVECTOR3 placed;
        D3DXVec3TransformCoord(&placed, &corner, &world);
        bounds[kLeft] = std::min(bounds[kLeft], placed.x);
        bounds[kRight] = std::max(bounds[kRight], placed.x);
        bounds[kTop] = std::max(bounds[kTop], placed.y);
        bounds[kBottom] = std::min(bounds[kBottom], placed.y);
    }
}

void DrawSelectionFrame(CD3DSelection& frame, CTreeNode& node, float width)
{
    // Without a device there is nothing to draw on.
    if (!frame.CreateResources())
        return;
    frame.SetWidth(width);
    frame.SetPosition(node.GetX(), node.GetY());
    frame.SetScale(node.GetScaleX(), node.GetScaleY());
    frame.SetRotation(node.GetRotation());
    frame.Render(true);
}

} // namespace treeNode
