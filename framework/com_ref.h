#pragma once
// Owner of one COM reference: released when replaced or destroyed.
#include <utility>

template <class T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* adopted) : m_ptr(adopted) {}
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_ptr = std::exchange(other.m_ptr, nullptr);
        }
        return *this;
    }

    void Reset(T* adopted = nullptr)
    {
        T* old = std::exchange(m_ptr, adopted);
        if (old)
            old->Release();
    }
    // For creation functions that write an interface pointer.
    T** Out()
    {
        Reset();
        return &m_ptr;
    }
    // A reference of its own to an interface another owner holds.
    static ComRef Share(T* held)
    {
        if (held)
            held->AddRef();
        return ComRef(held);
    }
    T* Get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};
