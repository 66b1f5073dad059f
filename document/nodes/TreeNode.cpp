#include "document/nodes/TreeNode.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/albumfile/NestingLimit.h"
#include "render/D3DImage.h"
#include "render/D3DObj.h"
#include "render/TextRun.h"

namespace treeNode {

namespace {
unsigned g_changes = 0;
} // namespace

unsigned NodeChangeCount()
{
    return g_changes;
}

void CTreeNode::NoteChanged()
{
    ++g_changes;
}

CTreeNode::CTreeNode(const std::string& tag, CTreeNode* parent) : m_parent(parent), m_tag(tag)
{
}

CTreeNode::CTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CTreeNode(element, parent, DeferChildren{})
{
    BuildChildrenFromXml(element, m_tag);
}

CTreeNode::CTreeNode(const TiXmlElement& element, CTreeNode* parent, DeferChildren)
    : m_parent(parent), m_tag(element.Value())
{
    int locked = 0;
    ReadIntAttribute(element, "locked", locked);
    m_locked = locked != 0;
}

CTreeNode::CTreeNode(const CTreeNode& source, CTreeNode* parent)
    : m_parent(parent),
      m_tag(source.m_tag),
      m_locked(source.m_locked),
      m_holdsChildren(source.m_holdsChildren)
{
    for (const auto& child : source.m_children)
        m_children.push_back(child->Clone(this));
}

CTreeNode::~CTreeNode() = default;

void CTreeNode::SaveXml(TiXmlNode& xmlParent)
{
    TiXmlElement* element = xmlParent.InsertEndChild(TiXmlElement(m_tag))->ToElement();
    WriteAttributes(*element);
    for (const auto& child : m_children)
        child->SaveXml(*element);
}

size_t CTreeNode::CountFileElements() const
{
    size_t elements = 1;
    for (const auto& child : m_children)
        elements += child->CountFileElements();
    return elements;
}

void CTreeNode::WriteAttributes(TiXmlElement& element)
{
    SetIntAttribute(element, "locked", m_locked ? 1 : 0);
}

bool CTreeNode::ReadFloatAttribute(const TiXmlElement& element, const char* name, float& value)
{
    const char* text = element.Attribute(name);
    double parsed = 0.0;
    NumberKind kind = text ? ParseAlbumDouble(text, parsed) : NumberKind::kNotNumber;
    if (kind == NumberKind::kNotNumber) {
        value = 0.0f;
        return true;
    }
    // Beyond a float it would turn infinite.
    if (kind == NumberKind::kNotFinite || std::fabs(parsed) > FLT_MAX)
        return false;
    value = static_cast<float>(parsed);
    return true;
}

bool CTreeNode::ReadFloatOrRepair(const TiXmlElement& element, const char* name, float& value,
                                  float repaired)
{
    const char* text = element.Attribute(name);
    if (!text) {
        value = 0.0f;
        return false;
    }
    double parsed = 0.0;
    if (ParseAlbumDouble(text, parsed) == NumberKind::kFinite && std::fabs(parsed) <= FLT_MAX) {
        value = static_cast<float>(parsed);
        return false;
    }
    value = repaired;
    NoteRepairedNumber();
    return true;
}

void CTreeNode::NoteRepairedNumber()
{
    if (m_parent)
        m_parent->NoteRepairedNumber();
}

CTreeNode::StoredPlacement CTreeNode::ReadPlacementAttributes(const TiXmlElement& element)
{
    StoredPlacement placement;
    m_lostPosition.x = ReadFloatOrRepair(element, "pos_x", placement.x, 0.0f);
    m_lostPosition.y = ReadFloatOrRepair(element, "pos_y", placement.y, 0.0f);
    ReadFloatOrRepair(element, "rotation", placement.rotation, 0.0f);
    const bool repairedX = ReadFloatOrRepair(element, "scale_x", placement.scaleX, 1.0f);
    const bool repairedY = ReadFloatOrRepair(element, "scale_y", placement.scaleY, 1.0f);
    // One lost scale takes the other's size, so the object keeps its shape
    // (a mirroring it had is not known any more).
    if (repairedX && !repairedY && placement.scaleY != 0.0f)
        placement.scaleX = std::fabs(placement.scaleY);
    if (repairedY && !repairedX && placement.scaleX != 0.0f)
        placement.scaleY = std::fabs(placement.scaleX);
    return placement;
}

void CTreeNode::WritePlacementAttributes(TiXmlElement& element)
{
    SetDoubleAttribute(element, "pos_x", GetX());
    SetDoubleAttribute(element, "pos_y", GetY());
    SetDoubleAttribute(element, "scale_x", GetScaleX());
    SetDoubleAttribute(element, "scale_y", GetScaleY());
    SetDoubleAttribute(element, "rotation", GetRotation());
}

bool CTreeNode::HitTestRect(float x1, float y1, float x2, float y2, NodeList* hits,
                            bool includeLocked)
{
    bool hit = false;
    for (const auto& child : m_children)
        hit = child->HitTestRect(x1, y1, x2, y2, hits, includeLocked) || hit;
    return hit;
}

bool CTreeNode::HitTestPoint(float x, float y, NodeList* hits, bool includeLocked)
{
    bool hit = false;
    for (const auto& child : m_children)
        hit = child->HitTestPoint(x, y, hits, includeLocked) || hit;
    return hit;
}

void CTreeNode::ShiftZOrder(bool forward)
{
    if (!m_parent)
        return;
    int index = m_parent->IndexOfChild(this);
    int target = forward ? index + 1 : index - 1;
    auto& siblings = m_parent->m_children;
    if (index < 0 || target < 0 || target >= static_cast<int>(siblings.size()))
        return;
    // A selected neighbour is moving too; leaving it alone keeps a run of
    // selected siblings in order.
    if (siblings[target]->IsSelected())
        return;
    std::swap(siblings[index], siblings[target]);
    MarkModified();
    NoteChanged();
}

void CTreeNode::ScaleBy(float sx, float sy)
{
    for (const auto& child : m_children)
        child->ScaleBy(sx, sy);
}

void CTreeNode::SetScale(float sx, float sy)
{
    for (const auto& child : m_children)
        child->SetScale(sx, sy);
}

void CTreeNode::RotateBy(float angle)
{
    for (const auto& child : m_children)
        child->RotateBy(angle);
}

void CTreeNode::MoveBy(float dx, float dy)
{
    for (const auto& child : m_children)
        child->MoveBy(dx, dy);
}

void CTreeNode::SetPosition(float x, float y)
{
    for (const auto& child : m_children)
        child->SetPosition(x, y);
}

void CTreeNode::Render(int pass)
{
    // Texts next to one another in the drawing order are drawn as one run;
    // anything else drawn between them keeps its place.
    CD3DObj* view = GetView();
    TextRun texts(view ? view->GetDevice() : nullptr, pass == kPassInsideMask);
    for (const auto& child : m_children) {
        if (child->DrawInTextRun(texts))
            continue;
        texts.Finish();
        child->Render(pass);
    }
    texts.Finish();
}

bool CTreeNode::DrawInTextRun(TextRun&)
{
    return false;
}

void CTreeNode::AddChild(std::unique_ptr<CTreeNode> node, bool append)
{
    if (!node)
        return;
    node->m_parent = this;
    if (!append && !m_children.empty())
        m_children.insert(m_children.begin(), std::move(node));
    else
        m_children.push_back(std::move(node));
    m_modified = true;
    if (m_parent)
        m_parent->MarkModified();
    NoteChanged();
}

bool CTreeNode::ToggleSelected()
{
    bool was = IsSelected();
    SetSelected(!was);
    return was;
}

void CTreeNode::SelectChildren(bool select)
{
    for (const auto& child : m_children)
        child->SetSelected(select);
}

void CTreeNode::SyncSelection() {}

int CTreeNode::HitTestHandles(float, float)
{
    return kHandleNone;
}

float CTreeNode::GetX()
{
    return 0.0f;
}

float CTreeNode::GetY()
{
    return 0.0f;
}

float CTreeNode::GetHeight()
{
    return 0.0f;
}

float CTreeNode::GetWidth()
{
    return 0.0f;
}

float CTreeNode::GetScaleX()
{
    return 1.0f;
}

float CTreeNode::GetScaleY()
{
    return 1.0f;
}

float CTreeNode::GetRotation()
{
    return 1.0f;
}

void CTreeNode::ResizeByHandle(int handle, float dx, float dy, bool keepAspect)
{
    for (const auto& child : m_children)
        child->ResizeByHandle(child->MapHandleForFlip(handle), dx, dy, keepAspect);
}

void CTreeNode::ComputeScaleFromDrag(int, float x, float y, float px, float py, float& sx,
                                     float& sy)
{
    const float centreX = GetX();
    const float centreY = GetY();
    sx = std::fabs(x - px);
    sy = std::fabs(y - py);
    float w = GetWidth();
    float h = GetHeight();
    if (GetScaleY() != 0.0f)
        h *= GetScaleY();
    if (GetScaleX() != 0.0f)
        w *= GetScaleX();
    sx = w != 0.0f ? sx / w : 0.0f;
    sy = h != 0.0f ? sy / h : 0.0f;
    sx = std::fabs(px - centreX) <= std::fabs(x - centreX) ? 1.0f + sx : 1.0f - sx;
    sy = std::fabs(py - centreY) <= std::fabs(y - centreY) ? 1.0f + sy : 1.0f - sy;
    if (sx == 0.0f)
        sx = 1.0f;
    if (sy == 0.0f)
        sy = 1.0f;
}

float CTreeNode::ComputeRotationFromDrag(float x1, float y1, float x2, float y2)
{
    // The points come in view space, so the centre is taken there too.
    D3DXVECTOR3 centre(GetX(), GetY(), 0.0f);
    if (CD3DObj* view = GetView())
        D3DXVec3TransformCoord(&centre, &centre, &view->GetViewTransform());
    const float ax = x1 - centre.x, ay = y1 - centre.y;
    const float bx = x2 - centre.x, by = y2 - centre.y;
    const float sign = ax * by - ay * bx > 0.0f ? -1.0f : 1.0f;
    const float lengths = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
    if (lengths == 0.0f)
        return 0.0f;
    const float angle = sign * std::acos((ax * bx + ay * by) / lengths);
    return std::isnan(angle) ? 0.0f : angle;
}

int CTreeNode::MapHandleForFlip(int handle)
{
    if (handle < kHandleTopLeft || handle > kHandleLeft)
        return handle;
    const bool mirroredX = GetScaleX() < 0.0f;
    const bool mirroredY = GetScaleY() < 0.0f;
    // Index by handle - 2: top-left, top, top-right, right, bottom-right,
    // bottom, bottom-left, left.
    static const int kBoth[8] = {6, 7, 8, 9, 2, 3, 4, 5};
    static const int kOnlyX[8] = {4, 3, 2, 9, 8, 7, 6, 5};
    static const int kOnlyY[8] = {8, 7, 6, 5, 4, 3, 2, 9};
    if (mirroredX && mirroredY)
        return kBoth[handle - 2];
    if (mirroredX)
        return kOnlyX[handle - 2];
    if (mirroredY)
        return kOnlyY[handle - 2];
    return handle;
}

void CTreeNode::GetBounds(float bounds[4], bool onlySelected)
{
    bounds[kLeft] = FLT_MAX;
    bounds[kTop] = -FLT_MAX;
    bounds[kRight] = -FLT_MAX;
    bounds[kBottom] = FLT_MAX;
    for (const auto& child : m_children) {
        if (onlySelected && !child->IsSelected())
            continue;
        float box[4];
        child->GetBounds(box, false);
        bounds[kLeft] = std::min(bounds[kLeft], box[kLeft]);
        bounds[kBottom] = std::min(bounds[kBottom], box[kBottom]);
        bounds[kTop] = std::max(bounds[kTop], box[kTop]);
        bounds[kRight] = std::max(bounds[kRight], box[kRight]);
    }
}

std::unique_ptr<CTreeNode> CTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CTreeNode>(*this, parent);
}

int CTreeNode::CountSelectedChildren()
{
    int count = 0;
    for (const auto& child : m_children)
        count += child->IsSelected() ? 1 : 0;
    return count;
}

void CTreeNode::SetRotation(float angle)
{
    for (const auto& child : m_children)
        child->SetRotation(angle);
}

CImgColor* CTreeNode::GetColourSettings()
{
    return nullptr;
}

void CTreeNode::SetColourSettings(const CImgColor* colour, bool preview)
{
    for (const auto& child : m_children)
        child->SetColourSettings(colour, preview);
}

void CTreeNode::SetAlpha(float alpha, bool preview)
{
    for (const auto& child : m_children)
        child->SetAlpha(alpha, preview);
}

void CTreeNode::ReapplyColour()
{
    for (const auto& child : m_children)
        child->ReapplyColour();
}

CD3DObj* CTreeNode::GetView()
{
    return m_parent ? m_parent->GetView() : nullptr;
}

void CTreeNode::OnDeviceLost()
{
    for (const auto& child : m_children)
        child->OnDeviceLost();
}

void CTreeNode::OnDeviceReset()
{
    for (const auto& child : m_children)
        child->OnDeviceReset();
}

bool CTreeNode::UseLowResImages()
{
    return m_parent ? m_parent->UseLowResImages() : true;
}

void CTreeNode::SaveUndo()
{
    if (m_parent)
        m_parent->SaveUndo();
}

void CTreeNode::ResetAspectRatio()
{
    for (const auto& child : m_children) {
        if (child->IsMovable())
            child->ResetAspectRatio();
    }
}

bool CTreeNode::IsSelected()
{
    return m_selected;
}

void CTreeNode::SetSelected(bool select)
{
    if (select == m_selected)
        return;
    m_selected = select;
    NoteChanged();
    if (m_parent)
        m_parent->OnChildSelectionChanged(this);
}

void CTreeNode::OnChildSelectionChanged(CTreeNode* child)
{
    if (m_parent)
        m_parent->OnChildSelectionChanged(child);
}

bool CTreeNode::IsTemplateCopy()
{
    return m_parent ? m_parent->IsTemplateCopy() : false;
}

int CTreeNode::NextId()
{
    return m_parent ? m_parent->NextId() : 0;
}

bool CTreeNode::IsLocked()
{
    return m_locked;
}

void CTreeNode::SetLocked(bool locked)
{
    m_locked = locked;
    NoteChanged();
}

bool CTreeNode::HoldsChildren()
{
    return m_holdsChildren;
}

void CTreeNode::SetHoldsChildren(bool holds)
{
    m_holdsChildren = holds;
    NoteChanged();
}

bool CTreeNode::IsMovable()
{
    return !(m_parent && m_parent->HoldsChildren());
}

void CTreeNode::ReleaseResources()
{
    for (const auto& child : m_children)
        child->ReleaseResources();
}

spab_imagelist::CMImg* CTreeNode::FindImage(const std::string& name)
{
    return m_parent ? m_parent->FindImage(name) : nullptr;
}

void CTreeNode::OnSavedToFile()
{
    for (const auto& child : m_children)
        child->OnSavedToFile();
}

int CTreeNode::GetLevel() const
{
    int level = 1;
    for (const CTreeNode* node = m_parent; node; node = node->m_parent)
        ++level;
    return level;
}

int CTreeNode::GetSubtreeHeight() const
{
    int below = 0;
    for (const auto& child : m_children)
        below = std::max(below, child->GetSubtreeHeight());
    return below + 1;
}

bool CTreeNode::CanHoldNested(int height) const
{
    return GetLevel() + height <= kMaxNestingDepth;
}

void CTreeNode::MarkModified()
{
    for (CTreeNode* node = this; node; node = node->m_parent)
        node->m_modified = true;
    NoteChanged();
}

int CTreeNode::IndexOfChild(const CTreeNode* node) const
{
    for (size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i].get() == node)
            return static_cast<int>(i);
    }
    return -1;
}

void CTreeNode::InsertChildAt(size_t index, std::unique_ptr<CTreeNode> node)
{
    if (!node)
        return;
    node->m_parent = this;
    index = std::min(index, m_children.size());
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(index), std::move(node));
    NoteChanged();
}

std::unique_ptr<CTreeNode> CTreeNode::DetachChild(size_t index)
{
    if (index >= m_children.size())
        return nullptr;
    std::unique_ptr<CTreeNode> node = std::move(m_children[index]);
    m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
    NoteChanged();
    return node;
}

std::unique_ptr<CTreeNode> CTreeNode::DetachChild(const CTreeNode* node)
{
    int index = IndexOfChild(node);
    return index < 0 ? nullptr : DetachChild(static_cast<size_t>(index));
}

std::unique_ptr<CTreeNode> CTreeNode::ReplaceChild(size_t index, std::unique_ptr<CTreeNode> node)
{
    if (index >= m_children.size() || !node)
        return nullptr;
    node->m_parent = this;
    std::swap(m_children[index], node);
    NoteChanged();
    return node;
}

void CTreeNode::DeleteAllChildren()
{
    m_children.clear();
    NoteChanged();
}

bool IsNodeSelected(CTreeNode* node)
{
    return node && node->IsSelected();
}

void RotateVector(float out[2], const float in[2], float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float x = in[0] * c - in[1] * s;
    const float y = in[0] * s + in[1] * c;
    out[0] = x;
    out[1] = y;
}

} // namespace treeNode
