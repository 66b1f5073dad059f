#pragma once
// An effect picture laid over a photo or frame as its shape. Always the first
// child of its owner; the owner's picture quad draws it.
#include "document/nodes/TreeNode.h"

namespace treeNode {

class CEffectTreeNode : public CTreeNode {
public:
    // Mirror modes; any other value draws unmirrored.
    enum Mirror { kMirrorBoth = -1, kMirrorHorizontal = 0, kMirrorVertical = 1, kMirrorNone = 2 };

    CEffectTreeNode(const std::string& name, CTreeNode* parent);
    // A name literal must not pick the element constructor.
    CEffectTreeNode(const char* name, CTreeNode* parent) : CEffectTreeNode(std::string(name), parent) {}
    CEffectTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CEffectTreeNode(const CEffectTreeNode& source, CTreeNode* parent);
    ~CEffectTreeNode() override;

    void WriteAttributes(TiXmlElement& element) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;
    void ReleaseResources() override;
    virtual void LoadResources();

    const std::string& GetName() const { return m_name; }
    int GetRotate() const { return m_rotate; }
    void SetRotate(int degrees)
    {
        m_rotate = degrees;
        NoteChanged();
    }
    int GetMirror() const { return m_mirror; }
    void SetMirror(int mirror)
    {
        m_mirror = mirror;
        NoteChanged();
    }
    bool IsPersonal() const { return m_pers; }
    void SetPersonal(bool pers)
    {
        m_pers = pers;
        NoteChanged();
    }
    bool AreResourcesLoaded() const { return m_resourcesLoaded; }

private:
    std::string m_name;
    bool m_resourcesLoaded = false;
    int m_rotate = 0;
    int m_mirror = kMirrorNone;
    bool m_pers = false;
};

} // namespace treeNode
