#pragma once
// Helpers for engine tests: a private working folder per case (the engine
// writes its log and key files into the current directory), polygon input
// and result read-back in caller units.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "boolengine/booleng.h"

namespace enginetest {

using Point = std::pair<double, double>;
using Polygon = std::vector<Point>;

class ScopedWorkDir {
public:
    ScopedWorkDir();
    ~ScopedWorkDir();
    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;
    const std::filesystem::path& path() const { return m_dir; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_dir;
};

// Every case runs in a fresh folder of its own.
class EngineTest : public ::testing::Test {
protected:
    ScopedWorkDir m_workdir;
};

// The eight settings the crop tool gives every engine.
void ArmLikeCropTool(Bool_Engine& engine);
void AddPolygon(Bool_Engine& engine, int group, const Polygon& polygon);
std::vector<Polygon> ReadResults(Bool_Engine& engine);
Polygon Rect(double x0, double y0, double x1, double y1);  // clockwise, y up
// Signed shoelace area (positive counter-clockwise).
double SignedArea(const Polygon& p);
// Sum of |area| of every result ring (linked holes subtract themselves).
double TotalArea(const std::vector<Polygon>& polygons);
// Even-odd membership over all rings.
bool Inside(const std::vector<Polygon>& polygons, double x, double y);
// The log is most of a run's cost under the sanitizers: long seeded sweeps write
// it for a sample of their cases (LogSample) only.
std::vector<Polygon> RunOperation(int op, const std::vector<Polygon>& a, const std::vector<Polygon>& b,
                                  bool log = true);
inline bool LogSample(int seed) { return seed % 8 == 1; }
// A simple star of 3 to 64 vertices around (cx, cy), vertices on the 0.001 grid.
Polygon RandomStar(std::mt19937& rng, double cx, double cy, double maxRadius);
double Perimeter(const Polygon& p);
double DistanceToEdges(const Polygon& p, double x, double y);
std::vector<std::string> ReadLines(const std::string& file);
std::string ReadFile(const std::string& file);

}  // namespace enginetest
