#include "document/nodes/GruppoTreeNode.h"

#include "document/albumfile/AlbumXml.h"

namespace treeNode {

CGruppoTreeNode::CGruppoTreeNode(CTreeNode* parent)
    : CContainerTreeNode(tags::kGruppo, kKindGroup, std::string(), parent)
{
}

CGruppoTreeNode::CGruppoTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CContainerTreeNode(element, kKindGroup, parent)
{
}

CGruppoTreeNode::CGruppoTreeNode(const CGruppoTreeNode& source, CTreeNode* parent)
    : CContainerTreeNode(source, parent)
{
}

CGruppoTreeNode::~CGruppoTreeNode() = default;

void CGruppoTreeNode::Render(int pass)
{
    CTreeNode::Render(pass);
    CImgTreeNode::Render(pass);
}

std::unique_ptr<CTreeNode> CGruppoTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CGruppoTreeNode>(*this, parent);
}

} // namespace treeNode
