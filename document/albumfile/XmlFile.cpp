#include "document/albumfile/XmlFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include <tinyxml.h>

#include "document/albumfile/NestingLimit.h"
#include "document/albumfile/XmlNesting.h"

namespace {
// The parser steps over a UTF-8 sequence whole even where the text ends
// inside it, and reads up to three bytes past the end: they are ours and 0.
constexpr size_t kEndPadding = 4;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// kRead with the whole text in bytes; kEmpty for a file of no byte, and
// kTooLarge for one that does not fit in memory.
XmlRead ReadWholeFile(const std::string& path, std::vector<char>& bytes)
{
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return XmlRead::kUnreadable;
#ifdef _WIN32
    const long long length = _ftelli64(file.get());
#else
    const long long length = ftello(file.get());
#endif
    if (length == 0)
        return XmlRead::kEmpty;
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return XmlRead::kUnreadable;
    if (static_cast<unsigned long long>(length) > bytes.max_size() - kEndPadding)
        return XmlRead::kTooLarge;
    try {
        bytes.assign(static_cast<size_t>(length) + kEndPadding, '\0');
    } catch (const std::bad_alloc&) {
        return XmlRead::kTooLarge;
    }
    return std::fread(bytes.data(), 1, static_cast<size_t>(length), file.get()) == static_cast<size_t>(length)
        ? XmlRead::kRead
        : XmlRead::kUnreadable;
}

// As the library's own file loader leaves the text: CR LF and lone CR become
// LF, and the text ends at its first NUL.
void NormaliseLineEnds(std::vector<char>& bytes)
{
    size_t to = 0;
    for (size_t from = 0; bytes[from]; ++from) {
        if (bytes[from] == '\r') {
            bytes[to++] = '\n';
            if (bytes[from + 1] == '\n')
                ++from;
        } else {
            bytes[to++] = bytes[from];
        }
    }
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(to), bytes.end(), '\0');
}
// Every element starts with a '<' that no '/' follows; so do comments and
// declarations, which the parser keeps as nodes too.
bool HasMoreElementsThan(const std::vector<char>& bytes, size_t ceiling)
{
    size_t elements = 0;
    for (size_t i = 0; bytes[i]; ++i) {
        if (bytes[i] == '<' && bytes[i + 1] != '/' && ++elements > ceiling)
            return true;
    }
    return false;
}
} // namespace

XmlRead ReadXmlFile(const std::string& path, TiXmlDocument& document)
{
    std::vector<char> bytes;
    const XmlRead whole = ReadWholeFile(path, bytes);
    if (whole != XmlRead::kRead)
        return whole;
    NormaliseLineEnds(bytes);
    if (HasMoreElementsThan(bytes, kMaxXmlElements))
        return XmlRead::kTooManyElements;
    const XmlNesting nesting = MeasureXmlNesting(bytes.data(), kMaxNestingDepth);
    if (nesting.depth > kMaxNestingDepth)
        return XmlRead::kTooDeep;
    if (nesting.parserFails)
        return XmlRead::kNotXml;
    try {
        document.Parse(bytes.data(), nullptr, TIXML_DEFAULT_ENCODING);
    } catch (const std::bad_alloc&) {
        document.Clear();
        return XmlRead::kTooLarge;
    }
    return document.Error() ? XmlRead::kNotXml : XmlRead::kRead;
}

bool LoadXmlFile(const std::string& path, TiXmlDocument& document)
{
    return ReadXmlFile(path, document) == XmlRead::kRead;
}

std::string XmlText(const TiXmlDocument& document)
{
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}
