#include "engine_support.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace enginetest {

ScopedWorkDir::ScopedWorkDir() : m_previous(std::filesystem::current_path())
{
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "case";
    for (char& c : name)
        if (c == '/') c = '_';
    m_dir = m_previous / ("case_" + name + "_" + std::to_string(counter++));
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    std::filesystem::current_path(m_dir);
}

ScopedWorkDir::~ScopedWorkDir()
{
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    std::filesystem::remove_all(m_dir, ignored);
}

void ArmLikeCropTool(Bool_Engine& engine)
{
    engine.SetMarge(0.001);
    engine.SetGrid(10000);
    engine.SetDGrid(1000.0);
    engine.SetCorrectionFactor(500.0);
    engine.SetCorrectionAber(1.0);
    engine.SetSmoothAber(10.0);
    engine.SetMaxlinemerge(1000.0);
    engine.SetRoundfactor(1.5);
}

void AddPolygon(Bool_Engine& engine, int group, const Polygon& polygon)
{
    ASSERT_TRUE(engine.StartPolygonAdd(group));
    for (const Point& p : polygon) ASSERT_TRUE(engine.AddPt(p.first, p.second));
    ASSERT_TRUE(engine.EndPolygonAdd());
}

std::vector<Polygon> ReadResults(Bool_Engine& engine)
{
    std::vector<Polygon> out;
    while (engine.StartResultPolygon()) {
        Polygon p;
        while (engine.NextResultPoint()) p.emplace_back(engine.GetResultPointX(), engine.GetResultPointY());
        engine.EndResultPolygon();
        out.push_back(p);
    }
    return out;
}

Polygon Rect(double x0, double y0, double x1, double y1)
{
    return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
}

double SignedArea(const Polygon& p)
{
    if (p.empty()) return 0.0;
    // Relative to the first vertex: far from the origin the products would
    // lose the digits that make up the area.
    const double ox = p[0].first, oy = p[0].second;
    double sum = 0.0;
    for (size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        sum += (a.first - ox) * (b.second - oy) - (a.second - oy) * (b.first - ox);
    }
    return sum / 2.0;
}

double TotalArea(const std::vector<Polygon>& polygons)
{
    double total = 0.0;
    for (const Polygon& p : polygons) total += std::fabs(SignedArea(p));
    return total;
}

bool Inside(const std::vector<Polygon>& polygons, double x, double y)
{
    bool in = false;
    for (const Polygon& p : polygons) {
        for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            const double xi = p[i].first, yi = p[i].second, xj = p[j].first, yj = p[j].second;
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
        }
    }
    return in;
}

std::vector<Polygon> RunOperation(int op, const std::vector<Polygon>& a, const std::vector<Polygon>& b,
                                  bool log)
{
    Bool_Engine engine;
    engine.SetLog(log);
    ArmLikeCropTool(engine);
    for (const Polygon& p : a) AddPolygon(engine, 0, p);
    for (const Polygon& p : b) AddPolygon(engine, 1, p);
    engine.Do(op);
    return ReadResults(engine);
}

// A simple star around (cx, cy): jittered angles never leave a gap of half a
// turn, so the polygon stays simple; vertices on the 0.001 grid.
Polygon RandomStar(std::mt19937& rng, double cx, double cy, double maxRadius)
{
    std::uniform_int_distribution<int> count(3, 64);
    std::uniform_real_distribution<double> radius(0.2 * maxRadius, maxRadius);
    const int n = count(rng);
    std::uniform_real_distribution<double> jitter(0.0, n == 3 ? 0.0 : 0.5);
    Polygon p;
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * (i + jitter(rng)) / n;
        const double r = radius(rng);
        p.emplace_back(std::round((cx + r * std::cos(a)) * 1000) / 1000, std::round((cy + r * std::sin(a)) * 1000) / 1000);
    }
    return p;
}

double Perimeter(const Polygon& p)
{
    double sum = 0.0;
    for (size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        sum += std::hypot(b.first - a.first, b.second - a.second);
    }
    return sum;
}

double DistanceToEdges(const Polygon& p, double x, double y)
{
    double best = 1e300;
    for (size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        const double dx = b.first - a.first, dy = b.second - a.second;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - a.first) * dx + (y - a.second) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(x - a.first - t * dx, y - a.second - t * dy));
    }
    return best;
}

std::vector<std::string> ReadLines(const std::string& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string ReadFile(const std::string& file)
{
    std::ifstream in(file);  // text mode: the engine writes text files
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace enginetest
