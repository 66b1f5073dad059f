#include "boolengine/link.h"

#include <utility>

BoolLink::BoolLink(int graphnum, Node* begin, Node* end, Bool_Engine*)
    : m_begin(begin), m_end(end), m_graphnum(graphnum)
{
    m_begin->AddLink(this);
    m_end->AddLink(this);
}

BoolLink::~BoolLink()
{
    Node* b = m_begin;
    Node* e = m_end;
    if (b) b->RemoveLink(this);
    if (e) e->RemoveLink(this);
    if (b && b->GetNumberOfLinks() == 0) delete b;
    if (e && e != b && e->GetNumberOfLinks() == 0) delete e;
}

Node* BoolLink::GetHighNode() const
{
    return m_begin->GetY() > m_end->GetY() ? m_begin : m_end;
}

void BoolLink::ReplaceNode(Node* from, Node* to)
{
    if (m_begin == from) m_begin = to;
    if (m_end == from) m_end = to;
    touched = true;
}

void BoolLink::Redirect(Node* node)
{
    if (node == m_begin) return;
    std::swap(m_begin, m_end);
    std::swap(leftA, rightA);
    std::swap(leftB, rightB);
    for (int op = 0; op < 6; ++op) std::swap(m_leftOp[op], m_rightOp[op]);
}

void BoolLink::Reverse() { std::swap(m_begin, m_end); }

void BoolLink::SetOperationFlags()
{
    auto derive = [this](bool a, bool b, bool* out) {
        out[BOOL_OR] = a || b;
        out[BOOL_AND] = a && b;
        out[BOOL_EXOR] = a != b;
        out[BOOL_A_SUB_B] = a && !b;
        out[BOOL_B_SUB_A] = b && !a;
    };
    derive(leftA, leftB, m_leftOp);
    derive(rightA, rightB, m_rightOp);
    // Inside on both sides: the link is no boundary of that result.
    for (int op = BOOL_OR; op <= BOOL_B_SUB_A; ++op)
        if (m_leftOp[op] && m_rightOp[op]) m_leftOp[op] = m_rightOp[op] = false;
}

bool BoolLink::HasAnyOperationFlag() const
{
    for (int op = BOOL_OR; op <= BOOL_B_SUB_A; ++op)
        if (m_leftOp[op] || m_rightOp[op]) return true;
    return false;
}
