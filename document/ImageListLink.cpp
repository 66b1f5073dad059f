#include "document/ImageListLink.h"

#include "document/MImageList.h"
#include "document/TreeNode.h"

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
