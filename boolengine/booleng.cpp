#include "boolengine/booleng.h"

#include <cinttypes>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

#include "boolengine/graph.h"
#include "boolengine/graphlist.h"

namespace {
// Doubles hold every integer up to 2^52 exactly; internal coordinates beyond
// that could no longer be read back or differenced safely.
const double kMaxInternal = 4503599627370496.0;
const size_t kLogBufferSize = 1 << 16;

// Each line is formatted whole and written with one call: the C runtime's
// formatted output hands the stream one character at a time, and some runtimes
// flush at every newline.
void WriteFormatted(std::FILE* f, const char* format, va_list args)
{
    char line[256];
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    if (n >= 0 && static_cast<size_t>(n) < sizeof line) {
        std::fwrite(line, 1, static_cast<size_t>(n), f);
    } else if (n > 0) {
        std::string longer(static_cast<size_t>(n) + 1, '\0');
        std::vsnprintf(&longer[0], longer.size(), format, again);
        std::fwrite(longer.data(), 1, static_cast<size_t>(n), f);
    }
    va_end(again);
}

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void Write(std::FILE* f, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    WriteFormatted(f, format, args);
    va_end(args);
}
}  // namespace

Bool_Engine::Bool_Engine()
    : m_graphList(std::make_unique<GraphList>(this)),
      // The settings have no documented defaults; these are the crop tool's.
      m_MARGE(0.001), m_GRID(10000), m_DGRID(1000.0), m_CORRECTIONABER(1.0),
      m_CORRECTIONFACTOR(500.0), m_SMOOTHABER(10.0), m_MAXLINEMERGE(1000.0), m_ROUNDFACTOR(1.5)
{
    SetLog(true);
}

Bool_Engine::~Bool_Engine()
{
    // The first vertex of a polygon left open belongs to no link yet.
    if (m_firstNodeToAdd && m_firstNodeToAdd->GetNumberOfLinks() == 0) delete m_firstNodeToAdd;
    m_logFile.reset();
    m_graphList->DeleteAll();
}

void Bool_Engine::SetLog(bool on)
{
    m_logging = on;
    if (!on) {
        m_logFile.reset();
        m_logBuffer.reset();
        return;
    }
    if (m_logFile) return;
    // Removed first: a file cut to nothing and written again is flushed on
    // some file systems, and the log is made anew by every engine.
    std::remove("booleng.log");
    std::FILE* f = std::fopen("booleng.log", "w");
    if (!f) {
        std::fputs("Bool_Engine: Unable to write to Boolean Engine logfile\n", stderr);
        return;
    }
    // The crop tool rewrites the log on every combination: buffer it fully.
    m_logBuffer.reset(new char[kLogBufferSize]);
    std::setvbuf(f, m_logBuffer.get(), _IOFBF, kLogBufferSize);
    m_logFile.reset(f);
    const std::time_t now = std::time(nullptr);
    const char* stamp = std::ctime(&now);
    Write(f, "Logfile created on:\t\t\t%s", stamp ? stamp : "\n");
}

void Bool_Engine::LogPrintf(const char* format, ...)
{
    if (!m_logFile) return;
    va_list args;
    va_start(args, format);
    WriteFormatted(m_logFile.get(), format, args);
    va_end(args);
}

void Bool_Engine::WriteLog(const char* text)
{
    if (m_logFile) Write(m_logFile.get(), "%s \n", text);
}

void Bool_Engine::Error(const char* message, const char* header)
{
    if (m_logFile) {
        Write(m_logFile.get(), "%s %s\n", "FATAL ERROR: ", header);
        Write(m_logFile.get(), "%s %s\n", "FATAL ERROR: ", message);
    }
    throw Bool_Engine_Error(" Fatal Error", "Fatal Error", 9, 1);
}

void Bool_Engine::Info(const char* message, const char* header)
{
    if (m_logFile) {
        Write(m_logFile.get(), "%s %s\n", "FATAL ERROR: ", header);
        Write(m_logFile.get(), "%s %s\n", "FATAL ERROR: ", message);
    }
}

void Bool_Engine::SetMarge(double v)
{
    m_MARGE = v;
    LogPrintf("Bool_Engine::m_MARGE = %f\n", v);
}
void Bool_Engine::SetGrid(int64_t v)
{
    m_GRID = v;
    LogPrintf("Bool_Engine::m_GRID = %" PRId64 "\n", v);
}
void Bool_Engine::SetDGrid(double v)
{
    m_DGRID = v;
    LogPrintf("Bool_Engine::m_DGRID = %f\n", v);
}
void Bool_Engine::SetCorrectionFactor(double v)
{
    m_CORRECTIONFACTOR = v;
    LogPrintf("Bool_Engine::m_CORRECTIONFACTOR = %f\n", v);
}
void Bool_Engine::SetCorrectionAber(double v)
{
    m_CORRECTIONABER = v;
    LogPrintf("Bool_Engine::m_CORRECTIONABER = %f\n", v);
}
void Bool_Engine::SetSmoothAber(double v)
{
    m_SMOOTHABER = v;
    LogPrintf("Bool_Engine::m_SMOOTHABER = %f\n", v);
}
void Bool_Engine::SetMaxlinemerge(double v)
{
    m_MAXLINEMERGE = v;
    LogPrintf("Bool_Engine::m_MAXLINEMERGE = %f\n", v);
}
void Bool_Engine::SetRoundfactor(double v)
{
    m_ROUNDFACTOR = v;
    LogPrintf("Bool_Engine::m_ROUNDFACTOR = %f\n", v);
}

int64_t Bool_Engine::GetInternalMarge() const
{
    return static_cast<int64_t>(static_cast<double>(m_GRID) * m_DGRID * m_MARGE);
}

void Bool_Engine::SetInternalMarge(int64_t marge)
{
    m_MARGE = static_cast<double>(marge) / static_cast<double>(m_GRID) / m_DGRID;
}

double Bool_Engine::GetInternalCorrectionAber() const
{
    return static_cast<double>(m_GRID) * m_CORRECTIONABER * m_DGRID;
}

double Bool_Engine::GetInternalCorrectionFactor() const
{
    return static_cast<double>(m_GRID) * m_CORRECTIONFACTOR * m_DGRID;
}

int64_t Bool_Engine::GetInternalMaxlinemerge() const
{
    return static_cast<int64_t>(static_cast<double>(m_GRID) * m_MAXLINEMERGE * m_DGRID);
}

bool Bool_Engine::StartPolygonAdd(int group)
{
    LogPrintf("-> StartPolygonAdd(%d)\n", group);
    if (m_graphToAdd) return false;
    auto graph = std::make_unique<Graph>(this);
    m_graphList->insbegin(graph.get());
    m_graphToAdd = graph.release();
    m_groupToAdd = group;
    m_firstNodeToAdd = m_lastNodeToAdd = nullptr;
    return true;
}

bool Bool_Engine::AddPt(double x, double y)
{
    if (!m_graphToAdd) return false;
    // Refused rather than converted: a non-finite value, a grid that cannot
    // scale, or a coordinate beyond what the integer arithmetic can hold.
    const double grid = static_cast<double>(m_GRID);
    if (!(m_GRID > 0) || !(m_DGRID > 0.0) || !std::isfinite(m_DGRID))
        Error("grid factors must be positive", "");
    const double sx = std::trunc(x * m_DGRID);
    const double sy = std::trunc(y * m_DGRID);
    if (!(std::fabs(x * grid * m_DGRID) <= kMaxInternal) || !(std::fabs(sx * grid) <= kMaxInternal))
        Error("X coordinate of vertex to big", "");
    if (!(std::fabs(y * grid * m_DGRID) <= kMaxInternal) || !(std::fabs(sy * grid) <= kMaxInternal))
        Error("Y coordinate of vertex to big", "");
    const int64_t ix = static_cast<int64_t>(sx) * m_GRID;
    const int64_t iy = static_cast<int64_t>(sy) * m_GRID;
    Node* node = new Node(ix, iy, this);
    const bool first = !m_firstNodeToAdd;
    if (first) {
        m_firstNodeToAdd = node;
        // The node belongs to nothing yet: the graph takes it with its first link.
    } else {
        m_graphToAdd->AddLink(m_lastNodeToAdd, node);
    }
    if (LogOpen()) {
        LogPrintf(first ? "-> AddPt() *FIRST* :" : "-> AddPt():");
        LogPrintf(" input: x = %f, y = %f\n", x, y);
        LogPrintf(" input: x = %" PRId64 ", y = %" PRId64 "\n", ix, iy);
    }
    m_lastNodeToAdd = node;
    return true;
}

bool Bool_Engine::EndPolygonAdd()
{
    if (!m_graphToAdd) return false;
    if (m_firstNodeToAdd) {
        m_graphToAdd->AddLink(m_lastNodeToAdd, m_firstNodeToAdd);
        m_graphToAdd->SetGroup(m_groupToAdd == 1 ? GROUP_B : GROUP_A);
    } else {
        // A polygon without vertices has nothing to close: it is dropped.
        DL_Iter<Graph*> it(m_graphList.get());
        if (it.toitem(m_graphToAdd)) it.remove();
        delete m_graphToAdd;
    }
    m_graphToAdd = nullptr;
    m_firstNodeToAdd = m_lastNodeToAdd = nullptr;
    return true;
}

void Bool_Engine::RunOperation(int operation)
{
    switch (operation) {
    case BOOL_OR:
    case BOOL_AND:
    case BOOL_EXOR:
    case BOOL_A_SUB_B:
    case BOOL_B_SUB_A: m_graphList->Boolean(operation, m_MAXATTEMPTS); break;
    case BOOL_CORRECTION: m_graphList->Correction(); break;
    case BOOL_SMOOTHEN:
        m_graphList->Smoothen(static_cast<int64_t>(static_cast<double>(m_GRID) * m_SMOOTHABER * m_DGRID));
        break;
    case BOOL_MAKERING: m_graphList->MakeRings(); break;
    default: Error("Wrong operation", "Command Error");
    }
}

void Bool_Engine::RestoreAfterFailure(const GraphListRings& saved)
{
    m_graphList->DeleteAll();
    m_graphList->AppendRingCopies(saved);
    m_graphList->WriteGraphs();
    SetLog(false);
}

bool Bool_Engine::Do(int operation)
{
    if (m_graphToAdd) Error("polygon still open", "Do");
    const GraphListRings saved = m_graphList->Rings();
    try {
        RunOperation(operation);
    } catch (const Bool_Engine_Error& error) {
        RestoreAfterFailure(saved);
        Info(error.GetErrorMessage(), "error");
        throw;
    } catch (...) {
        RestoreAfterFailure(saved);
        Info("Unknown exception", "error");
        throw;
    }
    return true;
}

bool Bool_Engine::StartResultPolygon()
{
    // Empty graphs have no vertex to hand out; they are skipped.
    while (!m_graphList->empty() && m_graphList->headitem()->GetNumberOfLinks() == 0) {
        Graph* g = m_graphList->headitem();
        m_graphList->removehead();
        delete g;
    }
    if (m_graphList->empty()) return false;
    m_getGraph = m_graphList->headitem();
    m_getLink = m_getGraph->GetFirstLink();
    m_getNode = m_getLink->GetBeginNode();
    m_numPtsInPolygon = m_getGraph->GetNumberOfLinks();
    m_numNodesVisited = 0;
    return true;
}

bool Bool_Engine::NextResultPoint()
{
    if (!m_getGraph || !m_getLink || !m_getNode) return false;
    if (m_numNodesVisited >= m_numPtsInPolygon) return false;
    if (m_numNodesVisited > 0) {
        Node* next = m_getLink->GetOther(m_getNode);
        BoolLink* nextLink = next->GetOtherLink(m_getLink);
        if (!nextLink) return false;  // not a ring: stop instead of following null
        m_getNode = next;
        m_getLink = nextLink;
    }
    ++m_numNodesVisited;
    return true;
}

double Bool_Engine::GetResultPointX() const
{
    if (!m_getNode) return 0.0;
    return static_cast<double>(m_getNode->GetX() / m_GRID) / m_DGRID;
}

double Bool_Engine::GetResultPointY() const
{
    if (!m_getNode) return 0.0;
    return static_cast<double>(m_getNode->GetY() / m_GRID) / m_DGRID;
}

void Bool_Engine::EndResultPolygon()
{
    if (m_graphList->empty()) return;
    Graph* g = m_graphList->headitem();
    m_graphList->removehead();
    delete g;
    m_getGraph = nullptr;
    m_getLink = nullptr;
    m_getNode = nullptr;
}
