#include "framework/gdi.h"

#include <cstdlib>

#include "framework/handle_map.h"
#include "framework/resources.h"
#include "framework/wnd.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {
void setGdiHandle(CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; }

// One map for all GDI objects; a temporary is made with the class that matches
// the handle's type, so a CPen* from FromHandle really is a CPen.
CHandleMap<CGdiObject, HGDIOBJ>* gdiMapIfAlive() { return AfxThreadHandleMap<CGdiObject, HGDIOBJ>(&setGdiHandle); }
CHandleMap<CGdiObject, HGDIOBJ>& gdiMap() { return *gdiMapIfAlive(); }

template <class T>
T* typedFromHandle(HGDIOBJ h) {
  if (!h) return nullptr;
  CGdiObject* p = gdiMap().LookupPermanent(h);
  if (!p) p = gdiMap().LookupTemporary(h);
  if (p && p->IsKindOf(T::GetThisClass())) return static_cast<T*>(p);
  if (p) return nullptr;  // a handle of another kind
  return static_cast<T*>(gdiMap().FromHandle<T>(h));
}
}  // namespace

// A temporary of the class that matches the handle's type.
CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
  switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return typedFromHandle<CPen>(hObject);
    case OBJ_BRUSH: return typedFromHandle<CBrush>(hObject);
    case OBJ_FONT: return typedFromHandle<CFont>(hObject);
    case OBJ_BITMAP: return typedFromHandle<CBitmap>(hObject);
    case OBJ_REGION: return typedFromHandle<CRgn>(hObject);
    case OBJ_PAL: return typedFromHandle<CPalette>(hObject);
    default: return typedFromHandle<CGdiObject>(hObject);
  }
}
CPen* CPen::FromHandle(HPEN h) { return typedFromHandle<CPen>(h); }
CBrush* CBrush::FromHandle(HBRUSH h) { return typedFromHandle<CBrush>(h); }
CFont* CFont::FromHandle(HFONT h) { return typedFromHandle<CFont>(h); }
CBitmap* CBitmap::FromHandle(HBITMAP h) { return typedFromHandle<CBitmap>(h); }
CRgn* CRgn::FromHandle(HRGN h) { return typedFromHandle<CRgn>(h); }
CPalette* CPalette::FromHandle(HPALETTE h) { return typedFromHandle<CPalette>(h); }

CGdiObject::~CGdiObject() {
  if (!gdiMapIfAlive()) {
    if (m_hObject) ::DeleteObject(m_hObject);
    return;
  }
  DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (!hObject) return FALSE;
  if (m_hObject) DeleteObject();
  m_hObject = hObject;
  gdiMap().SetPermanent(hObject, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  AfxForgetPermanent(gdiMapIfAlive(), h, this);
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
  HGDIOBJ h = ::GetStockObject(nIndex);
  if (!h) return FALSE;
  if (m_hObject) DeleteObject();
  m_hObject = h;  // stock objects are shared and never entered in the map
  return TRUE;
}

CBrush::CBrush(CBitmap* pBitmap) { CreatePatternBrush(pBitmap); }

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, lpszFaceName ? lpszFaceName : "", LF_FACESIZE);
  HDC hDC = pDC ? pDC->m_hDC : ::GetDC(nullptr);
  POINT pt{0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), nPointSize, 720)};
  ::DPtoLP(hDC, &pt, 1);
  POINT origin{0, 0};
  ::DPtoLP(hDC, &origin, 1);
  lf.lfHeight = -std::abs(static_cast<int>(pt.y - origin.y));
  if (!pDC) ::ReleaseDC(nullptr, hDC);
  return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const {
  SIZE s{0, 0};
  ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &s);
  return s;
}

// --- CDC ---------------------------------------------------------------------------

namespace {
CHandleMap<CDC, HDC>* dcMapIfAlive() {
  return AfxThreadHandleMap<CDC, HDC>([](CDC* p, HDC h) { p->m_hDC = p->m_hAttribDC = h; });
}
CHandleMap<CDC, HDC>& dcMap() { return *dcMapIfAlive(); }
}  // namespace

CDC::~CDC() {
  if (!m_hDC) return;
  if (!dcMapIfAlive()) {
    ::DeleteDC(m_hDC);
    return;
  }
  ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC) { return dcMap().FromHandle(hDC); }

BOOL CDC::Attach(HDC hDC) {
  if (!hDC || m_hDC) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  dcMap().SetPermanent(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  AfxForgetPermanent(dcMapIfAlive(), h, this);
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData) {
  return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput,
                            static_cast<const DEVMODEA*>(lpInitData)));
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CPen* CDC::SelectObject(CPen* pPen) {
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen ? pPen->m_hObject : nullptr)));
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush ? pBrush->m_hObject : nullptr)));
}
CFont* CDC::SelectObject(CFont* pFont) {
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont ? pFont->m_hObject : nullptr)));
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap ? pBitmap->m_hObject : nullptr)));
}
int CDC::SelectObject(CRgn* pRgn) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, pRgn ? pRgn->m_hObject : nullptr)));
}
CGdiObject* CDC::SelectStockObject(int nIndex) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}
CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  return CPalette::FromHandle(::SelectPalette(m_hDC, pPalette ? static_cast<HPALETTE>(pPalette->m_hObject) : nullptr,
                                              bForceBackground));
}
CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const { return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH))); }
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  COLORREF old = ::SetBkColor(m_hDC, clr);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y,
                      size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush) {
  return DrawState(pt, size, static_cast<HBITMAP>(pBitmap->m_hObject), nFlags,
                   pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y,
                      size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText),
                      static_cast<WPARAM>(nTextLen), pt.x, pt.y, size.cx, size.cy,
                      nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
  SIZE s{0, 0};
  ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &s);
  return s;
}

int CDC::GetTextFace(CString& rString) const {
  char face[LF_FACESIZE] = "";
  int n = ::GetTextFaceA(m_hAttribDC, LF_FACESIZE, face);
  rString = face;
  return n;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(CWnd::SafeHwnd(pWnd)) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(CWnd::SafeHwnd(pWnd)) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
