#include "app/bars/EditorBars.h"

#include "app/resource.h"
#include "ui/frames/docking/SkinResizingMiniFrame.h"

BEGIN_MESSAGE_MAP(CEditorBars, CCmdTarget)
  ON_COMMAND(ID_VIEW_PHOTO_BAR, OnViewPhotoBar)
  ON_COMMAND(ID_VIEW_PAGE_BAR, OnViewPageBar)
  ON_COMMAND(ID_VIEW_TOOLS_BAR, OnViewToolsBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_PHOTO_BAR, OnUpdateViewPhotoBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_PAGE_BAR, OnUpdateViewPageBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLS_BAR, OnUpdateViewToolsBar)
END_MESSAGE_MAP()

namespace {
constexpr UINT kBarID = 127;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP;
}  // namespace

CEditorBars::CEditorBars(CEditorLists& lists)
    : m_tools(lists.frames, lists.effects, lists.images, lists.templates), m_photos(lists.photos), m_pages(lists.pages) {}

BOOL CEditorBars::EnableDocking(CFrameWnd* pFrame, DockEnabler enableDocking) {
  m_pFrame = pFrame;
  if (!EnableAutoHideDocking(pFrame, m_strips, CBRS_ALIGN_ANY, enableDocking)) return FALSE;
  pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CSkinResizingMiniDockFrameWnd);
  return TRUE;
}

BOOL CEditorBars::CreateBars(CFrameWnd* pFrame) {
  m_pFrame = pFrame;
  if (m_images.Create(IDB_STRIPS, 16, 1, RGB(255, 0, 255)))
    for (CAutoHideBar& strip : m_strips) strip.SetImageList(&m_images);
  // The tools bar's lists hold one row of page templates (128 pixels and
  // their labels) without scrolling.
  const struct {
    CPinDockBar& bar;
    const char* title;
    UINT dockBar;
    CSize size;
  } bars[] = {{m_tools, "Cornici e Effetti", AFX_IDW_DOCKBAR_TOP, CSize(200, 224)},
              {m_photos, "Fotografie", AFX_IDW_DOCKBAR_RIGHT, CSize(200, 200)},
              {m_pages, "Pagine", AFX_IDW_DOCKBAR_BOTTOM, CSize(200, 200)}};
  for (const auto& b : bars) {
    if (!b.bar.Create(b.title, pFrame, b.size, TRUE, kBarID, kBarStyle)) return FALSE;
    b.bar.SetSizingStyle((b.bar.GetSizingStyle() & ~static_cast<DWORD>(RBS_EDGEANY)) | RBS_SIZECHILD);
    b.bar.SetBarStyle(b.bar.GetBarStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    b.bar.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(&b.bar, b.dockBar);
  }
  return TRUE;
}

LRESULT CEditorBars::OnPinBarAutoHide(LPARAM lParam) {
  if (m_pFrame) PinBarAway(m_pFrame, lParam, m_strips);
  return 0;
}

CAutoHideBar* CEditorBars::StripHolding(CPinDockBar* pBar) {
  for (CAutoHideBar& strip : m_strips)
    for (int i = 0; i < strip.GetTabCount(); ++i)
      if (strip.GetTab(i)->userValue == reinterpret_cast<DWORD_PTR>(pBar)) return &strip;
  return nullptr;
}

void CEditorBars::ToggleBar(CPinDockBar& bar) {
  if (!m_pFrame || !bar.m_hWnd) return;
  // A bar pinned away comes back from its strip, content and all.
  if (CAutoHideBar* pStrip = StripHolding(&bar)) {
    for (int i = 0; i < pStrip->GetTabCount(); ++i) {
      CAutoHideTab* tab = pStrip->GetTab(i);
      if (tab->userValue == reinterpret_cast<DWORD_PTR>(&bar)) {
        bar.RemoveFromAutoHideBar(pStrip, tab->content);
        break;
      }
    }
    return;
  }
  m_pFrame->ShowControlBar(&bar, !bar.IsVisible(), FALSE);
}

void CEditorBars::UpdateBarItem(CPinDockBar& bar, CCmdUI* pCmdUI) {
  pCmdUI->Enable(bar.m_hWnd != nullptr);
  pCmdUI->SetCheck(bar.m_hWnd && bar.IsVisible());
}
