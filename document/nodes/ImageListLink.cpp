#include "document/nodes/ImageListLink.h"

#include "document/imagelist/MImageList.h"
#include "document/nodes/TreeNode.h"

namespace treeNode {

void LookupImageCrop(CTreeNode& node, const std::string& name, float& cropX, float& cropY,
                     float& ratioH)
{
    if (const spab_imagelist::CMImg* entry = node.FindImage(name)) {
        cropX = entry->cropX;
        cropY = entry->cropY;
        ratioH = entry->ratioH;
    }
}

} // namespace treeNode
