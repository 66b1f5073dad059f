#pragma once
// Small picture files written by the tests themselves.
#include <cstdint>
#include <functional>
#include <string>

struct Rgba {
    uint8_t r, g, b, a;
};

// A 24-bit BMP (no alpha).
void WriteBmp(const std::string& path, int width, int height, const std::function<Rgba(int x, int y)>& pixel);
// A 32-bit TGA with alpha, stored top row first.
void WriteTga(const std::string& path, int width, int height, const std::function<Rgba(int x, int y)>& pixel);
