#include "framework/splitter.h"

#include <algorithm>

#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/view.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

namespace {
// Rows and columns keep the same sizes; negative requests mean none.
template <class Info>
void readSizes(const Info& info, int& nCur, int& nMin) {
  nCur = info.nCurSize;
  nMin = info.nMinSize;
}

template <class Info>
void setSizes(Info& info, int nIdeal, int nMin) {
  info.nIdealSize = nIdeal < 0 ? 0 : nIdeal;
  info.nMinSize = nMin < 0 ? 0 : nMin;
}
}  // namespace

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || !pParentWnd) return FALSE;
  m_nRows = nRows;
  m_nCols = nCols;
  m_rows.assign(static_cast<size_t>(nRows), CRowColInfo());
  m_cols.assign(static_cast<size_t>(nCols), CRowColInfo());
  CRect rect;
  pParentWnd->GetClientRect(&rect);
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1));
  return CreateEx(0, cls, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col)) return FALSE;
  m_rows[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
  m_cols[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
  CObject* pObject = pViewClass ? pViewClass->CreateObject() : nullptr;
  CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pObject);
  if (!pWnd) {
    delete pObject;
    return FALSE;
  }
  // A view deletes itself if its window cannot be created.
  CRect rect(CPoint(0, 0), sizeInit);
  return pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this,
                      static_cast<UINT>(IdFromRowCol(row, col)), pContext);
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  HWND h = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
  return h ? FromHandle(h) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
  if (!pWnd || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
  int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  if (id < 0 || id / 16 >= m_nRows || id % 16 >= m_nCols) return FALSE;
  if (pRow) *pRow = id / 16;
  if (pCol) *pCol = id % 16;
  return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  readSizes(m_rows.at(static_cast<size_t>(row)), cyCur, cyMin);
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  setSizes(m_rows.at(static_cast<size_t>(row)), cyIdeal, cyMin);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  readSizes(m_cols.at(static_cast<size_t>(col)), cxCur, cxMin);
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  setSizes(m_cols.at(static_cast<size_t>(col)), cxIdeal, cxMin);
}

void CSplitterWnd::LayoutAxis(std::vector<CRowColInfo>& info, int nTotal, int nGap) {
  int remaining = nTotal;
  for (size_t i = 0; i < info.size(); ++i) {
    bool last = i + 1 == info.size();
    int size = last ? remaining : std::min(info[i].nIdealSize, remaining);
    if (size < info[i].nMinSize) size = last ? std::max(size, 0) : 0;  // too small: hidden
    if (size < 0) size = 0;
    info[i].nCurSize = size;
    remaining -= size;
    if (!last) remaining -= nGap;
  }
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd || m_nRows == 0) return;
  CRect client;
  GetClientRect(&client);
  client.DeflateRect(m_cxBorder, m_cyBorder);
  LayoutAxis(m_rows, client.Height(), m_cySplitterGap);
  LayoutAxis(m_cols, client.Width(), m_cxSplitterGap);
  HDWP hdwp = ::BeginDeferWindowPos(m_nRows * m_nCols);
  int y = client.top;
  for (int r = 0; r < m_nRows; ++r) {
    int x = client.left;
    int height = m_rows[static_cast<size_t>(r)].nCurSize;
    for (int c = 0; c < m_nCols; ++c) {
      int width = m_cols[static_cast<size_t>(c)].nCurSize;
      HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c));
      if (hPane && hdwp)
        hdwp = ::DeferWindowPos(hdwp, hPane, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
      x += width + m_cxSplitterGap;
    }
    y += height + m_cySplitterGap;
  }
  if (hdwp) ::EndDeferWindowPos(hdwp);
  Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CSplitterWnd::OnPaint() {
  // The dividers are whatever the panes leave uncovered.
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
  CWnd* pPane = pWnd ? pWnd : GetPane(row, col);
  if (!pPane) return;
  CFrameWnd* pFrame = GetParentFrame();
  if (CView* pView = DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(pPane->m_hWnd))) {
    if (pFrame) pFrame->SetActiveView(pView);
  }
  pPane->SetFocus();
}

void CSplitterWnd::ActivateNext(BOOL bPrev) {
  int row = 0, col = 0;
  if (!GetActivePane(&row, &col)) {
    row = 0;
    col = 0;
  } else {
    int index = row * m_nCols + col;
    int count = m_nRows * m_nCols;
    index = (index + (bPrev ? count - 1 : 1)) % count;
    row = index / m_nCols;
    col = index % m_nCols;
  }
  SetActivePane(row, col);
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
  CWnd* pActive = nullptr;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame) pActive = pFrame->GetActiveView();
  if (!pActive || !IsChildPane(pActive, pRow, pCol)) {
    pActive = GetFocus();
    if (!pActive || !IsChildPane(pActive, pRow, pCol)) return nullptr;
  }
  return pActive;
}
