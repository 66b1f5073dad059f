#include "document/nodes/EffectTreeNode.h"

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"

namespace treeNode {

CEffectTreeNode::CEffectTreeNode(const std::string& name, CTreeNode* parent)
    : CTreeNode(tags::kEffetto, parent), m_name(name)
{
}

CEffectTreeNode::CEffectTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CTreeNode(element, parent)
{
    ReadStringAttribute(element, "name", m_name);
    ReadIntAttribute(element, "rotate", m_rotate);
    ReadIntAttribute(element, "mirror", m_mirror);
    int pers = 0;
    ReadIntAttribute(element, "pers", pers);
    m_pers = pers == 1;
}

CEffectTreeNode::CEffectTreeNode(const CEffectTreeNode& source, CTreeNode* parent)
    : CTreeNode(source, parent),
      m_name(source.m_name),
      m_rotate(source.m_rotate),
      m_mirror(source.m_mirror),
      m_pers(source.m_pers)
{
}

CEffectTreeNode::~CEffectTreeNode() = default;

void CEffectTreeNode::WriteAttributes(TiXmlElement& element)
{
    element.SetAttribute("name", m_name);
    SetIntAttribute(element, "rotate", m_rotate);
    SetIntAttribute(element, "mirror", m_mirror);
    if (m_pers)
        SetIntAttribute(element, "pers", 1);
}

std::unique_ptr<CTreeNode> CEffectTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CEffectTreeNode>(*this, parent);
}

void CEffectTreeNode::ReleaseResources()
{
    m_resourcesLoaded = false;
}

void CEffectTreeNode::LoadResources()
{
    m_resourcesLoaded = true;
}

} // namespace treeNode
