#pragma once
// The arithmetic of a bitmap slider along its length, apart from any window so
// it can be checked alone: where a position's thumb centre lies and which
// position a pixel means.

struct SliderGeometry {
  int minimum = 0;
  int maximum = 100;
  int length = 0;       // the control's width
  int thumbLength = 0;  // the thumb's width
  int marginStart = 0;  // left margin
  int marginEnd = 0;    // right margin

  // The pixel of the thumb centre for a position.
  int PositionToPixel(int position) const;
  // The position a pixel of the thumb centre stands for.
  int PixelToPosition(int pixel) const;
  // The range of pixels the thumb centre can take.
  int FirstPixel() const { return marginStart + thumbLength / 2; }
  int LastPixel() const { return length - marginEnd - thumbLength / 2; }
  // A position brought into [minimum, maximum] (maximum first, as SetPos does).
  int ClampPosition(int position) const;
};
