// The nesting walk, in both builds: the depth of each reading rule's case,
// and the early stop past the limit.
#include <gtest/gtest.h>

#include "XmlNestingCases.h"
#include "document/albumfile/XmlNesting.h"

using nesting_test::NestingCases;

TEST(XmlNesting, CountsWhatTheParserDescendsInto)
{
    for (const auto& c : NestingCases()) {
        const XmlNesting nesting = MeasureXmlNesting(c.text.c_str(), 1000);
        EXPECT_EQ(nesting.depth, c.depth) << c.name;
        EXPECT_EQ(nesting.parserFails, c.parserFails) << c.name;
    }
}

TEST(XmlNesting, StopsOneLevelPastTheLimit)
{
    const std::string deep = nesting_test::Nested("<e>", "</e>", 100000);
    EXPECT_EQ(MeasureXmlNesting(deep.c_str(), 256).depth, 257);
    EXPECT_EQ(MeasureXmlNesting(deep.c_str(), 100000).depth, 100000);
}
