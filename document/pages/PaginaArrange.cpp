// The page's alignment, centring and sizing commands on the selection. The
// most recently selected object is the reference.
#include "document/pages/PaginaTreeNode.h"

#include "document/albumfile/AlbumXml.h"
#include "document/nodes/ImgTreeNode.h"

namespace treeNode {

namespace {
struct Bounds {
    float left, top, right, bottom;
};

Bounds BoundsOf(CTreeNode* node)
{
    float box[4];
    node->GetBounds(box, false);
    return {box[kLeft], box[kTop], box[kRight], box[kBottom]};
}
} // namespace

NodeList CPaginaTreeNode::OthersNewestFirst() const
{
    NodeList others;
    if (m_selection.size() < 2)
        return others;
    for (size_t i = m_selection.size() - 1; i-- > 0;) {
        if (m_selection[i]->IsMovable())
            others.push_back(m_selection[i]);
    }
    return others;
}

void CPaginaTreeNode::AlignLeft()
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const Bounds ref = BoundsOf(GetLastSelected());
    for (CTreeNode* node : OthersNewestFirst())
        node->MoveBy(ref.left - BoundsOf(node).left, 0.0f);
}

void CPaginaTreeNode::AlignRight()
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const Bounds ref = BoundsOf(GetLastSelected());
    for (CTreeNode* node : OthersNewestFirst())
        node->MoveBy(ref.right - BoundsOf(node).right, 0.0f);
}

void CPaginaTreeNode::AlignTop()
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const Bounds ref = BoundsOf(GetLastSelected());
    for (CTreeNode* node : OthersNewestFirst())
        node->MoveBy(0.0f, ref.top - BoundsOf(node).top);
}

void CPaginaTreeNode::AlignBottom()
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const Bounds ref = BoundsOf(GetLastSelected());
    for (CTreeNode* node : OthersNewestFirst())
        node->MoveBy(0.0f, ref.bottom - BoundsOf(node).bottom);
}

void CPaginaTreeNode::AlignVertically()
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const float x = GetLastSelected()->GetX();
    for (CTreeNode* node : OthersNewestFirst())
        node->SetPosition(x, node->GetY());
}

void CPaginaTreeNode::AlignHorizontally()
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const float y = GetLastSelected()->GetY();
    for (CTreeNode* node : OthersNewestFirst())
        node->SetPosition(node->GetX(), y);
}

void CPaginaTreeNode::AlignCropToImage()
{
    if (m_selection.size() != 2 || !m_selection[0]->HasTag(tags::kImmagine))
        return;
    CImgTreeNode* photo = dynamic_cast<CImgTreeNode*>(m_selection[1]);
    SaveUndo();
    static_cast<CImgTreeNode*>(m_selection[0])->AlignCropTo(photo);
}

void CPaginaTreeNode::CenterHorizontally()
{
    if (m_selection.empty())
        return;
    SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->SetPosition(0.0f, node->GetY());
}

void CPaginaTreeNode::CenterVertically()
{
    if (m_selection.empty())
        return;
    SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->SetPosition(node->GetX(), 0.0f);
}

void CPaginaTreeNode::PlaceLeftOfCenter()
{
    if (m_selection.empty())
        return;
    SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->MoveBy(-BoundsOf(node).right, 0.0f);
}

void CPaginaTreeNode::PlaceRightOfCenter()
{
    if (m_selection.empty())
        return;
    SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->MoveBy(-BoundsOf(node).left, 0.0f);
}

void CPaginaTreeNode::SameHeight(bool keepAspect)
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const float rsy = GetLastSelected()->GetScaleY();
    for (CTreeNode* node : OthersNewestFirst()) {
        const float sx = node->GetScaleX();
        const float sy = node->GetScaleY();
        if (keepAspect && sy != 0.0f)
            node->SetScale(sx / sy * rsy, rsy);
        else
            node->SetScale(sx, rsy);
    }
}

void CPaginaTreeNode::SameWidth(bool keepAspect)
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const float rsx = GetLastSelected()->GetScaleX();
    for (CTreeNode* node : OthersNewestFirst()) {
        const float sx = node->GetScaleX();
        const float sy = node->GetScaleY();
        const float ratio = sy != 0.0f ? sx / sy : 0.0f;
        if (keepAspect && ratio != 0.0f)
            node->SetScale(rsx, rsx / ratio);
        else
            node->SetScale(rsx, sy);
    }
}

void CPaginaTreeNode::SameSize(bool keepAspect)
{
    if (m_selection.size() < 2)
        return;
    SaveUndo();
    const float rsx = GetLastSelected()->GetScaleX();
    const float rsy = GetLastSelected()->GetScaleY();
    for (CTreeNode* node : OthersNewestFirst()) {
        const float sx = node->GetScaleX();
        const float sy = node->GetScaleY();
        if (!keepAspect || sy == 0.0f) {
            node->SetScale(rsx, rsy);
            continue;
        }
        const float ratio = sx / sy;
        if (ratio == 0.0f)
            continue;
        if (sx > sy)
            node->SetScale(rsx, rsx / ratio);
        else
            node->SetScale(ratio * rsy, rsy);
    }
}

void CPaginaTreeNode::SizeToPageFraction(bool half, bool keepAspect)
{
    if (m_selection.empty())
        return;
    SaveUndo();
    const float target = GetWidth() * (half ? 0.5f : 1.0f);
    const NodeList movable = MovableSelection();
    for (auto it = movable.rbegin(); it != movable.rend(); ++it) {
        CTreeNode* node = *it;
        const float w = node->GetWidth();
        const float h = node->GetHeight();
        const float sx = node->GetScaleX();
        const float sy = node->GetScaleY();
        // A picture without width yet spans the target as if square.
        const float nsx = h != 0.0f && w != 0.0f ? target / (w / h) : target;
        if (!keepAspect || sy == 0.0f) {
            node->SetScale(nsx, 1.0f);
            continue;
        }
        const float ratio = sx / sy;
        if (ratio == 0.0f)
            continue;
        if (nsx <= ratio)
            node->SetScale(ratio, 1.0f);
        else
            node->SetScale(nsx, nsx / ratio);
    }
}

} // namespace treeNode
