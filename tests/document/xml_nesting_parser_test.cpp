// The nesting walk against the XML library itself: the library never builds
// deeper than the walk counts, on the cases of its reading rules and on
// random texts made of the pieces those rules turn on.
#include <gtest/gtest.h>

#include <tinyxml.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "XmlNestingCases.h"
#include "document/albumfile/XmlNesting.h"

namespace {

// The deepest element the library built (it keeps what it read before an
// error), parsed from a buffer with room past its end as the loader gives it.
int BuiltDepth(const std::string& text)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.resize(buffer.size() + 8, '\0');
    TiXmlDocument document;
    document.Parse(buffer.data(), nullptr, TIXML_DEFAULT_ENCODING);
    int deepest = 0;
    std::vector<std::pair<const TiXmlNode*, int>> open{ { &document, 0 } };
    while (!open.empty()) {
        const auto [node, depth] = open.back();
        open.pop_back();
        for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling()) {
            const int level = depth + (child->ToElement() ? 1 : 0);
            deepest = std::max(deepest, level);
            open.emplace_back(child, level);
        }
    }
    return deepest;
}

} // namespace

TEST(XmlNestingParser, TheLibraryNeverBuildsDeeperThanTheWalkCounts)
{
    for (const auto& c : nesting_test::NestingCases()) {
        if (!c.parserFails) {
            EXPECT_LE(BuiltDepth(c.text), c.depth) << c.name;
        }
    }
    const char* const pieces[] = { "<a>", "</a>", "<b x='", "'", "\"", " y=\"", "<!--", "-->",
        "<![CDATA[", "]]>", "<?xml ", "?>", " version='1'", " encoding='UTF-8'",
        " encoding='cp1252'", "&#x", "&#", "x4;", "#6;", ";", "&amp;", "\xE0", "\xC3", "\xF0",
        "\xEF\xBB\xBF", ">", "/>", " ", "\n", "<", "<!", "=", "<c/>", "x", "</", "<_d ", "\x80" };
    std::mt19937 random(14);
    for (int i = 0; i < 4000; ++i) {
        std::string text;
        for (int count = static_cast<int>(random() % 40); count > 0; --count)
            text += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        const XmlNesting walked = MeasureXmlNesting(text.c_str(), 1000);
        // The loader never parses these.
        if (!walked.parserFails) {
            ASSERT_LE(BuiltDepth(text), walked.depth) << text;
        }
    }
}
