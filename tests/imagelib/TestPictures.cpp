// Picture helpers of the image library's tests: patterns, reductions,
// rasters, comparisons and file access.
#include "TestPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "imagelib/ByteSource.h"
#include "imagelib/ImageFile.h"

namespace imgtest {

void SetPixel(Picture& p, int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
    uint8_t* q = p.At(x, y);
    q[0] = b;
    q[1] = g;
    q[2] = r;
    q[3] = a;
}

Picture Blank(int32_t w, int32_t h, bool alpha) {
    Picture p;
    p.width = w;
    p.height = h;
    p.hasAlpha = alpha;
    p.bgra.assign(static_cast<size_t>(w) * h * 4, 255);
    return p;
}

Picture Pattern(int32_t width, int32_t height, bool alpha, uint32_t seed) {
    Picture p = Blank(width, height, alpha);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint32_t v = (static_cast<uint32_t>(x) * 7919u + static_cast<uint32_t>(y) * 104729u + seed * 31u);
            SetPixel(p, x, y, static_cast<uint8_t>(x * 255 / std::max(1, width - 1)),
                     static_cast<uint8_t>(y * 255 / std::max(1, height - 1)), static_cast<uint8_t>(v >> 3),
                     alpha ? static_cast<uint8_t>((x + y) * 13 + seed) : 255);
        }
    }
    return p;
}

IndexedPicture IndexedPattern(int32_t width, int32_t height, int32_t colours) {
    IndexedPicture ip;
    ip.picture = Blank(width, height, false);
    for (int32_t i = 0; i < colours; ++i) {
        ip.palette.push_back((static_cast<uint32_t>(i * 97 + 13) & 0xFF) << 16 |
                             (static_cast<uint32_t>(i * 53 + 200) & 0xFF) << 8 | (static_cast<uint32_t>(i * 29) & 0xFF));
    }
    ip.indices.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            // Runs of equal indices, so the run-length forms have runs to find.
            uint8_t index = static_cast<uint8_t>(((x / 3) + y * 5) % colours);
            ip.indices[static_cast<size_t>(y) * width + x] = index;
            uint32_t rgb = ip.palette[index];
            SetPixel(ip.picture, x, y, static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8),
                     static_cast<uint8_t>(rgb >> 16), 255);
        }
    }
    return ip;
}

Picture Reduce(const Picture& p, int32_t r) {
    Picture out = Blank(img::ReducedSide(p.width, r), img::ReducedSide(p.height, r), p.hasAlpha);
    for (int32_t oy = 0; oy < out.height; ++oy) {
        for (int32_t ox = 0; ox < out.width; ++ox) {
            uint32_t sum[4] = {0, 0, 0, 0};
            uint32_t n = 0;
            for (int32_t y = oy * r; y < std::min(p.height, oy * r + r); ++y) {
                for (int32_t x = ox * r; x < std::min(p.width, ox * r + r); ++x) {
                    for (int c = 0; c < 4; ++c) sum[c] += p.At(x, y)[c];
                    ++n;
                }
            }
            for (int c = 0; c < 4; ++c) out.At(ox, oy)[c] = static_cast<uint8_t>((sum[c] + n / 2) / n);
        }
    }
    return out;
}

img::Raster RasterOf(Picture& p) {
    img::Raster r;
    r.width = p.width;
    r.height = p.height;
    r.channels = 4;
    r.top = p.bgra.data();
    r.step = static_cast<ptrdiff_t>(p.width) * 4;
    return r;
}

img::OwnedRaster ToRaster(const Picture& p, int32_t channels) {
    img::OwnedRaster r(p.width, p.height, channels);
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x) std::memcpy(r.View().Row(y) + x * channels, p.At(x, y), channels);
    return r;
}

bool DecodeBytes(const Bytes& bytes, int32_t reduction, int32_t channels, Picture& out, img::ImageInfo* infoOut) {
    img::MemorySource source(bytes);
    img::ImageInfo info;
    auto decoder = img::OpenDecoder(source, info);
    if (!decoder) return false;
    if (infoOut) *infoOut = info;
    img::OwnedRaster raster(img::ReducedSide(info.width, reduction), img::ReducedSide(info.height, reduction),
                            channels);
    if (!decoder->Decode(raster.View(), reduction)) return false;
    out = Blank(raster.View().width, raster.View().height, info.hasAlpha);
    for (int32_t y = 0; y < out.height; ++y) {
        const uint8_t* row = raster.View().Row(y);
        for (int32_t x = 0; x < out.width; ++x) {
            const uint8_t* s = row + x * channels;
            SetPixel(out, x, y, s[0], s[1], s[2], channels == 4 ? s[3] : 255);
        }
    }
    return true;
}

int MaxDifference(const Picture& a, const Picture& b, bool compareAlpha) {
    if (a.width != b.width || a.height != b.height) return 1000;
    int worst = 0;
    for (size_t i = 0; i < a.bgra.size(); ++i) {
        if (i % 4 == 3 && !compareAlpha) continue;
        worst = std::max(worst, std::abs(int(a.bgra[i]) - int(b.bgra[i])));
    }
    return worst;
}

Bytes ReadFile(const std::string& path) {
    Bytes bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

double MeanDifference(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height) return 1000.0;
    double sum = 0;
    size_t n = 0;
    for (size_t i = 0; i < a.bgra.size(); ++i) {
        if (i % 4 == 3) continue;
        sum += std::abs(int(a.bgra[i]) - int(b.bgra[i]));
        ++n;
    }
    return n ? sum / n : 0.0;
}

}  // namespace imgtest
