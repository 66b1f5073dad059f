#pragma once
// Undo and redo history of one album page, kept as whole copies of the page.
#include <memory>
#include <string>
#include <vector>

namespace treeNode {
class CPaginaTreeNode;
class CSposalboTreeNode;
} // namespace treeNode

class CPageUndo {
public:
    CPageUndo() = default;
    virtual ~CPageUndo();
    CPageUndo(const CPageUndo&) = delete;
    CPageUndo& operator=(const CPageUndo&) = delete;

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // Whether a copy kept for undo or redo shows that album photo: undoing
    // would bring it back onto the page.
    bool UsesPhoto(const std::string& name) const;
    // Remembers the page as it is now, selection included; marks it changed.
    void Snapshot(treeNode::CPaginaTreeNode& page);
    // Forgets the last snapshot (of an operation that did not happen).
    void DiscardLastSnapshot()
    {
        if (!m_undo.empty())
            m_undo.pop_back();
    }
    // Swap the album's page at index with the newest copy of the other stack.
    void Undo(treeNode::CSposalboTreeNode& album, int pageIndex);
    void Redo(treeNode::CSposalboTreeNode& album, int pageIndex);

private:
    using Stack = std::vector<std::unique_ptr<treeNode::CPaginaTreeNode>>;
    static void Swap(treeNode::CSposalboTreeNode& album, int pageIndex, Stack& from, Stack& to);

    Stack m_undo;
    Stack m_redo;
};
