// The polygon engine against two peer libraries (when installed) on the same
// inputs: a crop-like case, random stars of growing size and a grid of small
// squares. After the runs a table gives each time as a ratio to the fastest
// peer, and the peak heap of one operation.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "boolengine/booleng.h"

#ifdef SPAB_BENCH_CLIPPER
#include <polyclipping/clipper.hpp>
#endif
#ifdef SPAB_BENCH_GEOS
#include <geos_c.h>
#endif

// GCC cannot see that the replaced operators below pair malloc with free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// ---- heap accounting (current and peak bytes of the whole process) ----
namespace {
std::atomic<long long> g_current{0};
std::atomic<long long> g_peak{0};

void Count(void* p)
{
    if (!p) return;
    const long long now = g_current += static_cast<long long>(malloc_usable_size(p));
    long long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}
void Uncount(void* p)
{
    if (p) g_current -= static_cast<long long>(malloc_usable_size(p));
}
}  // namespace

void* operator new(std::size_t n)
{
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    Count(p);
    return p;
}
void operator delete(void* p) noexcept
{
    Uncount(p);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    Uncount(p);
    std::free(p);
}

namespace {

using Ring = std::vector<std::pair<double, double>>;

struct Case {
    std::vector<Ring> a, b;
    int op;  // 1 or, 2 and, 4 a minus b
};

// A random star whose radius wanders by about one vertex spacing, on top of
// a few slow waves: the boundaries of two such stars cross a bounded number
// of times, so the work measures growth with n, not with n^2 crossings.
Ring Star(std::mt19937& rng, int n, double cx, double cy, double r)
{
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const double spacing = 6.283185307179586 * r / n;
    Ring p;
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n;
        const double q = r * (1.0 + 0.2 * std::sin(5 * a)) + spacing * unit(rng);
        p.emplace_back(std::round((cx + q * std::cos(a)) * 1000) / 1000, std::round((cy + q * std::sin(a)) * 1000) / 1000);
    }
    return p;
}

// A closed freehand stroke: a wobbly loop as a mouse would draw it.
Ring Stroke(std::mt19937& rng, int n, double cx, double cy, double r)
{
    std::normal_distribution<double> wobble(0.0, 2.0);
    Ring p;
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n;
        const double q = r * (1.0 + 0.25 * std::sin(5 * a)) + wobble(rng);
        p.emplace_back(std::round(cx + q * std::cos(a)), std::round(cy + q * std::sin(a)));
    }
    return p;
}

Case CropLike()
{
    std::mt19937 rng(7);
    Case c;
    for (int i = 0; i < 5; ++i) c.a.push_back(Star(rng, 400, 300 + 250 * i, 400, 150));
    c.b.push_back(Stroke(rng, 2000, 800, 450, 500));
    c.op = 1;
    return c;
}

Case Stars(int n)
{
    std::mt19937 rng(static_cast<unsigned>(n));
    Case c;
    c.a.push_back(Star(rng, n, 1000, 1000, 900));
    c.b.push_back(Star(rng, n, 1100, 1050, 900));
    c.op = 1;
    return c;
}

Case Grid()
{
    Case c;
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j) {
            const double x = i * 10, y = j * 10;
            c.a.push_back({{x, y}, {x, y + 6}, {x + 6, y + 6}, {x + 6, y}});
            c.b.push_back({{x + 3, y + 3}, {x + 3, y + 9}, {x + 9, y + 9}, {x + 9, y + 3}});
        }
    c.op = 1;
    return c;
}

const std::map<std::string, Case>& Cases()
{
    static const std::map<std::string, Case> cases = {
        {"crop_like", CropLike()}, {"stars_1k", Stars(1000)}, {"stars_10k", Stars(10000)},
        {"stars_100k", Stars(100000)}, {"grid_100x100", Grid()}};
    return cases;
}

double RunEngine(const Case& c, bool log)
{
    Bool_Engine engine;
    if (!log) engine.SetLog(false);
    engine.SetMarge(0.001);
    engine.SetGrid(10000);
    engine.SetDGrid(1000.0);
    engine.SetCorrectionFactor(500.0);
    engine.SetCorrectionAber(1.0);
    engine.SetSmoothAber(10.0);
    engine.SetMaxlinemerge(1000.0);
    engine.SetRoundfactor(1.5);
    for (int g = 0; g < 2; ++g)
        for (const Ring& r : g ? c.b : c.a) {
            engine.StartPolygonAdd(g);
            for (const auto& p : r) engine.AddPt(p.first, p.second);
            engine.EndPolygonAdd();
        }
    engine.Do(c.op);
    double points = 0;
    while (engine.StartResultPolygon()) {
        while (engine.NextResultPoint()) points += engine.GetResultPointX();
        engine.EndResultPolygon();
    }
    return points;
}

#ifdef SPAB_BENCH_CLIPPER
double RunClipper(const Case& c)
{
    ClipperLib::Clipper clipper;
    for (int g = 0; g < 2; ++g)
        for (const Ring& r : g ? c.b : c.a) {
            ClipperLib::Path path;
            for (const auto& p : r)
                path.emplace_back(static_cast<ClipperLib::cInt>(std::llround(p.first * 1000)),
                                  static_cast<ClipperLib::cInt>(std::llround(p.second * 1000)));
            clipper.AddPath(path, g ? ClipperLib::ptClip : ClipperLib::ptSubject, true);
        }
    ClipperLib::Paths out;
    const ClipperLib::ClipType type = c.op == 1   ? ClipperLib::ctUnion
                                      : c.op == 2 ? ClipperLib::ctIntersection
                                                  : ClipperLib::ctDifference;
    clipper.Execute(type, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    return static_cast<double>(out.size());
}
#endif

#ifdef SPAB_BENCH_GEOS
void GeosQuiet(const char*, ...) {}

double RunGeos(const Case& c)
{
    GEOSContextHandle_t ctx = GEOS_init_r();
    GEOSContext_setErrorHandler_r(ctx, &GeosQuiet);
    GEOSGeometry* groups[2] = {};
    for (int g = 0; g < 2; ++g) {
        std::vector<GEOSGeometry*> polys;
        for (const Ring& r : g ? c.b : c.a) {
            GEOSCoordSequence* seq = GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(r.size() + 1), 2);
            for (size_t i = 0; i <= r.size(); ++i)
                GEOSCoordSeq_setXY_r(ctx, seq, static_cast<unsigned>(i), r[i % r.size()].first, r[i % r.size()].second);
            polys.push_back(GEOSGeom_createPolygon_r(ctx, GEOSGeom_createLinearRing_r(ctx, seq), nullptr, 0));
        }
        GEOSGeometry* collection =
            GEOSGeom_createCollection_r(ctx, GEOS_MULTIPOLYGON, polys.data(), static_cast<unsigned>(polys.size()));
        groups[g] = GEOSUnaryUnion_r(ctx, collection);  // one group may overlap itself
        GEOSGeom_destroy_r(ctx, collection);
    }
    GEOSGeometry* r = c.op == 1   ? GEOSUnion_r(ctx, groups[0], groups[1])
                      : c.op == 2 ? GEOSIntersection_r(ctx, groups[0], groups[1])
                                  : GEOSDifference_r(ctx, groups[0], groups[1]);
    double area = 0;
    if (r) {
        GEOSArea_r(ctx, r, &area);
        GEOSGeom_destroy_r(ctx, r);
    }
    for (GEOSGeometry* g : groups)
        if (g) GEOSGeom_destroy_r(ctx, g);
    GEOS_finish_r(ctx);
    return area;
}
#endif

std::map<std::string, long long> g_peakBytes;

template <typename F> void Measure(benchmark::State& state, const std::string& label, F run)
{
    for (auto _ : state) {
        const long long before = g_current.load();
        g_peak = before;
        benchmark::DoNotOptimize(run());
        g_peakBytes[label] = std::max(g_peakBytes[label], g_peak.load() - before);
    }
    state.counters["peak_MB"] = static_cast<double>(g_peakBytes[label]) / 1e6;
}

void Register()
{
    for (const auto& entry : Cases()) {
        const std::string name = entry.first;
        const Case* c = &entry.second;
        benchmark::RegisterBenchmark(("engine/" + name).c_str(), [c, name](benchmark::State& s) {
            Measure(s, "engine/" + name, [c] { return RunEngine(*c, false); });
        })->Unit(benchmark::kMillisecond);
        if (name == "crop_like")
            benchmark::RegisterBenchmark(("engine_log/" + name).c_str(), [c, name](benchmark::State& s) {
                Measure(s, "engine_log/" + name, [c] { return RunEngine(*c, true); });
            })->Unit(benchmark::kMillisecond);
#ifdef SPAB_BENCH_CLIPPER
        benchmark::RegisterBenchmark(("clipper/" + name).c_str(), [c, name](benchmark::State& s) {
            Measure(s, "clipper/" + name, [c] { return RunClipper(*c); });
        })->Unit(benchmark::kMillisecond);
#endif
#ifdef SPAB_BENCH_GEOS
        benchmark::RegisterBenchmark(("geos/" + name).c_str(), [c, name](benchmark::State& s) {
            Measure(s, "geos/" + name, [c] { return RunGeos(*c); });
        })->Unit(benchmark::kMillisecond);
#endif
    }
}

// Collects the mean time of every run for the closing table.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.iterations > 0) seconds[r.benchmark_name()] = r.real_accumulated_time / static_cast<double>(r.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

void PrintTable(const std::map<std::string, double>& seconds)
{
    std::printf("\n%-14s %-11s %12s %10s %10s\n", "case", "library", "ms", "vs best", "peak MB");
    for (const auto& entry : Cases()) {
        const std::string name = entry.first;
        double best = 0;
        for (const char* peer : {"clipper/", "geos/"}) {
            auto it = seconds.find(peer + name);
            if (it != seconds.end() && (best == 0 || it->second < best)) best = it->second;
        }
        for (const char* lib : {"engine/", "engine_log/", "clipper/", "geos/"}) {
            auto it = seconds.find(lib + name);
            if (it == seconds.end()) continue;
            std::printf("%-14s %-11s %12.3f %10.2f %10.2f\n", name.c_str(), std::string(lib).substr(0, std::string(lib).size() - 1).c_str(),
                        it->second * 1e3, best > 0 ? it->second / best : 0.0,
                        static_cast<double>(g_peakBytes[lib + name]) / 1e6);
        }
    }
    auto growth = [&](const char* lib) {
        auto a = seconds.find(std::string(lib) + "stars_1k"), b = seconds.find(std::string(lib) + "stars_10k"),
             c = seconds.find(std::string(lib) + "stars_100k");
        if (a == seconds.end() || b == seconds.end() || c == seconds.end()) return;
        std::printf("%-8s time growth per 10x vertices: %.1fx (1k->10k), %.1fx (10k->100k); n log n would be ~13x\n", lib,
                    b->second / a->second, c->second / b->second);
    };
    growth("engine/");
    growth("clipper/");
    growth("geos/");
}

}  // namespace

int main(int argc, char** argv)
{
    // The engine writes its log and key files into the current directory.
    const auto dir = std::filesystem::temp_directory_path() / "boolengine_bench";
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    Register();
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintTable(reporter.seconds);
    benchmark::Shutdown();
    return 0;
}
