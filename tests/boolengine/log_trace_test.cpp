// The log of one operation reads as a trace of its steps: step names in
// order, the graph before every scan pass and the scan beam after every
// record added.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_support.h"

using namespace enginetest;

namespace {

std::vector<std::string> LogOfSquareUnion()
{
    {
        Bool_Engine engine;
        ArmLikeCropTool(engine);
        AddPolygon(engine, 0, Rect(0, 0, 10, 10));
        engine.Do(1);
    }
    return ReadLines("booleng.log");
}

// Index of the first line equal to 'text' at or after 'from'; lines.size() when none.
size_t Find(const std::vector<std::string>& lines, const std::string& text, size_t from = 0)
{
    auto it = std::find(lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())), lines.end(), text);
    return static_cast<size_t>(it - lines.begin());
}

TEST_F(EngineTest, CrossingSearchLogsItsStepsInOrder)
{
    const std::vector<std::string> lines = LogOfSquareUnion();
    const char* const steps[] = {"Performing Boolean Operation ", "Simplify ", "Simplify ", "prepare ",
                                 "Intersection ", "Node to Node ", "Node to BoolLink 0 ", "Rotate -90 ",
                                 "Node to BoolLink -90 ", "Rotate +90 ", "intersect ", "Node to Node ",
                                 "Node to Node ", "Set group A/B Flags ", "Set operation Flags ", "Remove doubles ",
                                 "Remove inlinks ", "Finished prepare graph ", "Performing Operation ",
                                 "Extract simples first  ", "Linking Holes "};
    size_t at = 0;
    for (const char* step : steps) {
        const size_t found = Find(lines, step, at);
        ASSERT_LT(found, lines.size()) << "missing or out of order: " << step;
        at = found + 1;
    }
}

TEST_F(EngineTest, ScanPassesDumpTheGraphAndTheBeamAfterEveryRecord)
{
    const std::vector<std::string> lines = LogOfSquareUnion();
    // The first pass (node on link) meets the top link first, at the top left
    // corner; the vertical link there gets no record in that pass.
    const size_t beam = Find(lines, "# beam 1 ");
    ASSERT_LT(beam + 5, lines.size());
    EXPECT_EQ(lines[beam + 1], " low 0 100000000 ");
    EXPECT_EQ(lines[beam + 2], " type 0 ");
    EXPECT_EQ(lines[beam + 3], " ysp 100000000 ");
    EXPECT_EQ(lines[beam + 4], "             linkbegin 0 100000000 ");
    EXPECT_EQ(lines[beam + 5], "             linkend 100000000 100000000 ");
    // Every scan pass first writes the graph, sorted by begin node.
    const size_t pass = Find(lines, "Node to BoolLink 0 ");
    ASSERT_LT(pass + 2, lines.size());
    EXPECT_EQ(lines[pass + 1], "# graph");
    EXPECT_EQ(lines[pass + 2], " linkbegin 0 100000000 ");

    // Group flags with the winding rule: the direction pass and the flag pass
    // both take the vertical link at the top left corner into the beam.
    const size_t flags = Find(lines, "Set group A/B Flags ");
    const size_t end = Find(lines, "Set operation Flags ", flags);
    ASSERT_LT(end, lines.size());
    EXPECT_EQ(std::count(lines.begin() + static_cast<std::ptrdiff_t>(flags),
                         lines.begin() + static_cast<std::ptrdiff_t>(end), std::string("# graph")),
              2);
    const size_t two = Find(lines, "# beam 2 ", flags);
    ASSERT_LT(two + 9, end);
    EXPECT_EQ(lines[two + 1], " low 0 100000000 ");
    EXPECT_EQ(lines[two + 3], " ysp 100000000 ");
    EXPECT_EQ(lines[two + 4], "             linkbegin 0 100000000 ");
    EXPECT_EQ(lines[two + 6], " ysp 100000000 ");
    EXPECT_EQ(lines[two + 7], "             linkbegin 0 0 ");
    EXPECT_EQ(lines[two + 8], "             linkend 0 100000000 ");
    // Moving down the same column: the next position lies at no larger x.
    const size_t below = Find(lines, " low 0 0 ", two);
    ASSERT_LT(below + 1, end);
    EXPECT_EQ(lines[below + 1], " type 1 ");
}

TEST_F(EngineTest, ClosedLogGetsNoDumps)
{
    {
        Bool_Engine engine;
        ArmLikeCropTool(engine);
        engine.SetLog(false);
        AddPolygon(engine, 0, Rect(0, 0, 10, 10));
        engine.Do(1);
    }
    const std::vector<std::string> lines = ReadLines("booleng.log");
    EXPECT_EQ(Find(lines, "# beam 1 "), lines.size());
    EXPECT_EQ(Find(lines, "# graph"), lines.size());
}

}  // namespace
