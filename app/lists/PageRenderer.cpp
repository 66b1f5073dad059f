#include "app/lists/PageRenderer.h"

#include <d3dx9.h>

#include "document/pages/PaginaTreeNode.h"
#include "framework/com_ref.h"
#include "render/D3DObj.h"
#include "render/PictureCache.h"

namespace {
// Pan, zoom, projection and pixel scale of a view put back however the drawing ends.
class SavedView {
 public:
  explicit SavedView(CD3DObj& view)
      : m_view(view), m_panX(view.GetPanX()), m_panY(view.GetPanY()), m_zoomX(view.GetZoomX()),
        m_zoomY(view.GetZoomY()), m_projection(view.GetProjectionTransform()),
        m_pixelsPerUnit(view.GetPixelsPerUnit()) {
    // Pictures are previewed for the thumbnail's size; those already loaded
    // for the page on screen are drawn as they are.
    m_view.SetPixelsPerUnit(static_cast<float>(kPageThumbHeight));
    // The base's setters: the page surface's own would move the rulers.
    m_view.CD3DObj::SetPan(0.0f, 0.0f);
    m_view.CD3DObj::SetZoom(0.9f, 0.9f);
  }
  ~SavedView() {
    m_view.CD3DObj::SetPan(m_panX, m_panY);
    m_view.CD3DObj::SetZoom(m_zoomX, m_zoomY);
    m_view.SetProjection(m_projection);
    m_view.SetPixelsPerUnit(m_pixelsPerUnit);
  }
  SavedView(const SavedView&) = delete;
  SavedView& operator=(const SavedView&) = delete;

 private:
  CD3DObj& m_view;
  float m_panX, m_panY, m_zoomX, m_zoomY;
  D3DXMATRIX m_projection;
  float m_pixelsPerUnit;
};
}  // namespace

bool RenderPageOffscreen(CD3DObj& view, treeNode::CPaginaTreeNode& page, std::vector<uint32_t>& pixels) {
  IDirect3DDevice9* device = view.GetDevice();
  if (!device || !view.IsDeviceReady()) return false;
  ComRef<IDirect3DTexture9> texture;
  ComRef<IDirect3DSurface9> target;
  ComRef<ID3DXRenderToSurface> renderer;
  if (FAILED(device->CreateTexture(kPageThumbWidth, kPageThumbHeight, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                   D3DPOOL_DEFAULT, texture.Out(), nullptr)) ||
      FAILED(texture->GetSurfaceLevel(0, target.Out())) ||
      FAILED(D3DXCreateRenderToSurface(device, kPageThumbWidth, kPageThumbHeight, D3DFMT_A8R8G8B8, TRUE,
                                       D3DFMT_D24S8, renderer.Out())))
    return false;
  {
    SavedView saved(view);
    D3DXMATRIX projection;
    D3DXMatrixOrthoLH(&projection, 2.0f, 1.0f, -1.0f, 1.0f);
    // The view's own, since the page's outline is drawn through the view's transforms.
    view.SetProjection(projection);
    if (FAILED(renderer->BeginScene(target.Get(), nullptr))) return false;
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFFDCDCDC, 1.0f, 0);
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    // A thumbnail shows the page as it will be printed, without selection.
    PictureFileLook look;
    page.RenderAsPrinted(0);
    renderer->EndScene(D3DX_FILTER_NONE);
  }
  ComRef<IDirect3DSurface9> copy;
  if (FAILED(device->CreateOffscreenPlainSurface(kPageThumbWidth, kPageThumbHeight, D3DFMT_A8R8G8B8,
                                                 D3DPOOL_SYSTEMMEM, copy.Out(), nullptr)) ||
      FAILED(device->GetRenderTargetData(target.Get(), copy.Get())))
    return false;
  D3DLOCKED_RECT locked{};
  if (FAILED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) return false;
  pixels.assign(static_cast<size_t>(kPageThumbWidth) * kPageThumbHeight, 0);
  for (int y = 0; y < kPageThumbHeight; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch);
    for (int x = 0; x < kPageThumbWidth; ++x) pixels[static_cast<size_t>(y) * kPageThumbWidth + x] = row[x] & 0xFFFFFF;
  }
  copy->UnlockRect();
  return true;
}
