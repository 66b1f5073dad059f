#include "TestPictures.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "imagelib/ByteSink.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/Raster.h"

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}
}  // namespace

namespace {
// The file and info headers of a bottom-up BMP whose pixel data follows after
// `extra` bytes (bit-field masks).
std::vector<uint8_t> BmpHeaders(int width, int height, uint16_t bits, uint32_t compression, uint32_t extra,
                                uint32_t dataSize)
{
    const uint32_t offset = 54 + extra;
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, offset + dataSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, compression);
    Put32(out, dataSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    return out;
}
}  // namespace

void WriteBmp(const std::string& path, int width, int height, const std::function<Rgba(int, int)>& pixel)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<uint8_t> out = BmpHeaders(width, height, 24, 0, 0, rowBytes * static_cast<uint32_t>(height));
    for (int y = height - 1; y >= 0; --y) {
        uint32_t written = 0;
        for (int x = 0; x < width; ++x, written += 3) {
            const Rgba p = pixel(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        for (; written < rowBytes; ++written)
            out.push_back(0);
    }
    Save(path, out);
}

void WriteAlphaBmp(const std::string& path, int width, int height, const std::function<Rgba(int, int)>& pixel)
{
    // Bit fields with alpha: four masks follow the header.
    std::vector<uint8_t> out =
        BmpHeaders(width, height, 32, 6, 16, static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4);
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        Put32(out, mask);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    Save(path, out);
}

void WriteTga(const std::string& path, int width, int height, const std::function<Rgba(int, int)>& pixel)
{
    std::vector<uint8_t> out{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    out.push_back(32);
    out.push_back(0x28);  // 8 alpha bits, top row first
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    Save(path, out);
}

void WriteJpeg(const std::string& path, int width, int height, const std::function<Rgba(int, int)>& pixel)
{
    img::OwnedRaster picture(width, height, 3);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture.View().Row(y);
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            row[x * 3] = p.b;
            row[x * 3 + 1] = p.g;
            row[x * 3 + 2] = p.r;
        }
    }
    img::VectorSink jpeg;
    img::EncodeJpeg(picture.View(), img::JpegContent::Colour, 90, jpeg);
    Save(path, jpeg.bytes);
}

Rgba Speckled(int x, int y, unsigned seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return Rgba{static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8), static_cast<uint8_t>(h >> 16), 255};
}

void RewriteFirstHalf(const std::string& path, const std::string& from)
{
    std::ifstream in(from, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ifstream old(path, std::ios::binary | std::ios::ate);
    const auto half = static_cast<size_t>(old.tellg()) / 2;
    old.close();
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    out.write(bytes.data(), static_cast<std::streamsize>(std::min(half, bytes.size())));
}
