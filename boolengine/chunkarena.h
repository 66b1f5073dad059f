#pragma once
// Memory for the nodes of one node-based container (a sweep's ordered set):
// chunks of one size cut from growing blocks and reused through a free list.
// Everything goes back when the arena goes.
#include <cstddef>
#include <new>
#include <vector>

class ChunkArena {
public:
    ChunkArena() = default;
    ChunkArena(const ChunkArena&) = delete;
    ChunkArena& operator=(const ChunkArena&) = delete;
    ~ChunkArena()
    {
        for (void* b : m_blocks) ::operator delete(b);
    }

    // Every chunk has the size of the first one asked for; other sizes are
    // left to the general heap (Give gets the size back).
    void* Take(std::size_t size)
    {
        if (m_size == 0) m_size = (size + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t);
        if (size > m_size) return ::operator new(size);
        if (m_free) {
            Free* f = m_free;
            m_free = f->next;
            return f;
        }
        if (m_left == 0) {
            m_blockChunks = m_blockChunks < 4096 ? m_blockChunks * 2 : m_blockChunks;
            m_cut = static_cast<char*>(::operator new(m_size * m_blockChunks));
            m_blocks.push_back(m_cut);
            m_left = m_blockChunks;
        }
        void* p = m_cut;
        m_cut += m_size;
        --m_left;
        return p;
    }
    void Give(void* p, std::size_t size) noexcept
    {
        if (size > m_size) {
            ::operator delete(p);
            return;
        }
        Free* f = static_cast<Free*>(p);
        f->next = m_free;
        m_free = f;
    }

private:
    struct Free {
        Free* next;
    };
    std::size_t m_size = 0;
    std::size_t m_blockChunks = 32;
    std::size_t m_left = 0;
    char* m_cut = nullptr;
    Free* m_free = nullptr;
    std::vector<void*> m_blocks;
};

// A standard allocator over one arena.
template <typename T> class ArenaAllocator {
public:
    using value_type = T;
    explicit ArenaAllocator(ChunkArena* arena) : m_arena(arena) {}
    template <typename U> ArenaAllocator(const ArenaAllocator<U>& other) : m_arena(other.arena()) {}
    T* allocate(std::size_t n) { return static_cast<T*>(m_arena->Take(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { m_arena->Give(p, n * sizeof(T)); }
    ChunkArena* arena() const { return m_arena; }
    template <typename U> bool operator==(const ArenaAllocator<U>& other) const { return m_arena == other.arena(); }
    template <typename U> bool operator!=(const ArenaAllocator<U>& other) const { return m_arena != other.arena(); }

private:
    ChunkArena* m_arena;
};
