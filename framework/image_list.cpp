#include "framework/image_list.h"

#include "framework/gdi.h"
#include "framework/handle_map.h"
#include "framework/resources.h"
#include "framework/wnd.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {
CHandleMap<CImageList, HIMAGELIST>* imageListMapIfAlive() {
  return AfxThreadHandleMap<CImageList, HIMAGELIST>([](CImageList* p, HIMAGELIST h) { p->m_hImageList = h; });
}
CHandleMap<CImageList, HIMAGELIST>& imageListMap() { return *imageListMapIfAlive(); }

HBITMAP bitmapHandle(CBitmap* p) { return p ? static_cast<HBITMAP>(p->m_hObject) : nullptr; }
}  // namespace

CImageList::~CImageList() {
  if (!imageListMapIfAlive()) {
    if (m_hImageList) ImageList_Destroy(m_hImageList);
    return;
  }
  DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST h) { return imageListMap().FromHandle(h); }

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (!hImageList || m_hImageList) return FALSE;
  m_hImageList = hImageList;
  imageListMap().SetPermanent(hImageList, this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  AfxForgetPermanent(imageListMapIfAlive(), h, this);
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Add(m_hImageList, bitmapHandle(pbmImage), bitmapHandle(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, bitmapHandle(pbmImage), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Replace(m_hImageList, nImage, bitmapHandle(pbmImage), bitmapHandle(pbmMask));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  return ImageList_DragEnter(CWnd::SafeHwnd(pWndLock), point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(CWnd::SafeHwnd(pWndLock)); }
