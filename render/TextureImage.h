#pragma once
// Level 0 of a texture locked and seen as an image of the image library, so
// the image processing operations can write straight into texture memory.
#include <d3d9.h>

#include "imagelib/ImgBitmap.h"
#include "render/TextureLock.h"

class TextureImage {
public:
    // width x height must be the texture's own size (A8R8G8B8).
    TextureImage(IDirect3DTexture9* texture, int width, int height);
    TextureImage(const TextureImage&) = delete;
    TextureImage& operator=(const TextureImage&) = delete;

    bool IsValid() const { return m_valid; }
    int Width() const { return m_image.GetWidth(); }
    int Height() const { return m_height; }
    CImgBitmap& Image() { return m_image; }
    IplImage* Header() { return m_image.GetIplImage(); }
    // Transparent black everywhere.
    void Clear();

private:
    TextureLock m_lock;  // outlives the image that points into it
    CImgBitmap m_image;
    int m_height;
    bool m_valid = false;
};

// Runs an operation with a four-channel image's alpha treated as an ordinary
// channel, and marks it as alpha again afterwards.
class AlphaAsColour {
public:
    explicit AlphaAsColour(IplImage* image) : m_image(image), m_alpha(image ? image->alphaChannel : 0)
    {
        if (m_image)
            m_image->alphaChannel = 0;
    }
    ~AlphaAsColour()
    {
        if (m_image)
            m_image->alphaChannel = m_alpha;
    }
    AlphaAsColour(const AlphaAsColour&) = delete;
    AlphaAsColour& operator=(const AlphaAsColour&) = delete;

private:
    IplImage* m_image;
    int32_t m_alpha;
};
