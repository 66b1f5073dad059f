#pragma once
// Texts whose nesting the walk must count as the XML library descends into
// them, each the way one reading rule of the library hides or shows markup.
// depth is what the walk answers; the Windows tests check that the library
// never builds deeper.
#include <string>
#include <vector>

namespace nesting_test {

struct NestingCase {
    const char* name;
    std::string text;
    int depth;
    bool parserFails;
};

inline std::string Nested(const std::string& open, const std::string& close, int levels)
{
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += open;
    for (int i = 0; i < levels; ++i)
        text += close;
    return text;
}

inline std::vector<NestingCase> NestingCases()
{
    return {
        { "nothing", "", 0, false },
        { "siblings", "<a/><a></a><a/>", 1, false },
        { "nested", "<a><b><c/></b></a>", 3, false },
        { "a comment hides markup", "<a><!-- <b><c> --></a>", 1, false },
        { "CDATA hides markup", "<a><![CDATA[<b><c>]]></a>", 1, false },
        { "quoted values hide markup", "<a x=\"<b>\" y='/>'><c/></a>", 2, false },
        { "other markup ends at its first '>'", "<a><!DOCTYPE x [<!ELEMENT b>]><?pi <c>?></a>", 1,
            false },
        { "a close at top level is no close", "</a><a><b/></a>", 2, false },
        { "a hex entity runs to its ';'", "<a>&#x<b><c>x41;<d/></a>", 2, false },
        { "a decimal entity too", "<a>&#<b>#65;<c/></a>", 2, false },
        { "an entity in a value swallows its quote", "<a v=\"&#x\"<!--x1;\"><b><c/></b></a>", 3,
            false },
        { "a UTF-8 lead byte swallows a quote", "\xEF\xBB\xBF<a x='\xE0'<!--'><b><c/></b></a>-->",
            3, false },
        { "a declaration makes the rest UTF-8",
            "<?xml version=\"1.0\"?><a x='\xE0'<!--'><b><c/></b></a>-->", 3, false },
        { "either reading is counted",
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a x='\xE0'<!--'><b><c/></b></a>-->", 3,
            false },
        { "a declaration's quoted value may hold '>'", "<?xml version='>'?><a><b/></a>", 2, false },
        { "other declaration text ends at '>'", "<?xml foo='>' <a><b/></a>", 0, false },
        { "high bytes start names",
            "<a><\x80"
            "b><\xFF"
            "c/></\x80"
            "b></a>",
            3, false },
        { "text after the root ends the document", "<a/>text<b><c/></b>", 1, false },
        { "a text that ends inside", "<a><b><c", 3, false },
        { "a declaration of white space to the end", "<a/><?xml ", 1, true },
        { "a declaration's attribute then white space", "<?xml version='1'\n", 0, true },
        { "deep plain elements", Nested("<e>", "</e>", 300), 300, false },
        { "deep inside a comment", "<a><!--" + Nested("<e>", "</e>", 300) + "--></a>", 1, false },
    };
}

} // namespace nesting_test
