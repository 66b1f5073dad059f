#pragma once
// A page's background ("sfondo"): a plain colour the page draws its
// rectangle with, or one picture child stretched over the page.
#include "document/nodes/TreeNode.h"

namespace treeNode {

class CImgTreeNode;

class CSfondoTreeNode : public CTreeNode {
public:
    explicit CSfondoTreeNode(CTreeNode* parent);
    CSfondoTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CSfondoTreeNode(const CSfondoTreeNode& source, CTreeNode* parent);
    ~CSfondoTreeNode() override;

    void WriteAttributes(TiXmlElement& element) override;
    void RotateBy(float angle) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;
    void SetRotation(float angle) override;
    CImgColor* GetColourSettings() override;
    void SetColourSettings(const CImgColor* colour, bool preview) override;
    void SetAlpha(float alpha, bool preview) override;
    void ReapplyColour() override;

    // The picture replaces any previous one and is stretched over the page.
    virtual void SetImage(std::unique_ptr<CImgTreeNode> image);
    virtual bool HasImage();

    CImgTreeNode* GetImage();
    // Stretches the picture over the page, turned when it stands upright.
    void FitImageToPage();

    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
};

} // namespace treeNode
