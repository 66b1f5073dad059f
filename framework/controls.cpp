#include "framework/controls.h"

#include <type_traits>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

// A scroll message's control as the handler's CScrollBar*. A control that has a
// C++ object of another class (a slider, a spin button) is passed as that
// object, so the handler can cast it back to its own class.
CScrollBar* AfxScrollBarFromHandle(HWND hWnd) {
  if (!hWnd) return nullptr;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (!pWnd) pWnd = CWnd::FromHandle(hWnd);
  return reinterpret_cast<CScrollBar*>(pWnd);
}

namespace {
// Owner-draw messages come back to the control as its virtual functions.
template <class T>
BOOL ownerDrawNotify(T* pControl, UINT message, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_DRAWITEM:
      pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      break;
    case WM_MEASUREITEM:
      if constexpr (std::is_same_v<T, CComboBox> || std::is_same_v<T, CListBox>)
        pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      else
        return FALSE;
      break;
    case WM_COMPAREITEM:
      if constexpr (std::is_same_v<T, CComboBox> || std::is_same_v<T, CListBox>) {
        if (pResult) *pResult = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
      }
      return FALSE;
    case WM_DELETEITEM:
      if constexpr (std::is_same_v<T, CComboBox> || std::is_same_v<T, CListBox>)
        pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      else
        return FALSE;
      break;
    default:
      return FALSE;
  }
  if (pResult) *pResult = TRUE;
  return TRUE;
}
}  // namespace

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) return ownerDrawNotify(this, message, lParam, pResult);
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) return ownerDrawNotify(this, message, lParam, pResult);
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  int n = GetLBTextLen(nIndex);
  if (n == CB_ERR) {
    rString.Empty();
    return;
  }
  char* buffer = rString.GetBuffer(n + 1);
  SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
  rString.ReleaseBuffer();
}
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}
BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_COMPAREITEM || message == WM_DELETEITEM)
    return ownerDrawNotify(this, message, lParam, pResult);
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CListBox::GetText(int nIndex, CString& rString) const {
  int n = GetTextLen(nIndex);
  if (n == LB_ERR) {
    rString.Empty();
    return;
  }
  char* buffer = rString.GetBuffer(n + 1);
  SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
  rString.ReleaseBuffer();
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_COMPAREITEM || message == WM_DELETEITEM)
    return ownerDrawNotify(this, message, lParam, pResult);
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// --- CToolTipCtrl -------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, SafeHwnd(pParentWnd), nullptr);
}

namespace {
// The tool-info layout of common controls 5 (the size every version accepts).
TOOLINFOA toolInfo(HWND hTipOwner, CWnd* pWnd, UINT_PTR nIDTool, LPCSTR lpszText) {
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = CWnd::SafeHwnd(pWnd);
  ti.uId = nIDTool;
  ti.lpszText = const_cast<LPSTR>(lpszText);
  (void)hTipOwner;
  return ti;
}
}  // namespace

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFOA ti = toolInfo(m_hWnd, pWnd, nIDTool, lpszText ? lpszText : LPSTR_TEXTCALLBACKA);
  if (lpRectTool) {
    ti.rect = *lpRectTool;
  } else {
    ti.uFlags |= TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(SafeHwnd(pWnd));
    ti.uFlags |= TTF_SUBCLASS;
  }
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti = toolInfo(m_hWnd, pWnd, nIDTool, nullptr);
  if (nIDTool == 0) {
    ti.uFlags |= TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(SafeHwnd(pWnd));
  }
  SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti = toolInfo(m_hWnd, pWnd, nIDTool, lpszText);
  if (nIDTool == 0) {
    ti.uFlags |= TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(SafeHwnd(pWnd));
  }
  SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

// --- CTabCtrl -----------------------------------------------------------------------

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
  TCITEMA item{};
  item.mask = TCIF_TEXT | (nImage >= 0 ? TCIF_IMAGE : 0);
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.iImage = nImage;
  return InsertItem(nItem, &item);
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr))));
}

CImageList* CTabCtrl::GetImageList() const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) return ownerDrawNotify(this, message, lParam, pResult);
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// --- CListCtrl ----------------------------------------------------------------------

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
  item.iItem = nItem;
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.iImage = nImage;
  return InsertItem(&item);
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.fmt = nFormat;
  column.pszText = const_cast<LPSTR>(lpszColumnHeading);
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&column)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText) {
  LVITEMA item{};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // The control copies at most the buffer; grow until the text fits.
  for (int size = 256;; size *= 2) {
    CString text;
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.cchTextMax = size;
    item.pszText = text.GetBuffer(size);
    int n = static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
    text.ReleaseBuffer(n);
    if (n < size - 1 || size >= (1 << 20)) return text;
  }
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  GetItem(&item);
  return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  item.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEMA item{};
  item.state = nState;
  item.stateMask = nMask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

// Positions are the selected item index plus one, so that null ends the walk.
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int nItem = GetNextItem(-1, LVNI_SELECTED);
  return reinterpret_cast<POSITION>(static_cast<INT_PTR>(nItem + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  int nItem = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
  int nNext = GetNextItem(nItem, LVNI_SELECTED);
  pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(nNext + 1));
  return nItem;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info{};
  info.pt = pt;
  int nItem = HitTest(&info);
  if (pFlags) *pFlags = info.flags;
  return nItem;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  lpRect->left = static_cast<LONG>(nCode);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                  reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr))));
}

CImageList* CListCtrl::GetImageList(int nImageListType) const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType))));
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint) {
  HIMAGELIST h = reinterpret_cast<HIMAGELIST>(
      SendMessage(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpPoint)));
  if (!h) return nullptr;
  CImageList* pList = new CImageList;
  pList->Attach(h);
  return pList;  // the caller owns it
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) return ownerDrawNotify(this, message, lParam, pResult);
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
