#pragma once
// An edge of a graph between two nodes, with the flags the pipeline derives.
#include "boolengine/boolop.h"
#include "boolengine/node.h"

class BoolLink {
public:
    // A link keeps no engine of its own: everything it does is local.
    BoolLink(int graphnum, Node* begin, Node* end, Bool_Engine* engine);
    BoolLink(Node* begin, Node* end, Bool_Engine* engine) : BoolLink(0, begin, end, engine) {}
    BoolLink(const BoolLink&) = delete;
    BOOL_POOLED(BoolLink)
    BoolLink& operator=(const BoolLink&) = delete;
    // Detaches from both nodes and deletes a node left without links.
    ~BoolLink();

    Node* GetBeginNode() const { return m_begin; }
    Node* GetEndNode() const { return m_end; }
    Node* GetOther(const Node* node) const { return node == m_begin ? m_end : m_begin; }
    Node* GetHighNode() const;
    int GetGraphNum() const { return m_graphnum; }
    void SetGraphNum(int n) { m_graphnum = n; }
    GroupType GetGroup() const { return m_group; }
    void SetGroup(GroupType g) { m_group = g; }

    // Re-points one end (the caller keeps the node link lists in order).
    void ReplaceNode(Node* from, Node* to);
    // Makes 'node' the begin node, swapping sides when it was the end.
    void Redirect(Node* node);
    void Reverse();  // swaps begin and end, flags untouched
    bool IsZeroLength() const { return m_begin == m_end; }

    // Derives the operation flags from the four side flags.
    void SetOperationFlags();
    bool IsMarked(int op) const { return m_leftOp[op] || m_rightOp[op]; }
    bool IsInResult(int op) const { return IsMarked(op); }
    bool HasAnyOperationFlag() const;
    bool LeftInResult(int op) const { return m_leftOp[op]; }
    bool RightInResult(int op) const { return m_rightOp[op]; }

    bool bin = false;
    bool hole = false;
    bool top_hole = false;
    bool direction = false;
    bool leftA = false, rightA = false, leftB = false, rightB = false;
    bool mark = false;
    bool holelink = false;
    // Set when the link is made or one of its ends changes; the crossing
    // search clears it to learn which links are new since its last look.
    bool touched = true;

private:
    Node* m_begin;
    Node* m_end;
    GroupType m_group = GROUP_A;
    int m_graphnum;
    bool m_leftOp[6] = {};
    bool m_rightOp[6] = {};
};
