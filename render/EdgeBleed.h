#pragma once
// A linear filter mixes a picture's edge texels with their neighbours: with
// the black of fully transparent texels (inside a cut-out, or the unused part
// of a power-of-two tile) that draws a dark fringe around every edge once the
// picture is enlarged. These give those neighbours the picture's own colour.
#include <cstdint>

// BGRA texels, rows `pitch` bytes apart. The picture fills the top-left
// width x height of a tileWidth x tileHeight texture:
// - a fully transparent texel beside visible ones takes their mean colour and
//   stays transparent, so a cut-out's edge fades in its own colour;
// - the unused columns and rows repeat the picture's last ones, so the
//   picture's outer edge ends as sharply as it begins, and the texture's
//   smaller levels, which mix the edge with what lies beyond, keep its colour.
void BleedEdgeColours(uint8_t* texels, int pitch, int width, int height, int tileWidth,
                      int tileHeight);
