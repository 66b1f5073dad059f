#include "document/nodes/CorniceTreeNode.h"

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/DocumentHost.h"

namespace treeNode {

CCorniceTreeNode::CCorniceTreeNode(const std::string& name, CTreeNode* parent)
    : CContainerTreeNode(tags::kCornice, kKindFrame, name, parent)
{
}

CCorniceTreeNode::CCorniceTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CContainerTreeNode(element, kKindFrame, parent)
{
    ReadIntAttribute(element, "masked", m_masked);
}

CCorniceTreeNode::CCorniceTreeNode(const CCorniceTreeNode& source, CTreeNode* parent)
    : CContainerTreeNode(source, parent), m_masked(source.m_masked)
{
}

CCorniceTreeNode::~CCorniceTreeNode() = default;

void CCorniceTreeNode::WriteAttributes(TiXmlElement& element)
{
    CImgTreeNode::WriteAttributes(element);
    SetIntAttribute(element, "masked", m_masked);
}

bool CCorniceTreeNode::HitTestPoint(float x, float y, NodeList* hits, bool includeLocked)
{
    LoadResources();
    bool childHit = false;
    if (HostIsAltDown())
        childHit = HitChildren(true, x, y, x, y, hits, includeLocked);
    if (IsLocked() && !includeLocked)
        return childHit;
    if (!HostIsAltDown())
        childHit = HitChildren(true, x, y, x, y, hits, includeLocked);
    const bool ownHit = HitOwnQuadPoint(x, y);
    if (ownHit && hits)
        hits->push_back(this);
    return ownHit || childHit;
}

void CCorniceTreeNode::Render(int pass)
{
    if (!IsMasked()) {
        CTreeNode::Render(pass);
        CImgTreeNode::Render(pass);
        return;
    }
    CImgTreeNode::Render(kPassWriteMask);
    CTreeNode::Render(kPassInsideMask);
    CImgTreeNode::Render(kPassClearMask);
}

std::unique_ptr<CTreeNode> CCorniceTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CCorniceTreeNode>(*this, parent);
}

bool CCorniceTreeNode::HoldsChildren()
{
    return IsMasked() ? false : CTreeNode::HoldsChildren();
}

void CCorniceTreeNode::SetMasked(bool masked)
{
    m_masked = masked ? 1 : 0;
    NoteChanged();
}

bool CCorniceTreeNode::IsMasked()
{
    return m_masked == 1;
}

bool CCorniceTreeNode::ActsAlone()
{
    return HostIsAltDown() && IsMasked();
}

} // namespace treeNode
