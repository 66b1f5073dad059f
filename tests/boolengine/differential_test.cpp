// Seeded differential runs against two peer libraries (native build only):
// areas must agree within the grid tolerance of the read-back.
#include <geos_c.h>
#include <polyclipping/clipper.hpp>

#include <cmath>
#include <cstdarg>
#include <random>

#include "engine_support.h"

using namespace enginetest;

namespace {

const double kUnits = 1000.0;  // the peers get the same 0.001 grid as integers

ClipperLib::Path ToPath(const Polygon& p)
{
    ClipperLib::Path path;
    for (const Point& q : p)
        path.emplace_back(static_cast<ClipperLib::cInt>(std::llround(q.first * kUnits)),
                          static_cast<ClipperLib::cInt>(std::llround(q.second * kUnits)));
    return path;
}

double ClipperArea(int op, const std::vector<Polygon>& a, const std::vector<Polygon>& b)
{
    ClipperLib::Clipper clipper;
    for (const Polygon& p : a) clipper.AddPath(ToPath(p), ClipperLib::ptSubject, true);
    for (const Polygon& p : b) clipper.AddPath(ToPath(p), ClipperLib::ptClip, true);
    const ClipperLib::ClipType types[] = {ClipperLib::ctUnion, ClipperLib::ctUnion, ClipperLib::ctIntersection,
                                          ClipperLib::ctXor, ClipperLib::ctDifference, ClipperLib::ctDifference};
    ClipperLib::Paths solution;
    if (op == 5) {
        ClipperLib::Clipper reversed;
        for (const Polygon& p : b) reversed.AddPath(ToPath(p), ClipperLib::ptSubject, true);
        for (const Polygon& p : a) reversed.AddPath(ToPath(p), ClipperLib::ptClip, true);
        reversed.Execute(ClipperLib::ctDifference, solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    } else {
        clipper.Execute(types[op], solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    }
    double area = 0.0;
    for (const ClipperLib::Path& path : solution) area += ClipperLib::Area(path);
    return area / (kUnits * kUnits);
}

void GeosMessage(const char*, ...) {}

class Geos {
public:
    Geos() : m_ctx(GEOS_init_r()) { GEOSContext_setErrorHandler_r(m_ctx, &GeosMessage); }
    ~Geos() { GEOS_finish_r(m_ctx); }
    Geos(const Geos&) = delete;
    Geos& operator=(const Geos&) = delete;

    // Area of op applied to two simple polygons.
    double Area(int op, const Polygon& a, const Polygon& b)
    {
        GEOSGeometry* ga = Make(a);
        GEOSGeometry* gb = Make(b);
        GEOSGeometry* r = nullptr;
        switch (op) {
        case 1: r = GEOSUnion_r(m_ctx, ga, gb); break;
        case 2: r = GEOSIntersection_r(m_ctx, ga, gb); break;
        case 3: r = GEOSSymDifference_r(m_ctx, ga, gb); break;
        case 4: r = GEOSDifference_r(m_ctx, ga, gb); break;
        default: r = GEOSDifference_r(m_ctx, gb, ga); break;
        }
        double area = -1.0;
        if (r) GEOSArea_r(m_ctx, r, &area);
        GEOSGeom_destroy_r(m_ctx, ga);
        GEOSGeom_destroy_r(m_ctx, gb);
        if (r) GEOSGeom_destroy_r(m_ctx, r);
        return area;
    }

private:
    GEOSGeometry* Make(const Polygon& p)
    {
        GEOSCoordSequence* seq = GEOSCoordSeq_create_r(m_ctx, static_cast<unsigned>(p.size() + 1), 2);
        for (size_t i = 0; i <= p.size(); ++i) {
            const Point& q = p[i % p.size()];
            GEOSCoordSeq_setXY_r(m_ctx, seq, static_cast<unsigned>(i), q.first, q.second);
        }
        GEOSGeometry* ring = GEOSGeom_createLinearRing_r(m_ctx, seq);
        return GEOSGeom_createPolygon_r(m_ctx, ring, nullptr, 0);
    }

    GEOSContextHandle_t m_ctx;
};

TEST_F(EngineTest, StarsAgreeWithBothPeers)
{
    Geos geos;
    for (int seed = 1; seed <= 200; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(90000 + seed));
        const Polygon a = RandomStar(rng, 50, 50, 40);
        const Polygon b = RandomStar(rng, 55 + (seed % 7), 52, 35);
        const double tolerance = 0.002 * (Perimeter(a) + Perimeter(b));
        for (int op = 1; op <= 5; ++op) {
            std::vector<Polygon> result;
            ASSERT_NO_THROW(result = RunOperation(op, {a}, {b}, LogSample(seed))) << "seed " << seed << " op " << op;
            const double area = TotalArea(result);
            EXPECT_NEAR(area, ClipperArea(op, {a}, {b}), tolerance) << "seed " << seed << " op " << op;
            EXPECT_NEAR(area, geos.Area(op, a, b), tolerance) << "seed " << seed << " op " << op;
        }
    }
}

TEST_F(EngineTest, OverlappingRectanglesAgreeWithClipper)
{
    for (int seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(70000 + seed));
        std::uniform_int_distribution<int> coord(0, 20);
        std::vector<Polygon> a, b;
        for (int i = 0; i < 4; ++i) {
            const int x0 = coord(rng), y0 = coord(rng);
            const int w = 1 + coord(rng) / 2, h = 1 + coord(rng) / 2;
            (i % 2 ? b : a).push_back(Rect(x0, y0, x0 + w, y0 + h));
        }
        for (int op = 1; op <= 5; ++op) {
            std::vector<Polygon> result;
            ASSERT_NO_THROW(result = RunOperation(op, a, b, LogSample(seed))) << "seed " << seed << " op " << op;
            EXPECT_DOUBLE_EQ(TotalArea(result), ClipperArea(op, a, b)) << "seed " << seed << " op " << op;
        }
    }
}

TEST_F(EngineTest, CropChainsAgreeWithClipper)
{
    const int ops[3] = {1, 4, 2};
    for (int seed = 1; seed <= 10; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(30000 + seed));
        std::uniform_real_distribution<double> centre(20, 80);
        std::vector<Polygon> mine = {RandomStar(rng, 50, 50, 30)};
        ClipperLib::Paths peer = {ToPath(mine[0])};
        for (int step = 0; step < 20; ++step) {
            const int op = ops[rng() % 3];
            const Polygon shape = RandomStar(rng, centre(rng), centre(rng), 25);
            ASSERT_NO_THROW(mine = RunOperation(op, mine, {shape}, LogSample(seed))) << "seed " << seed << " step " << step;
            ClipperLib::Clipper clipper;
            clipper.AddPaths(peer, ClipperLib::ptSubject, true);
            clipper.AddPath(ToPath(shape), ClipperLib::ptClip, true);
            ClipperLib::Paths next;
            const ClipperLib::ClipType type = op == 1 ? ClipperLib::ctUnion
                                              : op == 2 ? ClipperLib::ctIntersection
                                                        : ClipperLib::ctDifference;
            clipper.Execute(type, next, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
            peer = next;
            double peerArea = 0.0;
            for (const auto& path : peer) peerArea += ClipperLib::Area(path);
            peerArea /= kUnits * kUnits;
            // Each step re-reads truncated vertices: allow the drift to grow.
            EXPECT_NEAR(TotalArea(mine), peerArea, 0.5 + 0.05 * step) << "seed " << seed << " step " << step;
        }
    }
}

}  // namespace
