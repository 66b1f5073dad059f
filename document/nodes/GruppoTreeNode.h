#pragma once
// A group ("gruppo"): an invisible box that moves, turns, scales and
// recolours its objects as one.
#include "document/nodes/ContainerTreeNode.h"

namespace treeNode {

class CGruppoTreeNode : public CContainerTreeNode {
public:
    explicit CGruppoTreeNode(CTreeNode* parent);
    CGruppoTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CGruppoTreeNode(const CGruppoTreeNode& source, CTreeNode* parent);
    ~CGruppoTreeNode() override;

    void Render(int pass) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;

protected:
    bool ActsAlone() override { return false; }
    bool KeepsMirroredChildren() override { return true; }
};

} // namespace treeNode
