#pragma once
// Objects of one small size (graph nodes, links and list cells) from large
// blocks: the pieces of a graph lie close together and freeing one is a
// list push. The blocks go back when the last object of that size is freed.
// One short lock guards the pool, so objects may be freed on any thread.
// Under AddressSanitizer every object is allocated on its own.
#include <atomic>
#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define BOOL_POOL_PLAIN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BOOL_POOL_PLAIN 1
#endif
#endif

template <std::size_t Size, std::size_t Align>
class SmallPool {
public:
    static void* Take()
    {
#ifdef BOOL_POOL_PLAIN
        return ::operator new(Size);
#else
        State& s = state();
        Lock lock(s);
        if (!s.free) s.Refill();
        Cell* c = s.free;
        s.free = c->next;
        ++s.live;
        return c;
#endif
    }
    static void Give(void* p) noexcept
    {
#ifdef BOOL_POOL_PLAIN
        ::operator delete(p);
#else
        if (!p) return;
        State& s = state();
        Lock lock(s);
        Cell* c = static_cast<Cell*>(p);
        c->next = s.free;
        s.free = c;
        if (--s.live == 0) s.Release();
#endif
    }

private:
    union Cell {
        Cell* next;
        alignas(Align) unsigned char bytes[Size];
    };
    static constexpr std::size_t kCellsPerBlock = 1024;

    // Trivially destructible, so objects freed during the program's exit
    // still find their pool. Each block's first cell links the blocks.
    struct State {
        std::atomic_flag busy = ATOMIC_FLAG_INIT;
        Cell* free = nullptr;
        Cell* blocks = nullptr;
        std::size_t live = 0;
        void Refill()
        {
            Cell* b = static_cast<Cell*>(::operator new(sizeof(Cell) * (kCellsPerBlock + 1)));
            b[0].next = blocks;
            blocks = b;
            for (std::size_t i = kCellsPerBlock; i > 0; --i) {
                b[i].next = free;
                free = &b[i];
            }
        }
        void Release() noexcept
        {
            while (blocks) {
                Cell* b = blocks;
                blocks = b[0].next;
                ::operator delete(b);
            }
            free = nullptr;
        }
    };
    struct Lock {
        State& s;
        explicit Lock(State& state) : s(state)
        {
            while (s.busy.test_and_set(std::memory_order_acquire)) {
            }
        }
        ~Lock() { s.busy.clear(std::memory_order_release); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
    };
    static State& state()
    {
        static State s;
        return s;
    }
};

// Class-specific allocation through the pool of the class's size.
#define BOOL_POOLED(Class)                                                                              \
    static void* operator new(std::size_t) { return SmallPool<sizeof(Class), alignof(Class)>::Take(); } \
    static void operator delete(void* p) noexcept { SmallPool<sizeof(Class), alignof(Class)>::Give(p); }
