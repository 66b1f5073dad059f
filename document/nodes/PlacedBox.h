#pragma once
// Pictures and texts are boxes of some width and height 1 at scale 1, centred
// on their position; these answer for such a box wherever it is placed.
#include <d3dx9.h>

#include "document/nodes/TreeNode.h"
#include "render/D3DSelection.h"

namespace treeNode {

// The axis-aligned {left, top, right, bottom} of the box after world.
void BoundsOfPlacedBox(const D3DXMATRIX& world, float width, float bounds[4]);

// Draws the selection frame around the box where node stands now.
void DrawSelectionFrame(CD3DSelection& frame, CTreeNode& node, float width);

} // namespace treeNode
