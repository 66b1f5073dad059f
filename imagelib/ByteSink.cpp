#include "imagelib/ByteSink.h"

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
    file_ = std::fopen(path.c_str(), append ? "ab" : "wb");
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
