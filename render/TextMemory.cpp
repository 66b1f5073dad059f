#include "render/TextMemory.h"

#include <atomic>

namespace {
// Room for a few thousand short texts in one drawing, well inside a 32-bit
// address space that also holds the pictures of the page and its bars.
constexpr size_t kDefaultLimit = size_t{64} << 20;

std::atomic<size_t> g_held{0};
std::atomic<size_t> g_limit{kDefaultLimit};
std::atomic<size_t> g_placeholdersDrawn{0};
// The memory held as the share began; none while no share lives.
constexpr size_t kNoShare = static_cast<size_t>(-1);
std::atomic<size_t> g_shareFrom{kNoShare};

struct Placeholders {
    bool untold = false;
    bool told = false;
};

Placeholders& State()
{
    static Placeholders placeholders;
    return placeholders;
}
}  // namespace

size_t MeshGeometryBytes(ID3DXMesh* mesh)
{
    if (!mesh)
        return 0;
    const size_t indexBytes = (mesh->GetOptions() & D3DXMESH_32BIT) ? 4 : 2;
    return size_t{mesh->GetNumVertices()} * mesh->GetNumBytesPerVertex() +
           size_t{mesh->GetNumFaces()} * 3 * indexBytes;
}

size_t TextMemoryHeld()
{
    return g_held.load();
}

void NoteTextMemoryTaken(size_t bytes)
{
    g_held += bytes;
}

void NoteTextMemoryGiven(size_t bytes)
{
    g_held -= bytes;
}

void SetTextMemoryLimit(size_t bytes)
{
    g_limit = bytes ? bytes : kDefaultLimit;
}

size_t TextMemoryLimit()
{
    return g_limit.load();
}

bool TextMemoryAllowsAnother()
{
    const size_t held = g_held.load(), limit = g_limit.load(), from = g_shareFrom.load();
    if (held < limit)
        return true;
    return from != kNoShare && held < from + limit / 4;
}

// A share inside another counts from the outer one's start.
TextMemoryShare::TextMemoryShare() : m_outer(g_shareFrom.load())
{
    if (m_outer == kNoShare)
        g_shareFrom = g_held.load();
}

TextMemoryShare::~TextMemoryShare()
{
    g_shareFrom = m_outer;
}

size_t TextPlaceholdersDrawn()
{
    return g_placeholdersDrawn.load();
}

void NoteTextPlaceholder()
{
    ++g_placeholdersDrawn;
    Placeholders& state = State();
    if (!state.told)
        state.untold = true;
}

bool TakeUntoldTextPlaceholders()
{
    Placeholders& state = State();
    if (!state.untold)
        return false;
    state.untold = false;
    state.told = true;
    return true;
}

void ForgetToldTextPlaceholders()
{
    State() = Placeholders{};
}
