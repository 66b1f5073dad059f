#include <cmath>
#include <limits>

#include "engine_support.h"

using namespace enginetest;

namespace {

const char* const kSetterLines[] = {
    "Bool_Engine::m_MARGE = 0.001000",           "Bool_Engine::m_GRID = 10000",
    "Bool_Engine::m_DGRID = 1000.000000",        "Bool_Engine::m_CORRECTIONFACTOR = 500.000000",
    "Bool_Engine::m_CORRECTIONABER = 1.000000",  "Bool_Engine::m_SMOOTHABER = 10.000000",
    "Bool_Engine::m_MAXLINEMERGE = 1000.000000", "Bool_Engine::m_ROUNDFACTOR = 1.500000"};

// The key files' header with the units of each form.
std::string KeyHeader(const char* units)
{
    return std::string("      HEADER 5;       BGNLIB;       LASTMOD {2-11-15  15:39:21};       LASTACC {2-11-15  "
                       "15:39:21};       LIBNAME trial;       UNITS;       ") +
           units + "          BGNSTR;        CREATION {2-11-15  15:39:21};       LASTMOD  {2-11-15  15:39:21};"
                   "       STRNAME top;    ";
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(EngineTest, LogStartsWithCreationLineAndRecordsEverySetting)
{
    {
        Bool_Engine engine;
        ArmLikeCropTool(engine);
    }
    const std::vector<std::string> lines = ReadLines("booleng.log");
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0].rfind("Logfile created on:\t\t\t", 0), 0u);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(lines[i + 1], kSetterLines[i]);
}

class WrongOperation : public EngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(WrongOperation, ThrowsFatalErrorRestoresInputAndLogsBothLines)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    AddPolygon(engine, 1, {{0, 0}, {25, 25}, {25, 0}});
    try {
        engine.Do(GetParam());
        FAIL() << "no error";
    } catch (const Bool_Engine_Error& error) {
        EXPECT_STREQ(error.GetErrorMessage(), " Fatal Error");
        EXPECT_EQ(error.header, "Fatal Error");
        EXPECT_EQ(error.degree, 9);
        EXPECT_EQ(error.fatal, 1);
    }
    const std::vector<Polygon> restored = ReadResults(engine);
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0], (Polygon{{0, 0}, {25, 25}, {25, 0}}));
    const std::vector<std::string> lines = ReadLines("booleng.log");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "FATAL ERROR:  Command Error");
    EXPECT_EQ(lines[lines.size() - 1], "FATAL ERROR:  Wrong operation");
}

INSTANTIATE_TEST_SUITE_P(Codes, WrongOperation, ::testing::Values(0, 9, -1));

TEST_F(EngineTest, FailedOperationWritesRestoredInputAsBoundaries)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    AddPolygon(engine, 1, {{0, 0}, {25, 25}, {25, 0}});
    EXPECT_THROW(engine.Do(0), Bool_Engine_Error);
    const std::string expected = KeyHeader("USERUNITS 0.0001; PHYSUNITS 1e-009;") +
                                 "BOUNDARY; LAYER 1;  DATATYPE 0;\n XY 4; \n"
                                 "X 0.000000;\tY 0.000000; \nX 2.500000;\tY 2.500000; \n"
                                 "X 2.500000;\tY 0.000000; \nX 0.000000;\tY 0.000000; \nENDEL;\n"
                                 "      ENDSTR top;       ENDLIB;    ";
    EXPECT_EQ(ReadFile("graphkeyfile.key"), expected);
}

TEST_F(EngineTest, BooleanStepWritesMergedGraphAsPathsWithTheFooterOfItsKind)
{
    for (bool empty : {false, true}) {
        Bool_Engine engine;
        ArmLikeCropTool(engine);
        AddPolygon(engine, 0, Rect(0, 0, 10, 10));
        if (empty) AddPolygon(engine, 1, Rect(20, 0, 30, 10));
        ASSERT_TRUE(engine.Do(empty ? 2 : 1));
        const std::string key = ReadFile("keygraphfile.key");
        EXPECT_EQ(key.rfind(KeyHeader("USERUNITS 1; PHYSUNITS 1e-006;"), 0), 0u);
        if (empty) {
            EXPECT_EQ(key.find("PATH;"), std::string::npos);
            EXPECT_TRUE(EndsWith(key, "         ENDSTR top;          ENDLIB;       "));
        } else {
            EXPECT_NE(key.find("PATH; LAYER 0;\n XY 2; \nX 0.000000;\tY 1.000000; \nX 1.000000;\tY 1.000000; \nENDEL;\n"),
                      std::string::npos);
            EXPECT_TRUE(EndsWith(key, "      ENDSTR top;       ENDLIB;    "));
        }
    }
}

TEST_F(EngineTest, VertexIsStoredOnTheGridAndReadBackTruncated)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    AddPolygon(engine, 0, {{12.3456, 7}, {12.3456, 20}, {30, 20}});
    ASSERT_TRUE(engine.Do(1));
    ASSERT_TRUE(engine.StartResultPolygon());
    bool found = false;
    while (engine.NextResultPoint())
        found = found || (engine.GetResultPointX() == 12.345 && engine.GetResultPointY() == 7.0);
    EXPECT_TRUE(found);
    engine.EndResultPolygon();
}

TEST_F(EngineTest, AddPtLogsCallerAndInternalValues)
{
    {
        Bool_Engine engine;
        ArmLikeCropTool(engine);
        ASSERT_TRUE(engine.StartPolygonAdd(0));
        ASSERT_TRUE(engine.AddPt(12.3456, 7));
    }
    const std::vector<std::string> lines = ReadLines("booleng.log");
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[9], "-> StartPolygonAdd(0)");
    EXPECT_EQ(lines[10], "-> AddPt() *FIRST* : input: x = 12.345600, y = 7.000000");
    EXPECT_EQ(lines[11], " input: x = 123450000, y = 70000000");
}

TEST_F(EngineTest, ResultPolygonYieldsOneVertexPerLink)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    AddPolygon(engine, 0, {{0, 0}, {0, 10}, {5, 15}, {10, 10}, {10, 0}});
    ASSERT_TRUE(engine.Do(1));
    const std::vector<Polygon> result = ReadResults(engine);
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0].size(), 5u);
    EXPECT_EQ(result[0].front(), (Point{0, 10}));  // the flatter link at the top, begin first
}

TEST_F(EngineTest, InputCallsOutOfOrderAnswerFalse)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    EXPECT_FALSE(engine.AddPt(1, 1));
    EXPECT_FALSE(engine.EndPolygonAdd());
    EXPECT_TRUE(engine.StartPolygonAdd(0));
    EXPECT_FALSE(engine.StartPolygonAdd(1));
    EXPECT_TRUE(engine.EndPolygonAdd());  // no vertex: the polygon is dropped
    EXPECT_TRUE(engine.Do(1));
    EXPECT_FALSE(engine.StartResultPolygon());
}

TEST_F(EngineTest, DoWithPolygonStillOpenIsRefused)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    ASSERT_TRUE(engine.StartPolygonAdd(0));
    ASSERT_TRUE(engine.AddPt(0, 0));
    ASSERT_TRUE(engine.AddPt(0, 10));
    EXPECT_THROW(engine.Do(1), Bool_Engine_Error);
}

struct BadVertex {
    const char* name;
    double x, y;
    const char* logged;
};
class RefusedVertex : public EngineTest, public ::testing::WithParamInterface<BadVertex> {};

TEST_P(RefusedVertex, RaisesEngineErrorInsteadOfConverting)
{
    const BadVertex& v = GetParam();
    {
        Bool_Engine engine;
        ArmLikeCropTool(engine);
        ASSERT_TRUE(engine.StartPolygonAdd(0));
        EXPECT_THROW(engine.AddPt(v.x, v.y), Bool_Engine_Error);
        EXPECT_TRUE(engine.AddPt(1, 1));  // the polygon stays open
    }
    const std::vector<std::string> lines = ReadLines("booleng.log");
    bool found = false;
    for (const std::string& l : lines) found = found || l == std::string("FATAL ERROR:  ") + v.logged;
    EXPECT_TRUE(found);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedVertex,
    ::testing::Values(BadVertex{"HugeX", 1e12, 0, "X coordinate of vertex to big"},
                      BadVertex{"HugeY", 0, -1e12, "Y coordinate of vertex to big"},
                      BadVertex{"NotANumberX", kNaN, 0, "X coordinate of vertex to big"},
                      BadVertex{"InfiniteY", 0, kInf, "Y coordinate of vertex to big"},
                      BadVertex{"BeyondDoublePrecision", 5e8, 0, "X coordinate of vertex to big"}),
    [](const ::testing::TestParamInfo<BadVertex>& info) { return std::string(info.param.name); });

TEST_F(EngineTest, DerivedValuesFollowTheSettings)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    EXPECT_EQ(engine.GetInternalMarge(), 10000);
    EXPECT_DOUBLE_EQ(engine.GetInternalCorrectionFactor(), 5e9);
    EXPECT_DOUBLE_EQ(engine.GetInternalCorrectionAber(), 1e7);
    EXPECT_EQ(engine.GetInternalMaxlinemerge(), 10000000000);
    engine.SetInternalMarge(20000);
    EXPECT_DOUBLE_EQ(engine.GetMarge(), 0.002);
    EXPECT_DOUBLE_EQ(engine.GetAccuracy(), 0.0001);
    EXPECT_TRUE(engine.GetWindingRule());
}

TEST_F(EngineTest, ErrorCopiesKeepTheirTexts)
{
    Bool_Engine_Error original("message", nullptr, 3, 0);
    Bool_Engine_Error copy = original;
    Bool_Engine_Error assigned(" ", " ", 0, 1);
    assigned = copy;
    EXPECT_STREQ(assigned.GetErrorMessage(), "message");
    EXPECT_EQ(assigned.header, "non specified");
    EXPECT_EQ(assigned.degree, 3);
    EXPECT_EQ(Bool_Engine_Error(std::string(300, 'x').c_str(), "h", 0, 0).message.size(), 199u);
}

TEST_F(EngineTest, LogCanBeSwitchedOff)
{
    {
        Bool_Engine engine;
        engine.SetLog(false);
        engine.SetGrid(5);
        engine.SetLog(true);
        engine.SetGrid(7);
    }
    const std::vector<std::string> lines = ReadLines("booleng.log");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "Bool_Engine::m_GRID = 7");
}

}  // namespace
