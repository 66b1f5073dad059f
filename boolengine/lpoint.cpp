#include "boolengine/lpoint.h"

#include "boolengine/boolerror.h"

LPoint::LPoint(const LPoint* other)
{
    if (!other)
        throw Bool_Engine_Error("Cannot copy a NULL Point Object.\n\nCould not create a LPoint Object.",
                                "Fatal Creation Error", 0, 1);
    m_x = other->m_x;
    m_y = other->m_y;
}

bool LPoint::Equal(const LPoint& other, int64_t marge) const
{
    // Differences are taken in doubles: coordinates are bounded far below
    // 2^62, but a caller's marge might not be.
    const double dx = static_cast<double>(m_x) - static_cast<double>(other.m_x);
    const double dy = static_cast<double>(m_y) - static_cast<double>(other.m_y);
    const double m = static_cast<double>(marge);
    return (dx <= m && -dx <= m) && (dy <= m && -dy <= m);
}

bool LPoint::ShorterThan(const LPoint& other, double marge) const
{
    const double dx = static_cast<double>(m_x) - static_cast<double>(other.m_x);
    const double dy = static_cast<double>(m_y) - static_cast<double>(other.m_y);
    return dx * dx + dy * dy <= marge * marge;
}
