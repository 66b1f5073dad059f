// Files in every format the image library reads (BMP, PCX, TGA, PhotoCD),
// built byte by byte beside the pixels each should decode to.
#include "TestPictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imagelib/PhotoCdDecoder.h"

namespace imgtest {

namespace {

void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Set32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint8_t ExpandBits(uint32_t v, uint32_t max) { return static_cast<uint8_t>((v * 255 + max / 2) / max); }
uint8_t Expand5Tga(uint32_t v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); }

// ---- BMP ----

void BmpHeaders(Bytes& b, uint32_t infoSize, int32_t w, int32_t h, uint16_t bits, uint32_t compression,
                uint32_t colours) {
    b.push_back('B');
    b.push_back('M');
    Put32(b, 0);  // file size, set at the end
    Put32(b, 0);
    Put32(b, 0);  // pixel offset, set later
    if (infoSize == 12) {
        Put32(b, 12);
        Put16(b, static_cast<uint32_t>(w));
        Put16(b, static_cast<uint32_t>(h));
        Put16(b, 1);
        Put16(b, bits);
        return;
    }
    Put32(b, infoSize);
    Put32(b, static_cast<uint32_t>(w));
    Put32(b, static_cast<uint32_t>(h));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, compression);
    Put32(b, 0);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, colours);
    Put32(b, 0);
}

void EncodeRle8Row(Bytes& b, const uint8_t* idx, int32_t w) {
    int32_t x = 0;
    while (x < w) {
        int32_t run = 1;
        while (x + run < w && run < 255 && idx[x + run] == idx[x]) ++run;
        if (run >= 2) {
            b.push_back(static_cast<uint8_t>(run));
            b.push_back(idx[x]);
            x += run;
            continue;
        }
        // A literal stretch up to the next repeat.
        int32_t n = 1;
        while (x + n < w && n < 255 && !(x + n + 1 < w && idx[x + n] == idx[x + n + 1])) ++n;
        if (n < 3) {
            for (int32_t i = 0; i < n; ++i) {
                b.push_back(1);
                b.push_back(idx[x + i]);
            }
        } else {
            b.push_back(0);
            b.push_back(static_cast<uint8_t>(n));
            for (int32_t i = 0; i < n; ++i) b.push_back(idx[x + i]);
            if (n % 2) b.push_back(0);
        }
        x += n;
    }
    b.push_back(0);
    b.push_back(0);
}

void EncodeRle4Row(Bytes& b, const uint8_t* idx, int32_t w) {
    int32_t x = 0;
    while (x < w) {
        int32_t run = 1;
        while (x + run < w && run < 255 && idx[x + run] == idx[x]) ++run;
        if (run >= 2) {
            b.push_back(static_cast<uint8_t>(run));
            b.push_back(static_cast<uint8_t>(idx[x] << 4 | idx[x]));
            x += run;
            continue;
        }
        int32_t n = std::min<int32_t>(w - x, 3);
        if (n < 3) {
            for (int32_t i = 0; i < n; ++i) {
                b.push_back(1);
                b.push_back(static_cast<uint8_t>(idx[x + i] << 4));
            }
        } else {
            b.push_back(0);
            b.push_back(static_cast<uint8_t>(n));
            b.push_back(static_cast<uint8_t>(idx[x] << 4 | idx[x + 1]));
            b.push_back(static_cast<uint8_t>(idx[x + 2] << 4));
        }
        x += n;
    }
    b.push_back(0);
    b.push_back(0);
}

// ---- PCX ----

void PcxEncodeLine(Bytes& b, const std::vector<uint8_t>& line) {
    size_t i = 0;
    while (i < line.size()) {
        size_t run = 1;
        while (i + run < line.size() && run < 63 && line[i + run] == line[i]) ++run;
        if (run > 1 || line[i] >= 0xC0) {
            b.push_back(static_cast<uint8_t>(0xC0 | run));
        }
        b.push_back(line[i]);
        i += run;
    }
}

// ---- TGA ----

void TgaRleRow(Bytes& b, const Bytes& row, int bpp) {
    int32_t n = static_cast<int32_t>(row.size()) / bpp;
    int32_t x = 0;
    auto same = [&](int32_t a, int32_t c) { return std::memcmp(&row[a * bpp], &row[c * bpp], bpp) == 0; };
    while (x < n) {
        int32_t run = 1;
        while (x + run < n && run < 128 && same(x, x + run)) ++run;
        if (run >= 2) {
            b.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            b.insert(b.end(), &row[x * bpp], &row[x * bpp] + bpp);
            x += run;
            continue;
        }
        int32_t raw = 1;
        while (x + raw < n && raw < 128 && !(x + raw + 1 < n && same(x + raw, x + raw + 1))) ++raw;
        b.push_back(static_cast<uint8_t>(raw - 1));
        b.insert(b.end(), &row[x * bpp], &row[(x + raw) * bpp]);
        x += raw;
    }
}

}  // namespace

Bytes MakeIndexedBmp(int32_t w, int32_t h, uint16_t bits, uint32_t compression, const std::vector<uint32_t>& palette,
                     const Bytes& rows) {
    Bytes b;
    BmpHeaders(b, 40, w, h, bits, compression, static_cast<uint32_t>(palette.size()));
    for (uint32_t c : palette) Put32(b, c);
    Set32(b, 10, static_cast<uint32_t>(b.size()));
    b.insert(b.end(), rows.begin(), rows.end());
    Set32(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

Bytes MakeBmp(BmpKind kind, int32_t w, int32_t h, Picture& expected) {
    Bytes b;
    const bool palette = kind == BmpKind::Pal8 || kind == BmpKind::Pal4 || kind == BmpKind::Pal1 ||
                         kind == BmpKind::Rle8 || kind == BmpKind::Rle4;
    if (palette) {
        int32_t colours = kind == BmpKind::Pal1 ? 2 : (kind == BmpKind::Pal4 || kind == BmpKind::Rle4) ? 16 : 256;
        uint16_t bits = colours == 2 ? 1 : colours == 16 ? 4 : 8;
        uint32_t compression = kind == BmpKind::Rle8 ? 1 : kind == BmpKind::Rle4 ? 2 : 0;
        IndexedPicture ip = IndexedPattern(w, h, colours);
        expected = ip.picture;
        Bytes rows;
        for (int32_t y = h - 1; y >= 0; --y) {
            const uint8_t* idx = &ip.indices[static_cast<size_t>(y) * w];
            if (compression == 1) {
                EncodeRle8Row(rows, idx, w);
            } else if (compression == 2) {
                EncodeRle4Row(rows, idx, w);
            } else {
                size_t rowBytes = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
                Bytes row(rowBytes, 0);
                for (int32_t x = 0; x < w; ++x) {
                    int per = 8 / bits;
                    row[x / per] |= static_cast<uint8_t>(idx[x] << (8 - bits * (1 + x % per)));
                }
                rows.insert(rows.end(), row.begin(), row.end());
            }
        }
        if (compression) {
            rows.push_back(0);
            rows.push_back(1);
        }
        return MakeIndexedBmp(w, h, bits, compression, ip.palette, rows);
    }

    const bool alpha = kind == BmpKind::Alpha32V5;
    expected = Pattern(w, h, alpha);
    uint16_t bits = kind == BmpKind::Rgb32 || kind == BmpKind::Alpha32V5 ? 32
                    : kind == BmpKind::Bits565 || kind == BmpKind::Bits555 ? 16
                                                                             : 24;
    if (kind == BmpKind::Core24) {
        BmpHeaders(b, 12, w, h, 24, 0, 0);
    } else if (kind == BmpKind::Alpha32V5) {
        BmpHeaders(b, 124, w, h, 32, 3, 0);
        Put32(b, 0x00FF0000);
        Put32(b, 0x0000FF00);
        Put32(b, 0x000000FF);
        Put32(b, 0xFF000000);
        while (b.size() < 14 + 124) b.push_back(0);
    } else if (kind == BmpKind::Bits565) {
        BmpHeaders(b, 40, w, h, 16, 3, 0);
        Put32(b, 0xF800);
        Put32(b, 0x07E0);
        Put32(b, 0x001F);
    } else {
        BmpHeaders(b, 40, kind == BmpKind::TopDown24 ? w : w, kind == BmpKind::TopDown24 ? -h : h, bits, 0, 0);
    }
    Set32(b, 10, static_cast<uint32_t>(b.size()));
    size_t rowBytes = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    for (int32_t i = 0; i < h; ++i) {
        int32_t y = kind == BmpKind::TopDown24 ? i : h - 1 - i;
        Bytes row(rowBytes, 0);
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = expected.At(x, y);
            if (bits == 24) {
                std::memcpy(&row[x * 3], p, 3);
            } else if (bits == 32) {
                std::memcpy(&row[x * 4], p, 4);
                if (!alpha) {
                    row[x * 4 + 3] = 0;  // reserved byte of plain 32-bit pixels
                    p[3] = 255;
                }
            } else {
                uint32_t rb = p[2] >> 3, bb = p[0] >> 3;
                uint32_t g = kind == BmpKind::Bits565 ? p[1] >> 2u : p[1] >> 3u;
                uint32_t v = kind == BmpKind::Bits565 ? (rb << 11 | g << 5 | bb) : (rb << 10 | g << 5 | bb);
                row[x * 2] = static_cast<uint8_t>(v);
                row[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
                SetPixel(expected, x, y, ExpandBits(bb, 31), ExpandBits(g, kind == BmpKind::Bits565 ? 63 : 31),
                         ExpandBits(rb, 31), 255);
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    Set32(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

Bytes MakePcx(PcxKind kind, int32_t w, int32_t h, Picture& expected) {
    Bytes b(128, 0);
    int bits = kind == PcxKind::Mono || kind == PcxKind::Ega16 ? 1 : kind == PcxKind::Nibbles16 ? 4 : 8;
    int planes = kind == PcxKind::Planes24 ? 3 : kind == PcxKind::Planes32 ? 4 : kind == PcxKind::Ega16 ? 4 : 1;
    int bytesPerLine = (w * bits + 7) / 8;
    bytesPerLine += bytesPerLine % 2;
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = 1;
    b[3] = static_cast<uint8_t>(bits);
    b[8] = static_cast<uint8_t>(w - 1);
    b[9] = static_cast<uint8_t>((w - 1) >> 8);
    b[10] = static_cast<uint8_t>(h - 1);
    b[11] = static_cast<uint8_t>((h - 1) >> 8);
    b[65] = static_cast<uint8_t>(planes);
    b[66] = static_cast<uint8_t>(bytesPerLine);
    b[67] = static_cast<uint8_t>(bytesPerLine >> 8);
    b[68] = 1;
    IndexedPicture ip;
    if (kind == PcxKind::Planes24 || kind == PcxKind::Planes32) {
        expected = Pattern(w, h, kind == PcxKind::Planes32);
    } else {
        ip = IndexedPattern(w, h, kind == PcxKind::Mono ? 2 : kind == PcxKind::Pal8 ? 256 : 16);
        if (kind == PcxKind::Mono) {
            ip.palette = {0x000000, 0xFFFFFF};
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x) {
                    uint8_t v = ip.indices[static_cast<size_t>(y) * w + x] ? 255 : 0;
                    SetPixel(ip.picture, x, y, v, v, v, 255);
                }
        }
        if (kind == PcxKind::Ega16 || kind == PcxKind::Nibbles16) {
            for (int i = 0; i < 16; ++i) {
                b[16 + 3 * i] = static_cast<uint8_t>(ip.palette[i] >> 16);
                b[17 + 3 * i] = static_cast<uint8_t>(ip.palette[i] >> 8);
                b[18 + 3 * i] = static_cast<uint8_t>(ip.palette[i]);
            }
        }
        expected = ip.picture;
    }
    for (int32_t y = 0; y < h; ++y) {
        std::vector<uint8_t> line(static_cast<size_t>(bytesPerLine) * planes, 0);
        for (int32_t x = 0; x < w; ++x) {
            if (bits == 8 && planes >= 3) {
                const uint8_t* p = expected.At(x, y);
                line[x] = p[2];
                line[bytesPerLine + x] = p[1];
                line[2 * bytesPerLine + x] = p[0];
                if (planes == 4) line[3 * bytesPerLine + x] = p[3];
            } else if (bits == 8) {
                line[x] = ip.indices[static_cast<size_t>(y) * w + x];
            } else if (bits == 4) {
                line[x / 2] |= static_cast<uint8_t>(ip.indices[static_cast<size_t>(y) * w + x] << (x % 2 ? 0 : 4));
            } else {
                uint8_t index = ip.indices[static_cast<size_t>(y) * w + x];
                for (int p = 0; p < planes; ++p) {
                    if ((index >> p) & 1) line[p * bytesPerLine + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
                }
            }
        }
        PcxEncodeLine(b, line);
    }
    if (kind == PcxKind::Pal8) {
        b.push_back(12);
        for (uint32_t c : ip.palette) {
            b.push_back(static_cast<uint8_t>(c >> 16));
            b.push_back(static_cast<uint8_t>(c >> 8));
            b.push_back(static_cast<uint8_t>(c));
        }
    }
    return b;
}

Bytes MakeTga(const TgaKind& k, int32_t w, int32_t h, Picture& expected) {
    Bytes b;
    const bool mapped = k.type == 1 || k.type == 9;
    const bool grey = k.type == 3 || k.type == 11;
    const int alphaDepth = mapped ? k.mapBits : k.depth;  // where alpha would be stored
    const bool alphaOut = k.alphaBits && !k.footerNoAlpha && (alphaDepth == 32 || alphaDepth == 16);
    b.push_back(3);  // an id of three bytes
    b.push_back(mapped ? 1 : 0);
    b.push_back(static_cast<uint8_t>(k.type));
    Put16(b, 0);
    Put16(b, mapped ? 256 : 0);
    b.push_back(static_cast<uint8_t>(mapped ? k.mapBits : 0));
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, static_cast<uint32_t>(w));
    Put16(b, static_cast<uint32_t>(h));
    b.push_back(static_cast<uint8_t>(k.depth));
    b.push_back(static_cast<uint8_t>((k.alphaBits ? (alphaDepth == 16 ? 1 : 8) : 0) | (k.topDown ? 0x20 : 0) |
                                     (k.rightToLeft ? 0x10 : 0)));
    b.push_back('i');
    b.push_back('d');
    b.push_back('!');
    IndexedPicture ip;
    if (mapped) {
        ip = IndexedPattern(w, h, 256);
        std::vector<uint32_t> argb(256);  // the colour each entry decodes to
        for (size_t i = 0; i < 256; ++i) {
            uint32_t c = ip.palette[i];
            uint32_t a = static_cast<uint32_t>(i * 37 % 256);
            if (k.mapBits == 16) {
                uint32_t r = (c >> 19) & 31, g = (c >> 11) & 31, bl = (c >> 3) & 31, bit = a >= 128;
                Put16(b, bit << 15 | r << 10 | g << 5 | bl);
                argb[i] = (alphaOut ? (bit ? 255u : 0u) : 255u) << 24 | uint32_t{Expand5Tga(r)} << 16 |
                          uint32_t{Expand5Tga(g)} << 8 | Expand5Tga(bl);
            } else {
                b.push_back(static_cast<uint8_t>(c));
                b.push_back(static_cast<uint8_t>(c >> 8));
                b.push_back(static_cast<uint8_t>(c >> 16));
                if (k.mapBits == 32) b.push_back(static_cast<uint8_t>(a));
                argb[i] = (alphaOut ? a : 255u) << 24 | c;
            }
        }
        expected = ip.picture;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                uint32_t v = argb[ip.indices[static_cast<size_t>(y) * w + x]];
                SetPixel(expected, x, y, static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                         static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24));
            }
    } else {
        expected = Pattern(w, h, true);  // alpha kept below only where the file has it
    }
    const int bpp = (k.depth + 7) / 8;
    for (int32_t i = 0; i < h; ++i) {
        int32_t y = k.topDown ? i : h - 1 - i;
        Bytes row;
        for (int32_t j = 0; j < w; ++j) {
            int32_t x = k.rightToLeft ? w - 1 - j : j;
            uint8_t* p = expected.At(x, y);
            if (mapped) {
                row.push_back(ip.indices[static_cast<size_t>(y) * w + x]);
            } else if (grey) {
                row.push_back(p[1]);
                if (k.depth == 16) row.push_back(p[3]);
                SetPixel(expected, x, y, p[1], p[1], p[1], k.depth == 16 && alphaOut ? p[3] : 255);
            } else if (bpp == 2) {
                uint32_t r = p[2] >> 3, g = p[1] >> 3, bl = p[0] >> 3;
                uint32_t a = p[3] >= 128 ? 1 : 0;
                uint32_t v = a << 15 | r << 10 | g << 5 | bl;
                Put16(row, v);
                SetPixel(expected, x, y, Expand5Tga(bl), Expand5Tga(g), Expand5Tga(r),
                         alphaOut && k.depth == 16 ? (a ? 255 : 0) : 255);
            } else {
                row.insert(row.end(), p, p + bpp);
                if (!alphaOut) p[3] = 255;
            }
        }
        if (k.type >= 9) {
            TgaRleRow(b, row, bpp);
        } else {
            b.insert(b.end(), row.begin(), row.end());
        }
    }
    expected.hasAlpha = alphaOut;
    if (k.footerNoAlpha) {
        uint32_t extension = static_cast<uint32_t>(b.size());
        Bytes ext(495, 0);
        ext[0] = 0xEF;
        ext[1] = 0x01;  // extension size 495
        ext[494] = 0;   // no alpha
        b.insert(b.end(), ext.begin(), ext.end());
        Put32(b, extension);
        Put32(b, 0);
        const char signature[] = "TRUEVISION-XFILE.";
        b.insert(b.end(), signature, signature + sizeof signature);
    }
    return b;
}

Bytes MakePhotoCd(Picture& expected, int orientation) {
    using img::PhotoCdDecoder;
    Bytes b(PhotoCdDecoder::kMinimumSize, 0xFF);
    std::memcpy(&b[PhotoCdDecoder::kSignatureOffset], "PCD_IPI", 7);
    b[PhotoCdDecoder::kOrientationOffset] = static_cast<uint8_t>(0xF4 | orientation);  // high bits: other attributes
    // Luma constant over 8 x 8 blocks, so every stored level is the box
    // average of the base one.
    auto luma = [](int32_t x, int32_t y) { return static_cast<uint8_t>(20 + ((x / 8) * 7 + (y / 8) * 13) % 160); };
    const uint8_t c1 = 150, c2 = 140;
    const struct {
        uint64_t offset;
        int32_t factor;
    } levels[] = {{PhotoCdDecoder::kBaseOffset, 1}, {PhotoCdDecoder::kBase4Offset, 2}, {PhotoCdDecoder::kBase16Offset, 4}};
    for (const auto& level : levels) {
        int32_t w = 768 / level.factor, h = 512 / level.factor;
        size_t at = level.offset;
        for (int32_t y = 0; y < h; y += 2) {
            for (int32_t r = 0; r < 2; ++r)
                for (int32_t x = 0; x < w; ++x) b[at++] = luma(x * level.factor, (y + r) * level.factor);
            for (int32_t x = 0; x < w / 2; ++x) b[at++] = c1;
            for (int32_t x = 0; x < w / 2; ++x) b[at++] = c2;
        }
    }
    expected = Blank(768, 512, false);
    for (int32_t y = 0; y < 512; ++y) {
        for (int32_t x = 0; x < 768; ++x) {
            double l = 1.3584 * luma(x, y);
            double u = 2.2179 * (c1 - 156), v = 1.8215 * (c2 - 137);
            auto clamp = [](double d) { return static_cast<uint8_t>(std::clamp(std::lround(d), 0L, 255L)); };
            SetPixel(expected, x, y, clamp(l + u), clamp(l - 0.194 * u - 0.509 * v), clamp(l + v), 255);
        }
    }
    if (orientation != 0) {
        const bool quarter = orientation == 1 || orientation == 3;
        Picture turned = Blank(quarter ? 512 : 768, quarter ? 768 : 512, false);
        for (int32_t y = 0; y < 512; ++y)
            for (int32_t x = 0; x < 768; ++x) {
                // 1: a quarter turn counter-clockwise, 3: clockwise, 2: half a turn.
                int32_t tx = orientation == 1 ? y : orientation == 3 ? 511 - y : 767 - x;
                int32_t ty = orientation == 1 ? 767 - x : orientation == 3 ? x : 511 - y;
                std::memcpy(turned.At(tx, ty), expected.At(x, y), 4);
            }
        expected = turned;
    }
    return b;
}

}  // namespace imgtest
