#include "ui/controls/docking/ResizingBar.h"

#include <algorithm>

#include "ui/controls/MemDC.h"
#include "ui/controls/docking/ResizingFrames.h"
#include "ui/controls/docking/ResizingRow.h"

IMPLEMENT_DYNAMIC(CResizingBar, CControlBar)

BEGIN_MESSAGE_MAP(CResizingBar, CControlBar)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONUP()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_CAPTURECHANGED()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_SHOWWINDOW()
  ON_WM_SETTINGCHANGE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
BOOL FullWindowDrag() {
  BOOL bFull = FALSE;
  ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bFull, 0);
  return bFull;
}
bool IsDockedID(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }
}  // namespace

CResizingBar::CResizingBar() { SetBorders(0, 0, 0, 0); }

CResizingBar::~CResizingBar() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CResizingBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
  m_dwStyle = dwStyle & CBRS_ALL;
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  m_bDragShowContent = FullWindowDrag();
  DWORD dwWndStyle = (dwStyle & ~static_cast<DWORD>(CBRS_ALL)) | WS_CLIPCHILDREN | WS_CHILD;
  return CWnd::CreateEx(0, cls, lpszWindowName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CResizingBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL, UINT nID,
                          DWORD dwStyle) {
  m_szHorz = m_szVert = m_szFloat = sizeDefault;
  return Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

void CResizingBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (!m_pDockContext) m_pDockContext = new CResizingDockContext(this);
  if (!m_hWndOwner && m_hWnd) {
    if (CWnd* pParent = GetParent()) SetOwner(pParent);
  }
}

UINT CResizingBar::CurrentDockBarID() const {
  if (!m_hWnd) return 0;
  UINT id = static_cast<UINT>(::GetDlgCtrlID(::GetParent(m_hWnd)));
  return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_FLOAT ? id : 0;
}

BOOL CResizingBar::IsFloating() const { return !IsDockedID(CurrentDockBarID()); }

std::vector<CResizingBar::StateValue> CResizingBar::StateValues() {
  return {{"sizeHorzCX", &m_szHorz.cx},   {"sizeHorzCY", &m_szHorz.cy},   {"sizeVertCX", &m_szVert.cx},
          {"sizeVertCY", &m_szVert.cy},   {"sizeFloatCX", &m_szFloat.cx}, {"sizeFloatCY", &m_szFloat.cy}};
}

CString CResizingBar::StateSection(LPCSTR lpszProfileName) const {
  CString section;
  section.Format("%s-RBar-%d", lpszProfileName, GetDlgCtrlID());
  return section;
}

BOOL CResizingBar::LoadState(LPCSTR lpszProfileName) {
  CWinApp* pApp = AfxGetApp();
  if (!pApp) return FALSE;
  CString section = StateSection(lpszProfileName);
  for (const StateValue& v : StateValues()) *v.value = static_cast<LONG>(pApp->GetProfileInt(section, v.key, *v.value));
  return TRUE;
}

BOOL CResizingBar::SaveState(LPCSTR lpszProfileName) {
  CWinApp* pApp = AfxGetApp();
  if (!pApp) return FALSE;
  CString section = StateSection(lpszProfileName);
  BOOL bOk = TRUE;
  for (const StateValue& v : StateValues()) bOk = pApp->WriteProfileInt(section, v.key, *v.value) && bOk;
  return bOk;
}

void CResizingBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

// --- Rows and layout ------------------------------------------------------------------

std::vector<CControlBar*> CResizingBar::GetRowBars(int* pThisIndex) const {
  std::vector<CControlBar*> bars;
  if (pThisIndex) *pThisIndex = -1;
  if (!m_pDockBar) return bars;
  const CPtrArray& arr = m_pDockBar->m_arrBars;
  INT_PTR me = m_pDockBar->FindBar(this);
  if (me < 0) return bars;
  for (INT_PTR i = DockRowStart(arr, me); i < arr.GetSize() && arr[i]; ++i) {
    CControlBar* pBar = static_cast<CControlBar*>(arr[i]);
    if (!pBar->m_hWnd || !pBar->IsVisible()) continue;
    if (pBar == this && pThisIndex) *pThisIndex = static_cast<int>(bars.size());
    bars.push_back(pBar);
  }
  return bars;
}

std::vector<RowBar> CResizingBar::RowSizes(const std::vector<CControlBar*>& bars) const {
  BOOL bHorz = IsHorzRow();
  std::vector<RowBar> rows;
  for (CControlBar* pBar : bars) {
    RowBar row;
    if (auto* pSizing = DYNAMIC_DOWNCAST(CResizingBar, pBar)) {
      const CSize& sz = bHorz ? pSizing->m_szHorz : pSizing->m_szVert;
      const CSize& mn = bHorz ? pSizing->m_szMinHorz : pSizing->m_szMinVert;
      row.length = bHorz ? sz.cx : sz.cy;
      row.thickness = bHorz ? sz.cy : sz.cx;
      row.minLength = bHorz ? mn.cx : mn.cy;
      row.minThickness = bHorz ? mn.cy : mn.cx;
      row.keepSize = pSizing->m_bKeepSize != FALSE;
    } else {
      // As the dock bar will lay it out, or the row is shared out for a
      // length it does not take and the bar wraps onto a line of its own.
      const CSize size = m_pDockBar->BarLayoutSize(pBar);
      row.sizing = false;
      row.length = bHorz ? size.cx : size.cy;
      row.thickness = bHorz ? size.cy : size.cx;
    }
    rows.push_back(row);
  }
  return rows;
}

CSize CResizingBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (bStretch) return bHorz ? CSize(32767, m_szHorz.cy) : CSize(m_szVert.cx, 32767);
  UINT id = CurrentDockBarID();
  if (IsDockedID(id) && m_pDockBar && (bHorz != FALSE) == (IsHorzRow() != FALSE)) {
    std::vector<CControlBar*> bars = GetRowBars();
    auto first = std::find_if(bars.begin(), bars.end(),
                              [](CControlBar* p) { return p->IsKindOf(RUNTIME_CLASS(CResizingBar)); });
    if (first != bars.end() && *first == this) {
      // The first resizing bar of the row shares the row out.
      CRect avail = m_pDockBar->m_rectLayout;
      if (avail.IsRectEmpty() && m_pDockBar->GetParent()) m_pDockBar->GetParent()->GetClientRect(&avail);
      // The row runs from two pixels before the dock bar to two pixels after it.
      int length = (bHorz ? avail.Width() : avail.Height()) + 2 * kDockOverlap;
      std::vector<RowBar> rows = RowSizes(bars);
      int brk = FindRowBreak(rows, length);
      if (brk > 0 && InsertDockRowBreak(m_pDockBar->m_arrBars, m_pDockBar->FindBar(bars[static_cast<size_t>(brk)]))) {
        // The dock bar asks again, with this row shorter.
        return bHorz ? m_szHorz : m_szVert;
      }
      ShareRowLength(rows, length);
      for (size_t i = 0; i < bars.size(); ++i) {
        auto* pSizing = DYNAMIC_DOWNCAST(CResizingBar, bars[i]);
        if (!pSizing) continue;
        CSize& sz = bHorz ? pSizing->m_szHorz : pSizing->m_szVert;
        (bHorz ? sz.cx : sz.cy) = rows[i].length;
        (bHorz ? sz.cy : sz.cx) = rows[i].thickness;
        pSizing->m_bKeepSize = FALSE;
      }
      AlignControlBars();
    }
  }
  CSize sz = bHorz ? m_szHorz : m_szVert;
  const CSize& mn = bHorz ? m_szMinHorz : m_szMinVert;
  return CSize(std::max(sz.cx, mn.cx), std::max(sz.cy, mn.cy));
}

CSize CResizingBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) {
    if (nLength == -1) m_bParentSizing = TRUE;
    return CControlBar::CalcDynamicLayout(nLength, dwMode);
  }
  if (!(dwMode & (LM_MRUWIDTH | LM_COMMIT))) {
    if (dwMode & LM_LENGTHY)
      m_szFloat.cy = nLength;
    else
      m_szFloat.cx = nLength;
  }
  m_szFloat.cx = std::max(m_szFloat.cx, m_szMinFloat.cx);
  m_szFloat.cy = std::max(m_szFloat.cy, m_szMinFloat.cy);
  return m_szFloat;
}

void CResizingBar::AlignControlBars() {
  if (!m_pDockBar) return;
  BOOL bHorz = IsHorzRow();
  int pos = -kDockOverlap;
  for (CControlBar* pBar : GetRowBars()) {
    CRect r;
    pBar->GetWindowRect(&r);
    m_pDockBar->ScreenToClient(&r);
    int length;
    if (auto* pSizing = DYNAMIC_DOWNCAST(CResizingBar, pBar)) {
      const CSize& sz = bHorz ? pSizing->m_szHorz : pSizing->m_szVert;
      const CSize& mn = bHorz ? pSizing->m_szMinHorz : pSizing->m_szMinVert;
      length = bHorz ? std::max(sz.cx, mn.cx) : std::max(sz.cy, mn.cy);
    } else {
      const CSize size = m_pDockBar->BarLayoutSize(pBar);
      length = bHorz ? size.cx : size.cy;
    }
    if ((bHorz ? r.left : r.top) != pos)
      pBar->SetWindowPos(nullptr, bHorz ? pos : r.left, bHorz ? r.top : pos, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pos += length - kDockOverlap;
  }
}

// --- Non-client area ----------------------------------------------------------------------

void CResizingBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  m_dwSizingStyle &= ~static_cast<DWORD>(RBS_EDGEANY);
  UINT id = CurrentDockBarID();
  m_nDockBarID = id;
  if (IsDockedID(id)) {
    // An edge towards each resizing neighbour in the row.
    std::vector<CControlBar*> sizing;
    for (CControlBar* pBar : GetRowBars())
      if (pBar->IsKindOf(RUNTIME_CLASS(CResizingBar))) sizing.push_back(pBar);
    auto me = std::find(sizing.begin(), sizing.end(), this);
    if (me != sizing.end() && sizing.size() > 1) {
      BOOL bHorz = IsHorzRow();
      if (me != sizing.begin()) m_dwSizingStyle |= bHorz ? RBS_EDGELEFT : RBS_EDGETOP;
      if (me + 1 != sizing.end()) m_dwSizingStyle |= bHorz ? RBS_EDGERIGHT : RBS_EDGEBOTTOM;
    }
  }
  NcCalcClient(&lpncsp->rgrc[0], id);
}

void CResizingBar::NcCalcClient(LPRECT pRc, UINT nDockBarID) {
  CRect rc(pRc);
  if (IsDockedID(nDockBarID))
    rc.DeflateRect(5, 5, 5, 5);
  else
    rc.DeflateRect(3, 5, 3, 3);
  switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: m_dwSizingStyle |= RBS_EDGEBOTTOM; break;
    case AFX_IDW_DOCKBAR_BOTTOM: m_dwSizingStyle |= RBS_EDGETOP; break;
    case AFX_IDW_DOCKBAR_LEFT: m_dwSizingStyle |= RBS_EDGERIGHT; break;
    case AFX_IDW_DOCKBAR_RIGHT: m_dwSizingStyle |= RBS_EDGELEFT; break;
    default: break;
  }
  if (m_dwSizingStyle & RBS_EDGEINSIDE) {
    if (m_dwSizingStyle & RBS_EDGELEFT) rc.left += m_cxEdge;
    if (m_dwSizingStyle & RBS_EDGETOP) rc.top += m_cxEdge;
    if (m_dwSizingStyle & RBS_EDGERIGHT) rc.right -= m_cxEdge;
    if (m_dwSizingStyle & RBS_EDGEBOTTOM) rc.bottom -= m_cxEdge;
  }
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  *pRc = rc;
}

LRESULT CResizingBar::OnNcHitTest(CPoint point) {
  if (!IsDockedID(CurrentDockBarID())) return HTCLIENT;
  CRect r;
  GetWindowRect(&r);
  struct Edge {
    DWORD bit;
    bool inside;
    LRESULT code;
  } edges[] = {
      {RBS_EDGELEFT, point.x < r.left + m_cxEdge, HTLEFT},
      {RBS_EDGETOP, point.y < r.top + m_cxEdge, HTTOP},
      {RBS_EDGERIGHT, point.x >= r.right - m_cxEdge, HTRIGHT},
      {RBS_EDGEBOTTOM, point.y >= r.bottom - m_cxEdge, HTBOTTOM},
  };
  for (const Edge& e : edges)
    if ((m_dwSizingStyle & e.bit) && e.inside) return e.code;
  return HTCLIENT;
}

void CResizingBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect rcWindow, rcClient;
  GetWindowRect(&rcWindow);
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
  rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
  dc.ExcludeClipRect(&rcClient);
  // Painted off-screen and copied in one blit: no flicker.
  CMemDC mem(&dc, &rcWindow);
  mem.FillSolidRect(&rcWindow, ::GetSysColor(COLOR_BTNFACE));
  if (m_dwSizingStyle & RBS_EDGEINSIDE) {
    CRect inner = rcClient;
    inner.InflateRect(1, 1);
    COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), lo = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwSizingStyle & RBS_EDGELEFT) mem.Draw3dRect(inner.left - m_cxEdge, rcWindow.top, m_cxEdge, rcWindow.Height(), hi, lo);
    if (m_dwSizingStyle & RBS_EDGETOP) mem.Draw3dRect(rcWindow.left, inner.top - m_cxEdge, rcWindow.Width(), m_cxEdge, hi, lo);
    if (m_dwSizingStyle & RBS_EDGERIGHT) mem.Draw3dRect(inner.right, rcWindow.top, m_cxEdge, rcWindow.Height(), hi, lo);
    if (m_dwSizingStyle & RBS_EDGEBOTTOM) mem.Draw3dRect(rcWindow.left, inner.bottom, rcWindow.Width(), m_cxEdge, hi, lo);
  }
  NcPaintGripper(&mem, rcClient);
}

void CResizingBar::NcPaintGripper(CDC*, const CRect&) {}

BOOL CResizingBar::OnEraseBkgnd(CDC* pDC) {
  CRect r;
  pDC->GetClipBox(&r);
  pDC->FillSolidRect(&r, kBackground);
  return TRUE;
}

void CResizingBar::OnPaint() { CPaintDC dc(this); }  // the background is all there is

void CResizingBar::OnSize(UINT, int cx, int cy) {
  if (!(m_dwSizingStyle & RBS_SIZECHILD)) return;
  if (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD)) ::MoveWindow(hChild, 0, 0, cx, cy, TRUE);
}

void CResizingBar::OnWindowPosChanged(WINDOWPOS*) {
  Default();
  m_nDockBarID = CurrentDockBarID();
}

void CResizingBar::OnShowWindow(BOOL bShow, UINT) {
  Default();
  if (bShow && IsDockedID(CurrentDockBarID())) m_bKeepSize = TRUE;
}

void CResizingBar::OnSettingChange(UINT, LPCSTR) {
  Default();
  m_bDragShowContent = FullWindowDrag();
}

// --- Mouse and tracking -------------------------------------------------------------------------

void CResizingBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  m_nPressedButton = nHitTest;
  if (!m_bTracking && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT && IsDockedID(CurrentDockBarID())) {
    StartTracking(nHitTest, point);
    return;
  }
  Default();
}

bool CResizingBar::TakePressedButton(UINT nHitTest) {
  const bool pressed = nHitTest != HTNOWHERE && nHitTest == m_nPressedButton;
  m_nPressedButton = HTNOWHERE;
  return pressed;
}

void CResizingBar::OnNcLButtonUp(UINT nHitTest, CPoint) {
  if (TakePressedButton(nHitTest) && nHitTest == HTCLOSE && m_pDockSite) {
    m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    return;
  }
  Default();
}

void CResizingBar::OnLButtonDown(UINT nFlags, CPoint point) {
  m_nPressedButton = HTNOWHERE;
  if (m_pDockContext && IsDockedID(CurrentDockBarID())) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CResizingBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bTracking)
    StopTracking();
  else
    CWnd::OnLButtonUp(nFlags, point);
}

void CResizingBar::OnRButtonDown(UINT nFlags, CPoint point) {
  if (m_bTracking)
    StopTracking();
  else
    CWnd::OnRButtonDown(nFlags, point);
}

void CResizingBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bTracking) {
    CWnd::OnMouseMove(nFlags, point);
    return;
  }
  ClientToScreen(&point);
  OnTrackUpdateSize(point);
}

void CResizingBar::OnCaptureChanged(CWnd* pWnd) {
  if (m_bTracking && (!pWnd || pWnd->m_hWnd != m_hWnd)) StopTracking();
  Default();
}

BOOL CResizingBar::TrackingAcrossRow() const {
  bool bEdgeAlongX = m_htEdge == HTLEFT || m_htEdge == HTRIGHT;
  return IsHorzRow() ? !bEdgeAlongX : bEdgeAlongX;
}

void CResizingBar::StartTracking(UINT nHitTest, CPoint point) {
  m_htEdge = nHitTest;
  m_trackRow.clear();
  std::vector<CControlBar*> row = GetRowBars(&m_nTrackIndex);
  if (m_nTrackIndex < 0 || !m_pDockSite) return;
  m_trackRow = row;
  m_bTracking = TRUE;
  SetCapture();
  if (!m_bDragShowContent) m_updateLock.Lock(m_pDockSite->m_hWnd);
  CRect r;
  GetWindowRect(&r);
  bool bAlongX = nHitTest == HTLEFT || nHitTest == HTRIGHT;
  int edge = nHitTest == HTLEFT ? r.left : nHitTest == HTTOP ? r.top
           : nHitTest == HTRIGHT ? r.right - m_cxEdge : r.bottom - m_cxEdge;
  m_nTrackPosOld = bAlongX ? point.x : point.y;
  m_nTrackEdgeOfs = m_nTrackPosOld - edge;
  // The change of this bar per pixel the pointer moves.
  int sign = (nHitTest == HTRIGHT || nHitTest == HTBOTTOM) ? 1 : -1;
  std::vector<RowBar> sizes = RowSizes(m_trackRow);
  EdgeRange range{0, 0};
  if (TrackingAcrossRow()) {
    int thickness = sizes[static_cast<size_t>(m_nTrackIndex)].thickness;
    int minThickness = 0;
    for (const RowBar& b : sizes)
      if (b.sizing) minThickness = std::max(minThickness, b.minThickness);
    // Growing takes from what the frame leaves its view, less 2 pixels.
    CRect left;
    m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left);
    int grow = std::max(0, (IsHorzRow() ? left.Height() : left.Width()) - 2);
    range = {std::min(0, minThickness - thickness), grow};
  } else {
    range = BetweenBarsRange(sizes, m_nTrackIndex, sign > 0);
  }
  if (sign > 0) {
    m_nTrackPosMin = m_nTrackPosOld + range.least;
    m_nTrackPosMax = m_nTrackPosOld + range.most;
  } else {
    m_nTrackPosMin = m_nTrackPosOld - range.most;
    m_nTrackPosMax = m_nTrackPosOld - range.least;
  }
  if (!m_bDragShowContent) OnTrackInvertTracker();
}

void CResizingBar::OnTrackUpdateSize(CPoint point) {
  bool bAlongX = m_htEdge == HTLEFT || m_htEdge == HTRIGHT;
  int pos = std::max(m_nTrackPosMin, std::min(m_nTrackPosMax, static_cast<int>(bAlongX ? point.x : point.y)));
  int delta = pos - m_nTrackPosOld;
  if (delta == 0) return;
  if (!m_bDragShowContent) OnTrackInvertTracker();  // off at the old place
  int sign = (m_htEdge == HTRIGHT || m_htEdge == HTBOTTOM) ? 1 : -1;
  int change = sign * delta;
  BOOL bHorz = IsHorzRow();
  std::vector<RowBar> sizes = RowSizes(m_trackRow);
  if (TrackingAcrossRow()) {
    int thickness = sizes[static_cast<size_t>(m_nTrackIndex)].thickness + change;
    for (RowBar& b : sizes) b.thickness = thickness;
  } else {
    MoveBetweenBars(sizes, m_nTrackIndex, sign > 0, change);
  }
  for (size_t i = 0; i < m_trackRow.size(); ++i) {
    auto* pSizing = DYNAMIC_DOWNCAST(CResizingBar, m_trackRow[i]);
    if (!pSizing) continue;
    CSize& sz = bHorz ? pSizing->m_szHorz : pSizing->m_szVert;
    (bHorz ? sz.cx : sz.cy) = sizes[i].length;
    (bHorz ? sz.cy : sz.cx) = sizes[i].thickness;
  }
  m_nTrackPosOld = pos;
  if (m_bDragShowContent)
    m_pDockSite->RecalcLayout();
  else
    OnTrackInvertTracker();
}

CRect CResizingBar::TrackerRect() const {
  // A band of the edge's width at the pointer, across the row or the bar.
  CRect band;
  if (TrackingAcrossRow())
    m_pDockBar->GetWindowRect(&band);
  else
    GetWindowRect(&band);
  int at = m_nTrackPosOld - m_nTrackEdgeOfs;
  if (m_htEdge == HTLEFT || m_htEdge == HTRIGHT) {
    band.left = at;
    band.right = at + m_cxEdge;
  } else {
    band.top = at;
    band.bottom = at + m_cxEdge;
  }
  return band;
}

void CResizingBar::OnTrackInvertTracker() {
  if (!m_pDockSite || !m_pDockBar) return;
  CRect band = TrackerRect();
  CRect frame;
  m_pDockSite->GetWindowRect(&frame);
  band.OffsetRect(-frame.left, -frame.top);
  HDC hDC = ::GetDCEx(m_pDockSite->m_hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  if (!hDC) return;
  AfxInvertHalftone(hDC, band);
  ::ReleaseDC(m_pDockSite->m_hWnd, hDC);
}

void CResizingBar::StopTracking() {
  if (!m_bTracking) return;
  if (!m_bDragShowContent) OnTrackInvertTracker();  // the tracker goes
  m_bTracking = FALSE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  m_updateLock.Release();
  m_trackRow.clear();
  if (m_pDockSite) m_pDockSite->RecalcLayout();
}

void CResizingBar::OnDestroy() {
  // A drag cut short by the window's end gives back the mouse and the screen.
  if (m_bTracking) {
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_updateLock.Release();
    m_trackRow.clear();
  }
  CControlBar::OnDestroy();
}
