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
// A 32-bit BMP whose fourth byte is alpha (masks after the header).
void WriteAlphaBmp(const std::string& path, int width, int height, const std::function<Rgba(int x, int y)>& pixel);
// A 32-bit TGA with alpha, stored top row first.
void WriteTga(const std::string& path, int width, int height, const std::function<Rgba(int x, int y)>& pixel);
// A JPEG of quality 90, as the program writes its working copies.
void WriteJpeg(const std::string& path, int width, int height, const std::function<Rgba(int x, int y)>& pixel);
// Colours that change from pixel to pixel, different for each seed: a JPEG of
// them has entropy data all through.
Rgba Speckled(int x, int y, unsigned seed);
// The first half of the file rewritten in place with the first bytes of
// another, as by a program writing a new picture over it, caught half way:
// the file keeps its length, and a decoder finds the new data running into
// the old.
void RewriteFirstHalf(const std::string& path, const std::string& from);
