#include "app/bars/SposalboTabCtrl.h"

BEGIN_MESSAGE_MAP(CSposalboTabCtrl, CTabCtrl)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CSposalboTabCtrl::OnEraseBkgnd(CDC* pDC) {
  CRect r;
  GetClientRect(&r);
  pDC->FillSolidRect(&r, kBackground);
  return TRUE;
}

void CSposalboTabCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect r(lpDrawItemStruct->rcItem);
  pDC->FillSolidRect(&r, kBackground);
  char text[64] = "";
  TCITEMA item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  GetItem(static_cast<int>(lpDrawItemStruct->itemID), &item);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF oldColour = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  CSize blank = pDC->GetTextExtent(" ", 1);
  if (CImageList* pImages = GetImageList(); pImages && item.iImage >= 0) {
    IMAGEINFO info{};
    pImages->GetImageInfo(item.iImage, &info);
    int height = info.rcImage.bottom - info.rcImage.top;
    int width = info.rcImage.right - info.rcImage.left;
    pImages->Draw(pDC, item.iImage, CPoint(r.left + blank.cx, r.top + (r.Height() - height) / 2), ILD_TRANSPARENT);
    r.left += blank.cx + width;
  }
  pDC->DrawText(text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  pDC->SetTextColor(oldColour);
  pDC->SetBkMode(oldMode);
}
