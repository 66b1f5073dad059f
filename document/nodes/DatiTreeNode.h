#pragma once
// The wedding data of an album: named text values ("variabile" children),
// held apart from the pages by the album root.
#include "document/nodes/TreeNode.h"

namespace treeNode {

class CDatiTreeNode : public CTreeNode {
public:
    explicit CDatiTreeNode(CTreeNode* parent);
    CDatiTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CDatiTreeNode(const CDatiTreeNode& source, CTreeNode* parent);
    ~CDatiTreeNode() override;

    void WriteAttributes(TiXmlElement& element) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;

    // Both are trimmed; a name that is empty after trimming adds nothing.
    void AddVariable(const std::string& name, const std::string& value);
    void RemoveAll();
};

class CVariabileTreeNode : public CTreeNode {
public:
    CVariabileTreeNode(const std::string& name, const std::string& valore, CTreeNode* parent);
    CVariabileTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CVariabileTreeNode(const CVariabileTreeNode& source, CTreeNode* parent);
    ~CVariabileTreeNode() override;

    void WriteAttributes(TiXmlElement& element) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;

    const std::string& GetName() const { return m_name; }
    const std::string& GetValore() const { return m_valore; }

private:
    std::string m_name;
    std::string m_valore;
};

} // namespace treeNode
