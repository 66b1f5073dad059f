// Byte output for the encoders: memory (thumbnail trailers), files, and a
// scrambling filter for the protected JPEG format.
#ifndef SPAB_IMAGELIB_BYTESINK_H
#define SPAB_IMAGELIB_BYTESINK_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "imagelib/KeyStream.h"

namespace img {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const void* data, size_t n) = 0;
};

class VectorSink : public ByteSink {
public:
    bool Write(const void* data, size_t n) override;
    std::vector<uint8_t> bytes;
};

// Owns a FILE* opened for writing ("wb") or appending ("ab"). An appending
// sink holds the file against other writers until it is closed.
class FileSink : public ByteSink {
public:
    FileSink() = default;
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool Open(const std::string& path, bool append);
    bool Write(const void* data, size_t n) override;
    // The file's current length; -1 when unknown.
    int64_t Length();
    // Flushes and closes; false when anything written did not reach the file.
    bool Close();

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// XORs everything with a key stream before passing it on.
class ScramblingSink : public ByteSink {
public:
    ScramblingSink(ByteSink& inner, uint32_t seed) : inner_(inner), key_(seed) {}
    bool Write(const void* data, size_t n) override;

private:
    ByteSink& inner_;
    KeyStream key_;
    std::vector<uint8_t> scratch_;
};

}  // namespace img

#endif
