#include "framework/bars/dock_bar.h"

#include <algorithm>
#include <vector>

#include "framework/bars/dock_layout.h"
#include "framework/frame.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

namespace {
bool SameEntries(const CPtrArray& a, const CPtrArray& b) {
  if (a.GetSize() != b.GetSize()) return false;
  for (INT_PTR i = 0; i < a.GetSize(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}
}  // namespace

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
  m_arrBars.Add(nullptr);
  SetBorders(0, 0, 0, 0);
}

CDockBar::~CDockBar() {
  // Bars still listed forget this dock bar (their windows go with it).
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = static_cast<CControlBar*>(m_arrBars[i]);
    if (pBar && pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
  }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  DWORD dwWndStyle = SplitStyle(dwStyle) | WS_CHILD;
  m_dwStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
  if (m_bFloating) m_dwStyle |= CBRS_FLOATING;
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, cls, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// --- The list of bars -----------------------------------------------------------------

INT_PTR CDockBar::FindBar(const CControlBar* pBar) const {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (m_arrBars[i] == pBar) return i;
  return -1;
}

CControlBar* CDockBar::GetDockedControlBar(INT_PTR nPos) const {
  return static_cast<CControlBar*>(m_arrBars[nPos]);
}

int CDockBar::GetDockedCount() const {
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (m_arrBars[i]) ++n;
  return n;
}

int CDockBar::GetDockedVisibleCount() const {
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = GetDockedControlBar(i);
    if (pBar && pBar->IsVisible()) ++n;
  }
  return n;
}

INT_PTR CDockBar::InsertPosition(const CRect& rect, BOOL& bNewRow) const {
  BOOL bHorz = IsHorz();
  int mid = bHorz ? (rect.top + rect.bottom) / 2 : (rect.left + rect.right) / 2;
  int along = bHorz ? rect.left : rect.top;
  for (const DockRowSpan& row : DockRowsOf(m_arrBars)) {
    int start = INT_MAX, end = INT_MIN;
    for (INT_PTR i = row.first; i < row.last; ++i) {
      CControlBar* pBar = GetDockedControlBar(i);
      if (!pBar->IsVisible() || !pBar->m_hWnd) continue;
      CRect r;
      pBar->GetWindowRect(&r);
      ScreenToClient(&r);
      start = std::min<int>(start, bHorz ? r.top : r.left);
      end = std::max<int>(end, bHorz ? r.bottom : r.right);
    }
    if (start > end) continue;  // nothing of this row shows
    if (mid < start) {
      bNewRow = TRUE;
      return row.first;
    }
    if (mid < end) {
      bNewRow = FALSE;
      for (INT_PTR i = row.first; i < row.last; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (!pBar->m_hWnd) continue;
        CRect r;
        pBar->GetWindowRect(&r);
        ScreenToClient(&r);
        if ((bHorz ? r.left : r.top) > along) return i;
      }
      return row.last;
    }
  }
  bNewRow = TRUE;
  return m_arrBars.GetUpperBound();
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  // Docked here already and no new place: nothing changes.
  if (pBar->m_pDockBar == this && !lpRect && FindBar(pBar) >= 0) return;
  CRect rect;
  if (lpRect) {
    rect = *lpRect;
    ScreenToClient(&rect);
  }
  CDockBar* pOld = pBar->m_pDockBar;
  if (pOld == this) {
    INT_PTR nOld = FindBar(pBar);
    if (nOld >= 0) m_arrBars.RemoveAt(nOld);
    NormalizeDockRows(m_arrBars);
  } else if (pOld) {
    // The old dock bar may release its floating frame; it is not used again.
    pBar->m_pDockBar = nullptr;
    pOld->RemoveControlBar(pBar);
  }
  BOOL bNewRow = TRUE;
  INT_PTR nPos = lpRect ? InsertPosition(rect, bNewRow) : m_arrBars.GetUpperBound();
  if (bNewRow) {
    m_arrBars.InsertAt(nPos, nullptr);
    m_arrBars.InsertAt(nPos, pBar);
  } else {
    m_arrBars.InsertAt(nPos, pBar);
  }
  NormalizeDockRows(m_arrBars);

  // The bar takes this dock bar's side (and floats when this one does).
  DWORD dwStyle = pBar->GetBarStyle() & ~static_cast<DWORD>(CBRS_ALIGN_ANY | CBRS_FLOATING);
  dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | (m_bFloating ? CBRS_FLOATING : 0);
  pBar->m_pDockBar = this;
  pBar->SetBarStyle(dwStyle);
  if (::GetParent(pBar->m_hWnd) != m_hWnd) pBar->SetParent(this);
  int x = lpRect ? rect.left : -kDockOverlap;
  int y = lpRect ? rect.top : 0;
  if (!lpRect && !IsHorz()) std::swap(x, y);
  // The frame changes: borders and gripper depend on the side.
  pBar->SetWindowPos(nullptr, x, y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (CFrameWnd* pFrame = GetParentFrame()) pFrame->RecalcLayout();
}

INT_PTR CDockBar::RemoveControlBar(CControlBar* pBar) {
  INT_PTR nPos = FindBar(pBar);
  if (nPos < 0) return -1;
  m_arrBars.RemoveAt(nPos);
  NormalizeDockRows(m_arrBars);
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
  CFrameWnd* pFrame = GetParentFrame();
  if (!pFrame || !m_hWnd) return nPos;
  if (m_bFloating) {
    if (GetDockedVisibleCount() == 0 && pFrame->IsWindowVisible()) pFrame->ShowWindow(SW_HIDE);
    // The floating frame goes once the bar has fully left (it may be being
    // destroyed right now, inside the frame).
    if (GetDockedCount() == 0) pFrame->PostMessage(WM_FLOATFRAME_EMPTIED);
  } else {
    pFrame->DelayRecalcLayout();
  }
  return nPos;
}

CSize CDockBar::BarLayoutSize(CControlBar* pBar) const {
  const BOOL bHorz = IsHorz();
  if (!(pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC)) return pBar->CalcFixedLayout(FALSE, bHorz);
  if (m_bFloating) return pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
  return pBar->CalcDynamicLayout(-1, bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
}

void CDockBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS*) {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = GetDockedControlBar(i);
    if (!pBar || !(pBar->m_nStateFlags & (delayHide | delayShow))) continue;
    pBar->ShowWindow((pBar->m_nStateFlags & delayShow) ? SW_SHOWNOACTIVATE : SW_HIDE);
    pBar->m_nStateFlags &= ~(delayHide | delayShow);
  }
}

// --- Layout ------------------------------------------------------------------------------

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  m_rectLayout = lpLayout->rect;
  m_bLayoutQuery = lpLayout->hDWP == nullptr;
  RecalcDelayShow(lpLayout);
  LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = FALSE;
  return result;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL) {
  BOOL bHorz = IsHorz();
  int length = 32767;
  if (!m_bFloating) {
    CRect avail = m_rectLayout;
    if (avail.IsRectEmpty()) {
      if (CWnd* pParent = GetParent()) pParent->GetClientRect(&avail);
    }
    length = bHorz ? avail.Width() : avail.Height();
  }
  // Asking a bar for its size may break its row (a sizing bar that no longer
  // fits): then the sizes are asked again for the new rows. Each break adds a
  // row, so this ends.
  std::vector<DockRowSpan> spans;
  std::vector<std::vector<DockItem>> rows;
  for (INT_PTR attempt = 0; attempt <= m_arrBars.GetSize(); ++attempt) {
    CPtrArray before;
    before.Copy(m_arrBars);
    spans = DockRowsOf(m_arrBars);
    rows.assign(spans.size(), {});
    bool changed = false;
    for (size_t r = 0; r < spans.size() && !changed; ++r) {
      for (INT_PTR i = spans[r].first; i < spans[r].last; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        DockItem item;
        item.visible = pBar->m_hWnd && pBar->IsVisible();
        if (item.visible) {
          const CSize size = BarLayoutSize(pBar);
          if (!SameEntries(before, m_arrBars)) {
            changed = true;
            break;
          }
          CRect r;
          pBar->GetWindowRect(&r);
          ScreenToClient(&r);
          item.along = bHorz ? size.cx : size.cy;
          item.across = bHorz ? size.cy : size.cx;
          item.desiredAlong = bHorz ? r.left : r.top;
        }
        rows[r].push_back(item);
      }
    }
    if (!changed) break;
  }
  int startAcross = m_bFloating ? -kDockOverlap : 0;
  std::vector<std::vector<DockPlace>> places;
  int thickness = LayoutDockRows(rows, length, -kDockOverlap, startAcross, places);

  int extent = 0;  // how far along the bars reach
  bool moved = false;
  for (size_t r = 0; r < spans.size(); ++r) {
    for (size_t b = 0; b < rows[r].size(); ++b) {
      const DockItem& item = rows[r][b];
      if (!item.visible) continue;
      const DockPlace& place = places[r][b];
      extent = std::max(extent, place.along + item.along);
      if (m_bLayoutQuery) continue;
      CControlBar* pBar = GetDockedControlBar(spans[r].first + static_cast<INT_PTR>(b));
      CRect target = bHorz ? CRect(place.along, place.across, place.along + item.along, place.across + item.across)
                           : CRect(place.across, place.along, place.across + item.across, place.along + item.along);
      CRect current;
      pBar->GetWindowRect(&current);
      ScreenToClient(&current);
      if (current != target) {
        pBar->SetWindowPos(nullptr, target.left, target.top, target.Width(), target.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        moved = true;
      }
    }
  }
  // Docked bars overlap their neighbours and draw over them, and a move keeps
  // the pixels a bar had where it was: after a move everything here paints
  // again, or a bar would keep stripes of one that passed over it.
  if (moved) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  if (m_bFloating) {
    // The floating frame hides the bars' outer two pixels on every side.
    int along = std::max(0, extent - kDockOverlap);
    int across = std::max(0, thickness - kDockOverlap);
    return bHorz ? CSize(along, across) : CSize(across, along);
  }
  int along = bStretch ? length : extent;
  return bHorz ? CSize(along, thickness) : CSize(thickness, along);
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}  // all client

void CDockBar::OnNcPaint() {}
