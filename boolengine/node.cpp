#include "boolengine/node.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "boolengine/link.h"

namespace {
const double kVerticalSlope = std::numeric_limits<double>::max();

double Slope(const Node* from, const Node* to)
{
    const double dx = static_cast<double>(to->GetX()) - static_cast<double>(from->GetX());
    const double dy = static_cast<double>(to->GetY()) - static_cast<double>(from->GetY());
    if (dx == 0.0) return dy >= 0.0 ? kVerticalSlope : -kVerticalSlope;
    return dy / dx;
}
}  // namespace

void Node::RemoveLink(BoolLink* link)
{
    m_links.remove(link);
}

BoolLink* Node::GetOtherLink(const BoolLink* link) const
{
    if (m_links.size() != 2) return nullptr;
    if (m_links[0] == link) return m_links[1];
    if (m_links[1] == link) return m_links[0];
    return nullptr;
}

void Node::Merge(Node* other)
{
    if (other == this || !other) return;
    for (BoolLink* l : other->m_links) {
        l->ReplaceNode(other, this);
        m_links.push_back(l);
    }
    other->m_links.clear();
    delete other;
}

BoolLink* Node::GetFlattestUnvisitedLink() const
{
    BoolLink* best = nullptr;
    double bestSlope = 0.0;
    for (BoolLink* l : m_links) {
        if (l->bin) continue;
        const double s = std::fabs(Slope(this, l->GetOther(this)));
        if (!best || s < bestSlope) {
            best = l;
            bestSlope = s;
        }
    }
    return best;
}
