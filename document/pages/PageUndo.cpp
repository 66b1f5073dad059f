#include "document/pages/PageUndo.h"

#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using treeNode::CPaginaTreeNode;
using treeNode::CTreeNode;

CPageUndo::~CPageUndo() = default;

void CPageUndo::Snapshot(CPaginaTreeNode& page)
{
    std::unique_ptr<CTreeNode> copy = page.Clone(page.GetParent());
    auto* pageCopy = static_cast<CPaginaTreeNode*>(copy.get());
    // Selection by position: the copy's list holds them in child order.
    for (size_t i = 0; i < page.GetChildCount() && i < pageCopy->GetChildCount(); ++i) {
        if (page.GetChild(i)->IsSelected())
            pageCopy->GetChild(i)->SetSelected(true);
    }
    // Owned before the stack grows, so a stack that cannot grow frees it.
    std::unique_ptr<CPaginaTreeNode> snapshot(static_cast<CPaginaTreeNode*>(copy.release()));
    m_undo.push_back(std::move(snapshot));
    // Marked only once the snapshot is taken: one that fails changes nothing.
    page.SetPageModified(true);
    page.SetNeedsRefresh(true);
}

void CPageUndo::Swap(treeNode::CSposalboTreeNode& album, int pageIndex, Stack& from, Stack& to)
{
    if (from.empty() || pageIndex < 0 || pageIndex >= album.GetPageCount())
        return;
    std::unique_ptr<CPaginaTreeNode> page = std::move(from.back());
    from.pop_back();
    std::unique_ptr<CTreeNode> replaced =
        album.ReplaceChild(static_cast<size_t>(pageIndex), std::move(page));
    if (!replaced)
        return;
    auto* old = static_cast<CPaginaTreeNode*>(replaced.release());
    old->ReleaseResources();
    to.emplace_back(old);
}

bool CPageUndo::UsesPhoto(const std::string& name) const
{
    for (const Stack* stack : {&m_undo, &m_redo}) {
        for (const auto& copy : *stack) {
            if (copy->UsesPhoto(name))
                return true;
        }
    }
    return false;
}

void CPageUndo::Undo(treeNode::CSposalboTreeNode& album, int pageIndex)
{
    Swap(album, pageIndex, m_undo, m_redo);
}

void CPageUndo::Redo(treeNode::CSposalboTreeNode& album, int pageIndex)
{
    Swap(album, pageIndex, m_redo, m_undo);
}
