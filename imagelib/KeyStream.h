// The byte stream XORed over the JPEG data of the protected JPEG format: a
// linear congruential generator, whose top byte is the key byte. Not
// cryptography: it only keeps ordinary viewers from showing the picture.
#ifndef SPAB_IMAGELIB_KEYSTREAM_H
#define SPAB_IMAGELIB_KEYSTREAM_H

#include <cstddef>
#include <cstdint>

namespace img {

class KeyStream {
public:
    explicit KeyStream(uint32_t seed) : state_(seed) {}
    uint8_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<uint8_t>(state_ >> 24);
    }
    void Apply(uint8_t* data, size_t n) {
        for (size_t i = 0; i < n; ++i) data[i] ^= Next();
    }

private:
    uint32_t state_;
};

}  // namespace img

#endif
