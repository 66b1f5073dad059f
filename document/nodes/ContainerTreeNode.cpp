#include "document/nodes/ContainerTreeNode.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/albumfile/AlbumXml.h"
#include "document/DocumentHost.h"

namespace treeNode {

namespace {
struct Vec {
    float x, y;
};

Vec Rotated(Vec v, float angle)
{
    float in[2] = {v.x, v.y};
    float out[2];
    RotateVector(out, in, angle);
    return {out[0], out[1]};
}

// The container's scaling as a map of page points: into the container's own
// axes, stretched by (kx, ky), and back.
struct ScalingMap {
    Vec centre;
    float rotation;
    float kx, ky;

    Vec operator()(Vec p) const
    {
        Vec local = Rotated({p.x - centre.x, p.y - centre.y}, -rotation);
        Vec stretched = Rotated({kx * local.x, ky * local.y}, rotation);
        return {centre.x + stretched.x, centre.y + stretched.y};
    }
};

float Length(Vec v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// A node with everything it holds, whatever keys are down (a masked frame
// moves alone under Alt).
void MoveWithContents(CTreeNode& node, float dx, float dy)
{
    auto* container = dynamic_cast<CContainerTreeNode*>(&node);
    if (!container) {
        node.MoveBy(dx, dy);
        return;
    }
    container->CImgTreeNode::MoveBy(dx, dy);
    for (size_t i = 0; i < node.GetChildCount(); ++i)
        MoveWithContents(*node.GetChild(i), dx, dy);
}

float Coordinate(CTreeNode& node, bool y)
{
    return y ? node.GetY() : node.GetX();
}
} // namespace

CContainerTreeNode::CContainerTreeNode(const char* tag, int kind, const std::string& name,
                                       CTreeNode* parent)
    : CImgTreeNode(tag, kind, name, parent)
{
    SetHoldsChildren(true);
}

CContainerTreeNode::CContainerTreeNode(const TiXmlElement& element, int kind, CTreeNode* parent)
    : CImgTreeNode(element, kind, parent)
{
    SetHoldsChildren(true);
    KeepRepairedPositionsTogether(false);
    KeepRepairedPositionsTogether(true);
    for (size_t i = 0; i < GetChildCount(); ++i)
        GetChild(i)->ForgetLostPosition();
}

void CContainerTreeNode::KeepRepairedPositionsTogether(bool y)
{
    std::vector<CTreeNode*> kept, lost;
    for (size_t i = 0; i < GetChildCount(); ++i) {
        CTreeNode* child = GetChild(i);
        if (child->HasTag(tags::kEffetto))
            continue;
        const LostPosition& position = child->GetLostPosition();
        ((y ? position.y : position.x) ? lost : kept).push_back(child);
    }
    const float holder = Coordinate(*this, y);
    auto moveTo = [y](CTreeNode& node, float shift) {
        MoveWithContents(node, y ? 0.0f : shift, y ? shift : 0.0f);
    };
    // An object whose place is lost goes where its holder is.
    for (CTreeNode* child : lost)
        moveTo(*child, holder - Coordinate(*child, y));
    // A holder whose place is lost takes what it holds along, as it lies, so
    // no photo is left outside its frame.
    const LostPosition& own = GetLostPosition();
    if (!(y ? own.y : own.x) || kept.empty())
        return;
    float low = Coordinate(*kept.front(), y), high = low;
    for (CTreeNode* child : kept) {
        low = std::min(low, Coordinate(*child, y));
        high = std::max(high, Coordinate(*child, y));
    }
    const float shift = holder - (low + high) / 2.0f;
    for (CTreeNode* child : kept)
        moveTo(*child, shift);
}

CContainerTreeNode::CContainerTreeNode(const CContainerTreeNode& source, CTreeNode* parent)
    : CImgTreeNode(source, parent)
{
}

CContainerTreeNode::~CContainerTreeNode() = default;

bool CContainerTreeNode::HitChildren(bool point, float x1, float y1, float x2, float y2,
                                     NodeList* hits, bool includeLocked)
{
    NodeList inner;
    if (point)
        CTreeNode::HitTestPoint(x1, y1, &inner, includeLocked);
    else
        CTreeNode::HitTestRect(x1, y1, x2, y2, &inner, includeLocked);
    bool any = false;
    for (CTreeNode* node : inner) {
        // Without Alt only a selected object inside stays grabbable; the
        // rest is reached through the container.
        if (!HostIsAltDown() && !node->IsSelected())
            continue;
        any = true;
        if (hits)
            hits->push_back(node);
    }
    return any;
}

bool CContainerTreeNode::HitContainer(bool point, float x1, float y1, float x2, float y2,
                                      NodeList* hits, bool includeLocked)
{
    LoadResources();
    if (IsLocked() && !includeLocked)
        return false;
    // With Alt the objects inside are picked one by one, locked ones too.
    const bool childHit =
        HitChildren(point, x1, y1, x2, y2, hits, HostIsAltDown() ? true : includeLocked);
    const bool ownHit = point ? HitOwnQuadPoint(x1, y1) : HitOwnQuadRect(x1, y1, x2, y2);
    if (ownHit && hits)
        hits->push_back(this);
    return ownHit || childHit;
}

bool CContainerTreeNode::HitTestRect(float x1, float y1, float x2, float y2, NodeList* hits,
                                     bool includeLocked)
{
    return HitContainer(false, x1, y1, x2, y2, hits, includeLocked);
}

bool CContainerTreeNode::HitTestPoint(float x, float y, NodeList* hits, bool includeLocked)
{
    return HitContainer(true, x, y, x, y, hits, includeLocked);
}

void CContainerTreeNode::MoveBy(float dx, float dy)
{
    if (!ActsAlone())
        CTreeNode::MoveBy(dx, dy);
    CImgTreeNode::MoveBy(dx, dy);
}

void CContainerTreeNode::SetPosition(float x, float y)
{
    if (!ActsAlone())
        CTreeNode::MoveBy(x - GetX(), y - GetY());
    CImgTreeNode::SetPosition(x, y);
}

void CContainerTreeNode::ScaleBy(float sx, float sy)
{
    CImgTreeNode::ScaleBy(sx, sy);
    if (ActsAlone())
        return;
    const float cx = GetX();
    const float cy = GetY();
    for (size_t i = 0; i < GetChildCount(); ++i) {
        CTreeNode* child = GetChild(i);
        if (child->HasTag(tags::kEffetto))
            continue;
        const float dx = child->GetX() - cx;
        const float dy = child->GetY() - cy;
        child->ScaleBy(sx, sy);
        child->MoveBy(dx * sx - dx, dy * sy - dy);
    }
}

void CContainerTreeNode::SetScale(float sx, float sy)
{
    const float oldX = GetScaleX();
    const float oldY = GetScaleY();
    CImgTreeNode::SetScale(sx, sy);
    // An old scale of zero gives no factor to carry the children by.
    if (ActsAlone() || oldX == 0.0f || oldY == 0.0f)
        return;
    const ScalingMap map{{GetX(), GetY()}, GetRotation(), sx / oldX, sy / oldY};
    for (size_t i = 0; i < GetChildCount(); ++i) {
        CTreeNode* child = GetChild(i);
        if (child->HasTag(tags::kEffetto))
            continue;
        const float w = child->GetWidth();
        const float r = child->GetRotation();
        const Vec centre{child->GetX(), child->GetY()};
        const Vec halfA = Rotated({w * child->GetScaleX() * 0.5f, 0.0f}, r);
        const Vec halfB = Rotated({0.0f, child->GetScaleY() * 0.5f}, r);
        const Vec moved = map(centre);
        const Vec a = map({centre.x + halfA.x, centre.y + halfA.y});
        const Vec b = map({centre.x + halfB.x, centre.y + halfB.y});
        const Vec newA{a.x - moved.x, a.y - moved.y};
        const Vec newB{b.x - moved.x, b.y - moved.y};
        // A child of zero width keeps its width scale.
        float newSx = w != 0.0f ? 2.0f * Length(newA) / w : child->GetScaleX();
        float newSy = 2.0f * Length(newB);
        if (KeepsMirroredChildren()) {
            if (newA.x < 0.0f)
                newSx = -newSx;
            if (newB.y < 0.0f)
                newSy = -newSy;
        }
        child->SetPosition(moved.x, moved.y);
        child->SetScale(newSx, newSy);
    }
}

void CContainerTreeNode::RotateBy(float angle)
{
    CImgTreeNode::RotateBy(angle);
    if (ActsAlone())
        return;
    const Vec centre{GetX(), GetY()};
    for (size_t i = 0; i < GetChildCount(); ++i) {
        CTreeNode* child = GetChild(i);
        if (child->HasTag(tags::kEffetto))
            continue;
        const Vec offset{child->GetX() - centre.x, child->GetY() - centre.y};
        const Vec turned = Rotated(offset, angle);
        child->RotateBy(angle);
        child->SetPosition(centre.x + turned.x, centre.y + turned.y);
    }
}

void CContainerTreeNode::SetRotation(float angle)
{
    RotateBy(angle - GetRotation());
}

void CContainerTreeNode::ShowColour(const CImgColor& own, const CImgColor& holders)
{
    // What the container holds shows its own colour within the container's.
    const CImgColor inner = Within(own, holders);
    for (size_t i = 0; i < GetChildCount(); ++i) {
        CTreeNode* child = GetChild(i);
        if (auto* held = dynamic_cast<CImgTreeNode*>(child))
            held->ShowColour(*held->GetColourSettings(), inner);
        else
            child->SetColourSettings(&inner, true);
    }
    CImgTreeNode::ShowColour(own, holders);
}

void CContainerTreeNode::ShowAlpha(float own, float holders)
{
    const float inner = AlphaWithin(own, holders);
    for (size_t i = 0; i < GetChildCount(); ++i) {
        CTreeNode* child = GetChild(i);
        if (auto* held = dynamic_cast<CImgTreeNode*>(child))
            held->ShowAlpha(held->GetColourSettings()->alpha, inner);
        else
            child->SetAlpha(inner, true);
    }
    CImgTreeNode::ShowAlpha(own, holders);
}

void CContainerTreeNode::FitToChildren()
{
    if (GetChildCount() == 0)
        return;
    float bounds[4];
    CTreeNode::GetBounds(bounds, false);
    const float w = std::fabs(bounds[kRight] - bounds[kLeft]);
    const float h = std::fabs(bounds[kTop] - bounds[kBottom]);
    float sx = GetScaleX();
    float sy = GetScaleY();
    if (GetWidth() != 0.0f)
        sx = w / GetWidth();
    if (GetHeight() != 0.0f)
        sy = h / GetHeight();
    CImgTreeNode::SetScale(sx, sy);
    CImgTreeNode::SetPosition(bounds[kLeft] + w / 2.0f, bounds[kTop] - h / 2.0f);
}

} // namespace treeNode
