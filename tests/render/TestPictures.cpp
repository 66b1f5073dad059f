#include "TestPictures.h"

#include <fstream>
#include <vector>

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

void WriteBmp(const std::string& path, int width, int height, const std::function<Rgba(int, int)>& pixel)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t dataSize = rowBytes * static_cast<uint32_t>(height);
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, 54 + dataSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, dataSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
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
