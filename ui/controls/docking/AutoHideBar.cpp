#include "ui/controls/docking/AutoHideBar.h"

#include <algorithm>

#include "framework/thread_state.h"

IMPLEMENT_DYNAMIC(CAutoHideBar, CWnd)

BEGIN_MESSAGE_MAP(CAutoHideBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {
// The strips alive on this thread, so that a bar going away can leave them all;
// null while the thread's record is being freed.
struct CLiveStrips : CThreadData {
  std::vector<CAutoHideBar*> strips;
};

std::vector<CAutoHideBar*>* LiveStrips() {
  static const CPerThread<CLiveStrips> live;
  CLiveStrips* thisThread = live.Get();
  return thisThread ? &thisThread->strips : nullptr;
}

void MakeFont(CFont& font, int escapement) {
  LOGFONTA lf{};
  lf.lfHeight = 14;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfEscapement = lf.lfOrientation = escapement;
  lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
  font.CreateFontIndirect(&lf);
}
}  // namespace

CAutoHideBar::CAutoHideBar() {
  MakeFont(m_fontHorz, 0);
  MakeFont(m_fontVert, 900);
  if (std::vector<CAutoHideBar*>* strips = LiveStrips()) strips->push_back(this);
}

CAutoHideBar::~CAutoHideBar() {
  if (std::vector<CAutoHideBar*>* strips = LiveStrips())
    strips->erase(std::remove(strips->begin(), strips->end(), this), strips->end());
  m_tabs.clear();  // the pop-ups go before the strip's window
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CAutoHideBar::Create(int nSide, CWnd* pParentWnd) {
  m_nSide = std::max(0, std::min(3, nSide));
  LPCSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
  return CWnd::Create(cls, "tesT", WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, kFirstID + static_cast<UINT>(m_nSide));
}

int CAutoHideBar::TextWidth(const CString& text) const {
  HDC hDC = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(hDC, m_fontHorz.m_hObject);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
  ::SelectObject(hDC, old);
  ::ReleaseDC(m_hWnd, hDC);
  return size.cx;
}

CAutoHideTab* CAutoHideBar::AddTab(UINT flags, CWnd* pContent, LPCSTR lpszTitle, LPCRECT lpRect,
                                   DWORD_PTR userValue, int image) {
  auto tab = std::make_unique<CAutoHideTab>();
  tab->flags = flags;
  tab->content = pContent;
  tab->title = lpszTitle ? lpszTitle : "";
  tab->owner = this;
  tab->userValue = userValue;
  tab->image = image;
  if (lpRect && !::IsRectEmpty(lpRect)) tab->popupRect = *lpRect;
  if (!(flags & AHT_SEPARATOR) && pContent && pContent->m_hWnd) {
    tab->frame.reset(new CDrawFrame(this));
    CRect rect(0, 0, tab->popupRect.Width(), tab->popupRect.Height());
    if (!tab->frame->Create(pContent, tab->title, rect)) tab->frame.reset();
  }
  m_tabs.push_back(std::move(tab));
  RecalcLayout();
  if (m_hWnd) Invalidate();
  return m_tabs.back().get();
}

void CAutoHideBar::RemoveTabAt(size_t index) {
  std::unique_ptr<CAutoHideTab> tab = std::move(m_tabs[index]);
  m_tabs.erase(m_tabs.begin() + static_cast<std::ptrdiff_t>(index));
  if (m_nHot == static_cast<int>(index)) m_nHot = -1;
  if (m_nHot > static_cast<int>(index)) --m_nHot;
  CWnd* pOwner = reinterpret_cast<CWnd*>(tab->userValue);
  if (tab->content && tab->content->m_hWnd && pOwner && pOwner->m_hWnd) {
    tab->content->ShowWindow(SW_HIDE);
    tab->content->SetParent(pOwner);
  }
  // tab (and its pop-up) goes here
}

void CAutoHideBar::RemoveTab(CWnd* pContent) {
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    if (m_tabs[i]->content == pContent && !(m_tabs[i]->flags & AHT_SEPARATOR)) {
      RemoveTabAt(i);
      return;
    }
  }
}

void CAutoHideBar::TrimSeparators() {
  std::vector<AutoHideTabShape> shapes;
  for (const auto& tab : m_tabs) shapes.push_back({tab->flags, 0});
  std::vector<int> trim = SeparatorsToTrim(shapes);
  for (auto it = trim.rbegin(); it != trim.rend(); ++it) RemoveTabAt(static_cast<size_t>(*it));
}

DWORD_PTR CAutoHideBar::GetTabData(CWnd* pContent) const {
  for (const auto& tab : m_tabs)
    if (tab->content == pContent && !(tab->flags & AHT_SEPARATOR)) return tab->userValue;
  return 0;
}

void CAutoHideBar::ForgetUserValue(DWORD_PTR userValue) {
  std::vector<CAutoHideBar*>* strips = LiveStrips();
  if (!userValue || !strips) return;
  for (CAutoHideBar* pStrip : *strips) {
    bool any = false;
    for (size_t i = pStrip->m_tabs.size(); i-- > 0;) {
      if (pStrip->m_tabs[i]->userValue == userValue) {
        pStrip->RemoveTabAt(i);
        any = true;
      }
    }
    if (any) {
      pStrip->TrimSeparators();
      pStrip->RecalcLayout();
      if (pStrip->m_hWnd) pStrip->Invalidate();
    }
  }
}

void CAutoHideBar::RecalcLayout() {
  std::vector<AutoHideTabShape> shapes;
  for (const auto& tab : m_tabs)
    shapes.push_back({tab->flags, (tab->flags & AHT_SEPARATOR) || !m_hWnd ? 0 : TextWidth(tab->title)});
  std::vector<RECT> rects = LayoutAutoHideTabs(shapes, m_nThickness, IsHorizontal() != FALSE);
  for (size_t i = 0; i < m_tabs.size(); ++i) m_tabs[i]->rect = rects[i];
}

int CAutoHideBar::TabAt(CPoint point) const {
  for (size_t i = 0; i < m_tabs.size(); ++i)
    if (!(m_tabs[i]->flags & AHT_SEPARATOR) && m_tabs[i]->rect.PtInRect(point)) return static_cast<int>(i);
  return -1;
}

// --- Layout in the frame, painting and the pointer --------------------------------------------

LRESULT CAutoHideBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (m_tabs.empty()) {
    if (lpLayout->hDWP && IsWindowVisible()) ShowWindow(SW_HIDE);
    return 0;
  }
  CRect band(lpLayout->rect);
  int t = m_nThickness;
  switch (m_nSide) {
    case kTop:
      band.bottom = band.top + t;
      lpLayout->rect.top += t;
      break;
    case kLeft:
      band.right = band.left + t;
      lpLayout->rect.left += t;
      break;
    case kRight:
      band.left = band.right - t;
      lpLayout->rect.right -= t;
      break;
    default:
      band.top = band.bottom - t;
      lpLayout->rect.bottom -= t;
      break;
  }
  AfxRepositionWindow(lpLayout, m_hWnd, &band);
  if (lpLayout->hDWP && !IsWindowVisible()) ShowWindow(SW_SHOWNA);
  return 0;
}

BOOL CAutoHideBar::OnEraseBkgnd(CDC* pDC) {
  CRect r;
  GetClientRect(&r);
  pDC->FillSolidRect(&r, kBackground);
  return TRUE;
}

void CAutoHideBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackground);
  bool horizontal = IsHorizontal() != FALSE;
  CFont* oldFont = dc.SelectObject(horizontal ? &m_fontHorz : &m_fontVert);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  for (const auto& tab : m_tabs) {
    if (tab->flags & AHT_SEPARATOR) continue;
    CRect r = tab->rect;
    dc.FillSolidRect(&r, kTabColour);
    dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    // Icon first, then (when shown) the title after it.
    CPoint icon = horizontal ? CPoint(r.left + 2, r.top + (r.Height() - 16) / 2)
                             : CPoint(r.left + (r.Width() - 16) / 2, r.top + 2);
    if (m_pImageList && tab->image >= 0) m_pImageList->Draw(&dc, tab->image, icon, ILD_TRANSPARENT);
    if (tab->flags & (AHT_TITLE | AHT_SHOWTITLE)) {
      if (horizontal)
        dc.TextOut(r.left + 18, r.top + (r.Height() - 14) / 2, tab->title);
      else
        dc.TextOut(r.left + (r.Width() - 14) / 2, r.bottom - 2, tab->title);
    }
  }
  dc.SelectObject(oldFont);
}

void CAutoHideBar::OnMouseMove(UINT, CPoint point) {
  int index = TabAt(point);
  if (index < 0) return;
  CAutoHideTab* tab = m_tabs[static_cast<size_t>(index)].get();
  if (index != m_nHot) {
    m_nHot = index;
    if (tab->flags & AHT_GROUPED) {
      // The pointed tab of a group shows its title, the others of the group not.
      std::vector<AutoHideTabShape> shapes;
      for (const auto& t : m_tabs) shapes.push_back({t->flags, 0});
      for (int other : GroupOf(shapes, index)) m_tabs[static_cast<size_t>(other)]->flags &= ~static_cast<UINT>(AHT_SHOWTITLE);
      tab->flags |= AHT_SHOWTITLE;
      RecalcLayout();
      Invalidate();
    }
  } else if (tab->frame && tab->frame->IsWindowVisible()) {
    return;  // already out
  }
  if (tab->frame && tab->frame->m_hWnd) tab->frame->SendMessage(WM_DRAWFRAME_SLIDEOUT);
}
