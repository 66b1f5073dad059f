#pragma once
// The links meeting at a node, in order. Most nodes join two links: those
// two live inside the node, so a node costs no allocation of its own.
#include <cstdint>
#include <cstring>

class BoolLink;

class NodeLinks {
public:
    NodeLinks() = default;
    NodeLinks(const NodeLinks&) = delete;
    NodeLinks& operator=(const NodeLinks&) = delete;
    ~NodeLinks()
    {
        if (m_data != m_inline) delete[] m_data;
    }

    BoolLink* const* begin() const { return m_data; }
    BoolLink* const* end() const { return m_data + m_size; }
    uint32_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    BoolLink* front() const { return m_data[0]; }
    BoolLink* operator[](uint32_t i) const { return m_data[i]; }

    void insert_front(BoolLink* link)
    {
        Grow();
        std::memmove(m_data + 1, m_data, m_size * sizeof(BoolLink*));
        m_data[0] = link;
        ++m_size;
    }
    void push_back(BoolLink* link)
    {
        Grow();
        m_data[m_size++] = link;
    }
    // Removes the first occurrence, keeping the order of the rest.
    void remove(const BoolLink* link)
    {
        for (uint32_t i = 0; i < m_size; ++i)
            if (m_data[i] == link) {
                std::memmove(m_data + i, m_data + i + 1, (m_size - i - 1) * sizeof(BoolLink*));
                --m_size;
                return;
            }
    }
    void clear() { m_size = 0; }

private:
    void Grow()
    {
        if (m_size < m_capacity) return;
        const uint32_t capacity = m_capacity * 2;
        BoolLink** data = new BoolLink*[capacity];
        std::memcpy(data, m_data, m_size * sizeof(BoolLink*));
        if (m_data != m_inline) delete[] m_data;
        m_data = data;
        m_capacity = capacity;
    }

    BoolLink** m_data = m_inline;
    uint32_t m_size = 0;
    uint32_t m_capacity = 2;
    BoolLink* m_inline[2] = {};
};
