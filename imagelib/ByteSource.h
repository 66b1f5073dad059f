// Random-access byte input for the decoders. Files are read in pieces, never
// whole: a picture of 16384 pixels a side does not fit in a 32-bit process.
#ifndef SPAB_IMAGELIB_BYTESOURCE_H
#define SPAB_IMAGELIB_BYTESOURCE_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace img {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Bytes the decoders may see (for a file with a thumbnail trailer: the
    // original picture only).
    virtual uint64_t Size() const = 0;
    // Copies up to n bytes from offset; answers how many were copied.
    virtual size_t ReadAt(uint64_t offset, void* dst, size_t n) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit MemorySource(const std::vector<uint8_t>& bytes) : MemorySource(bytes.data(), bytes.size()) {}
    uint64_t Size() const override { return size_; }
    size_t ReadAt(uint64_t offset, void* dst, size_t n) override;

private:
    const uint8_t* data_;
    size_t size_;
};

// Owns a FILE* opened for reading.
class FileSource : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    uint64_t Size() const override { return size_; }
    size_t ReadAt(uint64_t offset, void* dst, size_t n) override;

private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
};

// The first `length` bytes of `offset` onwards of another source.
class SubSource : public ByteSource {
public:
    SubSource(ByteSource& base, uint64_t offset, uint64_t length)
        : base_(base), offset_(offset), length_(length) {}
    uint64_t Size() const override { return length_; }
    size_t ReadAt(uint64_t offset, void* dst, size_t n) override;

private:
    ByteSource& base_;
    uint64_t offset_;
    uint64_t length_;
};

// Bytes held in memory that stand at `offset` of a larger file whose first
// part is elsewhere; reads below the offset find nothing.
class OffsetSource : public ByteSource {
public:
    OffsetSource(const std::vector<uint8_t>& bytes, uint64_t offset) : bytes_(bytes), offset_(offset) {}
    uint64_t Size() const override { return offset_ + bytes_.size(); }
    size_t ReadAt(uint64_t offset, void* dst, size_t n) override;

private:
    const std::vector<uint8_t>& bytes_;
    uint64_t offset_;
};

// Sequential buffered reading over a source, for byte-wise decoders.
class Reader {
public:
    explicit Reader(ByteSource& source, uint64_t position = 0) : source_(source), position_(position) {}

    uint64_t Position() const { return position_ - (end_ - next_); }
    uint64_t Remaining() const {
        uint64_t p = Position();
        return p < source_.Size() ? source_.Size() - p : 0;
    }
    void Seek(uint64_t position) {
        position_ = position;
        next_ = end_ = 0;
    }
    // The next byte, or -1 at the end of the source.
    int Byte() {
        if (next_ == end_ && !Refill()) return -1;
        return buffer_[next_++];
    }
    // All n bytes or false.
    bool Read(void* dst, size_t n);
    bool Skip(uint64_t n) {
        if (n > Remaining()) return false;
        Seek(Position() + n);
        return true;
    }

private:
    bool Refill();

    ByteSource& source_;
    uint64_t position_;  // source offset just past the buffered bytes
    size_t next_ = 0;
    size_t end_ = 0;
    uint8_t buffer_[65536];
};

inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t Le64(const uint8_t* p) {
    return static_cast<uint64_t>(Le32(p)) | (static_cast<uint64_t>(Le32(p + 4)) << 32);
}

}  // namespace img

#endif
