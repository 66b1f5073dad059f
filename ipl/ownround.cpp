// Rounding helpers that do not depend on the rounding mode in force.
#include "ipl/own_ops.h"

#include <cmath>

double ownRoundHalfEven(double v)
{
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff > 0.5)
        return f + 1.0;
    if (diff < 0.5)
        return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

int ownZoomRound(double v)
{
    return static_cast<int>(ownRoundHalfEven(v + 0.00001 - 0.5));
}
