#include "document/nodes/ImageTreeNode.h"

#include "document/albumfile/AlbumXml.h"

namespace treeNode {

CImageTreeNode::CImageTreeNode(const std::string& name, CTreeNode* parent)
    : CImgTreeNode(tags::kImage, kKindImage, name, parent)
{
}

CImageTreeNode::CImageTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CImgTreeNode(element, kKindImage, parent)
{
}

CImageTreeNode::CImageTreeNode(const CImageTreeNode& source, CTreeNode* parent)
    : CImgTreeNode(source, parent)
{
}

CImageTreeNode::~CImageTreeNode() = default;

std::unique_ptr<CTreeNode> CImageTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CImageTreeNode>(*this, parent);
}

} // namespace treeNode
