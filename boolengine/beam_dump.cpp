// The log trace of one scan pass: the graph in sweep order and the scan beam
// after every record added. The engine's own sweeps keep other structures, so
// the beam is replayed here from the graph as the pass finds it, and only
// while the log is open.
#include <algorithm>
#include <cinttypes>
#include <limits>
#include <unordered_set>
#include <vector>

#include "boolengine/booleng.h"
#include "boolengine/boolline.h"
#include "boolengine/graph.h"

namespace {

struct BeamRecord {
    BoolLink* link;
    int64_t ysp;
    const Node* far;  // the node the link runs towards in the sweep
};

bool IsVertical(const BoolLink* l) { return l->GetBeginNode()->GetX() == l->GetEndNode()->GetX(); }

// Runs to larger x, or, when vertical, to smaller y.
bool RunsForward(const BoolLink* l)
{
    const Node* b = l->GetBeginNode();
    const Node* e = l->GetEndNode();
    return IsVertical(l) ? e->GetY() < b->GetY() : e->GetX() > b->GetX();
}

int64_t YspAt(Bool_Engine* engine, BoolLink* l, const Node* n)
{
    const Node* b = l->GetBeginNode();
    const Node* e = l->GetEndNode();
    if (n == b || n == e || IsVertical(l)) return n->GetY();
    if (n->GetX() == e->GetX()) return e->GetY();
    if (n->GetX() == b->GetX()) return b->GetY();
    BoolLine line(l, engine);
    return line.Calculate_Y(n->GetX());
}

// Beam order: higher ysp first, then the higher far node.
bool ComesFirst(const BeamRecord& a, const BeamRecord& b)
{
    if (a.ysp != b.ysp) return a.ysp > b.ysp;
    return a.far->GetY() > b.far->GetY();
}

// Slope seen from 'from'; vertical links count as the largest double, signed
// by the way they lead.
double SlopeFrom(const BoolLink* l, const Node* from)
{
    const Node* other = l->GetOther(from);
    const double dx = static_cast<double>(other->GetX() - from->GetX());
    const double dy = static_cast<double>(other->GetY() - from->GetY());
    if (dx == 0.0) return dy >= 0.0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
    return dy / dx;
}

void DumpBeam(Bool_Engine* e, const std::vector<BeamRecord>& beam, const Node* low, int type)
{
    e->LogPrintf("# beam %d \n", static_cast<int>(beam.size()));
    e->LogPrintf(" low %" PRId64 " %" PRId64 " \n", low->GetX(), low->GetY());
    e->LogPrintf(" type %d \n", type);
    if (beam.empty()) e->LogPrintf("             empty \n");
    for (const BeamRecord& r : beam) {
        const Node* b = r.link->GetBeginNode();
        const Node* en = r.link->GetEndNode();
        e->LogPrintf(" ysp %" PRId64 " \n", r.ysp);
        e->LogPrintf("             linkbegin %" PRId64 " %" PRId64 " \n", b->GetX(), b->GetY());
        e->LogPrintf("             linkend %" PRId64 " %" PRId64 " \n", en->GetX(), en->GetY());
    }
}

}  // namespace

std::vector<BoolLink*> Graph::LinksInSweepOrder() const
{
    std::vector<BoolLink*> links = LinkVector();
    std::stable_sort(links.begin(), links.end(), [](const BoolLink* a, const BoolLink* b) {
        const Node* p = a->GetBeginNode();
        const Node* q = b->GetBeginNode();
        if (p->GetX() != q->GetX()) return p->GetX() < q->GetX();
        return p->GetY() > q->GetY();
    });
    return links;
}

void Graph::LogScanPass(int passType) const
{
    Bool_Engine* e = m_engine;
    if (!e->LogOpen()) return;
    const std::vector<BoolLink*> links = LinksInSweepOrder();
    WriteLinksToLog(links, false);

    // Vertical links get no record in the node, crossing and hole passes.
    const bool verticalRecords = passType == 2 || passType == 4;
    std::unordered_set<const BoolLink*> added;
    std::vector<BeamRecord> beam;
    int notFurther = 0;
    size_t i = 0;
    while (i < links.size()) {
        const Node* low = links[i]->GetBeginNode();
        std::vector<BoolLink*> fresh;
        for (BoolLink* l : low->Links())
            if (!added.count(l)) fresh.push_back(l);
        std::stable_sort(fresh.begin(), fresh.end(),
                         [low](const BoolLink* a, const BoolLink* b) { return SlopeFrom(a, low) > SlopeFrom(b, low); });
        for (BoolLink* l : fresh) {
            added.insert(l);
            if (IsVertical(l) && !verticalRecords) continue;
            const BeamRecord r{l, low->GetY(), RunsForward(l) ? l->GetEndNode() : l->GetBeginNode()};
            beam.insert(std::find_if(beam.begin(), beam.end(), [&r](const BeamRecord& o) { return ComesFirst(r, o); }),
                        r);
            DumpBeam(e, beam, low, notFurther);
        }
        while (i < links.size() && links[i]->GetBeginNode() == low) ++i;
        if (i == links.size()) break;
        const Node* next = links[i]->GetBeginNode();
        notFurther = next->GetX() > low->GetX() ? 0 : 1;
        beam.erase(std::remove_if(beam.begin(), beam.end(),
                                  [next](const BeamRecord& r) {
                                      return r.link->GetBeginNode() == next || r.link->GetEndNode() == next;
                                  }),
                   beam.end());
        for (BeamRecord& r : beam) r.ysp = YspAt(e, r.link, next);
        std::stable_sort(beam.begin(), beam.end(), ComesFirst);
    }
}
