#include "app/bars/StrumentiBar.h"

#include "app/bars/ListBars.h"
#include "app/resource.h"

BEGIN_MESSAGE_MAP(CStrumentiBar, CPinDockBar)
  ON_WM_SIZE()
  ON_NOTIFY(TCN_SELCHANGE, CStrumentiBar::kTabID, OnTabChange)
END_MESSAGE_MAP()

namespace {
// Per list: its tab in the control, its tab on a strip, the image of both.
struct ListTab {
  const char* tab;
  const char* stripTitle;
  int image;
};
const ListTab kListTabs[CStrumentiBar::kListCount] = {
    {"Cornici", " Cornici ", 1}, {"Effetti", " Effetti ", 2}, {"Immagini", " Immagini ", 3}, {"Template", " Template ", 2}};
}  // namespace

CStrumentiBar::CStrumentiBar(CImgListView& frames, CImgListView& effects, CImgListView& images,
                             CImgListView& templates)
    : m_lists{&frames, &effects, &images, &templates} {}

BOOL CStrumentiBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
  if (!CPinDockBar::Create(lpszWindowName, pParentWnd, nID, dwStyle)) return FALSE;
  // Owner-drawn fixed tabs at the bottom.
  if (!m_tabs.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED | TCS_BOTTOM, CRect(0, 0, 0, 0), this, kTabID))
    return FALSE;
  if (m_tabImages.Create(IDB_STRIPS, 16, 1, RGB(255, 0, 255))) m_tabs.SetImageList(&m_tabImages);
  m_tabs.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  for (int i = 0; i < kListCount; ++i) {
    if (!m_lists[i]->Create(CSingleListBar::kListStyle, CRect(0, 0, 0, 0), &m_tabs, kFirstListID + i)) return FALSE;
    m_tabs.InsertItem(i, kListTabs[i].tab, kListTabs[i].image);
  }
  m_tabs.SetCurSel(0);
  ShowList(0);
  PlaceChildren();
  return TRUE;
}

void CStrumentiBar::ShowList(int index) {
  for (int i = 0; i < kListCount; ++i)
    if (m_lists[i]->m_hWnd) m_lists[i]->ShowWindow(i == index ? SW_SHOW : SW_HIDE);
}

void CStrumentiBar::OnTabChange(NMHDR*, LRESULT* pResult) {
  ShowList(m_tabs.GetCurSel());
  *pResult = 0;
}

void CStrumentiBar::PlaceChildren() {
  if (!m_tabs.m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  // A floating bar has no caption strip of its own: 4 more pixels of tabs.
  int height = client.Height() - (IsFloating() ? 14 : 18);
  m_tabs.MoveWindow(7, 7, client.Width() - 14, height);
  CRect tabClient, item(0, 0, 0, 0);
  m_tabs.GetClientRect(&tabClient);
  m_tabs.GetItemRect(0, &item);
  for (CImgListView* list : m_lists) {
    if (list->m_hWnd && ::GetParent(list->m_hWnd) == m_tabs.m_hWnd)
      list->MoveWindow(9, 9, tabClient.Width() - 18, tabClient.Height() - item.Height() - 18);
  }
}

void CStrumentiBar::OnSize(UINT nType, int cx, int cy) {
  CPinDockBar::OnSize(nType, cx, cy);
  PlaceChildren();
}

void CStrumentiBar::AddToAutoHideBar(CAutoHideBar* pStrip) {
  CRect r;
  GetClientRect(&r);
  for (int i = 0; i < kListCount; ++i) {
    m_lists[i]->ShowWindow(SW_SHOW);
    pStrip->AddTab(AHT_GROUPED | AHT_SHOWTITLE, m_lists[i], kListTabs[i].stripTitle, &r,
                   reinterpret_cast<DWORD_PTR>(this), kListTabs[i].image);
  }
}

void CStrumentiBar::RemoveFromAutoHideBar(CAutoHideBar* pStrip, CWnd*) {
  // All four come back together, into the tab control.
  for (CImgListView* list : m_lists) {
    pStrip->RemoveTab(list);
    if (list->m_hWnd) list->SetParent(&m_tabs);
  }
  pStrip->TrimSeparators();
  pStrip->RecalcLayout();
  pStrip->Invalidate(TRUE);
  if (m_pDockSite) m_pDockSite->ShowControlBar(this, TRUE, FALSE);
  m_tabs.SetCurSel(0);
  ShowList(0);
  PlaceChildren();
}
