#pragma once
// A picture of the image library ("image"): an album photo in all but its
// folder and element name.
#include "document/nodes/ImgTreeNode.h"

namespace treeNode {

class CImageTreeNode : public CImgTreeNode {
public:
    CImageTreeNode(const std::string& name, CTreeNode* parent);
    // A name literal must not pick the element constructor.
    CImageTreeNode(const char* name, CTreeNode* parent) : CImageTreeNode(std::string(name), parent) {}
    CImageTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CImageTreeNode(const CImageTreeNode& source, CTreeNode* parent);
    ~CImageTreeNode() override;

    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;
};

} // namespace treeNode
