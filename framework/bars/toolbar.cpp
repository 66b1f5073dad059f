#include "framework/bars/toolbar.h"

#include <algorithm>
#include <cstring>

#include "framework/frame.h"
#include "framework/resources.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, OnHotItemChange)
END_MESSAGE_MAP()

namespace {
// Button styles of the control in the low byte, its state (with "enabled"
// turned into "disabled") in the high word.
UINT StyleOf(const TBBUTTON& b) {
  return b.fsStyle | (static_cast<UINT>(b.fsState ^ TBSTATE_ENABLED) << 16);
}
BYTE StateOf(UINT nStyle) { return static_cast<BYTE>(((nStyle >> 16) & 0xFF) ^ TBSTATE_ENABLED); }

// The command-UI of a toolbar button: enabling and checking change the button.
class CToolCmdUI : public CCmdUI {
 public:
  explicit CToolCmdUI(CToolBar* pToolBar) : m_pToolBar(pToolBar) {}
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    UINT nOld = m_pToolBar->GetButtonStyle(static_cast<int>(m_nIndex));
    UINT nNew = nOld & ~static_cast<UINT>(TBBS_DISABLED);
    if (!bOn) nNew = (nNew | TBBS_DISABLED) & ~static_cast<UINT>(TBBS_PRESSED);
    if (nNew != nOld) m_pToolBar->SetButtonStyle(static_cast<int>(m_nIndex), nNew);
  }
  void SetCheck(int nCheck) override {
    UINT nOld = m_pToolBar->GetButtonStyle(static_cast<int>(m_nIndex));
    UINT nNew = (nOld & ~static_cast<UINT>(TBBS_CHECKED | TBBS_INDETERMINATE)) | TBBS_CHECKBOX;
    if (nCheck == 1) nNew |= TBBS_CHECKED;
    if (nCheck == 2) nNew |= TBBS_INDETERMINATE;
    if (nNew != nOld) m_pToolBar->SetButtonStyle(static_cast<int>(m_nIndex), nNew);
  }
  void SetText(LPCSTR) override {}

 private:
  CToolBar* m_pToolBar;
};
}  // namespace

CToolBar::CToolBar() = default;

CToolBar::~CToolBar() {
  // The control goes before the bitmap it shows.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                  nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(&rcBorders);
  DWORD dwWndStyle = SplitStyle(dwStyle) | WS_CHILD;
  // The control keeps out of the layout (the bar places it) and always has
  // tooltips; CBRS_TOOLTIPS decides whether they show text.
  dwWndStyle |= (dwCtrlStyle & 0xFFFF) | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                CCS_NORESIZE;
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  if (!m_hWnd) return;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
  m_bDelayedButtonLayout = TRUE;
  Invalidate();
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName) {
  ToolBarResource res;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(RT_TOOLBAR_ID));
  if (!LoadToolBarResource(hInst, lpszResourceName, res)) return FALSE;
  if (!SetButtons(res.ids.data(), static_cast<int>(res.ids.size()))) return FALSE;
  SetSizes(CSize(res.imageWidth + 7, res.imageHeight + 7), CSize(res.imageWidth, res.imageHeight));
  return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(2));
  // The classic greys of a toolbar bitmap become the system's button colours.
  HBITMAP hbm = static_cast<HBITMAP>(::LoadImageA(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  return hbm ? SetBitmap(hbm) : FALSE;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell) {
  if (!hbmImageWell || !m_hWnd) {
    if (hbmImageWell) ::DeleteObject(hbmImageWell);
    return FALSE;
  }
  BITMAP bm{};
  ::GetObjectA(hbmImageWell, sizeof bm, &bm);
  int nImages = std::max<int>(1, bm.bmWidth / std::max<int>(1, m_sizeImage.cx));
  BOOL bOk;
  if (!m_bmpImageWell.m_hObject) {
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(hbmImageWell)};
    bOk = SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nImages), reinterpret_cast<LPARAM>(&add)) != -1;
  } else {
    TBREPLACEBITMAP replace{};
    replace.nIDOld = reinterpret_cast<UINT_PTR>(m_bmpImageWell.m_hObject);
    replace.nIDNew = reinterpret_cast<UINT_PTR>(hbmImageWell);
    replace.nButtons = nImages;
    bOk = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)) != 0;
  }
  if (!bOk) {
    ::DeleteObject(hbmImageWell);
    return FALSE;
  }
  m_bmpImageWell.DeleteObject();
  m_bmpImageWell.Attach(hbmImageWell);
  Invalidate();
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (!m_hWnd || nIDCount < 0) return FALSE;
  while (SendMessage(TB_DELETEBUTTON, 0)) {
  }
  std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
  int iImage = 0;
  for (int i = 0; i < nIDCount; ++i) {
    TBBUTTON& b = buttons[static_cast<size_t>(i)];
    UINT nID = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
    b.fsState = TBSTATE_ENABLED;
    b.iString = -1;
    if (nID == ID_SEPARATOR) {
      b.fsStyle = TBSTYLE_SEP;
      b.iBitmap = kToolBarSeparatorWidth;
    } else {
      b.fsStyle = TBSTYLE_BUTTON;
      b.iBitmap = iImage++;
      b.idCommand = static_cast<int>(nID);
    }
  }
  if (nIDCount > 0 &&
      !SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nIDCount), reinterpret_cast<LPARAM>(buttons.data())))
    return FALSE;
  m_bDelayedButtonLayout = TRUE;
  return TRUE;
}

// --- Buttons ----------------------------------------------------------------------------

int CToolBar::GetCount() const { return m_hWnd ? static_cast<int>(SendMessage(TB_BUTTONCOUNT)) : 0; }

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const {
  *pButton = TBBUTTON{};
  return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pButton)) != 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    TBBUTTON b;
    if (GetButton(i, &b) && static_cast<UINT>(b.idCommand) == nIDFind) return i;
  }
  return -1;
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON b;
  return GetButton(nIndex, &b) ? static_cast<UINT>(b.idCommand) : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (m_bDelayedButtonLayout) const_cast<CToolBar*>(this)->Layout();
  *lpRect = RECT{0, 0, 0, 0};
  SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
  TBBUTTON b;
  return GetButton(nIndex, &b) ? StyleOf(b) : 0;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  TBBUTTON b;
  if (!GetButton(nIndex, &b) || StyleOf(b) == nStyle) return;
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
  info.fsStyle = static_cast<BYTE>(nStyle & 0xFF);
  info.fsState = StateOf(nStyle);
  SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
  if (info.fsStyle != b.fsStyle) m_bDelayedButtonLayout = TRUE;
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  TBBUTTON b;
  GetButton(nIndex, &b);
  nID = static_cast<UINT>(b.idCommand);
  nStyle = StyleOf(b);
  iImage = b.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
  TBBUTTON b;
  if (!GetButton(nIndex, &b)) return;
  TBBUTTON changed = b;
  changed.idCommand = static_cast<int>(nID);
  changed.fsStyle = static_cast<BYTE>(nStyle & 0xFF);
  changed.fsState = StateOf(nStyle);
  changed.iBitmap = iImage;
  if (std::memcmp(&changed, &b, sizeof b) == 0) return;
  // Replacing the button lets the control measure it (a separator's width) anew.
  SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex));
  SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&changed));
  m_bDelayedButtonLayout = TRUE;
}

BOOL CToolBar::SetButtonText(int nIndex, LPCSTR lpszText) {
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = const_cast<LPSTR>(lpszText ? lpszText : "");
  BOOL bOk = SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info)) != 0;
  m_bDelayedButtonLayout = TRUE;
  return bOk;
}

CString CToolBar::GetButtonText(int nIndex) const {
  char buffer[256] = "";
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = buffer;
  info.cchText = sizeof buffer;
  SendMessage(TB_GETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
  return CString(buffer);
}

// --- Layout ------------------------------------------------------------------------------

std::vector<ToolItem> CToolBar::Items() const {
  std::vector<ToolItem> items;
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    TBBUTTON b;
    GetButton(i, &b);
    ToolItem item;
    item.separator = (b.fsStyle & TBSTYLE_SEP) != 0;
    item.separatorWidth = b.iBitmap > 0 ? b.iBitmap : kToolBarSeparatorWidth;
    item.hidden = (b.fsState & TBSTATE_HIDDEN) != 0;
    item.control = item.separator && b.idCommand != 0;
    items.push_back(item);
  }
  return items;
}

CSize CToolBar::BorderSize(BOOL bHorz) const {
  CRect rect(0, 0, 0, 0);
  CalcInsideRect(rect, bHorz);
  return CSize(-rect.Width(), -rect.Height());
}

BOOL CToolBar::IsCurrentPlace(DWORD dwMode) const {
  if (m_dwStyle & CBRS_FLOATING) return (dwMode & LM_MRUWIDTH) != 0;
  if (!(dwMode & (LM_HORZDOCK | LM_VERTDOCK))) return FALSE;
  BOOL bHorzNow = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  return bHorzNow ? (dwMode & LM_HORZDOCK) != 0 : (dwMode & LM_VERTDOCK) != 0;
}

void CToolBar::CommitWraps(const std::vector<bool>& wrap) {
  bool changed = false;
  for (size_t i = 0; i < wrap.size(); ++i) {
    TBBUTTON b;
    if (!GetButton(static_cast<int>(i), &b)) continue;
    BYTE state = wrap[i] ? static_cast<BYTE>(b.fsState | TBSTATE_WRAP) : static_cast<BYTE>(b.fsState & ~TBSTATE_WRAP);
    if (state == b.fsState) continue;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    info.fsState = state;
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    changed = true;
  }
  // The control repaints only the button whose state changed, while the
  // buttons after it moved: without this they would keep their old pictures.
  if (changed) Invalidate();
}

CSize CToolBar::CalcLayout(DWORD dwMode, int nLength) {
  std::vector<ToolItem> items = Items();
  BOOL bDocked = (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0;
  BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
  BOOL bHorz = !bVert;
  CSize borders = BorderSize(bHorz);
  ToolArrangement arrangement;
  if (bDocked || !(m_dwStyle & CBRS_SIZE_DYNAMIC)) {
    arrangement = ArrangeToolItems(items, m_sizeButton, -1, bVert != FALSE);
  } else if (dwMode & LM_LENGTHY) {
    // The narrowest lines whose height fits the length.
    ToolArrangement line = ArrangeToolItems(items, m_sizeButton, -1, false);
    arrangement = line;
    for (int width = m_sizeButton.cx; width < line.size.cx; ++width) {
      ToolArrangement candidate = ArrangeToolItems(items, m_sizeButton, width, false);
      if (candidate.size.cy + borders.cy <= nLength) {
        arrangement = candidate;
        break;
      }
    }
  } else {
    int width = (dwMode & LM_MRUWIDTH) || nLength < 0 ? static_cast<int>(m_nMRUWidth) : nLength;
    arrangement = ArrangeToolItems(items, m_sizeButton, std::max(0, width - static_cast<int>(borders.cx)), false);
  }
  CSize size(arrangement.size.cx + borders.cx, arrangement.size.cy + borders.cy);
  if (dwMode & LM_STRETCH) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  if ((dwMode & LM_COMMIT) || IsCurrentPlace(dwMode)) {
    CommitWraps(arrangement.wrap);
    if (!bDocked) m_nMRUWidth = static_cast<UINT>(size.cx);
  }
  return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK), -1);
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcLayout(dwMode, -1);
  return CalcLayout(dwMode, nLength);
}

void CToolBar::Layout() {
  m_bDelayedButtonLayout = FALSE;
  if (!m_hWnd) return;
  if (m_dwStyle & CBRS_FLOATING)
    CalcLayout(LM_HORZ | LM_MRUWIDTH | LM_COMMIT, -1);
  else if (m_dwStyle & CBRS_ORIENT_VERT && !(m_dwStyle & CBRS_ORIENT_HORZ))
    CalcLayout(LM_VERTDOCK | LM_COMMIT, -1);
  else
    CalcLayout(LM_HORZ | LM_HORZDOCK | LM_COMMIT, -1);
}

void CToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  if ((dwOldStyle ^ dwNewStyle) & (CBRS_ALIGN_ANY | CBRS_FLOATING)) m_bDelayedButtonLayout = TRUE;
}

void CToolBar::OnPaint() {
  if (m_bDelayedButtonLayout) Layout();
  Default();
}

// --- Mouse, command-UI, tooltips and fly-by prompts ------------------------------------------

void CToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  POINT pt = point;
  int hit = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
  TBBUTTON b;
  if (hit >= 0 && GetButton(hit, &b) && !(b.fsStyle & TBSTYLE_SEP)) {
    Default();  // a button: the control presses it
    return;
  }
  CControlBar::OnLButtonDown(nFlags, point);
}

void CToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  POINT pt = point;
  int hit = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
  TBBUTTON b;
  if (hit >= 0 && GetButton(hit, &b) && !(b.fsStyle & TBSTYLE_SEP)) {
    Default();
    return;
  }
  CControlBar::OnLButtonDblClk(nFlags, point);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state(this);
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    TBBUTTON b;
    if (!GetButton(static_cast<int>(state.m_nIndex), &b) || (b.fsStyle & TBSTYLE_SEP)) continue;
    state.m_nID = static_cast<UINT>(b.idCommand);
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  // Controls hosted in the bar follow their own handlers.
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CToolBar::OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (!(m_dwStyle & CBRS_FLYBY)) return FALSE;
  NMTBHOTITEM* pHot = reinterpret_cast<NMTBHOTITEM*>(pNMHDR);
  if (CFrameWnd* pFrame = GetCommandTarget()) {
    if ((pHot->dwFlags & HICF_LEAVING) || pHot->idNew == 0)
      pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
      pFrame->SetMessageText(static_cast<UINT>(pHot->idNew));
  }
  return FALSE;  // the frame may still want it
}

BOOL CToolBar::OnToolTipText(NMHDR* pNMHDR) {
  UINT nID = static_cast<UINT>(pNMHDR->idFrom);
  CString tip;
  if (m_dwStyle & CBRS_TOOLTIPS) {
    CString full;
    full.LoadString(nID);
    int newline = full.Find('\n');
    if (newline >= 0) tip = full.Mid(newline + 1);
  }
  if (pNMHDR->code == TTN_GETDISPINFOA) {
    NMTTDISPINFOA* p = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    m_tipText.assign(tip.GetString(), tip.GetString() + tip.GetLength() + 1);
    p->lpszText = m_tipText.data();
    p->hinst = nullptr;
  } else {
    NMTTDISPINFOW* p = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    int n = ::MultiByteToWideChar(CP_ACP, 0, tip.GetString(), -1, nullptr, 0);
    m_tipTextW.assign(static_cast<size_t>(std::max(n, 1)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, tip.GetString(), -1, m_tipTextW.data(), n);
    p->lpszText = m_tipTextW.data();
    p->hinst = nullptr;
  }
  return TRUE;
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    // The control's own tooltip asks for texts: they come from the string table.
    if (pNMHDR && (pNMHDR->code == TTN_GETDISPINFOA || pNMHDR->code == TTN_GETDISPINFOW)) {
      OnToolTipText(pNMHDR);
      return 0;
    }
  }
  return CControlBar::WindowProc(message, wParam, lParam);
}
