#pragma once
// A vertex of a graph: a grid point that knows the links meeting at it.
#include <cstdint>

#include "boolengine/lpoint.h"
#include "boolengine/nodelinks.h"
#include "boolengine/smallpool.h"

class Bool_Engine;
class BoolLink;

class Node : public LPoint {
public:
    // A node keeps no engine of its own: everything it does is local.
    explicit Node(Bool_Engine*) {}
    Node(int64_t x, int64_t y, Bool_Engine*) : LPoint(x, y) {}
    Node(const LPoint& p, Bool_Engine*) : LPoint(p) {}
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node() = default;  // the links are not owned
    BOOL_POOLED(Node)

    int GetNumberOfLinks() const { return static_cast<int>(m_links.size()); }
    const NodeLinks& Links() const { return m_links; }
    void AddLink(BoolLink* link) { m_links.insert_front(link); }
    void RemoveLink(BoolLink* link);

    // For a node with two links: the one that is not 'link' (null otherwise).
    BoolLink* GetOtherLink(const BoolLink* link) const;

    // Moves every link of 'other' to this node and deletes 'other'.
    void Merge(Node* other);

    // Among links with clear bin flag, the one with the smallest |dy/dx|.
    BoolLink* GetFlattestUnvisitedLink() const;

    // Set when the node is made; the crossing search clears it to learn
    // which nodes are new since its last look.
    bool touched = true;
    // A number a pass may give the node to find it in the pass's own tables.
    uint32_t slot = 0;

private:
    NodeLinks m_links;
};
