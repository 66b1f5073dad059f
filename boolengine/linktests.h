#pragma once
// The tests the crossing search makes between links and nodes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "boolengine/exactmath.h"
#include "boolengine/link.h"

namespace linktests {

struct Span {
    BoolLink* link;
    int64_t xmin, xmax, ymin, ymax;
};

inline Span MakeSpan(BoolLink* l)
{
    const Node* b = l->GetBeginNode();
    const Node* e = l->GetEndNode();
    return Span{l, std::min(b->GetX(), e->GetX()), std::max(b->GetX(), e->GetX()),
                std::min(b->GetY(), e->GetY()), std::max(b->GetY(), e->GetY())};
}

// Every node of the links once, in the order of the links: a node is taken
// with the first link of its own list, which every node has exactly one of.
inline std::vector<Node*> DistinctNodes(const std::vector<BoolLink*>& links)
{
    std::vector<Node*> nodes;
    nodes.reserve(links.size() + 1);
    for (BoolLink* l : links) {
        Node* b = l->GetBeginNode();
        Node* e = l->GetEndNode();
        if (b->Links().front() == l) nodes.push_back(b);
        if (e != b && e->Links().front() == l) nodes.push_back(e);
    }
    return nodes;
}

// The node lies within marge of the link, its foot strictly inside the link.
inline bool NodeNearLink(const Node* n, const BoolLink* l, int64_t marge)
{
    const Node* a = l->GetBeginNode();
    const Node* b = l->GetEndNode();
    const int64_t dx = b->GetX() - a->GetX(), dy = b->GetY() - a->GetY();
    if (exactmath::DotSign(n->GetX() - a->GetX(), n->GetY() - a->GetY(), dx, dy) <= 0) return false;
    if (exactmath::DotSign(n->GetX() - b->GetX(), n->GetY() - b->GetY(), -dx, -dy) <= 0) return false;
    if (marge <= 0)
        return exactmath::Orientation(a->GetX(), a->GetY(), b->GetX(), b->GetY(), n->GetX(), n->GetY()) == 0;
    const double fx = static_cast<double>(dx), fy = static_cast<double>(dy);
    const double px = static_cast<double>(n->GetX() - a->GetX());
    const double py = static_cast<double>(n->GetY() - a->GetY());
    const double cross = std::fabs(fx * py - fy * px);
    return cross <= static_cast<double>(marge) * std::sqrt(fx * fx + fy * fy);
}

inline bool ProperCrossing(const BoolLink* p, const BoolLink* q)
{
    const Node* a = p->GetBeginNode();
    const Node* b = p->GetEndNode();
    const Node* c = q->GetBeginNode();
    const Node* d = q->GetEndNode();
    if (a == c || a == d || b == c || b == d) return false;
    using exactmath::Orientation;
    const int o1 = Orientation(a->GetX(), a->GetY(), b->GetX(), b->GetY(), c->GetX(), c->GetY());
    const int o2 = Orientation(a->GetX(), a->GetY(), b->GetX(), b->GetY(), d->GetX(), d->GetY());
    if (o1 * o2 >= 0) return false;
    const int o3 = Orientation(c->GetX(), c->GetY(), d->GetX(), d->GetY(), a->GetX(), a->GetY());
    const int o4 = Orientation(c->GetX(), c->GetY(), d->GetX(), d->GetY(), b->GetX(), b->GetY());
    return o3 * o4 < 0;
}

// Whether a round of the crossing search over these links could find
// anything, judged from the links and nodes touched since the flags were
// last cleared (all others were looked at then and have not moved). True
// also when too much was touched to be worth judging.
bool NewCrossingsPossible(const std::vector<BoolLink*>& links, int64_t marge);

}  // namespace linktests
