#pragma once
// The seven colour adjustment values every picture-like node carries; the
// colour dialog edits them and the picture quads apply them.

class CImgColor {
public:
    CImgColor();
    virtual ~CImgColor() = default;
    CImgColor(const CImgColor&) = default;
    CImgColor& operator=(const CImgColor&) = default;

    // Back to the values that leave a picture unchanged.
    void Reset();
    // Folds another set into this one, so a container's change can be laid
    // over each child's own settings.
    void Multiply(const CImgColor& other);

    float red;
    float green;
    float blue;
    float brightness;
    float contrast;
    float saturation;
    float alpha;
};
