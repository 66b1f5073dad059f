#include "app/support/SurfaceFixture.h"

#include <cstdlib>

#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/DeviceFixture.h"
#include "render/TestPictures.h"

UINT TestPageStatic::TrackSelectionMenu(CSelectionMenu&, POINT) {
  ++selectionMenus;
  return nextChoice;
}

void TestPageStatic::TrackContextMenu(POINT) { ++contextMenus; }

void TestPageStatic::PresentFrame() {
  lastFrame = ReadRenderTarget(GetDevice());
  CSposalboPageStatic::PresentFrame();
}

void SurfaceTest::SetUp() {
  const char* cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
  CRect rect(0, 0, kWidth, kHeight);
  ::AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
  ASSERT_TRUE(host.CreateEx(0, cls, "surface", WS_POPUP, 0, 0, rect.Width(),
                            rect.Height(), nullptr, nullptr));
  ASSERT_TRUE(surface.Create(CRect(0, 0, kWidth, kHeight), &host));
  // The surface's own client area is the full 400 x 200 (its sunken edge lies outside).
  CRect window;
  surface.GetWindowRect(&window);
  CRect client;
  surface.GetClientRect(&client);
  surface.MoveWindow(0, 0, kWidth + window.Width() - client.Width(), kHeight + window.Height() - client.Height());
  host.MoveWindow(0, 0, kWidth + window.Width() - client.Width(), kHeight + window.Height() - client.Height());
  ASSERT_TRUE(surface.ResetDevice(kWidth, kHeight));
  frame.surface = &surface;
  frame.libraryFolder = sample.LibraryFolder();
  album = std::make_unique<CSposalboDoc>(sample.ProjectPath(), &surface);
  if (auto list = spab_imagelist::CMImageList::Load(album->GetFolder().c_str(), false))
    album->GetRoot()->SetImageList(std::move(list));
  album->GetRoot()->RecountImageRefs();
  frame.album = album.get();
  ASSERT_NE(Page(), nullptr);
}

void SurfaceTest::TearDown() {
  frame.album = nullptr;
  album.reset();
  surface.DestroyWindow();
  host.DestroyWindow();
}

POINT SurfaceTest::PixelOf(float pageX, float pageY) const {
  const float aspect = static_cast<float>(kWidth) / kHeight;
  const float vx = pageX * surface.GetZoomX() + surface.GetPanX();
  const float vy = pageY * surface.GetZoomY() + surface.GetPanY();
  return POINT{static_cast<LONG>((vx + aspect / 2) * kHeight), static_cast<LONG>((0.5f - vy) * kHeight)};
}

void SurfaceTest::MoveTo(POINT at) {
  surface.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
}

void SurfaceTest::Press(POINT at, UINT message) {
  surface.SendMessage(message, MK_LBUTTON, MAKELPARAM(at.x, at.y));
}

void SurfaceTest::Release(POINT at) {
  surface.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void SurfaceTest::Drag(POINT from, POINT to) {
  Press(from);
  MoveTo(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
  MoveTo(to);
  Release(to);
}

void SurfaceTest::Hold(std::initializer_list<int> keys) { frame.keys = keys; }

treeNode::CPaginaTreeNode* SurfaceTest::Page() const { return album ? album->GetCurrentPage() : nullptr; }

treeNode::CTreeNode* SurfaceTest::Object(size_t index) const {
  return index < Page()->GetChildCount() ? Page()->GetChild(index) : nullptr;
}

treeNode::CImgTreeNode* SurfaceTest::Picture(size_t index) const {
  return dynamic_cast<treeNode::CImgTreeNode*>(Object(index));
}

std::map<int, POINT> SurfaceTest::HandlePixels() {
  surface.Render();
  std::map<int, POINT> found;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const float vx = (x - kWidth / 2.0f) / kHeight, vy = 0.5f - static_cast<float>(y) / kHeight;
      const int code = Page()->HitTestHandles(vx, vy);
      if (code && !found.count(code)) found[code] = POINT{x, y};
    }
  return found;
}

unsigned SurfaceTest::PixelAfterRender(POINT at) {
  surface.Render();
  const Pixels& pixels = surface.lastFrame;
  if (at.x < 0 || at.y < 0 || at.x >= pixels.width || at.y >= pixels.height) return 0xFFFFFFFF;
  return pixels.Rgb(at.x, at.y);
}

void SurfaceTest::ScreenshotOnDemand() {
  const char* target = std::getenv("SPAB_SCREENSHOT");
  if (!target || !*target) return;
  surface.Render();
  const Pixels& pixels = surface.lastFrame;
  WriteBmp(target, pixels.width, pixels.height, [&](int x, int y) {
    const uint32_t c = pixels.At(x, y);
    return Rgba{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255};
  });
}
