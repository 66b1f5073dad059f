#include "document/pages/PaginaTreeNode.h"

#include <algorithm>

#include "document/nodes/ImgColor.h"

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/DocumentHost.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

namespace treeNode {

namespace {
constexpr float kDefaultAspect = 2.0f;

bool IsInside(const CTreeNode* node, const CTreeNode* root)
{
    for (const CTreeNode* walk = node; walk; walk = walk->GetParent()) {
        if (walk == root)
            return true;
    }
    return false;
}

template <class Visit>
void ForEachPhoto(CTreeNode* node, const Visit& visit)
{
    if (!node)
        return;
    if (node->HasTag(tags::kImmagine)) {
        if (auto* photo = dynamic_cast<CImgTreeNode*>(node))
            visit(photo);
    }
    for (size_t i = 0; i < node->GetChildCount(); ++i)
        ForEachPhoto(node->GetChild(i), visit);
}
} // namespace

CPaginaTreeNode::CPaginaTreeNode(CTreeNode* parent) : CTreeNode(tags::kPagina, parent)
{
    ExtractBackground();
}

CPaginaTreeNode::CPaginaTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CTreeNode(element, parent)
{
    ExtractBackground();
    int cover = 0;
    ReadIntAttribute(element, "copertina", cover);
    m_cover = cover == 1;
}

CPaginaTreeNode::CPaginaTreeNode(const CPaginaTreeNode& source, CTreeNode* parent)
    : CTreeNode(source, parent), m_cover(source.m_cover)
{
    if (source.m_background) {
        std::unique_ptr<CTreeNode> copy = source.m_background->Clone(this);
        m_background.reset(static_cast<CSfondoTreeNode*>(copy.release()));
    }
}

CPaginaTreeNode::~CPaginaTreeNode() = default;

std::unique_ptr<CTreeNode> CPaginaTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CPaginaTreeNode>(*this, parent);
}

void CPaginaTreeNode::ExtractBackground()
{
    m_backgroundEditMode = false;
    if (GetChildCount() == 0 || !GetChild(0)->HasTag(tags::kSfondo))
        return;
    std::unique_ptr<CTreeNode> first = DetachChild(size_t{0});
    m_background.reset(static_cast<CSfondoTreeNode*>(first.release()));
}

void CPaginaTreeNode::WriteAttributes(TiXmlElement& element)
{
    if (m_background)
        m_background->SaveXml(element);
    if (m_cover)
        SetIntAttribute(element, "copertina", 1);
}

size_t CPaginaTreeNode::CountFileElements() const
{
    return CTreeNode::CountFileElements() + (m_background ? m_background->CountFileElements() : 0);
}

void CPaginaTreeNode::OnSavedToFile()
{
    m_modified = false;
    CTreeNode::OnSavedToFile();
}

CSposalboTreeNode* CPaginaTreeNode::Album() const
{
    return dynamic_cast<CSposalboTreeNode*>(GetParent());
}

spab_imagelist::CMImageList* CPaginaTreeNode::ImageList() const
{
    CSposalboTreeNode* album = Album();
    return album ? album->GetImageList() : nullptr;
}

float CPaginaTreeNode::GetHeight()
{
    return 1.0f;
}

float CPaginaTreeNode::GetWidth()
{
    CSposalboTreeNode* album = Album();
    return album ? album->GetAspectRatio() : kDefaultAspect;
}

// ---- selection bookkeeping

void CPaginaTreeNode::OnChildSelectionChanged(CTreeNode* child)
{
    if (!child)
        return;
    if (child->IsSelected())
        m_selection.push_back(child);
    else
        m_selection.erase(std::remove(m_selection.begin(), m_selection.end(), child),
                          m_selection.end());
}

int CPaginaTreeNode::GetSelectedCount(bool countChildren)
{
    return countChildren ? CountSelectedChildren() : static_cast<int>(m_selection.size());
}

CTreeNode* CPaginaTreeNode::GetFirstSelected() const
{
    return m_selection.empty() ? nullptr : m_selection.front();
}

CTreeNode* CPaginaTreeNode::GetLastSelected() const
{
    return m_selection.empty() ? nullptr : m_selection.back();
}

void CPaginaTreeNode::SelectAll(bool select)
{
    if (select) {
        for (size_t i = 0; i < GetChildCount(); ++i)
            GetChild(i)->SetSelected(true);
        return;
    }
    // The list holds every selected object, inside groups and frames too.
    const NodeList selected = m_selection;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        (*it)->SetSelected(false);
    m_selection.clear();
}

bool CPaginaTreeNode::IsGroupOrFrameSelected()
{
    CTreeNode* first = GetFirstSelected();
    return CountSelectedChildren() == 1 && first &&
           (first->HasTag(tags::kGruppo) || first->HasTag(tags::kCornice));
}

bool CPaginaTreeNode::IsTextSelected()
{
    CTreeNode* first = GetFirstSelected();
    return CountSelectedChildren() == 1 && first && first->HasTag(tags::kTesto);
}

int CPaginaTreeNode::HitTestHandles(float x, float y)
{
    m_handleObject = nullptr;
    for (CTreeNode* node : m_selection) {
        int handle = node->HitTestHandles(x, y);
        if (handle != kHandleNone) {
            m_handleObject = node;
            return handle;
        }
    }
    return kHandleNone;
}

NodeList CPaginaTreeNode::MovableSelection() const
{
    NodeList movable;
    for (CTreeNode* node : m_selection) {
        if (node->IsMovable())
            movable.push_back(node);
    }
    return movable;
}

void CPaginaTreeNode::ForgetSubtree(const CTreeNode* root)
{
    // What lies inside root leaves the selection altogether: a flag left set
    // would show nowhere and keep the object from being chosen again. The
    // caller still reads root's own.
    for (CTreeNode* node : m_selection) {
        if (node != root && IsInside(node, root))
            node->SetSelectedFlagOnly(false);
    }
    m_selection.erase(std::remove_if(m_selection.begin(), m_selection.end(),
                                     [root](CTreeNode* node) { return IsInside(node, root); }),
                      m_selection.end());
    if (m_handleObject && IsInside(m_handleObject, root))
        m_handleObject = nullptr;
}

std::vector<std::unique_ptr<CTreeNode>> CPaginaTreeNode::DetachSelectedChildren()
{
    std::vector<std::unique_ptr<CTreeNode>> detached;
    for (size_t i = 0; i < GetChildCount();) {
        if (GetChild(i)->IsSelected())
            detached.push_back(DetachChild(i));
        else
            ++i;
    }
    return detached;
}

std::vector<std::unique_ptr<CTreeNode>> CPaginaTreeNode::TakeSelectedChildren()
{
    for (size_t i = 0; i < GetChildCount(); ++i)
        if (GetChild(i)->IsSelected())
            ForgetSubtree(GetChild(i));
    return DetachSelectedChildren();
}

// ---- transforms of the selection

void CPaginaTreeNode::MoveSelection(float dx, float dy, bool saveUndo)
{
    if (saveUndo)
        SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->MoveBy(dx, dy);
}

void CPaginaTreeNode::MoveBy(float dx, float dy)
{
    MoveSelection(dx, dy, true);
}

void CPaginaTreeNode::ApplyToSelection(float angle, bool saveUndo)
{
    if (saveUndo)
        SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->RotateBy(angle);
}

void CPaginaTreeNode::RotateBy(float angle)
{
    ApplyToSelection(angle, true);
}

void CPaginaTreeNode::SetRotation(float angle)
{
    SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->SetRotation(angle);
}

void CPaginaTreeNode::ScaleBy(float sx, float sy)
{
    SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->ScaleBy(sx, sy);
}

void CPaginaTreeNode::ResizeByHandle(int handle, float dx, float dy, bool keepAspect)
{
    if (m_handleObject)
        handle = m_handleObject->MapHandleForFlip(handle);
    for (CTreeNode* node : MovableSelection())
        node->ResizeByHandle(node->MapHandleForFlip(handle), dx, dy, keepAspect);
}

void CPaginaTreeNode::ShiftZOrder(bool forward)
{
    SaveUndo();
    const NodeList movable = MovableSelection();
    if (forward) {
        for (auto it = movable.rbegin(); it != movable.rend(); ++it)
            (*it)->ShiftZOrder(true);
    } else {
        for (CTreeNode* node : movable)
            node->ShiftZOrder(false);
    }
}

void CPaginaTreeNode::SetLocked(bool locked)
{
    SaveUndo();
    for (CTreeNode* node : m_selection)
        node->SetLocked(locked);
}

void CPaginaTreeNode::ResetAspectRatio()
{
    if (m_selection.empty())
        return;
    SaveUndo();
    for (CTreeNode* node : MovableSelection())
        node->ResetAspectRatio();
}

// ---- structure of the selection

void CPaginaTreeNode::BringSelectionToFront()
{
    SaveUndo();
    std::vector<std::unique_ptr<CTreeNode>> moved = DetachSelectedChildren();
    for (auto& node : moved)
        InsertChildAt(GetChildCount(), std::move(node));
}

void CPaginaTreeNode::SendSelectionToBack()
{
    SaveUndo();
    std::vector<std::unique_ptr<CTreeNode>> moved = DetachSelectedChildren();
    for (size_t i = 0; i < moved.size(); ++i)
        InsertChildAt(i, std::move(moved[i]));
}

void CPaginaTreeNode::DeleteSelection()
{
    SaveUndo();
    for (size_t i = 0; i < GetChildCount(); ++i) {
        if (GetChild(i)->IsSelected())
            ReleaseImageRefs(GetChild(i));
    }
    m_selection.clear();
    std::vector<std::unique_ptr<CTreeNode>> doomed = TakeSelectedChildren();
    m_handleObject = nullptr;
}

bool CPaginaTreeNode::CanNestSelection(int levelsDeeper) const
{
    int height = 0;
    for (size_t i = 0; i < GetChildCount(); ++i) {
        if (GetChild(i)->IsSelected())
            height = std::max(height, GetChild(i)->GetSubtreeHeight());
    }
    return CanHoldNested(height + levelsDeeper);
}

std::unique_ptr<CGruppoTreeNode> CPaginaTreeNode::TakeSelectionAsGroup(size_t* topmostPlace)
{
    SaveUndo();
    auto group = std::make_unique<CGruppoTreeNode>(this);
    group->LoadResources();
    group->SetRotation(0.0f);
    // Where the topmost selected object lies among the objects that stay.
    size_t place = 0;
    size_t unselected = 0;
    for (size_t i = 0; i < GetChildCount(); ++i) {
        if (GetChild(i)->IsSelected())
            place = unselected;
        else
            ++unselected;
    }
    for (auto& child : TakeSelectedChildren())
        group->AddChild(std::move(child), true);
    group->FitToChildren();
    group->SelectChildren(false);
    if (topmostPlace)
        *topmostPlace = place;
    return group;
}

CGruppoTreeNode* CPaginaTreeNode::GroupSelection()
{
    if (!CanNestSelection(1))
        return nullptr;
    size_t place = 0;
    std::unique_ptr<CGruppoTreeNode> group = TakeSelectionAsGroup(&place);
    CGruppoTreeNode* result = group.get();
    InsertChildAt(place, std::move(group));
    result->SetSelected(true);
    return result;
}

void CPaginaTreeNode::UngroupSelection()
{
    // Only a group or a frame has objects to give back.
    if (!IsGroupOrFrameSelected())
        return;
    CTreeNode* first = GetFirstSelected();
    SaveUndo();
    const bool frame = first->HasTag(tags::kCornice);
    std::unique_ptr<CTreeNode> container;
    for (auto& node : TakeSelectedChildren()) {
        if (node.get() == first)
            container = std::move(node);
    }
    if (!container)
        return;
    container->SetSelectedFlagOnly(false);
    const CImgColor* containerColour = container->GetColourSettings();
    // A frame's effect is its shape, not an object of the page: it stays.
    size_t keep = 0;
    while (container->GetChildCount() > keep) {
        if (container->GetChild(keep)->HasTag(tags::kEffetto)) {
            ++keep;
            continue;
        }
        InsertChildAt(GetChildCount(), container->DetachChild(keep));
        CTreeNode* placed = GetChild(GetChildCount() - 1);
        placed->SetSelected(true);
        const CImgColor* own = placed->GetColourSettings();
        if (own && containerColour) {
            CImgColor product = *own;
            product.Multiply(*containerColour);
            placed->SetColourSettings(&product, false);
        }
    }
    if (!frame)
        return;  // the emptied group goes
    // The frame stays above its former objects and stays selected, still the
    // first of the selection. Flagged only once listed, so a selection that
    // cannot grow leaves it consistently unselected.
    CTreeNode* kept = container.get();
    InsertChildAt(GetChildCount(), std::move(container));
    m_selection.insert(m_selection.begin(), kept);
    kept->SetSelectedFlagOnly(true);
}

void CPaginaTreeNode::MoveSelectionInto(CTreeNode* target)
{
    if (!target)
        return;
    // Never make a node its own ancestor: the target and the objects it sits
    // in stay where they are.
    auto moves = [target](CTreeNode* child) {
        return child->IsSelected() && !IsInside(target, child);
    };
    for (size_t i = 0; i < GetChildCount(); ++i) {
        CTreeNode* child = GetChild(i);
        if (moves(child) && !target->CanHoldNested(child->GetSubtreeHeight()))
            return;
    }
    SaveUndo();
    for (size_t i = 0; i < GetChildCount();) {
        CTreeNode* child = GetChild(i);
        if (!moves(child)) {
            ++i;
            continue;
        }
        ForgetSubtree(child);
        target->AddChild(DetachChild(i), true);
    }
    target->SelectChildren(false);
    target->SetSelected(true);
}

// ---- pictures in use

void CPaginaTreeNode::AddImageRefs(CTreeNode* node)
{
    if (spab_imagelist::CMImageList* list = ImageList())
        ForEachPhoto(node, [list](CImgTreeNode* photo) { list->AddRef(photo->GetName().c_str()); });
}

void CPaginaTreeNode::ReleaseImageRefs(CTreeNode* node)
{
    if (spab_imagelist::CMImageList* list = ImageList())
        ForEachPhoto(node,
                     [list](CImgTreeNode* photo) { list->Release(photo->GetName().c_str()); });
}

bool CPaginaTreeNode::NamesPhoto(const CTreeNode* node, const std::string& name)
{
    if (!node)
        return false;
    if (node->HasTag(tags::kImmagine)) {
        auto* photo = dynamic_cast<const CImgTreeNode*>(node);
        if (photo && photo->GetName() == name)
            return true;
    }
    for (size_t i = 0; i < node->GetChildCount(); ++i) {
        if (NamesPhoto(node->GetChild(i), name))
            return true;
    }
    return false;
}

bool CPaginaTreeNode::UsesPhoto(const std::string& name) const
{
    return NamesPhoto(this, name) || NamesPhoto(m_background.get(), name);
}

void CPaginaTreeNode::CollectUnlistedPhotos(std::vector<std::string>& names)
{
    spab_imagelist::CMImageList* list = ImageList();
    const auto collect = [list, &names](CImgTreeNode* photo) {
        const std::string& name = photo->GetName();
        // A template's placeholder has no name yet and names no photo.
        if (name.empty() || (list && list->Find(name.c_str())))
            return;
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (size_t i = 0; i < GetChildCount(); ++i)
        ForEachPhoto(GetChild(i), collect);
    ForEachPhoto(m_background.get(), collect);
}

} // namespace treeNode
