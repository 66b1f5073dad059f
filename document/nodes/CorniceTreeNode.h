#pragma once
// A frame ("cornice"): a picture of the frame library carrying page objects.
// Unmasked it lies over its content like a passe-partout; masked it cuts its
// content to its own shape, and with Alt held it moves over a fixed content.
#include "document/nodes/ContainerTreeNode.h"

namespace treeNode {

class CCorniceTreeNode : public CContainerTreeNode {
public:
    CCorniceTreeNode(const std::string& name, CTreeNode* parent);
    // A name literal must not pick the element constructor.
    CCorniceTreeNode(const char* name, CTreeNode* parent) : CCorniceTreeNode(std::string(name), parent) {}
    CCorniceTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CCorniceTreeNode(const CCorniceTreeNode& source, CTreeNode* parent);
    ~CCorniceTreeNode() override;

    void WriteAttributes(TiXmlElement& element) override;
    bool HitTestPoint(float x, float y, NodeList* hits, bool includeLocked) override;
    void Render(int pass) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;
    bool HoldsChildren() override;

    virtual void SetMasked(bool masked);
    virtual bool IsMasked();

protected:
    bool ActsAlone() override;
    bool KeepsMirroredChildren() override { return false; }

private:
    int m_masked = 0;
};

} // namespace treeNode
