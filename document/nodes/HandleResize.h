#pragma once
// Resizing a picture or text by one of its eight handles: the drag is taken
// into the object's own axes, the grabbed edges move, and the object is
// rescaled and shifted so the edges it was not grabbed by stay in place.
#include "document/nodes/TreeNode.h"

namespace treeNode {

// width is the object's width at scale 1 (its height at scale 1 is 1).
void ResizeBoxByHandle(CTreeNode& node, float width, int handle, float dx, float dy,
                       bool keepAspect);

} // namespace treeNode
