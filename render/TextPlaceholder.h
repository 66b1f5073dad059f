#pragma once
// The box with a cross a text is drawn as when the texts' memory is full: a
// light box in the text's colour, its outline and diagonals in the colour
// itself, of about the proportions the text would take.
#include <windows.h>
#include <d3d9.h>

#include <string>
#include <vector>

// The box's width for a height of 1, from the measures of the font selected
// into `dc`: the widest line over the lines stacked 1.5 heights apart.
float PlaceholderWidth(HDC dc, const std::vector<std::string>& lines);

// Draws the box `width` wide and 1 high about the origin through the world
// transform already set.
void DrawTextPlaceholder(IDirect3DDevice9* device, float width, COLORREF colour);
