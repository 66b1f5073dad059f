// Key debug files ("keygraphfile.key", "graphkeyfile.key") and graph dumps
// into the log. The key files are written for people, never read back.
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "boolengine/booleng.h"
#include "boolengine/fixedtext.h"
#include "boolengine/graph.h"
#include "boolengine/graphlist.h"

namespace {

// Makes 'text' the whole of a key file (in text mode, as "w" writes): over
// the old bytes in place, then cut to length. File systems take several
// times longer to remove and make a file again, or to cut one to nothing
// and fill it anew, than to overwrite pages they hold. The operation goes on
// without the file when it cannot be written.
void Rewrite(const char* name, const std::string& text)
{
    std::FILE* f = std::fopen(name, "r+");
    if (!f) f = std::fopen(name, "w");
    if (!f) return;
    std::fwrite(text.data(), 1, text.size(), f);
    const long end = std::fflush(f) == 0 ? std::ftell(f) : -1L;
    std::fclose(f);
    std::error_code error;
    if (end >= 0 && std::filesystem::file_size(name, error) != static_cast<std::uintmax_t>(end))
        std::filesystem::resize_file(name, static_cast<std::uintmax_t>(end), error);
}

std::string KeyHeader(const char* units)
{
    const char* date = "{2-11-15  15:39:21}";
    std::string s;
    s += std::string(6, ' ') + "HEADER 5;";
    s += std::string(7, ' ') + "BGNLIB;";
    s += std::string(7, ' ') + "LASTMOD " + date + ";";
    s += std::string(7, ' ') + "LASTACC " + date + ";";
    s += std::string(7, ' ') + "LIBNAME trial;";
    s += std::string(7, ' ') + "UNITS;";
    s += std::string(7, ' ') + units;
    s += std::string(10, ' ') + "BGNSTR;";
    s += std::string(8, ' ') + "CREATION " + date + ";";
    s += std::string(7, ' ') + "LASTMOD  " + date + ";";
    s += std::string(7, ' ') + "STRNAME top;";
    s += std::string(4, ' ');
    return s;
}

const char* const kFooter = "      ENDSTR top;       ENDLIB;    ";
const char* const kEmptyFooter = "         ENDSTR top;          ENDLIB;       ";

double KeyScale(const Bool_Engine* engine)
{
    const double grid = static_cast<double>(engine->GetGrid());
    return 1.0 / grid / grid;
}

// Key files can hold every link of a large graph: the text is made in memory
// and written in one go.
class KeyText {
public:
    // Room for 'links' links of about a hundred characters each.
    explicit KeyText(int links = 0) { m_text.reserve(static_cast<size_t>(links) * 100 + 512); }
    // Literals by their known length; other text through AddText.
    template <size_t N> void Add(const char (&text)[N]) { m_text.append(text, N - 1); }
    void AddText(const std::string& text) { m_text += text; }
    void Int(int v)
    {
        char buf[16];
        const char* end = std::to_chars(buf, buf + sizeof buf, v).ptr;
        m_text.append(buf, static_cast<size_t>(end - buf));
    }
    // One point's line, made on the stack and added in one piece.
    void Point(const LPoint& p, double scale)
    {
        char line[2 * kFixedSixRoom + 16];
        char* at = line;
        at = Put(at, "X ");
        at = FormatFixedSix(at, static_cast<double>(p.GetX()) * scale);
        at = Put(at, ";\tY ");
        at = FormatFixedSix(at, static_cast<double>(p.GetY()) * scale);
        at = Put(at, "; \n");
        m_text.append(line, static_cast<size_t>(at - line));
    }
    const std::string& Text() const { return m_text; }

private:
    template <size_t N> static char* Put(char* at, const char (&text)[N])
    {
        std::memcpy(at, text, N - 1);
        return at + N - 1;
    }
    std::string m_text;
};

}  // namespace

void Graph::WriteBoundary(std::FILE* f) const
{
    const std::string text = BoundaryText();
    std::fwrite(text.data(), 1, text.size(), f);
}

std::string Graph::BoundaryText() const
{
    const BoolLink* first = GetFirstLink();
    if (!first) return {};
    const double scale = KeyScale(m_engine);
    KeyText t(GetNumberOfLinks());
    t.Add("BOUNDARY; LAYER ");
    t.Int(first->GetGroup() == GROUP_A ? 0 : 1);
    t.Add(";  DATATYPE 0;\n XY ");
    t.Int(GetNumberOfLinks() + 1);
    t.Add("; \n");
    m_links.foreach_item([&](BoolLink* l) { t.Point(*l->GetBeginNode(), scale); });
    t.Point(*first->GetBeginNode(), scale);
    t.Add("ENDEL;\n");
    return t.Text();
}

void Graph::WriteKeyGraph() const
{
    const double scale = KeyScale(m_engine);
    KeyText t(m_links.count());
    t.AddText(KeyHeader("USERUNITS 1; PHYSUNITS 1e-006;"));
    m_links.foreach_item([&](BoolLink* l) {
        t.Add("PATH; LAYER ");
        t.Int(l->GetGroup() == GROUP_A ? 0 : 1);
        t.Add(";\n XY 2; \n");
        t.Point(*l->GetBeginNode(), scale);
        t.Point(*l->GetEndNode(), scale);
        t.Add("ENDEL;\n");
    });
    t.AddText(m_links.empty() ? kEmptyFooter : kFooter);
    Rewrite("keygraphfile.key", t.Text());
}

void GraphList::WriteGraphs() const
{
    std::string text = KeyHeader("USERUNITS 0.0001; PHYSUNITS 1e-009;");
    foreach_item([&](Graph* g) { text += g->BoundaryText(); });
    text += kFooter;
    Rewrite("graphkeyfile.key", text);
}

namespace {

void LogNodeLinks(Bool_Engine* e, const Node* n)
{
    for (const BoolLink* l : n->Links()) {
        e->LogPrintf(" b %" PRId64 " %" PRId64 " \n", l->GetBeginNode()->GetX(), l->GetBeginNode()->GetY());
        e->LogPrintf(" e %" PRId64 " %" PRId64 " \n", l->GetEndNode()->GetX(), l->GetEndNode()->GetY());
    }
}

}  // namespace

void Graph::WriteToLog(bool detail) const
{
    if (m_engine->LogOpen()) WriteLinksToLog(LinkVector(), detail);
}

void Graph::WriteLinksToLog(const std::vector<BoolLink*>& links, bool detail) const
{
    Bool_Engine* e = m_engine;
    if (!e->LogOpen()) return;
    e->LogPrintf("# graph\n");
    for (const BoolLink* l : links) {
        const Node* b = l->GetBeginNode();
        const Node* en = l->GetEndNode();
        e->LogPrintf(" linkbegin %" PRId64 " %" PRId64 " \n", b->GetX(), b->GetY());
        if (detail) LogNodeLinks(e, b);
        e->LogPrintf(" linkend %" PRId64 " %" PRId64 " \n", en->GetX(), en->GetY());
        if (detail) LogNodeLinks(e, en);
        if (b == en) e->LogPrintf("     null_link \n");
        e->LogPrintf("    group %d ", l->GetGroup() == GROUP_A ? 0 : -1);
        e->LogPrintf("    bin   %d ", l->bin ? 1 : 0);
        e->LogPrintf("    mark  %d ", l->mark ? 1 : 0);
        e->LogPrintf("    leftA %d ", l->leftA ? 1 : 0);
        e->LogPrintf("    rightA %d ", l->rightA ? 1 : 0);
        e->LogPrintf("    leftB %d ", l->leftB ? 1 : 0);
        e->LogPrintf("    rightB %d \n", l->rightB ? 1 : 0);
        e->LogPrintf("    or %d ", l->IsMarked(BOOL_OR) ? 1 : 0);
        e->LogPrintf("    and %d ", l->IsMarked(BOOL_AND) ? 1 : 0);
        e->LogPrintf("    exor %d ", l->IsMarked(BOOL_EXOR) ? 1 : 0);
        e->LogPrintf("    a_sub_b %d ", l->IsMarked(BOOL_A_SUB_B) ? 1 : 0);
        e->LogPrintf("    b_sub_a %d ", l->IsMarked(BOOL_B_SUB_A) ? 1 : 0);
        e->LogPrintf("    hole %d ", l->hole ? 1 : 0);
        e->LogPrintf("    top_hole %d \n", l->top_hole ? 1 : 0);
    }
}
