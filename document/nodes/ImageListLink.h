#pragma once
// What the album nodes need of the album image list: a photo's crop
// placement and the reference counts of photos in use on the pages.
#include <string>

namespace treeNode {

class CTreeNode;

// The crop values recorded for a photo of the list; unchanged (0) when the
// list has no entry of that name.
void LookupImageCrop(CTreeNode& node, const std::string& name, float& cropX, float& cropY,
                     float& ratioH);

} // namespace treeNode
