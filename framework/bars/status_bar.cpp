#include "framework/bars/status_bar.h"

#include <algorithm>
#include <cstring>

#include "framework/frame.h"
#include "framework/gdi.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
  ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

namespace {
// Space around a pane's text: the control's sunken edge and some air.
constexpr int kPaneGap = 8;

// The command-UI of a pane: disabled panes show no text, a check pops it out.
class CStatusCmdUI : public CCmdUI {
 public:
  explicit CStatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) {}
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    UINT nOld = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
    UINT nNew = bOn ? (nOld & ~static_cast<UINT>(SBPS_DISABLED)) : (nOld | SBPS_DISABLED);
    if (nNew != nOld) m_pBar->SetPaneStyle(static_cast<int>(m_nIndex), nNew);
  }
  void SetCheck(int nCheck) override {
    UINT nOld = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
    UINT nNew = nCheck ? (nOld | SBPS_POPOUT) : (nOld & ~static_cast<UINT>(SBPS_POPOUT));
    if (nNew != nOld) m_pBar->SetPaneStyle(static_cast<int>(m_nIndex), nNew);
  }
  void SetText(LPCSTR lpszText) override { m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

 private:
  CStatusBar* m_pBar;
};
}  // namespace

std::vector<int> StatusPaneRightEdges(const std::vector<int>& widths, const std::vector<UINT>& styles,
                                      int clientWidth, int gap) {
  size_t n = widths.size();
  int stretch = -1;
  int fixed = 0;
  for (size_t i = 0; i < n; ++i) {
    if (stretch < 0 && (styles[i] & SBPS_STRETCH))
      stretch = static_cast<int>(i);
    else
      fixed += widths[i] + gap;
  }
  std::vector<int> edges(n);
  int x = 0;
  for (size_t i = 0; i < n; ++i) {
    int w = static_cast<int>(i) == stretch ? std::max(0, clientWidth - fixed) : widths[i] + gap;
    x += w;
    edges[i] = x;
  }
  return edges;
}

CStatusBar::CStatusBar() { SetBorders(0, 2, 0, 0); }

CStatusBar::~CStatusBar() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  DWORD dwWndStyle = SplitStyle(dwStyle) | WS_CHILD;
  // A status bar draws no line of its own along the frame.
  m_dwStyle &= ~static_cast<DWORD>(CBRS_BORDER_ANY);
  dwWndStyle |= (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  if (!SendMessage(WM_GETFONT)) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
  return TRUE;
}

int CStatusBar::TextWidth(LPCSTR lpszText) const {
  HDC hDC = ::GetDC(m_hWnd);
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ old = hFont ? ::SelectObject(hDC, hFont) : nullptr;
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(hDC, lpszText, lstrlenA(lpszText), &size);
  if (old) ::SelectObject(hDC, old);
  ::ReleaseDC(m_hWnd, hDC);
  return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray)) return FALSE;
  std::vector<Pane> panes(static_cast<size_t>(nIDCount));
  BOOL bOk = TRUE;
  for (int i = 0; i < nIDCount; ++i) {
    Pane& pane = panes[static_cast<size_t>(i)];
    pane.nID = lpIDArray[i];
    if (pane.nID == ID_SEPARATOR) {
      if (i == 0) pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
      continue;
    }
    CString text;
    if (!text.LoadString(pane.nID)) {
      bOk = FALSE;  // the pane stays, empty and narrow
      continue;
    }
    pane.cxText = TextWidth(text);
    pane.text = text;
  }
  m_panes = panes;
  UpdateAllPanes(TRUE, TRUE);
  return bOk;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].nID == nIDFind) return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  *lpRect = RECT{0, 0, 0, 0};
  SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  const Pane& pane = m_panes.at(static_cast<size_t>(nIndex));
  nID = pane.nID;
  nStyle = pane.nStyle;
  cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  Pane& pane = m_panes.at(static_cast<size_t>(nIndex));
  bool bRects = pane.cxText != cxWidth || ((pane.nStyle ^ nStyle) & SBPS_STRETCH);
  pane.nID = nID;
  pane.nStyle = nStyle;
  pane.cxText = cxWidth;
  if (bRects) UpdateAllPanes(TRUE, FALSE);
  ShowPaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const { return m_panes.at(static_cast<size_t>(nIndex)).nStyle; }

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  Pane& pane = m_panes.at(static_cast<size_t>(nIndex));
  if (pane.nStyle == nStyle) return;
  bool bRects = (pane.nStyle ^ nStyle) & SBPS_STRETCH;
  pane.nStyle = nStyle;
  if (bRects) UpdateAllPanes(TRUE, FALSE);
  ShowPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const { return m_panes.at(static_cast<size_t>(nIndex)).text; }

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
  if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  CString text(lpszNewText ? lpszNewText : "");
  if (pane.text == text) return TRUE;
  pane.text = text;
  ShowPaneText(nIndex);
  if (bUpdate) UpdateWindow();
  return TRUE;
}

void CStatusBar::ShowPaneText(int nIndex) {
  if (!m_hWnd) return;
  const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  // A disabled pane (a key that is off) shows nothing.
  LPCSTR text = (pane.nStyle & SBPS_DISABLED) ? "" : pane.text.GetString();
  UINT type = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT);
  SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | type, reinterpret_cast<LPARAM>(text));
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
  if (!m_hWnd) return;
  if (bUpdateRects) {
    std::vector<int> widths;
    std::vector<UINT> styles;
    for (const Pane& pane : m_panes) {
      widths.push_back(pane.cxText);
      styles.push_back(pane.nStyle);
    }
    CRect client;
    GetClientRect(&client);
    std::vector<int> edges = StatusPaneRightEdges(widths, styles, client.Width(), kPaneGap);
    if (edges.empty()) edges.push_back(-1);
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  if (bUpdateText)
    for (int i = 0; i < GetCount(); ++i) ShowPaneText(i);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
  HDC hDC = ::GetDC(m_hWnd);
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ old = hFont ? ::SelectObject(hDC, hFont) : nullptr;
  TEXTMETRICA tm{};
  ::GetTextMetricsA(hDC, &tm);
  if (old) ::SelectObject(hDC, old);
  ::ReleaseDC(m_hWnd, hDC);
  int borders[3] = {0, 0, 0};
  SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  // The text, the panes' sunken edges and the control's own borders.
  size.cy += tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2 * borders[1] + 2;
  return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state(this);
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].nID;
    // Panes without a handler stay as they are.
    state.DoUpdate(pTarget, FALSE);
  }
}

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  if (m_panes.empty()) return static_cast<LRESULT>(Default());
  return SetPaneText(0, reinterpret_cast<LPCSTR>(lParam), FALSE);
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  if (m_panes.empty() || wParam == 0 || !lParam) return 0;
  CString text = m_panes[0].text;
  int n = std::min<int>(text.GetLength(), static_cast<int>(wParam) - 1);
  char* out = reinterpret_cast<char*>(lParam);
  std::memcpy(out, text.GetString(), static_cast<size_t>(n));
  out[n] = '\0';
  return n;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  return m_panes.empty() ? 0 : m_panes[0].text.GetLength();
}

LRESULT CStatusBar::OnSetFont(WPARAM, LPARAM) {
  LRESULT result = Default();
  // Indicator panes are as wide as their text in the new font.
  for (Pane& pane : m_panes)
    if (pane.nID != ID_SEPARATOR) {
      CString text;
      if (text.LoadString(pane.nID)) pane.cxText = TextWidth(text);
    }
  UpdateAllPanes(TRUE, FALSE);
  return result;
}
