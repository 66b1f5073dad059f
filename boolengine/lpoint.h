#pragma once
// A point on the engine's 64-bit integer grid.
#include <cstdint>

class LPoint {
public:
    LPoint() = default;
    LPoint(int64_t x, int64_t y) : m_x(x), m_y(y) {}
    // Copy from a pointer; a null source raises the creation error.
    explicit LPoint(const LPoint* other);
    LPoint(const LPoint&) = default;
    LPoint& operator=(const LPoint&) = default;

    int64_t GetX() const { return m_x; }
    int64_t GetY() const { return m_y; }
    void SetX(int64_t x) { m_x = x; }
    void SetY(int64_t y) { m_y = y; }
    void Set(int64_t x, int64_t y) { m_x = x; m_y = y; }

    // |dx| <= marge and |dy| <= marge.
    bool Equal(const LPoint& other, int64_t marge) const;
    // dx^2 + dy^2 <= marge^2, in doubles.
    bool ShorterThan(const LPoint& other, double marge) const;
    bool SamePlace(const LPoint& other) const { return m_x == other.m_x && m_y == other.m_y; }

protected:
    int64_t m_x = 0;
    int64_t m_y = 0;
};
