#include "boolengine/offset.h"

#include <algorithm>
#include <cmath>

namespace offset {
namespace {
const double kPi = 3.14159265358979323846;
const int kMinSteps = 8;
const int kMaxSteps = 1024;

LPoint Rounded(double x, double y)
{
    return LPoint(static_cast<int64_t>(std::llround(x)), static_cast<int64_t>(std::llround(y)));
}
}  // namespace

int CircleSteps(double radius, double accuracy, double roundFactor)
{
    // The chords may stay inside the arc by at most accuracy / round factor:
    // a larger round factor gives smoother arcs.
    if (!(radius > 0.0)) return kMinSteps;
    const double factor = roundFactor > 0.0 ? roundFactor : 1.0;
    const double sagitta = accuracy / factor;
    if (!(sagitta > 0.0) || sagitta >= radius) return kMinSteps;
    const double step = 2.0 * std::acos(1.0 - sagitta / radius);
    const double steps = std::ceil(2.0 * kPi / step);
    return static_cast<int>(std::clamp(steps, double(kMinSteps), double(kMaxSteps)));
}

std::vector<std::vector<LPoint>> BandPieces(const std::vector<LPoint>& ring, double r, int steps)
{
    std::vector<std::vector<LPoint>> pieces;
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const LPoint& a = ring[i];
        const LPoint& b = ring[(i + 1) % n];
        const double ax = static_cast<double>(a.GetX()), ay = static_cast<double>(a.GetY());
        const double bx = static_cast<double>(b.GetX()), by = static_cast<double>(b.GetY());
        const double len = std::hypot(bx - ax, by - ay);
        if (len > 0.0) {
            const double nx = -(by - ay) / len * r, ny = (bx - ax) / len * r;
            pieces.push_back({Rounded(ax + nx, ay + ny), Rounded(bx + nx, by + ny), Rounded(bx - nx, by - ny),
                              Rounded(ax - nx, ay - ny)});
        }
        std::vector<LPoint> disc;
        disc.reserve(static_cast<size_t>(steps));
        // Clockwise, like every input polygon after orientation.
        for (int k = 0; k < steps; ++k) {
            const double angle = -2.0 * kPi * k / steps;
            disc.push_back(Rounded(ax + r * std::cos(angle), ay + r * std::sin(angle)));
        }
        pieces.push_back(std::move(disc));
    }
    return pieces;
}

}  // namespace offset
