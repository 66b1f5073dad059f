#include "boolengine/boolline.h"

#include <algorithm>
#include <cmath>

#include "boolengine/booleng.h"
#include "boolengine/graph.h"

BoolLine::BoolLine(const BoolLine& other)
    : m_engine(other.m_engine), m_link(other.m_link), m_AA(other.m_AA), m_BB(other.m_BB),
      m_CC(other.m_CC), m_valid(other.m_valid)
{
}

BoolLine::~BoolLine() = default;

void BoolLine::Set(BoolLink* link)
{
    m_link = link;
    m_valid = false;
    m_crossings.reset();
}

void BoolLine::CalculateLineParameters()
{
    if (m_valid) return;
    const Node* b = m_link->GetBeginNode();
    const Node* e = m_link->GetEndNode();
    const double dy = static_cast<double>(e->GetY() - b->GetY());
    const double dxr = static_cast<double>(b->GetX() - e->GetX());
    const double length = std::sqrt(dy * dy + dxr * dxr);
    if (length == 0.0) m_engine->Error("length = 0", "CalculateLineParameters");
    const double inv = 1.0 / length;
    m_AA = dy * inv;
    m_BB = dxr * inv;
    m_CC = -(m_AA * static_cast<double>(b->GetX()) + m_BB * static_cast<double>(b->GetY()));
    m_valid = true;
}

int BoolLine::PointInLine(const LPoint* point, double& distance, double tolerance)
{
    if (point == m_link->GetBeginNode() || point == m_link->GetEndNode()) {
        distance = 0.0;
        return ON_AREA;
    }
    CalculateLineParameters();
    distance = m_AA * static_cast<double>(point->GetX()) + m_BB * static_cast<double>(point->GetY()) + m_CC;
    if (distance < -tolerance) return LEFT_SIDE;
    if (distance > tolerance) return RIGHT_SIDE;
    return ON_AREA;
}

int BoolLine::PointOnLine(const LPoint* point, double& distance, double tolerance)
{
    if (point == m_link->GetBeginNode() || point == m_link->GetEndNode()) {
        distance = 0.0;
        return IN_AREA;
    }
    const int side = PointInLine(point, distance, tolerance);
    if (side != ON_AREA) return side;
    const Node* b = m_link->GetBeginNode();
    const Node* e = m_link->GetEndNode();
    const double x = static_cast<double>(point->GetX());
    const double y = static_cast<double>(point->GetY());
    const double xmin = static_cast<double>(std::min(b->GetX(), e->GetX())) - tolerance;
    const double xmax = static_cast<double>(std::max(b->GetX(), e->GetX())) + tolerance;
    const double ymin = static_cast<double>(std::min(b->GetY(), e->GetY())) - tolerance;
    const double ymax = static_cast<double>(std::max(b->GetY(), e->GetY())) + tolerance;
    if (x >= xmin && x <= xmax && y >= ymin && y <= ymax) return IN_AREA;
    return ON_AREA;
}

int64_t BoolLine::Calculate_Y(int64_t x)
{
    CalculateLineParameters();
    if (m_AA == 0.0) return m_link->GetBeginNode()->GetY();
    return static_cast<int64_t>(-(m_AA * static_cast<double>(x) + m_CC) / m_BB + 0.5);
}

bool BoolLine::Intersect2(BoolLine& other, LPoint& crossing)
{
    CalculateLineParameters();
    other.CalculateLineParameters();
    const double det = m_AA * other.m_BB - m_BB * other.m_AA;
    if (det == 0.0) return false;
    crossing.SetX(static_cast<int64_t>((other.m_CC * m_BB - m_CC * other.m_BB) / det));
    crossing.SetY(static_cast<int64_t>((m_CC * other.m_AA - other.m_CC * m_AA) / det));
    return true;
}

Node* BoolLine::Intersect(BoolLine& other)
{
    CalculateLineParameters();
    other.CalculateLineParameters();
    const long double a1 = m_AA, b1 = m_BB, c1 = m_CC;
    const long double a2 = other.m_AA, b2 = other.m_BB, c2 = other.m_CC;
    const long double det = a1 * b2 - b1 * a2;
    if (det == 0.0L) m_engine->Error("colliniar lines", "line");
    long double x = (c2 * b1 - c1 * b2) / det;
    long double y = (c1 * a2 - c2 * a1) / det;
    // Near-parallel links give a badly conditioned crossing: keep it inside
    // the box both links share, where a true crossing must lie.
    const Node* p[4] = {m_link->GetBeginNode(), m_link->GetEndNode(), other.m_link->GetBeginNode(),
                        other.m_link->GetEndNode()};
    const long double xlo = std::max(std::min(p[0]->GetX(), p[1]->GetX()), std::min(p[2]->GetX(), p[3]->GetX()));
    const long double xhi = std::min(std::max(p[0]->GetX(), p[1]->GetX()), std::max(p[2]->GetX(), p[3]->GetX()));
    const long double ylo = std::max(std::min(p[0]->GetY(), p[1]->GetY()), std::min(p[2]->GetY(), p[3]->GetY()));
    const long double yhi = std::min(std::max(p[0]->GetY(), p[1]->GetY()), std::max(p[2]->GetY(), p[3]->GetY()));
    if (!(x >= xlo)) x = xlo;
    if (!(x <= xhi)) x = xhi;
    if (!(y >= ylo)) y = ylo;
    if (!(y <= yhi)) y = yhi;
    // Nearest grid point: a crossing that lies on the grid stays exact.
    Node* node = AddCrossing(static_cast<int64_t>(std::llround(static_cast<double>(x))),
                             static_cast<int64_t>(std::llround(static_cast<double>(y))));
    other.AddCrossing(node);
    return node;
}

void BoolLine::AddCrossing(Node* node)
{
    if (node == m_link->GetBeginNode() || node == m_link->GetEndNode()) return;
    if (!m_crossings) m_crossings = std::make_unique<DL_List<Node*>>();
    bool present = false;
    m_crossings->foreach_item([&](Node* n) { present = present || n == node; });
    if (!present) m_crossings->insend(node);
}

Node* BoolLine::AddCrossing(int64_t x, int64_t y)
{
    Node* node = new Node(x, y, m_engine);
    AddCrossing(node);
    return node;
}

void BoolLine::SortCrossings()
{
    if (!m_crossings || m_crossings->count() < 2) return;
    const Node* b = m_link->GetBeginNode();
    const Node* e = m_link->GetEndNode();
    const int64_t dx = e->GetX() - b->GetX();
    const int64_t dy = e->GetY() - b->GetY();
    const bool byX = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
    const bool ascending = byX ? dx > 0 : dy > 0;
    DL_Iter<Node*> it(m_crossings.get());
    it.mergesort([byX, ascending](Node* a, Node* c) {
        const int64_t ka = byX ? a->GetX() : a->GetY();
        const int64_t kc = byX ? c->GetX() : c->GetY();
        if (ka == kc) return 0;
        return ((ka < kc) == ascending) ? 1 : -1;
    });
}

bool BoolLine::ProcessCrossings(Graph* graph)
{
    if (!m_crossings || m_crossings->empty()) return false;
    SortCrossings();
    std::vector<Node*> crossings = m_crossings->items();
    m_crossings.reset();
    Node* end = m_link->GetEndNode();
    end->RemoveLink(m_link);
    for (auto it = crossings.rbegin(); it != crossings.rend(); ++it) {
        auto* piece = new BoolLink(m_link->GetGraphNum(), *it, end, m_engine);
        piece->SetGroup(m_link->GetGroup());
        piece->bin = true;
        graph->GetLinkList()->insbegin(piece);
        end = *it;
    }
    m_link->ReplaceNode(m_link->GetEndNode(), end);
    end->AddLink(m_link);
    m_valid = false;
    return true;
}

int BoolLine::PointOnCorner(BoolLink* other, double tolerance)
{
    Node* shared = nullptr;
    if (other->GetBeginNode() == m_link->GetEndNode() || other->GetEndNode() == m_link->GetEndNode())
        shared = m_link->GetEndNode();
    else
        shared = m_link->GetBeginNode();
    Node* far = other->GetOther(shared);
    double distance = 0.0;
    const int side = PointInLine(far, distance, tolerance);
    const bool arriving = shared == m_link->GetEndNode();
    if (side == ON_AREA) return 1;
    if (arriving) return side == LEFT_SIDE ? 0 : 2;
    return side == LEFT_SIDE ? 2 : 0;
}

int BoolLine::Compare(Bool_Engine* engine, BoolLink* previous, BoolLink* current, BoolLink* candidate)
{
    BoolLine lp(previous, engine);
    BoolLine la(current, engine);
    const double acc = engine->GetAccuracy();
    const int ca = lp.PointOnCorner(current, acc);
    const int cb = lp.PointOnCorner(candidate, acc);
    int cab = la.PointOnCorner(candidate, acc);
    if (cab == 0)
        cab = 2;
    else if (cab == 2)
        cab = 0;
    switch (ca * 3 + cb) {
    case 0 * 3 + 2: return 2;
    case 0 * 3 + 0:
    case 0 * 3 + 1:
        if (cab == 2) return 2;
        if (cb == 1) return 1;
        return cab == 0 ? 0 : 1;
    case 1 * 3 + 2: return cab == 2 ? 2 : 1;
    case 1 * 3 + 1: return 1;
    case 1 * 3 + 0: return cab == 0 ? 0 : 1;
    case 2 * 3 + 2: return cab == 2 ? 2 : (cab == 0 ? 0 : 1);
    case 2 * 3 + 0: return 0;
    default: return cab == 0 ? 0 : 1;  // ca 2, cb 1
    }
}
