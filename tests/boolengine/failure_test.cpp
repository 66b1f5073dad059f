// A failing operation never ends "normally" with a partial result: the engine
// reports the error and hands its input back. A derived engine injects the
// failure through the virtual log hook.
#include <stdexcept>

#include "engine_support.h"

using namespace enginetest;

namespace {

template <typename E> class FailingEngine : public Bool_Engine {
public:
    explicit FailingEngine(const char* step) : m_step(step) {}
    void WriteLog(const char* text) override
    {
        if (std::string(text) == m_step) Throw();
        Bool_Engine::WriteLog(text);
    }

private:
    void Throw();
    std::string m_step;
};

template <> void FailingEngine<Bool_Engine_Error>::Throw()
{
    throw Bool_Engine_Error("no next (endpoint != beginpoint)", "Error", 9, 0);
}
template <> void FailingEngine<std::runtime_error>::Throw() { throw std::runtime_error("injected"); }

const Polygon kA = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
const Polygon kB = {{5, 5}, {5, 15}, {15, 15}, {15, 5}};

TEST_F(EngineTest, FailedExtractionRestoresInputAndReportsTheError)
{
    FailingEngine<Bool_Engine_Error> engine("Performing Operation");
    ArmLikeCropTool(engine);
    AddPolygon(engine, 0, kA);
    AddPolygon(engine, 1, kB);
    try {
        engine.Do(1);
        FAIL() << "the failure was swallowed";
    } catch (const Bool_Engine_Error& e) {
        EXPECT_EQ(e.message, "no next (endpoint != beginpoint)");
        EXPECT_EQ(e.header, "Error");
    }
    EXPECT_FALSE(engine.LogOpen());
    const std::vector<Polygon> restored = ReadResults(engine);
    ASSERT_EQ(restored.size(), 2u);  // the last polygon added comes first
    EXPECT_EQ(restored[0], kB);
    EXPECT_EQ(restored[1], kA);
    EXPECT_NE(ReadFile("keygraphfile.key").find("PATH; LAYER 1;"), std::string::npos);
    EXPECT_NE(ReadFile("graphkeyfile.key").find("BOUNDARY; LAYER 0;"), std::string::npos);
    const std::vector<std::string> log = ReadLines("booleng.log");
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "FATAL ERROR:  error");
    EXPECT_EQ(log[log.size() - 1], "FATAL ERROR:  no next (endpoint != beginpoint)");
}

TEST_F(EngineTest, ForeignExceptionLeavesUnchangedAfterRestoringInput)
{
    FailingEngine<std::runtime_error> engine("Set group A/B Flags");
    ArmLikeCropTool(engine);
    AddPolygon(engine, 0, kA);
    EXPECT_THROW(engine.Do(4), std::runtime_error);
    const std::vector<Polygon> restored = ReadResults(engine);
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0], kA);
}

TEST_F(EngineTest, FailedCorrectionRestoresInput)
{
    FailingEngine<Bool_Engine_Error> engine("Add/Substract rings");
    ArmLikeCropTool(engine);
    engine.SetCorrectionFactor(1);
    AddPolygon(engine, 0, kA);
    EXPECT_THROW(engine.Do(6), Bool_Engine_Error);
    EXPECT_DOUBLE_EQ(engine.GetMarge(), 0.001);
    const std::vector<Polygon> restored = ReadResults(engine);
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0], kA);
}

}  // namespace
