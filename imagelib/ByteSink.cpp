#include "imagelib/ByteSink.h"

#ifdef _WIN32
#include <share.h>
#else
#include <sys/file.h>
#endif

namespace img {

bool VectorSink::Write(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + n);
    return true;
}

FileSink::~FileSink() { Close(); }

bool FileSink::Open(const std::string& path, bool append) {
    Close();
    failed_ = false;
    if (!append) {
        file_ = std::fopen(path.c_str(), "wb");
        return file_ != nullptr;
    }
    // An appender keeps other writers out until it closes, so a length it
    // checked after opening still holds when its bytes go in.
#ifdef _WIN32
    file_ = _fsopen(path.c_str(), "ab", _SH_DENYWR);
#else
    file_ = std::fopen(path.c_str(), "ab");
    if (file_ && flock(fileno(file_), LOCK_EX | LOCK_NB) != 0) {
        std::fclose(file_);
        file_ = nullptr;
    }
#endif
    return file_ != nullptr;
}

bool FileSink::Write(const void* data, size_t n) {
    if (!file_ || failed_) return false;
    if (std::fwrite(data, 1, n, file_) != n) failed_ = true;
    return !failed_;
}

int64_t FileSink::Length() {
    if (!file_) return -1;
#ifdef _WIN32
    if (_fseeki64(file_, 0, SEEK_END) != 0) return -1;
    return _ftelli64(file_);
#else
    if (fseeko(file_, 0, SEEK_END) != 0) return -1;
    return ftello(file_);
#endif
}

bool FileSink::Close() {
    if (!file_) return false;
    bool ok = !failed_ && std::fflush(file_) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    return ok;
}

bool ScramblingSink::Write(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    scratch_.assign(p, p + n);
    key_.Apply(scratch_.data(), n);
    return inner_.Write(scratch_.data(), n);
}

}  // namespace img
