#pragma once
// One picture of a page drawn as a textured quad: a photo, frame, effect,
// library image, background or selection handle. The picture is cut into
// power-of-two tiles, recoloured on the processor when its colour settings
// change, optionally shaped by a mask (for the stencil passes, and for a
// cut-out photo its own transparency) and modulated by an effect texture. Tiles, masks and effects are shared through the
// picture cache with every quad that shows the same file at the same size and
// colours; a picture that cannot be read or has no memory left shows as a
// grey box with a cross and is noted for the user.
#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imagelib/ImgBitmap.h"
#include "framework/com_ref.h"
#include "render/MaskPath.h"
#include "render/PictureCache.h"
#include "render/Placement.h"
#include "render/QuadGeometry.h"
#include "render/TileLayout.h"

class CD3DObj;

// Drawing passes chosen by the page.
enum RenderPass : int {
    kPassNormal = 0,
    kPassWriteMask = 1,   // the shape into the stencil, no colour
    kPassInsideMask = 2,  // only where the stencil holds 1
    kPassClearMask = 3,   // draw and reset the stencil to 0
};

// Effect mirror modes; any other value mirrors nothing.
enum EffectMirror : int32_t {
    kMirrorHorizontal = 0,
    kMirrorVertical = 1,
    kMirrorBoth = -1,
    kMirrorNone = 2,
};

struct ColourSettings {
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float brightness = 1.0f;
    float contrast = 0.5f;
    float saturation = 1.0f;
    float alpha = 1.0f;
};

// The texture factor carrying a picture's transparency: alpha in the top byte.
DWORD TextureFactorForAlpha(float alpha);

// The effect's texture-coordinate transform: about the texture centre, rotate
// by the effect rotation, then mirror. Translation sits in the third row, where
// Direct3D reads it for two-component coordinates.
D3DXMATRIX EffectTextureMatrix(float rotationDegrees, int32_t mirror);

class CD3DImage : public Placement {
public:
    explicit CD3DImage(CD3DObj* owner);
    virtual ~CD3DImage();
    CD3DImage(const CD3DImage&) = delete;
    CD3DImage& operator=(const CD3DImage&) = delete;

    void LoadFromFile(const char* path, bool preview);
    // A picture whose file name was refused (a device name, a name Windows
    // would trim or one leaving its folder): never looked for, shown and
    // told as an unreadable picture under that name.
    void LoadRefused(const std::string& name);
    bool LoadFromResource(UINT bitmapId);
    bool CreatePlaceholder(int number, float aspect);
    void LoadEffect(const char* path, float rotationDegrees, int mirror);
    void SetEffectRotation(float degrees) { m_effectRotation = degrees; }
    void SetEffectMirror(int mode) { m_effectMirror = mode; }
    void RemoveEffect();
    // The mask beside the picture also cuts the picture itself when drawn (a
    // photo cut out of another keeps its shape there, a JPEG having no alpha);
    // otherwise it only shapes what the stencil passes clip (a frame's window).
    void SetMaskShapesPicture(bool shapes) { m_maskShapesPicture = shapes; }

    void SetColorAdjust(float red, float green, float blue, float brightness, float contrast,
                        float saturation, float alpha, bool apply);
    void SetAlpha(float alpha) { m_colour.alpha = alpha; }
    void ApplyColorAdjust();

    float GetSizeX() const { return m_width; }
    float GetSizeY() const { return m_height; }
    void SetHitScale(float factor) { m_hitScale = factor; }

    void Render(int pass);
    bool HitTest(float x, float y) const;
    bool IntersectsRect(float x1, float y1, float x2, float y2) const;
    void ReleaseResources();

    const ColourSettings& GetColourSettings() const { return m_colour; }
    const TileLayout& GetTileLayout() const { return m_layout; }
    bool HasTextures() const { return m_tiles && !m_tiles->textures.empty(); }
    bool HasMask() const { return static_cast<bool>(m_mask); }
    bool HasEffect() const { return static_cast<bool>(m_effect); }
    bool IsPlaceholder() const { return m_placeholder; }
    // The picture could not be read or had no memory: a grey box with a cross.
    bool HasFailed() const { return m_failed; }
    // Longest side the picture was decoded at; 0 full size or nothing loaded.
    int32_t GetLoadedSize() const { return m_size; }
    // The preview for the quad's size on its surface now (pan and zoom, its
    // scale, the picture's proportions as width / height).
    int32_t PreviewSizeOnScreen(float aspect) const;
    // The quad now covers more pixels than its preview has (it was loaded
    // for a thumbnail, or zoomed or scaled up since), and the file has more.
    bool NeedsSharperPreview() const;

private:
    // A readable origin is looked for; an unreadable one fails at once.
    void Load(const std::string& file, bool preview, bool readable);
    // The key of a picture of the origin, stamped if it is a file.
    PictureKey KeyFor(PictureRole role, const std::string& stampedOrigin, int32_t size) const;
    // The tiles of the origin at the size with the current colours, from the
    // cache or made now; false when it cannot be read or has no memory.
    bool AcquireTiles();
    std::unique_ptr<PictureTiles> MakeTiles(CImgBitmap& source);
    void AdoptTiles(SharedTiles tiles);
    // The grey box with a cross in the picture's proportions.
    void ShowFailure(const std::string& path, float aspect);
    float FileAspect() const;
    void ReleaseTextures();
    bool LoadMask(const std::string& path, const std::string& stampedPath);
    QuadShape Shape() const;

    // Drawing, one helper per step of a pass.
    void SetupTextureStages();
    void SetupEffectStage();
    void SetupShapeStage(DWORD stage);
    void DrawTiles();
    void DrawMaskShape();
    void RenderPlaceholderNumber();
    void DrawStrip();

    float m_effectRotation = 0.0f;
    int32_t m_effectMirror = kMirrorNone;
    CD3DObj* m_owner;
    ComRef<IDirect3DVertexBuffer9> m_vertices;
    SharedTiles m_tiles;
    SharedTiles m_effect;
    SharedTiles m_mask;
    bool m_maskShapesPicture = false;
    ComRef<ID3DXMesh> m_number;
    // Where the tiles come from: a file, "#<id>" for a bitmap resource, or
    // empty for the transparent picture; loaded tells whether it is set.
    std::string m_origin;
    PictureFileFacts m_file;  // what the origin's file told
    int32_t m_size = 0;
    // The preview holds the whole picture: no larger one exists.
    bool m_whole = false;
    bool m_loaded = false;
    bool m_failed = false;
    ColourSettings m_colour;
    float m_width = 0.0f;
    float m_height = 1.0f;
    bool m_placeholder = false;
    TileLayout m_layout;
    float m_hitScale = 1.0f;
};
