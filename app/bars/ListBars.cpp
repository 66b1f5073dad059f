#include "app/bars/ListBars.h"

BEGIN_MESSAGE_MAP(CSingleListBar, CPinDockBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CSingleListBar::CSingleListBar(CImgListView& list, LPCSTR lpszTabTitle) : m_list(list), m_tabTitle(lpszTabTitle) {}

BOOL CSingleListBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
  if (!CPinDockBar::Create(lpszWindowName, pParentWnd, nID, dwStyle)) return FALSE;
  if (!m_list.Create(kListStyle, CRect(0, 0, 0, 0), this, kListID)) return FALSE;
  m_list.ShowWindow(SW_SHOW);
  PlaceList();
  return TRUE;
}

void CSingleListBar::PlaceList() {
  if (!m_list.m_hWnd || ::GetParent(m_list.m_hWnd) != m_hWnd) return;
  CRect r;
  GetClientRect(&r);
  m_list.MoveWindow(9, 9, r.Width() - 18, r.Height() - 18);
}

void CSingleListBar::OnSize(UINT nType, int cx, int cy) {
  CPinDockBar::OnSize(nType, cx, cy);
  PlaceList();
}

void CSingleListBar::AddToAutoHideBar(CAutoHideBar* pStrip) {
  CRect r;
  GetClientRect(&r);
  m_list.ShowWindow(SW_SHOW);
  pStrip->AddTab(AHT_GROUPED | AHT_SHOWTITLE, &m_list, m_tabTitle, &r, reinterpret_cast<DWORD_PTR>(this), 0);
}

void CSingleListBar::RemoveFromAutoHideBar(CAutoHideBar* pStrip, CWnd* pContent) {
  pStrip->RemoveTab(pContent);
  pStrip->TrimSeparators();
  pStrip->RecalcLayout();
  pStrip->Invalidate(TRUE);
  if (m_pDockSite) m_pDockSite->ShowControlBar(this, TRUE, FALSE);
  m_list.ShowWindow(SW_SHOW);
  PlaceList();
}

int CSingleListBar::GetSlideOutDepth(BOOL bHorizontal) {
  if (!bHorizontal || !m_list.m_hWnd) return 0;
  const DWORD spacing = static_cast<DWORD>(m_list.SendMessage(LVM_GETITEMSPACING, FALSE, 0));
  CRect window, client;
  m_list.GetWindowRect(&window);
  m_list.GetClientRect(&client);
  return HIWORD(spacing) + window.Height() - client.Height();
}

void CPageBar::Refresh(treeNode::CSposalboTreeNode& album) {
  if (m_pages.m_hWnd) m_pages.Refresh(album);
}

void CPageBar::Clear() {
  if (!m_pages.m_hWnd) return;
  m_pages.StopLoading();
  m_pages.Clear();
}
