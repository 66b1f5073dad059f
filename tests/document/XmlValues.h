#pragma once
// Values that every file the program writes must give back character for
// character: markup characters, what looks like a character or entity
// reference (whole, cut short, or only its end), both quotes, accented letters
// and the euro sign of the program's code page, blanks at either end, tabs
// and line breaks.
#include <string>
#include <vector>

namespace xml_values_test {

// Those a file name can hold too.
inline std::vector<std::string> FileNameValues()
{
    return { "A & B.jpg", "&#x41;.jpg", "Prova &#x41; fine", "&#x", "x41;", "&#65;", "&amp;",
        "&lt;b&gt;", "&#", "&#x;", "&#xZZ;", "L'anello.jpg", "Citt\xE0 \xC8 \x80 \xFF.jpg",
        " spazio iniziale", "&quot;&apos;" };
}

inline std::vector<std::string> TextValues()
{
    std::vector<std::string> values = FileNameValues();
    for (const char* value : { "Anna &#x Luca", "\"virgolette\" e 'apici'", "<", ">", "<b>fine</b>",
             "]]>", "<!-- -->", "a \"<&>\" b", "riga\r\nriga\nriga\r", "\ttab\t", "  ", "fine  " })
        values.push_back(value);
    return values;
}

} // namespace xml_values_test
