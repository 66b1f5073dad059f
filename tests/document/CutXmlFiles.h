#pragma once
// Files broken off inside a multi-byte character, as a copy interrupted in the
// middle leaves them, some with the line end an editor adds: every way the
// reader may take the text (byte by byte, or as UTF-8 once a byte-order mark
// or a declaration says so), cut in an element name, an attribute name, an
// attribute value, a text, or after the whole document. Each reader must
// refuse such a file as it refuses any broken one, or read it, and come back;
// the table runs on a thread of its own, so a reader that loops fails the
// test instead of hanging it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/services/Win32Handle.h"

namespace cut_xml_test {

struct CutFile {
    std::string name; // how it was cut, for the failure messages
    std::string text;
    bool whole;       // cut only after the document's root: it reads
};

// open is the start of a file of the kind up to inside its root element,
// close what ends it.
inline std::vector<CutFile> CutFiles(const std::string& open, const std::string& close)
{
    const std::pair<const char*, std::string> starts[] = {
        { "no mark", "" },
        { "a byte-order mark", "\xEF\xBB\xBF" },
        { "a declaration", "<?xml version=\"1.0\"?>\r\n" },
        { "a mark and a declaration", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>" },
    };
    const std::pair<const char*, std::string> places[] = {
        { "an element name", open + "<nom" },
        { "an attribute name", open + "<x v" },
        { "an attribute value", open + "<x v=\"Citt" },
        { "a text", open + "Citt" },
        { "after the root", open + close },
    };
    // Lead bytes of two-, three- and four-byte characters, cut after one or
    // two bytes; 0xEF also leads a byte-order mark.
    const char* const cuts[] = { "\xC3", "\xE2\x82", "\xEF", "\xEF\xBC", "\xF0\x9F" };
    std::vector<CutFile> files;
    for (const auto& start : starts) {
        for (const auto& place : places) {
            const bool whole = &place == &places[4];
            for (const char* cut : cuts) {
                std::string hex;
                for (const char* c = cut; *c; ++c) {
                    char byte[4];
                    std::snprintf(byte, sizeof byte, " %02X", static_cast<unsigned char>(*c));
                    hex += byte;
                }
                for (const char* end : { "", "\r\n" }) {
                    files.push_back({ std::string("with ") + start.first + ", cut in " + place.first +
                                          " after" + hex + (*end ? " and a line end" : ""),
                        start.second + place.second + cut + end, whole });
                }
            }
        }
    }
    return files;
}

namespace detail {
struct Reading {
    const std::vector<CutFile>* files;
    const std::function<void(const CutFile&)>* read;
    std::atomic<size_t> done{ 0 };
};

inline DWORD WINAPI ReadAll(void* parameter)
{
    auto& reading = *static_cast<Reading*>(parameter);
    for (const CutFile& file : *reading.files) {
        try {
            (*reading.read)(file);
        } catch (...) {
            ADD_FAILURE() << file.name << ": an exception left the reader";
        }
        ++reading.done;
    }
    return 0;
}
} // namespace detail

// Hands every file to read on a thread of its own. A file read takes
// milliseconds; one the reader has not come back from after twenty seconds it
// would never come back from: the table stops there with a failure, and false
// tells the caller to read no more.
inline bool ReadEachWithWatchdog(const std::vector<CutFile>& files,
    const std::function<void(const CutFile&)>& read)
{
    constexpr DWORD kNoProgressLimit = 20000;
    // Left to a reader that never comes back, which may still touch it.
    auto owned = std::make_unique<detail::Reading>();
    detail::Reading& reading = *owned;
    reading.files = &files;
    reading.read = &read;
    CScopedHandle thread(::CreateThread(nullptr, 0, detail::ReadAll, &reading, 0, nullptr));
    if (!thread.IsValid()) {
        ADD_FAILURE() << "no thread to read on";
        return false;
    }
    size_t seen = 0;
    while (::WaitForSingleObject(thread.Get(), kNoProgressLimit) == WAIT_TIMEOUT) {
        const size_t done = reading.done;
        if (done == seen) {
            ADD_FAILURE() << files[done].name << ": the reader never came back";
            // Nothing else stops a loop; the thread holds no lock of ours.
            ::TerminateThread(thread.Get(), 1);
            owned.release();
            return false;
        }
        seen = done;
    }
    return true;
}

} // namespace cut_xml_test
