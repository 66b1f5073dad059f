#include "document/albumfile/XmlNesting.h"

#include <algorithm>
#include <cstring>

namespace {

using Byte = unsigned char;

// How the parser steps over text: byte by byte until the document says it is
// UTF-8 (a byte-order mark, or a first declaration with no encoding or a
// UTF-8 one), then a whole sequence per lead byte.
enum class Mode { kUndecided, kBytes, kUtf8 };

bool IsSpace(Byte c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsAsciiLetter(Byte c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(Byte c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(Byte c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The parser takes every byte from 127 up for a letter.
bool IsNameStart(Byte c)
{
    return c >= 127 || IsAsciiLetter(c) || c == '_';
}

bool IsNameChar(Byte c)
{
    return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.' || c == ':';
}

size_t SequenceLength(Byte lead)
{
    if (lead < 0xC2)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return lead < 0xF5 ? 4 : 1;
}

bool StartsWith(const Byte* p, const char* word, bool anyCase = false)
{
    for (; *word; ++p, ++word) {
        Byte c = *p;
        Byte w = static_cast<Byte>(*word);
        if (anyCase && c >= 'A' && c <= 'Z')
            c = static_cast<Byte>(c - 'A' + 'a');
        if (c != w)
            return false;
    }
    return true;
}

bool IsByteOrderMarkLike(const Byte* p)
{
    return p[0] == 0xEF &&
        ((p[1] == 0xBB && p[2] == 0xBF) || (p[1] == 0xBF && p[2] == 0xBE) ||
            (p[1] == 0xBF && p[2] == 0xBF));
}

const Byte* SkipSpace(const Byte* p, Mode mode)
{
    for (;;) {
        if (mode == Mode::kUtf8 && IsByteOrderMarkLike(p))
            p += 3;
        else if (IsSpace(*p))
            ++p;
        else
            return p;
    }
}

// Past the first occurrence of what, or at the end.
const Byte* PastText(const Byte* p, const char* what)
{
    const char* found = std::strstr(reinterpret_cast<const char*>(p), what);
    if (!found)
        return p + std::strlen(reinterpret_cast<const char*>(p));
    return reinterpret_cast<const Byte*>(found) + std::strlen(what);
}

const Byte* PastByte(const Byte* p, Byte what)
{
    while (*p && *p != what)
        ++p;
    return *p ? p + 1 : p;
}

// A numeric entity runs to the next ';' in the whole text, and is taken when
// every character back from that ';' to the nearest 'x' (or '#') is a digit:
// "&#x" ... "x41;" swallows all between, markup and quotes included.
const Byte* PastEntity(const Byte* p)
{
    if (p[1] != '#' || !p[2])
        return p + 1;
    const bool hex = p[2] == 'x';
    const Byte* from = p + (hex ? 3 : 2);
    const char* semicolon = std::strchr(reinterpret_cast<const char*>(from), ';');
    if (!*from || !semicolon)
        return p + 1; // the parser stops here
    const Byte* end = reinterpret_cast<const Byte*>(semicolon);
    const Byte stop = hex ? 'x' : '#';
    for (const Byte* q = end - 1; *q != stop; --q) {
        if (!(hex ? IsHexDigit(*q) : IsDigit(*q)))
            return p + 1; // the parser stops here
    }
    return end + 1;
}

// One character of text or of a quoted value, as the parser steps over it.
const Byte* StepChar(const Byte* p, Mode mode)
{
    const size_t length = mode == Mode::kUtf8 ? SequenceLength(*p) : 1;
    if (length == 1)
        return *p == '&' ? PastEntity(p) : p + 1;
    for (size_t i = 1; i < length; ++i) {
        if (!p[i])
            return p + i;
    }
    return p + length;
}

// Past the closing quote; null when the value or the text ends first.
const Byte* PastQuoted(const Byte* p, Byte quote, Mode mode)
{
    while (*p && *p != quote)
        p = StepChar(p, mode);
    return *p && p[1] ? p + 1 : nullptr;
}

// An attribute of a declaration (name = value); null where the parser gives up.
const Byte* PastDeclarationAttribute(const Byte* p, Mode mode)
{
    if (!IsNameStart(*p))
        return nullptr;
    while (IsNameChar(*p))
        ++p;
    if (!*p)
        return nullptr;
    p = SkipSpace(p, mode);
    if (*p != '=')
        return nullptr;
    p = SkipSpace(p + 1, mode);
    if (*p == '"' || *p == '\'')
        return PastQuoted(p + 1, *p, mode);
    for (; *p && !IsSpace(*p) && *p != '/' && *p != '>'; ++p) {
        if (*p == '"' || *p == '\'')
            return nullptr;
    }
    return *p ? p : nullptr;
}

struct Declaration {
    const Byte* end = nullptr; // null: the parser stops
    bool parserFails = false;
};

// After "<?xml": only "version", "encoding" and "standalone" are read as
// attributes (quoted values may hold '>'); anything else is passed over up to
// white space or '>'.
Declaration ReadDeclaration(const Byte* p, Mode mode)
{
    Declaration declaration;
    while (*p) {
        if (*p == '>') {
            declaration.end = p + 1;
            return declaration;
        }
        p = SkipSpace(p, mode);
        if (!*p) {
            declaration.parserFails = true;
            return declaration;
        }
        if (StartsWith(p, "version", true) || StartsWith(p, "encoding", true) ||
            StartsWith(p, "standalone", true)) {
            p = PastDeclarationAttribute(p, mode);
            if (!p)
                return declaration;
        } else {
            while (*p && *p != '>' && !IsSpace(*p))
                ++p;
        }
    }
    return declaration;
}

class NestingWalk {
public:
    explicit NestingWalk(int limit)
        : m_limit(limit)
    {
    }

    XmlNesting Measure(const Byte* text)
    {
        Walk(text, StartsWith(text, "\xEF\xBB\xBF") ? Mode::kUtf8 : Mode::kUndecided);
        return m_result;
    }

private:
    bool Stopped() const { return m_result.parserFails || m_result.depth > m_limit; }

    void Enter(int depth) { m_result.depth = std::max(m_result.depth, depth); }

    // From document level to the end of what the parser reads.
    void Walk(const Byte* p, Mode mode)
    {
        int depth = 0;
        while (*p && !Stopped()) {
            if (depth == 0) {
                // Between top-level nodes the parser skips white space and
                // stops at anything else; bytes above 127 are passed over
                // here whatever they are, which can only see more.
                if (IsSpace(*p) || *p >= 0x80) {
                    ++p;
                    continue;
                }
                if (*p != '<')
                    return;
            } else if (*p != '<') {
                p = StepChar(p, mode);
                continue;
            }
            if (depth > 0 && p[1] == '/') {
                --depth;
                p = PastByte(p, '>');
            } else if (StartsWith(p, "<?xml", true)) {
                const Declaration declaration = ReadDeclaration(p + 5, mode);
                m_result.parserFails = m_result.parserFails || declaration.parserFails;
                if (!declaration.end)
                    return;
                p = declaration.end;
                if (depth == 0 && mode == Mode::kUndecided) {
                    // The first top-level declaration decides how the rest is
                    // read; both readings are followed.
                    Walk(p, Mode::kBytes);
                    Walk(p, Mode::kUtf8);
                    return;
                }
            } else if (StartsWith(p, "<!--")) {
                p = PastText(p + 4, "-->");
            } else if (StartsWith(p, "<![CDATA[")) {
                p = PastText(p + 9, "]]>");
            } else if (IsNameStart(p[1])) {
                Enter(++depth);
                p = PastStartTag(p + 1, mode, depth);
            } else {
                p = PastByte(p + 1, '>'); // anything else up to '>'
            }
        }
    }

    // The rest of a start tag: quoted values may hold '>' and "/>"; an empty
    // element ("/>") closes at once.
    static const Byte* PastStartTag(const Byte* p, Mode mode, int& depth)
    {
        while (*p) {
            if (*p == '"' || *p == '\'') {
                const Byte* end = PastQuoted(p + 1, *p, mode);
                if (!end)
                    return p + std::strlen(reinterpret_cast<const char*>(p));
                p = end;
            } else if (*p == '>') {
                return p + 1;
            } else if (*p == '/' && p[1] == '>') {
                --depth;
                return p + 2;
            } else {
                ++p;
            }
        }
        return p;
    }

    int m_limit;
    XmlNesting m_result;
};

} // namespace

XmlNesting MeasureXmlNesting(const char* text, int limit)
{
    return NestingWalk(limit).Measure(reinterpret_cast<const Byte*>(text ? text : ""));
}
