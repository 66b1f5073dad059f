#include "ui/frames/toolbar/SkinToolBar.h"

#include <algorithm>

#include "ui/frames/toolbar/ToolBarPainter.h"
#include "ui/menus/colors/SkinColors.h"
#include "framework/gdi_scope.h"
#include "ui/menus/menu/SkinMenu.h"
#include "ui/menus/theme/MenuTheme.h"

IMPLEMENT_DYNAMIC(CSkinToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CSkinToolBar, CToolBar)
  ON_WM_NCPAINT()
  ON_WM_ERASEBKGND()
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_MESSAGE(TB_ADDBITMAP, OnAddBitmap)
  ON_MESSAGE(TB_REPLACEBITMAP, OnReplaceBitmap)
END_MESSAGE_MAP()

namespace {
int themeId() { return CSkinMenu::GetThemeId(); }
bool barThemes(int id) { return id >= 6 && id <= 11; }

UINT itemStateOf(const TBBUTTON& b, bool hot) {
  UINT state = 0;
  if (!(b.fsState & TBSTATE_ENABLED)) state |= CDIS_DISABLED;
  if (b.fsState & TBSTATE_CHECKED) state |= CDIS_CHECKED;
  if (b.fsState & TBSTATE_PRESSED) state |= CDIS_SELECTED;
  if (b.fsState & TBSTATE_INDETERMINATE) state |= CDIS_INDETERMINATE;
  if (hot) state |= CDIS_HOT;
  return state;
}
}  // namespace

CSkinToolBar::CSkinToolBar() = default;

CSkinToolBar::~CSkinToolBar() {
  // The control lets go of the darkened list before the lists go.
  if (m_hWnd && ::IsWindow(m_hWnd)) ::SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, 0);
}

BOOL CSkinToolBar::LoadToolBar(UINT nIDResource) {
  const BOOL loaded = CToolBar::LoadToolBar(nIDResource);
  const LPCSTR name = MAKEINTRESOURCEA(nIDResource);
  GdiHandle bitmap(::LoadImageA(AfxFindResourceHandle(name, RT_BITMAP), name, IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION));
  if (bitmap && m_images.Load(static_cast<HBITMAP>(bitmap.Get()), m_sizeImage, kTopLeftTransparent,
                              DisabledGreyFor(themeId())))
    ImagesChanged();
  return loaded;
}

void CSkinToolBar::ImagesChanged() {
  if (m_hWnd) SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.m_darkened.m_hImageList));
  Invalidate();
}

BOOL CSkinToolBar::InsertControl(int nIndex, CWnd* pControl, DWORD_PTR dwData) {
  if (!m_hWnd || !pControl || !::IsWindow(pControl->m_hWnd)) return FALSE;
  pControl->SendMessage(WM_SETFONT, SendMessage(WM_GETFONT), TRUE);
  CRect window;
  pControl->GetWindowRect(&window);
  TBBUTTON b{};
  b.iBitmap = window.Width();
  b.idCommand = pControl->GetDlgCtrlID();
  b.fsStyle = TBSTYLE_SEP;
  b.dwData = dwData;
  b.iString = -1;
  const int count = GetCount();
  if (nIndex < 0 || nIndex > count) nIndex = count;
  if (!SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b))) return FALSE;
  m_bDelayedButtonLayout = TRUE;
  Invalidate();
  return TRUE;
}

// --- Layout with hosted controls -------------------------------------------------------

LRESULT CSkinToolBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CToolBar::DefWindowProc(message, wParam, lParam);
  if (message == TB_GETBUTTON && result && m_nLayoutState) {
    // A layout for vertical docking leaves hosted controls out, any other
    // layout keeps their room whatever their separators show now.
    TBBUTTON* b = reinterpret_cast<TBBUTTON*>(lParam);
    if ((b->fsStyle & TBSTYLE_SEP) && b->idCommand) {
      if (m_nLayoutState == 1) b->fsState |= TBSTATE_HIDDEN;
      else b->fsState &= static_cast<BYTE>(~TBSTATE_HIDDEN);
    }
  }
  return result;
}

CSize CSkinToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  m_nLayoutState = (dwMode & LM_VERTDOCK) ? 1 : 2;
  const CSize size = CToolBar::CalcDynamicLayout(nLength, dwMode);
  m_nLayoutState = 0;
  if ((dwMode & LM_COMMIT) || IsCurrentPlace(dwMode)) PlaceControls((dwMode & LM_VERTDOCK) != 0);
  return size;
}

bool CSkinToolBar::IsVerticalNow() const {
  return !(m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_ORIENT_VERT) && !(m_dwStyle & CBRS_ORIENT_HORZ);
}

void CSkinToolBar::PlaceControls(bool vertical) {
  for (int i = 0, n = GetCount(); i < n; ++i) {
    TBBUTTON b;
    if (!GetButton(i, &b) || !(b.fsStyle & TBSTYLE_SEP) || !b.idCommand) continue;
    HWND hControl = ::GetDlgItem(m_hWnd, b.idCommand);
    if (!hControl) continue;
    SendMessage(TB_HIDEBUTTON, static_cast<WPARAM>(b.idCommand), vertical);
    if (vertical) {
      ::ShowWindow(hControl, SW_HIDE);
      continue;
    }
    RECT slot{};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&slot));
    ::InflateRect(&slot, -1, -1);
    RECT control;
    ::GetWindowRect(hControl, &control);
    const int height = control.bottom - control.top;
    const int width = slot.right - slot.left;
    // The control keeps its height: a combo's height includes its list.
    const UINT keepSize = control.right - control.left == width ? SWP_NOSIZE : 0;
    ::SetWindowPos(hControl, nullptr, slot.left, slot.top + (slot.bottom - slot.top - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | keepSize);
  }
}

// --- Borders, gripper and background ---------------------------------------------------

int CSkinToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CToolBar::OnCreate(lpCreateStruct) == -1) return -1;
  const int id = themeId();
  COLORSCHEME scheme{};
  scheme.dwSize = sizeof scheme;
  scheme.clrBtnHighlight = CLR_DEFAULT;
  if (id == 2 || id == 3) {
    scheme.clrBtnShadow = ShadeColor(GetDefaultBarColor());
    SendMessage(CCM_SETCOLORSCHEME, 0, reinterpret_cast<LPARAM>(&scheme));
  } else if (id >= 8 && id <= 11) {
    SetBorders(3, 1, 3, 1);
    scheme.clrBtnShadow = ShadeColor(GetThemedBarColor());
    SendMessage(CCM_SETCOLORSCHEME, 0, reinterpret_cast<LPARAM>(&scheme));
  }
  return 0;
}

void CSkinToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  if (barThemes(themeId())) {
    if (dwNewStyle & CBRS_FLOATING) SetBorders(0, 0, 0, 0);
    else SetBorders(3, 1, 3, 1);
  }
  CToolBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
}

void CSkinToolBar::DrawBorders(CDC* pDC, CRect& rect) {
  const int id = themeId();
  if (id == 2 || id == 3 || barThemes(id)) return;
  CToolBar::DrawBorders(pDC, rect);
}

void CSkinToolBar::DrawGripper(CDC* pDC, const CRect& rect) {
  CMenuTheme* theme = CurrentTheme();
  if (!theme) return;
  theme->DrawGripper(pDC->m_hDC, rect, m_dwStyle, m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
  const RECT edge = (m_dwStyle & CBRS_ORIENT_HORZ)
                        ? RECT{rect.left + m_cxLeftBorder, rect.top + 2, rect.right - m_cxRightBorder - 1,
                               rect.bottom - m_cxRightBorder}
                        : RECT{rect.left + m_cxLeftBorder - 1, rect.top + 3, rect.right - m_cxRightBorder,
                               rect.bottom - m_cxRightBorder - 1};
  theme->DrawBarCorners(pDC->m_hDC, edge, m_dwStyle);
}

void CSkinToolBar::DrawBackground(HDC hDC) {
  ToolBarBackground bar;
  bar.docked = !(m_dwStyle & CBRS_FLOATING);
  bar.horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  bar.leftBorder = m_cxLeftBorder;
  bar.rightBorder = m_cxRightBorder;
  if (bar.docked) {
    CRect window;
    GetWindowRect(&window);
    ScreenToClient(&window);
    bar.area = window;
  } else {
    GetClientRect(&bar.area);
  }
  // The dock brush lines up with the frame around the dock.
  HWND parent = ::GetParent(m_hWnd);
  HWND grandparent = parent ? ::GetParent(parent) : nullptr;
  bar.brushFrame = grandparent ? grandparent : parent;
  if (!bar.docked) {
    for (int i = 0, n = GetCount(); i < n; ++i) {
      TBBUTTON b;
      if (!GetButton(i, &b) || (b.fsState & TBSTATE_HIDDEN)) continue;
      RECT r{};
      SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
      bar.items.push_back({r, (b.fsStyle & TBSTYLE_SEP) && (b.fsState & TBSTATE_WRAP)});
    }
  }
  DrawToolBarBackground(hDC, bar, themeId());
}

BOOL CSkinToolBar::OnEraseBkgnd(CDC* pDC) {
  DrawBackground(pDC->m_hDC);
  return TRUE;
}

void CSkinToolBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect client, window;
  GetClientRect(&client);
  GetWindowRect(&window);
  ScreenToClient(&window);
  const CPoint inClient = window.TopLeft();  // the window's corner in client coordinates
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  dc.ExcludeClipRect(&client);
  DrawBorders(&dc, window);
  dc.IntersectClipRect(&window);
  POINT origin{0, 0};
  const bool docked = !(m_dwStyle & CBRS_FLOATING);
  // A docked bar's background is drawn in client coordinates over the whole window.
  if (docked) ::SetWindowOrgEx(dc.m_hDC, inClient.x, inClient.y, &origin);
  SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
  if (docked) ::SetWindowOrgEx(dc.m_hDC, origin.x, origin.y, nullptr);
  DrawGripper(&dc, window);
}

// --- Buttons ------------------------------------------------------------------------------

int CSkinToolBar::HotButtonUnderCursor() const {
  POINT cursor;
  if (!::GetCursorPos(&cursor) || ::WindowFromPoint(cursor) != m_hWnd) return -1;
  ::ScreenToClient(m_hWnd, &cursor);
  const int hit = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&cursor)));
  TBBUTTON b;
  return hit >= 0 && GetButton(hit, &b) && !(b.fsStyle & TBSTYLE_SEP) ? hit : -1;
}

LRESULT CSkinToolBar::NotifyParent(NMTBCUSTOMDRAW& draw) {
  const int id = GetDlgCtrlID();
  draw.nmcd.hdr = {m_hWnd, static_cast<UINT_PTR>(id), static_cast<UINT>(NM_CUSTOMDRAW)};
  HWND parent = ::GetParent(m_hWnd);
  return parent ? ::SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&draw)) : 0;
}

NMTBCUSTOMDRAW CSkinToolBar::CustomDrawFor(HDC hDC) const {
  // The colours the control would hand out: its colour scheme for the
  // highlight, the system's for the rest.
  COLORSCHEME scheme{};
  scheme.dwSize = sizeof scheme;
  scheme.clrBtnHighlight = scheme.clrBtnShadow = CLR_DEFAULT;
  ::SendMessageA(m_hWnd, CCM_GETCOLORSCHEME, 0, reinterpret_cast<LPARAM>(&scheme));
  NMTBCUSTOMDRAW draw{};
  draw.nmcd.hdc = hDC;
  draw.clrText = ::GetSysColor(COLOR_BTNTEXT);
  draw.clrTextHighlight = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  draw.clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
  draw.clrBtnHighlight =
      scheme.clrBtnHighlight == CLR_DEFAULT ? ::GetSysColor(COLOR_BTNHIGHLIGHT) : scheme.clrBtnHighlight;
  draw.clrHighlightHotTrack = ::GetSysColor(COLOR_HIGHLIGHT);
  draw.clrMark = ::GetSysColor(COLOR_HIGHLIGHT);
  draw.nStringBkMode = TRANSPARENT;
  draw.nHLStringBkMode = OPAQUE;
  return draw;
}

void CSkinToolBar::OnPaint() {
  if (m_bDelayedButtonLayout) {
    Layout();
    PlaceControls(IsVerticalNow());
  }
  CPaintDC dc(this);
  DrawButtons(dc.m_hDC, HotButtonUnderCursor());
}

void CSkinToolBar::DrawButtons(HDC hDC, int hot) {
  // The parent hears of the painting and reflects each stage back to
  // OnCustomDraw, as it does for the control's own painting.
  NMTBCUSTOMDRAW draw = CustomDrawFor(hDC);
  GetClientRect(&draw.nmcd.rc);
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  const LRESULT answer = NotifyParent(draw);
  for (DWORD stage : {DWORD(CDDS_PREERASE), DWORD(CDDS_POSTERASE)}) {
    draw.nmcd.dwDrawStage = stage;
    NotifyParent(draw);
  }
  // A parent that does not ask for the items (one that reflects nothing) still
  // gets a bar with its buttons.
  const bool itemsByParent = (answer & CDRF_NOTIFYITEMDRAW) != 0;
  TEXTMETRICA text{};
  {
    SelectScope font(hDC, ::GetStockObject(ANSI_VAR_FONT));
    ::GetTextMetricsA(hDC, &text);
  }
  const bool listStyle = (GetStyle() & TBSTYLE_LIST) != 0;
  RECT client;
  GetClientRect(&client);
  const bool floating = (m_dwStyle & CBRS_FLOATING) != 0;
  const ToolSeparatorKind along =
      (m_dwStyle & CBRS_ORIENT_HORZ) || floating ? ToolSeparatorKind::kAcross : ToolSeparatorKind::kAlong;
  RECT previous{0, 0, 0, 0};
  for (int i = 0, n = GetCount(); i < n; ++i) {
    TBBUTTON b;
    if (!GetButton(i, &b) || (b.fsState & TBSTATE_HIDDEN)) continue;
    RECT r{};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    if (b.fsStyle & TBSTYLE_SEP) {
      // A separator hosting a control leaves its place to the control.
      if (!(b.idCommand && ::GetDlgItem(m_hWnd, b.idCommand))) {
        const bool wrap = floating && (b.fsState & TBSTATE_WRAP);
        DrawToolSeparator(hDC, wrap ? ToolSeparatorKind::kWrap : along, r, previous, client.right, themeId());
      }
    } else {
      NMTBCUSTOMDRAW item = draw;
      item.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
      item.nmcd.rc = r;
      item.nmcd.dwItemSpec = static_cast<DWORD_PTR>(b.idCommand);
      item.nmcd.uItemState = itemStateOf(b, i == hot);
      item.nmcd.lItemlParam = static_cast<LPARAM>(b.dwData);
      item.rcText = ToolButtonTextRect(r, m_sizeImage, listStyle, text.tmHeight);
      m_drawingIndex = i;
      if (itemsByParent) NotifyParent(item);
      else DrawItem(item);
      m_drawingIndex = -1;
    }
    previous = r;
  }
}

void CSkinToolBar::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  NMTBCUSTOMDRAW& draw = *reinterpret_cast<NMTBCUSTOMDRAW*>(pNMHDR);
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT | CDRF_SKIPDEFAULT;
      return;
    case CDDS_ITEMPREPAINT:
      DrawItem(draw);
      *pResult = CDRF_SKIPDEFAULT;
      return;
    case CDDS_POSTPAINT:
    case CDDS_ITEMPOSTPAINT:
      *pResult = CDRF_NOTIFYITEMDRAW | CDRF_SKIPDEFAULT;
      return;
    default:
      *pResult = 0;
  }
}

void CSkinToolBar::DrawItem(NMTBCUSTOMDRAW& draw) {
  const int index =
      m_drawingIndex >= 0 ? m_drawingIndex : CommandToIndex(static_cast<UINT>(draw.nmcd.dwItemSpec));
  TBBUTTON b;
  if (index < 0 || !GetButton(index, &b)) return;
  HDC hDC = draw.nmcd.hdc;
  const RECT& rc = draw.nmcd.rc;
  const UINT state = draw.nmcd.uItemState;
  const bool dropDown = (b.fsStyle & TBSTYLE_DROPDOWN) != 0;
  const int id = themeId();
  DrawToolItemBackground(hDC, rc, state, dropDown, ToolItemLook(id, IsThemeActiveSafe()));

  const bool disabled = (state & CDIS_DISABLED) != 0, hot = (state & CDIS_HOT) != 0;
  CImageList& list = disabled ? m_images.m_disabled : hot ? m_images.m_normal : m_images.m_darkened;
  int cx = 0, cy = 0;
  if (list.m_hImageList) ImageList_GetIconSize(list, &cx, &cy);
  int x = (rc.left + rc.right - cx) / 2, y = (rc.top + rc.bottom - cy) / 2;
  if (dropDown) x -= 7;
  const CString text = GetButtonText(index);
  if (!text.IsEmpty()) {
    if (GetStyle() & TBSTYLE_LIST) x = rc.left + 3;
    else y = rc.top + 4;
    SelectScope font(hDC, ::GetStockObject(ANSI_VAR_FONT));
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    const int colour = disabled ? COLOR_GRAYTEXT : hot && (id == 6 || id == 7) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    const COLORREF oldColour = ::SetTextColor(hDC, ::GetSysColor(colour));
    RECT textRect = draw.rcText;
    ::DrawTextA(hDC, text, text.GetLength(), &textRect, DT_CENTER);
    ::SetTextColor(hDC, oldColour);
    ::SetBkMode(hDC, oldMode);
  }
  if (!list.m_hImageList || b.iBitmap < 0 || b.iBitmap >= list.GetImageCount()) return;
  if ((id == 2 || id == 3) && hot && !(state & CDIS_SELECTED)) {
    // A raised icon over its shadow.
    HICON icon = ImageList_GetIcon(list, b.iBitmap, ILD_NORMAL);
    if (icon) {
      GdiHandle brush(::CreateSolidBrush(::GetNearestColor(hDC, ShadeColor(GetXpHighlightColor()))));
      ::DrawStateA(hDC, static_cast<HBRUSH>(brush.Get()), nullptr, reinterpret_cast<LPARAM>(icon), 0, x + 1, y + 1,
                   0, 0, DST_ICON | DSS_MONO);
      ::DestroyIcon(icon);
    }
    --x, --y;
  }
  ImageList_Draw(list, b.iBitmap, hDC, x, y, ILD_TRANSPARENT);
}

// --- Bitmaps added through the control ------------------------------------------------------

LRESULT CSkinToolBar::OnAddBitmap(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default();
  if (result == -1 || result < m_images.Count()) return result;
  const TBADDBITMAP* add = reinterpret_cast<const TBADDBITMAP*>(lParam);
  if (!add) return result;
  GdiHandle loaded(add->hInst ? ::LoadBitmapA(add->hInst, MAKEINTRESOURCEA(add->nID)) : nullptr);
  HBITMAP hBitmap = add->hInst ? static_cast<HBITMAP>(loaded.Get()) : reinterpret_cast<HBITMAP>(add->nID);
  if (m_images.Add(hBitmap, static_cast<int>(wParam), m_crTransparent, DisabledGreyFor(themeId()))) ImagesChanged();
  return result;
}

LRESULT CSkinToolBar::OnReplaceBitmap(WPARAM, LPARAM lParam) {
  const LRESULT result = Default();
  const TBREPLACEBITMAP* replace = reinterpret_cast<const TBREPLACEBITMAP*>(lParam);
  if (!result || !replace || !m_images.Count()) return result;
  TBADDBITMAP find{replace->hInstNew, replace->nIDNew};
  const LRESULT index = CToolBar::DefWindowProc(TB_ADDBITMAP, static_cast<WPARAM>(replace->nButtons),
                                                reinterpret_cast<LPARAM>(&find));
  GdiHandle loaded(replace->hInstNew ? ::LoadBitmapA(replace->hInstNew, MAKEINTRESOURCEA(replace->nIDNew)) : nullptr);
  HBITMAP hBitmap =
      replace->hInstNew ? static_cast<HBITMAP>(loaded.Get()) : reinterpret_cast<HBITMAP>(replace->nIDNew);
  if (index >= 0 && m_images.Replace(static_cast<int>(index), hBitmap, replace->nButtons, m_crTransparent,
                                     DisabledGreyFor(themeId())))
    ImagesChanged();
  return result;
}
