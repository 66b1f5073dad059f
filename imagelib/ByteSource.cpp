#include "imagelib/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace img {

namespace {

bool SeekTo(std::FILE* file, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<int64_t>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int64_t TellEnd(std::FILE* file) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) return -1;
    return _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0) return -1;
    return ftello(file);
#endif
}

}  // namespace

size_t MemorySource::ReadAt(uint64_t offset, void* dst, size_t n) {
    if (n == 0 || offset >= size_) return 0;  // dst may be null for an empty read
    size_t count = static_cast<size_t>(std::min<uint64_t>(n, size_ - offset));
    std::memcpy(dst, data_ + offset, count);
    return count;
}

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

bool FileSource::Open(const std::string& path) {
    if (file_) std::fclose(file_);
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return false;
    int64_t end = TellEnd(file_);
    if (end < 0 || !SeekTo(file_, 0)) {
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    size_ = static_cast<uint64_t>(end);
    position_ = 0;
    return true;
}

size_t FileSource::ReadAt(uint64_t offset, void* dst, size_t n) {
    if (n == 0 || !file_ || offset >= size_) return 0;
    if (offset != position_) {
        if (!SeekTo(file_, offset)) return 0;
        position_ = offset;
    }
    size_t count = std::fread(dst, 1, static_cast<size_t>(std::min<uint64_t>(n, size_ - offset)), file_);
    position_ += count;
    return count;
}

size_t SubSource::ReadAt(uint64_t offset, void* dst, size_t n) {
    if (offset >= length_) return 0;
    size_t count = static_cast<size_t>(std::min<uint64_t>(n, length_ - offset));
    return base_.ReadAt(offset_ + offset, dst, count);
}

size_t OffsetSource::ReadAt(uint64_t offset, void* dst, size_t n) {
    if (offset < offset_) return 0;
    return MemorySource(bytes_).ReadAt(offset - offset_, dst, n);
}

bool Reader::Read(void* dst, size_t n) {
    auto* out = static_cast<uint8_t*>(dst);
    while (n > 0) {
        if (next_ == end_ && !Refill()) return false;
        size_t count = std::min(n, end_ - next_);
        std::memcpy(out, buffer_ + next_, count);
        next_ += count;
        out += count;
        n -= count;
    }
    return true;
}

bool Reader::Refill() {
    next_ = 0;
    end_ = source_.ReadAt(position_, buffer_, sizeof buffer_);
    position_ += end_;
    return end_ > 0;
}

}  // namespace img
