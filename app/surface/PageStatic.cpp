#include "app/surface/PageStatic.h"

#include <cmath>

#include <algorithm>
#include <new>

#include "app/shell/EditorFrame.h"
#include "app/surface/FrameLog.h"
#include "app/surface/FrameSignature.h"
#include "app/surface/PictureFailureNotice.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "framework/com_ref.h"
#include "render/D3DSelection.h"
#include "render/PictureCache.h"

using surface_rules::Keys;
using surface_rules::ViewPoint;
using treeNode::CPaginaTreeNode;
using treeNode::CTreeNode;

IMPLEMENT_DYNAMIC(CSposalboPageStatic, CStatic)

BEGIN_MESSAGE_MAP(CSposalboPageStatic, CStatic)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_MENUSELECT()
  ON_WM_INITMENUPOPUP()
  ON_WM_MEASUREITEM()
  ON_WM_MENUCHAR()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
// Menu 134's first popup is the page's context menu.
constexpr UINT kContextMenuResource = 134;

bool AnySelected(const treeNode::NodeList& nodes) {
  return std::any_of(nodes.begin(), nodes.end(), [](CTreeNode* n) { return n->IsSelected(); });
}

treeNode::CSposalboTreeNode* AlbumOf(CPaginaTreeNode* page) {
  return page ? dynamic_cast<treeNode::CSposalboTreeNode*>(page->GetParent()) : nullptr;
}

treeNode::CSposalboTreeNode* AlbumRoot(IEditorFrame* frame) {
  CSposalboDoc* album = frame->GetAlbum();
  return album ? album->GetRoot() : nullptr;
}
}  // namespace

CSposalboPageStatic::CSposalboPageStatic() : m_contextMenu(kContextMenuResource) {}

CSposalboPageStatic::~CSposalboPageStatic() {
  // The window goes before the device it draws on.
  DestroyWindow();
}

BOOL CSposalboPageStatic::Create(const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

BOOL CSposalboPageStatic::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  cs.style &= ~WS_BORDER;
  return cs.lpszClass != nullptr;
}

int CSposalboPageStatic::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CStatic::OnCreate(lpCreateStruct) == -1) return -1;
  if (!GetDevice()) {
    CreateDevice(m_hWnd, false);
    CreateBandResources();
  }
  m_timerId = static_cast<int>(SetTimer(kRenderTimer, kRenderInterval));
  return 0;
}

void CSposalboPageStatic::OnDestroy() {
  if (m_timerId) KillTimer(kRenderTimer);
  m_timerId = 0;
  ReleaseMouse();
  CStatic::OnDestroy();
}

void CSposalboPageStatic::CreateBandResources() {
  if (!GetDevice()) return;
  if (!m_bandFrame) m_bandFrame = std::make_unique<CD3DSelection>(this);
  m_bandResourcesMade = m_bandFrame->CreateResources();
}

void CSposalboPageStatic::OnPaint() {
  // Drawing happens on the timer. What the window showed is put back at
  // once, though: frames copied into a child window are lost when the view
  // behind or a window over it paints there, and no tick draws a page that
  // did not change. A back buffer the device presented itself may have been
  // discarded: the next tick draws it again.
  ValidateRect(nullptr);
  if (GetDevice() && IsDeviceReady()) ShowBackBuffer();
  if (!CopiesFrames()) InvalidateFrame();
}

BOOL CSposalboPageStatic::OnEraseBkgnd(CDC*) { return TRUE; }

void CSposalboPageStatic::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kRenderTimer) {
    CStatic::OnTimer(nIDEvent);
    return;
  }
  UpdateCursor();
  const int drawn = m_framesDrawn;
  if (NeedsFrame()) Render();
  // Only a frame drawn changed anything: a tick that found the frame lost
  // with rendering paused (no album open) drew nothing either.
  m_lastTickQuiet = m_framesDrawn == drawn;
  // Pictures the page bar found unreadable while drawing other pages are
  // told with the page at rest too.
  TellPictureFailures();
}

void CSposalboPageStatic::TellPictureFailures() {
  const HWND owner = GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd;
  IEditorFrame* frame = GetEditorFrame();
  const CSposalboDoc* album = frame ? frame->GetAlbum() : nullptr;
  // A photo by the name the photo bar shows, beside its working copy's file.
  TellUntoldPictureFailures(owner, [album](const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const spab_imagelist::CMImg* photo = album ? album->GetRoot()->FindImage(file) : nullptr;
    if (!photo || photo->nome.empty() || photo->nome == file ||
        ::lstrcmpiA(path.c_str(), album->GetResourceFolder(0, true, file, false).c_str()) != 0)
      return file;
    return "\"" + photo->nome + "\" (" + file + ")";
  });
  TellUntoldTextPlaceholders(owner);
}

bool CSposalboPageStatic::NeedsFrame() {
  if (!GetDevice() || m_frameStale) return true;
  IEditorFrame* frame = GetEditorFrame();
  if (!frame || frame->IsRenderPaused()) return false;
  if (!IsDeviceReady() || !BackBufferFitsWindow()) return true;
  CPaginaTreeNode* page = frame->GetCurrentPage();
  if (page && page->NeedsRefresh()) return true;
  treeNode::CSposalboTreeNode* album = AlbumRoot(frame);
  if (album && album->HasPageListChanged()) return true;
  return ShownSignature() != m_drawnSignature;
}

uint64_t CSposalboPageStatic::ShownSignature() {
  FrameSignature shown;
  IEditorFrame* frame = GetEditorFrame();
  treeNode::CSposalboTreeNode* album = frame ? AlbumRoot(frame) : nullptr;
  shown.Add(album);
  if (album) {
    shown.Add(album->GetCurrentPageIndex());
    const int size[] = {album->GetPageWidth(), album->GetPageHeight()};
    shown.Add(size);
    shown.Add(album->UseLowResImages());
  }
  CPaginaTreeNode* page = frame ? frame->GetCurrentPage() : nullptr;
  shown.Add(page);
  if (page) shown.AddPage(*page);
  // What the objects show beyond their place and colours (words, fonts,
  // effects, masks) counts through the nodes' changes.
  shown.Add(treeNode::NodeChangeCount());
  const float view[] = {GetPanX(), GetPanY(), GetZoomX(), GetZoomY()};
  shown.Add(view);
  shown.Add(GetDevice());
  CRect client;
  GetClientRect(&client);
  CRect parentClient;
  POINT origin{0, 0};
  if (CWnd* parent = GetParent()) {
    parent->GetClientRect(&parentClient);
    ::MapWindowPoints(m_hWnd, parent->m_hWnd, &origin, 1);
  }
  const LONG layout[] = {client.Width(), client.Height(), parentClient.Width(), parentClient.Height(), origin.x,
                         origin.y};
  shown.Add(layout);
  shown.Add(m_bandVisible);
  if (m_bandVisible && m_bandFrame) shown.Add(m_bandFrame->GetWorldTransform());
  return shown.Value();
}

CPaginaTreeNode* CSposalboPageStatic::CurrentPage() const {
  IEditorFrame* frame = GetEditorFrame();
  return frame ? frame->GetCurrentPage() : nullptr;
}

Keys CSposalboPageStatic::HeldKeys() const {
  Keys keys;
  keys.ctrl = HostIsKeyDown(VK_CONTROL);
  keys.shift = HostIsKeyDown(VK_SHIFT);
  keys.alt = HostIsKeyDown(VK_MENU);
  keys.space = HostIsKeyDown(VK_SPACE);
  return keys;
}

bool CSposalboPageStatic::ToView(POINT client, ViewPoint& view) const {
  CRect rect;
  GetClientRect(&rect);
  return surface_rules::ClientToView(client, rect, view);
}

bool CSposalboPageStatic::ScreenToView(POINT screen, ViewPoint& view) const {
  if (!m_hWnd) return false;
  POINT client = screen;
  ScreenToClient(&client);
  return ToView(client, view);
}

bool CSposalboPageStatic::IsCursorOverWindow() const {
  POINT cursor;
  if (!::GetCursorPos(&cursor)) return false;
  return ::WindowFromPoint(cursor) == m_hWnd;
}

int CSposalboPageStatic::Render() {
  if (!GetDevice()) {
    CreateDevice(m_hWnd, false);
    CreateBandResources();
  }
  IEditorFrame* frame = GetEditorFrame();
  if (!frame || frame->IsRenderPaused()) return 0;
  CPaginaTreeNode* page = frame->GetCurrentPage();
  if (page && page->GetWidth() != m_lastAspect) {
    frame->LayoutPageStatic();
    m_lastAspect = page->GetWidth();
  }
  // The view reshapes this window for the page without a reset of its own: a
  // back buffer of the old shape would be stretched onto the window, blurring
  // the page and losing thin lines such as the rubber band's sides.
  if (!IsDeviceReady() || !BackBufferFitsWindow()) {
    ResetDevice(0, 0);
    if (!IsDeviceReady()) return 0;
  }
  IDirect3DDevice9* device = GetDevice();
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFDCDCDC, 1.0f, 0);
  bool whole = false;
  if (SUCCEEDED(device->BeginScene())) {
    whole = true;
    device->SetFVF(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
    if (page) {
      NotifyViewChanged(0, 0, 0);
      // Drawing never takes the album down: what could not be drawn for lack
      // of memory is simply missing from this frame.
      try {
        PictureFileLook look;
        page->Render(0);
      } catch (const std::bad_alloc&) {
        whole = false;
        PictureCache::Instance().ReleaseUnused();
      }
      if (m_bandVisible && m_bandFrame) m_bandFrame->Render(false);
    }
    device->EndScene();
  }
  PresentFrame();
  ++m_framesDrawn;
  if (page)
    if (treeNode::CSposalboTreeNode* album = AlbumOf(page)) LogPageShown(album->GetCurrentPageIndex(), page);
  // What the page before alone used goes once this page has its pictures.
  PictureCache::Instance().ReleaseUnused();
  // The frame may have closed the album while drawing asked it things.
  page = frame->GetCurrentPage();
  RefreshLeftPageThumbnail(frame, page);
  if (page && page->NeedsRefresh()) {
    frame->UpdateCurrentPageThumbnail();
    page->SetNeedsRefresh(false);
  } else if (treeNode::CSposalboTreeNode* album = AlbumRoot(frame)) {
    // Also without a current page: cutting the first page leaves none, and
    // the page bar must still lose that page.
    if (album->HasPageListChanged()) {
      frame->NotifyPageList();
      album->ClearPageListChanged();
    }
  }
  // Taken last: drawing loads pictures and the thumbnail clears the page's
  // mark, and neither is a change the next tick must show. A frame that
  // failed half way shows less than the signature says: the next tick draws
  // it again.
  if (whole) m_drawnSignature = ShownSignature();
  m_frameStale = !whole;
  // Last, with the thumbnails drawn: the message box's own loop finds the
  // page at rest.
  TellPictureFailures();
  return 0;
}

bool CSposalboPageStatic::BackBufferFitsWindow() const {
  CRect client;
  GetClientRect(&client);
  if (client.Width() <= 0 || client.Height() <= 0) return true;
  ComRef<IDirect3DSurface9> back;
  if (FAILED(GetDevice()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, back.Out()))) return true;
  D3DSURFACE_DESC desc{};
  back->GetDesc(&desc);
  return desc.Width == static_cast<UINT>(client.Width()) && desc.Height == static_cast<UINT>(client.Height());
}

void CSposalboPageStatic::RefreshLeftPageThumbnail(IEditorFrame* frame, CPaginaTreeNode* shown) {
  // A page changed and left before a frame showed its change (a drop and at
  // once the next page) still owes the page bar its thumbnail. The page is
  // only touched while it still stands at its place in the album: a page cut
  // or moved meanwhile is the page list's business.
  CPaginaTreeNode* left = m_shownPage;
  const int leftIndex = m_shownIndex;
  treeNode::CSposalboTreeNode* album = AlbumRoot(frame);
  m_shownPage = shown;
  m_shownIndex = shown && album ? album->GetCurrentPageIndex() : -1;
  if (!left || left == shown || !album || album->GetPage(leftIndex) != left) return;
  if (!left->NeedsRefresh()) return;
  frame->UpdatePageThumbnail(leftIndex);
  left->SetNeedsRefresh(false);
}

void CSposalboPageStatic::PresentFrame() {
  ShowBackBuffer();
}

void CSposalboPageStatic::Pan(float dx, float dy) {
  CD3DObj::Pan(dx, dy);
}

void CSposalboPageStatic::SetPan(float x, float y) {
  CD3DObj::SetPan(x, y);
  NotifyViewChanged(1, 0, 0);
}

void CSposalboPageStatic::Zoom(float fx, float fy) {
  CD3DObj::Zoom(fx, fy);
}

void CSposalboPageStatic::SetZoom(float x, float y) {
  // A zoom that would flatten, mirror or lose the page is not taken.
  if (!surface_rules::IsUsableZoom(x) || !surface_rules::IsUsableZoom(y)) return;
  CD3DObj::SetZoom(x, y);
  NotifyViewChanged(2, 0, 0);
}

void CSposalboPageStatic::NotifyViewChanged(int reason, WPARAM wParam, LPARAM lParam) {
  IEditorFrame* frame = GetEditorFrame();
  CPaginaTreeNode* page = frame ? frame->GetCurrentPage() : nullptr;
  if (!page || !m_hWnd) return;
  treeNode::CSposalboTreeNode* album = AlbumOf(page);
  CRect client;
  GetClientRect(&client);
  CRect view = client;
  if (CWnd* parent = GetParent()) parent->GetClientRect(&view);
  RulerGeometry g;
  g.reason = reason;
  g.mouseW = wParam;
  g.mouseL = lParam;
  g.pageWidth = album ? album->GetPageWidth() : 0;
  g.pageHeight = album ? album->GetPageHeight() : 0;
  g.zoom = GetZoomX();
  g.pixelsPerUnit = surface_rules::PixelsPerUnit(client.Width(), client.Height(), static_cast<float>(g.pageWidth),
                                                 static_cast<float>(g.pageHeight));
  g.halfWidth = view.Width() / 2;
  g.halfHeight = view.Height() / 2;
  // The rulers count from the page's top-left corner: hand them that corner's
  // distance from the view's origin, in pixels, negated as an offset. The
  // corner is found in this surface's client area, where the device draws,
  // and lands on the nearest pixel, as the page's outline does.
  const float width = static_cast<float>(client.Width());
  const float height = static_cast<float>(client.Height());
  const float pageAspect = page->GetWidth();
  const float left = width / 2.0f + (GetPanX() - GetZoomX() * pageAspect / 2.0f) * height;
  const float top = height / 2.0f - (GetPanY() + GetZoomY() * 0.5f) * height;
  POINT origin{0, 0};
  if (CWnd* parent = GetParent()) ::MapWindowPoints(m_hWnd, parent->m_hWnd, &origin, 1);
  const auto pixel = [](float at) { return static_cast<int>(std::lround(std::max(-1e8f, std::min(1e8f, at)))); };
  g.panX = -(origin.x + pixel(left));
  g.panY = -(origin.y + pixel(top));
  frame->UpdateRulers(g);
}

bool CSposalboPageStatic::ResetDevice(int, int) {
  IEditorFrame* frame = GetEditorFrame();
  const bool wasPaused = frame ? frame->IsRenderPaused() : false;
  if (frame) frame->SetRenderPaused(true);
  bool reset = false;
  if (GetDevice()) {
    CPaginaTreeNode* page = frame ? frame->GetCurrentPage() : nullptr;
    treeNode::CSposalboTreeNode* album = AlbumOf(page);
    if (album) album->OnDeviceLost();
    if (m_bandFrame) m_bandFrame->OnLostDevice();
    reset = CD3DObj::ResetDevice(false, 0.0f);
    if (reset) {
      if (album) album->OnDeviceReset();
      if (m_bandFrame) m_bandFrame->OnResetDevice();
    }
  }
  if (frame) frame->SetRenderPaused(wasPaused);
  // A reset device's back buffer holds nothing worth showing.
  InvalidateFrame();
  return reset;
}

void CSposalboPageStatic::ClearSurface() {
  if (!GetDevice() || !IsDeviceReady()) return;
  IDirect3DDevice9* device = GetDevice();
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFFFFFF, 1.0f, 0);
  if (SUCCEEDED(device->BeginScene())) device->EndScene();
  ShowBackBuffer();
  // The page, once there is one to draw, replaces the white.
  InvalidateFrame();
}

bool CSposalboPageStatic::UpdateCursor() {
  IEditorFrame* frame = GetEditorFrame();
  if (!frame || !frame->GetAlbum() || !IsCursorOverWindow()) return false;
  const int id = surface_rules::CursorFor(frame->GetToolMode(), HeldKeys(), m_bandSelecting);
  HCURSOR cursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
  ::SetCursor(cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW));
  return true;
}

BOOL CSposalboPageStatic::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (UpdateCursor()) return TRUE;
  return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CSposalboPageStatic::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (m_selectionMenuOpen) m_selectionMenu.OnMenuSelect(nItemID, nFlags, hSysMenu);
  CStatic::OnMenuSelect(nItemID, nFlags, hSysMenu);
}

void CSposalboPageStatic::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  CStatic::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  CSkinMenu::OnInitMenuPopup(m_hWnd, pPopupMenu, nIndex, bSysMenu);
}

void CSposalboPageStatic::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (!CSkinMenu::OnMeasureItem(m_hWnd, lpMeasureItemStruct)) CStatic::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CSposalboPageStatic::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
  if (LRESULT found = CSkinMenu::OnMenuChar(nChar, nFlags, pMenu)) return found;
  return CStatic::OnMenuChar(nChar, nFlags, pMenu);
}

void CSposalboPageStatic::MarkChanged() {
  if (CPaginaTreeNode* page = CurrentPage()) page->SetNeedsRefresh(true);
}

void CSposalboPageStatic::ReleaseMouse() {
  if (m_captured && m_hWnd && ::GetCapture() == m_hWnd) ::ReleaseCapture();
  m_captured = false;
}

void CSposalboPageStatic::ResetDragModes() {
  m_movingSelection = m_bandSelecting = m_handleDragging = false;
  m_bandVisible = false;
  m_handle = 0;
  m_undoPending = false;
}

void CSposalboPageStatic::StartPanning(POINT client) {
  ViewPoint view;
  if (!ToView(client, view)) return;
  SetCapture();
  m_captured = true;
  m_lastPoint = view;
}

UINT CSposalboPageStatic::TrackSelectionMenu(CSelectionMenu& menu, POINT screen) {
  return static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, screen.x, screen.y, this));
}

void CSposalboPageStatic::TrackContextMenu(POINT screen) {
  // Commands go to the frame, whose routing reaches every handler.
  CWnd* owner = AfxGetMainWnd();
  m_contextMenu.Track(owner ? owner : this, screen.x, screen.y, 0);
}

CTreeNode* CSposalboPageStatic::ChooseFromHits(POINT client) {
  m_selectionMenu.Build(m_hitList, SelectionMenuLabel);
  POINT screen = client;
  ClientToScreen(&screen);
  m_selectionMenuOpen = true;
  const UINT command = TrackSelectionMenu(m_selectionMenu, screen);
  m_selectionMenuOpen = false;
  m_selectionMenu.RestoreHover();
  return m_selectionMenu.ObjectOf(command);
}

void CSposalboPageStatic::SelectAt(POINT client, const Keys& keys) {
  CPaginaTreeNode* page = CurrentPage();
  ViewPoint view;
  if (!page || !ToView(client, view)) return;
  m_addToSelection = keys.ctrl;
  m_handle = page->HitTestHandles(view.x, view.y);
  if (m_handle >= 1 && m_handle <= 9) {
    m_handleDragging = true;
  } else {
    m_handle = 0;
    m_hitList.clear();
    page->HitTestPoint(view.x, view.y, &m_hitList, keys.shift);
    if (m_hitList.size() > 1) {
      if (!keys.ctrl && AnySelected(m_hitList)) {
        m_movingSelection = true;
      } else if (CTreeNode* chosen = ChooseFromHits(client)) {
        // The menu adds the chosen object to the selection, as hovering its
        // entry showed it.
        chosen->SetSelected(true);
      }
    } else if (m_hitList.size() == 1) {
      CTreeNode* hit = m_hitList.front();
      if (!keys.ctrl) {
        if (!hit->IsSelected()) {
          page->SelectAll(false);
          hit->SetSelected(true);
        }
      } else {
        hit->ToggleSelected();
      }
      m_hitList.clear();
      page->HitTestPoint(view.x, view.y, &m_hitList, keys.shift);
      if (AnySelected(m_hitList)) m_movingSelection = true;
    } else {
      if (!keys.ctrl) page->SelectAll(false);
      m_bandSelecting = true;
    }
  }
  m_undoPending = m_movingSelection || m_handleDragging;
  page->SetNeedsRefresh(true);
  m_lastPoint = view;
  if (m_movingSelection || m_handleDragging || m_bandSelecting) {
    SetCapture();
    m_captured = true;
  }
}

void CSposalboPageStatic::OnLButtonDown(UINT, CPoint point) {
  m_zoomClick = false;
  IEditorFrame* frame = GetEditorFrame();
  if (!frame || !frame->GetCurrentPage()) return;
  const Keys keys = HeldKeys();
  switch (surface_rules::LeftPressAction(frame->GetToolMode(), keys)) {
    case surface_rules::PressAction::kZoomClick:
      m_zoomClick = true;
      break;
    case surface_rules::PressAction::kPan:
      StartPanning(point);
      break;
    case surface_rules::PressAction::kSelect:
      SelectAt(point, keys);
      break;
  }
}

void CSposalboPageStatic::OnMouseMove(UINT nFlags, CPoint point) {
  CPaginaTreeNode* page = CurrentPage();
  if (m_captured && page && IsCursorOverWindow()) {
    ViewPoint view;
    if (ToView(point, view) && !(view == m_lastPoint)) {
      const Keys keys = HeldKeys();
      if (m_undoPending) {
        m_undoPending = false;
        page->SaveUndo();
      }
      // Node positions and sizes live in page space: view steps are divided
      // by the zoom so objects follow the cursor at every zoom.
      const float dx = (view.x - m_lastPoint.x) / GetZoomX();
      const float dy = (view.y - m_lastPoint.y) / GetZoomY();
      if (m_handleDragging) {
        if (CTreeNode* handleObject = page->GetHandleObject()) {
          if (m_handle == treeNode::kHandleRotate) {
            const float angle = handleObject->ComputeRotationFromDrag(view.x, view.y, m_lastPoint.x, m_lastPoint.y);
            page->ApplyToSelection(angle, false);
          } else {
            page->ResizeByHandle(m_handle, dx, dy, !keys.shift);
          }
        }
        m_lastPoint = view;
      } else if (m_bandSelecting) {
        const float w = std::fabs(view.x - m_lastPoint.x);
        const float h = std::fabs(view.y - m_lastPoint.y);
        if (w != 0.0f && h != 0.0f && m_bandFrame) {
          const float pageWidth = page->GetWidth();
          m_bandFrame->SetWidth(pageWidth);
          m_bandFrame->SetScale(pageWidth > 0.0f ? w / pageWidth : w, h);
          m_bandFrame->SetPosition((view.x + m_lastPoint.x) / 2.0f, (view.y + m_lastPoint.y) / 2.0f);
          m_bandVisible = true;
        }
      } else if (m_movingSelection) {
        page->MoveSelection(dx, dy, false);
        m_lastPoint = view;
      } else {
        IEditorFrame* frame = GetEditorFrame();
        if ((frame && frame->GetToolMode() == surface_rules::kToolPan) || keys.space)
          CD3DObj::Pan(view.x - m_lastPoint.x, view.y - m_lastPoint.y);
        m_lastPoint = view;
      }
      page->SetNeedsRefresh(true);
    }
  }
  // The rulers follow the mouse in the view's client coordinates.
  POINT inView = point;
  if (CWnd* parent = GetParent()) ::MapWindowPoints(m_hWnd, parent->m_hWnd, &inView, 1);
  NotifyViewChanged(3, nFlags, MAKELPARAM(inView.x, inView.y));
}

void CSposalboPageStatic::OnLButtonUp(UINT, CPoint point) {
  ReleaseMouse();
  CPaginaTreeNode* page = CurrentPage();
  if (!page) {
    ResetDragModes();
    m_zoomClick = false;
    return;
  }
  const Keys keys = HeldKeys();
  ViewPoint view;
  if (IsCursorOverWindow() && ToView(point, view)) {
    if (m_bandSelecting) {
      if (view == m_lastPoint) {
        ClearHandleObject();
      } else {
        m_hitList.clear();
        page->HitTestRect(std::min(view.x, m_lastPoint.x), std::max(view.y, m_lastPoint.y),
                          std::max(view.x, m_lastPoint.x), std::min(view.y, m_lastPoint.y), &m_hitList, keys.shift);
        if (!m_hitList.empty()) {
          if (keys.alt) page->SelectAll(false);
          for (CTreeNode* hit : m_hitList) {
            // Alt takes only objects inside frames and groups.
            if (keys.alt && hit->GetParent() == page) continue;
            hit->SetSelected(true);
          }
        }
        page->SetNeedsRefresh(true);
        ClearHandleObject();
      }
    } else if (m_movingSelection && keys.ctrl) {
      m_hitList.clear();
      page->HitTestPoint(view.x, view.y, &m_hitList, keys.shift);
      m_hitList.erase(std::remove_if(m_hitList.begin(), m_hitList.end(),
                                     [](CTreeNode* n) {
                                       auto* frame = dynamic_cast<treeNode::CCorniceTreeNode*>(n);
                                       return !frame || !frame->IsMasked();
                                     }),
                      m_hitList.end());
      CTreeNode* target = nullptr;
      if (m_hitList.size() == 1) target = m_hitList.front();
      else if (m_hitList.size() > 1) target = ChooseFromHits(point);
      if (target && !target->IsSelected()) page->MoveSelectionInto(target);
    }
    if (m_zoomClick) {
      if (IEditorFrame* frame = GetEditorFrame()) {
        if (keys.alt) frame->OnZoomOut();
        else frame->OnZoomIn();
      }
    }
  }
  ResetDragModes();
  m_zoomClick = false;
}

void CSposalboPageStatic::ClearHandleObject() {
  // The page forgets its handle object with the next handle hit test away
  // from any handle; a point far outside the page hits none.
  if (CPaginaTreeNode* page = CurrentPage()) page->HitTestHandles(1e9f, 1e9f);
}

void CSposalboPageStatic::OnLButtonDblClk(UINT nFlags, CPoint point) {
  IEditorFrame* frame = GetEditorFrame();
  CPaginaTreeNode* page = frame ? frame->GetCurrentPage() : nullptr;
  if (!page) return;
  const Keys keys = HeldKeys();
  // The window reports the second of two quick clicks as a double click: a
  // click that pans or zooms stays a click, so no zoom step is lost.
  if (surface_rules::LeftPressAction(frame->GetToolMode(), keys) != surface_rules::PressAction::kSelect) {
    OnLButtonDown(nFlags, point);
    return;
  }
  if (frame->GetToolMode() != surface_rules::kToolSelect) return;
  if (page->GetSelectedCount(false) != 1) return;
  CTreeNode* selected = page->GetFirstSelected();
  if (!selected) return;
  CSposalboDoc* album = frame->GetAlbum();
  if (selected->HasTag("immagine")) {
    if (keys.shift) {
      // The crop takes its snapshot once the cut-out is stored.
      CropPhoto(static_cast<treeNode::CImgTreeNode*>(selected));
    } else if (keys.alt) {
      frame->OnEditImageExternal();
    } else if (album) {
      album->EditSelectionColour();
    }
  } else if (selected->HasTag("image") || selected->HasTag("cornice") || selected->HasTag("gruppo")) {
    if (album) album->EditSelectionColour();
  } else if (selected->HasTag("testo")) {
    if (album) album->EditSelectedText();
  }
  if (CPaginaTreeNode* still = CurrentPage()) still->SetNeedsRefresh(true);
}

void CSposalboPageStatic::OnRButtonDown(UINT, CPoint point) {
  CPaginaTreeNode* page = CurrentPage();
  if (!page) return;
  ViewPoint view;
  if (page->GetSelectedCount(false) == 0 && ToView(point, view)) {
    treeNode::NodeList hits;
    page->HitTestPoint(view.x, view.y, &hits, false);
    if (!hits.empty()) hits.back()->SetSelected(true);
  }
  POINT screen = point;
  ClientToScreen(&screen);
  TrackContextMenu(screen);
  if (CPaginaTreeNode* still = CurrentPage()) still->SetNeedsRefresh(true);
}

void CSposalboPageStatic::OnMouseWheelZoom(UINT flags, short delta, CPoint) {
  CPaginaTreeNode* page = CurrentPage();
  // Without a selection the wheel has nothing to act on: it must not fill
  // the page's history with empty steps (nor drop what could be redone).
  if (!page || m_movingSelection || page->GetSelectedCount(false) == 0) return;
  Keys keys;
  keys.shift = (flags & MK_SHIFT) != 0;
  keys.ctrl = (flags & MK_CONTROL) != 0;
  switch (surface_rules::WheelActionFor(keys)) {
    case surface_rules::WheelAction::kScale: {
      const float f = surface_rules::WheelScaleFactor(delta);
      if (f > 0.0f) page->ScaleBy(f, f);
      break;
    }
    case surface_rules::WheelAction::kRotate:
      page->RotateBy(surface_rules::WheelRotation(delta));
      break;
    case surface_rules::WheelAction::kZOrder:
      page->ShiftZOrder(delta > 0);
      break;
  }
  page->SetNeedsRefresh(true);
}
