// The check that spares the crossing search a last round that would find
// nothing: after a round, only what that round made or moved can meet
// anything new.
#include <algorithm>

#include "boolengine/linktests.h"
#include "boolengine/node.h"

namespace linktests {

namespace {

// Touched links by left end, with the widest of them, for box look-ups.
class TouchedLinks {
public:
    explicit TouchedLinks(std::vector<Span> spans) : m_spans(std::move(spans))
    {
        std::sort(m_spans.begin(), m_spans.end(), [](const Span& a, const Span& b) { return a.xmin < b.xmin; });
        for (const Span& s : m_spans) m_width = std::max(m_width, s.xmax - s.xmin);
    }
    // Calls f for every touched link whose box, widened by 'widen', meets
    // [x0, x1] x [y0, y1]; stops with true as soon as f answers true.
    template <typename F> bool AnyNear(int64_t x0, int64_t x1, int64_t y0, int64_t y1, int64_t widen, F f) const
    {
        const int64_t from = x0 - widen - m_width;
        auto it = std::lower_bound(m_spans.begin(), m_spans.end(), from,
                                   [](const Span& s, int64_t x) { return s.xmin < x; });
        for (; it != m_spans.end() && it->xmin - widen <= x1; ++it) {
            if (it->xmax + widen < x0 || it->ymax + widen < y0 || it->ymin - widen > y1) continue;
            if (f(it->link)) return true;
        }
        return false;
    }

private:
    std::vector<Span> m_spans;
    int64_t m_width = 0;
};

}  // namespace

bool NewCrossingsPossible(const std::vector<BoolLink*>& links, int64_t marge)
{
    std::vector<Span> touched;
    for (BoolLink* l : links)
        if (l->touched) touched.push_back(MakeSpan(l));
    const std::vector<Node*> nodes = DistinctNodes(links);
    std::vector<const Node*> fresh;
    for (const Node* n : nodes)
        if (n->touched) fresh.push_back(n);
    // Much touched: a full round costs hardly more than this check.
    if ((touched.size() + fresh.size()) * 4 > links.size()) return true;
    std::sort(fresh.begin(), fresh.end(), [](const Node* a, const Node* b) { return a->GetX() < b->GetX(); });
    const TouchedLinks near(std::move(touched));

    for (BoolLink* l : links) {
        const Span s = MakeSpan(l);
        // A link crossing a touched link.
        if (near.AnyNear(s.xmin, s.xmax, s.ymin, s.ymax, 0, [&](const BoolLink* t) { return ProperCrossing(l, t); }))
            return true;
        // A fresh node on a link.
        auto it = std::lower_bound(fresh.begin(), fresh.end(), s.xmin - marge,
                                   [](const Node* n, int64_t x) { return n->GetX() < x; });
        for (; it != fresh.end() && (*it)->GetX() <= s.xmax + marge; ++it) {
            const Node* n = *it;
            if (n->GetY() < s.ymin - marge || n->GetY() > s.ymax + marge) continue;
            if (n == l->GetBeginNode() || n == l->GetEndNode()) continue;
            if (NodeNearLink(n, l, marge)) return true;
        }
    }
    // Any node on a touched link.
    for (const Node* n : nodes) {
        const int64_t x = n->GetX(), y = n->GetY();
        if (near.AnyNear(x, x, y, y, marge, [&](const BoolLink* t) {
                return n != t->GetBeginNode() && n != t->GetEndNode() && NodeNearLink(n, t, marge);
            }))
            return true;
    }
    return false;
}

}  // namespace linktests
