#include "document/nodes/DatiTreeNode.h"

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"

namespace treeNode {

namespace {
std::string Trimmed(const std::string& text)
{
    const char* const kSpace = " \t\r\n\v\f";
    size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}
} // namespace

CDatiTreeNode::CDatiTreeNode(CTreeNode* parent) : CTreeNode(tags::kDati, parent) {}

CDatiTreeNode::CDatiTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CTreeNode(element, parent)
{
}

CDatiTreeNode::CDatiTreeNode(const CDatiTreeNode& source, CTreeNode* parent)
    : CTreeNode(source, parent)
{
}

CDatiTreeNode::~CDatiTreeNode() = default;

void CDatiTreeNode::WriteAttributes(TiXmlElement&) {}

std::unique_ptr<CTreeNode> CDatiTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CDatiTreeNode>(*this, parent);
}

void CDatiTreeNode::AddVariable(const std::string& name, const std::string& value)
{
    std::string trimmedName = Trimmed(name);
    if (trimmedName.empty())
        return;
    AddChild(std::make_unique<CVariabileTreeNode>(trimmedName, Trimmed(value), this), true);
}

void CDatiTreeNode::RemoveAll()
{
    DeleteAllChildren();
}

CVariabileTreeNode::CVariabileTreeNode(const std::string& name, const std::string& valore,
                                       CTreeNode* parent)
    : CTreeNode(tags::kVariabile, parent), m_name(name), m_valore(valore)
{
}

CVariabileTreeNode::CVariabileTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CTreeNode(element, parent)
{
    ReadStringAttribute(element, "name", m_name);
    ReadStringAttribute(element, "valore", m_valore);
}

CVariabileTreeNode::CVariabileTreeNode(const CVariabileTreeNode& source, CTreeNode* parent)
    : CTreeNode(source, parent), m_name(source.m_name), m_valore(source.m_valore)
{
}

CVariabileTreeNode::~CVariabileTreeNode() = default;

void CVariabileTreeNode::WriteAttributes(TiXmlElement& element)
{
    element.SetAttribute("name", m_name);
    // A template keeps the fields of the wedding data but not this couple's
    // values: an album made from it would otherwise start with them.
    element.SetAttribute("valore", IsTemplateCopy() ? std::string() : m_valore);
}

std::unique_ptr<CTreeNode> CVariabileTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CVariabileTreeNode>(*this, parent);
}

} // namespace treeNode
